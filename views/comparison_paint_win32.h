// Drawing what Compare marks (views/comparison.h) on the list and graphic
// views: the list's differing cells in amber with the other preset's value
// beside their own, the picture's differing controls in an orange frame.
// Windows only; the views' paint code calls these for each cell and control.
#pragma once

#include <windows.h>

#include "views/list_columns.h"

constexpr COLORREF kComparedCellFill = RGB(255, 218, 140);
constexpr COLORREF kComparedOtherText = RGB(170, 0, 0);
constexpr COLORREF kComparedControlFrame = RGB(255, 128, 0);

// When the cell of `column` for `control` differs: draws the whole cell (its
// value, and the other preset's in dark red) and returns 1; else draws
// nothing and returns 0. The row's font is selected; the text colour is put
// back as it was.
int DrawComparedCell(HDC dc, const ColumnDef& column, int control, int top);

// Frames control `control` when it differs; origin as the graphic view draws
// its pictures.
void DrawComparedControl(HDC dc, int control, int originX, int originY);
