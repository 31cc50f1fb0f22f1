// The command ids of the menu (resources/main_menu.inc): menu items,
// accelerators, toolbar buttons and the panels' buttons all name a command by
// one of these; the shell's command table runs it.
#pragma once

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
constexpr int kCmdExportSyx = 42;
constexpr int kCmdHelpContents = 51;
constexpr int kCmdHelpMenus = 52;
constexpr int kCmdHelpWindow = 53;
constexpr int kCmdHelpKeyboard = 54;
constexpr int kCmdHelpOnHelp = 55;
constexpr int kCmdAbout = 56;
