// EditorPane's painting: the white body, the shown tab's labels, value boxes
// and check boxes as the layout places them, then the zone buttons.
#include <windows.h>

#include <cstring>

#include "imaging/gdi_draw_win32.h"
#include "imaging/interface_images.h"
#include "views/editor_document.h"
#include "views/editor_pane.h"
#include "views/editor_pane_layout.h"
#include "views/gdi_resources_win32.h"

namespace {

constexpr COLORREF kLabelColour = RGB(0, 0, 96);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr COLORREF kValueBoxColour = RGB(224, 232, 240);
constexpr int kZonesImage = 16;  // "PNG_BUT_ZONES" in the button images; pressed follows

EditorLayout gPaintLayout;

HGDIOBJ PanelFont() {
    return gFonts[kFontPanel] != nullptr ? static_cast<HGDIOBJ>(gFonts[kFontPanel])
                                         : GetStockObject(DEFAULT_GUI_FONT);
}

// Measures with the panel font, so that the layout's columns fit the texts
// as they are drawn.
int MeasureText(const char* text) {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) return 0;
    SIZE size = {0, 0};
    {
        ScopedSelectObject font(screen, PanelFont());
        GetTextExtentPoint32A(screen, text, lstrlenA(text), &size);
    }
    ReleaseDC(nullptr, screen);
    return size.cx;
}

struct MeasureWithFont {
    MeasureWithFont() { gEditorTextWidth = MeasureText; }
};
MeasureWithFont gMeasureWithFont;

void FillBox(HDC dc, const PaneRect& r, COLORREF colour) {
    RECT rc = {r.x, r.y, r.x + r.width, r.y + r.height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rc, brush);
    DeleteObject(brush);
}

void DrawBody(HDC dc, const PaneRect& r) {
    FillBox(dc, r, RGB(255, 255, 255));
    ScopedSelectObject pen(dc, GetStockObject(BLACK_PEN));
    ScopedSelectObject brush(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, r.x, r.y, r.x + r.width, r.y + r.height);
    ScopedSelectObject shadow(dc, gPens[kPenShadow] ? static_cast<HGDIOBJ>(gPens[kPenShadow])
                                                    : GetStockObject(BLACK_PEN));
    MoveToEx(dc, r.x + r.width, r.y + 1, nullptr);
    LineTo(dc, r.x + r.width, r.y + r.height + 1);
    MoveToEx(dc, r.x + 1, r.y + r.height, nullptr);
    LineTo(dc, r.x + r.width, r.y + r.height);
}

void DrawLabel(HDC dc, const char* text, int x, int y, COLORREF colour) {
    SetTextColor(dc, colour);
    TextOutA(dc, x, y, text, lstrlenA(text));
}

// A value box with its text: navy with white text for the current field,
// light blue-grey with navy text otherwise.
void DrawValueBox(HDC dc, const EditorEntry& e, bool selected) {
    FillBox(dc, e.box, selected ? kNavy : kValueBoxColour);
    SetTextColor(dc, selected ? RGB(255, 255, 255) : kNavy);
    RECT clip = {e.box.x + 1, e.box.y, e.box.x + e.box.width - 1, e.box.y + e.box.height};
    UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (e.valueRight ? DT_RIGHT : DT_LEFT);
    DrawTextA(dc, e.value, -1, &clip, format);
}

void DrawCheckBox(HDC dc, const EditorEntry& e) {
    int index = e.checked ? (e.current ? kBitmapButOnSel : kBitmapButOn)
                          : (e.current ? kBitmapButOffSel : kBitmapButOff);
    const ImageBitmap& picture = gBitmaps[index];
    if (ImageBitmapIsEmpty(picture)) {
        // Without the pictures a plain box still shows the state.
        FillBox(dc, {e.box.x, e.box.y, 11, 11}, e.checked ? kNavy : kValueBoxColour);
        return;
    }
    GdiDrawBitmap(dc, picture, e.box.x, e.box.y);
}

void DrawEntry(HDC dc, const EditorEntry& e) {
    if (e.label[0] != '\0') {
        DrawLabel(dc, e.label, e.labelX, e.labelY, e.labelIsOption ? kNavy : kLabelColour);
    }
    switch (e.boxStyle) {
        case EditorBox::kValue:
            DrawValueBox(dc, e, e.current != 0);
            break;
        case EditorBox::kEnable:
            DrawValueBox(dc, e, true);
            break;
        case EditorBox::kCheck:
            DrawCheckBox(dc, e);
            break;
        case EditorBox::kNone:
            if (e.item == EditorItem::kDetailField) {
                // Names and parameters read as text beside their label.
                SetTextColor(dc, kNavy);
                RECT clip = {e.box.x + 1, e.box.y, e.box.x + e.box.width - 1,
                             e.box.y + e.box.height};
                DrawTextA(dc, e.value, -1, &clip, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
            }
            break;
    }
}

void DrawZoneButtons(HDC dc, const EditorLayout& layout) {
    for (int z = 0; z < layout.zoneButtons; ++z) {
        int image = kZonesImage + (z == layout.currentZone ? 1 : 0);
        if (image >= gButtonImageCount) continue;
        const PaneRect& r = layout.zoneButton[z];
        GdiDrawRgbaImage(dc, gButtonImages[image], r.x, r.y, r.width, r.height, 0,
                         kZoneButtonSourcePitch * z, 255);
    }
}

}  // namespace

void EditorPane::Paint(PaneDc dcHandle) {
    HDC dc = dcHandle;
    DrawBody(dc, rect);
    BuildEditorLayout(*this, &gPaintLayout);
    int saved = SaveDC(dc);
    // Nothing of the tab reaches outside the body, however long its texts.
    IntersectClipRect(dc, rect.x + 1, rect.y + 1, rect.x + rect.width - 1,
                      rect.y + rect.height - 1);
    ScopedSelectObject font(dc, PanelFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    for (int i = 0; i < gPaintLayout.count; ++i) DrawEntry(dc, gPaintLayout.entries[i]);
    RestoreDC(dc, saved);
    DrawZoneButtons(dc, gPaintLayout);
}
