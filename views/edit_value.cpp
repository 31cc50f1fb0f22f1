#include "views/edit_value.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "banks/bank_model.h"
#include "views/in_place_edit.h"
#include "banks/undo_history.h"
#include "views/editor_document.h"
#include "views/list_columns.h"
#include "views/zone_keyboard.h"
#include "views/zone_notes.h"

EditValueState gEditValue;

namespace {

// Bounds of the five control values when neither the columns nor the device
// give one: channel 0..16 (0 is "none"), the others 0..127.
constexpr int kDefaultValueMin = 0;
constexpr int kDefaultChannelMax = 16;
constexpr int kDefaultValueMax = 127;

// The range a value column gives for a control value: the first value column,
// in column order, that shows it.
void ColumnRange(int field, int* min, int* max) {
    for (const ColumnDef& column : ListColumns) {
        if (column.kind == kColumnValue && column.subkind == field) {
            *min = column.min;
            *max = column.max;
            return;
        }
    }
}

int PrepareControl(EditValueState* state) {
    if (state->control >= gDevice.controlCount || state->field < kValueChannel ||
        state->field > kValueLsb) {
        return 0;
    }
    const ControlDef& control = gDevice.controls[state->control];
    // The program is edited wherever it is shown and written.
    if (state->field == kValueProgram && !TypeHasProgram(gDevice, control.typeIndex)) return 0;
    ColumnRange(state->field, &state->min, &state->max);
    if (state->field == kValueMidiCc) {
        // The set ControlAcceptsCc decides by, so that a number typed is one
        // a drop or a paste would also give the control.
        const ControllerType* type = ControlOwnType(&gDevice, state->control);
        CcSetParse(&state->allowed, type ? type->supportedCc : nullptr);
        if (CcSetIsEmpty(&state->allowed)) {
            CcSetParse(&state->allowed, gDevice.supportedCc);
            if (!CcSetIsEmpty(&state->allowed)) {
                state->min = CcSetMin(&state->allowed);
                state->max = CcSetMax(&state->allowed);
            }
        }
        state->hasAllowed = !CcSetIsEmpty(&state->allowed);
    }
    if (state->min < 0) state->min = kDefaultValueMin;
    if (state->max < 0) {
        state->max = state->field == kValueChannel ? kDefaultChannelMax : kDefaultValueMax;
    }
    return 1;
}

int IsAllowed(const EditValueState& state, int value) {
    return !state.hasAllowed || CcSetHas(&state.allowed, value);
}

// The nearest allowed value from `from` in direction `step` within min..max.
// Only the set's members can be found, so the walk stays between the first
// and the last of them: a range a definition gives up to the largest number
// would otherwise be walked number by number.
int SearchAllowed(const EditValueState& state, int from, int step, int* found) {
    long long low = state.min;
    long long high = state.max;
    if (state.hasAllowed) {
        low = std::max(low, static_cast<long long>(CcSetMin(&state.allowed)));
        high = std::min(high, static_cast<long long>(CcSetMax(&state.allowed)));
    }
    long long value = from;
    if (step < 0 && value > high) value = high;
    if (step > 0 && value < low) value = low;
    for (; value >= low && value <= high; value += step) {
        if (IsAllowed(state, static_cast<int>(value))) {
            *found = static_cast<int>(value);
            return 1;
        }
    }
    return 0;
}

int NoteIndex(char letter) {
    switch (std::toupper(static_cast<unsigned char>(letter))) {
        case 'C':
            return 0;
        case 'D':
            return 2;
        case 'E':
            return 4;
        case 'F':
            return 5;
        case 'G':
            return 7;
        case 'A':
            return 9;
        case 'B':
            return 11;
        default:
            return -1;
    }
}

int ParseDecimal(const char* text, int* value) {
    while (*text == ' ') ++text;
    char* end = nullptr;
    long parsed = std::strtol(text, &end, 10);
    if (end == text) return 0;
    while (*end == ' ') ++end;
    if (*end != '\0') return 0;
    if (parsed > 1000000 || parsed < -1000000) parsed = parsed > 0 ? 1000000 : -1000000;
    *value = static_cast<int>(parsed);
    return 1;
}

}  // namespace

int EditValuePrepare(EditValueState* state, int bank, int preset, int control, int field, int zone,
                     int format) {
    BankData* data = BankDataAt(bank);
    if (!data || preset < 0 || preset >= kMaxPresets) return 0;
    state->bank = bank;
    state->preset = preset;
    state->control = control;
    state->field = field;
    state->zone = zone;
    state->format = format;
    state->min = -1;
    state->max = -1;
    state->hasAllowed = 0;
    CcSetParse(&state->allowed, nullptr);
    if (control >= 0) return PrepareControl(state) && EditValueTarget(*state) != nullptr;
    if (control == kEditVariable) {
        if (field < 0 || field >= gDevice.variableCount) return 0;
        state->min = gDevice.variables[field].valueMin;
        state->max = gDevice.variables[field].valueMax;
    } else if (control == kEditZoneField) {
        if (field < 0 || field >= gDevice.zoneFieldCount || zone < 0 || zone >= kMaxZones) return 0;
        state->min = gDevice.zoneFields[field].valueMin;
        state->max = gDevice.zoneFields[field].valueMax;
    } else {
        return 0;
    }
    // Narrow ranges are stepped with the spinner, not typed. (In 64 bits: a
    // definition may give a range as wide as the numbers go.)
    return static_cast<long long>(state->max) - state->min >= 2;
}

int32_t* EditValueTarget(const EditValueState& state) {
    BankData* data = BankDataAt(state.bank);
    if (!data || state.preset < 0 || state.preset >= kMaxPresets) return nullptr;
    PresetRecord& record = data->presets[state.preset];
    if (state.control >= 0) {
        if (state.control >= kMaxControls) return nullptr;
        return ColumnValueField(record.controls[state.control], state.field);
    }
    if (state.control == kEditVariable) {
        return state.field >= 0 && state.field < kMaxVariables ? &record.variables[state.field]
                                                               : nullptr;
    }
    if (state.control == kEditZoneField && state.zone >= 0 && state.zone < kMaxZones &&
        state.field >= 0 && state.field < kMaxZoneFields) {
        return &record.zones[state.zone][state.field];
    }
    return nullptr;
}

void FormatEditValue(int value, int format, char* out, int size) {
    if (format != kFormatNoteName) {
        std::snprintf(out, static_cast<size_t>(size), "%d", value);
        return;
    }
    FormatNoteName(value, out, size);
}

int ParseEditValue(const char* text, int format, int* value) {
    if (format != kFormatNoteName) return ParseDecimal(text, value);
    while (*text == ' ') ++text;
    int note = NoteIndex(*text);
    if (note < 0) return ParseDecimal(text, value);  // a plain number is taken as it is
    ++text;
    if (*text == '#') {
        ++note;  // B# is the next octave's C, E# is F
        ++text;
    } else if (*text == 'b') {
        --note;  // Cb is the octave below's B, Fb is E
        ++text;
    }
    int octave = 0;
    if (!ParseDecimal(text, &octave)) return 0;
    *value = (octave + 2) * 12 + note;
    return 1;
}

int EditValueFit(const EditValueState& state, int typed, int* fitted) {
    int value = typed < state.min ? state.min : (typed > state.max ? state.max : typed);
    if (IsAllowed(state, value)) {
        *fitted = value;
        return 1;
    }
    // Towards the inside of the range first, then the other way, so that a
    // set with members on one side only still gives an answer and the search
    // always ends.
    int step = value <= state.min ? 1 : -1;
    return SearchAllowed(state, value, step, fitted) || SearchAllowed(state, value, -step, fitted);
}

int EditValueStore(const EditValueState& state, const char* text) {
    // An editor left as it opened (a click elsewhere commits it) stores
    // nothing: looking at a controller number must not undo its library
    // assignment, nor fit a value the file gave into the type's set.
    if (state.shown[0] && strcmp(text, state.shown) == 0) return 1;
    int typed = 0;
    int value = 0;
    if (!ParseEditValue(text, state.format, &typed)) return 0;
    if (!EditValueFit(state, typed, &value)) return 0;
    int32_t* target = EditValueTarget(state);
    BankEntry* entry = BankAt(state.bank);
    if (!target || !entry) return 0;
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, state.bank, state.preset);
    PresetRecord& record = entry->data->presets[state.preset];
    if (state.control == kEditZoneField && state.zone == gDocument.currentZone) {
        // The zone shown in the zone editor keeps low <= high (a model
        // without one of the two fields has no such rule).
        const int lowField = ZoneLowNoteField();
        const int highField = ZoneHighNoteField();
        if (state.field == lowField && highField >= 0 && highField < kMaxZoneFields &&
            value > record.zones[state.zone][highField]) {
            value = record.zones[state.zone][highField];
        } else if (state.field == highField && lowField >= 0 && lowField < kMaxZoneFields &&
                   value < record.zones[state.zone][lowField]) {
            value = record.zones[state.zone][lowField];
        }
    }
    int changed = *target != value;
    *target = value;
    if (state.control >= 0 && state.field == kValueMidiCc) {
        record.controls[state.control].origin = -1;  // no longer what the library gave
    }
    // A changed value must make the bank count as changed, or Quit would not
    // offer to save it.
    if (changed) {
        ++record.changed;
        ++entry->changeCount;
    }
    // A value typed over itself leaves no step and no change behind.
    FinishUndoStep();
    return 1;
}
