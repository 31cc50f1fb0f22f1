// The settings file's platform seam on Windows: the three windows' placements
// and the monitors' work areas.
#include <windows.h>

#include "base/app_state.h"
#include "shell/settings_platform.h"

namespace {

HWND WindowOf(SettingsWindow which) {
    switch (which) {
        case SettingsWindow::kMain:
            return static_cast<HWND>(gMainWindow);
        case SettingsWindow::kLibrary:
            return static_cast<HWND>(gLibraryWindow);
        case SettingsWindow::kEditor:
            return static_cast<HWND>(gEditorWindow);
    }
    return nullptr;
}

WindowPlacementRecord FromPlatform(const WINDOWPLACEMENT& p) {
    WindowPlacementRecord w;
    w.length = kWindowPlacementSize;
    w.flags = p.flags;
    w.showCmd = p.showCmd;
    w.minX = p.ptMinPosition.x;
    w.minY = p.ptMinPosition.y;
    w.maxX = p.ptMaxPosition.x;
    w.maxY = p.ptMaxPosition.y;
    w.normal = {p.rcNormalPosition.left, p.rcNormalPosition.top, p.rcNormalPosition.right,
                p.rcNormalPosition.bottom};
    return w;
}

WINDOWPLACEMENT ToPlatform(const WindowPlacementRecord& w) {
    WINDOWPLACEMENT p;
    p.length = sizeof p;
    p.flags = w.flags;
    p.showCmd = w.showCmd;
    p.ptMinPosition = {w.minX, w.minY};
    p.ptMaxPosition = {w.maxX, w.maxY};
    p.rcNormalPosition = {w.normal.left, w.normal.top, w.normal.right, w.normal.bottom};
    return p;
}

struct AreaList {
    PlacementRect* areas;
    int capacity;
    int count;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    AreaList* list = reinterpret_cast<AreaList*>(data);
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info) || list->count >= list->capacity) return TRUE;
    PlacementRect r = {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    if (info.dwFlags & MONITORINFOF_PRIMARY) {
        // The primary work area goes first: placements are relative to it.
        for (int i = list->count; i > 0; i--) list->areas[i] = list->areas[i - 1];
        list->areas[0] = r;
    } else {
        list->areas[list->count] = r;
    }
    list->count++;
    return TRUE;
}

}  // namespace

static_assert(sizeof(WINDOWPLACEMENT) == kWindowPlacementSize,
              "the file holds the platform record");

int PlatformGetWindowPlacement(SettingsWindow which, WindowPlacementRecord* placement) {
    HWND window = WindowOf(which);
    WINDOWPLACEMENT p;
    p.length = sizeof p;
    if (window == nullptr || !GetWindowPlacement(window, &p)) return 0;
    *placement = FromPlatform(p);
    return 1;
}

void PlatformSetWindowPlacement(SettingsWindow which, const WindowPlacementRecord& placement) {
    HWND window = WindowOf(which);
    if (window == nullptr) return;
    WINDOWPLACEMENT p = ToPlatform(placement);
    // The main window is placed but stays hidden until start-up shows it, with
    // the banks loaded (StartupShowCommand keeps a maximised window maximised).
    if (which == SettingsWindow::kMain) p.showCmd = SW_HIDE;
    SetWindowPlacement(window, &p);
}

int PlatformWorkAreas(PlacementRect* areas, int capacity) {
    AreaList list = {areas, capacity, 0};
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&list));
    if (list.count == 0 && capacity > 0) {
        RECT work;
        if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0)) return 0;
        areas[0] = {work.left, work.top, work.right, work.bottom};
        list.count = 1;
    }
    return list.count;
}
