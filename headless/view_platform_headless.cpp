// Headless double of the views' window-system seam: records, never draws.
#include "headless/view_platform_headless.h"

namespace {
HeadlessViewLog gLog;

int TimerSlot(int id) { return id == kSpinnerTimer ? 1 : 0; }
}  // namespace

HeadlessViewLog& HeadlessView() { return gLog; }
void HeadlessViewReset() { gLog = HeadlessViewLog(); }

void InvalidatePane(Pane& pane) { gLog.invalidatedPanes.push_back(&pane); }
void InvalidatePaneAlone(Pane& pane) { gLog.alonePanes.push_back(&pane); }
void InvalidateWindowRect(PaneWindow, const PaneRect* rect) {
    ++gLog.windowInvalidations;
    if (rect != nullptr) gLog.invalidatedRects.push_back(*rect);
}

void CaptureMouse(PaneWindow window) { gLog.captured = window; }
void ReleaseMouse() { gLog.captured = nullptr; }
void ConfinePointer(PaneWindow, const PaneRect* rect) {
    gLog.confined = 1;
    gLog.confinedRect = rect != nullptr ? *rect : PaneRect{0, 0, 0, 0};
}
void ReleasePointer() { gLog.confined = 0; }

void SetViewCursor(PaneWindow, ViewCursor cursor) { gLog.cursor = cursor; }

int KeyHeld(int virtualKey) {
    if (virtualKey == kVkControl) return gLog.controlHeld;
    if (virtualKey == kVkShift) return gLog.shiftHeld;
    if (virtualKey == kVkRightButton) return gLog.rightButtonHeld;
    return 0;
}
int LeftButtonHeld() { return gLog.leftButtonHeld; }

void PointerPosition(PaneWindow, int* x, int* y) {
    *x = gLog.pointerX;
    *y = gLog.pointerY;
}

void StartViewTimer(int id, int periodMs) { gLog.timers[TimerSlot(id)] = periodMs; }
void StopViewTimer(int id) { gLog.timers[TimerSlot(id)] = 0; }

void DrawFocusBand(PaneWindow, const PaneRect& band) {
    ++gLog.focusBandDraws;
    gLog.lastFocusBand = band;
}

void SyncPaneScrollBar(Pane& pane, int vertical) {
    PaneScroll& s = vertical ? pane.vertical : pane.horizontal;
    // A stand-in for the bar window: non-null while the bar would exist.
    s.bar = s.total > s.page ? reinterpret_cast<PaneWindow>(&s) : nullptr;
}
void DestroyPaneScrollBars(Pane& pane) {
    pane.horizontal.bar = nullptr;
    pane.vertical.bar = nullptr;
}
int SystemScrollBarWidth() { return 16; }
int SystemScrollBarHeight() { return 16; }

void PaintWindowNow(PaneWindow) { ++gLog.paintsNow; }
void WindowClientSize(PaneWindow, int* width, int* height) {
    *width = gLog.clientWidth;
    *height = gLog.clientHeight;
}
void MeasureTooltipText(const char* text, int* width, int* height) {
    *width = static_cast<int>(std::string(text).size()) * gLog.charWidth;
    *height = gLog.textHeight;
}
void ShowTooltipWindow(PaneWindow parent, const PaneRect& rect, const char* text) {
    gLog.tooltipShown = 1;
    ++gLog.tooltipShows;
    gLog.tooltipParent = parent;
    gLog.tooltipRect = rect;
    gLog.tooltipText = text;
}
void HideTooltipWindow() { gLog.tooltipShown = 0; }
void RunPanelCommand(PaneWindow, int command) { gLog.commands.push_back(command); }
