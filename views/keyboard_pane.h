// KeyboardPane: the keyboard zone editor under the graphic view of a device
// with zones: the device's keyboard with one translucent bar per zone. A
// click picks a zone, a drag moves it or one of its edges, a double click
// switches it on or off.
#pragma once

#include "views/pane.h"

class KeyboardPane : public Pane {
  public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern KeyboardPane gKeyboardPane;

// 1 when the pane is part of the main window now: the device has zones and
// the graphic view is shown.
int KeyboardPaneShown();

// The main window lost the mouse capture (another window took it, so the
// button's release will not come here): a zone drag ends where it is.
void KeyboardPaneCaptureLost();
// The keyboard's picture is built again (the window was resized): a zone drag
// ends where it is, counted as a change when it moved the zone.
void EndZoneDrag();
// Bank `index` was replaced whole from outside (a download landed): a zone
// drag on it is let go, the notes staying as the device sent them; one on
// another bank goes on, under an undo step of its own.
void ZoneDragAfterBankReplaced(int index);
