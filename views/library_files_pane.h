// LibraryFilesPane: the library window's list of control libraries, "Files".
// A library found in a device folder is listed only while a device bank of
// its PID is open; rows number the listed libraries only.
#pragma once

#include "views/pane.h"

class LibraryFilesPane : public Pane {
  public:
    void Paint(PaneDc dc) override;
    int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) override;
};

extern LibraryFilesPane gLibraryFilesPane;

// Whether library-list entry `library` is listed now.
int LibraryListed(int library);
// The number of listed libraries.
int LibraryFilesRowCount();
// The library-list entry of listed row `row`, -1 when none.
int LibraryFilesEntryAt(int row);
// The listed row of library-list entry `library`, -1 when it is not listed.
int LibraryFilesRowOf(int library);
