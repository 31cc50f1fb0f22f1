// MainWndProc: the main window's messages. Each case hands off to one
// function; painting and the panes' mouse input belong to the panels.
#include <windows.h>

#include <initializer_list>

#include "base/app_state.h"
#include "shell/menu_help_win32.h"
#include "base/messages.h"
#include "views/drag.h"
#include "shell/commands.h"
#include "shell/joins.h"
#include "shell/session_end.h"
#include "shell/window_geometry.h"
#include "shell/windows_win32.h"
#include "views/input_script_win32.h"
#include "views/keyboard_pane.h"
#include "views/pane_keys.h"
#include "views/panel.h"
#include "views/panel_mouse.h"
#include "views/tooltip.h"
#include "views/value_spinner.h"
#include "views/view_state.h"

namespace {

constexpr UINT_PTR kTransferTimer = 100;
constexpr UINT_PTR kDragScrollTimer = 101;
constexpr UINT_PTR kSpinnerTimer = 102;
constexpr UINT kTransferTimerPeriodMs = 50;

LRESULT OnCreate(HWND window) {
    gMainWindow = window;
    SetTimer(window, kTransferTimer, kTransferTimerPeriodMs, nullptr);
    return 0;
}

LRESULT OnDestroy(HWND window) {
    KillTimer(window, kTransferTimer);
    gMainWindow = nullptr;
    PostQuitMessage(0);
    return 0;
}

static_assert(kSizeRestored == SIZE_RESTORED && kSizeMinimized == SIZE_MINIMIZED &&
                  kSizeMaximized == SIZE_MAXIMIZED,
              "the portable size types are the platform's");

LRESULT OnSize(HWND window, WPARAM sizeType) {
    gMainMinimised = MinimisedAfterSize(gMainMinimised, static_cast<int>(sizeType));
    RelayoutWindow(window);
    return 0;
}

LRESULT OnGetMinMaxInfo(LPARAM lParam) {
    MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = kMainMinWidth;
    info->ptMinTrackSize.y = kMainMinHeight;
    return 0;
}

// A critical end does not wait for answers; a box or a transfer already
// holding the program cannot take questions.
LRESULT OnQueryEndSession(LPARAM flags) {
    int cannotAsk = (flags & ENDSESSION_CRITICAL) != 0 || InputBlocked();
    return QueryEndSession(cannotAsk) ? TRUE : FALSE;
}

LRESULT OnCommand(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Commands that arrive while a box is up or a transfer runs are dropped.
    if (InputBlocked()) return DefWindowProcA(window, message, wParam, lParam);
    int id = LOWORD(wParam);
    // Only a menu's command answers F1 on its item; a key's never does.
    if (HIWORD(wParam) == 0 && TakeMenuHelpRequest(id)) return 0;
    RunCommand(window, id);
    return 0;
}

LRESULT OnTimer(HWND window, WPARAM id) {
    if (id == kDragScrollTimer) {
        DragTick(window);
        RubberBandTick();
        return 0;
    }
    if (id == kSpinnerTimer) {
        ValueSpinnerTick();
        return 0;
    }
    JoinTransferTimer();
    // The tick tracks the pointer over the window it is in: over another
    // window the main window's client point could fall on a toolbar item
    // hidden beneath.
    POINT p = ScriptedCursorPos();
    HWND under = WindowFromPoint(p);
    if (under == window || IsChild(window, under)) {
        JoinTooltipTick();
        return 0;
    }
    if (gTooltip.panel == &gMainPanel) TooltipTrack(gMainPanel, -1, -1);  // it left
    for (Panel* panel : {&gLibraryPanel, &gEditorPanel}) {
        HWND owner = reinterpret_cast<HWND>(panel->window);
        if (owner != nullptr && (under == owner || IsChild(owner, under))) {
            TooltipTickPanel(*panel);
        }
    }
    return 0;
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            return OnCreate(window);
        case WM_DESTROY:
            return OnDestroy(window);
        case WM_SIZE:
            return OnSize(window, wParam);
        case WM_PAINT:
            PaintMainWindow(window);
            return 0;
        case WM_CLOSE:
            // The close box and Alt+F4 are the command Quit.
            PostMessageA(window, WM_COMMAND, kCmdQuit, 0);
            return 0;
        case WM_QUERYENDSESSION:
            return OnQueryEndSession(lParam);
        case WM_ENDSESSION:
            EndSession(wParam != 0);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_GETMINMAXINFO:
            return OnGetMinMaxInfo(lParam);
        case WM_KEYDOWN:
            // Row movement and renaming belong to the panes; all other keys
            // are swallowed.
            if (!InputBlocked()) PaneKeyDown(static_cast<int>(wParam));
            return 0;
        case WM_CAPTURECHANGED:
            // Only a capture taken by another window; our own releases end
            // their presses and drags themselves.
            if (reinterpret_cast<HWND>(lParam) != window) {
                PanelCaptureLost(gMainPanel);
                KeyboardPaneCaptureLost();
            }
            return 0;
        case WM_COMMAND:
            return OnCommand(window, message, wParam, lParam);
        case WM_TIMER:
            return OnTimer(window, wParam);
        case WM_ENTERIDLE:
            OnMenuIdle(window, wParam);
            return 0;
        case WM_ENTERMENULOOP:
            gMenuOpen = 1;
            return 0;
        case WM_EXITMENULOOP:
            gMenuOpen = 0;
            MenuLoopEnded(window);
            return 0;
        case kMsgMenuHelpExpired:
            EndMenuHelpRequest();
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return PanelWindowMouse(window, gMainPanel, message, wParam, lParam);
        case WM_HSCROLL:
        case WM_VSCROLL:
            return PanelWindowScroll(message, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

