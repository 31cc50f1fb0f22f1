// Painting the devices list: one row per open bank, its kind's icon and its
// name, bold while the bank has unsaved changes.
#include <windows.h>

#include "banks/bank_model.h"
#include "imaging/gdi_draw_win32.h"
#include "imaging/interface_images.h"
#include "views/devices_pane.h"
#include "views/list_rows.h"
#include "views/list_rows_win32.h"
#include "views/pane_frame.h"

void DevicesPane::Paint(PaneDc dc) {
    DrawPaneFrame(dc, *this, kNoFileIcon, 1);
    if (listMode) return;
    int total = gBanks.count;
    int shown = BeginListPaint(*this, total, gBanks.current);
    for (int i = 0; i < shown; i++) {
        int bank = vertical.position + i;
        const BankEntry* entry = BankAt(bank);
        if (!entry) break;
        int top = ListRowTop(*this, i);
        int icon = BankRowIcon(bank);
        if (icon < gFileIconCount) GdiDrawRgbaImage(dc, gFileIcons[icon], rect.x + 2, top, 255);
        int left = rect.x + kBankNameLeft;
        int right = rect.x + rect.width - 2;
        int current = bank == gBanks.current;
        if (current) FillListRow(dc, left, right, top);
        DrawListRowText(dc, left, right, top, BankRowName(bank), current,
                        entry->changeCount != 0, 0);
    }
    FinishListPaint(*this, total);
}
