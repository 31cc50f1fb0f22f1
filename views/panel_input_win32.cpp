// The window procedures' mouse and scroll-bar messages, handed to the panels
// and the panes.
#include <windows.h>
#include <windowsx.h>

#include <initializer_list>

#include "base/messages.h"
#include "views/drag.h"
#include "midi/transfer_engine.h"
#include "views/panel_input_win32.h"
#include "views/pane_scroll.h"
#include "views/panel_mouse.h"

namespace {

// SB_ENDSCROLL: the end of a scroll, which a pane may answer.
constexpr int kEndScroll = 8;

int ThumbPosition(HWND bar, int request, WPARAM wParam) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS | SIF_POS;
    // The message carries only 16 bits of the position.
    if (!GetScrollInfo(bar, SB_CTL, &info)) return HIWORD(wParam);
    return request == kScrollThumbTrack ? info.nTrackPos : HIWORD(wParam);
}

// A drag holds the capture of the window it started in, so its moves and its
// release come there wherever the pointer is. When the pointer is over
// another of the program's windows, that window's panel takes them, at the
// same point in its own client coordinates: its rows follow the drag and
// the control under the pointer takes the drop.
Panel* PanelUnderPoint(HWND from, int* x, int* y) {
    POINT p = {*x, *y};
    ClientToScreen(from, &p);
    HWND under = WindowFromPoint(p);
    if (under == nullptr) return nullptr;
    for (Panel* panel : {&gMainPanel, &gLibraryPanel, &gEditorPanel}) {
        HWND window = reinterpret_cast<HWND>(panel->window);
        if (window == nullptr || window == from) continue;
        if (under != window && !IsChild(window, under)) continue;
        ScreenToClient(window, &p);
        *x = p.x;
        *y = p.y;
        return panel;
    }
    return nullptr;
}

}  // namespace

int InputBlocked() {
    return gModalBoxUp || (TransferBusy() ? 1 : 0);
}

LRESULT PanelWindowMouse(HWND window, Panel& panel, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK) {
        ClearStatus();
    }
    if (InputBlocked()) return 0;
    // An armed drag whose release was lost still holds the capture: a press
    // outside this window was meant for another one, and is not this
    // window's to act on.
    const bool pressWithoutLeftHeld =
        message == WM_LBUTTONDOWN || (message == WM_RBUTTONDOWN && !(wParam & MK_LBUTTON));
    if (pressWithoutLeftHeld && gDrag.armed && !gDrag.dragging) {
        RECT client;
        POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (GetClientRect(window, &client) && !PtInRect(&client, at)) {
            DisarmDrag();
            return 0;
        }
    }
    if (panel.window == nullptr) panel.window = reinterpret_cast<PaneWindow>(window);
    // Captured moves outside the window come with negative coordinates.
    int x = GET_X_LPARAM(lParam);
    int y = GET_Y_LPARAM(lParam);
    Panel* target = &panel;
    // An armed drag's first move goes there too (it starts the drag where
    // the pointer is); its release without a move stays with the source.
    if ((gDrag.dragging && (message == WM_MOUSEMOVE || message == WM_LBUTTONUP)) ||
        (gDrag.armed && message == WM_MOUSEMOVE)) {
        if (Panel* other = PanelUnderPoint(window, &x, &y)) target = other;
    }
    PanelMouse(*target, x, y, static_cast<int>(message), static_cast<int>(wParam & 0xFFFF));
    return 0;
}

LRESULT PanelWindowScroll(UINT message, WPARAM wParam, LPARAM lParam) {
    int request = LOWORD(wParam);
    // Top and bottom come from the bar's own context menu: they scroll too.
    if (request > kScrollBottom && request != kEndScroll) return 0;
    if (InputBlocked()) return 0;
    HWND bar = reinterpret_cast<HWND>(lParam);
    if (bar == nullptr) return 0;
    Pane* pane = reinterpret_cast<Pane*>(GetWindowLongPtrA(bar, GWLP_USERDATA));
    if (pane == nullptr) return 0;
    int thumb = 0;
    if (request == kScrollThumbPosition || request == kScrollThumbTrack) {
        thumb = ThumbPosition(bar, request, wParam);
    }
    ScrollPane(*pane, message == WM_VSCROLL ? 1 : 0, request, thumb);
    return 0;
}
