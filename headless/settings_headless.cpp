// Headless settings seam: window placements live in memory, so the native tests
// can check what LoadSettings applied and set up what SaveSettings writes.
#include "headless/settings_headless.h"

#include <cstring>

HeadlessWindowState gHeadlessWindows[3];
PlacementRect gHeadlessWorkAreas[kMaxWorkAreas];
int gHeadlessWorkAreaCount = 0;

namespace {

WindowPlacementRecord Hidden(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    WindowPlacementRecord w;
    std::memset(&w, 0, sizeof w);
    w.length = kWindowPlacementSize;
    w.showCmd = kShowNormal;  // the platform reports a hidden window's restore state
    w.minX = w.minY = w.maxX = w.maxY = -1;
    w.normal = {left, top, right, bottom};
    return w;
}

HeadlessWindowState& State(SettingsWindow which) {
    return gHeadlessWindows[static_cast<int>(which)];
}

int gInitialised = 0;

void EnsureInitialised() {
    if (!gInitialised) ResetHeadlessSettingsPlatform();
}

}  // namespace

void ResetHeadlessSettingsPlatform() {
    gInitialised = 1;
    // The windows' design sizes with typical frame metrics.
    gHeadlessWindows[0] = {1, Hidden(0, 0, 800, 580), 0};
    gHeadlessWindows[1] = {1, Hidden(800, 0, 1008, 580), 0};
    gHeadlessWindows[2] = {1, Hidden(5, 45, 615, 187), 0};
    gHeadlessWorkAreas[0] = {0, 0, 1280, 1024};
    gHeadlessWorkAreaCount = 1;
}

int PlatformGetWindowPlacement(SettingsWindow which, WindowPlacementRecord* placement) {
    EnsureInitialised();
    if (!State(which).exists) return 0;
    *placement = State(which).placement;
    return 1;
}

void PlatformSetWindowPlacement(SettingsWindow which, const WindowPlacementRecord& placement) {
    EnsureInitialised();
    State(which).placement = placement;
    State(which).setCount++;
}

int PlatformWorkAreas(PlacementRect* areas, int capacity) {
    EnsureInitialised();
    int n = gHeadlessWorkAreaCount < capacity ? gHeadlessWorkAreaCount : capacity;
    for (int i = 0; i < n; i++) areas[i] = gHeadlessWorkAreas[i];
    return n < 0 ? 0 : n;
}
