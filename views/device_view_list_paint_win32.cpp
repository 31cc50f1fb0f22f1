// Painting the list view: the column header, the grid lines, the navy bars
// of the selected controls and each row's cells.
#include <windows.h>

#include "banks/bank_model.h"
#include "imaging/gdi_draw_win32.h"
#include "views/comparison_paint_win32.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/gdi_resources_win32.h"
#include "views/pane_frame.h"
#include "views/pane_scroll.h"

namespace {

constexpr COLORREF kHeaderText = RGB(0, 0, 96);
constexpr COLORREF kRowText = RGB(0, 0, 128);
constexpr COLORREF kGridColour = RGB(208, 208, 208);

HGDIOBJ PanelFont() {
    return gFonts[kFontPanel] ? static_cast<HGDIOBJ>(gFonts[kFontPanel])
                              : GetStockObject(DEFAULT_GUI_FONT);
}

void DrawHeader(HDC dc, const DeviceView& view, int left, int right, int top, int listBottom) {
    int headerHeight = ListHeaderHeight();
    {
        ScopedSelectObject pen(dc, gPens[kPenHeader] ? static_cast<HGDIOBJ>(gPens[kPenHeader])
                                                     : GetStockObject(WHITE_PEN));
        ScopedSelectObject brush(dc, gBrushes[kBrushHeader]
                                         ? static_cast<HGDIOBJ>(gBrushes[kBrushHeader])
                                         : GetStockObject(LTGRAY_BRUSH));
        Rectangle(dc, left - 1, top - 1, right + 1, top + headerHeight);
        MoveToEx(dc, left - 1, top - 1, nullptr);
        LineTo(dc, left - 1, listBottom);
    }
    ScopedSelectObject font(dc, PanelFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kHeaderText);
    HPEN gridPen = CreatePen(PS_SOLID, 1, kGridColour);
    ScopedSelectObject pen(dc, gridPen);
    for (int i = 0; i < kColumnCount; ++i) {
        const ColumnDef& column = ListColumns[i];
        if (!column.visible || column.width <= 0) continue;
        const char* text = ColumnHeaderText(gDevice, ListColumns, i);
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        RECT cell = {column.x, top, column.x + column.width, top + headerHeight - 1};
        UINT align = size.cx <= column.width ? DT_CENTER : DT_LEFT;
        DrawTextA(dc, text, -1, &cell, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        int edge = column.x + column.width - 1;
        MoveToEx(dc, edge, top - 1, nullptr);
        LineTo(dc, edge, listBottom);
    }
    SelectObject(dc, GetStockObject(BLACK_PEN));
    DeleteObject(gridPen);
    (void)view;
}

void DrawRow(HDC dc, int control, int top, int selected) {
    SetTextColor(dc, selected ? RGB(255, 255, 255) : kRowText);
    for (int i = 0; i < kColumnCount; ++i) {
        const ColumnDef& column = ListColumns[i];
        if (!column.visible || column.width <= 4) continue;
        if (DrawComparedCell(dc, column, control, top)) continue;
        char text[128];
        ListCellText(column, control, text, sizeof text);
        if (!text[0]) continue;
        RECT cell = {column.x + 2, top, column.x + column.width - 2, top + kListViewRowHeight};
        UINT align =
            column.kind == kColumnNumber || column.kind == kColumnValue ? DT_RIGHT : DT_LEFT;
        DrawTextA(dc, text, -1, &cell, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
}

}  // namespace

void DeviceView::PaintList(PaneDc paneDc) {
    HDC dc = reinterpret_cast<HDC>(paneDc);
    title = DeviceViewTitle();
    DrawPaneFrame(paneDc, *this, BankAt(gBanks.current) ? BankRowIcon(gBanks.current) : kNoFileIcon,
                  1);
    int count = gDevice.controlCount < kMaxControls ? gDevice.controlCount : kMaxControls;
    if (!BankDataAt(gBanks.current) || count <= 0) {
        UpdatePaneScrollBar(*this, 1, 0, 0);
        return;
    }
    int rows = ListVisibleRows(*this, count);
    int barShown = count > rows;
    if (scrollIntoView) {
        int currentRow = gBanks.currentControl;
        if (currentRow < vertical.position) vertical.position = currentRow;
        if (rows > 0 && currentRow >= vertical.position + rows)
            vertical.position = currentRow - rows + 1;
        scrollIntoView = 0;
    }
    if (vertical.position > count - rows) vertical.position = count - rows;
    if (vertical.position < 0) vertical.position = 0;
    LayoutListColumns(*this, barShown, ListColumns);
    int left = rect.x + 2;
    int right = left;
    for (const ColumnDef& column : ListColumns) {
        if (column.visible && column.x + column.width > right) right = column.x + column.width;
    }
    int top = rect.y + 2;
    int firstRowTop = top + ListHeaderHeight();
    int listBottom = rect.y + rect.height - 1;
    HBRUSH navy = gBrushes[kBrushSelection] ? gBrushes[kBrushSelection]
                                            : static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (int i = 0; i < rows; ++i) {
        int control = vertical.position + i;
        if (!gSelection.controls[control]) continue;
        RECT bar = {left, firstRowTop + i * kListViewRowHeight, right,
                    firstRowTop + (i + 1) * kListViewRowHeight};
        FillRect(dc, &bar, navy);
    }
    DrawHeader(dc, *this, left, right, top, listBottom);
    ScopedSelectObject font(dc, PanelFont());
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < rows; ++i) {
        int control = vertical.position + i;
        DrawRow(dc, control, firstRowTop + i * kListViewRowHeight,
                gSelection.controls[control] != 0);
    }
    UpdatePaneScrollBar(*this, 1, count, rows);
}
