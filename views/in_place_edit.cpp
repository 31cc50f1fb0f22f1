// The in-place editors' life: open over a cell, Enter stores, the close
// destroys and repaints. Only one value editor and one renamer exist; a new
// start closes the running one first.
#include "views/in_place_edit.h"

#include <initializer_list>

#include "banks/bank_model.h"
#include "views/edit_value.h"
#include "views/in_place_edit_platform.h"
#include "views/renamer.h"
#include "midi/transfer_engine.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/edit_windows.h"
#include "views/editor_pane.h"
#include "views/list_rows.h"
#include "views/pane_scroll.h"
#include "views/presets_pane.h"
#include "views/view_platform.h"

namespace {

constexpr int kBankNameInset = 16;  // the bank list's icon column
constexpr int kPresetNameInset = 12;

// The cell of `row` in a list, when the caller gives no rectangle.
PaneRect CellOfRow(const Pane& list, int row, int leftInset) {
    int right = list.rect.x + list.rect.width;
    if (list.vertical.total > list.vertical.page) right -= ScrollBarWidth();
    PaneRect cell;
    cell.x = list.rect.x + leftInset;
    // One pixel above the row's text, as the lists draw their rows.
    cell.y = (row - list.vertical.position) * kPaneRowHeight + list.rect.y + kPaneRowInset - 1;
    cell.width = right - cell.x;
    cell.height = InPlaceEditLineHeight();
    return cell;
}

void RepaintAfterEdit() {
    for (Pane* pane : {static_cast<Pane*>(&gDeviceView), static_cast<Pane*>(&gEditorPane),
                       static_cast<Pane*>(&gPresetsPane), static_cast<Pane*>(&gDevicesPane)}) {
        if (pane->window) InvalidatePane(*pane);
    }
    UpdateTransferMenu();  // a changed device bank can now be sent
}

void CloseEditValue() {
    if (!gEditValue.active) return;
    gEditValue.active = 0;  // first: destroying the control takes its focus away
    PaneWindow edit = gEditValue.edit;
    gEditValue.edit = nullptr;
    gEditValueWindow = nullptr;
    DestroyInPlaceEditControl(edit);
    RepaintAfterEdit();
}

void CloseRenamer() {
    if (!gRenamer.active) return;
    gRenamer.active = 0;
    PaneWindow edit = gRenamer.edit;
    gRenamer.edit = nullptr;
    gRenamerWindow = nullptr;
    DestroyInPlaceEditControl(edit);
    RepaintAfterEdit();
}

// The bank an editor was opened on, found again by its serial: the bank list
// may have changed under it (a device that went away, a deletion undone), and
// the text typed belongs to that bank or to none. False when it is gone.
bool FindEditedBank(int* bank, int32_t serial) {
    int index = FindBankBySerial(serial);
    if (index < 0) return false;
    *bank = index;
    return true;
}

}  // namespace

void BeginEditValue(const Pane* list, PaneWindow parent, int bank, int preset, int control,
                    int field, int zone, int format, const PaneRect* rect) {
    CloseEditValue();
    if (!BankAt(bank) || !CheckWritable(bank)) return;
    EditValueState state;
    if (!EditValuePrepare(&state, bank, preset, control, field, zone, format)) return;
    int32_t* value = EditValueTarget(state);
    if (!value) return;
    state.bankSerial = BankSerial(bank);
    if (rect) {
        state.rect = *rect;
    } else if (list) {
        state.rect = CellOfRow(*list, control >= 0 ? control : field, 0);
    } else {
        return;
    }
    char text[sizeof state.shown];
    FormatEditValue(*value, format, text, sizeof text);
    CopyText(state.shown, text);
    state.parent = parent;
    state.edit =
        OpenInPlaceEditControl(kEditValueControlId, parent, state.rect, text, kEditValueMaxChars);
    if (!state.edit) return;
    state.active = 1;
    gEditValue = state;
    gEditValueWindow = state.edit;
}

void BeginRename(const Pane* list, int row, PaneWindow parent, BankEntry* bankEntry, int bank,
                 int preset, int kind, char* text, const PaneRect* rect) {
    CloseRenamer();
    const char* current = text;
    if (bankEntry) {
        current = bankEntry->displayName;
    } else if (!text || !BankAt(bank) || !CheckWritable(bank)) {
        return;
    }
    RenamerState state;
    if (rect) {
        state.rect = *rect;
    } else if (list) {
        int inset =
            list == &gDevicesPane ? kBankNameInset : (list == &gPresetsPane ? kPresetNameInset : 0);
        state.rect = CellOfRow(*list, row, inset);
    } else {
        return;
    }
    state.parent = parent;
    state.bankEntry = bankEntry;
    state.bank = bank;
    state.bankSerial = BankSerial(bank);
    state.preset = preset;
    state.kind = kind;
    state.text = text;
    // A bank's file name may be longer than a typed name: offered whole, so
    // that Enter on it as it stands is no renaming.
    char shown[kDisplayNameLen];
    CopyText(shown, current);
    state.edit =
        OpenInPlaceEditControl(kRenamerControlId, parent, state.rect, shown, kRenamerMaxChars);
    if (!state.edit) return;
    state.active = 1;
    gRenamer = state;
    gRenamerWindow = state.edit;
}

void InPlaceEditEnter(int controlId) {
    char typed[kDisplayNameLen];
    if (controlId == kEditValueControlId && gEditValue.active) {
        if (!FindEditedBank(&gEditValue.bank, gEditValue.bankSerial)) return;
        InPlaceEditControlText(gEditValue.edit, typed, sizeof typed);
        EditValueStore(gEditValue, typed);
    } else if (controlId == kRenamerControlId && gRenamer.active) {
        if (!FindEditedBank(&gRenamer.bank, gRenamer.bankSerial)) return;
        if (gRenamer.bankEntry) gRenamer.bankEntry = &gBanks.entries[gRenamer.bank];
        InPlaceEditControlText(gRenamer.edit, typed, sizeof typed);
        RenamerStore(gRenamer, typed);
    }
}

void InPlaceEditClosed(int controlId) {
    if (controlId == kEditValueControlId) CloseEditValue();
    if (controlId == kRenamerControlId) CloseRenamer();
}

void CommitEditValue() {
    if (!gEditValue.active) return;
    InPlaceEditEnter(kEditValueControlId);
    CloseEditValue();
}

void CommitInPlaceEditors() {
    CommitEditValue();
    if (!gRenamer.active) return;
    InPlaceEditEnter(kRenamerControlId);
    CloseRenamer();
}

void CloseInPlaceEditors() {
    CloseEditValue();
    CloseRenamer();
}

void CloseEditorsOfReplacedBank(int index) {
    const int32_t serial = BankSerial(index);
    if (serial == 0) return;
    if (gEditValue.active && gEditValue.bankSerial == serial) CloseEditValue();
    if (gRenamer.active && gRenamer.bankSerial == serial) CloseRenamer();
}

int InPlaceEditorOpen() {
    return gEditValue.active || gRenamer.active;
}
