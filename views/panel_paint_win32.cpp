// Painting of the panels and their windows.
#include "views/panel_paint_win32.h"

#include <algorithm>

#include "base/app_state.h"
#include "base/messages.h"
#include "views/drag.h"
#include "imaging/gdi_draw_win32.h"
#include "imaging/interface_images.h"
#include "midi/transfer_state.h"
#include "midi/transfer_view.h"
#include "views/editor_tabs.h"
#include "views/fonts.h"
#include "views/gdi_resources_win32.h"
#include "views/pane_layout.h"
#include "views/view_platform.h"

namespace {

const ColourFill kFrameColour = {32, 48, 64};
constexpr int kDisabledAlpha = 128;
constexpr int kIndicatorTop = 17;
constexpr int kIndicatorBox = 30;
constexpr int kIndicatorFrame = 29;
constexpr int kIdleFrame = 24;
constexpr int kFirstTabLabel = 160;  // "Control Details", "Extra Variables", "Zone Data"
constexpr COLORREF kTabTextColour = RGB(0, 0, 32);
constexpr int kTabTextTop = 2;

HGDIOBJ FontOr(int index) {
    if (index >= 0 && index < kFontCount && gFonts[index] != nullptr) return gFonts[index];
    return GetStockObject(DEFAULT_GUI_FONT);
}

const RgbaImage* ButtonImage(int index) {
    if (index < 0 || index >= gButtonImageCount) return nullptr;
    const RgbaImage& image = gButtonImages[index];
    return RgbaImageIsEmpty(image) ? nullptr : &image;
}

void DrawImageAt(HDC dc, const RgbaImage* image, int x, int y, int alpha) {
    if (image != nullptr) GdiDrawRgbaImage(dc, *image, x, y, alpha);
}

void DrawLabel(HDC dc, const Panel& panel, const PanelItem& item) {
    if (item.label == nullptr || item.label[0] == '\0') return;
    ScopedSelectObject font(dc, FontOr(item.image));
    SetBkMode(dc, TRANSPARENT);
    int x = item.x + item.width / 2;
    SetTextAlign(dc, (&panel == &gMessagePanel ? TA_CENTER : TA_LEFT) | TA_TOP);
    int length = lstrlenA(item.label);
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, x + 1, item.y + 1, item.label, length);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x, item.y, item.label, length);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
}

// The one drawing of the activity indicator, for the panel's paint and for
// the transfer engine's steps alike: the outline from the item's x at y 17 to
// x + 30, y 47, and the frame one pixel inside it.
void DrawIndicator(HDC dc, const PanelItem& item, int frame) {
    {
        ScopedSelectObject pen(dc, gPens[kPenIndicator] ? static_cast<HGDIOBJ>(gPens[kPenIndicator])
                                                        : GetStockObject(BLACK_PEN));
        ScopedSelectObject brush(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, item.x, kIndicatorTop, item.x + kIndicatorBox + 1,
                  kIndicatorTop + kIndicatorBox + 1);
    }
    const ImageBitmap& strip = gBitmaps[kBitmapMidiPlug];
    if (ImageBitmapIsEmpty(strip)) return;
    if (frame < 0 || frame > kIdleFrame) frame = kIdleFrame;
    GdiDrawBitmapPart(dc, strip, item.x + 1, kIndicatorTop + 1, kIndicatorFrame, kIndicatorFrame,
                      frame * kIndicatorFrame, 0);
}

void DrawTab(HDC dc, const PanelItem& item) {
    if (item.type == kItemTabZones && !DeviceHasZoneTab()) return;
    int width = item.width;
    int image = item.image;
    EditorTabAppearance(item.type, item.width, item.image, &width, &image);
    DrawImageAt(dc, ButtonImage(item.pressed ? image + 1 : image), item.x, item.y, 255);
    char label[64] = "";
    if (LoadStringById(kFirstTabLabel + item.type - kItemTabDetails, label, sizeof label) <= 0) {
        return;
    }
    ScopedSelectObject font(dc, FontOr(kFontPanel));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kTabTextColour);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutA(dc, item.x + width / 2, item.y + kTabTextTop, label, lstrlenA(label));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
}

void DrawButton(HDC dc, const PanelItem& item) {
    int alpha = 255;
    if ((item.type == kItemSend || item.type == kItemUpload || item.type == kItemDownload) &&
        !PanelItemEnabled(item)) {
        alpha = kDisabledAlpha;
    }
    DrawImageAt(dc, ButtonImage(item.pressed ? item.image + 1 : item.image), item.x, item.y, alpha);
}

// The off-screen picture's clip: the update rectangle.
void ClipTo(HDC dc, const RECT& r) {
    HRGN region = CreateRectRgn(r.left, r.top, r.right, r.bottom);
    if (region == nullptr) return;
    SelectClipRgn(dc, region);
    DeleteObject(region);
}

int Contains(const PaneRect& outer, const RECT& inner) {
    return inner.left >= outer.x && inner.top >= outer.y && inner.right <= outer.x + outer.width &&
           inner.bottom <= outer.y + outer.height;
}

void PaintEverything(HWND window, HDC dc, Panel& panel, const char* statusText) {
    PaintWindowBackground(window, dc, panel.layout.frameMode);
    for (int i = 0; i < panel.itemCount; ++i) DrawPanelItem(dc, panel, panel.items[i], statusText);
    for (int i = 0; i < panel.paneCount; ++i)
        panel.paintPanes[i]->Paint(reinterpret_cast<PaneDc>(dc));
}

// The band is an XOR drawing on the window: the copy just covered the part
// inside the update rectangle, and only that part may be drawn again (a
// second drawing outside it would erase the band there).
void RedrawRubberBand(HWND window, const RECT& update) {
    if (!gRubberBand.active || gRubberBand.pane == nullptr ||
        gRubberBand.pane->window != reinterpret_cast<PaneWindow>(window)) {
        return;
    }
    HDC dc = GetDC(window);
    if (dc == nullptr) return;
    IntersectClipRect(dc, update.left, update.top, update.right, update.bottom);
    const PaneRect& b = gRubberBand.band;
    RECT band = {b.x, b.y, b.x + b.width, b.y + b.height};
    DrawFocusRect(dc, &band);
    ReleaseDC(window, dc);
}

// Each panel window's off-screen picture, kept from paint to paint and grown
// when the window outgrows it: a section the window's size made for every
// paint cost the system a fresh page of memory for every 1,300 pixels, each
// paint (most of a repaint's time under Wine). One per window, so that what a
// paint of one pane leaves undrawn is still that window's own last picture.
struct BackBuffer {
    HWND window = nullptr;
    ImageBitmap bitmap;
};
BackBuffer gBackBuffers[4];  // the main, Library and Editor windows, and a spare

// The window's back buffer at least width x height, or null when there is no
// memory for one.
HBITMAP BackBufferFor(HWND window, int width, int height) {
    BackBuffer* buffer = nullptr;
    for (BackBuffer& b : gBackBuffers) {
        if (b.window == window) buffer = &b;
    }
    for (BackBuffer& b : gBackBuffers) {
        if (buffer == nullptr && b.window == nullptr) buffer = &b;
    }
    if (buffer == nullptr) {  // more windows than places: the first gives its up
        buffer = &gBackBuffers[0];
        ImageBitmapRelease(&buffer->bitmap);
    }
    buffer->window = window;
    ImageBitmap& bitmap = buffer->bitmap;
    if (bitmap.width < width || bitmap.height < height) {
        const int w = std::max(bitmap.width, width);
        const int h = std::max(bitmap.height, height);
        ImageBitmapRelease(&bitmap);
        if (!ImageBitmapAllocate(&bitmap, w, h)) return nullptr;
    }
    return static_cast<HBITMAP>(bitmap.handle);
}

}  // namespace

void ReleasePanelBackBuffers() {
    for (BackBuffer& b : gBackBuffers) {
        ImageBitmapRelease(&b.bitmap);
        b.window = nullptr;
    }
}

// The transfer engine's indicator step (midi/transfer_view.h), drawn straight
// onto the main window, not through the panel's off-screen picture: during a
// send the user-interface thread paints nothing else, and each step must show
// at once.
void DrawActivityIndicator(int frame) {
    HWND hwnd = static_cast<HWND>(gMainWindow);
    const PanelItem* item = FindPanelItem(gMainPanel, kItemIndicator);
    if (!hwnd || !item) return;
    HDC dc = GetDC(hwnd);
    if (!dc) return;
    DrawIndicator(dc, *item, frame);
    ReleaseDC(hwnd, dc);
}

void DrawPanelItem(HDC dc, const Panel& panel, const PanelItem& item, const char* statusText) {
    switch (item.type) {
        case kItemLabel:
            DrawLabel(dc, panel, item);
            return;
        case kItemIndicator:
            // A repaint during a download keeps the frame of its progress.
            DrawIndicator(
                dc, item,
                gTransfer.receiving ? ProgressFrame(gTransfer.progressCounter) : kIdleFrame);
            return;
        case kItemLogoTop:
        case kItemLogoName:
        case kItemLogoBottom:
            if (item.image >= 0 && item.image < gLogoImageCount) {
                DrawImageAt(dc, &gLogoImages[item.image], item.x, item.y, 255);
            }
            return;
        case kItemStatusDisplay:
            DrawStatusDisplay(dc, statusText);
            return;
        default:
            break;
    }
    if (item.kind == kKindTab) {
        DrawTab(dc, item);
    } else if (item.kind == kKindButton) {
        DrawButton(dc, item);
    }
}

void PaintPanelWindow(HWND window, Panel& panel, const char* statusText) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    const RECT& u = ps.rcPaint;
    Pane* alone = TakePaintAloneRequest(reinterpret_cast<PaneWindow>(window));
    // A pane is painted alone only when nothing outside it waits to be
    // painted (another invalidation may have joined its update region).
    if (alone != nullptr &&
        !Contains(PaneInvalidRect(*alone, SystemScrollBarWidth(), SystemScrollBarHeight()), u)) {
        alone = nullptr;
    }
    ScopedMemoryDc memory(dc);
    // A DIB section, so that translucent labels and frames mix in its pixels
    // where they are (gdi_draw_win32.cpp). It may be larger than the window:
    // the clip keeps every drawing inside the update rectangle.
    HBITMAP bitmap = BackBufferFor(window, client.right + 1, client.bottom + 1);
    if (memory.get() != nullptr && bitmap != nullptr) {
        ScopedSelectObject select(memory.get(), bitmap);
        ClipTo(memory.get(), u);
        if (alone != nullptr) {
            alone->Paint(reinterpret_cast<PaneDc>(memory.get()));
        } else {
            PaintEverything(window, memory.get(), panel, statusText);
        }
        BitBlt(dc, u.left, u.top, u.right - u.left, u.bottom - u.top, memory.get(), u.left, u.top,
               SRCCOPY);
    } else {
        PaintEverything(window, dc, panel, statusText);  // no memory: straight on the window
    }
    EndPaint(window, &ps);
    RedrawRubberBand(window, u);
}

void PaintWindowBackground(HWND window, HDC dc, int frameMode) {
    RECT client;
    GetClientRect(window, &client);
    int w = client.right;
    int h = client.bottom;
    const ImageBitmap& texture = gBitmaps[kBitmapBackground];
    if (!ImageBitmapIsEmpty(texture)) {
        GdiTileBitmap(dc, texture, 0, 0, w + 1, h + 1, 0);
    } else {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    }
    if (frameMode == 1) {
        GdiFrameTranslucent(dc, 0, 0, w, h, 1, kFrameColour, 128);
        GdiFillTranslucent(dc, 1, 1, w - 2, 1, kFrameColour, 192);
        GdiFillTranslucent(dc, 1, 2, 1, h - 3, kFrameColour, 192);
    } else if (frameMode >= 2) {
        GdiFrameTranslucent(dc, 1, 1, w - 2, h - 2, 1, kFrameColour, 192);
        GdiFillTranslucent(dc, 2, h - 3, w - 4, 1, kFrameColour, 128);
        GdiFillTranslucent(dc, w - 3, 2, 1, h - 5, kFrameColour, 128);
    }
}
