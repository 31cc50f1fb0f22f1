// Turning a window placement read from Settings.cfg into one that is safe to
// apply: the show-command rules of the three windows, and windows that would open
// where no screen is (a monitor was removed, the resolution dropped, or the file
// is damaged) brought back onto the primary work area.
#pragma once

#include "shell/settings_file.h"

// The caption strip that must be reachable for a window to count as on a screen:
// its top kPlacementCaptionStrip pixels must overlap a work area by at least
// kPlacementMinVisibleWidth x kPlacementMinVisibleHeight.
constexpr int kPlacementCaptionStrip = 24;
constexpr int kPlacementMinVisibleWidth = 48;
constexpr int kPlacementMinVisibleHeight = 8;
// Larger than any real screen arrangement; a bigger extent means a damaged file.
constexpr int kPlacementMaxExtent = 32767;

enum class SettingsWindow { kMain, kLibrary, kEditor };

// A placement ready for the platform, and whether a secondary window is to be
// marked shown (always 1 for the main window).
struct PlacementToApply {
    WindowPlacementRecord record;
    int shown;
};

// Applies the show-command rules: a minimised window comes back normal; the main
// window is never restored hidden; a secondary window is shown exactly when its
// stored show command is not hidden. Unknown show commands count as normal.
PlacementToApply PlacementFromFile(SettingsWindow which, const WindowPlacementRecord& stored);

// Work areas are in screen coordinates, the primary one first. The normal
// rectangle of a placement is in workspace coordinates (relative to the primary
// work area's top-left), as the platform keeps it.
//
// Fixes `record` in place: record length and flags made valid; a normal rectangle
// without area or of absurd size replaced by `fallback`; a rectangle whose caption
// strip is on no work area moved, and shrunk if larger, into the primary work area.
// With no work areas known only the first two rules apply.
void FitPlacementToScreens(WindowPlacementRecord* record, const PlacementRect& fallback,
                           const PlacementRect* workAreas, int workAreaCount);

// 1 when the caption strip of the screen rectangle `r` lies on `area` well enough
// to be grabbed with the mouse.
int PlacementRectReachable(const PlacementRect& r, const PlacementRect& area);
