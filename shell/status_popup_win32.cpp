// The status popup's window: sized to its text, centred on the main window
// and kept on the screen (rules in status_layout.h).
#include <windows.h>

#include "base/app_state.h"
#include "base/platform.h"
#include "shell/window_geometry.h"
#include "shell/windows_win32.h"
#include "views/fonts.h"
#include "views/gdi_resources_win32.h"
#include "views/status_layout.h"

HWND gPopupWindow = nullptr;

namespace {

int PopupTextWidth(const char* text) {
    HDC dc = GetDC(nullptr);
    if (dc == nullptr) return 0;
    HGDIOBJ old = SelectObject(
        dc, gFonts[kFontPanelBold] ? gFonts[kFontPanelBold] : GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return size.cx;
}

}  // namespace

void PlatformShowPopup(const char* text) {
    if (gPopupWindow != nullptr) PlatformClosePopup();
    int width = StatusPopupWidth(PopupTextWidth(text));
    RECT main = {0, 0, gMetrics.fullW, 0};
    if (gMainWindow != nullptr) GetWindowRect(static_cast<HWND>(gMainWindow), &main);
    int left = StatusPopupLeft(main.left, main.right - main.left, width, gMetrics.fullW);
    // Shown without taking the focus from the window the user works in.
    gPopupWindow = CreateWindowExA(WS_EX_TOPMOST, "Message", "Message", WS_POPUP | WS_DLGFRAME,
                                   left, gPopupGeometry.y, width, gPopupGeometry.height,
                                   static_cast<HWND>(gDesktopWindow), nullptr,
                                   static_cast<HINSTANCE>(gInstance), nullptr);
    if (gPopupWindow == nullptr) return;
    ShowWindow(gPopupWindow, SW_SHOWNOACTIVATE);
    UpdateWindow(gPopupWindow);
}

void PlatformClosePopup() {
    if (gPopupWindow != nullptr) DestroyWindow(gPopupWindow);
    gPopupWindow = nullptr;
}
