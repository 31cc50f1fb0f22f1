// The loaded device model: everything particular to one Corvanith model, read
// from its folder's "definition.xml". Exactly one definition is loaded at a time
// (gDevice); it is overwritten by each load and never written back.
//
// Invariants:
//   1. Every text field is NUL-terminated within its array, whatever the file held.
//   2. Table entries at and beyond their count are zero/empty and not in use.
//   3. controlCount <= kMaxControls, typeCount <= kMaxControllerTypes, and so on
//      for every table; variableCount <= kMaxVariables even when the file's
//      variable limit is larger.
//   4. linearControlCount + buttonControlCount <= controlCount (controls whose
//      type name matches no type are in neither count).
#pragma once

#include <cstdint>

// Capacities of the fixed tables.
constexpr int kMaxControls = 100;
constexpr int kMaxControllerTypes = 32;
constexpr int kMaxVariables = 16;
constexpr int kMaxVariableMasks = 16;
constexpr int kMaxZoneFields = 16;
constexpr int kMaxControlFields = 32;
constexpr int kMaxSysexFields = 32;
constexpr int kMaxZones = 8;  // zones in a preset
constexpr int kMaxPresetsPerBank = 128;
constexpr int kDefaultVariableCount = 8;  // defaults exist for the first 8 variables only
constexpr int kDefaultZoneCount = 8;      // zone field defaults, by field id - 1
constexpr int kBlackKeysPerOctave = 5;
constexpr int kWhiteKeysPerOctave = 7;
constexpr int kMaxNumberListItems = 10;  // a number list uses at most this many

// Field sizes in bytes, terminating NUL included.
constexpr int kNameLen = 48;
constexpr int kPathLen = 280;
constexpr int kBackgroundNameLen = 60;  // the device picture's file name
constexpr int kImageNameLen = 68;       // every other picture's file name
constexpr int kCcSetTextLen = 48;

// Left, top, right, bottom.
struct DeviceRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct ControlDef {
    char name[kNameLen];
    char description[kNameLen];
    int32_t id;    // -1 when missing; the per-zone copies of one physical control share it
    int32_t zone;  // 0: in every zone; n: only in zone n (from 1)
    char typeName[kNameLen];
    int32_t backgroundCentre[2];  // x, y; only set by the four-number `position`
    DeviceRect backgroundRect;    // filled by the graphic view
    int32_t overlayCentre[2];     // x, y
    DeviceRect overlayRect;       // filled by the graphic view
    int32_t typeIndex;            // index into types; 0 when the type name matches none
};

struct ControllerType {
    char name[kNameLen];
    int32_t valueMin;  // -1 when missing
    int32_t valueMax;  // -1 when missing
    int32_t linear;    // -1 when missing; any non-zero value means linear
    int32_t program;   // -1 when missing; non-zero: bank files keep the program number
    char supportedCc[kCcSetTextLen];  // this type's CcSet text
    char background[kImageNameLen];
    char backgroundSelected[kImageNameLen];
    char normalImage[kImageNameLen];
    char selectedImage[kImageNameLen];
};

struct VariableMask {
    char name[kNameLen];
    int32_t mask;  // -1 when missing
};

struct VariableDef {
    char name[kNameLen];  // also the key of its default value
    int32_t id;
    int32_t valueMin;
    int32_t valueMax;
    int32_t target;  // slot in the SysEx image and in a bank file's `variables`
    int32_t maskCount;
    uint8_t alwaysOneValue;  // exactly one mask option on at a time
    VariableMask masks[kMaxVariableMasks];
};

struct ZoneFieldDef {
    char name[kNameLen];
    char tagName[kNameLen];
    int32_t id;
    int32_t valueMin;
    int32_t valueMax;
};

// The field with id n labels list column n - 1 and detail field n - 1.
struct ControlFieldDef {
    char name[kNameLen];
    char shortName[kNameLen];
    char tagName[kNameLen];
    int32_t id;
    int32_t valueMin;
    int32_t valueMax;
    int32_t editable;
    int32_t listView;
    int32_t detailedView;
};

// Only array and tagName are used; the SysEx layout itself is fixed.
struct SysexFieldDef {
    int32_t sysex;  // -1 when missing
    char array[kNameLen];
    char tagName[kNameLen];
    int32_t nibble;
    int32_t offset;
};

// The values of a fresh preset; the control values also stand in for keys a
// bank file's control lacks.
struct DefaultValues {
    int32_t channel;
    int32_t midiCc;
    int32_t program;
    int32_t msb;
    int32_t lsb;
    int32_t variables[kDefaultVariableCount];  // by VariableDef index
    int32_t zones[kDefaultZoneCount];          // by ZoneFieldDef id - 1
};

struct DeviceDefinition {
    char directory[kPathLen];  // the device folder, with its trailing separator
    char name[kNameLen];
    int32_t vid;
    int32_t pid;  // ties banks and ROM banks to this model
    int32_t groupId;
    char background[kBackgroundNameLen];
    int32_t bounds[4];  // x, y, width, height as read
    char zoneKeyboardBackground[kImageNameLen];
    uint32_t colour;  // red + 256 * green + 65536 * blue
    int32_t keyboardSize;
    int32_t presetCount;
    int32_t buttonControlCount;
    int32_t linearControlCount;
    int32_t zoneLimit;
    int32_t variableLimit;
    DeviceRect zoneKeyboardRect;
    int32_t baseNote;
    int32_t baseIndex;
    int32_t lowestNote;   // note of key 0
    int32_t highestNote;  // note of the last key
    DeviceRect octaveRect;
    DeviceRect blackKeys[kBlackKeysPerOctave];
    DeviceRect whiteKeys[kWhiteKeysPerOctave];
    int32_t variableSlots;
    int32_t variableCount;
    int32_t controlCount;
    int32_t typeCount;
    int32_t zoneFieldCount;
    ZoneFieldDef zoneFields[kMaxZoneFields];
    int32_t controlFieldCount;
    ControlFieldDef controlFields[kMaxControlFields];
    char supportedCc[kCcSetTextLen];  // the device-wide CcSet text
    int32_t sysexFieldCount;
    SysexFieldDef sysexFields[kMaxSysexFields];
    DefaultValues defaults;
    ControlDef controls[kMaxControls];
    ControllerType types[kMaxControllerTypes];
    VariableDef variables[kMaxVariables];
};

// The colour of a definition without a valid `colour` list.
constexpr uint32_t kDefaultDeviceColour = 229u + 256u * 228u + 65536u * 231u;

// The one loaded definition. Touched by the user-interface thread only.
extern DeviceDefinition gDevice;

// The loaded definition's number of controls, brought into 0..kMaxControls:
// every loop and range check over the controls uses it.
int ControlCount();

// Whether controller type index `type` has a program number: its "program"
// is non-zero. False for an index that names no type.
bool TypeHasProgram(const DeviceDefinition& def, int type);
// The same for the type of control index `control`; false for no control.
bool ControlHasProgram(const DeviceDefinition& def, int control);

// Loads gDevice from deviceFolder + "definition.xml" (deviceFolder ends in a
// separator). What could be read is in gDevice afterwards; nothing is shown.
void LoadDeviceDefinition(const char* deviceFolder);

// The same into any definition; for tests and tools.
void DeviceDefinitionLoad(DeviceDefinition* def, const char* deviceFolder);
// Resets every field to zero/empty.
void DeviceDefinitionReset(DeviceDefinition* def);

struct PlistNode;
// Fills def from an already parsed document (its root). def is reset first,
// but its directory is kept.
void DeviceDefinitionRead(DeviceDefinition* def, PlistNode* root);

// Whether controller number cc may be assigned to control controlIndex of def:
// the control's type's CcSet decides when it has a member, else the device's.
int DeviceDefinitionAcceptsCc(const DeviceDefinition* def, int controlIndex, int cc);
// The type a control really is of, or null: typeIndex is 0 both for the
// first type and for a type name that matches none.
const ControllerType* ControlOwnType(const DeviceDefinition* def, int controlIndex);
int ControlAcceptsCc(int controlIndex, int cc);  // on gDevice
// Whether gDevice holds a definition: before the first load, and after one
// that failed, it is reset, and a bank can be neither read nor made by it.
int ModelLoaded();

// Among the sysex fields of arrayName: returns their count and points *tagName
// at the k-th one's tag name (nullptr when there is no k-th).
int SysexFieldTag(const char* arrayName, int k, const char** tagName);
int DeviceDefinitionSysexFieldTag(const DeviceDefinition* def, const char* arrayName, int k,
                                  const char** tagName);
// Position of tagName among the fields of arrayName; their count when absent.
int SysexFieldIndex(const char* arrayName, const char* tagName);
int DeviceDefinitionSysexFieldIndex(const DeviceDefinition* def, const char* arrayName,
                                    const char* tagName);
// The zone fields that hold a zone's lowest and highest note.
void ZoneNoteFields(int* lowField, int* highField);
void DeviceDefinitionZoneNoteFields(const DeviceDefinition* def, int* lowField, int* highField);

// The index of the first type named exactly typeName, -1 when none.
int DeviceDefinitionFindType(const DeviceDefinition* def, const char* typeName);

// Note played by keyboard key k (0 at the left).
inline int DeviceKeyNote(const DeviceDefinition* def, int key) {
    return def->lowestNote + key;
}
