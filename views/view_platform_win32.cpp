// The views' window-system seam on Win32. (Placeholder being replaced by the
// panels: only what links.)
#include <windows.h>

#include "views/view_platform.h"

void InvalidatePane(Pane& pane) { InvalidateRect(pane.window, nullptr, FALSE); }
void InvalidatePaneAlone(Pane& pane) { InvalidateRect(pane.window, nullptr, FALSE); }
void InvalidateWindowRect(PaneWindow window, const PaneRect*) { InvalidateRect(window, nullptr, FALSE); }
void CaptureMouse(PaneWindow window) { SetCapture(window); }
void ReleaseMouse() { ReleaseCapture(); }
void ConfinePointer(PaneWindow, const PaneRect*) {}
void ReleasePointer() { ClipCursor(nullptr); }
void SetViewCursor(PaneWindow, ViewCursor) {}
int KeyHeld(int virtualKey) { return GetKeyState(virtualKey) < 0 ? 1 : 0; }
int LeftButtonHeld() { return GetKeyState(VK_LBUTTON) < 0 ? 1 : 0; }
void PointerPosition(PaneWindow window, int* x, int* y) {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    *x = p.x;
    *y = p.y;
}
void StartViewTimer(int, int) {}
void StopViewTimer(int) {}
void DrawFocusBand(PaneWindow, const PaneRect&) {}
void SyncPaneScrollBar(Pane&, int) {}
void DestroyPaneScrollBars(Pane&) {}
int SystemScrollBarWidth() { return GetSystemMetrics(SM_CXVSCROLL); }
int SystemScrollBarHeight() { return GetSystemMetrics(SM_CYHSCROLL); }
