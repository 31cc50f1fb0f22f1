// The difference rules of Compare and `bank diff` on model Alpha: knobs
// without a program, a pad with one, two variables, two zones of two fields.
#include "banks/preset_diff.h"

#include <cstring>

#include "tests/banks/bank_test_support.h"

namespace {

class PresetDiffTest : public BankTest {};

TEST_F(PresetDiffTest, CountsWhatThePresetHoldsAndNothingElse) {
    int bank = NewBank();
    PresetRecord a = Preset(bank, 0);
    PresetRecord b = Preset(bank, 1);
    std::strcpy(b.name, a.name);
    PresetDiff diff;
    EXPECT_EQ(DiffPresets(gDevice, a, b, &diff), 0);

    // Bookkeeping, origins, hidden programs and values past the model's
    // counts are no differences.
    std::strcpy(b.created, "elsewhere");
    b.changed = 9;
    b.controls[0].origin = 65536 * 4 + 2;
    b.controls[0].program = a.controls[0].program + 5;  // a knob: no program
    b.variables[5] = a.variables[5] + 1;                // Alpha has two variables
    b.zones[2][0] = a.zones[2][0] + 1;                  // ... two zones
    b.zones[0][3] = a.zones[0][3] + 1;                  // ... of two fields
    b.controls[3].midiCc = a.controls[3].midiCc + 1;    // ... and three controls
    EXPECT_EQ(DiffPresets(gDevice, a, b, &diff), 0);
    EXPECT_EQ(diff.controls[0], 0);

    // Each of these is one difference, of its own kind.
    b.controls[0].channel = a.controls[0].channel + 1;
    b.controls[0].midiCc = a.controls[0].midiCc + 1;
    b.controls[1].msb = a.controls[1].msb + 1;
    b.controls[1].lsb = a.controls[1].lsb + 1;
    b.controls[2].program = a.controls[2].program + 1;  // the pad has one
    std::strcpy(b.controls[2].desc, "Kick");
    b.variables[1] = a.variables[1] + 1;
    b.zones[1][1] = a.zones[1][1] + 1;
    std::strcpy(b.name, "Other");
    EXPECT_EQ(DiffPresets(gDevice, a, b, &diff), 9);
    EXPECT_EQ(diff.count, 9);
    EXPECT_EQ(diff.controls[0], kDiffChannel | kDiffMidiCc);
    EXPECT_EQ(diff.controls[1], kDiffMsb | kDiffLsb);
    EXPECT_EQ(diff.controls[2], kDiffProgram | kDiffComment);
    EXPECT_EQ(diff.variables, 1u << 1);
    EXPECT_EQ(diff.zones[0], 0u);
    EXPECT_EQ(diff.zones[1], 1u << 1);
    EXPECT_EQ(diff.name, 1);

    // The comparison is symmetric.
    PresetDiff back;
    EXPECT_EQ(DiffPresets(gDevice, b, a, &back), 9);
    EXPECT_EQ(std::memcmp(back.controls, diff.controls, sizeof diff.controls), 0);
}

TEST_F(PresetDiffTest, ADefinitionWithCountsBeyondTheCapacitiesIsCutToThem) {
    DeviceDefinition wild = gDevice;
    wild.controlCount = 5000;
    wild.variableCount = 99;
    wild.zoneLimit = 40;
    wild.zoneFieldCount = 70;
    wild.presetCount = -3;
    DiffExtent extent = DiffExtentOf(wild);
    EXPECT_EQ(extent.controls, kMaxControls);
    EXPECT_EQ(extent.variables, kMaxVariables);
    EXPECT_EQ(extent.zones, kMaxZones);
    EXPECT_EQ(extent.zoneFields, kMaxZoneFields);
    EXPECT_EQ(extent.presets, 0);
    PresetRecord a = {};
    PresetRecord b = {};
    b.controls[kMaxControls - 1].lsb = 1;
    b.zones[kMaxZones - 1][kMaxZoneFields - 1] = 1;
    PresetDiff diff;
    EXPECT_EQ(DiffPresets(wild, a, b, &diff), 2);
}

}  // namespace
