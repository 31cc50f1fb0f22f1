// LibraryControlsPane: the controls of the current library, "Controls".
#pragma once

#include "views/pane.h"

class LibraryControlsPane : public Pane {
public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern LibraryControlsPane gLibraryControlsPane;
