// The row geometry the four list panes share: 13-pixel rows from 2 pixels
// below the pane's top, a row drawn only while its top is above the pane's
// bottom less 11, the row under a point, and scrolling a row into view.
#pragma once

#include "views/pane.h"

constexpr int kPaneRowHeight = 13;
constexpr int kPaneRowInset = 2;
// The text of a row starts this far right of the pane (after the icon in the
// devices list); the presets list puts its numbers before it.
constexpr int kListIconWidth = 12;

// How many rows fit in the pane (rows whose top lies above y + height - 11).
int ListRowCapacity(const Pane& pane);
// Rows drawn from the scroll position for a list of `total` rows.
int ListRowsShown(const Pane& pane, int total);
// The row (scroll position included) under client point (x, y), or -1 when
// the point is outside the pane's list area (x .. x + w - 1,
// y + 2 .. y + h - 3). The caller tests the row against its row count.
int ListRowAt(const Pane& pane, int x, int y);
// Top of shown row `shown` (0 = the first row drawn) in client pixels.
int ListRowTop(const Pane& pane, int shown);

// The scroll position that shows `row` of `total` with `visible` rows shown
// from `top`: moved only when the row is above or below the shown ones.
int ScrollRowIntoView(int top, int visible, int total, int row);
// Applies it to the pane's vertical position (total rows), repainting the
// pane when it moved. Returns the new position.
int ScrollListToRow(Pane& pane, int row, int total);

// The Ctrl/Shift selection rule of the presets list and the device view for
// a press on item `index` of `count` flags: Shift adds every item from the
// first selected one to it; a plain press on an unselected item selects it
// alone; Ctrl leaves the flags (the release toggles).
void PressSelect(unsigned char* flags, int count, int index, int keyFlags);
// The release without a drag: Ctrl toggles the item; no Shift: it alone.
void ReleaseSelect(unsigned char* flags, int count, int index, int keyFlags);
// The first set flag below count, -1 when none.
int FirstSelected(const unsigned char* flags, int count);
