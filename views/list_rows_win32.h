// Drawing the rows of the list panes: navy text on white, or white text on
// the navy selection fill for the current or selected rows. Windows only.
#pragma once

#include <windows.h>

#include "views/pane.h"

// Fills left..right of the row at `top` with the navy selection brush.
void FillListRow(HDC dc, int left, int right, int top);
// Draws `text` in the rectangle left..right, top..top + row height: white on
// a filled row, navy otherwise; bold in the bold panel font. `alignRight`
// puts the text's right end at `right`. Clipped to the row.
void DrawListRowText(HDC dc, int left, int right, int top, const char* text, int onSelection,
                     int bold, int alignRight);

// Keeps the pane's scroll position valid for `total` rows, brings the
// current row into view when the pane asked for it, and returns the number
// of rows to draw; after drawing, FinishListPaint sets up the bar.
int BeginListPaint(Pane& pane, int total, int currentRow);
void FinishListPaint(Pane& pane, int total);
