// LibraryControlsPane: the controls of the current library, "Controls".
// They are dragged from here onto the controls of the device view.
#pragma once

#include "views/pane.h"

struct LibraryData;

class LibraryControlsPane : public Pane {
  public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern LibraryControlsPane gLibraryControlsPane;

// The current library's contents when it is listed, else null.
const LibraryData* CurrentListedLibrary();
