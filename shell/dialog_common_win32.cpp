// EDialog's common handling: textured look, owner-drawn bevelled buttons,
// centring on the main window, F1 help.
#include <windows.h>

#include "base/app_state.h"
#include "base/messages.h"
#include "shell/dialog_layout.h"
#include "shell/dialog_win32.h"
#include "shell/dialogs.h"
#include "shell/help.h"
#include "views/gdi_resources_win32.h"

namespace {

// Bevel colours of the owner-drawn buttons, outermost line first.
constexpr COLORREF kBevelWhite = RGB(255, 255, 255);
constexpr COLORREF kBevelLight = RGB(96, 96, 100);
constexpr COLORREF kBevelDark = RGB(48, 48, 52);
constexpr COLORREF kBevelBlack = RGB(0, 0, 0);
constexpr COLORREF kDisabledText = RGB(128, 128, 128);

// When the texture bitmaps are missing from the resources the dialogs still
// need a background; these match the textures' average colours.
constexpr COLORREF kLightFallback = RGB(220, 225, 231);
constexpr COLORREF kDarkFallback = RGB(167, 175, 185);

HBRUSH gDialogBrushes[2];  // light, dark; made on first use

// Start-up makes the two pattern brushes; the dialogs make their own only when
// those are missing (a dialog run before start-up got that far, or the tests).
HBRUSH TextureBrush(int which, const char* bitmapName, COLORREF fallback) {
    HBRUSH shared = gPatternBrushes[which == 0 ? kPatternLight : kPatternDark];
    if (shared != nullptr) return shared;
    if (gDialogBrushes[which] != nullptr) return gDialogBrushes[which];
    HBITMAP bitmap = LoadBitmapA(static_cast<HINSTANCE>(gInstance), bitmapName);
    if (bitmap != nullptr) {
        // The brush keeps its own copy of the pattern.
        gDialogBrushes[which] = CreatePatternBrush(bitmap);
        DeleteObject(bitmap);
    }
    if (gDialogBrushes[which] == nullptr) gDialogBrushes[which] = CreateSolidBrush(fallback);
    return gDialogBrushes[which];
}

const DialogDescriptor* DescriptorOf(HWND dialog) {
    return reinterpret_cast<const DialogDescriptor*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void MakeButtonsOwnerDrawn(HWND dialog) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[16];
        if (GetClassNameA(child, cls, sizeof cls) == 0 || lstrcmpiA(cls, "button") != 0) continue;
        LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        LONG_PTR type = style & BS_TYPEMASK;
        if (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) continue;
        SetWindowLongPtrA(child, GWL_STYLE,
                          (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    }
}

void CentreOnMainWindow(HWND dialog) {
    HWND main = static_cast<HWND>(gMainWindow);
    RECT owner;
    RECT box;
    if (main == nullptr || !GetWindowRect(main, &owner) || !GetWindowRect(dialog, &box)) return;
    DialogPlace place =
        CentreDialog(owner.left, owner.top, owner.right - owner.left, owner.bottom - owner.top,
                     box.right - box.left, box.bottom - box.top, GetSystemMetrics(SM_CXFULLSCREEN),
                     GetSystemMetrics(SM_CYFULLSCREEN), GetSystemMetrics(SM_CYCAPTION));
    SetWindowPos(dialog, nullptr, place.left, place.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void Line(HDC dc, COLORREF colour, int x1, int y1, int x2, int y2) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// One bevel ring inside r: left and top in `topLeft`, right and bottom in
// `bottomRight`.
void BevelRing(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    Line(dc, topLeft, r.left, r.bottom - 1, r.left, r.top);
    Line(dc, topLeft, r.left, r.top, r.right - 1, r.top);
    Line(dc, bottomRight, r.right - 1, r.top, r.right - 1, r.bottom - 1);
    Line(dc, bottomRight, r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1);
}

void DrawButton(const DialogDescriptor* d, const DRAWITEMSTRUCT* item) {
    HDC dc = item->hDC;
    RECT r = item->rcItem;
    const int pressed = (item->itemState & ODS_SELECTED) != 0;
    const int shift = pressed ? 1 : 0;

    if (d->textured) {
        // Tiling the texture from an origin one pixel further makes the face
        // itself seem to move when pressed.
        POINT oldOrigin;
        SetBrushOrgEx(dc, r.left + shift, r.top + shift, &oldOrigin);
        FillRect(dc, &r, DialogDarkBrush());
        SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    } else {
        FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
    }

    if (item->itemState & (ODS_FOCUS | ODS_DEFAULT)) {
        HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
        Rectangle(dc, r.left, r.top, r.right, r.bottom);
        SelectObject(dc, oldPen);
        SelectObject(dc, oldBrush);
        InflateRect(&r, -1, -1);
    }

    RECT inner = r;
    InflateRect(&inner, -1, -1);
    if (pressed) {
        BevelRing(dc, r, kBevelBlack, kBevelDark);
        BevelRing(dc, inner, kBevelDark, kBevelLight);
    } else {
        BevelRing(dc, r, kBevelWhite, kBevelBlack);
        BevelRing(dc, inner, kBevelLight, kBevelDark);
    }

    char text[128];
    GetWindowTextA(item->hwndItem, text, sizeof text);
    RECT t = r;
    OffsetRect(&t, shift, shift);
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (item->itemState & ODS_DISABLED) {
        RECT etched = t;
        OffsetRect(&etched, 1, 1);
        SetTextColor(dc, kBevelWhite);
        DrawTextA(dc, text, -1, &etched, format);
        SetTextColor(dc, kDisabledText);
    } else {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    }
    DrawTextA(dc, text, -1, &t, format);

    if (item->itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -4, -4);  // 4 pixels inside the black frame
        DrawFocusRect(dc, &focus);
    }
}

// The common answer to a message, or -1 when the dialog's own procedure
// should have it.
INT_PTR CommonHandling(HWND dialog, const DialogDescriptor* d, UINT message, WPARAM wParam,
                       LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            if (d->textured) MakeButtonsOwnerDrawn(dialog);
            CentreOnMainWindow(dialog);
            return -1;  // the own procedure initialises its fields too
        case WM_HELP:
            ShowHelpContext(static_cast<int>(d->helpContext));
            return TRUE;
        case WM_DRAWITEM: {
            const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item == nullptr || item->CtlType != ODT_BUTTON) return -1;
            DrawButton(d, item);
            return TRUE;
        }
        case WM_CTLCOLORDLG:
            if (!d->textured) return -1;
            return reinterpret_cast<INT_PTR>(DialogLightBrush());
        case WM_CTLCOLORSCROLLBAR:
            if (!d->textured) return -1;
            return reinterpret_cast<INT_PTR>(DialogDarkBrush());
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC: {
            if (!d->textured) return -1;
            HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkMode(dc, TRANSPARENT);
            // Texts over the texture line up with the dialog's own pattern.
            POINT origin = {0, 0};
            MapWindowPoints(dialog, reinterpret_cast<HWND>(lParam), &origin, 1);
            SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
            return reinterpret_cast<INT_PTR>(DialogLightBrush());
        }
        default:
            return -1;
    }
}

}  // namespace

HBRUSH DialogLightBrush() {
    return TextureBrush(0, "TEX_ALLIGHT", kLightFallback);
}
HBRUSH DialogDarkBrush() {
    return TextureBrush(1, "TEX_ALDARK", kDarkFallback);
}

void ReleaseDialogBrushes() {
    for (HBRUSH& b : gDialogBrushes) {
        if (b != nullptr) DeleteObject(b);
        b = nullptr;
    }
}

void ReleaseDialogResources() {
    ReleaseDialogBrushes();
}

INT_PTR CALLBACK EDialog::CommonDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    const DialogDescriptor* d = DescriptorOf(dialog);
    if (d == nullptr) return FALSE;
    INT_PTR common = CommonHandling(dialog, d, message, wParam, lParam);
    if (common != -1) return common;
    return d->ownProc != nullptr ? d->ownProc(dialog, message, wParam, lParam) : FALSE;
}

INT_PTR RunDialog(const DialogDescriptor* descriptor, HWND owner) {
    int wasUp = gModalBoxUp;
    gModalBoxUp = 1;
    INT_PTR result =
        DialogBoxParamA(static_cast<HINSTANCE>(gInstance), descriptor->templateName, owner,
                        EDialog::CommonDlgProc, reinterpret_cast<LPARAM>(descriptor));
    gModalBoxUp = wasUp;
    return result;
}

int DialogMessageBoxById(HWND dialog, unsigned type, int id) {
    int answer = MessageBoxById(dialog, kAppName, type, id);
    gModalBoxUp = 1;  // the box cleared it; the dialog is still up
    return answer;
}
