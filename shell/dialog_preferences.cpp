// The Preferences dialog's rules.
#include "shell/dialog_preferences.h"

#include "shell/settings.h"

PreferencesChoice CurrentPreferencesChoice() {
    PreferencesChoice c;
    c.undoLevels = gUndoLevels;
    c.initialisePresetNames = gInitialisePresetNames;
    c.showAllRomBanks = gShowAllRomBanks;
    c.askBeforeBankSend = gAskBeforeBankSend;
    return c;
}

int ParseUndoLevels(const char* text, int current) {
    if (text == nullptr) return current;
    while (*text == ' ' || *text == '\t') text++;
    if (*text < '0' || *text > '9') return current;
    int value = 0;
    for (; *text >= '0' && *text <= '9'; text++) {
        value = value * 10 + (*text - '0');
        if (value > kMaxUndoLevelsPreference) value = kMaxUndoLevelsPreference;
    }
    return value < kMinUndoLevels ? kMinUndoLevels : value;
}

int ApplyPreferencesChoice(const PreferencesChoice& choice) {
    if (choice.undoLevels != gUndoLevels) ApplyUndoLevelsPreference(choice.undoLevels);
    gInitialisePresetNames = choice.initialisePresetNames ? 1 : 0;
    gAskBeforeBankSend = choice.askBeforeBankSend ? 1 : 0;
    return (choice.showAllRomBanks != 0) != (gShowAllRomBanks != 0);
}
