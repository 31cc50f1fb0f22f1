// Test view of the headless dialogs: how often each was asked for.
#pragma once

extern int gHeadlessMidiSetupRuns;
extern int gHeadlessPreferencesRuns;
extern int gHeadlessAboutRuns;
extern int gHeadlessCompareRuns;
