// The "Files" list of the library window: which libraries are listed, and
// choosing one.
#include "views/library_files_pane.h"

#include "banks/bank_model.h"
#include "devices/library_list.h"
#include "views/in_place_edit.h"
#include "views/library_controls_pane.h"
#include "views/list_rows.h"
#include "views/view_platform.h"

LibraryFilesPane gLibraryFilesPane;

int LibraryListed(int library) {
    if (library < 0 || library >= gLibraryList.count) return 0;
    const LibraryListEntry& entry = gLibraryList.entries[library];
    if (!entry.data) return 0;
    // A device folder's own library is of use only while that device's bank
    // is open.
    if (entry.source == kLibrarySourceDevices) {
        return FindDeviceBankByPid(entry.data->pid) >= 0 ? 1 : 0;
    }
    return 1;
}

int LibraryFilesRowCount() {
    int rows = 0;
    for (int i = 0; i < gLibraryList.count; i++) rows += LibraryListed(i);
    return rows;
}

int LibraryFilesEntryAt(int row) {
    if (row < 0) return -1;
    for (int i = 0; i < gLibraryList.count; i++) {
        if (!LibraryListed(i)) continue;
        if (row == 0) return i;
        row--;
    }
    return -1;
}

int LibraryFilesRowOf(int library) {
    if (!LibraryListed(library)) return -1;
    int row = 0;
    for (int i = 0; i < library; i++) row += LibraryListed(i);
    return row;
}

int LibraryFilesPane::Mouse(PaneWindow, int x, int y, int message, int) {
    int row = ListRowAt(*this, x, y);
    if (row < 0) return kMouseNotHandled;
    if (message == kRightDown) return kMouseHandled;
    if (message != kLeftDown) return kMouseNotHandled;
    CommitInPlaceEditors();
    int library = LibraryFilesEntryAt(row);
    if (library < 0) return kMouseHandled;
    gLibraryList.current = library;
    current = row;
    gLibraryControlsPane.current = 0;
    gLibraryControlsPane.vertical.position = 0;
    InvalidatePane(*this);
    InvalidatePane(gLibraryControlsPane);
    return kMouseHandled;
}
