// Headless dialogs: counted, never shown; they answer Cancel, and the send
// question the answer a test sets.
#include "headless/dialogs_headless.h"

#include "shell/dialogs.h"

int gHeadlessMidiSetupRuns = 0;
int gHeadlessPreferencesRuns = 0;
int gHeadlessAboutRuns = 0;
std::vector<std::string> gHeadlessSendQuestions;
int gHeadlessSendAnswer = 0;
int gHeadlessSendDontAsk = 0;
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

int AskSendWholeBank(const char* question, int* dontAskAgain) {
    gHeadlessSendQuestions.push_back(question != nullptr ? question : "");
    *dontAskAgain = gHeadlessSendDontAsk;
    return gHeadlessSendAnswer;
}

int ShowCompareDialog() {
    gHeadlessCompareRuns++;
    return 0;
}

void ReleaseDialogResources() {}
