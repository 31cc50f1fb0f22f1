// Copy and Paste of presets and controls.
//
// Pasting into fewer than two selected targets keeps the distances between
// the copied items: copied item i lands on start + (i - first). With no
// target selected at all the start is the current preset (or control).
// Pasting into two or more selected targets fills them in order, one copied
// item each, until either side runs out.
#include "views/clipboard.h"

#include <cstdio>
#include <cstring>

#include "base/app_state.h"
#include "base/memory.h"
#include "base/menu.h"
#include "base/messages.h"
#include "devices/device_definition.h"
#include "banks/undo_history.h"
#include "base/command_ids.h"
#include "midi/transfer_engine.h"
#include "views/bank_selection.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_pane.h"
#include "views/list_rows.h"
#include "views/pane_keys.h"
#include "views/presets_pane.h"
#include "views/view_platform.h"

PresetClipboard gClipboard;

// The information icon of a message box (the platform's value).
constexpr unsigned kMbIconInformation = 64;

static int CountFlags(const uint8_t* flags, int count) {
    int n = 0;
    for (int i = 0; i < count; i++) n += flags[i] ? 1 : 0;
    return n;
}

void ClearClipboard() {
    FreeBankData(gClipboard.bankData);
    gClipboard.bankData = nullptr;
    gClipboard.valid = 0;
    gClipboard.kind = 0;
    gClipboard.bank = 0;
    gClipboard.pid = -1;
    gClipboard.preset = 0;
    gClipboard.count = 0;
    gClipboard.first = -1;
    std::memset(gClipboard.selected, 0, sizeof gClipboard.selected);
    gClipboard.source[0] = 0;
    std::memset(&gClipboard.record, 0, sizeof gClipboard.record);
    EnableMenuCommand(kCmdPaste, 0);
}

static void TakeSelection(const uint8_t* flags, int count) {
    std::memcpy(gClipboard.selected, flags, static_cast<size_t>(count));
    gClipboard.count = CountFlags(flags, count);
    gClipboard.first = FirstSelected(flags, count);
}

void CopySelection() {
    int kind = gFocusPane == &gPresetsPane  ? kClipboardPresets
               : gFocusPane == &gDeviceView ? kClipboardControls
                                            : 0;
    if (kind == 0) return;
    ClearClipboard();
    int bank = gBanks.current;
    BankData* data = BankDataAt(bank);
    gClipboard.kind = kind;
    gClipboard.bank = bank;
    gClipboard.pid = BankModelPid(bank);
    gClipboard.preset = gBanks.currentPreset;
    if (kind == kClipboardPresets) {
        TakeSelection(gSelection.presets, ShownPresetCount());
        CopyText(gClipboard.source, BankTitle(bank));
        if (data) {
            gClipboard.bankData = AllocBankData();
            // Memory short: the allocator has said so; the clipboard stays empty.
            if (!gClipboard.bankData) return;
            std::memcpy(gClipboard.bankData, data, sizeof *data);
        }
    } else {
        TakeSelection(gSelection.controls, ControlCount());
        char source[2 * kNameLen + 8];
        const char* presetName = data ? data->presets[gBanks.currentPreset].name : "";
        std::snprintf(source, sizeof source, "%s (%s)", presetName, BankTitle(bank));
        CopyText(gClipboard.source, source);
        if (data) gClipboard.record = data->presets[gBanks.currentPreset];
    }
    gClipboard.valid = 1;
    EnableMenuCommand(kCmdPaste, 1);
}

// The targets of copied item i, in order; -1 when item i has none. `target`
// is the selection in the target, `limit` the number of target items.
static void PasteTargets(const uint8_t* target, int limit, int current, int* out) {
    for (int i = 0; i < kMaxPresets; i++) out[i] = -1;
    if (CountFlags(target, limit) < 2) {
        int start = FirstSelected(target, limit);
        if (start < 0) start = current;
        for (int i = 0; i < kMaxPresets; i++) {
            if (!gClipboard.selected[i]) continue;
            int to = start + (i - gClipboard.first);
            if (to >= 0 && to < limit) out[i] = to;
        }
        return;
    }
    int next = 0;
    for (int i = 0; i < kMaxPresets; i++) {
        if (!gClipboard.selected[i]) continue;
        while (next < limit && !target[next]) next++;
        if (next >= limit) break;
        out[i] = next++;
    }
}

static void PastePresets() {
    int bank = gBanks.current;
    BankData* data = BankDataAt(bank);
    if (!data || !CheckWritable(bank)) return;
    // Presets of another model would put its controls into this one's slots.
    if (gClipboard.pid != BankModelPid(bank)) {
        StatusMessage(kStrCannotCopyWrongBank, gClipboard.source);
        return;
    }
    RecordUndoSnapshot(UndoKind::Paste, UndoScope::Bank, bank, 0);
    int limit = ShownPresetCount();
    int targets[kMaxPresets];
    PasteTargets(gSelection.presets, limit, gBanks.currentPreset, targets);
    // Pasted from one start, the presets written become the selection; into
    // several selected presets, those stay selected, filled or not.
    if (CountFlags(gSelection.presets, limit) < 2) {
        std::memset(gSelection.presets, 0, sizeof gSelection.presets);
    }
    for (int i = 0; i < kMaxPresets && gClipboard.bankData; i++) {
        if (targets[i] < 0) continue;
        PresetRecord& to = data->presets[targets[i]];
        to = gClipboard.bankData->presets[i];
        // A pasted preset differs from what the device holds: it must show
        // as changed and go with the next Upload to Device.
        to.changed++;
        gSelection.presets[targets[i]] = 1;
    }
    BankAt(bank)->changeCount++;
    FinishUndoStep();
    int first = FirstSelected(gSelection.presets, limit);
    if (first >= 0) {
        SelectPreset(first);
    } else if (gBanks.currentPreset >= 0 && gBanks.currentPreset < limit) {
        gSelection.presets[gBanks.currentPreset] = 1;
    }
}

static void PasteControlRecords() {
    int bank = gBanks.current;
    int preset = gBanks.currentPreset;
    BankData* data = BankDataAt(bank);
    if (!data || preset < 0 || preset >= kMaxPresets || !CheckWritable(bank)) return;
    // Control i of another model is another control altogether.
    if (gClipboard.pid != BankModelPid(bank)) {
        StatusMessage(kStrCannotCopyWrongBank, gClipboard.source);
        return;
    }
    RecordUndoSnapshot(UndoKind::Paste, UndoScope::Preset, bank, preset);
    int limit = ControlCount();
    int targets[kMaxPresets];
    PasteTargets(gSelection.controls, limit, CurrentControl(), targets);
    // The control the paste starts at: selected and current when nothing
    // could be pasted.
    int start = FirstSelected(gSelection.controls, limit);
    if (start < 0) start = CurrentControl();
    if (CountFlags(gSelection.controls, limit) < 2) {
        std::memset(gSelection.controls, 0, sizeof gSelection.controls);
    }
    PresetRecord& record = data->presets[preset];
    int pasted = 0;
    for (int i = 0; i < kMaxControls; i++) {
        int to = targets[i];
        if (to < 0 || !ControlAcceptsCc(to, gClipboard.record.controls[i].midiCc)) continue;
        record.controls[to] = gClipboard.record.controls[i];
        gSelection.controls[to] = 1;
        pasted++;
    }
    if (pasted > 0) record.changed++;
    BankAt(bank)->changeCount++;
    FinishUndoStep();
    int first = FirstSelected(gSelection.controls, limit);
    if (first < 0 && start >= 0 && start < limit) {
        gSelection.controls[start] = 1;
        first = start;
    }
    if (first >= 0) SetCurrentControl(first);
    LibraryFollow();
}

void PasteClipboard() {
    if (!gClipboard.valid) {
        StatusMessage(kStrCannotPasteAcross);
        return;
    }
    if (gClipboard.kind == kClipboardPresets) {
        gFocusPane = &gPresetsPane;
        PastePresets();
    } else {
        gFocusPane = &gDeviceView;
        PasteControlRecords();
    }
    InvalidatePane(gDevicesPane);
    InvalidatePane(gPresetsPane);
    InvalidatePane(gDeviceView);
    // The control editor shows the current control's values, which the
    // paste may have changed (and the current control with them).
    RepaintEditorPane();
    UpdateTransferMenu();
}

void SelectAllControls() {
    gFocusPane = &gDeviceView;
    int limit = ControlCount();
    for (int i = 0; i < limit; i++) gSelection.controls[i] = 1;
    InvalidatePane(gDeviceView);
}

void DescribeClipboardText(char* out, int size) {
    if (size <= 0) return;
    out[0] = 0;
    if (!gClipboard.valid || gClipboard.count == 0) {
        CopyStringById(out, size, kStrClipboardEmpty);
        return;
    }
    char contains[kMaxShortText + 1];
    CopyStringById(contains, kStrClipboardContains);
    char items[kMaxShortText + 1] = "";
    bool controls = gClipboard.kind == kClipboardControls;
    if (gClipboard.count > 1) {
        FormatStringById(items, controls ? kStrControlsFrom : kStrPresetsFrom, gClipboard.count);
    } else {
        CopyStringById(items, controls ? kStrOneControlFrom : kStrOnePresetFrom);
    }
    std::snprintf(out, static_cast<size_t>(size), "%s%s%s", contains, items, gClipboard.source);
}

void DescribeClipboard() {
    char text[kMaxMessageText + 1];
    DescribeClipboardText(text, sizeof text);
    char caption[kMaxShortText + 1];
    CopyStringById(caption, kStrClipboardContents);
    ShowMessageBox(gMainWindow, text, caption, kMbOk | kMbIconInformation);
}
