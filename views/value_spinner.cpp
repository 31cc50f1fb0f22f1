// The value spinner: one integer of a preset stepped while a mouse button is
// held, on timer 102.
//
// States and their transitions:
//   idle     -> started   StartValueSpinner (a range other than 0 .. 1): timer
//                         at 350 ms, capture, confinement, undo, one step
//   idle     -> idle      StartValueSpinner on a 0 .. 1 value: flipped at once
//   started  -> stepping  first ValueSpinnerTick: timer re-armed at 50 ms
//   started, stepping -> idle   ValueSpinnerButtonUp of the starting button,
//                         a tick that finds it released, or a step that hit
//                         a limit (EndSpinner)
#include "views/value_spinner.h"

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "banks/undo_history.h"
#include "views/device_view.h"
#include "views/editor_document.h"
#include "views/editor_pane.h"
#include "views/keyboard_pane.h"
#include "views/presets_pane.h"
#include "views/view_platform.h"
#include "views/view_state.h"
#include "views/zone_keyboard.h"

namespace {

constexpr int kFirstRepeatMs = 350;
constexpr int kRepeatMs = 50;
constexpr int kStep = 10;
constexpr int kNoteStep = 12;  // an octave, for the current zone's notes

enum class SpinPhase { kIdle, kStarted, kStepping };

struct ValueSpinner {
    SpinPhase phase = SpinPhase::kIdle;
    PaneWindow window = nullptr;
    int increasing = 0;  // 1: started by the right button
    int bank = 0;
    int preset = 0;
    int selector = 0;
    int field = 0;
    int zone = 0;
    int format = 0;
    int min = 0;
    int max = 0;
    int step = kStep;
};

ValueSpinner gSpinner;

// The value the spinner works on, with its limits; null when the target does
// not exist.
int32_t* SpinTarget(int bank, int preset, int selector, int field, int zone, int* min, int* max) {
    BankData* data = BankDataAt(bank);
    if (data == nullptr || bank < 0 || preset < 0 || preset >= kMaxPresets) return nullptr;
    PresetRecord& record = data->presets[preset];
    if (selector == kSpinVariable) {
        if (field < 0 || field >= gDevice.variableCount || field >= kMaxVariables) return nullptr;
        *min = gDevice.variables[field].valueMin;
        *max = gDevice.variables[field].valueMax;
        return &record.variables[field];
    }
    if (selector == kSpinZoneField) {
        if (field < 0 || field >= gDevice.zoneFieldCount || field >= kMaxZoneFields) return nullptr;
        if (zone < 0 || zone >= kMaxZones) return nullptr;
        *min = gDevice.zoneFields[field].valueMin;
        *max = gDevice.zoneFields[field].valueMax;
        return &record.zones[zone][field];
    }
    return nullptr;
}

bool IsCurrentZoneNote(const ValueSpinner& s, int field) {
    return s.selector == kSpinZoneField && s.zone == gDocument.currentZone && field >= 0 &&
           s.bank == gBanks.current && s.preset == gBanks.currentPreset;
}

void RepaintValueViews() {
    InvalidatePane(gPresetsPane);
    InvalidatePane(gEditorPane);
    InvalidatePane(gKeyboardPane);
    // The picture shows values only through its CC/Ch labels.
    if (gShowCcCh) InvalidatePane(gDeviceView);
}

void EndSpinner() {
    ValueSpinner& s = gSpinner;
    StopViewTimer(kSpinnerTimer);
    ReleasePointer();
    SetViewCursor(s.window, ViewCursor::kArrow);
    ReleaseMouse();
    CountPresetEdit(s.bank, s.preset);
    // A spin held at its limit from the start changed nothing: no step.
    FinishUndoStep();
    s.phase = SpinPhase::kIdle;
    RepaintValueViews();
}

// Applies one step; returns 1 when a limit stopped it.
int ApplyStep() {
    ValueSpinner& s = gSpinner;
    int min = 0, max = 0;
    int32_t* value = SpinTarget(s.bank, s.preset, s.selector, s.field, s.zone, &min, &max);
    if (value == nullptr) return 1;
    int amount;
    if (KeyHeld(kVkShift)) {
        amount = s.step;
    } else if (s.increasing) {
        amount = LeftButtonHeld() ? s.step : 1;
    } else {
        amount = KeyHeld(kVkRightButton) ? s.step : 1;
    }
    // In 64 bits: a bank file may have given a value at either end of the range.
    long long stepped = static_cast<long long>(*value) + (s.increasing ? amount : -amount);
    int clamped = 0;
    if (stepped < min) {
        stepped = min;
        clamped = 1;
    }
    if (stepped > max) {
        stepped = max;
        clamped = 1;
    }
    int v = static_cast<int>(stepped);
    // The current zone's notes stay in order: low never passes high.
    if (IsCurrentZoneNote(s, s.field)) {
        PresetRecord* preset = &BankDataAt(s.bank)->presets[s.preset];
        int32_t* low = ZoneLowNote(preset, s.zone);
        int32_t* high = ZoneHighNote(preset, s.zone);
        if (value == low && high != nullptr && v > *high) {
            v = *high;
            clamped = 1;
        }
        if (value == high && low != nullptr && v < *low) {
            v = *low;
            clamped = 1;
        }
    }
    *value = v;
    InvalidatePane(gEditorPane);
    return clamped;
}

}  // namespace

void StartValueSpinner(PaneWindow window, int message, int bank, int preset, int selector,
                       int field, int zone, int format) {
    if (gSpinner.phase != SpinPhase::kIdle) return;
    int min = 0, max = 0;
    int32_t* value = SpinTarget(bank, preset, selector, field, zone, &min, &max);
    if (value == nullptr) return;

    if (min == 0 && max == 1) {
        RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, bank, preset);
        *value = *value ? 0 : 1;
        // Counted as a change too, or Quit would not offer to save it.
        CountPresetEdit(bank, preset);
        FinishUndoStep();
        RepaintValueViews();
        return;
    }
    if (min > max) return;  // no value fits: nothing to step
    // -1 .. -1 is a definition that gave no range at all (as a new bank reads
    // it): a click would only force the value to -1.
    if (min == -1 && max == -1) return;

    ValueSpinner& s = gSpinner;
    s = ValueSpinner();
    s.window = window;
    s.increasing = message == kRightDown;
    s.bank = bank;
    s.preset = preset;
    s.selector = selector;
    s.field = field;
    s.zone = zone;
    s.format = format;
    s.min = min;
    s.max = max;
    PresetRecord* record = &BankDataAt(bank)->presets[preset];
    bool note = IsCurrentZoneNote(s, field) &&
                (value == ZoneLowNote(record, zone) || value == ZoneHighNote(record, zone));
    s.step = note ? kNoteStep : kStep;
    s.phase = SpinPhase::kStarted;

    StartViewTimer(kSpinnerTimer, kFirstRepeatMs);
    CaptureMouse(window);
    ConfinePointer(window, nullptr);
    SetViewCursor(window, ViewCursor::kArrow);
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, bank, preset);
    if (ApplyStep()) EndSpinner();
}

void ValueSpinnerTick() {
    ValueSpinner& s = gSpinner;
    if (s.phase == SpinPhase::kIdle) return;
    // A release the window never saw (its capture was taken away) must not
    // leave the value running on to its limit.
    bool startingHeld = s.increasing ? KeyHeld(kVkRightButton) != 0 : LeftButtonHeld() != 0;
    if (!startingHeld) {
        EndSpinner();
        return;
    }
    if (s.phase == SpinPhase::kStarted) {
        // Repeating: the pointer would only hide the value being stepped.
        StartViewTimer(kSpinnerTimer, kRepeatMs);
        SetViewCursor(s.window, ViewCursor::kHidden);
        s.phase = SpinPhase::kStepping;
    }
    if (ApplyStep()) EndSpinner();
}

void ValueSpinnerButtonUp(int message) {
    ValueSpinner& s = gSpinner;
    if (s.phase == SpinPhase::kIdle) return;
    if ((message == kLeftUp && !s.increasing) || (message == kRightUp && s.increasing)) {
        EndSpinner();
    }
}

void EndValueSpinnerOnBank(int bank) {
    if (gSpinner.phase != SpinPhase::kIdle && gSpinner.bank == bank) EndSpinner();
}

int ValueSpinnerActive() {
    return gSpinner.phase != SpinPhase::kIdle ? 1 : 0;
}
