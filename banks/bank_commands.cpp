// The File commands on whole banks: New, Load, Save, Save As, Reload,
// Delete, Rename, and the questions at Quit.
#include "banks/bank_commands.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "banks/bank_aside.h"
#include "banks/bank_file.h"
#include "banks/bank_recovery.h"
#include "banks/discovery.h"
#include "banks/file_dialogs.h"
#include "banks/sxl_file.h"
#include "banks/undo_history.h"
#include "base/app_state.h"
#include "base/durable_file.h"
#include "base/messages.h"
#include "base/working_blocks.h"
#include "devices/folder_list.h"

int (*gSendBankAtQuit)(int bank) = nullptr;
int (*gImportSyxFile)(const char* path) = nullptr;

// A successful load or Save As: the next dialog starts at this file.
static void RememberBankPath(const char* path) {
    if (gLastBankPath) CopyText(gLastBankPath, kPathSize, path);
    if (gLastBankName) CopyText(gLastBankName, kPathSize, FileNamePart(path));
    if (gFileIo) FolderOfPath(path, gFileIo->initialDir, sizeof gFileIo->initialDir);
}

static void ShowPopup(int id, const char* path) {
    SetStatusPopupText(id, path);
    ShowStatusPopup(1);
}

std::string UserBankPath(const std::string& name) {
    std::string folder = JoinPath(DiscoveryProgramFolder(), "User Preset Banks");
    return JoinPath(folder, name + ".xml");
}

bool IsUserBankPath(const char* path) {
    char stem[kDisplayNameLen];
    DisplayNameFromPath(path, stem, sizeof stem);
    return SameFilePath(path, UserBankPath(stem).c_str());
}

void UniqueUserBankName(const char* base, const char* separator, char* out, size_t size) {
    // Only open banks count; files on disk are not looked at. At most 64
    // banks are open, so this ends within 65 tries.
    std::string name = base;
    for (int number = 2; IsBankOpen(UserBankPath(name).c_str()); number++) {
        name = std::string(base) + separator + std::to_string(number);
    }
    CopyText(out, size, name.c_str());
}

// A bank name made by the program becomes its file's name among the user
// banks, which the next start opens only when the name's first "." starts
// ".xml": no "." and nothing a file name cannot hold.
static void MakeFileName(char* name) {
    for (char* c = name; *c; c++) {
        if (*c == '.' || !CharFitsFileName(*c)) *c = '_';
    }
}

// The longest path a bank file the program names itself may have: the
// file is written beside it under its name and ".new", and Windows' file
// calls take no more than 259 characters.
constexpr size_t kLongestBankPath = kPathSize - 1 - (sizeof kDurableTempSuffix - 1);

void ImportedBankName(const char* path, char* out, size_t size) {
    char base[kDisplayNameLen];
    DisplayNameFromPath(path, base, sizeof base);
    MakeFileName(base);
    // The name becomes a file among the user banks, whose path must hold it
    // whole with its ".xml" and a number " 64" to tell it apart: cut short
    // inside the bank's path field, the name lost its extension, and the
    // bank was saved to a file the next start does not open.
    const size_t used = UserBankPath("").size() + strlen(" 64");
    const size_t room = used < kLongestBankPath ? kLongestBankPath - used : 0;
    size_t length = strlen(base);
    if (length > room) {
        length = room;
        while (length > 0 && base[length - 1] == ' ') length--;  // no blank at its end
        base[length] = '\0';
    }
    if (!base[0]) CopyText(base, "Imported");
    UniqueUserBankName(base, " ", out, size);
}

int AddNewUserBank(const char* name) {
    if (gBanks.count >= kMaxBanks) return -1;
    std::string path = UserBankPath(name);
    BankData* data = AllocBankData();
    if (!data) return -1;
    int index = gBanks.count;
    BankEntry& entry = gBanks.entries[index];
    memset(&entry, 0, sizeof entry);
    CopyText(entry.path, path.c_str());
    CopyText(entry.displayName, name);
    entry.kind = BankKind::User;
    entry.pid = gDevice.pid;
    entry.hasFile = 0;
    entry.serial = NewBankSerial();
    entry.data = data;
    InitNewBankData(data, entry.displayName);
    gBanks.count++;
    gBanks.current = index;
    // Its presets are as the device makes them, but the bank itself has never
    // been saved: it counts as changed (changeCount 1) until it is.
    ClearChanges(index);
    entry.savedHeader = kNeverSaved;
    RefreshChangeState(index);
    return index;
}

int NewUserBank() {
    if (gBanks.count >= kMaxBanks) return -1;
    // The first bank of a device has no number; a name never ends in a blank
    // (it becomes the file's name, where a trailing blank is invisible).
    char base[kDisplayNameLen];
    snprintf(base, sizeof base, "%s User Bank", gDevice.name);
    MakeFileName(base);
    char name[kDisplayNameLen];
    UniqueUserBankName(base, " ", name, sizeof name);
    return AddNewUserBank(name);
}

int NewUserBankCommand() {
    if (gBanks.count >= kMaxBanks) return -1;
    // A bank is made by its model's definition, and none is loaded yet.
    if (!ModelLoaded()) {
        StatusMessage(kStrNewBankNeedsModel);
        return -1;
    }
    RecordUndoSnapshot(UndoKind::Creation, UndoScope::Bank, gBanks.count, 0);
    int index = NewUserBank();
    FinishUndoStep();
    return index;
}

int LoadBankFile(const char* path) {
    // The device bank's rom.xml too: a second entry for it would save over it.
    // A bank that only carries the path (never saved, or put back where this
    // file had taken its name) is not this file, and its saves refuse a path
    // another bank holds.
    if (FileHeldByOpenBank(path, -1)) {
        StatusMessage(kStrAlreadyLoaded, path);
        return 0;
    }
    if (gBanks.count >= kMaxBanks) {
        StatusMessage(kStrTooManyBanks, path);
        return 0;
    }
    ShowPopup(kStrReading, path);
    int added = -1;
    if (ReadBankFile(path, &gReadScratch, true)) {
        added = AddBankFromData(path, &gReadScratch);
        // Reading switched to the file's model; with no room for the bank the
        // current bank's model must come back.
        if (added < 0) SelectBank(gBanks.current);
    }
    ShowStatusPopup(0);
    if (added >= 0) OfferRecoveryCopy(added);
    return added >= 0;
}

static int OpenFileAs(const char* path, int filter);

int LoadBankCommand() {
    char path[kPathSize] = "";
    if (gLastBankPath) CopyText(path, gLastBankPath);
    FileDialogResult chosen = {};
    if (!ShowLoadFileDialog(path, sizeof path, gFileIo ? gFileIo->initialDir : "", &chosen)) {
        return 0;
    }
    return OpenFileAs(path, chosen.filter);
}

// Reads path as a file of the given filter: a bank, or an import.
static int OpenFileAs(const char* path, int filter) {
    if (filter == kFilterSxlFile || filter == kFilterSyxFile) {
        int added = filter == kFilterSxlFile ? ImportSxlFile(path)
                    : gImportSyxFile         ? gImportSyxFile(path)
                                             : kSxlNotRead;
        if (added != kSxlNotRead) RememberBankPath(path);
        return added >= 0;
    }
    int added = LoadBankFile(path);
    // Remembered even when the read failed: the next dialog starts there.
    RememberBankPath(path);
    return added;
}

int OpenNamedFile(const char* path) {
    if (!path || !path[0]) return 0;
    const char* dot = strrchr(path, '.');
    int filter = dot && SameTextNoCase(dot, ".syx")   ? kFilterSyxFile
                 : dot && SameTextNoCase(dot, ".sxl") ? kFilterSxlFile
                                                      : kFilterBankFile;
    // A bank file opened from Explorer is usually open already (start-up
    // opens every user bank): the user wants to see it, not to be told. A
    // bank that only carries the file's path is not it: shown as the file,
    // its Save would replace the file's presets with its own.
    const int open = filter == kFilterBankFile ? BankHoldingFile(path, -1) : -1;
    if (open >= 0) {
        gBanks.current = open;
        RememberBankPath(gBanks.entries[open].path);
        return 0;
    }
    return OpenFileAs(path, filter);
}

// Writes a bank that may be saved to its path, the questions asked, and
// marks it unchanged.
static int WriteAndMarkSaved(int bank) {
    BankEntry* entry = BankAt(bank);
    ShowPopup(kStrWriting, entry->path);
    int written = WriteBankFile(bank);
    if (written) {
        entry->changeCount = 0;
        ClearChanges(bank);
    }
    ShowStatusPopup(0);
    return written;
}

// A ROM bank stays protected even after a reload cleared its flags.
static bool MaySave(const BankEntry* entry) {
    if (entry->data->readOnly == 0 && entry->kind != BankKind::Rom) return true;
    StatusMessage(kStrCannotSaveReadOnly, entry->displayName);
    return false;
}

// A bank without a file of its own may have a path another bank holds: its
// deletion undone after a Save As to that name, or a user bank that gave
// rom.xml up to its device bank. That file is the other bank's: saving or
// reloading this one would take it. Message 23 when so.
static bool PathHeldByAnotherBank(int bank) {
    const BankEntry* entry = BankAt(bank);
    if (entry->hasFile || !IsFileOfOpenBank(entry->path, bank)) return false;
    StatusMessage(kStrAlreadyLoaded, entry->path);
    return true;
}

int SaveBank(int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data || !MaySave(entry)) return 0;
    if (PathHeldByAnotherBank(bank)) return 0;
    // A new bank is named against the open banks only, so its first save may
    // meet a file that was never opened: that file is not the bank's to replace
    // without a question.
    if (!entry->hasFile && PathTaken(entry->path)) {
        if (!CheckFileWritable(entry->path)) return kSaveDeclined;
        if (MessageBoxFormat(gMainWindow, kStrAskReplaceExisting, entry->path, kMbYesNoQuestion) !=
            kIdYes) {
            return kSaveDeclined;
        }
    }
    return WriteAndMarkSaved(bank);
}

// Asks to replace an existing file, readable or not (one another program
// holds open is still someone's): false when the user declines or the file is
// protected.
static bool MayReplace(const char* path) {
    if (!PathTaken(path)) return true;
    if (!CheckFileWritable(path)) return false;
    return MessageBoxFormat(gMainWindow, kStrAskReplaceExisting, path, kMbYesNoQuestion) == kIdYes;
}

int SaveBankAsPath(int bank, const char* path) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data || !path || !path[0]) return 0;
    if (strlen(path) >= kPathLen) {
        StatusMessage(kStrCannotWriteFile, path);
        return 0;
    }
    if (IsFileOfOpenBank(path, bank)) {
        StatusMessage(kStrAlreadyLoaded, path);
        return 0;
    }
    if (!MayReplace(path)) return 0;
    ShowPopup(kStrWriting, path);
    int written = 0;
    if (SameFilePath(path, entry->path)) {
        written = WriteBankFile(bank);
        if (written) {
            entry->changeCount = 0;
            ClearChanges(bank);
        }
    } else {
        // The bank it started from stays as it was: write under the new name,
        // add the new file as a bank of its own, then put the old one back.
        BankEntry savedEntry = *entry;
        BankData* saved = AllocBankData();
        if (saved) {
            memcpy(saved, entry->data, sizeof *saved);
            CopyText(entry->path, path);
            DisplayNameFromPath(path, entry->displayName, sizeof entry->displayName);
            MakeCreatedText(entry->data->created, sizeof entry->data->created);
            entry->data->uniqueId = 0;
            written = WriteBankFile(bank);
            // With 64 banks open the file is written but not opened, and
            // the user is told so.
            if (written && gBanks.count >= kMaxBanks) StatusMessage(kStrTooManyBanks, path);
            if (written) AddBankFromData(path, entry->data);
            memcpy(entry->data, saved, sizeof *saved);
            BankData* storage = entry->data;
            *entry = savedEntry;
            entry->data = storage;
            FreeBankData(saved);
        }
    }
    if (written) RememberBankPath(path);
    ShowStatusPopup(0);
    return written;
}

// A file saved among the user banks is opened again at the next start only
// when the first "." of its name starts ".xml": a name chosen there ("Live
// v1.2.xml") keeps its other dots as "_", as the banks the program names do.
static void KeepOpenableAtStart(char* path) {
    char* name = path + (FileNamePart(path) - path);
    char* extension = strrchr(name, '.');
    if (!extension || extension == name) return;
    if (std::find(name, extension, '.') == extension || !IsUserBankPath(path)) return;
    for (char* c = name; c < extension; c++) {
        if (*c == '.') *c = '_';
    }
}

int SaveBankCommand(int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data || entry->kind != BankKind::User || entry->hasFile) {
        return SaveBank(bank);
    }
    char path[kPathSize];
    CopyText(path, entry->path);
    FileDialogResult chosen = {};
    if (!ShowSaveFileDialog(path, sizeof path, gFileIo ? gFileIo->initialDir : "", &chosen)) {
        return 0;
    }
    KeepOpenableAtStart(path);
    if (strlen(path) >= kPathLen) {
        StatusMessage(kStrCannotWriteFile, path);
        return 0;
    }
    // Another open bank's file would then belong to two banks.
    if (IsFileOfOpenBank(path, bank)) {
        StatusMessage(kStrAlreadyLoaded, path);
        return 0;
    }
    if (!MayReplace(path)) return 0;
    BankEntry before = *entry;
    char name[kNameLen];
    CopyText(name, entry->data->name);
    CopyText(entry->path, path);
    DisplayNameFromPath(path, entry->displayName, sizeof entry->displayName);
    // A bank still called by its proposed name takes the name chosen.
    if (strcmp(name, before.displayName) == 0) CopyText(entry->data->name, entry->displayName);
    // The replace question was asked above, for the file the user chose.
    int written = MaySave(entry) ? WriteAndMarkSaved(bank) : 0;
    if (written <= 0) {
        CopyText(entry->path, before.path);
        CopyText(entry->displayName, before.displayName);
        CopyText(entry->data->name, name);
        return 0;
    }
    RememberBankPath(path);
    return 1;
}

int SaveBankAs(int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry) return 0;
    if (!entry->displayName[0]) CopyText(entry->displayName, BankTitle(bank));
    char path[kPathSize];
    CopyText(path, entry->displayName);
    FileDialogResult chosen = {};
    if (!ShowSaveFileDialog(path, sizeof path, gFileIo ? gFileIo->initialDir : "", &chosen)) {
        return 0;
    }
    if (!SameFilePath(path, entry->path)) KeepOpenableAtStart(path);
    return SaveBankAsPath(bank, path);
}

int ReloadBank(int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data || PathHeldByAnotherBank(bank)) return 0;
    // Reloading throws the edits away: a changed bank asks first (message 19).
    if (entry->changeCount != 0 &&
        MessageBoxFormat(gMainWindow, kStrAskRevert, BankTitle(bank), kMbYesNoQuestion) != kIdYes) {
        return 0;
    }
    // Reading a file of another model loads that model; refused, the user
    // is left on the bank, model and place they were on.
    PlaceKept place;
    // A file that cannot be read again changes nothing, and the user is told
    // why rather than left to think the bank was reloaded.
    if (!ReadBankFile(entry->path, &gReadScratch, true)) return 0;
    // The file was replaced by a bank of another model: taken in, it would
    // be shown, saved and sent by this bank's model.
    if (gReadScratch.pid != BankModelPid(bank)) {
        StatusMessage(kStrOtherModelsBank, entry->path);
        return 0;
    }
    RecordUndoSnapshot(UndoKind::Reloading, UndoScope::Bank, bank, 0);
    CopyBank(bank, -1);
    // The bank is what its file holds, protection included: a reloaded ROM
    // bank stays read only. A device bank stays writable, as it came in,
    // whatever its file says.
    if (entry->kind != BankKind::Device) {
        entry->data->readOnly = gReadScratch.readOnly;
        entry->data->rom = gReadScratch.rom;
    }
    entry->hasFile = 1;
    ClearChanges(bank);
    FinishUndoStep();
    return 1;
}

int DeleteUserBank(int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry || entry->kind != BankKind::User) return 0;
    RecordUndoSnapshot(UndoKind::Deletion, UndoScope::Bank, bank, 0);
    // A deletion that undo could not bring back would lose the bank: the
    // allocator has said why, and the bank stays.
    if (!UndoStepHoldsBank()) {
        FinishUndoStep();
        return 0;
    }
    // The file goes aside, not away, so that undo gives back the very file;
    // a bank never saved leaves alone whatever file has its name.
    if (entry->hasFile && PathTaken(entry->path)) {
        std::string aside;
        if (!SetBankFileAside(entry->path, &aside)) {
            FinishUndoStep();
            return 0;
        }
        if (!SetUndoStepAsideFile(aside.c_str())) {
            PutBankFileBack(aside.c_str(), entry->path);
            FinishUndoStep();
            return 0;
        }
    }
    RemoveBank(bank);
    FinishUndoStep();
    SelectBank(gBanks.current);
    return 1;
}

// A name that would leave the bank's folder or that the file system cannot
// hold is refused like a failed rename; so is one with a ".": the next start
// takes a bank file's extension from the first "." and would not open it.
// Windows takes these names, whatever follows them, for its devices: a bank
// saved as "CON.xml" would go to the console, not to a file.
static bool NamesADevice(const char* name) {
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    for (const char* device : kDevices) {
        if (SameTextNoCase(name, device)) return true;
    }
    const bool port = strlen(name) == 4 && name[3] >= '1' && name[3] <= '9';
    if (!port) return false;
    const std::string stem(name, 3);
    return SameTextNoCase(stem.c_str(), "COM") || SameTextNoCase(stem.c_str(), "LPT");
}

static bool NameUsableAsFile(const char* name) {
    for (const char* p = name; *p; p++) {
        if (!CharFitsFileName(*p) || *p == '.') return false;
    }
    return !NamesADevice(name);
}

int RenameBank(int bank, const char* newName) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data) return 0;
    if (!newName || !newName[0] || !NameUsableAsFile(newName)) {
        StatusMessage(kStrCouldNotRename, entry->path);
        return 0;
    }
    char folder[kPathLen];
    FolderOfPath(entry->path, folder, sizeof folder);
    std::string newPath = std::string(folder) + newName + ".xml";
    // Two entries for one file would save over each other.
    if (newPath.size() > kLongestBankPath || IsFileOfOpenBank(newPath.c_str(), bank)) {
        StatusMessage(kStrCouldNotRename, entry->path);
        return 0;
    }
    if (entry->hasFile) {
        // Moving onto a taken name would destroy that file: refuse instead.
        // So is taking the name of a file when the bank's own has gone: its
        // saves, which ask nothing of a bank with a file, would write over it.
        // A change of letter case only is the same file on Windows.
        bool taken = PathTaken(newPath.c_str()) && !SameTextNoCase(newPath.c_str(), entry->path);
        if (taken || (PathTaken(entry->path) && rename(entry->path, newPath.c_str()) != 0)) {
            StatusMessage(kStrCouldNotRename, entry->path);
            return 0;
        }
    }
    CopyText(entry->path, newPath.c_str());
    CopyText(entry->displayName, newName);
    CopyText(entry->data->name, newName);
    return 1;
}

// Message 16 for a changed device bank, with a way back. Yes sends it (after
// loading its model when another is loaded). Returns 1 to go on (sent, or
// answered No), 0 to stop: Cancel, the box's close button, or a failed send,
// which a message box names with its reason.
static int OfferToSendDeviceBank(int bank) {
    const BankEntry& entry = gBanks.entries[bank];
    int answer = MessageBoxFormat(gMainWindow, kStrAskSendChanged, entry.displayName,
                                  kMbYesNoCancelQuestion);
    if (answer == kIdNo) return 1;
    if (answer != kIdYes) return 0;
    if (entry.pid != gDevice.pid) SelectBank(bank);
    gLastStatusText[0] = '\0';
    if (gSendBankAtQuit && gSendBankAtQuit(bank)) return 1;
    MessageBoxFormat2(gMainWindow, kStrCouldNotSend, entry.displayName, gLastStatusText,
                      kMbIconHand);
    return 0;
}

// Message 17 for a changed user bank; as OfferToSendDeviceBank, with Save.
static int OfferToSaveUserBank(int bank) {
    const BankEntry& entry = gBanks.entries[bank];
    int answer = MessageBoxFormat(gMainWindow, kStrAskSaveChanged, entry.displayName,
                                  kMbYesNoCancelQuestion);
    if (answer == kIdNo) return 1;
    if (answer != kIdYes) return 0;
    gLastStatusText[0] = '\0';
    int saved = SaveBank(bank);
    if (saved == 1) return 1;
    // Declining to replace a stranger's file is the user's own way back, and
    // a protected one has said why in a box of its own.
    if (saved != kSaveDeclined) {
        MessageBoxFormat2(gMainWindow, kStrCouldNotSave, entry.displayName, gLastStatusText,
                          kMbIconHand);
    }
    return 0;
}

PlaceKept::PlaceKept()
    : current(gBanks.current),
      deviceBank(gBanks.deviceBank),
      preset(gBanks.currentPreset),
      control(gBanks.currentControl),
      selection(gSelection) {}

PlaceKept::~PlaceKept() {
    if (BankAt(current) && (gBanks.current != current || gDevice.pid != BankModelPid(current))) {
        SelectBank(current);
        gBanks.currentPreset = preset;
        gBanks.currentControl = control;
        gSelection = selection;
    }
    if (gBanks.deviceBank != deviceBank) SetDeviceBank(deviceBank);
}

int ConfirmChangedBanks() {
    PlaceKept place;  // sending a device bank selects it, its model and device bank
    for (int i = 0; i < gBanks.count; i++) {
        const BankEntry& entry = gBanks.entries[i];
        if (entry.changeCount == 0) continue;
        int goOn = 1;
        if (entry.kind == BankKind::User) goOn = OfferToSaveUserBank(i);
        if (entry.kind == BankKind::Device) goOn = OfferToSendDeviceBank(i);
        if (!goOn) return 0;
    }
    return 1;
}

int ConfirmDeviceBanksBeforeRefresh() {
    PlaceKept place;  // sending a device bank selects it, its model and device bank
    for (int i = 0; i < gBanks.count; i++) {
        const BankEntry& entry = gBanks.entries[i];
        if (entry.kind == BankKind::Device && entry.changeCount != 0 && !OfferToSendDeviceBank(i)) {
            return 0;
        }
    }
    return 1;
}
