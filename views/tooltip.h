// The delayed tooltip of the panels' items: armed when the pointer comes to
// rest on an item, shown 500 ms later (by the next mouse move or tick of the
// main window's timer 100), hidden when the pointer leaves the items or a
// button is clicked. The window itself is the ETooltip of tooltip_win32.cpp,
// reached through the views' seam.
//
// States: idle -> armed (TooltipTrack over a new item, left button up)
//         armed -> shown (TooltipTrack over the same item after the due time)
//         armed/shown -> idle (TooltipTrack over no item or another item,
//         TooltipHide). The remembered item stays after TooltipHide, so the
//         tooltip of the same item comes back only after the pointer has
//         been over no item.
#pragma once

#include "views/panel.h"

constexpr unsigned kTooltipDelayMs = 500;
constexpr int kMaxTooltipText = 128;

struct TooltipState {
    const Panel* panel = nullptr;  // the panel of the items below
    int remembered = -1;           // the item the last tooltip was armed for
    int pending = -1;              // armed: the item, with its due time
    unsigned due = 0;
    int shown = -1;  // the item whose tooltip window is up
    char text[kMaxTooltipText + 1] = {};
};
extern TooltipState gTooltip;

// Start-up and shutdown: hidden, nothing armed or remembered.
void ResetTooltip();

// One tracking step at the client point of `panel`'s window: on every mouse
// move over a panel and on every tick of timer 100 (main panel only).
void TooltipTrack(const Panel& panel, int x, int y);

// The main window's timer tick: tracks the main panel at the pointer.
void TooltipTick();
// The same for the panel of the window under the pointer, when it is the
// panel whose tooltip is armed or shown (the control editor's tabs show
// theirs without another mouse move too).
void TooltipTickPanel(const Panel& panel);

// Destroys a shown tooltip and drops a pending one.
void TooltipHide();

// Where the tooltip window goes for a text of textWidth x textHeight with the
// pointer at (px, py) over `item`, in a client area of clientWidth x
// clientHeight; statusLeft is the left edge of the status display item, or
// -1 when the panel has none. Below and right of the pointer, but never
// across the status display's left edge, inside the client area, and never
// over the item itself (a bottom-row button gets its tooltip right above it).
PaneRect TooltipPlacement(int px, int py, int textWidth, int textHeight, const PanelItem& item,
                          int statusLeft, int clientWidth, int clientHeight);
