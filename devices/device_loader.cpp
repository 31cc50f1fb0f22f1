// Reading "definition.xml" into a DeviceDefinition. The steps follow the
// order the file is laid out in; each table stops at its capacity, each text
// is cut to its field, and a missing part leaves its fields reset, so a
// damaged definition gives a smaller device, never an overrun.
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

#include "devices/device_definition.h"
#include "devices/document_cache.h"
#include "devices/number_list.h"
#include "devices/key_reading.h"
#include "plist/plist_node.h"
#include "plist/plist_xml.h"

namespace {

// The highest key count on a keyboard: MIDI has 128 notes.
constexpr int kMaxKeyboardKeys = 128;
// Group IDs below this are raised to it.
constexpr int kMinGroupId = 16;
// The Group ID travels as one data byte of every message: above 127 it would
// be cut on the way, and the model's own messages would name another.
constexpr int kMaxGroupId = 127;

int32_t Saturate(int64_t v) {
    if (v > INT32_MAX) return INT32_MAX;
    if (v < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(v);
}

int32_t Clamp(int32_t v, int32_t lo, int32_t hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

// A number key: -1 when missing, else the value (0 for a kind that is no number).
int32_t Number(const PlistNode* dict, const char* key) {
    return GetIntOfChild(dict, key);
}

void ParseList(const PlistNode* dict, const char* key, NumberList* list) {
    NumberListParse(list, TextOf(FindChild(dict, key, 0)));
}

// x, y, width, height as left, top, right, bottom.
DeviceRect RectFromList(const NumberList* list) {
    DeviceRect r;
    r.left = NumberListAt(list, 0);
    r.top = NumberListAt(list, 1);
    r.right = Saturate(static_cast<int64_t>(r.left) + NumberListAt(list, 2));
    r.bottom = Saturate(static_cast<int64_t>(r.top) + NumberListAt(list, 3));
    return r;
}

// A CcSet text that does not fit its field is cut after its last whole item,
// so the set shrinks instead of changing meaning ("0-127" must not become "0-12").
template <size_t N>
void CcSetText(const PlistNode* dict, const char* key, char (&field)[N]) {
    const PlistNode* node = FindChild(dict, key, 0);
    if (!node) return;
    const char* text = TextOf(node);
    size_t len = strlen(text);
    if (len >= N) {
        len = 0;
        for (size_t i = 0; i < N - 1; ++i)
            if (text[i] == ',') len = i;
    }
    memcpy(field, text, len);
    field[len] = '\0';
}

// The variable's slot: the number in the last "[n]" of the text; the variable's
// own index when there is none, or when it is no slot the device has.
int32_t ParseTarget(const char* text, int ownIndex) {
    const char* open = strrchr(text, '[');
    if (!open || !strchr(open, ']')) return ownIndex;
    const char* p = open + 1;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '-' || *p == '+') negative = (*p++ == '-');
    int64_t v = 0;
    bool digits = false;
    while (*p >= '0' && *p <= '9') {
        if (v < 1000000) v = v * 10 + (*p - '0');
        digits = true;
        ++p;
    }
    if (!digits) return ownIndex;
    if (negative) v = -v;
    if (v < 0 || v >= kMaxVariables) return ownIndex;
    return static_cast<int32_t>(v);
}

void ReadGraphic(DeviceDefinition* def, const PlistNode* graphic) {
    Text(graphic, "background", def->background);
    NumberList list;
    ParseList(graphic, "bounds", &list);
    for (int i = 0; i < 4; ++i) def->bounds[i] = NumberListAt(&list, i);
    ParseList(graphic, "colour", &list);
    if (list.count == 3) {
        uint32_t r = static_cast<uint32_t>(list.values[0]) & 0xff;
        uint32_t g = static_cast<uint32_t>(list.values[1]) & 0xff;
        uint32_t b = static_cast<uint32_t>(list.values[2]) & 0xff;
        def->colour = r + 256u * g + 65536u * b;
    } else {
        def->colour = kDefaultDeviceColour;
    }
    if (const PlistNode* zk = FindChild(graphic, "zone keyboard", 0)) {
        Text(zk, "background", def->zoneKeyboardBackground);
        ParseList(zk, "bounds", &list);
        def->zoneKeyboardRect = RectFromList(&list);
    }
}

void ReadKeyboard(DeviceDefinition* def, const PlistNode* keyboard) {
    def->keyboardSize = Clamp(NumberOr(keyboard, "size", 0), 0, kMaxKeyboardKeys);
    const PlistNode* octave = FindChild(keyboard, "octave", 0);
    if (!octave) return;
    def->baseNote = Number(octave, "base note");
    def->baseIndex = Number(octave, "base index");
    def->lowestNote = Saturate(static_cast<int64_t>(def->baseNote) - def->baseIndex);
    def->highestNote = Saturate(static_cast<int64_t>(def->lowestNote) + def->keyboardSize - 1);
    NumberList list;
    ParseList(octave, "bounds", &list);
    def->octaveRect = RectFromList(&list);
    const PlistNode* blacks = FindChild(octave, "blacks", 0);
    for (uint32_t i = 0; i < ChildCount(blacks) && i < kBlackKeysPerOctave; ++i) {
        NumberListParse(&list, TextOf(ChildAt(blacks, i)));
        def->blackKeys[i] = RectFromList(&list);
    }
    const PlistNode* whites = FindChild(octave, "whites", 0);
    for (uint32_t i = 0; i < ChildCount(whites) && i < kWhiteKeysPerOctave; ++i) {
        NumberListParse(&list, TextOf(ChildAt(whites, i)));
        def->whiteKeys[i] = RectFromList(&list);
    }
}

void ReadSysexField(SysexFieldDef* f, const PlistNode* node) {
    f->sysex = Number(node, "sysex");
    Text(node, "array", f->array);
    Text(node, "tag name", f->tagName);
    f->nibble = NumberOr(node, "nibble", 0);
    f->offset = NumberOr(node, "offset", 0);
}

void ReadMidi(DeviceDefinition* def, const PlistNode* midi) {
    if (const PlistNode* limits = FindChild(midi, "limits", 0)) {
        // The preset tables hold 8 zones and 16 variables; larger limits would
        // have every user of them index past their ends.
        def->zoneLimit = Clamp(NumberOr(limits, "zones", 0), 0, kMaxZones);
        def->variableLimit = Clamp(NumberOr(limits, "variables", 0), 0, kMaxVariables);
    }
    def->variableSlots = def->variableLimit;
    CcSetText(midi, "supported cc", def->supportedCc);
    const PlistNode* list = FindChild(midi, "sysex list", 0);
    uint32_t n = ChildCount(list);
    for (uint32_t i = 0; i < n && def->sysexFieldCount < kMaxSysexFields; ++i)
        ReadSysexField(&def->sysexFields[def->sysexFieldCount++], ChildAt(list, i));
}

void ReadControl(ControlDef* c, const PlistNode* node) {
    Text(node, "name", c->name);
    Text(node, "description", c->description);
    c->id = Number(node, "ID");
    c->zone = NumberOr(node, "zone", 0);
    Text(node, "type", c->typeName);
    NumberList list;
    ParseList(node, "position", &list);
    if (list.count == 4) {
        c->backgroundCentre[0] = list.values[0];
        c->backgroundCentre[1] = list.values[1];
        c->overlayCentre[0] = Saturate(static_cast<int64_t>(list.values[0]) + list.values[2]);
        c->overlayCentre[1] = Saturate(static_cast<int64_t>(list.values[1]) + list.values[3]);
    } else {
        c->overlayCentre[0] = NumberListAt(&list, 0);
        c->overlayCentre[1] = NumberListAt(&list, 1);
    }
}

void ReadType(ControllerType* t, const PlistNode* node) {
    Text(node, "name", t->name);
    t->valueMin = Number(node, "value min");
    t->valueMax = Number(node, "value max");
    t->linear = Number(node, "linear");
    const PlistNode* midi = FindChild(node, "MIDI", 0);
    t->program = Number(midi, "program");
    CcSetText(midi, "supported cc", t->supportedCc);
    const PlistNode* graphic = FindChild(node, "graphic", 0);
    Text(graphic, "background", t->background);
    Text(graphic, "background selected", t->backgroundSelected);
    Text(graphic, "normal", t->normalImage);
    Text(graphic, "selected", t->selectedImage);
}

void JoinControlsToTypes(DeviceDefinition* def) {
    def->linearControlCount = 0;
    def->buttonControlCount = 0;
    for (int i = 0; i < def->controlCount; ++i) {
        ControlDef& c = def->controls[i];
        int t = DeviceDefinitionFindType(def, c.typeName);
        if (t < 0) {
            c.typeIndex = 0;
            continue;
        }
        c.typeIndex = t;
        if (def->types[t].linear != 0)
            ++def->linearControlCount;
        else
            ++def->buttonControlCount;
    }
}

void ReadVariable(VariableDef* v, const PlistNode* node, int index) {
    Text(node, "name", v->name);
    v->id = Number(node, "ID");
    v->valueMin = Number(node, "value min");
    v->valueMax = Number(node, "value max");
    v->target = ParseTarget(TextOf(FindChild(node, "target", 0)), index);
    v->alwaysOneValue = Number(node, "always_one_value") == 1 ? 1 : 0;
    const PlistNode* masks = FindChild(node, "mask", 0);
    uint32_t n = ChildCount(masks);
    for (uint32_t i = 0; i < n && v->maskCount < kMaxVariableMasks; ++i) {
        const PlistNode* m = ChildAt(masks, i);
        VariableMask& mask = v->masks[v->maskCount++];
        Text(m, "name", mask.name);
        mask.mask = Number(m, "mask");
    }
}

void ReadVariables(DeviceDefinition* def, const PlistNode* variables) {
    def->variableCount = 0;
    for (int i = 0; i < def->variableSlots && i < kMaxVariables; ++i) {
        const PlistNode* node = ChildAt(variables, static_cast<uint32_t>(i));
        if (!node) continue;  // a gap: the index still advances
        ReadVariable(&def->variables[i], node, i);
        def->variableCount = i + 1;
    }
}

void ReadZoneField(ZoneFieldDef* f, const PlistNode* node) {
    Text(node, "name", f->name);
    Text(node, "tag name", f->tagName);
    f->id = Number(node, "ID");
    f->valueMin = Number(node, "value min");
    f->valueMax = Number(node, "value max");
}

void ReadControlField(ControlFieldDef* f, const PlistNode* node) {
    Text(node, "name", f->name);
    Text(node, "short name", f->shortName);
    Text(node, "tag name", f->tagName);
    f->id = Number(node, "ID");
    f->valueMin = Number(node, "value min");
    f->valueMax = Number(node, "value max");
    f->editable = Number(node, "editable");
    f->listView = Number(node, "list view");
    f->detailedView = Number(node, "detailed view");
}

void ReadDefaults(DeviceDefinition* def, const PlistNode* values) {
    DefaultValues& d = def->defaults;
    const PlistNode* controls = FindChild(values, "controls", 0);
    d.channel = NumberOr(controls, "channel", 0);
    d.midiCc = NumberOr(controls, "MIDICC", 255);
    d.program = NumberOr(controls, "program", 0);
    d.msb = NumberOr(controls, "msb", 127);
    d.lsb = NumberOr(controls, "lsb", 0);
    const PlistNode* variables = FindChild(values, "variables", 0);
    for (int i = 0; i < def->variableSlots && i < kDefaultVariableCount; ++i)
        d.variables[i] =
            def->variables[i].name[0] ? NumberOr(variables, def->variables[i].name, 0) : 0;
    const PlistNode* zones = FindChild(values, "zones", 0);
    for (int f = 0; f < def->zoneFieldCount; ++f) {
        const ZoneFieldDef& field = def->zoneFields[f];
        // The zones array is indexed by field id - 1; ids outside it have no default.
        if (field.id < 1 || field.id > kDefaultZoneCount) continue;
        d.zones[field.id - 1] = field.tagName[0] ? NumberOr(zones, field.tagName, 0) : 0;
    }
}

}  // namespace

void DeviceDefinitionRead(DeviceDefinition* def, PlistNode* root) {
    char directory[kPathLen];
    memcpy(directory, def->directory, sizeof directory);
    DeviceDefinitionReset(def);
    memcpy(def->directory, directory, sizeof directory);
    def->directory[kPathLen - 1] = '\0';

    const PlistNode* device = FindChild(root, "device", 0);
    if (!device) return;
    Text(device, "name", def->name);
    def->vid = Number(device, "VID");
    def->pid = Number(device, "PID");
    def->groupId = Number(device, "Group ID");
    if (def->groupId < kMinGroupId) def->groupId = kMinGroupId;
    if (def->groupId > kMaxGroupId) def->groupId = kMaxGroupId;

    const PlistNode* graphic = FindChild(device, "graphic", 0);
    if (!graphic) return;
    ReadGraphic(def, graphic);

    if (const PlistNode* keyboard = FindChild(device, "keyboard", 0)) ReadKeyboard(def, keyboard);

    const PlistNode* preset = FindChild(device, "preset", 0);
    def->presetCount = Clamp(NumberOr(preset, "count", 1), 1, kMaxPresetsPerBank);

    const PlistNode* midi = FindChild(device, "MIDI", 0);
    if (midi) ReadMidi(def, midi);

    const PlistNode* controls = FindChild(device, "controls", 0);
    for (uint32_t i = 0; i < ChildCount(controls) && def->controlCount < kMaxControls; ++i)
        ReadControl(&def->controls[def->controlCount++], ChildAt(controls, i));

    const PlistNode* types = FindChild(device, "controller types", 0);
    for (uint32_t i = 0; i < ChildCount(types) && def->typeCount < kMaxControllerTypes; ++i)
        ReadType(&def->types[def->typeCount++], ChildAt(types, i));

    JoinControlsToTypes(def);
    ReadVariables(def, FindChild(device, "variables", 0));

    const PlistNode* zoneFields = FindChild(device, "zone data fields", 0);
    for (uint32_t i = 0; i < ChildCount(zoneFields) && def->zoneFieldCount < kMaxZoneFields; ++i)
        ReadZoneField(&def->zoneFields[def->zoneFieldCount++], ChildAt(zoneFields, i));
    const PlistNode* controlFields = FindChild(device, "control data fields", 0);
    for (uint32_t i = 0;
         i < ChildCount(controlFields) && def->controlFieldCount < kMaxControlFields; ++i)
        ReadControlField(&def->controlFields[def->controlFieldCount++], ChildAt(controlFields, i));

    if (const PlistNode* values = FindChild(midi, "default values", 0)) ReadDefaults(def, values);
}

namespace {

// The definition last read from each device folder, with the reading of the
// file it came from: every load of a model after the first is a copy.
struct KeptDefinition {
    uint64_t generation = 0;
    std::unique_ptr<DeviceDefinition> definition;
};

std::unordered_map<std::string, KeptDefinition>& KeptDefinitions() {
    static std::unordered_map<std::string, KeptDefinition> kept;
    return kept;
}

}  // namespace

void ClearKeptDefinitions() {
    KeptDefinitions().clear();
}

void DeviceDefinitionLoad(DeviceDefinition* def, const char* deviceFolder) {
    DeviceDefinitionReset(def);
    if (!deviceFolder) return;
    size_t len = strlen(deviceFolder);
    // A folder that does not fit its field cannot be stored, and a cut path
    // would name another folder: load nothing.
    if (len >= sizeof def->directory) return;
    memcpy(def->directory, deviceFolder, len + 1);
    uint64_t generation = 0;
    std::string problem;
    PlistNode* root =
        SharedDocument(std::string(deviceFolder) + "definition.xml", &generation, &problem);
    // A file with an XML error is no definition, however much of it was read
    // (the identity check refuses such a folder before it gets here).
    if (!root || !problem.empty()) return;
    KeptDefinition& kept = KeptDefinitions()[deviceFolder];
    if (kept.definition && kept.generation == generation) {
        *def = *kept.definition;
        return;
    }
    DeviceDefinitionRead(def, root);
    if (!kept.definition) kept.definition.reset(new DeviceDefinition);
    *kept.definition = *def;
    kept.generation = generation;
}

void LoadDeviceDefinition(const char* deviceFolder) {
    DeviceDefinitionLoad(&gDevice, deviceFolder);
}
