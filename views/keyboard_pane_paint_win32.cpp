// KeyboardPane's painting: the white body, the device's keyboard picture and
// one translucent bar per zone with its name.
#include <windows.h>

#include "imaging/gdi_draw_win32.h"
#include "views/editor_document.h"
#include "views/gdi_resources_win32.h"
#include "views/keyboard_pane.h"
#include "views/zone_keyboard.h"

namespace {

constexpr int32_t kOtherZoneColour = RgbColour(32, 176, 176);
constexpr int32_t kCurrentZoneColour = RgbColour(224, 80, 80);
constexpr int kEnabledAlpha = 192;
constexpr int kDisabledAlpha = 96;
constexpr int kFrameAlpha = 128;
constexpr int kFrameWidth = 2;
constexpr COLORREF kZoneLabelColour = RGB(0, 0, 192);

int MeasureOnDc(const char* text, void* context) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(static_cast<HDC>(context), text, lstrlenA(text), &size);
    return size.cx;
}

void DrawBar(HDC dc, int zone, const PresetRecord* preset) {
    const KeyRect& bar = gZoneKeyboard.bars[zone];
    int w = bar.right - bar.left, h = bar.bottom - bar.top;
    if (w <= 0 || h <= 0) return;
    ColourFill colour =
        ColourFillFromRgb(zone == gDocument.currentZone ? kCurrentZoneColour : kOtherZoneColour);
    int alpha = ZoneEnabled(preset, zone) == 0 ? kDisabledAlpha : kEnabledAlpha;
    GdiFillTranslucent(dc, bar.left, bar.top, w, h, colour, alpha);
    GdiFrameTranslucent(dc, bar.left, bar.top, w, h, kFrameWidth, colour, kFrameAlpha);

    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    ZoneLabel label;
    if (!ZoneBarLabel(zone, bar, metrics.tmHeight, MeasureOnDc, dc, &label)) return;
    SetTextColor(dc, kZoneLabelColour);
    TextOutA(dc, label.left, label.top, label.text, lstrlenA(label.text));
}

}  // namespace

void KeyboardPane::Paint(PaneDc dcHandle) {
    if (!KeyboardPaneShown()) return;
    HDC dc = dcHandle;
    RECT body = {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
    FillRect(dc, &body, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    PresetRecord* preset = EditorCurrentPreset();
    LayoutZoneKeys(rect);
    LayoutZoneBars(rect, preset);

    int saved = SaveDC(dc);
    IntersectClipRect(dc, body.left, body.top, body.right, body.bottom);
    if (!ImageBitmapIsEmpty(gZoneKeyboard.scaled)) {
        GdiDrawBitmap(dc, gZoneKeyboard.scaled, rect.x, rect.y);
    }
    HGDIOBJ font = gFonts[kFontPanel] != nullptr ? static_cast<HGDIOBJ>(gFonts[kFontPanel])
                                                 : GetStockObject(DEFAULT_GUI_FONT);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    for (int z = 0; z < gZoneKeyboard.zoneCount; ++z) DrawBar(dc, z, preset);
    RestoreDC(dc, saved);
}
