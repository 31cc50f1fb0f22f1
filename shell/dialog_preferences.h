// What the Preferences dialog decides, apart from its window (which is in
// dialog_preferences_win32.cpp): the undo levels typed into it and applying
// the three preferences it shows.
#pragma once

// The dialog's fields.
struct PreferencesChoice {
    int undoLevels;             // "&Undo Levels (1 - 100)"
    int initialisePresetNames;  // "&Initialize Preset Names when Sysex Received"
    int showAllRomBanks;        // "&Show ROM Presets for all Corvanith Devices"
    int askBeforeBankSend;      // "&Ask before Sending a Whole Bank to the Device"
};

// The preferences in force, as the dialog opens.
PreferencesChoice CurrentPreferencesChoice();

// The undo levels field as text: its leading digits (blanks skipped), brought
// into 1..100. A field without digits keeps `current`.
int ParseUndoLevels(const char* text, int current);

// Applies the undo levels (to the undo history), the initialise-names flag and
// the question before a whole-bank send.
// The ROM banks preference is not applied here: it changes the bank list, which
// JoinChooseRomBanksShown does as command 26 would. Returns 1 when the choice
// differs from the preference in force, else 0.
int ApplyPreferencesChoice(const PreferencesChoice& choice);
