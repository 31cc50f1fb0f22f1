// The preferences in force, with their values before Settings.cfg is read.
#include "base/preferences.h"

int gInitialisePresetNames = 0;
int gAskBeforeBankSend = 1;
int gShowAllRomBanks = 1;
int gUndoLevels = 100;
