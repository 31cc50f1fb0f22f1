// Headless stand-ins for the shell operations that act on the windows
// (shell/commands.h): CommitEdits and UpdateTitle record what they did.
#pragma once

#include <string>

// How often CommitEdits ran.
extern int gHeadlessCommitEditsCalls;

// How often RepaintMainWindow ran.
extern int gHeadlessRepaints;

// The title UpdateTitle last set ("" before the first call).
std::string HeadlessWindowTitle();
