// The status display's drawing on the main window: the display panel image
// and the word-wrapped text, composed off-screen and copied in one piece.
#include <windows.h>

#include "imaging/gdi_draw_win32.h"
#include "imaging/interface_images.h"
#include "views/fonts.h"
#include "views/gdi_resources_win32.h"
#include "views/panel_paint_win32.h"
#include "views/status_layout.h"

namespace {

constexpr COLORREF kStatusTextColour = RGB(0, 0, 96);
constexpr int kMaxStatusLines = 8;

int MeasureOnDc(const char* text, int length, void* context) {
    SIZE size = {};
    GetTextExtentPoint32A(static_cast<HDC>(context), text, length, &size);
    return size.cx;
}

// The display's background in a w x h picture whose origin is the item's
// top-left: the window texture in phase with the rest of the window, then
// the display panel image in its pieces (or a plain fill without it).
void DrawDisplayBackground(HDC dc, StatusRect item) {
    const ImageBitmap& texture = gBitmaps[kBitmapBackground];
    if (!ImageBitmapIsEmpty(texture) && texture.width > 0 && texture.height > 0) {
        int dx = item.x % texture.width;
        int dy = item.y % texture.height;
        GdiTileBitmap(dc, texture, -dx, -dy, item.width + dx, item.height + dy, 0);
    }
    const RgbaImage* panel =
        gLogoImageCount > kLogoDisplayPanel ? &gLogoImages[kLogoDisplayPanel] : nullptr;
    if (panel == nullptr || RgbaImageIsEmpty(*panel)) {
        RECT r = {0, 0, item.width, item.height};
        HBRUSH fill = CreateSolidBrush(RGB(214, 224, 228));
        FillRect(dc, &r, fill);
        DeleteObject(fill);
        return;
    }
    ImagePiece pieces[kMaxDisplayPieces];
    int count = DisplayPanelPieces(item.width, pieces, kMaxDisplayPieces);
    for (int i = 0; i < count; ++i) {
        GdiDrawRgbaImage(dc, *panel, pieces[i].destX, 0, pieces[i].width, item.height,
                         pieces[i].sourceX, 0, 255);
    }
}

void DrawDisplayText(HDC dc, StatusRect item, const char* text) {
    TextBox box = StatusTextBox(item);
    // Into the picture's own coordinates.
    RECT clip = {box.left - item.x, box.top - item.y, box.right - item.x, box.bottom - item.y};
    HGDIOBJ oldFont = SelectObject(
        dc, gFonts[kFontPanel] ? gFonts[kFontPanel] : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, kStatusTextColour);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextLine lines[kMaxStatusLines];
    int count =
        WrapStatusText(text, clip.right - clip.left, MeasureOnDc, dc, lines, kMaxStatusLines);
    int lineHeight = gFontMetrics[kFontPanelBold].height;
    if (lineHeight <= 0) {
        TEXTMETRICA metrics = {};
        GetTextMetricsA(dc, &metrics);
        lineHeight = metrics.tmHeight > 0 ? metrics.tmHeight : 13;
    }
    int middle = (clip.left + clip.right) / 2;
    for (int i = 0; i < count; ++i) {
        ExtTextOutA(dc, middle, clip.top + i * lineHeight, ETO_CLIPPED, &clip,
                    text + lines[i].start, lines[i].length, nullptr);
    }
    SelectObject(dc, oldFont);
}

}  // namespace

void DrawStatusDisplay(HDC dc, const char* text) {
    StatusRect item = gStatusDisplayRect;
    if (item.width <= 0 || item.height <= 0) return;
    // Composed off-screen and copied in one piece, so the old text never
    // shows through the panel image's translucent parts.
    ScopedMemoryDc memory(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, item.width, item.height);
    if (memory.get() == nullptr || bitmap == nullptr) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        return;
    }
    {
        ScopedSelectObject select(memory.get(), bitmap);
        DrawDisplayBackground(memory.get(), item);
        if (text != nullptr) DrawDisplayText(memory.get(), item, text);
        BitBlt(dc, item.x, item.y, item.width, item.height, memory.get(), 0, 0, SRCCOPY);
    }
    DeleteObject(bitmap);
}
