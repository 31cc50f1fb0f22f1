// Painting a window with a panel: its textured background and frame, its
// items, then its panes, through an off-screen bitmap. Windows build only.
#pragma once

#include <windows.h>

#include "views/panel.h"

// The whole paint of `window` on its WM_PAINT: everything, or only the pane
// that asked to be painted alone; the update rectangle is copied to the
// screen, and a rubber band being dragged is drawn again over it.
// `statusText` is a status text the display item draws (null: none).
void PaintPanelWindow(HWND window, Panel& panel, const char* statusText);

// Frees the panel windows' off-screen pictures (at shutdown).
void ReleasePanelBackBuffers();

// The textured background of a window with its panel frame: none for
// mode 0, raised for mode 1, sunken for 2 or more.
void PaintWindowBackground(HWND window, HDC dc, int frameMode);

// Draws the status display (its background, and `text` wrapped when not
// null) on a device context of the main window's client area.
void DrawStatusDisplay(HDC dc, const char* text);

// One item (algorithm of the toolbar: buttons dimmed when disabled, the
// activity indicator, tabs, logos, the status display, the label).
void DrawPanelItem(HDC dc, const Panel& panel, const PanelItem& item, const char* statusText);
