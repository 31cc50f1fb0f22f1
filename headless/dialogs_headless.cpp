// Headless dialogs: counted, never shown; they answer Cancel.
#include "headless/dialogs_headless.h"

#include "shell/dialogs.h"

int gHeadlessMidiSetupRuns = 0;
int gHeadlessPreferencesRuns = 0;
int gHeadlessAboutRuns = 0;
int gHeadlessCompareRuns = 0;

int ShowMidiSetupDialog() {
    gHeadlessMidiSetupRuns++;
    return 0;
}

int ShowPreferencesDialog() {
    gHeadlessPreferencesRuns++;
    return 0;
}

int ShowAboutDialog() {
    gHeadlessAboutRuns++;
    return 0;
}

int ShowCompareDialog() {
    gHeadlessCompareRuns++;
    return 0;
}

void ReleaseDialogResources() {}
