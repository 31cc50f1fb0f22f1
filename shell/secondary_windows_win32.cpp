// LibraryWndProc, ControlWndProc and MessageWndProc: the library and control
// editor windows (hidden and shown, never destroyed before Quit) and the
// status popup.
#include <windows.h>

#include "base/app_state.h"
#include "base/messages.h"
#include "shell/commands.h"
#include "shell/window_geometry.h"
#include "shell/windows_win32.h"
#include "views/editor_pane.h"
#include "views/fonts.h"
#include "views/gdi_resources_win32.h"
#include "views/panel.h"
#include "views/panel_mouse.h"
#include "views/view_state.h"

namespace {

LRESULT OnMinMax(LPARAM lParam, int width, int height) {
    MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = width;
    info->ptMinTrackSize.y = height;
    return 0;
}

void TrackMinimised(int* flag, WPARAM sizeType) {
    *flag = MinimisedAfterSize(*flag, static_cast<int>(sizeType));
}

// What the two secondary windows have in common; `closeCommand` is their
// command (23 library, 24 control editor), sent to the main window by the
// close box.
LRESULT SecondaryWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Panel& panel,
                         int* minimised, int closeCommand, int minWidth, int minHeight) {
    switch (message) {
        case WM_SIZE:
            TrackMinimised(minimised, wParam);
            RelayoutWindow(window);
            return 0;
        case WM_PAINT:
            if (&panel == &gLibraryPanel) {
                PaintLibraryWindow(window);
            } else {
                PaintEditorWindow(window);
            }
            return 0;
        case WM_CLOSE:
            // Closing hides the window through its View menu command.
            if (gMainWindow)
                PostMessageA(static_cast<HWND>(gMainWindow), WM_COMMAND, closeCommand, 0);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_GETMINMAXINFO:
            return OnMinMax(lParam, minWidth, minHeight);
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return PanelWindowMouse(window, panel, message, wParam, lParam);
        case WM_HSCROLL:
        case WM_VSCROLL:
            return PanelWindowScroll(message, wParam, lParam);
        case WM_CAPTURECHANGED:
            PanelCaptureLost(panel);
            return 0;
        case WM_KEYDOWN:
            // Tab and Shift+Tab walk the control editor's fields.
            if (&panel == &gEditorPanel && wParam == VK_TAB) {
                if (!InputBlocked()) EditorPaneTabKey(GetKeyState(VK_SHIFT) < 0 ? 1 : 0);
                return 0;
            }
            return DefWindowProcA(window, message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

LRESULT CALLBACK LibraryWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        gLibraryWindow = window;
        return 0;
    }
    if (message == WM_DESTROY) {
        gLibraryWindow = nullptr;
        return 0;
    }
    return SecondaryWndProc(window, message, wParam, lParam, gLibraryPanel, &gLibraryMinimised,
                            kCmdLibraryWindow, kLibraryMinWidth, kLibraryMinHeight);
}

LRESULT CALLBACK ControlWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        gEditorWindow = window;
        return 0;
    }
    if (message == WM_DESTROY) {
        gEditorWindow = nullptr;
        return 0;
    }
    // The control editor cannot be made smaller than it starts.
    WindowRect initial = EditorWindowRect(gMetrics);
    return SecondaryWndProc(window, message, wParam, lParam, gEditorPanel, &gEditorMinimised,
                            kCmdEditorWindow, initial.width, initial.height);
}

LRESULT CALLBACK MessageWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintMessageWindow(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
