// Bank <-> packed image (layout in packed_image.h), by the sizes of a model.
// Values travel as their low byte; on the way back controls read unsigned bytes, variables and zone
// fields signed ones (a zone field of -56 survives as C8).
#include "banks/bank_packing.h"

#include <cstdint>

#include "devices/device_definition.h"

// The variable definition whose value goes to slot s: the first, in definition
// order, whose target is s; -1 when none targets it.
static int VariableForSlot(const DeviceDefinition& model, int slot) {
    int count = model.variableCount;
    if (count > kMaxVariables) count = kMaxVariables;
    for (int i = 0; i < count; i++)
        if (model.variables[i].target == slot) return i;
    return -1;
}

static int ClampedCount(int count, int most) {
    return count < 0 ? 0 : count > most ? most : count;
}

static void PackPresetAs(const DeviceDefinition& model, const PresetRecord& r,
                         PackedPreset& image) {
    uint8_t* p = image.bytes;
    SetPackedPresetName(image, r.name);
    for (int s = 0; s < kPackedVariableSlots; s++) {
        const int v = VariableForSlot(model, s);
        p[kPackedVariables + s] = v < 0 ? 0 : (uint8_t)r.variables[v];
    }
    if (model.zoneLimit != 0) {
        for (int z = 0; z < kPackedZoneCount; z++)
            for (int f = 0; f < kPackedZoneFields; f++)
                p[PackedZoneOffset(z, f)] = (uint8_t)r.zones[z][f];
    }
    // A definition cannot hold more than 100 controls, so both groups fit.
    const int linear = ClampedCount(model.linearControlCount, kMaxControls);
    const int buttons = ClampedCount(model.buttonControlCount, kMaxControls - linear);
    for (int i = 0; i < linear; i++) {
        const PresetControl& c = r.controls[i];
        p[kPackedLinearChannel + i] = (uint8_t)c.channel;
        p[kPackedLinearMidiCc + i] = (uint8_t)c.midiCc;
        p[kPackedLinearMsb + i] = (uint8_t)c.msb;
        p[kPackedLinearLsb + i] = (uint8_t)c.lsb;
    }
    for (int j = 0; j < buttons; j++) {
        const PresetControl& c = r.controls[linear + j];
        p[kPackedButtonChannel + j] = (uint8_t)c.channel;
        p[kPackedButtonMidiCc + j] = (uint8_t)c.midiCc;
        p[kPackedButtonProgram + j] = (uint8_t)c.program;
        p[kPackedButtonMsb + j] = (uint8_t)c.msb;
        p[kPackedButtonLsb + j] = (uint8_t)c.lsb;
    }
}

void PackPreset(const PresetRecord& preset, PackedPreset& image) {
    PackPresetAs(gDevice, preset, image);
}

void PackBank(const BankData* bank, int slot) {
    PackBankAs(gDevice, bank, slot);
}

void PackBankAs(const DeviceDefinition& model, const BankData* bank, int slot) {
    if (!bank || slot < 0 || slot >= kPackedStoreSlots) return;
    const int presets = ClampedCount(model.presetCount, kPackedPresetsPerBank);
    for (int i = 0; i < presets; i++)
        PackPresetAs(model, bank->presets[i], gPackedStore.slots[slot].presets[i]);
}

static void UnpackPresetAs(const DeviceDefinition& model, const PackedPreset& image,
                           PresetRecord& r) {
    const uint8_t* p = image.bytes;
    const int linear = ClampedCount(model.linearControlCount, kMaxControls);
    const int buttons = ClampedCount(model.buttonControlCount, kMaxControls - linear);
    r.controlCount = linear + buttons;
    r.variableCount = model.variableLimit;
    GetPackedPresetName(image, r.name, sizeof r.name);
    for (int s = 0; s < kPackedVariableSlots; s++) {
        const int v = VariableForSlot(model, s);
        if (v < 0) continue;
        // A variable of options is a set of bits: its eighth option is not a
        // sign, which would turn on every option above it.
        const uint8_t byte = p[kPackedVariables + s];
        r.variables[v] = model.variables[v].maskCount > 0 ? byte : (int8_t)byte;
    }
    if (model.zoneLimit != 0) {
        for (int z = 0; z < kPackedZoneCount; z++)
            for (int f = 0; f < kPackedZoneFields; f++)
                r.zones[z][f] = (int8_t)p[PackedZoneOffset(z, f)];
    }
    for (int i = 0; i < linear; i++) {
        PresetControl& c = r.controls[i];
        c.channel = p[kPackedLinearChannel + i];
        c.midiCc = p[kPackedLinearMidiCc + i];
        c.msb = p[kPackedLinearMsb + i];
        c.lsb = p[kPackedLinearLsb + i];
        c.program = -1;
    }
    for (int j = 0; j < buttons; j++) {
        PresetControl& c = r.controls[linear + j];
        c.channel = p[kPackedButtonChannel + j];
        c.midiCc = p[kPackedButtonMidiCc + j];
        c.program = p[kPackedButtonProgram + j];
        c.msb = p[kPackedButtonMsb + j];
        c.lsb = p[kPackedButtonLsb + j];
    }
}

void UnpackPreset(const PackedPreset& image, PresetRecord& preset) {
    UnpackPresetAs(gDevice, image, preset);
}

void UnpackBank(int slot, BankData* bank) {
    UnpackBankAs(gDevice, slot, bank);
}

void UnpackBankAs(const DeviceDefinition& model, int slot, BankData* bank) {
    if (!bank || slot < 0 || slot >= kPackedStoreSlots) return;
    const int presets = ClampedCount(model.presetCount, kPackedPresetsPerBank);
    bank->presetCountInFile = presets;
    for (int i = 0; i < presets; i++)
        UnpackPresetAs(model, gPackedStore.slots[slot].presets[i], bank->presets[i]);
    for (int i = 0; i < kMaxPresets; i++)
        for (int c = 0; c < kMaxControls; c++) bank->presets[i].controls[c].origin = -1;
}
