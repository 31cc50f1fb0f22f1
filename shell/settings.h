// The settings file Settings.cfg beside the program: the placements of the three
// windows and the five preferences, read once at start-up and written once at
// Quit. Byte format in shell/settings_file.h.
#pragma once

#include "shell/settings_file.h"

// The preferences in force (user-interface thread only). Start at
// DefaultPreferences(); LoadSettings replaces them from the file, the Preferences
// dialog and the View menu change them, SaveSettings writes them.
//   initialisePresetNames: SysEx reception renames presets from the device.
//   showAllRomBanks: ROM banks of every model are listed (commands 26, bank list).
//   undoLevels: 1..100, the undo history's length (SetUndoLevels keeps it in step).
//   showCcOnControls: command 25, the graphic view's CC/Ch overlays.
//   fitMode: command 27, the graphic view scales its picture to the pane.
extern Preferences gPreferences;

// Smallest and largest number of undo levels the preference allows.
constexpr int kMinUndoLevels = 1;
constexpr int kMaxUndoLevelsPreference = 100;

// Start-up step 26: reads Settings.cfg from the program directory, places the
// three windows (marking the library and control editor windows shown or not)
// and sets the preferences. Problems go to the status display only: a missing
// file is silent, an unreadable one gives "Cannot open file %s", one that is
// shorter than 143 bytes or lacks the magic gives "%s is not an Corvanith
// Settings File"; the defaults then stay. Returns the fatal flag.
int LoadSettings();

// Quit: writes Settings.cfg (the windows' current placements, a hidden secondary
// window saved as hidden, the preferences). A file that cannot be written is
// silently left as it was.
void SaveSettings();

// The settings path: program directory + "Settings.cfg" (block 6 when start-up
// allocated it). Returns it; never null.
const char* SettingsPath();

// Sets the undo-levels preference, brought into 1..100, and applies it to the
// undo history. Returns the value now in force.
int ApplyUndoLevelsPreference(int levels);
