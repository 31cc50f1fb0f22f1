// The "Controls" list of the library window: choosing a library control and
// dragging it to the device view.
#include "views/library_controls_pane.h"

#include "devices/library_list.h"
#include "views/drag.h"
#include "views/in_place_edit.h"
#include "views/library_files_pane.h"
#include "views/list_rows.h"
#include "views/view_platform.h"

LibraryControlsPane gLibraryControlsPane;

const LibraryData* CurrentListedLibrary() {
    if (!LibraryListed(gLibraryList.current)) return nullptr;
    return gLibraryList.entries[gLibraryList.current].data;
}

int LibraryControlsPane::Mouse(PaneWindow, int x, int y, int message, int) {
    int row = ListRowAt(*this, x, y);
    if (row < 0) return kMouseNotHandled;
    const LibraryData* library = CurrentListedLibrary();
    int rows = library ? library->controlCount : 0;
    if (message == kLeftUp) {
        // A drop back onto the library does nothing.
        if (gDrag.dragging) {
            EndDrag();
            return kMouseHandled;
        }
        return kMouseNotHandled;
    }
    if (message != kLeftDown) return kMouseNotHandled;
    CommitInPlaceEditors();
    if (row >= rows) return kMouseHandled;
    current = row;
    InvalidatePane(*this);
    // The drag ends over the main window: its cursor changes too, and the
    // pointer must be free to leave this window.
    ArmDrag(this, gLibraryList.current, 0, row, 1, 0);
    return kMouseHandled;
}
