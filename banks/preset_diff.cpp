#include "banks/preset_diff.h"

#include <cstring>

namespace {

int Clamp(int value, int high) {
    if (value < 0) return 0;
    return value < high ? value : high;
}

bool SameText(const char* a, const char* b, size_t size) {
    // Fields are NUL-terminated within their arrays; strncmp stops at the
    // end of the array even for a record that is not.
    return std::strncmp(a, b, size) == 0;
}

}  // namespace

DiffExtent DiffExtentOf(const DeviceDefinition& def) {
    DiffExtent extent;
    extent.presets = Clamp(def.presetCount, kMaxPresets);
    extent.controls = Clamp(def.controlCount, kMaxControls);
    extent.variables = Clamp(def.variableCount, kMaxVariables);
    extent.zones = Clamp(def.zoneLimit, kMaxZones);
    extent.zoneFields = Clamp(def.zoneFieldCount, kMaxZoneFields);
    return extent;
}

uint8_t DiffControl(const DeviceDefinition& def, const PresetRecord& a, const PresetRecord& b,
                    int control) {
    if (control < 0 || control >= DiffExtentOf(def).controls) return 0;
    const PresetControl& x = a.controls[control];
    const PresetControl& y = b.controls[control];
    uint8_t bits = 0;
    if (x.channel != y.channel) bits |= kDiffChannel;
    if (x.midiCc != y.midiCc) bits |= kDiffMidiCc;
    if (ControlHasProgram(def, control) && x.program != y.program) bits |= kDiffProgram;
    if (x.msb != y.msb) bits |= kDiffMsb;
    if (x.lsb != y.lsb) bits |= kDiffLsb;
    if (!SameText(x.desc, y.desc, sizeof x.desc)) bits |= kDiffComment;
    return bits;
}

int DiffPresets(const DeviceDefinition& def, const PresetRecord& a, const PresetRecord& b,
                PresetDiff* out) {
    std::memset(out, 0, sizeof *out);
    const DiffExtent extent = DiffExtentOf(def);
    int count = 0;
    for (int c = 0; c < extent.controls; ++c) {
        uint8_t bits = DiffControl(def, a, b, c);
        out->controls[c] = bits;
        for (uint8_t rest = bits; rest != 0; rest &= static_cast<uint8_t>(rest - 1)) ++count;
    }
    for (int v = 0; v < extent.variables; ++v) {
        if (a.variables[v] == b.variables[v]) continue;
        out->variables = static_cast<uint16_t>(out->variables | (1u << v));
        ++count;
    }
    for (int z = 0; z < extent.zones; ++z) {
        for (int f = 0; f < extent.zoneFields; ++f) {
            if (a.zones[z][f] == b.zones[z][f]) continue;
            out->zones[z] = static_cast<uint16_t>(out->zones[z] | (1u << f));
            ++count;
        }
    }
    if (!SameText(a.name, b.name, sizeof a.name)) {
        out->name = 1;
        ++count;
    }
    out->count = count;
    return count;
}
