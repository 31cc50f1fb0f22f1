// DeviceView's mouse handling in the graphic view, and the dispatch between
// its two faces. The list view's half is in views/device_view_list.cpp.
//
// Graphic view, left button:
//   press on a control      Ctrl: arm a drag only; else select (Shift range,
//                           a selected control keeps the selection), arm a drag
//   press on empty picture  start a rubber band
//   release, band active    select what the band encloses (a band without
//                           extent changes nothing)
//   release, dragging       drop onto the control under the pointer
//   release on a control    Ctrl toggles, Shift nothing more, else alone
//   double click            the control editor shows the control's details
#include "views/device_view.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <utility>

#include "banks/bank_model.h"
#include "views/drag.h"
#include "views/drops.h"
#include "views/in_place_edit.h"
#include "base/command_ids.h"
#include "views/bank_selection.h"
#include "views/editor_document.h"
#include "views/editor_pane.h"
#include "views/editor_tabs.h"
#include "views/graphic_geometry.h"
#include "views/graphic_pictures.h"
#include "views/pane_keys.h"
#include "views/pane_layout.h"
#include "views/view_platform.h"
#include "views/view_state.h"

DeviceView gDeviceView;

namespace {

// The pane takes points across its width and, vertically, inside its frame.
int InsidePane(const Pane& pane, int x, int y) {
    const PaneRect& r = pane.rect;
    return x >= r.x && x <= r.x + r.width - 1 && y >= r.y + 2 && y <= r.y + r.height - 3;
}

void RepaintSelection() {
    InvalidatePane(gDeviceView);
    if (gEditorPane.window) InvalidatePane(gEditorPane);
}

void OnGraphicPress(int x, int y, int keyFlags) {
    SetFocusPane(&gDeviceView, keyFlags);
    CommitInPlaceEditors();
    int control = DeviceViewControlAt(x, y);
    if (control >= 0) {
        if (!(keyFlags & kKeyFlagControl)) {
            PressSelectControl(control, keyFlags);
            RepaintSelection();
            LibraryFollow();
        }
        ArmDrag(&gDeviceView, gBanks.current, gBanks.currentPreset, control, 0, 0);
        return;
    }
    if (y < gDeviceView.rect.y + DeviceViewPictureHeight() && !gRubberBand.active) {
        BeginRubberBand(&gDeviceView, x, y);
    }
}

void OnBandRelease() {
    PaneRect band = gRubberBand.band;
    EndRubberBand();
    if (band.width <= 1 && band.height <= 1) return;  // a click: nothing changes
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    int scroll = gDeviceView.horizontal.position;
    const PaneRect& r = gDeviceView.rect;
    PanePointToPicture(gDocument, scroll, band.x - r.x, band.y - r.y, &x1, &y1);
    PanePointToPicture(gDocument, scroll, band.x + band.width - 1 - r.x,
                       band.y + band.height - 1 - r.y, &x2, &y2);
    std::memset(gSelection.controls, 0, sizeof gSelection.controls);
    SelectControlsInBand(gDocument, ControlCount(), x1, y1, x2, y2, gSelection.controls);
    FirstSelectedBecomesCurrent();
    RepaintSelection();
    LibraryFollow();
}

void OnControlRelease(int control, int keyFlags) {
    ReleaseSelectControl(control, keyFlags);
    RepaintSelection();
    LibraryFollow();
    QuickRedrawDeviceView();
    UpdateViewMenu();
}

void OnGraphicDoubleClick(PaneWindow window, int x, int y) {
    if (DeviceViewControlAt(x, y) < 0) return;
    if (!gEditorShown) RunPanelCommand(window, kCmdEditorWindow);
    SelectEditorTab(kEditorTabDetails);
}

}  // namespace

int DeviceViewPictureHeight() {
    return GraphicPictureHeight(gDevice.zoneLimit != 0);
}

int DeviceViewControlAt(int x, int y) {
    if (!gDocument.hasPictures) return -1;
    int px = 0;
    int py = 0;
    PanePointToPicture(gDocument, gDeviceView.horizontal.position, x - gDeviceView.rect.x,
                       y - gDeviceView.rect.y, &px, &py);
    return HitGraphicControl(gDocument, ControlCount(), px, py);
}

const char* DeviceViewTitle() {
    gDeviceView.titleText[0] = '\0';
    const BankEntry* entry = BankAt(gBanks.current);
    if (entry && entry->data && gBanks.currentPreset >= 0 && gBanks.currentPreset < kMaxPresets) {
        std::snprintf(gDeviceView.titleText, sizeof gDeviceView.titleText, "%s: %s",
                      entry->displayName, entry->data->presets[gBanks.currentPreset].name);
    }
    return gDeviceView.titleText;
}

int DeviceView::Mouse(PaneWindow window, int x, int y, int message, int keyFlags) {
    ShowChosenFace();  // the settings may have chosen it
    if (listMode) return ListMouse(window, x, y, message, keyFlags);
    return GraphicMouse(window, x, y, message, keyFlags);
}

int DeviceView::GraphicMouse(PaneWindow window, int x, int y, int message, int keyFlags) {
    if (gRubberBand.active && gRubberBand.pane == this) {
        // The band has the capture: its moves and its release are ours
        // wherever the pointer is.
        if (message == kMouseMove) UpdateRubberBand(x, y);
        if (message == kLeftUp) OnBandRelease();
        return kMouseHandled;
    }
    if (message == kMouseMove || !InsidePane(*this, x, y)) return kMouseNotHandled;
    switch (message) {
        case kLeftDown:
            OnGraphicPress(x, y, keyFlags);
            return kMouseHandled;
        case kLeftUp: {
            int control = DeviceViewControlAt(x, y);
            if (gDrag.dragging) {
                EndDrag();
                if (control >= 0) DropOnControl(control);
                RepaintSelection();
                return kMouseHandled;
            }
            if (control < 0) return kMouseNotHandled;
            OnControlRelease(control, keyFlags);
            return kMouseHandled;
        }
        case kLeftDoubleClick:
            OnGraphicDoubleClick(window, x, y);
            return kMouseHandled;
        default:
            return kMouseNotHandled;  // the right button does nothing here
    }
}

// Each face keeps its own scroll state: the list scrolls by rows and the
// picture by pixels, so one face's range and position would scroll the other
// by the wrong amount (and show a bar it does not have). The pane holds the
// shown face's state; the hidden face's waits here.
static PaneScroll gHiddenFace[2];  // horizontal, vertical

static void SwapScroll(PaneScroll& shown, PaneScroll& hidden) {
    std::swap(shown.total, hidden.total);
    std::swap(shown.page, hidden.page);
    std::swap(shown.position, hidden.position);
}

int ShowChosenFace() {
    int list = gViewMode == ViewMode::kList ? 1 : 0;
    if (list == gDeviceView.listMode) return 0;
    DestroyPaneScrollBars(gDeviceView);
    SwapScroll(gDeviceView.horizontal, gHiddenFace[0]);
    SwapScroll(gDeviceView.vertical, gHiddenFace[1]);
    gDeviceView.listMode = list;
    // The graphic face's position waited while its picture may have been
    // rebuilt for another view size.
    if (!list) KeepGraphicScrollInside();
    return 1;
}

void ResetDeviceViewScroll() {
    for (PaneScroll* s :
         {&gDeviceView.horizontal, &gDeviceView.vertical, &gHiddenFace[0], &gHiddenFace[1]}) {
        s->total = 0;
        s->page = 0;
        s->position = 0;
    }
    SyncPaneScrollBar(gDeviceView, 0);
    SyncPaneScrollBar(gDeviceView, 1);
}

void DeviceViewModeChanged() {
    ShowChosenFace();
    gDeviceView.scrollIntoView = 1;
    InvalidatePane(gDeviceView);
}

void DeviceViewShowCcChanged() {
    InvalidatePane(gDeviceView);
}

void DeviceViewFitModeChanged() {
    DestroyPaneScrollBars(gDeviceView);
    // The picture starts again at its left edge, wherever its face waits.
    (gDeviceView.listMode ? gHiddenFace[0] : gDeviceView.horizontal).position = 0;
    if (gDocument.hasPictures) BuildGraphicPictures();
    InvalidatePane(gDeviceView);
}
