// Reading a bank file into a BankData. Whatever the file holds, the reader
// stays inside the bank's tables: at most 128 presets, 100 controls, 16
// variable slots, the definition's zones and zone fields, and every text cut
// to its field.
#include <cstring>

#include "banks/bank_file.h"
#include "devices/discovery.h"
#include "plist/plist_node.h"
#include "plist/plist_xml.h"
#include "shell/app_state.h"
#include "shell/messages.h"

// UTF-8 of a name of at most 72 characters, each at most 4 bytes.
constexpr int kUtf8NameBufferSize = 4 * 72 + 1;

static int Min(int a, int b) {
    return a < b ? a : b;
}

// The number under key: -1 when the key is missing (a real is truncated,
// true/false give 1/0, any other kind 0).
static int32_t NumberOf(const PlistNode* node, const char* key) {
    return GetIntOfChild(node, key);
}

// As NumberOf, but a missing key gives fallback.
static int32_t NumberOr(const PlistNode* node, const char* key, int32_t fallback) {
    return FindChild(node, key, 0) ? GetIntOfChild(node, key) : fallback;
}

// A control value: missing, or -1, gives the definition's default.
static int32_t ControlValue(const PlistNode* node, const char* key, int32_t fallback) {
    int32_t value = GetIntOfChild(node, key);
    return value == -1 ? fallback : value;
}

// A name key: decoded from UTF-8; the field is left alone when the key is missing.
static void ReadName(const PlistNode* node, const char* key, char* out, size_t size) {
    char utf8[kUtf8NameBufferSize];
    if (GetTextOfChild(node, key, utf8, sizeof utf8) < 0) return;
    NameFromUtf8(utf8, out, size);
}

static int ListLength(const PlistNode* list, int capacity) {
    if (!IsContainer(list)) return 0;
    return Min(static_cast<int>(ChildCount(list)), capacity);
}

static void ReadBankHeader(const PlistNode* preset, BankData* bank) {
    ReadName(preset, "name", bank->name, sizeof bank->name);
    ReadName(preset, "created", bank->created, sizeof bank->created);
    bank->pid = NumberOf(preset, "PID");
    bank->vid = NumberOf(preset, "VID");
    bank->groupId = NumberOf(preset, "Group ID");
    if (bank->groupId < 16) bank->groupId = 16;
    bank->uniqueId = NumberOf(preset, "unique id");
}

static void ReadVariables(const PlistNode* list, PresetRecord* preset) {
    int count = ListLength(list, kMaxVariables);
    int defined = Min(gDevice.variableCount, kMaxVariables);
    for (int k = 0; k < count; k++) {
        const PlistNode* element = ChildAt(list, k);
        int32_t value = NumberOr(element, "value", 0);
        // Element k is slot k: it belongs to the first variable aimed at it.
        for (int v = 0; v < defined; v++) {
            if (gDevice.variables[v].target == k) {
                preset->variables[v] = value;
                break;
            }
        }
    }
    preset->variableCount = count;
}

static void ReadZones(const PlistNode* list, PresetRecord* preset) {
    const char* tag = nullptr;
    int fields = Min(SysexFieldTag("zones", 0, &tag), kMaxZoneFields);
    int zones = Min(ListLength(list, kMaxZones), Min(gDevice.zoneLimit, kMaxZones));
    for (int z = 0; z < zones; z++) {
        const PlistNode* element = ChildAt(list, z);
        for (int f = 0; f < fields; f++) {
            SysexFieldTag("zones", f, &tag);
            preset->zones[z][f] = tag ? NumberOr(element, tag, 0) : 0;
        }
    }
    preset->zoneFieldCount = fields;
}

static void ReadControls(const PlistNode* list, PresetRecord* preset) {
    const DefaultValues& d = gDevice.defaults;
    int count = ListLength(list, kMaxControls);
    for (int j = 0; j < count; j++) {
        const PlistNode* element = ChildAt(list, j);
        PresetControl& control = preset->controls[j];
        control.origin = NumberOf(element, "origin");
        control.channel = ControlValue(element, "channel", d.channel);
        control.midiCc = ControlValue(element, "MIDICC", d.midiCc);
        control.program = ControlValue(element, "program", d.program);
        control.msb = ControlValue(element, "msb", d.msb);
        control.lsb = ControlValue(element, "lsb", d.lsb);
        ReadName(element, "desc", control.desc, sizeof control.desc);
    }
    preset->controlCount = count;
}

static void ReadPresets(const PlistNode* list, BankData* bank) {
    int count = ListLength(list, kMaxPresets);
    for (int p = 0; p < count; p++) {
        const PlistNode* element = ChildAt(list, p);
        PresetRecord* preset = &bank->presets[p];
        ReadName(element, "name", preset->name, sizeof preset->name);
        ReadName(element, "created", preset->created, sizeof preset->created);
        ReadVariables(FindChild(element, "variables", 0), preset);
        const PlistNode* zones = FindChild(element, "zones", 0);
        if (zones) ReadZones(zones, preset);
        ReadControls(FindChild(element, "controls", 0), preset);
    }
    bank->presetCountInFile = count;
}

// Parses path; a document with an XML error counts as unreadable even though
// the parser hands back what it built before the error. With messages, the
// user learns which file failed and why: it could not be opened, or where
// the parser stopped.
static PlistNode* LoadWholeDocument(const char* path, bool withMessages = false) {
    PlistNode* error = Create(nullptr, PlistType::None);
    PlistNode* root = LoadPlistFile(path, error);
    bool failed = TypeOf(error) != PlistType::None;
    if (withMessages && failed) {
        MessageBoxFormat2(gMainWindow, kStrNotXmlFile, path, TextOf(error), kMbIconHand);
    } else if (withMessages && !root) {
        StatusMessage(kStrCannotOpenFile, path);
    }
    DestroyTree(error);
    if (failed) {
        DestroyTree(root);
        return nullptr;
    }
    return root;
}

int ReadBankFile(const char* path, BankData* target, bool withMessages) {
    if (!path || !target) return 0;
    // The second pass runs once the bank's own model is loaded; a model whose
    // PID still differs after the switch is not read at all.
    for (int pass = 0; pass < 2; pass++) {
        PlistNode* root = LoadWholeDocument(path, withMessages && pass == 0);
        if (!root) return 0;
        const PlistNode* preset = FindChild(root, "preset", 0);
        if (TypeOf(preset) != PlistType::Dict) {
            DestroyTree(root);
            if (withMessages) MessageBoxFormat(nullptr, kStrNotEditorFile, path, kMbIconHand);
            return 0;
        }
        memset(target, 0, sizeof *target);
        ReadBankHeader(preset, target);
        if (target->pid != gDevice.pid) {
            DestroyTree(root);
            if (pass > 0) return 0;
            if (!SwitchDevice(target->pid)) {
                if (withMessages) {
                    MessageBoxFormat2(gMainWindow, kStrUnknownModel, path, target->pid,
                                      kMbIconHand);
                }
                return 0;
            }
            continue;
        }
        target->deviceUniqueId = NumberOf(preset, "device unique id");
        target->readOnly = NumberOf(preset, "read only");
        target->rom = NumberOf(preset, "ROM");
        ReadPresets(FindChild(preset, "presets", 0), target);
        DestroyTree(root);
        return 1;
    }
    return 0;
}

bool CheckFileWritable(const char* path) {
    PlistNode* root = LoadWholeDocument(path);
    if (!root) return true;
    const PlistNode* preset = FindChild(root, "preset", 0);
    bool refused = false;
    if (TypeOf(preset) == PlistType::Dict) {
        // A missing key reads as -1, which counts as set.
        refused = NumberOf(preset, "read only") != 0 || NumberOf(preset, "ROM") != 0;
    }
    DestroyTree(root);
    if (refused) MessageBoxFormat(nullptr, kStrCannotSaveReadOnly, path, kMbIconHand);
    return !refused;
}
