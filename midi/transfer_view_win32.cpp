// The transfer engine's window seam on the main window (transfer_view.h).
//
// The indicator is drawn straight onto the window, not through the panel's
// off-screen picture: during a send the user-interface thread paints nothing
// else, and each step must show at once.
#include <windows.h>

#include "imaging/gdi_draw_win32.h"
#include "midi/transfer_view.h"
#include "shell/app_state.h"
#include "shell/gdi_resources_win32.h"
#include "shell/interface_images.h"

namespace {

// The indicator's toolbar item: an outline from (160, 17) to (190, 47), the
// 29 x 29 frame one pixel inside it.
constexpr int kIndicatorX = 160;
constexpr int kIndicatorY = 17;
constexpr int kIndicatorBox = 30;
constexpr int kFrameSize = 29;
constexpr int kFrameCount = 25;

void RepaintNow(WindowHandle window) {
    HWND hwnd = static_cast<HWND>(window);
    if (!hwnd) return;
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

}  // namespace

void DrawActivityIndicator(int frame) {
    HWND hwnd = static_cast<HWND>(gMainWindow);
    if (!hwnd) return;
    if (frame < 0 || frame >= kFrameCount) frame = kFrameCount - 1;
    HDC dc = GetDC(hwnd);
    if (!dc) return;
    {
        ScopedSelectObject pen(
            dc, gPens[kPenIndicator] ? (HGDIOBJ)gPens[kPenIndicator] : GetStockObject(BLACK_PEN));
        ScopedSelectObject brush(dc, GetStockObject(NULL_BRUSH));
        // Lines at x and x + 30, y 17 and 47: the frame fits between them.
        Rectangle(dc, kIndicatorX, kIndicatorY, kIndicatorX + kIndicatorBox + 1,
                  kIndicatorY + kIndicatorBox + 1);
    }
    const ImageBitmap& strip = gBitmaps[kBitmapMidiPlug];
    GdiDrawBitmapPart(dc, strip, kIndicatorX + 1, kIndicatorY + 1, kFrameSize, kFrameSize,
                      frame * kFrameSize, 0);
    ReleaseDC(hwnd, dc);
}

void TransferRedrawMainWindow() {
    RepaintNow(gMainWindow);
}

void TransferRedrawControlWindow() {
    RepaintNow(gEditorWindow);
}
