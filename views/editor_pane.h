// EditorPane: the body of the control editor window, showing one of its tabs.
#pragma once

#include "views/pane.h"

class EditorPane : public Pane {
public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern EditorPane gEditorPane;
