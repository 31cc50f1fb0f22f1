// The keyboard of the main window's panes, and the focus pane it acts on:
// the main-window pane clicked last (the devices list, the presets list or
// the device view). Copy and Paste use the same focus pane.
#pragma once

#include "views/pane.h"

// Virtual-key codes the panes take (the Windows API's numbers).
constexpr int kVkReturn = 0x0D;
constexpr int kVkUp = 0x26;
constexpr int kVkDown = 0x28;

// The main-window pane clicked last; null until the first click.
extern Pane* gFocusPane;
// The Shift and Ctrl flags (kKeyFlagShift, kKeyFlagControl) of the last
// mouse press on a main-window pane: Up and Down choose rows with them.
extern int gLastPaneKeyFlags;

// A left press on a main-window pane: it becomes the focus pane and its key
// flags are remembered.
void SetFocusPane(Pane* pane, int keyFlags);

// A key-down of the main window: Up and Down move the focus pane's current
// row and choose it as a click would; Enter renames the current bank or
// preset. Returns 1 when the key was taken, 0 otherwise (and always 0 while
// the mouse holds an operation, MouseOperationHeld).
int PaneKeyDown(int virtualKey);
