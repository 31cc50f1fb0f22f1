// Test view of the headless dialogs: how often each was asked for.
#pragma once

#include <string>
#include <vector>

extern int gHeadlessMidiSetupRuns;
extern int gHeadlessPreferencesRuns;
extern int gHeadlessAboutRuns;
// The questions before whole-bank sends, and what they answer (No by
// default) with the "Don't ask again" box as the test sets it.
extern std::vector<std::string> gHeadlessSendQuestions;
extern int gHeadlessSendAnswer;
extern int gHeadlessSendDontAsk;
extern int gHeadlessCompareRuns;
