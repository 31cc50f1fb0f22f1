// The headless double of the views' window-system seam (views/view_platform.h):
// it records repaints, capture, confinement, cursors and timers, and answers
// the key state and the pointer position from values the tests set.
#pragma once

#include <string>
#include <vector>

#include "views/view_platform.h"

struct HeadlessViewLog {
    std::vector<const Pane*> invalidatedPanes;  // each InvalidatePane
    std::vector<const Pane*> alonePanes;        // each InvalidatePaneAlone
    int windowInvalidations = 0;
    PaneWindow captured = nullptr;  // the window holding the capture
    int confined = 0;               // 1 while the pointer is confined
    PaneRect confinedRect = {0, 0, 0, 0};
    ViewCursor cursor = ViewCursor::kArrow;
    int focusBandDraws = 0;  // XOR drawings of the rubber band
    PaneRect lastFocusBand = {0, 0, 0, 0};
    int timers[2] = {0, 0};  // period of timers 101 and 102 while running, else 0
    std::vector<PaneRect> invalidatedRects;  // each InvalidateWindowRect with a rectangle
    int paintsNow = 0;                       // each PaintWindowNow
    int tooltipShown = 0;                    // 1 while the tooltip window would be up
    int tooltipShows = 0;
    PaneWindow tooltipParent = nullptr;
    PaneRect tooltipRect = {0, 0, 0, 0};
    std::string tooltipText;
    std::vector<int> commands;  // each RunPanelCommand
    // Set by the tests.
    int controlHeld = 0;
    int shiftHeld = 0;
    int leftButtonHeld = 0;
    int rightButtonHeld = 0;  // KeyHeld of the right button's key code (VK_RBUTTON, 2)
    int pointerX = 0;
    int pointerY = 0;
    int clientWidth = 792;  // every window's client size
    int clientHeight = 526;
    int charWidth = 6;      // tooltip text: pixels per character, line height
    int textHeight = 13;
};

HeadlessViewLog& HeadlessView();
void HeadlessViewReset();
