// Painting of the windows until the panels draw them: the textured
// background with the panel frame, through an off-screen bitmap so nothing
// flickers, and the status display's background on the main window.
#include <windows.h>

#include "imaging/gdi_draw_win32.h"
#include "shell/interface_images.h"
#include "shell/messages.h"
#include "shell/status_layout.h"
#include "shell/windows_win32.h"

namespace {

const ColourFill kFrameColour = {32, 48, 64};

// Paints through an off-screen copy of the client area (+1, as the panels
// do) and copies only the update rectangle to the screen.
template <typename Painter>
void PaintOffScreen(HWND window, Painter paint) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    ScopedMemoryDc memory(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right + 1, client.bottom + 1);
    if (memory.get() != nullptr && bitmap != nullptr) {
        {
            ScopedSelectObject select(memory.get(), bitmap);
            paint(memory.get());
            const RECT& u = ps.rcPaint;
            BitBlt(dc, u.left, u.top, u.right - u.left, u.bottom - u.top, memory.get(), u.left,
                   u.top, SRCCOPY);
        }
    } else {
        paint(dc);  // no memory for the copy: draw straight on the window
    }
    if (bitmap != nullptr) DeleteObject(bitmap);
    EndPaint(window, &ps);
}

}  // namespace

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

void PaintMainWindow(HWND window) {
    const char* pending = TakePendingStatus();
    PaintOffScreen(window, [window, pending](HDC dc) {
        PaintWindowBackground(window, dc, 1);
        DrawStatusDisplay(dc, pending);
    });
    // The display has no stored text: a repaint leaves it empty, unless it
    // is the first showing of a text that came while the window was hidden.
    gStatusShown = pending != nullptr ? 1 : 0;
}

void PaintPlainWindow(HWND window) {
    PaintOffScreen(window, [window](HDC dc) { PaintWindowBackground(window, dc, 1); });
}
