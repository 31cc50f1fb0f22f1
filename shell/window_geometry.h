// Sizes and positions of the three main windows, computed from the cached
// system metrics (portable, so the rules are tested natively).
#pragma once

// The system metrics start-up caches (step 10).
struct SystemMetricsCache {
    int frameX;  // sizing frame
    int frameY;
    int dlgFrameX;  // dialog frame
    int dlgFrameY;
    int caption;
    int menu;     // menu bar height
    int scrollX;  // vertical scroll bar width
    int scrollY;  // horizontal scroll bar height
    int thumbX;
    int thumbY;
    int borderX;
    int borderY;
    int iconX;
    int iconY;
    int screenW;
    int screenH;
    int fullW;  // full-screen work area
    int fullH;
};
extern SystemMetricsCache gMetrics;

struct WindowRect {
    int x;
    int y;
    int width;
    int height;
};

// Design client sizes.
constexpr int kMainClientWidth = 792;
constexpr int kMainClientHeight = 526;
constexpr int kLibraryClientWidth = 200;
constexpr int kLibraryClientHeight = 470;
constexpr int kEditorClientWidth = 602;
constexpr int kEditorClientHeight = 115;

// Minimum tracking sizes.
constexpr int kMainMinWidth = 600;
constexpr int kMainMinHeight = 400;
constexpr int kLibraryMinWidth = 150;
constexpr int kLibraryMinHeight = 300;

// Main window: at (0, 0), a client area of 792 x 526 under caption and menu.
WindowRect MainWindowRect(const SystemMetricsCache& m);

// Library window: beside the main window when the screen has room (then
// widened to the work area's right edge, at most 250 wide, at the top and as
// tall as the main window), else at the work area's right edge.
WindowRect LibraryWindowRect(const SystemMetricsCache& m);

// Control editor window: near the top-left, a client of 602 x 115 (no menu).
WindowRect EditorWindowRect(const SystemMetricsCache& m);

// The size types of a window's size message (the platform's values).
constexpr int kSizeRestored = 0;
constexpr int kSizeMinimized = 1;
constexpr int kSizeMaximized = 2;
// A window's minimised flag after a size message of `sizeType`: set by a
// minimise, cleared by a restore and by a maximise (a window can go from
// minimised straight to maximised); other types leave it.
int MinimisedAfterSize(int minimised, int sizeType);
