// Platform seam of the settings file: where the three windows are, and the
// screens they may be placed on. Implemented by shell/settings_win32.cpp with
// GetWindowPlacement/SetWindowPlacement and the monitor list, and by
// headless/settings_headless.cpp, which keeps the placements in memory so that
// the native tests can check what LoadSettings applied and feed SaveSettings.
#pragma once

#include "shell/settings_placement.h"

// Most work areas (monitors) considered when fitting a placement.
constexpr int kMaxWorkAreas = 16;

// The window's placement as the platform reports it now (a minimised window
// reports show command 2). 1 on success, 0 when the window does not exist.
int PlatformGetWindowPlacement(SettingsWindow which, WindowPlacementRecord* placement);

// Places the window; its show command decides whether it is shown.
void PlatformSetWindowPlacement(SettingsWindow which, const WindowPlacementRecord& placement);

// Work areas of the screens in screen coordinates, the primary one first.
// Returns how many were stored (at most `capacity`).
int PlatformWorkAreas(PlacementRect* areas, int capacity);
