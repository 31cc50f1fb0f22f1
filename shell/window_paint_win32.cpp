// Painting of the four windows: each window's panel and panes, after the
// window's re-layout when its size changed since the last one.
#include <windows.h>

#include "base/app_state.h"
#include "base/messages.h"
#include "banks/device_load.h"
#include "views/device_view_steps.h"
#include "imaging/gdi_draw_win32.h"
#include "imaging/interface_images.h"
#include "shell/compare_commands.h"
#include "shell/windows_win32.h"
#include "views/pane_layout.h"
#include "views/panel.h"
#include "views/panel_paint_win32.h"
#include "views/status_layout.h"
#include "views/view_state.h"

void PaintMainWindow(HWND window) {
    RelayoutWindow(window);
    // Before the display's text is taken: the count of a comparison is
    // brought up to date with whatever changed since the last paint.
    ShowComparisonStatus();
    const char* pending = TakePendingStatus();
    // A repaint keeps the text the display shows: a bank list repainted
    // after a refused drop must not wipe the message that says why.
    const char* text = pending != nullptr ? pending : ShownStatusText();
    PaintPanelWindow(window, gMainPanel, text);
    gStatusShown = text != nullptr ? 1 : 0;
}

void PaintLibraryWindow(HWND window) {
    RelayoutWindow(window);
    PaintPanelWindow(window, gLibraryPanel, nullptr);
}

void PaintEditorWindow(HWND window) {
    RelayoutWindow(window);
    PaintPanelWindow(window, gEditorPanel, nullptr);
}

void PaintMessageWindow(HWND window) {
    // The label shows the popup's text across the whole popup.
    RECT client;
    GetClientRect(window, &client);
    PanelItem& label = gMessagePanel.items[0];
    label.label = gPopupText;
    label.x = 0;
    label.width = client.right;
    PaintPanelWindow(window, gMessagePanel, nullptr);
}

void RelayoutWindow(HWND window) {
    RECT client;
    if (!GetClientRect(window, &client)) return;
    int w = client.right;
    int h = client.bottom;
    if (window == static_cast<HWND>(gMainWindow)) {
        if (gMainMinimised || !RelayoutMainWindow(w, h)) return;
        // The device picture follows the view's new size.
        BuildDevicePictures();
        InvalidateRect(window, nullptr, FALSE);
    } else if (window == static_cast<HWND>(gLibraryWindow)) {
        if (gLibraryMinimised || !RelayoutLibraryWindow(w, h)) return;
        InvalidateRect(window, nullptr, FALSE);
    } else if (window == static_cast<HWND>(gEditorWindow)) {
        if (gEditorMinimised || !RelayoutEditorWindow(w, h)) return;
        InvalidateRect(window, nullptr, FALSE);
    }
}
