// Window geometry from the system metrics (window_geometry.h).
#include "shell/window_geometry.h"

SystemMetricsCache gMetrics = {};

WindowRect MainWindowRect(const SystemMetricsCache& m) {
    return WindowRect{0, 0, kMainClientWidth + 2 * m.frameX,
                      kMainClientHeight + m.caption + m.menu + 2 * m.frameY};
}

WindowRect LibraryWindowRect(const SystemMetricsCache& m) {
    int width = kLibraryClientWidth + 2 * m.frameX;
    int height = kLibraryClientHeight + m.caption + 2 * m.frameY;
    int y = m.dlgFrameY + m.menu + m.caption + 2;
    int besideMain = kMainClientWidth + 2 * m.frameX;
    int x = besideMain < m.fullW - width ? besideMain : m.fullW - width;
    if (x == besideMain) {
        // Room to the right of the main window: use it up to the work area's
        // edge (but no wider than 250), from the top, as tall as the main window.
        if (x + width < m.fullW) width = m.fullW - x;
        if (width > 250) width = 250;
        y = 0;
        height = kMainClientHeight + m.caption + m.menu + 2 * m.frameY;
    }
    return WindowRect{x, y, width, height};
}

WindowRect EditorWindowRect(const SystemMetricsCache& m) {
    return WindowRect{m.dlgFrameX + 2, m.dlgFrameY + m.menu + m.caption + 2,
                      kEditorClientWidth + 2 * m.frameX,
                      kEditorClientHeight + m.caption + 2 * m.frameY};
}

int MinimisedAfterSize(int minimised, int sizeType) {
    if (sizeType == kSizeMinimized) return 1;
    if (sizeType == kSizeRestored || sizeType == kSizeMaximized) return 0;
    return minimised;
}
