// The four window classes, the three hidden windows and the status popup's
// window, and the window procedures. Windows build only.
#pragma once

#include <windows.h>

// Step 9: registers "Ostrel", "Library", "Editor" and "Message" in that
// order. Returns 0 as soon as one registration fails.
int RegisterWindowClasses();
void UnregisterWindowClasses();

// Step 10: fills gMetrics (shell/window_geometry.h) from the system.
void CacheSystemMetrics();

// Step 12: creates the main, library and control editor windows, hidden.
// Returns 1 when all three exist.
int CreateMainWindows();

// Destroys whichever of the three still exist (Quit, and a failed start-up).
void DestroyMainWindows();

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LibraryWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK ControlWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK MessageWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 1 while user input must be ignored: a modal box is up or the transfer
// engine is sending or receiving.
int InputBlocked();

// Painting: the textured background with the panel frame (mode 1 raised,
// 2 or more sunken), and each window's whole paint through its panel.
void PaintWindowBackground(HWND window, HDC dc, int frameMode);
void PaintMainWindow(HWND window);
void PaintLibraryWindow(HWND window);
void PaintEditorWindow(HWND window);
void PaintMessageWindow(HWND window);

// Mouse input of a window with a panel (messages WM_MOUSEMOVE to
// WM_RBUTTONDBLCLK): a button press clears the status display; unless input
// is blocked, the message goes to the panel's mouse dispatch.
struct Panel;
LRESULT PanelWindowMouse(HWND window, Panel& panel, UINT message, WPARAM wParam, LPARAM lParam);
// WM_HSCROLL and WM_VSCROLL from a pane's scroll bar: the pane scrolls.
LRESULT PanelWindowScroll(UINT message, WPARAM wParam, LPARAM lParam);

// Moves and resizes the window's items and panes when its client size
// changed since its last layout (nothing while it is minimised), and
// repaints it then.
void RelayoutWindow(HWND window);

// Draws the status display (its background, and `text` wrapped when not
// null) on a device context of the main window's client area.
void DrawStatusDisplay(HDC dc, const char* text);

// The status text drawn while the main window was hidden, once (null when
// none): the main window's first paint shows it.
const char* TakePendingStatus();
// The text the status display shows now; nullptr when it is empty.
const char* ShownStatusText();

// The status popup's window while it is up.
extern HWND gPopupWindow;
