// EditValue: the portable half of the in-place value editor. It finds the
// value a cell means and its range, writes and reads it in the cell's format,
// and stores what was typed (clamped, kept to the controller numbers the
// control accepts, with an undo step). The edit control itself is the
// platform's (views/in_place_edit_win32.cpp).
#pragma once

#include <cstdint>

#include "devices/cc_set.h"
#include "views/pane.h"

constexpr int kEditValueControlId = 10002;
constexpr int kEditValueMaxChars = 3;

struct EditValueState {
    PaneWindow edit = nullptr;    // the edit control while open
    PaneWindow parent = nullptr;  // the window it sits in
    PaneRect rect = {0, 0, 0, 0};
    CcSet allowed = {};  // controller numbers the control accepts (MIDICC only)
    int hasAllowed = 0;
    int bank = 0;
    int32_t bankSerial = 0;  // which bank, should the list change while it is open
    int preset = 0;
    int control = 0;  // >= 0 a control; kEditVariable; kEditZoneField
    int field = 0;
    int zone = 0;
    int format = 0;
    int min = 0;
    int max = 0;
    int active = 0;
    char shown[16] = {};  // the text the editor opened with ("" when none)
};
extern EditValueState gEditValue;

// Fills state for a value of bank/preset (no window involved). Returns 0 when
// the value is not edited: no such bank, preset, control, variable or zone
// field, a program of a type without one, a variable or zone field whose
// range is under 2 (the spinner's), or an allowed set with no member.
int EditValuePrepare(EditValueState* state, int bank, int preset, int control, int field, int zone,
                     int format);

// The i32 the state edits, in the bank's preset; null when gone.
int32_t* EditValueTarget(const EditValueState& state);

// Writes value as the cell shows it: decimal, or a note name ("C " 3 for 60).
void FormatEditValue(int value, int format, char* out, int size);
// Reads typed text in the format; 0 when it is no number or note.
int ParseEditValue(const char* text, int format, int* value);

// The stored value for a typed one: clamped into min..max, then moved to the
// nearest allowed controller number (downwards unless it sits at min). 0 when
// no allowed number lies in min..max.
int EditValueFit(const EditValueState& state, int typed, int* fitted);

// Enter: stores the typed text (undo step first). Returns 1 when stored.
int EditValueStore(const EditValueState& state, const char* text);
