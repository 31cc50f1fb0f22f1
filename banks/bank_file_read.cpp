// Reading a bank file into a BankData. Whatever the file holds, the reader
// stays inside the bank's tables: at most 128 presets, 100 controls, 16
// variable slots, the definition's zones and zone fields, and every text cut
// to its field.
#include <algorithm>
#include <cstring>

#include "banks/bank_file.h"
#include "base/app_state.h"
#include "base/messages.h"
#include "banks/discovery.h"
#include "plist/plist_node.h"
#include "plist/plist_xml.h"

// UTF-8 of a name of at most 72 characters, each at most 4 bytes.
constexpr int kUtf8NameBufferSize = 4 * 72 + 1;

// The entries of a control dictionary, in the order of BankKeys::control.
enum ControlEntry { kOrigin, kChannel, kMidiCc, kProgram, kMsb, kLsb, kDesc, kControlEntries };

// The keys of a bank file, prepared once: a full bank asks each of its 12,800
// control dictionaries for the same seven.
struct BankKeys {
    PlistKey name = MakeKey("name");
    PlistKey created = MakeKey("created");
    PlistKey variables = MakeKey("variables");
    PlistKey zones = MakeKey("zones");
    PlistKey controls = MakeKey("controls");
    PlistKey value = MakeKey("value");
    PlistKey control[kControlEntries] = {MakeKey("origin"),  MakeKey("channel"),
                                         MakeKey("MIDICC"),  MakeKey("program"),
                                         MakeKey("msb"),     MakeKey("lsb"),
                                         MakeKey("desc")};
};

static const BankKeys& Keys() {
    static const BankKeys keys;
    return keys;
}

// The number an entry holds: -1 when there is no entry (a real is truncated,
// true/false give 1/0, any other kind 0).
static int32_t NumberIn(const PlistNode* entry) {
    return entry ? GetInt(const_cast<PlistNode*>(entry), nullptr, 0) : -1;
}

// The number under key, as NumberIn.
static int32_t NumberOf(const PlistNode* node, const PlistKey& key) {
    return NumberIn(FindKey(node, key));
}

static int32_t NumberOf(const PlistNode* node, const char* key) {
    return NumberOf(node, MakeKey(key));
}

// As NumberOf, but a missing key gives fallback.
static int32_t NumberOr(const PlistNode* node, const PlistKey& key, int32_t fallback) {
    const PlistNode* child = FindKey(node, key);
    return child ? NumberIn(child) : fallback;
}

// A control value: no entry, or -1, gives the definition's default.
static int32_t ControlValue(const PlistNode* entry, int32_t fallback) {
    int32_t value = NumberIn(entry);
    return value == -1 ? fallback : value;
}

// A name entry: decoded from UTF-8; the field is left alone when there is no entry.
static void ReadNameIn(const PlistNode* entry, char* out, size_t size) {
    if (!entry) return;
    char utf8[kUtf8NameBufferSize];
    GetText(entry, utf8, sizeof utf8);
    NameFromUtf8(utf8, out, size);
}

// The name under key, as ReadNameIn.
static void ReadName(const PlistNode* node, const PlistKey& key, char* out, size_t size) {
    ReadNameIn(FindKey(node, key), out, size);
}

static int ListLength(const PlistNode* list, int capacity) {
    if (!IsContainer(list)) return 0;
    return std::min(static_cast<int>(ChildCount(list)), capacity);
}

static void ReadBankHeader(const PlistNode* preset, BankData* bank) {
    ReadName(preset, Keys().name, bank->name, sizeof bank->name);
    ReadName(preset, Keys().created, bank->created, sizeof bank->created);
    bank->pid = NumberOf(preset, "PID");
    bank->vid = NumberOf(preset, "VID");
    bank->groupId = NumberOf(preset, "Group ID");
    if (bank->groupId < 16) bank->groupId = 16;
    bank->uniqueId = NumberOf(preset, "unique id");
}

static void ReadVariables(const PlistNode* list, PresetRecord* preset) {
    int count = ListLength(list, kMaxVariables);
    int defined = std::min(gDevice.variableCount, kMaxVariables);
    for (int k = 0; k < count; k++) {
        const PlistNode* element = ChildAt(list, k);
        int32_t value = NumberOr(element, Keys().value, 0);
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

// The zone fields of the loaded definition, in order, with their keys
// (a field without a tag reads as 0).
struct ZoneFields {
    int count = 0;
    bool tagged[kMaxZoneFields] = {};
    PlistKey keys[kMaxZoneFields] = {};
};

static ZoneFields LoadedZoneFields() {
    ZoneFields fields;
    const char* tag = nullptr;
    fields.count = std::min(SysexFieldTag("zones", 0, &tag), kMaxZoneFields);
    for (int f = 0; f < fields.count; f++) {
        SysexFieldTag("zones", f, &tag);
        fields.tagged[f] = tag != nullptr;
        if (tag) fields.keys[f] = MakeKey(tag);
    }
    return fields;
}

static void ReadZones(const PlistNode* list, const ZoneFields& fields, PresetRecord* preset) {
    int zones = std::min(ListLength(list, kMaxZones), std::min(gDevice.zoneLimit, kMaxZones));
    for (int z = 0; z < zones; z++) {
        const PlistNode* element = ChildAt(list, z);
        for (int f = 0; f < fields.count; f++) {
            preset->zones[z][f] = fields.tagged[f] ? NumberOr(element, fields.keys[f], 0) : 0;
        }
    }
    preset->zoneFieldCount = fields.count;
}

// Controls from index `from` on that the file does not hold stay cleared, but
// with no library: a cleared origin of 0 would name control 0 of library 0,
// and a save would write it as that library's assignment. All of them, past
// the model's counts too: a definition that gains controls or presets while
// the bank is open shows them.
static void NoOriginFrom(PresetRecord* preset, int from) {
    for (int j = from; j < kMaxControls; j++) preset->controls[j].origin = -1;
}

static void ReadControls(const PlistNode* list, PresetRecord* preset) {
    const DefaultValues& d = gDevice.defaults;
    const BankKeys& keys = Keys();
    int count = ListLength(list, kMaxControls);
    for (int j = 0; j < count; j++) {
        const PlistNode* element = ChildAt(list, j);
        PresetControl& control = preset->controls[j];
        PlistNode* entry[kControlEntries];
        FindKeys(element, keys.control, kControlEntries, entry);
        control.origin = NumberIn(entry[kOrigin]);
        control.channel = ControlValue(entry[kChannel], d.channel);
        control.midiCc = ControlValue(entry[kMidiCc], d.midiCc);
        control.program = ControlValue(entry[kProgram], d.program);
        control.msb = ControlValue(entry[kMsb], d.msb);
        control.lsb = ControlValue(entry[kLsb], d.lsb);
        ReadNameIn(entry[kDesc], control.desc, sizeof control.desc);
    }
    preset->controlCount = count;
    NoOriginFrom(preset, count);
}

static void ReadPresets(const PlistNode* list, BankData* bank) {
    const BankKeys& keys = Keys();
    const ZoneFields zoneFields = LoadedZoneFields();
    int count = ListLength(list, kMaxPresets);
    for (int p = 0; p < count; p++) {
        const PlistNode* element = ChildAt(list, p);
        PresetRecord* preset = &bank->presets[p];
        ReadName(element, keys.name, preset->name, sizeof preset->name);
        ReadName(element, keys.created, preset->created, sizeof preset->created);
        ReadVariables(FindKey(element, keys.variables), preset);
        const PlistNode* zones = FindKey(element, keys.zones);
        if (zones) ReadZones(zones, zoneFields, preset);
        ReadControls(FindKey(element, keys.controls), preset);
    }
    for (int p = count; p < kMaxPresets; p++) NoOriginFrom(&bank->presets[p], 0);
    bank->presetCountInFile = count;
}

// Parses path; a document with an XML error counts as unreadable even though
// the parser hands back what it built before the error, unless the error came
// only after the document had ended (a stray byte after it): the tree is then
// the whole document. With messages, the user learns which file failed and
// why: it could not be opened, or where the parser stopped.
static PlistNode* LoadWholeDocument(const char* path, bool withMessages = false) {
    PlistNode* error = Create(nullptr, PlistType::None);
    PlistNode* root = LoadPlistFile(path, error);
    bool failed = TypeOf(error) != PlistType::None && !PlistErrorAfterDocument(error);
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
    PlistNode* root = LoadWholeDocument(path, withMessages);
    if (!root) return 0;
    const PlistNode* preset = FindChild(root, "preset", 0);
    if (TypeOf(preset) != PlistType::Dict) {
        DestroyTree(root);
        if (withMessages) MessageBoxFormat(nullptr, kStrNotEditorFile, path, kMbIconHand);
        return 0;
    }
    memset(target, 0, sizeof *target);
    ReadBankHeader(preset, target);
    // A bank of another model is read once its own model is loaded (the
    // document parsed once serves both); a model whose PID still differs
    // after the switch is not read at all.
    if (target->pid != gDevice.pid || !ModelLoaded()) {
        if (!SwitchDevice(target->pid)) {
            DestroyTree(root);
            // The file is fine; what is missing is its model, and the user
            // can only supply it knowing which one.
            if (withMessages) {
                MessageBoxFormat2(gMainWindow, kStrUnknownModel, path, target->pid, kMbIconHand);
            }
            return 0;
        }
        if (target->pid != gDevice.pid) {
            DestroyTree(root);
            return 0;
        }
        // The header is read again, as the second reading always did.
        memset(target, 0, sizeof *target);
        ReadBankHeader(preset, target);
    }
    target->deviceUniqueId = NumberOf(preset, "device unique id");
    target->readOnly = NumberOf(preset, "read only");
    target->rom = NumberOf(preset, "ROM");
    ReadPresets(FindChild(preset, "presets", 0), target);
    DestroyTree(root);
    return 1;
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
