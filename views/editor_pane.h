// EditorPane: the body of the control editor window, showing one of its tabs
// (Control Details, Extra Variables, Zone Data) with the zone buttons below.
#pragma once

#include "views/pane.h"

class EditorPane : public Pane {
  public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern EditorPane gEditorPane;

// Tab and Shift+Tab in the control editor window: the next field, variable or
// zone field of the shown tab becomes current (wrapping around).
void EditorPaneTabKey(int backwards);

// Repaints the pane and the zone buttons under it.
void RepaintEditorPane();

// Repaints the main window's transfer buttons (send, upload, download and
// refresh), whose look follows the transfer engine's enable rules.
void RefreshTransferButtons();

// Counts an edit of preset `preset` of bank `bank` made in the control
// editor or on the keyboard: the preset and the bank become changed, so the
// edit is offered for saving at Quit and sent by Upload to Device, and the
// lists, the upload button and the transfer menu show it.
void CountPresetEdit(int bank, int preset);
