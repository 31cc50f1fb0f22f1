// Painting the library window's "Files" list: the listed libraries by name,
// the current one highlighted.
#include <windows.h>

#include "devices/library_list.h"
#include "views/library_files_pane.h"
#include "views/list_rows.h"
#include "views/list_rows_win32.h"
#include "views/pane_frame.h"

void LibraryFilesPane::Paint(PaneDc dc) {
    DrawPaneFrame(dc, *this, kNoFileIcon, 1);
    if (listMode) return;
    int total = LibraryFilesRowCount();
    int currentRow = LibraryFilesRowOf(gLibraryList.current);
    int shown = BeginListPaint(*this, total, currentRow);
    int left = rect.x + 2;
    int right = rect.x + rect.width - 4;
    for (int i = 0; i < shown; i++) {
        int row = vertical.position + i;
        int library = LibraryFilesEntryAt(row);
        if (library < 0) break;
        int top = ListRowTop(*this, i);
        int highlighted = row == currentRow;
        if (highlighted) FillListRow(dc, left, right, top);
        DrawListRowText(dc, left, right, top, gLibraryList.entries[library].displayName,
                        highlighted, 0, 0);
    }
    FinishListPaint(*this, total);
}
