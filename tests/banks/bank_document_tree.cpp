// The bank document as a tree (bank_document_tree.h).
#include "tests/banks/bank_document_tree.h"

#include <algorithm>
#include <string>

#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "banks/discovery.h"
#include "devices/device_definition.h"
#include "plist/plist_node.h"
#include "plist/plist_xml.h"

namespace {

// UTF-8 of a 47-character field: at most two bytes per character.
constexpr int kUtf8FieldSize = 2 * kNameLen + 1;

PlistNode* AddKeyed(PlistNode* parent, const char* key, PlistType type) {
    PlistNode* node = Create(parent, type);
    SetKey(node, key, 0);
    return node;
}

void AddInteger(PlistNode* parent, const char* key, int32_t value) {
    SetInteger(AddKeyed(parent, key, PlistType::Integer), value);
}

void AddBoolean(PlistNode* parent, const char* key, bool value) {
    SetBoolean(AddKeyed(parent, key, PlistType::Boolean), value);
}

// 8-bit text goes out as UTF-8, each byte the character of the same number.
void AddName(PlistNode* parent, const char* key, const char* text) {
    char utf8[kUtf8FieldSize];
    NameToUtf8(text, utf8, sizeof utf8);
    SetString(AddKeyed(parent, key, PlistType::String), utf8, 0);
}

void AddPreset(PlistNode* list, const PresetRecord& preset) {
    PlistNode* dict = Create(list, PlistType::Dict);
    AddName(dict, "name", preset.name);

    PlistNode* variables = AddKeyed(dict, "variables", PlistType::Array);
    // Every slot a variable of the model aims at and every control of the
    // model, and more when the preset has them.
    int slots = preset.variableCount;
    for (int v = 0; v < std::min(gDevice.variableCount, kMaxVariables); v++) {
        slots = std::max(slots, gDevice.variables[v].target + 1);
    }
    slots = std::min(slots, kMaxVariables);
    for (int k = 0; k < slots; k++) {
        AddInteger(Create(variables, PlistType::Dict), "value", VariableSlotValue(preset, k));
    }

    if (gDevice.zoneFieldCount > 0) {
        PlistNode* zones = AddKeyed(dict, "zones", PlistType::Array);
        int zoneCount = std::min(gDevice.zoneLimit, kMaxZones);
        for (int z = 0; z < zoneCount; z++) {
            PlistNode* zone = Create(zones, PlistType::Dict);
            for (int f = 0; f < preset.zoneFieldCount; f++) {
                const char* tag = nullptr;
                SysexFieldTag("zones", f, &tag);
                // A field the sysex list does not name has no key to go under.
                if (tag && tag[0]) AddInteger(zone, tag, preset.zones[z][f]);
            }
        }
    }

    PlistNode* controls = AddKeyed(dict, "controls", PlistType::Array);
    int count = std::min(std::max(preset.controlCount, gDevice.controlCount), kMaxControls);
    for (int j = 0; j < count; j++) {
        const PresetControl& c = preset.controls[j];
        PlistNode* control = Create(controls, PlistType::Dict);
        if (c.origin != -1) AddInteger(control, "origin", c.origin);
        AddInteger(control, "channel", c.channel);
        AddInteger(control, "MIDICC", c.midiCc);
        if (ControlHasProgram(gDevice, j)) AddInteger(control, "program", c.program);
        AddInteger(control, "msb", c.msb);
        AddInteger(control, "lsb", c.lsb);
        if (c.desc[0]) AddName(control, "desc", c.desc);
    }
}

}  // namespace

PlistNode* BuildBankDocument(int bank) {
    // The program's own preparation (name, ids, model) is applied by writing
    // the document once; the tree is then built from the prepared bank.
    std::string prepared;
    PlistSink sink = PlistStringSink(&prepared);
    if (WriteBankDocument(bank, &sink) != 0) return nullptr;
    const BankData* data = BankAt(bank)->data;
    PlistNode* root = Create(nullptr, PlistType::Dict);
    PlistNode* preset = AddKeyed(root, "preset", PlistType::Dict);
    AddName(preset, "name", data->name);
    AddName(preset, "created", data->created);
    AddInteger(preset, "PID", gDevice.pid);
    AddInteger(preset, "VID", gDevice.vid);
    AddInteger(preset, "Group ID", gDevice.groupId);
    AddInteger(preset, "unique id", data->uniqueId);
    AddBoolean(preset, "read only", false);
    AddBoolean(preset, "ROM", false);
    PlistNode* presets = AddKeyed(preset, "presets", PlistType::Array);
    int count = std::min(gDevice.presetCount, kMaxPresets);
    for (int p = 0; p < count; p++) AddPreset(presets, data->presets[p]);
    return root;
}

