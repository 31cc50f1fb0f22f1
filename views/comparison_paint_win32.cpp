#include "views/comparison_paint_win32.h"

#include <cstring>

#include "imaging/gdi_draw_win32.h"
#include "views/comparison.h"
#include "views/device_view.h"
#include "views/editor_document.h"

namespace {

constexpr COLORREF kOwnText = RGB(0, 0, 128);
// Between a comment and the other preset's comment.
constexpr char kOtherMark[] = "\xbb ";
constexpr int kFrameWidth = 2;
constexpr int kBadgeSize = 6;

void Text(HDC dc, const char* text, RECT box, UINT align, COLORREF colour) {
    SetTextColor(dc, colour);
    DrawTextA(dc, text, -1, &box, align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    RECT r = {left, top, right, bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

int DrawComparedCell(HDC dc, const ColumnDef& column, int control, int top) {
    if (!ComparedCellDiffers(column, control)) return 0;
    char own[128];
    char other[128];
    ListCellText(column, control, own, sizeof own);
    ComparedCellText(column, control, other, sizeof other);
    const int bottom = top + kListViewRowHeight;
    // The grid line at the column's right edge stays.
    Fill(dc, column.x, top, column.x + column.width - 1, bottom, kComparedCellFill);
    COLORREF saved = GetTextColor(dc);
    SetBkMode(dc, TRANSPARENT);
    if (column.kind == kColumnValue) {
        int split = column.x + column.width - column.nominalWidth - kComparedValueGap / 2;
        Text(dc, own, RECT{column.x + 2, top, split - kComparedValueGap / 2, bottom}, DT_RIGHT,
             kOwnText);
        Text(dc, other,
             RECT{split + kComparedValueGap / 2, top, column.x + column.width - 2, bottom},
             DT_RIGHT, kComparedOtherText);
    } else {
        RECT box = {column.x + 2, top, column.x + column.width - 2, bottom};
        Text(dc, own, box, DT_LEFT, kOwnText);
        SIZE size = {0, 0};
        GetTextExtentPoint32A(dc, own, static_cast<int>(std::strlen(own)), &size);
        box.left += size.cx + (own[0] ? 8 : 0);
        char shown[sizeof other + sizeof kOtherMark];
        std::strcpy(shown, kOtherMark);
        std::strcat(shown, other);
        if (box.left < box.right) Text(dc, shown, box, DT_LEFT, kComparedOtherText);
    }
    SetTextColor(dc, saved);
    return 1;
}

void DrawComparedControl(HDC dc, int control, int originX, int originY) {
    if (control < 0 || control >= kDocMaxControls || ComparedControl(control) == 0) return;
    const DocControl& placed = gDocument.controls[control];
    const DocRect& o = placed.overlayRect;
    DocRect r = o;
    const TypePictures& pictures = gDocument.types[placed.type];
    if (!ImageBitmapIsEmpty(pictures.background)) {
        const DocRect& b = placed.backgroundRect;
        r = DocRect{b.left < o.left ? b.left : o.left, b.top < o.top ? b.top : o.top,
                    b.right > o.right ? b.right : o.right,
                    b.bottom > o.bottom ? b.bottom : o.bottom};
    }
    int left = originX + r.left - kFrameWidth - 1;
    int top = originY + r.top - kFrameWidth - 1;
    int right = originX + r.right + kFrameWidth + 1;
    int bottom = originY + r.bottom + kFrameWidth + 1;
    Fill(dc, left, top, right, top + kFrameWidth, kComparedControlFrame);
    Fill(dc, left, bottom - kFrameWidth, right, bottom, kComparedControlFrame);
    Fill(dc, left, top, left + kFrameWidth, bottom, kComparedControlFrame);
    Fill(dc, right - kFrameWidth, top, right, bottom, kComparedControlFrame);
    // A badge in the corner shows the mark even on a control drawn in orange.
    Fill(dc, right - kBadgeSize, top - kBadgeSize / 2, right + kBadgeSize / 2, top + kBadgeSize,
         kComparedControlFrame);
}
