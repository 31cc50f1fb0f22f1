// The in-place editors' edit controls on Windows: standard single-line
// "edit" windows, subclassed so that Enter commits, Escape cancels and the
// loss of the focus closes. The close is posted, not done at once: the
// control must not be destroyed inside its own key or focus message.
#include <windows.h>

#include "views/edit_value.h"
#include "views/in_place_edit_platform.h"
#include "views/renamer.h"
#include "views/gdi_resources_win32.h"

namespace {

// Posted to the edit control itself: close it.
constexpr UINT kCloseEditorMessage = WM_APP + 40;

struct Subclass {
    HWND edit = nullptr;
    WNDPROC oldProc = nullptr;
};
Subclass gSubclasses[2];  // value editor, renamer

Subclass& SubclassFor(int controlId) {
    return gSubclasses[controlId == kRenamerControlId ? 1 : 0];
}

LRESULT OnEditKeyDown(HWND edit, int controlId, WPARAM key) {
    if (key == VK_RETURN) {
        InPlaceEditEnter(controlId);
        PostMessageA(edit, kCloseEditorMessage, 0, 0);
        return 0;
    }
    if (key == VK_ESCAPE) {
        PostMessageA(edit, kCloseEditorMessage, 0, 0);
        return 0;
    }
    return CallWindowProcA(SubclassFor(controlId).oldProc, edit, WM_KEYDOWN, key, 0);
}

// Shared by both editors; the control id tells which one this is.
LRESULT CALLBACK InPlaceEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam) {
    int controlId = GetDlgCtrlID(edit);
    Subclass& subclass = SubclassFor(controlId);
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_RETURN || wParam == VK_ESCAPE)
                return OnEditKeyDown(edit, controlId, wParam);
            break;
        case WM_CHAR:
            // Swallowed, or the edit control beeps at them.
            if (wParam == '\r' || wParam == '\t' || wParam == 27) return 0;
            break;
        case WM_KILLFOCUS:
            PostMessageA(edit, kCloseEditorMessage, 0, 0);
            break;
        case kCloseEditorMessage:
            InPlaceEditClosed(controlId);
            return 0;
        default:
            break;
    }
    return CallWindowProcA(subclass.oldProc, edit, message, wParam, lParam);
}

// The panel font's average character width.
int InPlaceEditCharWidth() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(
        dc, gFonts[kFontPanel] ? gFonts[kFontPanel] : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics;
    int width = 7;
    if (GetTextMetricsA(dc, &metrics)) width = metrics.tmAveCharWidth;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return width;
}

}  // namespace

PaneWindow OpenInPlaceEditControl(int controlId, PaneWindow parent, const PaneRect& rect,
                                  const char* text, int maxChars) {
    // A cell is only a row high: the framed control grows about its middle
    // until its text fits.
    PaneRect place = rect;
    int needed = InPlaceEditLineHeight();
    if (place.height < needed) {
        place.y -= (needed - place.height) / 2;
        place.height = needed;
    }
    // A narrow value cell grows to the left (values are right-aligned) until
    // its longest value fits inside the frame.
    int neededWidth = InPlaceEditCharWidth() * (maxChars < 4 ? maxChars + 1 : 5) +
                      2 * GetSystemMetrics(SM_CXDLGFRAME);
    if (place.width < neededWidth) {
        place.x -= neededWidth - place.width;
        place.width = neededWidth;
    }
    HWND edit =
        CreateWindowExA(0, "edit", text, WS_CHILD | WS_VISIBLE | WS_DLGFRAME | ES_AUTOHSCROLL,
                        place.x, place.y, place.width, place.height, reinterpret_cast<HWND>(parent),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
                        GetModuleHandleA(nullptr), nullptr);
    if (!edit) return nullptr;
    if (gFonts[kFontPanel])
        SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(gFonts[kFontPanel]), 0);
    SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(maxChars), 0);
    Subclass& subclass = SubclassFor(controlId);
    subclass.edit = edit;
    subclass.oldProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InPlaceEditProc)));
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SetFocus(edit);
    return reinterpret_cast<PaneWindow>(edit);
}

void DestroyInPlaceEditControl(PaneWindow edit) {
    HWND window = reinterpret_cast<HWND>(edit);
    if (!window || !IsWindow(window)) return;
    for (Subclass& subclass : gSubclasses) {
        if (subclass.edit == window) {
            // Back to the control's own procedure, so that the focus loss the
            // destruction causes posts nothing more.
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclass.oldProc));
            subclass.edit = nullptr;
        }
    }
    // The keys go back to the window the editor sat in (its accelerators and
    // the panes' Up and Down).
    HWND parent = GetParent(window);
    int hadFocus = GetFocus() == window;
    DestroyWindow(window);
    if (hadFocus && parent) SetFocus(parent);
}

void InPlaceEditControlText(PaneWindow edit, char* out, int size) {
    out[0] = '\0';
    if (edit) GetWindowTextA(reinterpret_cast<HWND>(edit), out, size);
}

int InPlaceEditLineHeight() {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(
        dc, gFonts[kFontPanel] ? gFonts[kFontPanel] : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics;
    int height = 16;
    if (GetTextMetricsA(dc, &metrics)) height = metrics.tmHeight + 2 * metrics.tmExternalLeading;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    // The thin frame takes a few pixels of its own.
    return height + 2 * GetSystemMetrics(SM_CYDLGFRAME);
}
