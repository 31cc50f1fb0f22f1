// The transfer engine's window seam on the main window (transfer_view.h): the
// repaints. The indicator's drawing belongs to the main panel's painting
// (views/panel_paint_win32.cpp), which knows where its item lies.
#include <windows.h>

#include "base/app_state.h"
#include "midi/transfer_view.h"

namespace {

void RepaintNow(WindowHandle window) {
    HWND hwnd = static_cast<HWND>(window);
    if (!hwnd) return;
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

}  // namespace

void TransferRedrawMainWindow() {
    RepaintNow(gMainWindow);
}

void TransferRedrawControlWindow() {
    RepaintNow(gEditorWindow);
}
