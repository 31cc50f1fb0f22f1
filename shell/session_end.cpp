// The end of a Windows session (see session_end.h).
#include "shell/session_end.h"

#include "banks/bank_commands.h"
#include "banks/bank_model.h"
#include "banks/bank_recovery.h"
#include "shell/commands.h"
#include "shell/joins.h"
#include "shell/settings.h"

// What the last query did: asked and answered (nothing left to keep), or
// wrote the copies (nothing left to write).
static int gQuestionsAnswered = 0;
static int gCopiesWritten = 0;

int QueryEndSession(int cannotAsk) {
    CommitEdits();
    WriteRecoveryCopies();
    gCopiesWritten = 1;
    gQuestionsAnswered = 0;
    if (cannotAsk) return 1;
    int mayEnd = JoinConfirmChangedBanks();
    // Answered, the user has decided about every bank; stopped, the program
    // goes on with them all in memory. Either way the copies are not needed.
    RemoveRecoveryCopies();
    gCopiesWritten = 0;
    gQuestionsAnswered = mayEnd;
    return mayEnd;
}

void EndSession(int ending) {
    if (ending) {
        if (!gQuestionsAnswered && !gCopiesWritten) WriteRecoveryCopies();
        // Windows ends the process without the shutdown that Quit runs: the
        // files of deleted banks, kept aside for undo, go here as they would there.
        JoinClearUndoHistory();
        JoinCloseHelp();
        // Ended before start-up read them, the settings are only defaults.
        if (gSettingsLoaded) JoinSaveSettings();
    } else {
        // Another program refused: this one goes on, its banks in memory,
        // showing its current bank again (the questions may have saved a
        // bank of another model, which loads that model).
        RemoveRecoveryCopies();
        ShowBank(gBanks.current);
    }
    gQuestionsAnswered = 0;
    gCopiesWritten = 0;
}
