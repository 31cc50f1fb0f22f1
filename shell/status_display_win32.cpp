// The status display's text: drawn straight onto the main window through the
// views' DrawStatusDisplay, or kept for the window's first paint while it is
// still hidden.
#include <windows.h>

#include "base/app_state.h"
#include "base/platform.h"
#include "imaging/gdi_draw_win32.h"
#include "imaging/interface_images.h"
#include "shell/window_geometry.h"
#include "shell/windows_win32.h"
#include "views/fonts.h"
#include "views/gdi_resources_win32.h"
#include "views/status_layout.h"

namespace {
// A text shown while the main window is still hidden (the settings file is
// read before the window appears): drawing it then would lose it, so the
// window's first paint draws it instead.
char gPendingStatus[kMaxMessageText + 1];
char gShownStatus[kMaxMessageText + 1];
}  // namespace

const char* ShownStatusText() {
    return gShownStatus[0] != '\0' ? gShownStatus : nullptr;
}

const char* TakePendingStatus() {
    if (gPendingStatus[0] == '\0') return nullptr;
    static char taken[kMaxMessageText + 1];
    lstrcpynA(taken, gPendingStatus, sizeof taken);
    gPendingStatus[0] = '\0';
    return taken;
}

void PlatformDrawStatus(const char* text) {
    if (text != nullptr) {
        lstrcpynA(gShownStatus, text, sizeof gShownStatus);
    } else {
        gShownStatus[0] = '\0';
    }
    HWND window = static_cast<HWND>(gMainWindow);
    if (window == nullptr || !IsWindowVisible(window)) {
        if (text != nullptr) {
            lstrcpynA(gPendingStatus, text, sizeof gPendingStatus);
        } else {
            gPendingStatus[0] = '\0';
        }
        return;
    }
    gPendingStatus[0] = '\0';
    HDC dc = GetDC(window);
    if (dc == nullptr) return;
    DrawStatusDisplay(dc, text);
    ReleaseDC(window, dc);
}
