// EditorPane's mouse and keyboard handling: choosing the current field,
// opening the in-place editors, toggling options and zones, starting the
// value spinner, and the zone buttons.
#include "views/editor_pane.h"

#include "banks/bank_model.h"
#include "banks/undo_history.h"
#include "devices/device_definition.h"
#include "views/in_place_edit.h"
#include "midi/transfer_engine.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_document.h"
#include "views/editor_pane_layout.h"
#include "views/keyboard_pane.h"
#include "views/list_columns.h"
#include "views/panel.h"
#include "views/presets_pane.h"
#include "views/value_spinner.h"
#include "views/view_platform.h"
#include "views/zone_keyboard.h"
#include "views/zone_select.h"

EditorPane gEditorPane;

namespace {

// Big enough not to live on the stack; the pane is used from the one
// user-interface thread only.
EditorLayout gMouseLayout;

bool IsDoubleClick(int message) {
    return message == kLeftDoubleClick;
}

bool IsPress(int message) {
    return message == kLeftDown || message == kRightDown || IsDoubleClick(message);
}

// The in-place editor sits over the value box, a little larger so that its
// frame does not cover the text, within the box's row.
PaneRect EditRect(const PaneRect& box) {
    return {box.x - 2, box.y - 1, box.width + 4, box.height + 2};
}

// A range of at most two values, stepped by a click rather than typed (in 64
// bits: a definition may give a range as wide as the numbers go).
bool IsNarrow(int32_t min, int32_t max) {
    return static_cast<long long>(max) - min <= 1;
}

void CountOptionChange(int bank, int preset) {
    CountPresetEdit(bank, preset);
    InvalidatePane(gKeyboardPane);
    RepaintEditorPane();
}

void OnDetailField(EditorPane& pane, PaneWindow window, const EditorEntry& hit, int message) {
    const ColumnDef& field = DetailFields[hit.index];
    if (hit.index != pane.currentField) {
        if (field.kind == kColumnValue || field.kind == kColumnParameter ||
            field.kind == kColumnComment) {
            pane.currentField = hit.index;
            RepaintEditorPane();
        }
        return;
    }
    if (!IsDoubleClick(message)) return;  // single clicks on the current field do nothing
    if (field.kind != kColumnValue && field.kind != kColumnComment) return;
    int bank = gBanks.current, control = gBanks.currentControl;
    PresetRecord* preset = EditorCurrentPreset();
    if (preset == nullptr || control < 0 || control >= kMaxControls) return;
    if (!CheckWritable(bank)) return;
    PaneRect rect = EditRect(hit.box);
    if (field.kind == kColumnValue) {
        BeginEditValue(&pane, window, bank, gBanks.currentPreset, control, field.subkind, 0,
                       kFormatDecimal, &rect);
    } else {
        BeginRename(&pane, 0, window, nullptr, bank, gBanks.currentPreset, 1,
                    preset->controls[control].desc, &rect);
    }
}

void OnVariable(EditorPane& pane, PaneWindow window, const EditorEntry& hit, int message) {
    int v = hit.index;
    if (v != pane.currentVariable) {
        pane.currentVariable = v;
        RepaintEditorPane();
        // A check box says what a click on it does: it toggles at once, on
        // any row. Elsewhere on a row the first click only chooses it.
        if (hit.item != EditorItem::kVariableOption) return;
    }
    const VariableDef& def = gDevice.variables[v];
    PresetRecord* preset = EditorCurrentPreset();
    int bank = gBanks.current;
    if (preset == nullptr) return;
    if (def.maskCount > 0) {
        if (hit.item != EditorItem::kVariableOption) return;
        if (!CheckWritable(bank)) return;
        // A step of its own: without one, the Undo of an earlier edit of
        // this preset would put the option back as well, without a word.
        RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, bank, gBanks.currentPreset);
        if (def.alwaysOneValue) preset->variables[v] = 0;
        preset->variables[v] ^= def.masks[hit.option].mask;
        CountOptionChange(bank, gBanks.currentPreset);
        FinishUndoStep();
        return;
    }
    if (IsDoubleClick(message)) {
        if (!CheckWritable(bank)) return;
        PaneRect rect = EditRect(hit.box);
        BeginEditValue(&pane, window, bank, gBanks.currentPreset, kEditVariable, v, 0,
                       kFormatDecimal, &rect);
    } else if (IsNarrow(def.valueMin, def.valueMax)) {
        if (!CheckWritable(bank)) return;
        StartValueSpinner(window, message, bank, gBanks.currentPreset, kSpinVariable, v, 0,
                          kFormatDecimal);
    }
}

void OnZoneEnable(int message) {
    if (message != kLeftDown) return;
    // The enable bit is part of the preset like any other value: a bank
    // that may not change keeps it as well.
    if (!CheckWritable(gBanks.current)) return;
    // An undo step, as for an option.
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, gBanks.current, gBanks.currentPreset);
    const bool toggled = ToggleZoneEnabled(EditorCurrentPreset(), gDocument.currentZone);
    FinishUndoStep();
    if (!toggled) return;
    CountPresetEdit(gBanks.current, gBanks.currentPreset);
    InvalidatePane(gKeyboardPane);
    RepaintEditorPane();
}

void OnZoneField(EditorPane& pane, PaneWindow window, const EditorEntry& hit, int message) {
    int f = hit.index;
    if (f != pane.currentZoneField) {
        pane.currentZoneField = f;
        RepaintEditorPane();
        return;
    }
    int bank = gBanks.current;
    int format =
        (f == ZoneLowNoteField() || f == ZoneHighNoteField()) ? kFormatNoteName : kFormatDecimal;
    const ZoneFieldDef& def = gDevice.zoneFields[f];
    if (IsDoubleClick(message)) {
        if (!CheckWritable(bank)) return;
        PaneRect rect = EditRect(hit.box);
        BeginEditValue(&pane, window, bank, gBanks.currentPreset, kEditZoneField, f,
                       gDocument.currentZone, format, &rect);
    } else if (IsNarrow(def.valueMin, def.valueMax)) {
        if (!CheckWritable(bank)) return;
        StartValueSpinner(window, message, bank, gBanks.currentPreset, kSpinZoneField, f,
                          gDocument.currentZone, format);
    }
}

int NextWrapping(int current, int count, int backwards) {
    if (count <= 0) return 0;
    int next = current + (backwards ? -1 : 1);
    if (next < 0) next = count - 1;
    if (next >= count) next = 0;
    return next;
}

}  // namespace

void RepaintEditorPane() {
    InvalidatePane(gEditorPane);
    // The zone buttons lie under the pane, outside its rectangle.
    if (gEditorPane.window != nullptr) InvalidateWindowRect(gEditorPane.window, nullptr);
}

void CountPresetEdit(int bank, int preset) {
    // Changed means differs from the saved state, so an edit that put a value
    // back leaves the preset unchanged.
    RefreshPresetChange(bank, preset);
    // What follows the change counts: the bold preset and bank in the lists,
    // and Upload to Device on the toolbar and in the menu.
    InvalidatePane(gPresetsPane);
    InvalidatePane(gDevicesPane);
    UpdateTransferMenu();
}

void RefreshTransferButtons() {
    if (gMainPanel.window == nullptr) return;
    for (int type : {kItemSend, kItemUpload, kItemDownload, kItemRescan}) {
        const PanelItem* button = FindPanelItem(gMainPanel, type);
        if (button == nullptr) continue;
        PaneRect rect = {button->x, button->y, button->width, button->height};
        InvalidateWindowRect(gMainPanel.window, &rect);
    }
}

// The zone button the left button went down on: a release chooses a zone
// only over the button it was pressed on, not at the end of a drag, a
// spinner or a press somewhere else.
static int gPressedZoneButton = -1;

int EditorPane::Mouse(PaneWindow window, int x, int y, int message, int) {
    if (gBanks.count == 0) return kMouseNotHandled;
    BuildEditorLayout(*this, &gMouseLayout);
    int button = EditorZoneButtonAt(gMouseLayout, x, y);
    const int pressed = gPressedZoneButton;
    if (message == kLeftUp) gPressedZoneButton = -1;
    // Any press here starts afresh (a release that went elsewhere is forgotten).
    if (message == kLeftDown || message == kLeftDoubleClick) gPressedZoneButton = button;
    if (button >= 0) {
        if (message == kLeftUp && button == pressed) {
            CommitInPlaceEditors();
            SelectZoneAndRepaint(button);
        }
        return kMouseHandled;
    }
    if (x < rect.x || x >= rect.x + rect.width || y < rect.y || y >= rect.y + rect.height)
        return kMouseNotHandled;
    if (!IsPress(message)) return kMouseHandled;
    CommitInPlaceEditors();
    const EditorEntry* hit = EditorHitTest(gMouseLayout, *this, x, y);
    if (hit == nullptr) return kMouseHandled;
    switch (hit->item) {
        case EditorItem::kDetailField:
            OnDetailField(*this, window, *hit, message);
            break;
        case EditorItem::kVariable:
        case EditorItem::kVariableOption:
            OnVariable(*this, window, *hit, message);
            break;
        case EditorItem::kZoneEnable:
            OnZoneEnable(message);
            break;
        case EditorItem::kZoneField:
            OnZoneField(*this, window, *hit, message);
            break;
        default:
            break;
    }
    return kMouseHandled;
}

void EditorPaneTabKey(int backwards) {
    EditorPane& pane = gEditorPane;
    switch (pane.shownTab) {
        case kTabDetails: {
            int field = pane.currentField;
            for (int step = 0; step < kColumnCount; ++step) {
                field = NextWrapping(field, kColumnCount, backwards);
                const ColumnDef& f = DetailFields[field];
                if (f.kind != kColumnValue && f.kind != kColumnComment) continue;
                if (f.kind == kColumnValue && f.subkind == kValueProgram &&
                    !ControlHasProgram(gDevice, gBanks.currentControl))
                    continue;
                pane.currentField = field;
                break;
            }
            break;
        }
        case kTabVariables:
            pane.currentVariable =
                NextWrapping(pane.currentVariable, gDevice.variableCount, backwards);
            break;
        case kTabZones:
            pane.currentZoneField =
                NextWrapping(pane.currentZoneField, gDevice.zoneFieldCount, backwards);
            break;
        default:
            break;
    }
    RepaintEditorPane();
}
