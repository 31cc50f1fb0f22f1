// Headless CommitEdits and UpdateTitle (commands_headless.h).
#include "headless/commands_headless.h"

#include "shell/commands.h"
#include "shell/joins.h"

int gHeadlessCommitEditsCalls = 0;
int gHeadlessRepaints = 0;

namespace {
std::string gTitle;

// The native tests, tools and benchmarks run without the program's start-up:
// the shell's hook table is filled before their main.
[[maybe_unused]] const bool kShellHooksInstalled = (InstallShellHooks(), true);
}

std::string HeadlessWindowTitle() {
    return gTitle;
}

void CommitEdits() {
    ++gHeadlessCommitEditsCalls;
}

void UpdateTitle() {
    char title[128];
    FormatTitle(title, sizeof title, JoinDeviceName());
    gTitle = title;
}

void RepaintMainWindow() {
    ++gHeadlessRepaints;
}
