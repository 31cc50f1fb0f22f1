// The drops: what a released drag does to the banks. Each drop checks its
// target first, takes its undo snapshot, changes the bank, and then moves
// the views' current items to what it changed.
#include "views/drops.h"

#include <cstring>

#include "banks/bank_model.h"
#include "base/messages.h"
#include "devices/control_library.h"
#include "devices/device_definition.h"
#include "devices/library_list.h"
#include "views/drag.h"
#include "banks/undo_history.h"
#include "midi/transfer_engine.h"
#include "base/shell_hooks.h"
#include "views/bank_selection.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/library_controls_pane.h"
#include "views/list_rows.h"
#include "views/presets_pane.h"
#include "views/view_platform.h"

// After a drop: the lists show changed banks and presets in bold, and
// Upload to Device follows the changes.
static void RepaintBankViews() {
    InvalidatePane(gDevicesPane);
    InvalidatePane(gPresetsPane);
    InvalidatePane(gDeviceView);
    UpdateTransferMenu();
}

int ControlOriginFits(int bank, int preset, int from, int to) {
    BankData* data = BankDataAt(bank);
    if (!data || preset < 0 || preset >= kMaxPresets) return 1;
    if (from < 0 || from >= kMaxControls || to < 0 || to >= ControlCount()) return 1;
    const LibraryControl* origin =
        FindLibraryControl(data->presets[preset].controls[from].origin, nullptr, nullptr);
    if (!origin || !origin->ctrlType[0]) return 1;
    return CtrlTypeFits(origin->ctrlType, gDevice.controls[to].typeName) ? 1 : 0;
}

// --- Controls ------------------------------------------------------------------

// The dragged controls in index order: the one pressed, or the selection
// taken when the drag started.
static int DraggedControls(int* out) {
    if (gDrag.count <= 1) {
        if (gDrag.count < 1) return 0;
        out[0] = gDrag.sourceControl;
        return 1;
    }
    int n = 0;
    for (int i = 0; i < kMaxControls; i++) {
        if (gDrag.selection[i]) out[n++] = i;
    }
    return n;
}

static void SelectControlAlone(int control) {
    std::memset(gSelection.controls, 0, sizeof gSelection.controls);
    if (control >= 0 && control < kMaxControls) gSelection.controls[control] = 1;
    SetCurrentControl(control);
}

// Every pair, both ways: message 54 for each one that does not fit.
static bool DraggedControlsFit(const int* dragged, int n, int target) {
    int bank = gBanks.current;
    int preset = gBanks.currentPreset;
    bool fit = true;
    for (int k = 0; k < n; k++) {
        int from = dragged[k];
        int to = target + k;
        if (to >= ControlCount()) break;
        bool there = ControlOriginFits(gDrag.sourceBank, gDrag.sourcePreset, from, to);
        bool back = ControlOriginFits(bank, preset, to, from);
        if (!there || !back) {
            StatusMessage2(kStrWrongControlType, gDevice.controls[from].name,
                           gDevice.controls[to].name);
            fit = false;
        }
    }
    return fit;
}

int DropControls(int target) {
    int bank = gBanks.current;
    int preset = gBanks.currentPreset;
    if (target < 0 || target >= ControlCount() || !BankDataAt(bank)) return 0;
    bool samePreset = gDrag.sourceBank == bank && gDrag.sourcePreset == preset;
    if (samePreset && target == gDrag.sourceControl) {
        SelectControlAlone(target);
        InvalidatePane(gDeviceView);
        return 0;
    }
    int dragged[kMaxControls];
    int n = DraggedControls(dragged);
    if (n == 0) return 0;
    if (!CheckWritable(bank)) return 0;
    if (!DraggedControlsFit(dragged, n, target)) return 0;

    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, bank, preset);
    bool copy = gDrag.copyMode || !samePreset;
    // Moving right, the last control goes first so that a control is never
    // exchanged again after it reached its place (and likewise to the left).
    bool backwards = !copy && target > dragged[0];
    std::memset(gSelection.controls, 0, sizeof gSelection.controls);
    int written = 0;
    for (int step = 0; step < n; step++) {
        int k = backwards ? n - 1 - step : step;
        int to = target + k;
        if (to >= ControlCount()) continue;
        bool done =
            copy ? CopyControl(gDrag.sourceBank, gDrag.sourcePreset, dragged[k], bank, preset, to)
                 : SwapControls(bank, preset, dragged[k], bank, preset, to);
        if (done) {
            gSelection.controls[to] = 1;
            written++;
        }
    }
    FinishUndoStep();
    if (written == 0) gSelection.controls[target] = 1;
    SetCurrentControl(FirstSelected(gSelection.controls, ControlCount()));
    LibraryFollow();
    RepaintBankViews();
    return written > 0 ? 1 : 0;
}

int DropLibraryControl(int target) {
    int bank = gBanks.current;
    int preset = gBanks.currentPreset;
    int library = gDrag.sourceBank;
    if (library < 0 || library >= gLibraryList.count || target < 0 || target >= ControlCount()) {
        return 0;
    }
    const LibraryData* data = gLibraryList.entries[library].data;
    int index = gDrag.sourceControl;
    if (!data || index < 0 || index >= data->controlCount || !BankDataAt(bank)) return 0;
    if (!CheckWritable(bank)) return 0;
    // The checks ApplyLibraryControl makes, before the undo step, so that a
    // refused drop leaves no step behind.
    if (!LibraryFitsDevice(*data) || !LibraryControlFits(data->controls[index], target)) return 0;
    RecordUndoSnapshot(UndoKind::LibraryAssignment, UndoScope::Preset, bank, preset);
    SelectControlAlone(target);
    int applied = ApplyLibraryControl(data, index, bank, preset, target);
    FinishUndoStep();
    LibraryFollow();
    RepaintBankViews();
    return applied;
}

int DropOnControl(int target) {
    if (gDrag.sourcePane == &gDeviceView) return DropControls(target);
    if (gDrag.sourcePane == &gLibraryControlsPane) return DropLibraryControl(target);
    return 0;
}

// --- Presets and banks ---------------------------------------------------------

// Puts the dragged presets of the source bank into `bank` from `start`:
// exchanged within one bank without Ctrl, copied otherwise. The written
// presets become the selection.
static int PlaceDraggedPresets(int bank, int start) {
    std::memcpy(gSelection.presets, gSelection.savedPresets, sizeof gSelection.presets);
    bool move = gDrag.sourceBank == bank && !gDrag.copyMode;
    int placed = move ? SwapSelectedPresets(gDrag.sourceBank, bank, start)
                      : PasteSelectedPresets(gDrag.sourceBank, bank, start);
    std::memset(gSelection.presets, 0, sizeof gSelection.presets);
    for (int i = 0; i < placed && start + i < kMaxPresets; i++) gSelection.presets[start + i] = 1;
    if (placed == 0 && start >= 0 && start < kMaxPresets) gSelection.presets[start] = 1;
    return placed;
}

// Presets of another model would put its controls into this one's slots:
// message 34 names the bank they came from.
static bool SameModelAsDragSource(int bank) {
    if (!BankAt(gDrag.sourceBank) || BankModelPid(bank) == BankModelPid(gDrag.sourceBank)) {
        return true;
    }
    StatusMessage(kStrCannotCopyWrongBank, BankTitle(gDrag.sourceBank));
    return false;
}

int DropPresetsOnPreset(int target) {
    int bank = gBanks.current;
    if (target < 0 || target >= ShownPresetCount()) return 0;
    if (gDrag.sourceBank == bank && gDrag.sourcePreset == target) return 0;
    if (!CheckWritable(bank)) return 0;
    // The drag may have passed over a bank of another model on its way here.
    if (!SameModelAsDragSource(bank)) return 0;
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Bank, bank, 0);
    int placed = PlaceDraggedPresets(bank, target);
    FinishUndoStep();
    SelectPreset(target);
    RepaintBankViews();
    return placed > 0 ? 1 : 0;
}

int DropPresetsOnBank(int target) {
    BankEntry* entry = BankAt(target);
    int start = gDrag.sourcePreset;
    if (!entry || start < 0) return 0;
    // Moved back onto the bank they came from, at the preset they came from:
    // nothing to do.
    if (target == gDrag.sourceBank && !gDrag.copyMode) return 0;
    if (!CheckWritable(target)) return 0;
    if (!SameModelAsDragSource(target)) return 0;
    if (target != gBanks.current) gShellHooks.showOtherBank(target);
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Bank, target, 0);
    int placed = PlaceDraggedPresets(target, start);
    // Ended before the send, which reads the change state it sets.
    FinishUndoStep();
    SelectPreset(start);
    RepaintBankViews();
    if (placed > 0 && entry->kind == BankKind::Device) SendChanges();
    return placed > 0 ? 1 : 0;
}

int DropBankOnBank(int target) {
    int source = gDrag.sourceBank;
    BankEntry* to = BankAt(target);
    BankEntry* from = BankAt(source);
    if (!to || !from || target == source) return 0;
    if (!CheckWritable(target)) return 0;
    if (BankModelPid(target) != BankModelPid(source)) {
        StatusMessage(kStrCannotCopyWrongBank, BankTitle(source));
        return 0;
    }
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Bank, target, 0);
    CopyBank(target, source);
    FinishUndoStep();
    if (target != gBanks.current) {
        gShellHooks.showOtherBank(target);
    } else {
        gShellHooks.showBank(target);
    }
    RepaintBankViews();
    if (to->kind == BankKind::Device && CanSendCurrentBank() && gShellHooks.confirmWholeBankSend(target)) {
        SendCurrentBank();
    }
    return 1;
}
