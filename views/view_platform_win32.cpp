// The views' window-system seam on Win32: repainting panes and rectangles,
// capture and confinement, cursors, key state, the views' timers, the rubber
// band's focus rectangle and the panes' scroll-bar windows.
#include <windows.h>

#include "base/app_state.h"
#include "base/shell_hooks.h"
#include "views/gdi_resources_win32.h"
#include "views/input_script_win32.h"
#include "views/pane_layout.h"
#include "views/view_platform.h"

InputScript gInputScript = {};

POINT ScriptedCursorPos() {
    if (gInputScript.active) return gInputScript.pointer;
    POINT p = {0, 0};
    GetCursorPos(&p);
    return p;
}

namespace {

HWND Hwnd(PaneWindow window) {
    return reinterpret_cast<HWND>(window);
}

RECT ToRect(const PaneRect& r) {
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}

HINSTANCE Instance() {
    return static_cast<HINSTANCE>(gInstance);
}

}  // namespace

void InvalidatePane(Pane& pane) {
    if (pane.window == nullptr) return;
    RECT r = ToRect(PaneInvalidRect(pane, SystemScrollBarWidth(), SystemScrollBarHeight()));
    InvalidateRect(Hwnd(pane.window), &r, FALSE);
}

void InvalidatePaneAlone(Pane& pane) {
    if (pane.window == nullptr) return;
    RequestPaintAlone(pane);
    InvalidatePane(pane);
}

void InvalidateWindowRect(PaneWindow window, const PaneRect* rect) {
    if (window == nullptr) return;
    if (rect == nullptr) {
        InvalidateRect(Hwnd(window), nullptr, FALSE);
        return;
    }
    RECT r = ToRect(*rect);
    InvalidateRect(Hwnd(window), &r, FALSE);
}

void CaptureMouse(PaneWindow window) {
    if (window != nullptr) SetCapture(Hwnd(window));
}

void ReleaseMouse() {
    ReleaseCapture();
}

void ConfinePointer(PaneWindow window, const PaneRect* rect) {
    HWND hwnd = Hwnd(window);
    if (hwnd == nullptr) return;
    RECT r;
    if (rect != nullptr) {
        r = ToRect(*rect);
    } else {
        GetClientRect(hwnd, &r);
    }
    // ClipCursor works in screen coordinates.
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(hwnd, nullptr, corners, 2);
    RECT screen = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    ClipCursor(&screen);
}

void ReleasePointer() {
    ClipCursor(nullptr);
}

void SetViewCursor(PaneWindow window, ViewCursor cursor) {
    HCURSOR handle = gArrowCursor != nullptr ? gArrowCursor : LoadCursor(nullptr, IDC_ARROW);
    int named = static_cast<int>(cursor) - 1;  // the named cursors follow the arrow
    if (named >= 0 && named < kCursorNameCount && gCursors[named] != nullptr) {
        handle = gCursors[named];
    }
    if (cursor == ViewCursor::kHidden) handle = nullptr;
    // The class cursor is what the window shows on every move; changing it
    // keeps the drag cursor up without handling WM_SETCURSOR.
    if (window != nullptr) {
        SetClassLongPtrA(Hwnd(window), GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(handle));
    }
    SetCursor(handle);
}

int KeyHeld(int virtualKey) {
    return GetKeyState(virtualKey) < 0 ? 1 : 0;
}

int LeftButtonHeld() {
    if (gInputScript.active) return gInputScript.leftHeld;
    // With the buttons swapped the "left" button the views mean is the primary.
    int key = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return GetAsyncKeyState(key) < 0 ? 1 : 0;
}

void PointerPosition(PaneWindow window, int* x, int* y) {
    POINT p = ScriptedCursorPos();
    if (window != nullptr) ScreenToClient(Hwnd(window), &p);
    *x = p.x;
    *y = p.y;
}

void StartViewTimer(int id, int periodMs) {
    // Under a script every tick is sent by the script.
    if (gMainWindow != nullptr && !gInputScript.active) SetTimer(static_cast<HWND>(gMainWindow), id, periodMs, nullptr);
}

void StopViewTimer(int id) {
    if (gMainWindow != nullptr) KillTimer(static_cast<HWND>(gMainWindow), id);
}

void DrawFocusBand(PaneWindow window, const PaneRect& band) {
    HWND hwnd = Hwnd(window);
    if (hwnd == nullptr) return;
    HDC dc = GetDC(hwnd);
    if (dc == nullptr) return;
    RECT r = ToRect(band);
    DrawFocusRect(dc, &r);
    ReleaseDC(hwnd, dc);
}

namespace {

void DestroyBar(PaneScroll& scroll) {
    if (scroll.bar != nullptr) DestroyWindow(Hwnd(scroll.bar));
    scroll.bar = nullptr;
}

}  // namespace

void SyncPaneScrollBar(Pane& pane, int vertical) {
    PaneScroll& s = vertical ? pane.vertical : pane.horizontal;
    if (s.controlId == 0 || pane.window == nullptr) return;
    if (s.total <= s.page) {
        s.position = 0;
        DestroyBar(s);
        return;
    }
    PaneRect r = PaneScrollBarRect(pane, vertical, SystemScrollBarWidth(), SystemScrollBarHeight());
    if (s.bar == nullptr) {
        HWND bar = CreateWindowExA(
            0, "scrollbar", nullptr, WS_CHILD | WS_VISIBLE | (vertical ? SBS_VERT : SBS_HORZ), r.x,
            r.y, r.width, r.height, Hwnd(pane.window),
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(s.controlId)), Instance(), nullptr);
        if (bar == nullptr) return;
        // The window procedure finds the pane to scroll through the bar.
        SetWindowLongPtrA(bar, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&pane));
        s.bar = reinterpret_cast<PaneWindow>(bar);
    } else {
        MoveWindow(Hwnd(s.bar), r.x, r.y, r.width, r.height, TRUE);
    }
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = 0;
    info.nMax = s.total - 1;
    info.nPage = static_cast<UINT>(s.page);
    info.nPos = s.position;
    SetScrollInfo(Hwnd(s.bar), SB_CTL, &info, TRUE);
}

void DestroyPaneScrollBars(Pane& pane) {
    DestroyBar(pane.horizontal);
    DestroyBar(pane.vertical);
}

int SystemScrollBarWidth() {
    return GetSystemMetrics(SM_CXVSCROLL);
}
int SystemScrollBarHeight() {
    return GetSystemMetrics(SM_CYHSCROLL);
}

void PaintWindowNow(PaneWindow window) {
    if (window != nullptr) UpdateWindow(Hwnd(window));
}

void WindowClientSize(PaneWindow window, int* width, int* height) {
    RECT r = {0, 0, 0, 0};
    if (window != nullptr) GetClientRect(Hwnd(window), &r);
    *width = r.right;
    *height = r.bottom;
}

void RunPanelCommand(PaneWindow window, int command) {
    gShellHooks.runCommand(static_cast<WindowHandle>(window), command);
}
