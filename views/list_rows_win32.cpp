// Row drawing shared by the four list panes.
#include "views/list_rows_win32.h"

#include <cstring>

#include "imaging/gdi_draw_win32.h"
#include "views/gdi_resources_win32.h"
#include "views/list_rows.h"
#include "views/pane_scroll.h"

namespace {

constexpr COLORREF kRowNavy = RGB(0, 0, 128);
constexpr COLORREF kRowWhite = RGB(255, 255, 255);

HFONT RowFont(int bold) {
    HFONT font = gFonts[bold ? kFontPanelBold : kFontPanel];
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

void FillListRow(HDC dc, int left, int right, int top) {
    RECT row = {left, top, right, top + kPaneRowHeight};
    HBRUSH fill = gBrushes[kBrushSelection];
    FillRect(dc, &row, fill ? fill : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}

void DrawListRowText(HDC dc, int left, int right, int top, const char* text, int onSelection,
                     int bold, int alignRight) {
    RECT row = {left, top, right, top + kPaneRowHeight};
    ScopedSelectObject font(dc, RowFont(bold));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, onSelection ? kRowWhite : kRowNavy);
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | (alignRight ? DT_RIGHT : DT_LEFT);
    RECT textRect = row;
    if (!alignRight) textRect.left += 1;
    DrawTextA(dc, text, static_cast<int>(std::strlen(text)), &textRect, format);
}

int BeginListPaint(Pane& pane, int total, int currentRow) {
    int capacity = ListRowCapacity(pane);
    int last = total > capacity ? total - capacity : 0;
    if (pane.vertical.position > last) pane.vertical.position = last;
    if (pane.vertical.position < 0) pane.vertical.position = 0;
    if (pane.scrollIntoView && currentRow >= 0 && currentRow < total) {
        pane.vertical.position =
            ScrollRowIntoView(pane.vertical.position, capacity, total, currentRow);
    }
    pane.scrollIntoView = 0;
    return ListRowsShown(pane, total);
}

void FinishListPaint(Pane& pane, int total) {
    int capacity = ListRowCapacity(pane);
    UpdatePaneScrollBar(pane, 1, total, total < capacity ? total : capacity);
}
