// The four window classes, the three hidden windows and the status popup's
// window, and the window procedures. Windows build only.
#pragma once

#include <windows.h>

#include "views/panel_input_win32.h"
#include "views/panel_paint_win32.h"

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

// Each window's whole paint through its panel.
void PaintMainWindow(HWND window);
void PaintLibraryWindow(HWND window);
void PaintEditorWindow(HWND window);
void PaintMessageWindow(HWND window);

// Moves and resizes the window's items and panes when its client size
// changed since its last layout (nothing while it is minimised), and
// repaints it then.
void RelayoutWindow(HWND window);

// The status text drawn while the main window was hidden, once (null when
// none): the main window's first paint shows it.
const char* TakePendingStatus();
// The text the status display shows now; nullptr when it is empty.
const char* ShownStatusText();

// The status popup's window while it is up.
extern HWND gPopupWindow;
