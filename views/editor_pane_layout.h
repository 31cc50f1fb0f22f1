// Where everything of the control editor's pane lies: the labels, value
// boxes and check boxes of the shown tab, their texts, and the zone buttons
// under the pane. Painting draws this layout and the mouse hit-tests it, so
// the two always agree. Portable.
#pragma once

#include "devices/device_definition.h"
#include "views/pane.h"

// The pane's width in the design layout; a wider pane keeps its content
// centred.
constexpr int kEditorDesignWidth = 586;
constexpr int kEditorRowHeight = 16;
constexpr int kEditorBoxHeight = 13;
constexpr int kZoneButtonWidth = 66;
constexpr int kZoneButtonHeight = 15;
constexpr int kZoneButtonPitch = 74;
constexpr int kZoneButtonSourcePitch = 18;  // the buttons' picture holds them 18 apart

// The shown tab (the pane's shownTab).
constexpr int kTabDetails = 0;
constexpr int kTabVariables = 1;
constexpr int kTabZones = 2;

enum class EditorItem {
    kNone,
    kDetailField,     // index: the DetailFields position
    kVariable,        // index: the variable; a row or its value box
    kVariableOption,  // index: the variable, option: the option
    kZoneEnable,      // the current zone's enable box
    kZoneField,       // index: the zone field
    kZoneCaption,     // "Zone %d": text only
    kZoneButton,      // index: the zone
};

enum class EditorBox { kNone, kValue, kCheck, kEnable };

constexpr int kEditorTextLen = 100;

struct EditorEntry {
    EditorItem item;
    int index;
    int option;            // kVariableOption only; else -1
    char label[kNameLen];  // "" none
    int labelX;            // client pixels
    int labelY;
    int labelIsOption;  // 1: navy option name; 0: RGB(0,0,96) label
    EditorBox boxStyle;
    PaneRect box;                // the value box or check box; also what is hit
    PaneRect row;                // variables: the whole row (hit when no box is)
    char value[kEditorTextLen];  // the text drawn (in the box, or plain)
    int valueRight;              // 1: right-aligned in the box
    int current;                 // 1: drawn as the current field
    int checked;                 // check boxes: option set
};

constexpr int kMaxEditorEntries = 320;

struct EditorLayout {
    int count;
    EditorEntry entries[kMaxEditorEntries];
    int contentX;     // left edge of the centred content
    int zoneButtons;  // how many zone buttons
    PaneRect zoneButton[kMaxZones];
    int currentZone;
};

// How wide a text is drawn in the panel font. The Windows build measures
// with the real font; the default counts average characters.
using EditorTextWidth = int (*)(const char* text);
extern EditorTextWidth gEditorTextWidth;

// The value box width: three average characters of the bold panel font + 2.
int EditorValueBoxWidth();

// Builds the layout of `pane` (its rectangle and shown tab, its current
// field, variable and zone field) for the current preset.
void BuildEditorLayout(const Pane& pane, EditorLayout* layout);

// The entry under a client point that a click acts on: a value box, check
// box, enable box, a variable's row or a zone button. Null for none; only
// points inside the pane (or on a zone button) hit.
const EditorEntry* EditorHitTest(const EditorLayout& layout, const Pane& pane, int x, int y);
// The zone button under the point, or -1.
int EditorZoneButtonAt(const EditorLayout& layout, int x, int y);

// The label a Control Details field shows for a library control's label
// map ("" when the field is not drawn).
void DetailFieldLabel(int position, const char* libraryLabels, char* out, int size);
