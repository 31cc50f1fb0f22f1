// Painting the library window's "Controls" list: the current library's
// controls by name, the pane's current row highlighted.
#include <windows.h>

#include "devices/control_library.h"
#include "views/library_controls_pane.h"
#include "views/list_rows.h"
#include "views/list_rows_win32.h"
#include "views/pane_frame.h"

void LibraryControlsPane::Paint(PaneDc dc) {
    DrawPaneFrame(dc, *this, kNoFileIcon, 1);
    const LibraryData* library = CurrentListedLibrary();
    if (listMode || !library) return;
    int total = library->controlCount;
    if (total > kLibrarySlots) total = kLibrarySlots;
    int shown = BeginListPaint(*this, total, current);
    int left = rect.x + 2;
    int right = rect.x + rect.width - 4;
    for (int i = 0; i < shown; i++) {
        int row = vertical.position + i;
        int top = ListRowTop(*this, i);
        int highlighted = row == current;
        if (highlighted) FillListRow(dc, left, right, top);
        DrawListRowText(dc, left, right, top, library->controls[row].name, highlighted, 0, 0);
    }
    FinishListPaint(*this, total);
}
