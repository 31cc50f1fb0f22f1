#include "views/list_columns.h"

#include "banks/bank_model.h"

// Widths: "Comment" asks for 999 so that it takes whatever the row has left.
const ColumnDef kListColumns[kColumnCount] = {
    {"Name", kColumnName, -1, 0, 0, 0, 0, 0, 120, 1, -1, -1, 0},
    {"Ctrl", kColumnValue, kValueMidiCc, 0, 0, 0, 0, 0, 26, 1, -1, -1, 0},
    {"Parameter", kColumnParameter, -1, 0, 0, 0, 0, 0, 174, 1, -1, -1, 0},
    {"Name", kColumnName, -1, 0, 0, 0, 0, 0, 0, 0, -1, -1, 0},
    {"Ch", kColumnValue, kValueChannel, 0, 0, 0, 0, 0, 20, 1, -1, -1, 0},
    {"MSB", kColumnValue, kValueMsb, 0, 0, 0, 0, 0, 26, 1, -1, -1, 0},
    {"LSB", kColumnValue, kValueLsb, 0, 0, 0, 0, 0, 26, 1, -1, -1, 0},
    {"Prog", kColumnValue, kValueProgram, 0, 0, 0, 0, 0, 26, 1, -1, -1, 0},
    {"Comment", kColumnComment, -1, 0, 0, 0, 0, 0, 999, 1, -1, -1, 0},
};

const ColumnDef kDetailFields[kColumnCount] = {
    {"Name", kColumnName, -1, 0, 0, 0, 0, 0, 200, 1, -1, -1, 0},
    {"Ctrl", kColumnValue, kValueMidiCc, 0, 0, 0, 0, 1, 20, 1, -1, -1, 0},
    {"Parameter", kColumnParameter, -1, 0, 0, 0, 0, 2, 200, 1, -1, -1, 0},
    {"Name", kColumnName, -1, 0, 0, 0, 0, 0, 0, 0, -1, -1, 0},
    {"Channel", kColumnValue, kValueChannel, 0, 0, 0, 0, 3, 20, 1, -1, -1, 0},
    {"", kColumnValue, kValueMsb, 0, 0, 0, 1, 0, 20, 1, -1, -1, 0},
    {"", kColumnValue, kValueLsb, 0, 0, 0, 1, 1, 20, 1, -1, -1, 0},
    {"", kColumnValue, kValueProgram, 0, 0, 0, 1, 2, 20, 1, -1, -1, 0},
    {"Comment", kColumnComment, -1, 0, 0, 0, 1, 3, 200, 1, -1, -1, 0},
};

ColumnDef ListColumns[kColumnCount] = {
    kListColumns[0], kListColumns[1], kListColumns[2], kListColumns[3], kListColumns[4],
    kListColumns[5], kListColumns[6], kListColumns[7], kListColumns[8],
};
ColumnDef DetailFields[kColumnCount] = {
    kDetailFields[0], kDetailFields[1], kDetailFields[2], kDetailFields[3], kDetailFields[4],
    kDetailFields[5], kDetailFields[6], kDetailFields[7], kDetailFields[8],
};

namespace {

// The first of the device's first `limit` control data fields whose ID names
// column `position`. Every field bounds its column; only the first nine
// label one.
const ControlFieldDef* FieldForColumn(const DeviceDefinition& def, int position, int limit) {
    int count = def.controlFieldCount < limit ? def.controlFieldCount : limit;
    if (count > kMaxControlFields) count = kMaxControlFields;
    for (int i = 0; i < count; ++i) {
        if (def.controlFields[i].id == position + 1) return &def.controlFields[i];
    }
    return nullptr;
}

}  // namespace

void ApplyControlFields(const DeviceDefinition& def, ColumnDef* columns, int count) {
    for (int i = 0; i < count; ++i) {
        ColumnDef& column = columns[i];
        column.min = -1;
        column.max = -1;
        column.editable = 0;
        if (!column.visible) continue;
        const ControlFieldDef* field = FieldForColumn(def, i, kMaxControlFields);
        if (!field) continue;
        column.min = field->valueMin;
        column.max = field->valueMax;
        column.editable = field->editable;
    }
}

void ResetColumnTables(const DeviceDefinition& def) {
    for (int i = 0; i < kColumnCount; ++i) {
        ListColumns[i] = kListColumns[i];
        DetailFields[i] = kDetailFields[i];
    }
    ApplyControlFields(def, ListColumns, kColumnCount);
    ApplyControlFields(def, DetailFields, kColumnCount);
}

const char* ColumnHeaderText(const DeviceDefinition& def, const ColumnDef* columns, int position) {
    const ControlFieldDef* field = FieldForColumn(def, position, kColumnCount);
    if (field && field->shortName[0]) return field->shortName;
    if (field && field->name[0]) return field->name;
    return columns[position].label;
}

int* ColumnValueField(PresetControl& control, int subkind) {
    switch (subkind) {
        case kValueChannel:
            return &control.channel;
        case kValueMidiCc:
            return &control.midiCc;
        case kValueProgram:
            return &control.program;
        case kValueMsb:
            return &control.msb;
        case kValueLsb:
            return &control.lsb;
        default:
            return nullptr;
    }
}

int ColumnValueOf(const PresetControl& control, int subkind) {
    int* field = ColumnValueField(const_cast<PresetControl&>(control), subkind);
    return field ? *field : 0;
}
