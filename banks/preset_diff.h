// What differs between two presets of one device model: the rules behind the
// Compare commands of the program and behind `ostrel-cli bank diff`.
//
// Rules (a difference is one value that is not the same in both presets):
//   1. Controls 0 .. controlCount - 1 of the definition: channel, MIDICC, bank
//      MSB and bank LSB always; the program only when the control's
//      controller type has one (for the others the value is neither shown
//      nor sent); the comment (`desc`) as text, compared exactly.
//   2. A control's origin (which library entry the assignment came from) is
//      not compared: two assignments with the same values send the same
//      messages, and a preset downloaded from the device has no origins.
//   3. The extra variables 0 .. variableCount - 1 of the definition (by
//      VariableDef index) and the zone fields f < zoneFieldCount of the zones
//      z < zoneLimit.
//   4. The preset's name, compared exactly.
//   5. Never: the creation text and the changed counter (bookkeeping, not
//      contents), nor anything past the definition's counts.
// The definition's counts are cut to the record's capacities, so any
// definition and any records are safe.
#pragma once

#include <cstdint>

#include "banks/bank_model.h"

// Bits of PresetDiff::controls. Bit n for n < 5 is the value of subkind n of
// a list column (channel, MIDICC, program, MSB, LSB), so a value column finds
// its bit as 1 << subkind.
constexpr uint8_t kDiffChannel = 1u << 0;
constexpr uint8_t kDiffMidiCc = 1u << 1;
constexpr uint8_t kDiffProgram = 1u << 2;
constexpr uint8_t kDiffMsb = 1u << 3;
constexpr uint8_t kDiffLsb = 1u << 4;
constexpr uint8_t kDiffComment = 1u << 5;

struct PresetDiff {
    uint8_t controls[kMaxControls];  // kDiff* bits of each control
    uint8_t name;                    // 1 when the names differ
    uint16_t variables;              // bit v: variable v differs
    uint16_t zones[kMaxZones];       // bit f of zones[z]: field f of zone z differs
    int count;                       // differing values, all kinds together
};

// Compares preset a with preset b by the rules above; fills *out and returns
// out->count.
int DiffPresets(const DeviceDefinition& def, const PresetRecord& a, const PresetRecord& b,
                PresetDiff* out);

// The kDiff* bits of one control (0 for a control past the definition's
// count): what DiffPresets finds for it.
uint8_t DiffControl(const DeviceDefinition& def, const PresetRecord& a, const PresetRecord& b,
                    int control);


// The number of presets, controls, variables, zones and zone fields of def
// that the rules look at (the definition's counts within the capacities).
struct DiffExtent {
    int presets;
    int controls;
    int variables;
    int zones;
    int zoneFields;
};
DiffExtent DiffExtentOf(const DeviceDefinition& def);
