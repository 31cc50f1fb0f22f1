// LibraryFilesPane: the library window's list of control libraries, "Files".
#pragma once

#include "views/pane.h"

class LibraryFilesPane : public Pane {
public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern LibraryFilesPane gLibraryFilesPane;
