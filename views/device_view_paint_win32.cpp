// Painting the graphic view: the title strip, the device picture, each
// control of the shown zone in its normal or selected pictures, and the
// CC/Ch labels in translucent boxes. The quick redraw paints only the
// controls whose selection changed, straight on the window.
#include <windows.h>

#include <cstring>

#include "banks/bank_model.h"
#include "imaging/gdi_draw_win32.h"
#include "views/comparison_paint_win32.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_document.h"
#include "views/gdi_resources_win32.h"
#include "views/graphic_geometry.h"
#include "views/graphic_pictures.h"
#include "views/keyboard_pane.h"
#include "views/pane_frame.h"
#include "views/pane_scroll.h"
#include "views/view_state.h"

namespace {

constexpr COLORREF kPictureKey = RGB(255, 255, 255);
constexpr int kLabelFillAlpha = 170;
constexpr int kLabelFrameAlpha = 128;

COLORREF DeviceColourKey() {
    // The definition's colour is packed red + 256 green + 65536 blue, as a COLORREF.
    return static_cast<COLORREF>(gDevice.colour);
}

int MeasureOnDc(const char* text, void* context) {
    SIZE size = {0, 0};
    GetTextExtentPoint32A(static_cast<HDC>(context), text, lstrlenA(text), &size);
    return size.cx;
}

void DrawLabel(HDC dc, int control, int originX, int originY) {
    const BankData* data = BankDataAt(gBanks.current);
    if (!data) return;
    const DocControl& placed = gDocument.controls[control];
    const TypePictures& pictures = gDocument.types[placed.type];
    const PresetControl& assignment = data->presets[gBanks.currentPreset].controls[control];
    HGDIOBJ font = gFonts[kFontSmall] ? static_cast<HGDIOBJ>(gFonts[kFontSmall])
                                      : GetStockObject(DEFAULT_GUI_FONT);
    ScopedSelectObject selectFont(dc, font);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    PaneRect picture = {originX + placed.overlayRect.left, originY + placed.overlayRect.top,
                        pictures.normal.width, pictures.normal.height};
    CcChLabel label;
    if (!PlaceCcChLabel(assignment.midiCc, assignment.channel, gDocument.scale, picture,
                        metrics.tmHeight, MeasureOnDc, dc, &label)) {
        return;
    }
    const PaneRect& b = label.box;
    ColourFill fill = ColourFillFromRgb(RgbColour(188, 204, 220));
    GdiFillTranslucent(dc, b.x, b.y, b.width, b.height, fill, kLabelFillAlpha);
    GdiFrameTranslucent(dc, b.x, b.y, b.width, b.height, 1, fill, kLabelFrameAlpha);
    RECT box = {b.x, b.y, b.x + b.width, b.y + b.height};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    DrawTextA(dc, label.text, -1, &box, DT_CENTER | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void DrawControl(HDC dc, int control, int originX, int originY) {
    const DocControl& placed = gDocument.controls[control];
    const TypePictures& pictures = gDocument.types[placed.type];
    int selected = gSelection.controls[control] != 0;
    const ImageBitmap& back = selected ? pictures.backgroundSelected : pictures.background;
    const ImageBitmap& front = selected ? pictures.selected : pictures.normal;
    GdiDrawBitmap(dc, back, originX + placed.backgroundRect.left,
                  originY + placed.backgroundRect.top);
    GdiDrawBitmapKeyed(dc, front, originX + placed.overlayRect.left,
                       originY + placed.overlayRect.top, DeviceColourKey());
}

}  // namespace

void DeviceView::Paint(PaneDc dc) {
    ShowChosenFace();  // the settings may have chosen it
    if (listMode) {
        PaintList(dc);
    } else {
        PaintGraphic(dc);
    }
}

void DeviceView::PaintGraphic(PaneDc paneDc) {
    HDC dc = reinterpret_cast<HDC>(paneDc);
    int quick = gDocument.quickRedraw;
    if (!quick) {
        RefitGraphicPictures();  // the window may have been resized since they were made
        title = DeviceViewTitle();
        DrawPaneFrame(paneDc, *this,
                      BankAt(gBanks.current) ? BankRowIcon(gBanks.current) : kNoFileIcon, 1);
    }
    if (!gDocument.hasPictures || !BankDataAt(gBanks.current) || gBanks.currentPreset < 0 ||
        gBanks.currentPreset >= kMaxPresets) {
        if (!quick) UpdatePaneScrollBar(*this, 0, 0, 0);
        return;
    }
    int pictureWidth = rect.width - 2 * kPictureMargin;
    int pictureHeight = DeviceViewPictureHeight() - 2 * kPictureMargin;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, rect.x + kPictureMargin, rect.y + kPictureMargin,
                      rect.x + kPictureMargin + pictureWidth,
                      rect.y + kPictureMargin + pictureHeight);
    int originX = rect.x + kPictureMargin + gDocument.offX;
    int originY = rect.y + kPictureMargin + gDocument.offY;
    if (gDocument.scrollMode) {
        originX = rect.x + kPictureMargin - horizontal.position;
        originY = rect.y + kPictureMargin;
        if (!quick) {
            GdiDrawBitmapKeyedPart(dc, gDocument.background, originX + horizontal.position, originY,
                                   horizontal.position, pictureWidth, kPictureKey);
        }
    } else if (!quick) {
        GdiDrawBitmapKeyed(dc, gDocument.background, originX, originY, kPictureKey);
    }
    int count = gDevice.controlCount < kDocMaxControls ? gDevice.controlCount : kDocMaxControls;
    for (int i = 0; i < count; ++i) {
        if (!ControlInZone(gDocument, i)) continue;
        if (quick && !gDocument.changed[i]) continue;
        DrawControl(dc, i, originX, originY);
        DrawComparedControl(dc, i, originX, originY);
    }
    // The labels after every picture: one beside a small control lies over
    // its neighbour, which would otherwise be drawn over it.
    for (int i = 0; i < count && gShowCcCh; ++i) {
        if (!ControlInZone(gDocument, i)) continue;
        if (quick && !gDocument.changed[i]) continue;
        DrawLabel(dc, i, originX, originY);
    }
    RestoreDC(dc, saved);
    RememberPaintedSelection();
    if (quick) return;
    UpdatePaneScrollBar(*this, 0, gDocument.backgroundWidth, pictureWidth);
    // The frame's body covers the keyboard below the picture: when this
    // pane is painted alone (scrolling), the keyboard must be drawn again.
    if (gDevice.zoneLimit != 0 && gKeyboardPane.window == window) gKeyboardPane.Paint(paneDc);
}

void QuickRedrawDeviceView() {
    HWND hwnd = reinterpret_cast<HWND>(gDeviceView.window);
    if (!hwnd || gDeviceView.listMode || !gDocument.hasPictures) return;
    if (ComputeSelectionChanges() == 0) return;
    HDC dc = GetDC(hwnd);
    if (!dc) return;
    gDocument.quickRedraw = 1;
    gDeviceView.PaintGraphic(reinterpret_cast<PaneDc>(dc));
    gDocument.quickRedraw = 0;
    ReleaseDC(hwnd, dc);
}
