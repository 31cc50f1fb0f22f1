// Mouse and scroll-bar input of the windows with a panel, and when input is
// ignored. Windows build only.
#pragma once

#include <windows.h>

// 1 while user input must be ignored: a modal box is up or the transfer
// engine is sending or receiving.
int InputBlocked();

// Mouse input of a window with a panel (messages WM_MOUSEMOVE to
// WM_RBUTTONDBLCLK): a button press clears the status display; unless input
// is blocked, the message goes to the panel's mouse dispatch.
struct Panel;
LRESULT PanelWindowMouse(HWND window, Panel& panel, UINT message, WPARAM wParam, LPARAM lParam);
// WM_HSCROLL and WM_VSCROLL from a pane's scroll bar: the pane scrolls.
LRESULT PanelWindowScroll(UINT message, WPARAM wParam, LPARAM lParam);
