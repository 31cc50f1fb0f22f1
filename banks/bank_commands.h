// Bank management: everything the user does with whole banks. Creating a
// user bank, loading and saving bank files, Save As, reloading, renaming,
// deleting, the device bank added when a device connects, showing or hiding
// ROM banks, and the questions asked at quit about changed banks.
//
// The File menu's command table calls these directly:
//   1  New User Preset Bank   RecordUndoSnapshot(Creation, Bank, gBanks.count, 0); NewUserBank()
//   2  Load...                LoadBankCommand()
//   3  Save                   SaveBankCommand(gBanks.current)
//   4  Save As...             SaveBankAs(gBanks.current)
//   5  Reload Bank            ReloadBank(gBanks.current)
//   6  Delete User Preset Bank DeleteUserBank(gBanks.current)
//   10 Quit                   ConfirmChangedBanks(), then the program ends when it
//                             answers 1
// (each after CommitEdits). NewUserBankCommand() does the snapshot and the
// new bank together.
//
// User-interface thread only.
#pragma once

#include <string>

#include "banks/bank_model.h"

// The file dialogs start at gFileIo->initialDir (base/working_blocks.h)
// with the last bank file (gLastBankPath); a successful load or Save As
// stores the chosen path, its name and its folder back there.

// --- Commands ---------------------------------------------------------------

// A new user bank of the loaded device, with the device's defaults, made
// current. Returns its index, -1 when 64 banks are open.
int NewUserBank();
// A new user bank named name (path in "User Preset Banks"), made current;
// -1 when 64 banks are open or memory runs short.
int AddNewUserBank(const char* name);
// Command 1: the undo snapshot and NewUserBank.
int NewUserBankCommand();
// Command 2: the "Load File" dialog, then the bank file or the SysEx
// Librarian file chosen. Returns 1 when a bank was added.
int LoadBankCommand();
// A file named outside the dialog (the program's command line, as Explorer
// passes a file opened with the program): read by its extension as Load
// reads the filter chosen, ".syx" and ".sxl" imported, anything else a bank
// file. A bank file that an open bank holds makes that bank the current one.
// Returns 1 when a bank was added.
int OpenNamedFile(const char* path);
// Loads a bank file as Load does, without the dialog; 1 when added.
int LoadBankFile(const char* path);
// Writes the bank to its file and marks it unchanged; 0 (and the bank keeps
// its changed state, a message says why) when it is read only or cannot be
// written. The first save of a bank that never had a file asks before it
// replaces a file of that name ("Replace existing %s"): kSaveDeclined when
// the answer is No, or when that file is protected (its own box said so).
int SaveBank(int bank);
constexpr int kSaveDeclined = -1;
// Command 3: SaveBank; but a user bank that was never saved has a file name
// the user never chose, so its first Save shows the "Save File" dialog with
// its path proposed, and the bank takes the file chosen there (the replace
// question when it exists). 1 when written.
int SaveBankCommand(int bank);
// Command 4: the "Save File" dialog, then SaveBankAsPath.
int SaveBankAs(int bank);
// Save As without the dialog: refused with message 23 when path is the file
// of another open bank; the replace question when the file exists.
int SaveBankAsPath(int bank, const char* path);
// Rereads the bank from its file (undo snapshot "Reloading of"); a changed
// bank asks first (message 19). 1 when read.
int ReloadBank(int bank);
// Deletes a user bank (undo snapshot "Deletion of"): its file, when it has
// one, is set aside for the undo step (banks/bank_aside.h). Other kinds, a
// file that cannot be set aside (message 86) or no memory for the step:
// nothing. 1 when deleted.
int DeleteUserBank(int bank);
// Renames the bank and its file; message 32 when the name is empty, is
// another open bank's or the file cannot be moved. 1 when renamed.
int RenameBank(int bank, const char* newName);

// --- Operations used by discovery, the transfer engine and undo ------------

// While it lives, whatever loads another model or selects another bank (a
// question sending a device bank, a bank written against its own model), the
// user is left where they were: on the bank current when it began, with its
// model, their device bank, and the preset, control and selections they were
// on.
struct PlaceKept {
    PlaceKept();
    ~PlaceKept();
    PlaceKept(const PlaceKept&) = delete;
    PlaceKept& operator=(const PlaceKept&) = delete;

  private:
    int current;
    int deviceBank;
    int preset;
    int control;
    BankSelection selection;
};

// The device bank of a connected device: "rom.xml" in its folder, made
// current, the list reordered by kind. Returns its index or -1. A device
// (PID and connection) that has its bank already keeps it as it is: its
// index comes back and nothing else changes.
int AddDeviceBank(const char* deviceFolder, int pid, int connection);
// A user or ROM bank at the end of the list, from data (copied) or, when data
// is null, read from path. Made current. Returns its index or -1.
int AddBankFromData(const char* path, const BankData* data);
// AddBankFromData for data made with AllocBankData, which the bank takes
// over instead of a copy; freed when no bank could be added.
int AddBankTakingData(const char* path, BankData* data);
// Opens bank files folder + name in turn while fewer than 64 banks are open;
// the current bank does not change. Returns the number opened.
int OpenBankFiles(const char* const* names, int count, const char* folder);
// Called when a bank becomes current: loads its device model when it differs
// from the loaded one, and then remembers a device bank as the active one.
// Looking at a device bank of the loaded model leaves the active one as it
// is, so that with two devices of one model Upload and Download keep talking
// to the one the user chose.
void SelectBank(int index);
// Frees the bank and closes the gap.
void RemoveBank(int index);
// Opens a gap at index and puts copies of entry and data there (new storage),
// made current. Returns index, or -1 when 64 banks are open or memory runs short.
int InsertBank(int index, const BankEntry& entry, const BankData* data);
void ShowRomBanks();
void HideRomBanks();
void RemoveDeviceBanks();
// Refresh Devices, around asking the devices again: the device banks stay
// meanwhile, each device that answers keeps its bank (AddDeviceBank), and
// End removes the banks of the devices that did not answer. When the ports
// were numbered anew, a model's one device that answers on another port
// keeps its bank too.
void BeginDeviceBankRefresh(bool portsRenumbered = false);
void EndDeviceBankRefresh();
// The questions at quit, in list order: save each changed user bank (17),
// send each changed device bank (16), each Yes, No or Cancel. Returns 1 when
// Quit may go on; 0 when it must stop with nothing lost: a question answered
// Cancel (or closed), a replace question answered No, or a save or send that
// failed, which a message box names with its reason (70, 71). Banks saved or
// sent before the stop stay saved or sent.
int ConfirmChangedBanks();
// Refresh Devices: the send question (16, Yes/No/Cancel) for each changed
// device bank, before the banks are given up. 1 to go on, 0 to stop, as above.
int ConfirmDeviceBanksBeforeRefresh();

// Sends a changed device bank whole (packed into exchange slot 0), for the
// questions above; the transfer engine sets it. 1 when it went through. Null:
// nothing can be sent, which the questions take as a failed send.
extern int (*gSendBankAtQuit)(int bank);

// Load's third filter, a ".syx" file (shell/syx_commands.h, set at start-up):
// the new bank's index, or ImportSxlFile's kSxlNotRead / kSxlNoBank. While
// unset, such a file is not read.
extern int (*gImportSyxFile)(const char* path);

// --- Helpers shared with the import and the tools ---------------------------

// Fills a bank with the loaded device's fresh presets (names "Untitled",
// created = the bank's creation text, default values).
void InitNewBankData(BankData* data, const char* name);
// The path of the user bank named name: program folder + "User Preset Banks".
std::string UserBankPath(const std::string& name);
// Whether path (a bank file's, ending in ".xml") is in the user banks' folder.
bool IsUserBankPath(const char* path);
// base, or when a user bank of that name is open, base + separator + 2, 3...
void UniqueUserBankName(const char* base, const char* separator, char* out, size_t size);
// The name of a bank imported from the file at path: the file's name without
// its extension, each "." made "_" ("Imported" when that is empty), made
// unique among the open user banks.
void ImportedBankName(const char* path, char* out, size_t size);
// The file name of path without its folder and without its last four
// characters (".xml"), into out.
void DisplayNameFromPath(const char* path, char* out, size_t size);
// The folder part of path, with its trailing separator ("" when none).
void FolderOfPath(const char* path, char* out, size_t size);
// The file name part of path: what follows its last separator (or drive).
const char* FileNamePart(const char* path);
// Whether two paths name the same file as far as their text tells: "/" and
// "\" alike, "." segments and a folder followed by ".." dropped, repeated
// separators as one, letters of either case. (A path given on the command
// line or typed in a dialog may spell an open bank's file another way.)
bool SameFilePath(const char* a, const char* b);
// A character a file's name may hold (no separator, no character Windows
// refuses in names, no control character).
bool CharFitsFileName(char c);
// A text made fit to be a file's name, as proposed by the export dialogs:
// the characters a file name cannot hold become "_", and trailing blanks and
// dots go.
std::string UsableFileName(std::string name);
