// The preset and bank model: every open bank held whole in memory, in the one
// process-wide BankList, with the small operations that copy and swap presets
// and control assignments between banks.
//
// Invariants (checked by asserts in debug builds where cheap):
//   1. 0 <= current < count when count > 0; entries 0..count-1 all have data.
//   2. The meaningful presets of a bank are 0 .. presetCount - 1 of the loaded
//      DeviceDefinition; controls i < controlCount correspond to ControlDef i.
//   3. A bank counts as changed exactly when it differs from what was last
//      saved, loaded, sent or received (its saved state, kept as fingerprints
//      in its entry): a preset's changed flag says whether that preset
//      differs, the entry's changeCount how many parts of the bank do. A bank
//      never saved counts as changed. RefreshChangeState puts them right after
//      an edit, an undo or a redo; ClearChanges makes the bank's present
//      contents its saved state.
//   4. A ROM bank and any bank whose readOnly is non-zero is never changed: the
//      editing code asks CheckWritable before it copies or swaps anything.
//   5. Every entry has a serial number of its own that no other entry of this
//      run has had; the undo history names banks by it, so that reordering
//      the list cannot point a step at another bank.
//
// All texts are 8-bit (Latin-1), NUL-terminated, in fixed-size fields:
// text[48] holds at most 47 characters. Every write into a field goes through
// CopyText, which cuts to fit and clears the bytes after the text.
#pragma once

#include <cstddef>
#include <cstdint>

#include "devices/device_definition.h"

// Capacities shared with the device definition (kMaxControls 100,
// kMaxVariables 16, kMaxZones 8, kMaxZoneFields 16, kNameLen 48, kPathLen 280).
constexpr int kMaxBanks = 64;
constexpr int kMaxPresets = kMaxPresetsPerBank;  // 128
constexpr int kPresetCreatedLen = 20;
constexpr int kDisplayNameLen = 256;

// What a bank is to the user. The numbers are the ones the bank list is
// ordered by (device banks first) and the ones the undo history stores.
enum class BankKind : int32_t { Device = 0, User = 1, Rom = 2 };

// One control's assignment within one preset.
struct PresetControl {
    int32_t origin;       // library unique id * 65536 + index in that library; -1 = none
    int32_t channel;      // MIDI channel
    int32_t midiCc;       // controller number
    int32_t program;      // program number (controls whose type has a program)
    int32_t msb;          // bank select MSB
    int32_t lsb;          // bank select LSB
    char desc[kNameLen];  // the control's description within this preset
};

// One complete setting of the device.
struct PresetRecord {
    char name[kNameLen];
    char created[kPresetCreatedLen];
    int32_t variableCount;                     // number of variable entries of the preset
    int32_t controlCount;                      // number of controls of the preset
    int32_t zoneFieldCount;                    // number of zone fields per zone
    int32_t variables[kMaxVariables];          // by VariableDef index, not by slot
    int32_t zones[kMaxZones][kMaxZoneFields];  // zone z, ZoneFieldDef f
    PresetControl controls[kMaxControls];      // one per ControlDef
    int32_t changed;                           // non-zero: differs from the saved state
};

// The contents of one bank (one block per open bank, plus the two scratches).
struct BankData {
    char name[kNameLen];     // "name"
    char created[kNameLen];  // "created"
    int32_t pid;             // "PID"
    int32_t vid;             // "VID"
    int32_t groupId;         // "Group ID", at least 16
    int32_t uniqueId;        // "unique id"; 0 = none yet
    int32_t deviceUniqueId;  // "device unique id"
    int32_t readOnly;        // "read only"; non-zero = read only
    int32_t rom;             // "ROM"
    int32_t presetCountInFile;
    PresetRecord presets[kMaxPresets];
};

// One open bank in the list.
struct BankEntry {
    char path[kPathLen];  // the bank's file; "rom.xml" in the device folder for a device bank
    char displayName[kDisplayNameLen];  // file name without its extension; device name for a device
                                        // bank
    BankKind kind;
    int32_t pid;  // PID of the device model the bank belongs to
    int32_t
        connection;  // device bank: what the identity reply carried (handed to the transfer engine)
    int32_t changeCount;  // parts that differ from the saved state; non-zero = changed
    int32_t hasFile;      // 1 once read from or written to its file
    // The bank's identity for this run (invariant 5); 0 until it is first
    // needed. Travels with the entry when the list is reordered and when undo
    // takes the bank out and puts it back.
    int32_t serial;
    // Fingerprints of the saved state (invariant 3): the bank's own fields
    // and displayName, and each preset; kNeverSaved for a part with none.
    uint64_t savedHeader;
    uint64_t savedPresets[kMaxPresets];
    BankData* data;  // owned by the entry: taken when added, freed when removed
};

// The open banks, in display order. Owned by the user-interface thread; the
// transfer engine's completion runs there too.
struct BankList {
    BankEntry entries[kMaxBanks];
    int32_t count;           // entries in use, 0..64
    int32_t current;         // the bank the views show
    int32_t currentPreset;   // current preset of the current bank
    int32_t currentControl;  // current control
    int32_t deviceBank;      // remembered device bank index for FindDeviceBank; -1 none
};

// The selections the copy and paste operations work with (the views own
// their appearance). Flags are 0 or 1.
struct BankSelection {
    uint8_t controls[kMaxControls];
    uint8_t savedControls[kMaxControls];
    uint8_t presets[kMaxPresets];
    uint8_t savedPresets[kMaxPresets];
    uint8_t markedControls[kMaxControls];  // the controls being moved or pasted
};

extern BankList gBanks;
extern BankSelection gSelection;
// A bank file is read here first and copied into its entry only when the read
// worked; downloads land here too.
extern BankData gReadScratch;
// Keeps a bank's preset names while a download replaces its presets.
extern BankData gNameScratch;

// --- Fixed-size text helpers ---------------------------------------------

// Copies src into dst[size], cutting it to size - 1 bytes, and clears the
// rest of dst; always terminates.
void CopyText(char* dst, size_t size, const char* src);
template <size_t N>
inline void CopyText(char (&dst)[N], const char* src) {
    CopyText(dst, N, src);
}
// ASCII case-insensitive equality, as the file system compares paths.
bool SameTextNoCase(const char* a, const char* b);

// --- Bank list ------------------------------------------------------------

// Empties the list and frees every bank (start-up and shutdown).
void ResetBankList();
// Takes a zero-filled block for a bank; nullptr when memory runs short (the
// allocator has reported it).
BankData* AllocBankData();
void FreeBankData(BankData* data);
// The entry at index, or nullptr when index is not in use.
BankEntry* BankAt(int index);
// The data of bank index, or the read scratch for -1; nullptr otherwise.
BankData* BankDataAt(int index);
// Preset `preset` of bank `bank`, or null when either is out of range.
PresetRecord* PresetAt(int bank, int preset);
// A serial number no entry of this run has had.
int32_t NewBankSerial();
// The entry's serial, given one first when it has none yet.
int32_t BankSerial(int index);
// The index of the entry with that serial, or -1 when no open bank has it.
int FindBankBySerial(int32_t serial);

// --- Look-ups ---------------------------------------------------------------

// The remembered device bank when it is of model pid, else the first of that
// model (the user may have turned to another model's device bank meanwhile,
// or a dump came from another connected model's device).
int DeviceBankOfModel(int pid);
// The remembered device bank, else the first device bank of the loaded
// model's PID (remembered from then on); -1 when none. Hands the bank's
// connection value to the transfer engine when found.
int FindDeviceBank();
// The first device bank with that PID, or -1.
int FindDeviceBankByPid(int pid);
// Makes bank `index` the device bank (-1: none) and tells the exchange.
void SetDeviceBank(int index);
// The device bank a transfer of the current bank goes to: the current bank
// when it is a device bank; else the remembered one when it is of the current
// bank's model; else the first device bank of that model; -1 when none.
int DeviceBankForCurrent();
// A transfer command remembers that bank first: on a device bank shown it acts
// on that bank's own device (with two devices of one model the one remembered
// may be the other, a click on a row leaves it), and on a bank of a second
// connected model it goes to that model's device, not the other one's.
void RememberCurrentDeviceBank();
// Every change of which device bank the exchange runs by, or of the loaded
// model it falls back to, ends here: the exchange republishes its layout at
// once, so that a dump the device starts unasked is read by the right sizes.
void DeviceBankChanged();
// Whether a user or ROM bank with that path is open (case-insensitive).
bool IsBankOpen(const char* path);
// Whether a bank other than `except` (-1: none) has its file at path, the
// device bank's "rom.xml" included (case-insensitive): writing there would
// take that bank's file, and two entries for one file save over each other.
bool IsFileOfOpenBank(const char* path, int except);
// Whether a bank other than `except` (-1: none) holds the file at path: one
// that reads and writes it, or a device bank, whose rom.xml is its own even
// when it could not read it. A bank without a file of its own (never saved,
// or put back where another file had taken its name) only carries the path.
bool FileHeldByOpenBank(const char* path, int except);
// The first such bank's index, or -1.
int BankHoldingFile(const char* path, int except);
// The bank's own name for user and ROM banks, the displayName of a device bank.
const char* BankTitle(int index);
// The device model a bank belongs to: its entry's PID, else the one its file
// gave; -1 for no such bank.
int BankModelPid(int index);
int ControlMidiCc(int bank, int preset, int control);
// Whether "send the changes" is possible: the current bank is the found
// device bank's model, is a device bank and has changed.
bool CanSendChanges();

// --- Checks (each shows its message and answers false) ---------------------

// Message 30 when the bank is a ROM bank or is marked read only.
bool CheckWritable(int bank);
// Message 34 when the bank belongs to another model than the loaded one.
bool CheckBankPid(int bank);

// --- Copy and swap (callers take the undo snapshot first) -------------------

// Copies one control when the target accepts its controller number.
bool CopyControl(int srcBank, int srcPreset, int srcControl, int dstBank, int dstPreset,
                 int dstControl);
// CopyControl from a record held apart: a copy of controls taken before
// the first of them was overwritten.
bool PlaceControl(const PresetControl& source, int dstBank, int dstPreset, int dstControl);
// Exchanges two controls when each accepts the other's controller number.
bool SwapControls(int bankA, int presetA, int controlA, int bankB, int presetB, int controlB);
// (Pasting and moving several controls, and single presets, are the
// clipboard's and the drops' own work: views/clipboard.cpp, views/drops.cpp.)
// Copies the selected presets of the source to consecutive target presets
// from startPreset until the device's presetCount. Returns the number copied.
int PasteSelectedPresets(int srcBank, int dstBank, int startPreset);
// As PasteSelectedPresets, exchanging instead of copying. Within one bank it
// is a move: the selected presets land in order from startPreset, and the
// presets they displace take the places they left, in order.
int SwapSelectedPresets(int srcBank, int dstBank, int startPreset);
// Copies a whole bank: target -1 is the read scratch, source -1 likewise.
// The target's presets all become changed, its changeCount rises and its
// readOnly and rom flags are cleared.
void CopyBank(int dstBank, int srcBank);
// What a bank is called and known by, rather than what it holds: its name
// (which menus, questions and exports call it by until it is saved), its
// creation text and its unique ids. Kept across contents put into the bank
// from elsewhere (another bank dropped on it, an undo step).
struct BankOwnFields {
    char name[kNameLen];
    char created[kNameLen];
    int32_t uniqueId;
    int32_t deviceUniqueId;
};
BankOwnFields KeepOwnFields(const BankData& bank);
void RestoreOwnFields(const BankOwnFields& kept, BankData* bank);

// --- Change state (bank_changes.cpp) -------------------------------------------

// A fingerprint no contents give: the part has no saved state.
constexpr uint64_t kNeverSaved = 0;
// The bank's present contents become its saved state: nothing counts as
// changed (after a save, a load, a reload, a whole send or a receipt).
void ClearChanges(int bank);
void ClearAllChanges();
// One preset now matches the device (sent on its own).
void ClearPresetChange(int bank, int preset);
// The bank has no saved state: all of it counts as changed (an import).
void ForgetSavedState(int bank);
// Sets every preset's changed flag and the bank's changeCount from a
// comparison with the saved state.
void RefreshChangeState(int bank);
// The same for one preset (none when preset is outside 0..127) and the
// bank's own fields and count, when nothing else can have changed.
void RefreshPresetChange(int bank, int preset);
// Whether two records hold the same contents, byte for byte, their changed
// counters aside.
bool SamePresetContents(const PresetRecord& a, const PresetRecord& b);
bool SameBankContents(const BankData& a, const BankData& b);

// --- Ordering ----------------------------------------------------------------

// Exchanges neighbouring entries while a bank of lower kind follows one of
// higher kind (a stable bubble sort), so device banks come first; the current
// bank stays current as it moves.
void ReorderBanksByKind();
