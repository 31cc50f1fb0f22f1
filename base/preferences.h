// The preferences in force (user-interface thread only); the other two stored
// preferences are view state (gShowCcCh and gFitMode in views/view_state.h).
// LoadSettings sets them from the file, the Preferences dialog changes them,
// SaveSettings writes them (shell/settings.h).
#pragma once

extern int gInitialisePresetNames;  // SysEx reception renames presets from the device
extern int gShowAllRomBanks;        // ROM banks of every model are listed (command 26)
extern int gUndoLevels;             // 1..100; set through ApplyUndoLevelsPreference
extern int gAskBeforeBankSend;      // a whole-bank send to the device asks first
