// Where the shell calls into the other subsystems: start-up and shutdown
// steps, the command table's work and the transfer engine's predicates.
//
// Each join is a plain named call whose body (shell/joins.cpp) calls the
// owning subsystem's operation. The calls the other way, from a layer below
// up into the shell, go through the hook table InstallShellHooks fills.
#pragma once

// Fills the table of calls the layers below make up into the shell
// (base/shell_hooks.h): the first thing start-up does, which then adds the
// Win32 command table.
void InstallShellHooks();

// ---------------------------------------------------------------------------
// Start-up (in the order of the steps that call them) and shutdown.

void JoinFindPanelRecords();    // step 11: panels find their tab and button records
void JoinClearPackedStore();    // step 17: zero the five packed-bank slots
void JoinProgramFolderKnown();  // step 18: discovery learns the program folder
void JoinLayoutPanes();         // step 19: fixed pane layout, panes learn their windows
void JoinInitTooltip();         // step 20: tooltip brush, tooltip hidden
void JoinClearClipboard();      // step 21 and shutdown: empty the preset clipboard
void JoinInitUndoHistory();     // step 22: undo history with 100 levels
void JoinInitBankList();        // step 23: no banks, current bank 0
void JoinClearLibraries();      // step 24: library count 0
void JoinStartMidi();           // step 25 (and Refresh Devices): ports, buffers, identify
int JoinLoadSettings();         // step 26: read Settings.cfg; returns the fatal flag
void JoinScanBanks();           // step 27.1: user preset banks and ROM banks
void JoinClearBankChanges();    // step 27.2: every change counter cleared
void JoinScanLibraries();       // step 27.3: the libraries of the "Library" folder
void JoinStopMidi();            // step 27.8: unqueue the input buffers, close the ports

// After step 27.6, with the window up: the offer of the banks kept when
// Windows ended the last session (banks/bank_recovery.h).
void JoinOfferRecoveryCopies();

void JoinDestroyPaneScrollBars();  // shutdown 1
void JoinFreeTooltip();            // shutdown 2
void JoinFreeGraphicViewImages();  // shutdown 3
void JoinFreeLibraries();          // shutdown 4
void JoinFreeBanks();              // shutdown 5
void JoinClearUndoHistory();       // shutdown 6
void JoinReleaseDialogs();         // shutdown: the dialogs' texture brushes

// ---------------------------------------------------------------------------
// The command table's work.

void JoinNewUserBank();                     // command 1
void JoinLoadBank();                        // command 2
void JoinOpenNamedFile(const char* path);   // the file named on the command line
void JoinSaveBank();                        // command 3: the current bank
void JoinSaveBankAs();                      // command 4
void JoinReloadBank();                      // command 5
void JoinDeleteUserBank();                  // command 6
void JoinSendChanges();                     // command 7
void JoinDownloadFromDevice();              // command 8
void JoinSendCurrentBank();                 // command 9
int JoinConfirmChangedBanks();              // Quit: the save/send questions; 0: Quit stops
void JoinSaveSettings();                    // Quit: write Settings.cfg
void JoinCloseHelp();                       // Quit: close the help viewer
void JoinUndo();                            // command 11
void JoinRedo();                            // command 12
void JoinCopy();                            // command 13
void JoinPaste();                           // command 14
void JoinSelectAllControls();               // command 16
void JoinDescribeClipboard();               // command 17
void JoinViewModeChanged();                 // commands 21, 22: drop the pane's scroll bars, repaint
void JoinShowCcChanged();                   // command 25: repaint the graphic/list pane
void JoinToggleRomBanks();                  // command 26
void JoinFitModeChanged();                  // command 27
void JoinMidiSetup();                       // command 31: the MIDI Setup dialog
void JoinPreferences();                     // command 32: the Preferences dialog
// The Preferences dialog's OK chose the ROM banks shown (all of them, or only
// the device banks' models'): made now, or once a dump that holds the bank
// list has ended.
void JoinChooseRomBanksShown(int showAll);
void JoinRefreshDevices();                  // command 33
void JoinShowHelp(int context);             // commands 51-55: a help context, or one of these two
constexpr int kHelpContextContents = -1;    // the contents (HELP_INDEX)
constexpr int kHelpContextHelpOnHelp = -2;  // how to use help (HELP_HELPONHELP)
void JoinAbout();                           // command 56: the About dialog
void JoinTransferTimer();                   // timer 100: the transfer engine's tick
void JoinTooltipTick();                     // timer 100: tooltip tracking at the cursor
void JoinHideTooltip();                     // menu help and clicks hide the tooltip

// ---------------------------------------------------------------------------
// The transfer engine's state and enable rules.

int JoinTransferBusy();    // 1 while sending or receiving: input is ignored
int JoinCanSendChanges();  // enable rule of Upload to Device (7)
int JoinCanDownload();     // enable rule of Download from Device (8)
int JoinCanSendBank();     // enable rule of Send to Device (9)

// The loaded device definition's name ("" when none).
const char* JoinDeviceName();

// Makes bank `index` current and shows it (the shell's ShowBank: the bank
// list selects it, which loads its device; the title follows). The user's
// place in the views (current preset and control, selections, scrolling)
// stays unless the device model changed: undo, redo, reload and refresh
// leave the user where they were.
void ShowBank(int index);
// The user turned to another bank (a click or a key in the bank list, a new
// or loaded bank): shown as by ShowBank, with the place starting again at
// the top of its lists.
void ShowOtherBank(int index);
