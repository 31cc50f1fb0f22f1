// Test controls of the headless settings seam: the three windows' placements
// kept in memory, and the screens' work areas.
#pragma once

#include "shell/settings_platform.h"

struct HeadlessWindowState {
    int exists;                       // 0: PlatformGetWindowPlacement fails
    WindowPlacementRecord placement;  // what the platform reports / last applied
    int setCount;                     // PlatformSetWindowPlacement calls
};

// Indexed by SettingsWindow (main, library, editor).
extern HeadlessWindowState gHeadlessWindows[3];
extern PlacementRect gHeadlessWorkAreas[kMaxWorkAreas];
extern int gHeadlessWorkAreaCount;

// Back to the start-up state: the three windows at their design geometry on a
// 1280 x 1024 screen, hidden, and nothing applied.
void ResetHeadlessSettingsPlatform();
