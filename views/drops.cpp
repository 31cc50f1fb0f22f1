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

// Whether the library origin of `record` admits control `to` by its type.
static bool OriginFitsControl(const PresetControl& record, int to) {
    const LibraryControl* origin = FindLibraryControl(record.origin, nullptr, nullptr);
    if (!origin || !origin->ctrlType[0]) return true;
    return CtrlTypeFits(origin->ctrlType, gDevice.controls[to].typeName);
}

int ControlOriginFits(int bank, int preset, int from, int to) {
    BankData* data = BankDataAt(bank);
    if (!data || preset < 0 || preset >= kMaxPresets) return 1;
    if (from < 0 || from >= kMaxControls || to < 0 || to >= ControlCount()) return 1;
    return OriginFitsControl(data->presets[preset].controls[from], to) ? 1 : 0;
}

// Presets or controls of another model would put its controls into this
// one's slots (a drag may pass over a bank of another model on its way):
// message 34 names the bank they came from.
static bool SameModelAsDragSource(int bank) {
    if (!BankAt(gDrag.sourceBank) || BankModelPid(bank) == BankModelPid(gDrag.sourceBank)) {
        return true;
    }
    StatusMessage(kStrCannotCopyWrongBank, BankTitle(gDrag.sourceBank));
    return false;
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

// Message 54 for a pair of controls that do not fit each other.
static void SayWrongType(int from, int to) {
    StatusMessage2(kStrWrongControlType, gDevice.controls[from].name, gDevice.controls[to].name);
}

// A copy: every pair, both ways; message 54 for each one that does not fit.
static bool CopiedControlsFit(const int* dragged, int n, int target) {
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
            SayWrongType(from, to);
            fit = false;
        }
    }
    return fit;
}

// One exchange of a move within a preset: the controls at slots a and b.
struct ControlExchange {
    int a;
    int b;
};

// The exchanges that move the dragged controls of `record` to the target
// and the controls after it. The k-th exchange puts the k-th dragged control,
// wherever the earlier ones left it, on target + k, so that a control that
// reached its place is never moved again, however the dragged controls and
// their targets overlap; the control it displaces takes its slot. An
// exchange that a controller number refuses is left out, as SwapControls
// would leave it; the first one left out is kept in *refused.
static int PlanControlMove(const PresetRecord& record, const int* dragged, int n, int target,
                           ControlExchange* out, uint8_t* arrived, ControlExchange* refused) {
    *refused = {-1, -1};
    int slotOf[kMaxControls];  // where each control of the preset is now
    int heldBy[kMaxControls];  // which control each slot holds now
    for (int i = 0; i < kMaxControls; i++) slotOf[i] = heldBy[i] = i;
    std::memset(arrived, 0, kMaxControls);
    int count = 0;
    for (int k = 0; k < n; k++) {
        int to = target + k;
        if (to >= ControlCount()) break;
        int moved = dragged[k];
        int at = slotOf[moved];
        int displaced = heldBy[to];
        if (at == to) {
            arrived[to] = 1;
            continue;
        }
        if (!ControlAcceptsCc(to, record.controls[moved].midiCc) ||
            !ControlAcceptsCc(at, record.controls[displaced].midiCc)) {
            if (refused->a < 0) *refused = {moved, to};
            continue;
        }
        out[count++] = {at, to};
        arrived[to] = 1;
        heldBy[to] = moved;
        slotOf[moved] = to;
        heldBy[at] = displaced;
        slotOf[displaced] = at;
    }
    return count;
}

// A move: every exchange, both ways; message 54 for each one that does not fit.
static bool MovedControlsFit(const PresetRecord& record, const ControlExchange* plan, int count) {
    PresetControl slots[kMaxControls];
    std::memcpy(slots, record.controls, sizeof slots);
    bool fit = true;
    for (int i = 0; i < count; i++) {
        const ControlExchange& e = plan[i];
        if (!OriginFitsControl(slots[e.a], e.b) || !OriginFitsControl(slots[e.b], e.a)) {
            SayWrongType(e.a, e.b);
            fit = false;
        }
        PresetControl held = slots[e.a];
        slots[e.a] = slots[e.b];
        slots[e.b] = held;
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
    const PresetRecord* source = PresetAt(gDrag.sourceBank, gDrag.sourcePreset);
    if (n == 0 || !source) return 0;
    if (!CheckWritable(bank) || !SameModelAsDragSource(bank)) return 0;
    bool copy = gDrag.copyMode || !samePreset;
    ControlExchange plan[kMaxControls];
    uint8_t arrived[kMaxControls];
    ControlExchange refused;
    int exchanges = copy ? 0 : PlanControlMove(*source, dragged, n, target, plan, arrived, &refused);
    const bool fit = copy ? CopiedControlsFit(dragged, n, target)
                          : MovedControlsFit(*source, plan, exchanges);
    if (!fit) return 0;
    // A drop that would transfer nothing because no target takes the
    // controller number it brings (a knob's CC onto a pad) is a wrong type
    // of control too: said, and nothing changes. Partial drops go on.
    if (copy) {
        refused = {dragged[0], target};
        for (int k = 0; k < n && target + k < ControlCount(); k++) {
            if (ControlAcceptsCc(target + k, source->controls[dragged[k]].midiCc)) refused.a = -1;
        }
    }
    if ((copy || exchanges == 0) && refused.a >= 0) {
        SayWrongType(refused.a, refused.b);
        return 0;
    }

    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, bank, preset);
    std::memset(gSelection.controls, 0, sizeof gSelection.controls);
    int written = 0;
    if (copy) {
        // Read from a copy: within one preset a target may be a dragged
        // control that is still to be copied.
        PresetControl sources[kMaxControls];
        std::memcpy(sources, source->controls, sizeof sources);
        for (int k = 0; k < n && target + k < ControlCount(); k++) {
            if (!PlaceControl(sources[dragged[k]], bank, preset, target + k)) continue;
            gSelection.controls[target + k] = 1;
            written++;
        }
    } else {
        for (int i = 0; i < exchanges; i++) {
            if (SwapControls(bank, preset, plan[i].a, bank, preset, plan[i].b)) written++;
        }
        std::memcpy(gSelection.controls, arrived, sizeof arrived);
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
    PressSelectControl(target, 0);
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

// Whether the selected presets are one unbroken run that begins at first.
static bool OneRunFrom(const uint8_t* selected, int first) {
    if (first < 0 || FirstSelected(selected, kMaxPresets) != first) return false;
    int end = first;
    while (end < kMaxPresets && selected[end]) end++;
    return FirstSelected(selected + end, kMaxPresets - end) < 0;
}

int DropPresetsOnBank(int target) {
    BankEntry* entry = BankAt(target);
    int start = gDrag.sourcePreset;
    if (!entry || start < 0) return 0;
    // Moved back onto the bank they came from, already standing in one run
    // from where the drag started: nothing to do. Presets with gaps between
    // them are gathered from there.
    if (target == gDrag.sourceBank && !gDrag.copyMode && OneRunFrom(gSelection.savedPresets, start)) {
        return 0;
    }
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
    // The presets come over; the target stays the bank it is.
    const BankOwnFields own = KeepOwnFields(*to->data);
    CopyBank(target, source);
    RestoreOwnFields(own, to->data);
    FinishUndoStep();
    if (target != gBanks.current) {
        gShellHooks.showOtherBank(target);
    } else {
        gShellHooks.showBank(target);
    }
    RepaintBankViews();
    if (to->kind == BankKind::Device && CanStartSendingOrSay() && CanSendCurrentBank() &&
        gShellHooks.confirmWholeBankSend(target)) {
        SendCurrentBank();
    }
    return 1;
}
