// The settings file Settings.cfg beside the program: the placements of the three
// windows and the five preferences, read once at start-up and written once at
// Quit. Byte format in shell/settings_file.h.
#pragma once

#include "base/preferences.h"
#include "shell/settings_file.h"

// All five stored preferences as they are now, and setting them all (the undo
// levels through ApplyUndoLevelsPreference; flags become 0 or 1).
Preferences CurrentPreferences();
void SetPreferences(const Preferences& prefs);

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
// 1 once LoadSettings ran: until then the windows and preferences are the
// start-up's defaults, which a session ended early must not write over the
// user's file.
extern int gSettingsLoaded;

// Start-up step 27.5: the show command for the main window. LoadSettings places
// it hidden; it is shown with the command the program was started with, except
// that a window saved maximised comes back maximised when that command asks for
// an ordinary window (normal, show or default).
int StartupShowCommand(int requested);

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
