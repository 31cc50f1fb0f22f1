// DeviceView: the current preset as a picture of the device (graphic view) or as a table (list
// view).
#pragma once

#include "views/list_columns.h"
#include "views/pane.h"

class DeviceView : public Pane {
  public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;

    // The two faces' halves of Mouse and Paint.
    int GraphicMouse(PaneWindow window, int x, int y, int message, int keyFlags);
    int ListMouse(PaneWindow window, int x, int y, int message, int keyFlags);
    void PaintGraphic(PaneDc dc);
    void PaintList(PaneDc dc);

    char titleText[320] = {};     // "bank: preset", what title points at
    int listPressRow = -1;        // the row of the last left press in list view
    int listPressWasCurrent = 0;  // ... and whether it was current before it
};

extern DeviceView gDeviceView;

// --- Selection (shared by both faces) --------------------------------------

// The lowest selected control, -1 when none.
int FirstSelectedControl();
// A press on `control`: with Shift the range from the first selected control
// to it joins the selection; without, an unselected control becomes the
// selection alone (a selected one keeps the selection, to be dragged). The
// first selected control becomes current.
void PressSelectControl(int control, int keyFlags);
// A release on `control` without a drag: Ctrl toggles it, Shift adds
// nothing, neither makes it the selection alone and current.
void ReleaseSelectControl(int control, int keyFlags);
// Makes the first selected control current (control 0 when none is).
void FirstSelectedBecomesCurrent();
// The changed flags against the selection the last paint showed; returns
// how many changed.
int ComputeSelectionChanges();
// After a paint: the shown selection is the selection.
void RememberPaintedSelection();

// --- Graphic view --------------------------------------------------------------

// Height of the picture area (the pane above the keyboard of a device with
// zones).
int DeviceViewPictureHeight();
// The control under a client point in graphic view, -1 for none.
int DeviceViewControlAt(int x, int y);
// Paints only the controls whose selection changed, straight on the window
// (the platform's; nothing natively).
void QuickRedrawDeviceView();
// The title strip's text "bank: preset" of the current bank and preset.
const char* DeviceViewTitle();

// --- View commands --------------------------------------------------------------

// Commands 21 and 22: the pane takes the view mode, drops both scroll bars
// (the next paint makes the one the new face needs) and repaints.
void DeviceViewModeChanged();
// Makes the pane show the face the view mode asks for, each face with its
// own scroll state (range, page and position); 1 when the face changed.
int ShowChosenFace();
// Both faces back at the start (another bank): positions 0, no bars.
void ResetDeviceViewScroll();
// Command 25: the labels appear or go.
void DeviceViewShowCcChanged();
// Command 27: the scale and the pictures are made again for the fit mode.
void DeviceViewFitModeChanged();

// --- List view -------------------------------------------------------------------

constexpr int kListViewRowHeight = 13;

// Header height: the bold panel font's character height + 2.
int ListHeaderHeight();
// Lays out the visible columns across the pane (less the vertical bar when
// shown); fills each column's x, y and width.
void LayoutListColumns(const Pane& view, int barShown, ColumnDef* columns);
// Rows that fit, at most the control count.
int ListVisibleRows(const Pane& view, int controlCount);

struct ListHit {
    int row;     // relative to the first visible row
    int column;  // index into the columns
    PaneRect cell;
};
// The row and column under a client point; 0 when none.
int HitListCell(const Pane& view, const ColumnDef* columns, int controlCount, int x, int y,
                ListHit* hit);
// The text of a cell of control `control` of the current preset.
void ListCellText(const ColumnDef& column, int control, char* out, int size);
