// The list view: one row per control of the device, the current preset's
// assignment in columns. Layout, hit test, cell texts and the mouse; the
// painting is in views/device_view_list_paint_win32.cpp.
//
// Left press on a value cell selects without arming a drag (so that a double
// click can open the value editor); on any other cell it is a graphic-view
// press. The double click opens an editor only on a row that was already
// current before the click pair began: on another row it is just a click.
#include <cstdio>
#include <cstring>

#include "banks/bank_model.h"
#include "devices/control_library.h"
#include "views/drag.h"
#include "views/drops.h"
#include "views/in_place_edit.h"
#include "views/renamer.h"
#include "views/bank_selection.h"
#include "views/column_text.h"
#include "views/comparison.h"
#include "views/device_view.h"
#include "views/editor_pane.h"
#include "views/fonts.h"
#include "views/pane_keys.h"
#include "views/pane_scroll.h"
#include "views/view_platform.h"
#include "views/view_state.h"

namespace {

// The value editor sits inside the row, clear of the grid lines.
constexpr int kValueEditorInset = 3;

int BarShown(const Pane& view) {
    return view.vertical.total > view.vertical.page;
}

// The row (with the scroll position) and the cell under a client point.
int ListRowAt(const Pane& view, int x, int y, ListHit* hit) {
    LayoutListColumns(view, BarShown(view), ListColumns);
    if (!HitListCell(view, ListColumns, ControlCount() - view.vertical.position, x, y, hit)) {
        return -1;
    }
    return hit->row + view.vertical.position;
}

void RepaintSelection() {
    InvalidatePane(gDeviceView);
    if (gEditorPane.window) InvalidatePane(gEditorPane);
}

void OnListPress(DeviceView& view, int row, const ListHit& hit, int keyFlags) {
    SetFocusPane(&view, keyFlags);
    CommitInPlaceEditors();
    view.listPressRow = row;
    view.listPressWasCurrent = row == gBanks.currentControl;
    if (ListColumns[hit.column].kind == kColumnValue) {
        if (row == gBanks.currentControl || (keyFlags & kKeyFlagControl)) return;
        PressSelectControl(row, keyFlags);
        RepaintSelection();
        LibraryFollow();
        return;
    }
    if (!(keyFlags & kKeyFlagControl)) {
        PressSelectControl(row, keyFlags);
        RepaintSelection();
        LibraryFollow();
    }
    ArmDrag(&view, gBanks.current, gBanks.currentPreset, row, 0, 1);
}

void OnListRelease(int row, int keyFlags) {
    if (gDrag.dragging) {
        EndDrag();
        DropOnControl(row);
        RepaintSelection();
        return;
    }
    ReleaseSelectControl(row, keyFlags);
    RepaintSelection();
    LibraryFollow();
    UpdateViewMenu();
}

void OpenCellEditor(PaneWindow window, int row, const ListHit& hit) {
    const ColumnDef& column = ListColumns[hit.column];
    BankData* data = BankDataAt(gBanks.current);
    if (!data || gBanks.currentPreset < 0 || gBanks.currentPreset >= kMaxPresets) return;
    if (column.kind == kColumnValue) {
        PaneRect cell = hit.cell;
        cell.y += kValueEditorInset;
        cell.height -= 2 * kValueEditorInset;
        BeginEditValue(&gDeviceView, window, gBanks.current, gBanks.currentPreset, row,
                       column.subkind, 0, 0, &cell);
    } else if (column.kind == kColumnComment) {
        char* comment = data->presets[gBanks.currentPreset].controls[row].desc;
        BeginRename(&gDeviceView, row, window, nullptr, gBanks.current, gBanks.currentPreset,
                    kRenameKindEdit, comment, &hit.cell);
    }
}

}  // namespace

int ListHeaderHeight() {
    return gFontMetrics[kFontPanelBold].height + 2;
}

void LayoutListColumns(const Pane& view, int barShown, ColumnDef* columns) {
    int left = view.rect.x + 2;
    int width = view.rect.width - 4;
    if (barShown) width -= ScrollBarWidth() - 1;
    int x = left;
    for (int i = 0; i < kColumnCount; ++i) {
        ColumnDef& column = columns[i];
        column.x = x;
        column.y = view.rect.y + 2;
        if (!column.visible) {
            column.width = 0;
            continue;
        }
        int remaining = left + width - x;
        if (remaining < 0) remaining = 0;
        // While comparing, value columns make room for the other value.
        int nominal = column.nominalWidth + ComparisonColumnExtra(column);
        column.width = nominal < remaining ? nominal : remaining;
        x += column.width;
    }
}

int ListVisibleRows(const Pane& view, int controlCount) {
    int rows = (view.rect.height - 2 - ListHeaderHeight()) / kListViewRowHeight;
    if (rows < 0) rows = 0;
    return rows < controlCount ? rows : controlCount;
}

int HitListCell(const Pane& view, const ColumnDef* columns, int controlCount, int x, int y,
                ListHit* hit) {
    int offset = y - view.rect.y - ListHeaderHeight() - 2;
    if (offset < 0) return 0;
    int row = offset / kListViewRowHeight;
    if (row >= controlCount || row >= ListVisibleRows(view, kMaxControls)) return 0;
    for (int i = 0; i < kColumnCount; ++i) {
        const ColumnDef& column = columns[i];
        if (!column.visible || column.width <= 0) continue;
        if (column.x <= x && x < column.x + column.width) {
            hit->row = row;
            hit->column = i;
            int top = view.rect.y + ListHeaderHeight() + 2 + row * kListViewRowHeight;
            hit->cell = PaneRect{column.x + 2, top, column.width - 4, kListViewRowHeight};
            return 1;
        }
    }
    return 0;
}

void ListCellText(const ColumnDef& column, int control, char* out, int size) {
    out[0] = '\0';
    const BankData* data = BankDataAt(gBanks.current);
    if (!data || gBanks.currentPreset < 0 || gBanks.currentPreset >= kMaxPresets) return;
    ColumnCellText(column, control, data->presets[gBanks.currentPreset], out, size);
}

int DeviceView::ListMouse(PaneWindow window, int x, int y, int message, int keyFlags) {
    if (message == kMouseMove) return kMouseNotHandled;
    ListHit hit = {};
    int row = ListRowAt(*this, x, y, &hit);
    if (row < 0) {
        if (message == kLeftUp && gDrag.dragging) return kMouseNotHandled;
        return x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height
                   ? kMouseHandled
                   : kMouseNotHandled;
    }
    switch (message) {
        case kLeftDown:
            OnListPress(*this, row, hit, keyFlags);
            break;
        case kLeftUp:
            OnListRelease(row, keyFlags);
            break;
        case kRightDown:
            if (row == gBanks.currentControl) CheckWritable(gBanks.current);
            break;
        case kLeftDoubleClick: {
            int wasCurrent =
                row == gBanks.currentControl && !(row == listPressRow && !listPressWasCurrent);
            if (!wasCurrent) {
                OnListPress(*this, row, hit, keyFlags);  // only what a click does
                break;
            }
            if (!CheckWritable(gBanks.current)) break;
            OpenCellEditor(window, row, hit);
            break;
        }
        default:
            break;
    }
    return kMouseHandled;
}
