// Drags and the rubber band.
//
// Drag transitions:
//   idle     -> armed     a press on something draggable      ArmDrag
//   armed    -> dragging  the first mouse move                StartDrag
//   dragging -> idle      the release (then the drop)         EndDrag
//   armed    -> idle      a release without a move (the window's mouse
//                         dispatch calls DisarmDrag)
// Rubber band: inactive -> active (BeginRubberBand) -> inactive
// (EndRubberBand).
//
// The pointer confinement is shared: whichever of the two confined it, the
// first to end releases it.
#include "views/drag.h"

#include <cstring>

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/keyboard_pane.h"
#include "views/library_controls_pane.h"
#include "views/pane_scroll.h"
#include "views/presets_pane.h"
#include "views/view_platform.h"

DragState gDrag;
RubberBand gRubberBand;

constexpr int kDragTickMs = 50;
// How close to an unconfined source pane's top or bottom edge the pointer
// scrolls it.
constexpr int kEdgeReach = 4;
// The rubber band scrolls this many steps per tick past an edge.
constexpr int kBandScrollSteps = 16;

static int gPointerConfined = 0;

static void Confine(PaneWindow window, const PaneRect& rect) {
    ConfinePointer(window, &rect);
    gPointerConfined = 1;
}

static void Unconfine() {
    if (!gPointerConfined) return;
    ReleasePointer();
    gPointerConfined = 0;
}

// The main window's panes all share its window.
static PaneWindow MainWindow() {
    return gDevicesPane.window;
}

void ArmDrag(Pane* sourcePane, int bank, int preset, int control, int fromOtherWindow,
             int confine) {
    if (gDrag.dragging) return;
    // Still armed at a press: the last press's release went where no pane saw
    // it (a transfer held the input). This press is the one to follow.
    if (gDrag.armed) DisarmDrag();
    gDrag.sourcePane = sourcePane;
    gDrag.sourceBank = bank;
    gDrag.sourcePreset = preset;
    gDrag.sourceControl = control;
    gDrag.fromOtherWindow = fromOtherWindow;
    gDrag.confine = confine;
    gDrag.count = 1;
    gDrag.armed = 1;
    // The drag holds the capture from the press on: a quick hand's first
    // move may already be over another window (the library's controls go to
    // the main window), and a capture taken only then came too late for the
    // release (Wine had already addressed it, and it never arrived).
    CaptureMouse(sourcePane->window);
    gDrag.captured = 1;
}

void DisarmDrag() {
    if (gDrag.armed && !gDrag.dragging && gDrag.captured) {
        ReleaseMouse();
        gDrag.captured = 0;
    }
    gDrag.armed = 0;
}

void DragCaptureLost(PaneWindow window) {
    // The window that took the capture (a message box) has the release too.
    if (gDrag.armed && gDrag.captured && gDrag.sourcePane && gDrag.sourcePane->window == window) {
        gDrag.armed = 0;
        gDrag.captured = 0;
    }
}

static int CountSelectedControls() {
    int count = 0;
    for (int i = 0; i < kMaxControls; i++) count += gSelection.controls[i] ? 1 : 0;
    return count;
}

static PaneRect SourceConfineRect(const Pane& pane) {
    PaneRect r = pane.rect;
    int right = r.x + r.width - 1;
    if (pane.vertical.total > pane.vertical.page && pane.vertical.page > 0) {
        right -= ScrollBarWidth();
    }
    int left = r.x + 1;
    int top = r.y + 2;
    int bottom = r.y + r.height - 2;
    return PaneRect{left, top, right - left, bottom - top};
}

static ViewCursor ChooseDragCursor(Pane* source) {
    if (source == &gDeviceView) {
        int selected = CountSelectedControls();
        if (selected == 1) return ViewCursor::kDragSingle;
        gDrag.count = selected;
        std::memcpy(gDrag.selection, gSelection.controls, sizeof gDrag.selection);
        return ViewCursor::kDragMultiple;
    }
    if (source == &gLibraryControlsPane) return ViewCursor::kDragSingle;
    return ViewCursor::kDragMultiple;
}

void StartDrag() {
    if (!gDrag.armed || gDrag.dragging) return;
    gDrag.armed = 0;
    Pane* source = gDrag.sourcePane;
    if (!source) return;
    int control = KeyHeld(kVkControl);
    if (source == &gDeviceView && control && gDrag.sourceControl >= 0 &&
        gDrag.sourceControl < kMaxControls) {
        gSelection.controls[gDrag.sourceControl] = 1;
        InvalidatePane(gDeviceView);
    }
    // The presets travel as they were selected when the drag began: moving
    // over the devices list chooses banks, which resets the selection.
    if (source == &gPresetsPane) {
        std::memcpy(gSelection.savedPresets, gSelection.presets, sizeof gSelection.savedPresets);
    }
    gDrag.confined = 0;
    if (gDrag.confine) {
        gDrag.confineRect = SourceConfineRect(*source);
        Confine(source->window, gDrag.confineRect);
        gDrag.confined = 1;
    }
    ViewCursor cursor = ChooseDragCursor(source);
    SetViewCursor(source->window, cursor);
    if (gDrag.fromOtherWindow) SetViewCursor(MainWindow(), cursor);
    gDrag.dragging = 1;
    gDrag.copyMode = control;
    // The release may come over another window (the library's controls go
    // to the main window): the capture brings it, and the moves on the way,
    // to the source window, whose dispatch hands them to the window under
    // the pointer.
    CaptureMouse(source->window);
    gDrag.captured = 1;
    StartViewTimer(kDragTimer, kDragTickMs);
}

void EndDrag() {
    StopViewTimer(kDragTimer);
    if (gDrag.confined) Unconfine();
    gDrag.confined = 0;
    if (gDrag.captured) ReleaseMouse();
    gDrag.captured = 0;
    if (gDrag.sourcePane) SetViewCursor(gDrag.sourcePane->window, ViewCursor::kArrow);
    if (gDrag.fromOtherWindow) SetViewCursor(MainWindow(), ViewCursor::kArrow);
    gDrag.fromOtherWindow = 0;
    gDrag.armed = 0;
    gDrag.dragging = 0;
}

void DragTick(PaneWindow) {
    if (!gDrag.dragging || !gDrag.sourcePane) return;
    // A release no window saw (another program took the mouse meanwhile)
    // must still end the drag, or the next click would drop it.
    if (!LeftButtonHeld()) {
        EndDrag();
        return;
    }
    Pane& pane = *gDrag.sourcePane;
    int x = 0;
    int y = 0;
    PointerPosition(pane.window, &x, &y);
    if (gDrag.confined) {
        const PaneRect& r = gDrag.confineRect;
        if (y <= r.y) {
            ScrollPane(pane, 1, kScrollLineUp, 0);
        } else if (y >= r.y + r.height - 1) {
            ScrollPane(pane, 1, kScrollLineDown, 0);
        }
        return;
    }
    // A drag that may leave its pane (presets go to other banks too) is not
    // confined, yet must reach rows scrolled out of sight: the pointer held
    // on the pane's top edge, or on or below its bottom edge, scrolls it as
    // well. Above the top lies the bank list, which the drag must still
    // reach, so only the edge itself scrolls up; below the bottom nothing
    // takes a drop, and a hand that overshoots the edge still scrolls.
    if (gDrag.fromOtherWindow) return;
    const PaneRect& r = pane.rect;
    if (x < r.x || x >= r.x + r.width) return;
    if (y >= r.y - kEdgeReach && y <= r.y + kEdgeReach) {
        ScrollPane(pane, 1, kScrollLineUp, 0);
    } else if (y >= r.y + r.height - kEdgeReach) {
        ScrollPane(pane, 1, kScrollLineDown, 0);
    }
}

// --- Rubber band ---------------------------------------------------------------

// The height of the device view's picture: the keyboard of a device with
// zones takes the bottom of the pane (with a gap of 8).
static int BandAreaHeight(const Pane& pane) {
    if (&pane == &gDeviceView && !pane.listMode && gDevice.zoneLimit != 0 &&
        gKeyboardPane.rect.height > 0) {
        int h = pane.rect.height - gKeyboardPane.rect.height - 8;
        if (h > 0) return h;
    }
    return pane.rect.height;
}

static int Clamp(int v, int low, int high) {
    return v < low ? low : (v > high ? high : v);
}

static void DrawBand() {
    if (gRubberBand.pane) DrawFocusBand(gRubberBand.pane->window, gRubberBand.band);
}

void BeginRubberBand(Pane* pane, int x, int y) {
    if (!pane) return;
    RubberBand& b = gRubberBand;
    b.pane = pane;
    int left = pane->rect.x + 1;
    int top = pane->rect.y + 1;
    int right = pane->rect.x + pane->rect.width;
    int bottom = pane->rect.y + BandAreaHeight(*pane);
    b.bounds = PaneRect{left, top, right - left, bottom - top};
    b.anchorX = Clamp(x, left, right - 1);
    b.anchorY = Clamp(y, top, bottom - 1);
    b.band = PaneRect{b.anchorX, b.anchorY, 1, 1};
    b.leftOfAnchor = 0;
    b.aboveAnchor = 0;
    CaptureMouse(pane->window);
    DrawBand();
    Confine(pane->window, b.bounds);
    StartViewTimer(kDragTimer, kDragTickMs);
    b.active = 1;
    UpdateRubberBand(x, y);
}

void UpdateRubberBand(int x, int y) {
    RubberBand& b = gRubberBand;
    if (!b.active) return;
    DrawBand();
    x = Clamp(x, b.bounds.x, b.bounds.x + b.bounds.width - 1);
    y = Clamp(y, b.bounds.y, b.bounds.y + b.bounds.height - 1);
    b.leftOfAnchor = x < b.anchorX ? 1 : 0;
    b.aboveAnchor = y < b.anchorY ? 1 : 0;
    int left = b.leftOfAnchor ? x : b.anchorX;
    int right = b.leftOfAnchor ? b.anchorX : x;
    int top = b.aboveAnchor ? y : b.anchorY;
    int bottom = b.aboveAnchor ? b.anchorY : y;
    b.band = PaneRect{left, top, right - left + 1, bottom - top + 1};
    DrawBand();
}

// Scrolls the band's pane `steps` lines one way and keeps the anchor on the
// same content. Returns the distance moved.
static int ScrollBand(int vertical, int request) {
    RubberBand& b = gRubberBand;
    int moved = 0;
    for (int i = 0; i < kBandScrollSteps; i++) moved += ScrollPane(*b.pane, vertical, request, 0);
    if (moved == 0) return 0;
    if (vertical) {
        b.anchorY = Clamp(b.anchorY - moved, b.bounds.y, b.bounds.y + b.bounds.height - 1);
    } else {
        b.anchorX = Clamp(b.anchorX - moved, b.bounds.x, b.bounds.x + b.bounds.width - 1);
    }
    return moved;
}

void RubberBandTick() {
    RubberBand& b = gRubberBand;
    if (!b.active || !b.pane) return;
    // A release no window saw (mouse input is ignored while a dump arrives)
    // must still end the band, or it would follow a pointer with no button
    // held and keep every command waiting.
    if (!LeftButtonHeld()) {
        EndRubberBand();
        return;
    }
    int x = 0;
    int y = 0;
    PointerPosition(b.pane->window, &x, &y);
    int request[2] = {-1, -1};  // horizontal, vertical
    if (x >= b.bounds.x + b.bounds.width - 2) {
        request[0] = kScrollLineDown;
    } else if (x <= b.bounds.x + 1) {
        request[0] = kScrollLineUp;
    }
    if (y >= b.bounds.y + b.bounds.height - 2) {
        request[1] = kScrollLineDown;
    } else if (y <= b.bounds.y + 1) {
        request[1] = kScrollLineUp;
    }
    if (request[0] < 0 && request[1] < 0) return;
    // The XOR band must come off before the scrolled pane is painted, and
    // go on again after: erase, scroll, paint now, draw.
    DrawBand();
    int moved = 0;
    for (int vertical = 0; vertical < 2; vertical++) {
        if (request[vertical] >= 0) moved += ScrollBand(vertical, request[vertical]);
    }
    if (moved != 0) PaintWindowNow(b.pane->window);
    DrawBand();
    UpdateRubberBand(x, y);
}

void EndRubberBand() {
    RubberBand& b = gRubberBand;
    if (!b.active) return;
    StopViewTimer(kDragTimer);
    b.active = 0;
    Unconfine();
    ReleaseMouse();
    if (b.pane) InvalidatePane(*b.pane);
}
