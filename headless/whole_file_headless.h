// Test controls of the headless whole-file seam.
#pragma once

// While positive, each replacement fails (and counts it down) instead of renaming.
extern int gHeadlessReplaceFailures;
// Number of replacements attempted since the program started.
extern int gHeadlessReplaceCalls;
