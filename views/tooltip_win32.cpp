// ETooltip: the tooltip window, a bordered child "static" window of the
// panel's window, shown on top and painted by its own procedure: the
// tooltip brush, the text black at (2, 1), clipped.
#include <windows.h>

#include "base/app_state.h"
#include "imaging/gdi_draw_win32.h"
#include "views/gdi_resources_win32.h"
#include "views/view_platform.h"

namespace {

constexpr COLORREF kTooltipColour = RGB(255, 255, 225);
constexpr int kTextLeft = 2;
constexpr int kTextTop = 1;

HFONT PanelFont() {
    return gFonts[kFontPanel] != nullptr ? gFonts[kFontPanel]
                                         : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

class ETooltip {
  public:
    static void Show(HWND parent, const PaneRect& rect, const char* text);
    static void Hide();
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static void Paint(HWND window);
    static void FreeBrush();

    static HWND window_;         // null while hidden
    static WNDPROC staticProc_;  // the "static" class's own procedure
    static HBRUSH brush_;        // lives as long as the window
    static char text_[256];
};

HWND ETooltip::window_ = nullptr;
WNDPROC ETooltip::staticProc_ = nullptr;
HBRUSH ETooltip::brush_ = nullptr;
char ETooltip::text_[256] = "";

void ETooltip::Show(HWND parent, const PaneRect& rect, const char* text) {
    Hide();
    if (parent == nullptr) return;
    lstrcpynA(text_, text, sizeof text_);
    if (brush_ == nullptr) brush_ = CreateSolidBrush(kTooltipColour);
    HWND window =
        CreateWindowExA(0, "static", "", WS_CHILD | WS_BORDER, rect.x, rect.y, rect.width,
                        rect.height, parent, nullptr, static_cast<HINSTANCE>(gInstance), nullptr);
    if (window == nullptr) return;
    staticProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ETooltip::WndProc)));
    window_ = window;
    // Above the panes' scroll bars and the in-place editors.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void ETooltip::Hide() {
    if (window_ == nullptr) return;
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
    FreeBrush();
}

void ETooltip::FreeBrush() {
    if (brush_ != nullptr) DeleteObject(brush_);
    brush_ = nullptr;
}

void ETooltip::Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, brush_ != nullptr ? brush_ : GetSysColorBrush(COLOR_INFOBK));
    {
        ScopedSelectObject font(dc, PanelFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        SetTextAlign(dc, TA_LEFT | TA_TOP);
        ExtTextOutA(dc, kTextLeft, kTextTop, ETO_CLIPPED, &client, text_, lstrlenA(text_), nullptr);
    }
    EndPaint(window, &ps);
}

LRESULT CALLBACK ETooltip::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCHITTEST:
            // The pointer passes through to the item below.
            return HTTRANSPARENT;
        default:
            return staticProc_ != nullptr
                       ? CallWindowProcA(staticProc_, window, message, wParam, lParam)
                       : DefWindowProcA(window, message, wParam, lParam);
    }
}

void MeasureTooltipText(const char* text, int* width, int* height) {
    *width = 0;
    *height = 0;
    HDC dc = GetDC(nullptr);
    if (dc == nullptr) return;
    HGDIOBJ old = SelectObject(dc, PanelFont());
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    *width = size.cx;
    *height = size.cy;
}

void ShowTooltipWindow(PaneWindow parent, const PaneRect& rect, const char* text) {
    ETooltip::Show(reinterpret_cast<HWND>(parent), rect, text);
}

void HideTooltipWindow() {
    ETooltip::Hide();
}
