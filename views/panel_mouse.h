// The mouse dispatch of a window with a panel: the tooltip feed, the press
// feedback and actions of its buttons and tabs, then its panes in turn, and
// the ends of drags and rubber bands that no pane took.
//
// A button press goes through these states (Panel::pressedItem and
// pressedInside):
//   none -> pressed-inside    left down on an enabled button or tab
//   pressed-inside <-> pressed-outside   moves off and back on the item
//   pressed-* -> none         left up; the action runs only from inside
#pragma once

#include "views/panel.h"

// Dispatches mouse message `message` (512 .. 518) at client point (x, y)
// with `keyFlags` to `panel` and its panes. Returns kMouseHandled when a
// button or a pane took it. A left-button release ends every drag and
// rubber band, whichever pane took it (the pane under the pointer drops
// first).
int PanelMouse(Panel& panel, int x, int y, int message, int keyFlags);

// 1 while the mouse holds an operation on a bank: a drag armed or running,
// the rubber band, the value spinner or a zone drag. Keys and commands that
// could change the bank or the preset under it wait until the button is
// released (they are dropped meanwhile).
int MouseOperationHeld();

// The window lost the mouse capture (another window took it, the user
// switched away): a pressed button is released without its action.
void PanelCaptureLost(Panel& panel);

// What a click on an item does (its action after the release on it).
void RunPanelItemAction(Panel& panel, PanelItem& item);

// The client rectangle of an item as drawn (for repainting it).
PaneRect PanelItemRect(const PanelItem& item);
