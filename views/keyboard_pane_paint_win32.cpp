// KeyboardPane's painting: the white body, the device's keyboard picture and
// one translucent bar per zone with its name.
#include <windows.h>

#include <cstdio>

#include "imaging/gdi_draw_win32.h"
#include "shell/gdi_resources_win32.h"
#include "views/editor_document.h"
#include "views/keyboard_pane.h"
#include "views/zone_keyboard.h"

namespace {

constexpr int32_t kOtherZoneColour = RgbColour(32, 176, 176);
constexpr int32_t kCurrentZoneColour = RgbColour(224, 80, 80);
constexpr int kEnabledAlpha = 192;
constexpr int kDisabledAlpha = 96;
constexpr int kFrameAlpha = 128;
constexpr int kFrameWidth = 2;
constexpr int kLabelMargin = 4;
constexpr COLORREF kZoneLabelColour = RGB(0, 0, 192);

void DrawBar(HDC dc, const PaneRect& pane, int zone, const PresetRecord* preset) {
    const KeyRect& bar = gZoneKeyboard.bars[zone];
    int w = bar.right - bar.left, h = bar.bottom - bar.top;
    if (w <= 0 || h <= 0) return;
    ColourFill colour =
        ColourFillFromRgb(zone == gDocument.currentZone ? kCurrentZoneColour : kOtherZoneColour);
    int alpha = ZoneEnabled(preset, zone) == 0 ? kDisabledAlpha : kEnabledAlpha;
    GdiFillTranslucent(dc, bar.left, bar.top, w, h, colour, alpha);
    GdiFrameTranslucent(dc, bar.left, bar.top, w, h, kFrameWidth, colour, kFrameAlpha);

    char text[16];
    std::snprintf(text, sizeof text, "Zone %d", zone + 1);
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    // The name stays inside the pane, clear of its frame, even when the bar
    // sits at its edge (a fresh bank's zones are all on the lowest key).
    int centre = (bar.left + bar.right) / 2;
    int lowest = pane.x + kLabelMargin + size.cx / 2;
    int highest = pane.x + pane.width - kLabelMargin - size.cx / 2;
    if (centre > highest) centre = highest;
    if (centre < lowest) centre = lowest;
    SetTextColor(dc, kZoneLabelColour);
    TextOutA(dc, centre - size.cx / 2, bar.top + 1, text, lstrlenA(text));
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
    for (int z = 0; z < gZoneKeyboard.zoneCount; ++z) DrawBar(dc, rect, z, preset);
    RestoreDC(dc, saved);
}
