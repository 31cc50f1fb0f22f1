// Mouse dispatch of the panels (the press states are listed in
// panel_mouse.h).
#include "views/panel_mouse.h"

#include "views/drag.h"
#include "views/in_place_edit.h"
#include "base/command_ids.h"
#include "views/editor_tabs.h"
#include "views/tooltip.h"
#include "views/value_spinner.h"
#include "views/view_platform.h"
#include "views/view_state.h"
#include "views/zone_keyboard.h"

namespace {

void RedrawItem(const Panel& panel, const PanelItem& item) {
    PaneRect r = PanelItemRect(item);
    InvalidateWindowRect(panel.window, &r);
}

// The transfer operations run without handling messages: the button is
// painted pressed before and released after.
void RunTransfer(Panel& panel, PanelItem& item, int command) {
    item.pressed = 1;
    RedrawItem(panel, item);
    PaintWindowNow(panel.window);
    RunPanelCommand(panel.window, command);
    item.pressed = 0;
    RedrawItem(panel, item);
}

// `ownCapture` 0 when the capture went to another window already: it is
// that window's now and must not be taken from it.
void ReleasePress(Panel& panel, int ownCapture) {
    if (panel.pressedItem >= 0 && panel.pressedItem < panel.itemCount) {
        PanelItem& item = panel.items[panel.pressedItem];
        // A tab's pressed flag means "shown": its press never set it.
        if (item.kind == kKindButton) item.pressed = 0;
        RedrawItem(panel, item);
    }
    panel.pressedItem = -1;
    panel.pressedInside = 0;
    ReleasePointer();
    if (ownCapture) ReleaseMouse();
}

void PressItem(Panel& panel, int index) {
    TooltipHide();
    PanelItem& item = panel.items[index];
    panel.pressedItem = index;
    panel.pressedInside = 1;
    // A tab's pressed flag means "shown": its feedback is the shown picture.
    if (item.kind == kKindButton) item.pressed = 1;
    RedrawItem(panel, item);
    CaptureMouse(panel.window);
    ConfinePointer(panel.window, nullptr);
}

void TrackPress(Panel& panel, int hit) {
    int inside = hit == panel.pressedItem ? 1 : 0;
    if (inside == panel.pressedInside) return;
    panel.pressedInside = inside;
    PanelItem& item = panel.items[panel.pressedItem];
    if (item.kind == kKindButton) item.pressed = inside;
    RedrawItem(panel, item);
}

void EndPress(Panel& panel, int hit) {
    int index = panel.pressedItem;
    int inside = hit == index;
    ReleasePress(panel, 1);
    if (!inside) return;
    TooltipHide();
    CommitInPlaceEditors();
    RunPanelItemAction(panel, panel.items[index]);
}

// The items' part of the dispatch. A press whose release never came (the
// window ignores the mouse while a transfer runs) ends without its action at
// the next move without the button, or the next press: it would hold the
// pointer in the window and take that press for its own.
void ItemsMouse(Panel& panel, int x, int y, int message, int keyFlags) {
    if (gRubberBand.active || gDrag.dragging) return;
    int hit = HitTestPanel(panel, x, y);
    const bool lostRelease =
        panel.pressedItem >= 0 && ((message == kMouseMove && !(keyFlags & kKeyFlagLeft)) ||
                                   message == kLeftDown || message == kLeftDoubleClick);
    if (lostRelease) ReleasePress(panel, 1);
    switch (message) {
        case kLeftDown:
        case kLeftDoubleClick:
            if (hit >= 0 && panel.pressedItem < 0 && PanelItemEnabled(panel.items[hit])) {
                PressItem(panel, hit);
            } else if (hit >= 0) {
                TooltipHide();  // clicking any item hides the tooltip
            }
            break;
        case kMouseMove:
            if (panel.pressedItem >= 0) TrackPress(panel, hit);
            break;
        case kLeftUp:
            if (panel.pressedItem >= 0) EndPress(panel, hit);
            break;
        default:
            break;
    }
}

}  // namespace

PaneRect PanelItemRect(const PanelItem& item) {
    int width = item.width;
    if (item.kind == kKindTab) {
        int image = 0;
        EditorTabAppearance(item.type, item.width, item.image, &width, &image);
    }
    return {item.x, item.y, width, item.height};
}

void PanelCaptureLost(Panel& panel) {
    if (panel.pressedItem >= 0) ReleasePress(panel, 0);
    DragCaptureLost(panel.window);
}

void RunPanelItemAction(Panel& panel, PanelItem& item) {
    PaneWindow main = gMainPanel.window != nullptr ? gMainPanel.window : panel.window;
    switch (item.type) {
        case kItemRescan:
            RunPanelCommand(main, kCmdRefreshDevices);
            break;
        case kItemNew:
            RunPanelCommand(panel.window, kCmdNewBank);
            break;
        case kItemSend:
            RunTransfer(panel, item, kCmdSendToDevice);
            break;
        case kItemUpload:
            RunTransfer(panel, item, kCmdUpload);
            break;
        case kItemDownload:
            RunTransfer(panel, item, kCmdDownload);
            break;
        case kItemView:
            RunPanelCommand(main, gViewMode == ViewMode::kGraphic ? kCmdListView : kCmdGraphicView);
            break;
        case kItemLibrary:
            RunPanelCommand(main, kCmdLibraryWindow);
            break;
        case kItemInfo:
            RunPanelCommand(panel.window, kCmdEditorWindow);
            break;
        case kItemTabDetails:
        case kItemTabVariables:
        case kItemTabZones:
            ClickEditorTab(item.type);
            break;
        default:
            break;
    }
}

int PanelMouse(Panel& panel, int x, int y, int message, int keyFlags) {
    // A right double-click is one more right press: two quick right presses
    // step a value twice, and a second press on the current field is no
    // double click that opens its editor.
    if (message == kRightDoubleClick) message = kRightDown;
    // A drag still armed at a press without the left button held lost its
    // release (a transfer held the input): whatever this press arms, if
    // anything, the old one is over. (A right press may come while the left
    // button still holds the drag.)
    const bool pressWithoutLeftHeld = message == kLeftDown || message == kLeftDoubleClick ||
                                      (message == kRightDown && !(keyFlags & kKeyFlagLeft));
    if (pressWithoutLeftHeld && gDrag.armed && !gDrag.dragging) DisarmDrag();
    if (message == kMouseMove) TooltipTrack(panel, x, y);
    if (message == kMouseMove && gDrag.armed && !gDrag.dragging) {
        // The first move starts the drag; one without the left button comes
        // after a release no pane saw, and the press is over.
        if (keyFlags & kKeyFlagLeft) {
            StartDrag();
        } else {
            DisarmDrag();
        }
    }
    int pressedBefore = panel.pressedItem;
    ItemsMouse(panel, x, y, message, keyFlags);
    // A stale press just ended is no press of this message's.
    if (pressedBefore >= 0 && (message == kLeftDown || message == kLeftDoubleClick)) {
        pressedBefore = -1;
    }
    int handled = kMouseNotHandled;
    // The press of a toolbar button is its own: the panes do not see it.
    if (pressedBefore < 0 && panel.pressedItem < 0) {
        if (message == kLeftUp || message == kRightUp) ValueSpinnerButtonUp(message);
        for (int i = 0; i < panel.paneCount && handled != kMouseHandled; ++i) {
            handled = panel.mousePanes[i]->Mouse(panel.window, x, y, message, keyFlags);
        }
    } else {
        handled = kMouseHandled;
    }
    // One rule for every release of the left button, whichever pane took it
    // (or none): no drag and no band outlives it. A pane that takes a
    // release without a drop of its own (the keyboard, the control editor)
    // would otherwise leave the drag running, to be dropped by the next
    // click somewhere else.
    if (message == kLeftUp) {
        if (gDrag.dragging) EndDrag();
        if (gRubberBand.active) EndRubberBand();
        DisarmDrag();
    }
    return handled;
}

int MouseOperationHeld() {
    return gDrag.armed || gDrag.dragging || gRubberBand.active || ValueSpinnerActive() ||
           gZoneKeyboard.dragMode != ZoneDragMode::kNone;
}
