// The presets list's mouse: the preset selection with Ctrl and Shift, the
// current preset, renaming, and dropping presets onto presets.
#include "views/presets_pane.h"

#include <cstring>

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "views/drag.h"
#include "views/drops.h"
#include "views/in_place_edit.h"
#include "views/bank_selection.h"
#include "views/list_rows.h"
#include "views/pane_keys.h"
#include "views/view_platform.h"

PresetsPane gPresetsPane;

int ShownPresetCount() {
    if (!BankAt(gBanks.current)) return 0;
    int count = gDevice.presetCount;
    if (count < 0) return 0;
    return count < kMaxPresets ? count : kMaxPresets;
}

int CurrentBankWritable() {
    const BankEntry* entry = BankAt(gBanks.current);
    if (!entry || !entry->data) return 0;
    return entry->kind != BankKind::Rom && !entry->data->readOnly;
}

void RenameCurrentPreset() {
    int preset = gBanks.currentPreset;
    if (!CurrentBankWritable() || preset < 0 || preset >= ShownPresetCount()) return;
    ScrollListToRow(gPresetsPane, preset, ShownPresetCount());
    BankData* data = BankDataAt(gBanks.current);
    BeginRename(&gPresetsPane, preset, gPresetsPane.window, nullptr, gBanks.current, preset, 0,
                data->presets[preset].name, nullptr);
}

static void OnPresetPress(PresetsPane& pane, int preset, int keyFlags) {
    PressSelect(gSelection.presets, ShownPresetCount(), preset, keyFlags);
    SelectPreset(preset);
    ArmDrag(&pane, gBanks.current, preset, 0, 0, 0);
}

static void OnPresetRelease(PresetsPane& pane, int preset, int keyFlags) {
    if (gDrag.dragging) {
        Pane* source = gDrag.sourcePane;
        EndDrag();
        if (source == &pane && preset < ShownPresetCount()) DropPresetsOnPreset(preset);
        return;
    }
    if (preset >= ShownPresetCount()) return;
    ReleaseSelect(gSelection.presets, ShownPresetCount(), preset, keyFlags);
    if (!(keyFlags & (kKeyFlagControl | kKeyFlagShift))) SelectPreset(preset);
    InvalidatePane(pane);
}

int PresetsPane::Mouse(PaneWindow, int x, int y, int message, int keyFlags) {
    int row = ListRowAt(*this, x, y);
    if (row < 0) return kMouseNotHandled;
    bool onPreset = row < ShownPresetCount();
    switch (message) {
        case kLeftDown:
            SetFocusPane(this, keyFlags);
            CommitInPlaceEditors();
            if (onPreset) OnPresetPress(*this, row, keyFlags);
            return kMouseHandled;
        case kLeftUp:
            OnPresetRelease(*this, row, keyFlags);
            return kMouseHandled;
        case kMouseMove:
            // Controls dragged over a preset are about to go into it: it
            // becomes the one chosen, as by a click, so that the list shows
            // the preset the views and the drop work on (and Copy, Delete
            // take that one afterwards).
            if (gDrag.dragging && gDrag.sourcePane != this && onPreset &&
                row != gBanks.currentPreset) {
                std::memset(gSelection.presets, 0, sizeof gSelection.presets);
                gSelection.presets[row] = 1;
                SelectPreset(row);
            }
            return kMouseHandled;
        case kLeftDoubleClick:
            if (onPreset && row == gBanks.currentPreset) RenameCurrentPreset();
            return kMouseHandled;
        default:
            return kMouseNotHandled;
    }
}
