// The frame every pane draws around itself: the textured title strip above
// it and the white body, each outlined in black with a shadow line along its
// right and bottom edges.
#include <windows.h>

#include "imaging/gdi_draw_win32.h"
#include "imaging/interface_images.h"
#include "views/gdi_resources_win32.h"
#include "views/pane_frame.h"
#include "views/pane_layout.h"

namespace {

// The strip's texture starts at this column of the background picture, a
// quieter part of it than the window's own tiling shows there.
constexpr int kStripTextureColumn = 288;
constexpr int kStripBottomGap = 2;  // the strip ends 2 pixels above the body
constexpr int kFileIconSize = 12;

HGDIOBJ PenOr(int index, int stock) {
    return gPens[index] != nullptr ? static_cast<HGDIOBJ>(gPens[index]) : GetStockObject(stock);
}

// An outlined box from (left, top) to (right, bottom) exclusive, with the
// shadow just outside its right and bottom edges.
void OutlineWithShadow(HDC dc, int left, int top, int right, int bottom) {
    {
        ScopedSelectObject pen(dc, GetStockObject(BLACK_PEN));
        ScopedSelectObject brush(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, left, top, right, bottom);
    }
    ScopedSelectObject pen(dc, PenOr(kPenShadow, BLACK_PEN));
    MoveToEx(dc, right, top + 1, nullptr);
    LineTo(dc, right, bottom + 1);
    MoveToEx(dc, left + 1, bottom, nullptr);
    LineTo(dc, right, bottom);
}

void DrawTitle(HDC dc, const Pane& pane, int top, int centred) {
    if (pane.title == nullptr || pane.title[0] == '\0') return;
    HGDIOBJ font = gFonts[kFontPanel] != nullptr ? static_cast<HGDIOBJ>(gFonts[kFontPanel])
                                                 : GetStockObject(DEFAULT_GUI_FONT);
    ScopedSelectObject select(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    int x = pane.rect.x + 2;
    if (centred) {
        SetTextAlign(dc, TA_CENTER | TA_TOP);
        x = pane.rect.x + pane.rect.width / 2;
    } else {
        SetTextAlign(dc, TA_LEFT | TA_TOP);
    }
    RECT clip = {pane.rect.x + 1, top + 1, pane.rect.x + pane.rect.width - 1,
                 pane.rect.y - kStripBottomGap - 1};
    ExtTextOutA(dc, x, top + 1, ETO_CLIPPED, &clip, pane.title, lstrlenA(pane.title), nullptr);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
}

}  // namespace

void DrawPaneFrame(PaneDc paneDc, const Pane& pane, int fileIcon, int centredTitle) {
    HDC dc = reinterpret_cast<HDC>(paneDc);
    const PaneRect& r = pane.rect;
    if (r.width <= 0 || r.height <= 0) return;
    int top = r.y - kTitleStripHeight;
    int stripBottom = r.y - kStripBottomGap;

    const ImageBitmap& texture = gBitmaps[kBitmapBackground];
    if (!ImageBitmapIsEmpty(texture)) {
        GdiTileBitmap(dc, texture, r.x, top, r.width, stripBottom - top, kStripTextureColumn);
    }
    OutlineWithShadow(dc, r.x, top, r.x + r.width, stripBottom);

    RECT body = {r.x, r.y, r.x + r.width, r.y + r.height};
    FillRect(dc, &body,
             gBrushes[kBrushWhite] ? gBrushes[kBrushWhite]
                                   : static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    OutlineWithShadow(dc, r.x, r.y, r.x + r.width, r.y + r.height);

    if (fileIcon >= 0 && fileIcon < gFileIconCount && !RgbaImageIsEmpty(gFileIcons[fileIcon])) {
        GdiDrawRgbaImage(dc, gFileIcons[fileIcon], r.x + 2, top + 2, kFileIconSize, kFileIconSize,
                         0, 0, 255);
    }
    DrawTitle(dc, pane, top, centredTitle);
}
