// LibraryWndProc, ControlWndProc and MessageWndProc: the library and control
// editor windows (hidden and shown, never destroyed before Quit) and the
// status popup.
#include <windows.h>

#include "shell/app_state.h"
#include "shell/commands.h"
#include "shell/fonts.h"
#include "shell/gdi_resources_win32.h"
#include "shell/messages.h"
#include "shell/view_state.h"
#include "shell/window_geometry.h"
#include "shell/windows_win32.h"

namespace {

LRESULT OnMinMax(LPARAM lParam, int width, int height) {
    MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = width;
    info->ptMinTrackSize.y = height;
    return 0;
}

void TrackMinimised(int* flag, WPARAM sizeType) {
    if (sizeType == SIZE_MINIMIZED) *flag = 1;
    if (sizeType == SIZE_RESTORED) *flag = 0;
}

// What the two secondary windows have in common; `which` is their command
// (23 library, 24 control editor), sent to the main window by the close box.
LRESULT SecondaryWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int* minimised,
                         int closeCommand, int minWidth, int minHeight) {
    switch (message) {
        case WM_SIZE:
            TrackMinimised(minimised, wParam);
            return 0;
        case WM_PAINT:
            PaintPlainWindow(window);
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
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            ClearStatus();
            return 0;
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
    return SecondaryWndProc(window, message, wParam, lParam, &gLibraryMinimised, kCmdLibraryWindow,
                            kLibraryMinWidth, kLibraryMinHeight);
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
    return SecondaryWndProc(window, message, wParam, lParam, &gEditorMinimised, kCmdEditorWindow,
                            initial.width, initial.height);
}

namespace {

// The popup's label: its text centred, black over a white copy one pixel to
// the right and below, in the bold panel font.
void PaintPopup(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintWindowBackground(window, dc, 0);
    RECT client;
    GetClientRect(window, &client);
    HGDIOBJ oldFont = SelectObject(
        dc, gFonts[kFontPanelBold] ? gFonts[kFontPanelBold] : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    int length = lstrlenA(gPopupText);
    int x = client.right / 2;
    SIZE size = {};
    GetTextExtentPoint32A(dc, gPopupText, length, &size);
    int y = (client.bottom - size.cy) / 2;
    if (y < 0) y = 0;
    SetTextColor(dc, RGB(255, 255, 255));
    TextOutA(dc, x + 1, y + 1, gPopupText, length);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, x, y, gPopupText, length);
    SelectObject(dc, oldFont);
    EndPaint(window, &ps);
}

}  // namespace

LRESULT CALLBACK MessageWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintPopup(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
