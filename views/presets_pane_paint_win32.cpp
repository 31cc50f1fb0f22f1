// Painting the presets list: numbered rows, the selected presets
// highlighted, a changed preset's name in bold; the title strip carries the
// icon of the bank's kind.
#include <windows.h>

#include <cstdio>

#include "banks/bank_model.h"
#include "views/devices_pane.h"
#include "views/list_rows.h"
#include "views/list_rows_win32.h"
#include "views/pane_frame.h"
#include "views/presets_pane.h"

void PresetsPane::Paint(PaneDc dc) {
    const BankData* data = BankDataAt(gBanks.current);
    DrawPaneFrame(dc, *this, data ? BankRowIcon(gBanks.current) : kNoFileIcon, 1);
    if (listMode || !data) return;
    int total = ShownPresetCount();
    int shown = BeginListPaint(*this, total, gBanks.currentPreset);
    for (int i = 0; i < shown; i++) {
        int preset = vertical.position + i;
        const PresetRecord& record = data->presets[preset];
        int top = ListRowTop(*this, i);
        int selected = gSelection.presets[preset] != 0;
        int right = rect.x + rect.width - 4;
        if (selected) FillListRow(dc, rect.x + 2, right, top);
        char number[16];
        std::snprintf(number, sizeof number, "%d:", preset + 1);
        DrawListRowText(dc, rect.x + 2, rect.x + kPresetNumberRight, top, number, selected, 0, 1);
        DrawListRowText(dc, rect.x + kPresetNameLeft, right, top, record.name, selected,
                        record.changed != 0, 0);
    }
    FinishListPaint(*this, total);
}
