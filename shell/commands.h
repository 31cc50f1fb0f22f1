// The command table: menu items, accelerators and toolbar buttons all end in
// RunCommand with a command id (the ids of the menu, resources/main_menu.inc).
#pragma once

#include "base/messages.h"

// Command ids.
constexpr int kCmdNewBank = 1;
constexpr int kCmdLoad = 2;
constexpr int kCmdSave = 3;
constexpr int kCmdSaveAs = 4;
constexpr int kCmdReloadBank = 5;
constexpr int kCmdDeleteBank = 6;
constexpr int kCmdUpload = 7;
constexpr int kCmdDownload = 8;
constexpr int kCmdSendToDevice = 9;
constexpr int kCmdQuit = 10;
constexpr int kCmdUndo = 11;
constexpr int kCmdRedo = 12;
constexpr int kCmdCopy = 13;
constexpr int kCmdPaste = 14;
constexpr int kCmdSelectAll = 16;
constexpr int kCmdDescribeClipboard = 17;
constexpr int kCmdCompareWith = 18;
constexpr int kCmdCompareDeviceBank = 19;
constexpr int kCmdClearComparison = 20;
constexpr int kCmdGraphicView = 21;
constexpr int kCmdListView = 22;
constexpr int kCmdLibraryWindow = 23;
constexpr int kCmdEditorWindow = 24;
constexpr int kCmdShowCcCh = 25;
constexpr int kCmdShowRomBanks = 26;
constexpr int kCmdFitMode = 27;
constexpr int kCmdMidiSetup = 31;
constexpr int kCmdPreferences = 32;
constexpr int kCmdRefreshDevices = 33;
constexpr int kCmdExportPresetSheet = 41;
constexpr int kCmdHelpContents = 51;
constexpr int kCmdHelpMenus = 52;
constexpr int kCmdHelpWindow = 53;
constexpr int kCmdHelpKeyboard = 54;
constexpr int kCmdHelpOnHelp = 55;
constexpr int kCmdAbout = 56;

// Runs command `id` for `window` (the window whose menu, key or button sent
// it). Returns 1 when the table has the command, 0 otherwise.
int RunCommand(WindowHandle window, int id);

// The last command the table ran and how many it has run: how the GUI tests
// see that a key reached the command table.
extern int gLastCommand;
extern int gCommandsRun;

// Commits an open in-place value edit or rename (sends it the Enter key).
// Most commands run this first.
void CommitEdits();

// Menu state from the view state: radio-checks Graphic/List View by the view
// mode and sets the marks of Show CC/Ch, Fit Picture, Library and Control
// Editor.
void UpdateViewMenu();

// Enables or greys Upload, Download and Send to Device by the transfer
// engine's enable rules.
void UpdateTransferMenu();

// Sets the main window's title to "Ostrel - <device name>", or
// "Ostrel - (Untitled)" when no definition (or one without a name) is loaded.
void UpdateTitle();

// Repaints the whole main window (and its panes).
void RepaintMainWindow();

// The title text itself (portable, for the tests): writes into buffer.
void FormatTitle(char* buffer, int size, const char* deviceName);
