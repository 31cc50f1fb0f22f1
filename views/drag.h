// Dragging banks, presets, controls and library controls from one pane to
// another with the left button, and the rubber band that selects controls in
// the device view. The pane under the pointer at the release decides what a
// drop does.
#pragma once

#include <cstdint>

#include "views/pane.h"

struct DragState {
    int sourceBank = 0;       // bank-list index the drag started from
    int sourcePreset = 0;     // preset (row) the drag started from
    int sourceControl = 0;    // control index the drag started from
    int fromOtherWindow = 0;  // started in the library window: the main window's cursor changes too
    int copyMode = 0;         // Ctrl was down when the drag started
    int count = 0;            // controls dragged (1 unless from the device view)
    int armed = 0;            // a press armed a drag that has not started yet
    uint8_t selection[100] = {};  // the device view's selection at the start
    Pane* sourcePane = nullptr;
    int dragging = 0;
    int confine = 0;   // the arming pane asked for the pointer to be confined
    int confined = 0;  // the pointer is confined to confineRect
    PaneRect confineRect = {0, 0, 0, 0};
    int captured = 0;  // the source window holds the mouse capture for the drag
};
extern DragState gDrag;

void ArmDrag(Pane* sourcePane, int bank, int preset, int control, int fromOtherWindow, int confine);
// The release of a press that armed a drag without starting it.
void DisarmDrag();
// `window` lost the mouse capture to another window: a drag it armed and has
// not started will not see its release, so it is armed no longer.
void DragCaptureLost(PaneWindow window);
void StartDrag();
void EndDrag();
void DragTick(PaneWindow window);

struct RubberBand {
    Pane* pane = nullptr;
    int anchorX = 0;
    int anchorY = 0;
    PaneRect band = {0, 0, 0, 0};
    int leftOfAnchor = 0;  // the pointer is left of (above) the anchor
    int aboveAnchor = 0;
    PaneRect bounds = {0, 0, 0, 0};
    int active = 0;
};
extern RubberBand gRubberBand;

void BeginRubberBand(Pane* pane, int x, int y);
void UpdateRubberBand(int x, int y);
void RubberBandTick();
void EndRubberBand();
