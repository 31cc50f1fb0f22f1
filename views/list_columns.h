// The column tables: the list view's nine columns and the nine fields of the
// control editor's Control Details tab share one description, ColumnDef. The
// device's control data fields relabel them and give their value ranges.
#pragma once

#include "devices/device_definition.h"

// What a column shows.
constexpr int kColumnNumber = 0;     // the control's number
constexpr int kColumnName = 1;       // the control's name (and description)
constexpr int kColumnValue = 2;      // one value of the assignment (subkind says which)
constexpr int kColumnParameter = 3;  // the library control the assignment came from
constexpr int kColumnComment = 4;    // the assignment's comment

// Values of a PresetControl, in the order that follows its origin field.
constexpr int kValueChannel = 0;
constexpr int kValueMidiCc = 1;
constexpr int kValueProgram = 2;
constexpr int kValueMsb = 3;
constexpr int kValueLsb = 4;

constexpr int kColumnCount = 9;

struct ColumnDef {
    const char* label;  // the default header text
    int kind;           // kColumnNumber .. kColumnComment
    int subkind;        // for kColumnValue the value (kValueChannel ..); -1 otherwise
    int x;              // laid-out cell, computed when drawing
    int y;
    int width;
    int column;  // grid position on the Control Details tab
    int row;
    int nominalWidth;  // pixels
    int visible;       // 0 hidden, 1 shown
    int min;           // from the control data field with ID = position + 1;
    int max;           //   -1, -1, 0 when there is none or the column is hidden
    int editable;
};

// The tables as they ship; the views work on copies (below) so that a device
// load can relabel them.
extern const ColumnDef kListColumns[kColumnCount];
extern const ColumnDef kDetailFields[kColumnCount];

// The working copies: the list view's and the Control Details tab's.
extern ColumnDef ListColumns[kColumnCount];
extern ColumnDef DetailFields[kColumnCount];

// Restores both copies from the shipped tables and fills min, max and
// editable from def's control data fields (a device load calls it).
void ResetColumnTables(const DeviceDefinition& def);
void ApplyControlFields(const DeviceDefinition& def, ColumnDef* columns, int count);

// The header text of column `position`: the short name of the device's
// control data field (among its first nine) whose ID is position + 1, else
// its name, else the column's own label.
const char* ColumnHeaderText(const DeviceDefinition& def, const ColumnDef* columns, int position);

// The value a value column shows from an assignment, by subkind.
struct PresetControl;
int ColumnValueOf(const PresetControl& control, int subkind);
int* ColumnValueField(PresetControl& control, int subkind);
