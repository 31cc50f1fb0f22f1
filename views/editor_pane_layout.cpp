// The control editor pane's layout (see editor_pane_layout.h).
#include "views/editor_pane_layout.h"

#include <cstdio>
#include <cstring>

#include "banks/bank_model.h"
#include "devices/control_library.h"
#include "views/in_place_edit.h"
#include "views/column_text.h"
#include "views/editor_document.h"
#include "views/fonts.h"
#include "views/label_map.h"
#include "views/list_columns.h"
#include "views/zone_keyboard.h"
#include "views/zone_notes.h"

namespace {

constexpr int kDefaultFieldWidth = 200;
constexpr int kValueBoxOffset = 84;  // a Control Details value box starts this far right
constexpr int kDetailColumnPitch = 292;
constexpr int kMargin = 3;
constexpr int kColumnGap = 12;
constexpr int kOptionGap = 8;
constexpr int kLabelPadding = 6;
constexpr int kBottomReserve = 18;  // a new column starts when a row would pass bottom - 18

int CountingTextWidth(const char* text) {
    int average = gFontMetrics[kFontPanel].averageWidth;
    return static_cast<int>(std::strlen(text)) * (average > 0 ? average : 6);
}

int Clamp(int v, int lo, int hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

EditorEntry& AddEntry(EditorLayout* layout, EditorItem item, int index) {
    static EditorEntry overflow;
    if (layout->count >= kMaxEditorEntries) {
        overflow = EditorEntry();
        return overflow;  // never drawn: the table is full
    }
    EditorEntry& e = layout->entries[layout->count++];
    e = EditorEntry();
    e.item = item;
    e.index = index;
    e.option = -1;
    return e;
}

void CopyLabel(char (&dst)[kNameLen], const char* src) {
    std::snprintf(dst, sizeof dst, "%s", src ? src : "");
}

// --- Control Details -----------------------------------------------------------

void LayoutDetails(const Pane& pane, int x0, EditorLayout* layout) {
    PresetRecord* preset = EditorCurrentPreset();
    int control = gBanks.currentControl;
    if (preset == nullptr || control < 0 || control >= gDevice.controlCount ||
        control >= kMaxControls) {
        return;
    }
    const LibraryControl* library = CcLibraryEntryFor(control, preset->controls[control].midiCc);
    if (library == nullptr) return;  // nothing names what the control sends

    for (int i = 0; i < kColumnCount; ++i) {
        const ColumnDef& field = DetailFields[i];
        if (!field.visible) continue;
        if (field.kind == kColumnValue && field.subkind == kValueProgram &&
            !ControlHasProgram(gDevice, control))
            continue;
        char label[kNameLen];
        DetailFieldLabel(i, library->labels, label, sizeof label);
        if (label[0] == '\0') continue;
        int x = x0 + kMargin + kDetailColumnPitch * field.column;
        int y = pane.rect.y + kMargin + kEditorRowHeight * field.row;
        int width =
            field.nominalWidth == kDefaultFieldWidth ? kDefaultFieldWidth : field.nominalWidth;
        EditorEntry& e = AddEntry(layout, EditorItem::kDetailField, i);
        CopyLabel(e.label, label);
        e.labelX = x;
        e.labelY = y;
        e.box = {x + kValueBoxOffset, y, width, kEditorBoxHeight};
        bool boxed = field.kind == kColumnValue || field.kind == kColumnComment;
        e.boxStyle = boxed ? EditorBox::kValue : EditorBox::kNone;
        e.valueRight = field.kind == kColumnValue;
        e.current = pane.currentField == i;
        ColumnCellText(field, control, *preset, e.value, sizeof e.value);
    }
}

// --- Extra Variables ---------------------------------------------------------------

int MaskCount(const VariableDef& v) {
    return Clamp(v.maskCount, 0, kMaxVariableMasks);
}
int VariableCount() {
    return Clamp(gDevice.variableCount, 0, kMaxVariables);
}

void LayoutVariables(const Pane& pane, int x0, EditorLayout* layout) {
    PresetRecord* preset = EditorCurrentPreset();
    int count = VariableCount();
    if (preset == nullptr || count == 0) return;
    int labelWidth = 0, optionWidth = 0, mostOptions = 0;
    for (int v = 0; v < count; ++v) {
        const VariableDef& def = gDevice.variables[v];
        int w = gEditorTextWidth(def.name);
        if (w > labelWidth) labelWidth = w;
        if (MaskCount(def) > mostOptions) mostOptions = MaskCount(def);
        for (int m = 0; m < MaskCount(def); ++m) {
            int ow = gEditorTextWidth(def.masks[m].name);
            if (ow > optionWidth) optionWidth = ow;
        }
    }
    labelWidth += kLabelPadding;
    optionWidth += kLabelPadding;
    int box = EditorValueBoxWidth();
    int top = pane.rect.y + kMargin;
    int bottom = pane.rect.y + pane.rect.height;
    int x = x0 + kMargin, y = top;
    bool columnHasOptions = false;
    for (int v = 0; v < count; ++v) {
        const VariableDef& def = gDevice.variables[v];
        int masks = MaskCount(def);
        if (y > top && y > bottom - kBottomReserve) {
            x += columnHasOptions
                     ? (box + optionWidth + kOptionGap) * mostOptions + labelWidth + kColumnGap
                     : box + labelWidth + kColumnGap;
            y = top;
            columnHasOptions = false;
        }
        int value = preset->variables[v];
        EditorEntry& row = AddEntry(layout, EditorItem::kVariable, v);
        CopyLabel(row.label, def.name);
        row.labelX = x;
        row.labelY = y;
        row.current = pane.currentVariable == v;
        if (masks > 0) {
            columnHasOptions = true;
            row.row = {x, y, labelWidth + masks * (optionWidth + box + kOptionGap),
                       kEditorRowHeight};
            for (int m = 0; m < masks; ++m) {
                int ox = x + labelWidth + m * (optionWidth + box + kOptionGap);
                EditorEntry& o = AddEntry(layout, EditorItem::kVariableOption, v);
                o.option = m;
                CopyLabel(o.label, def.masks[m].name);
                o.labelX = ox;
                o.labelY = y;
                o.labelIsOption = 1;
                o.boxStyle = EditorBox::kCheck;
                o.box = {ox + optionWidth, y, box, kEditorBoxHeight};
                o.checked = (value & def.masks[m].mask) != 0;
                o.current = pane.currentVariable == v;
            }
        } else {
            row.boxStyle = EditorBox::kValue;
            row.box = {x + labelWidth - 1, y, box, kEditorBoxHeight};
            row.row = {x, y, labelWidth - 1 + box, kEditorRowHeight};
            row.valueRight = 1;
            FormatFieldValue(value, def.valueMin, def.valueMax, kFormatDecimal, row.value,
                             sizeof row.value);
        }
        y += kEditorRowHeight;
    }
}

// --- Zone Data -----------------------------------------------------------------------

void LayoutZones(const Pane& pane, int x0, EditorLayout* layout) {
    PresetRecord* preset = EditorCurrentPreset();
    int fields = Clamp(gDevice.zoneFieldCount, 0, kMaxZoneFields);
    int zone = gDocument.currentZone;
    if (preset == nullptr || fields == 0 || zone < 0 || zone >= kMaxZones) return;
    int box = EditorValueBoxWidth();
    int top = pane.rect.y + kMargin;
    int bottom = pane.rect.y + pane.rect.height;

    EditorEntry& caption = AddEntry(layout, EditorItem::kZoneCaption, zone);
    std::snprintf(caption.label, sizeof caption.label, "Zone %d", zone + 1);
    caption.labelX = x0 + kMargin;
    caption.labelY = top;
    caption.labelIsOption = 1;

    EditorEntry& enable = AddEntry(layout, EditorItem::kZoneEnable, zone);
    enable.boxStyle = EditorBox::kEnable;
    enable.box = {x0 + kMargin, pane.rect.y + 19, box, kEditorBoxHeight};
    std::snprintf(enable.value, sizeof enable.value, "%s",
                  ZoneEnabled(preset, zone) == 1 ? "On" : "Off");

    int labelWidth = 0;
    for (int f = 0; f < fields; ++f) {
        int w = gEditorTextWidth(gDevice.zoneFields[f].name);
        if (w > labelWidth) labelWidth = w;
    }
    labelWidth += kLabelPadding;
    int low = ZoneLowNoteField(), high = ZoneHighNoteField();
    // Note names run to four characters ("C#-1"): the column's boxes are
    // widened to hold the longest one.
    if (low >= 0 || high >= 0) {
        int note = gEditorTextWidth("C#-1") + 4;
        if (note > box) box = note;
    }
    int x = x0 + kMargin + gEditorTextWidth(caption.label) + kLabelPadding, y = top;
    for (int f = 0; f < fields; ++f) {
        if (y > top && y > bottom - kBottomReserve) {
            x += labelWidth + box + kColumnGap;
            y = top;
        }
        const ZoneFieldDef& def = gDevice.zoneFields[f];
        EditorEntry& e = AddEntry(layout, EditorItem::kZoneField, f);
        CopyLabel(e.label, def.name);
        e.labelX = x;
        e.labelY = y;
        e.boxStyle = EditorBox::kValue;
        e.box = {x + labelWidth - 1, y, box, kEditorBoxHeight};
        e.valueRight = 1;
        e.current = pane.currentZoneField == f;
        int format = (f == low || f == high) ? kFormatNoteName : kFormatDecimal;
        FormatFieldValue(preset->zones[zone][f], def.valueMin, def.valueMax, format, e.value,
                         sizeof e.value);
        y += kEditorRowHeight;
    }
}

bool Holds(const PaneRect& r, int x, int y) {
    return r.width > 0 && r.x <= x && x < r.x + r.width && r.y <= y && y < r.y + r.height;
}

}  // namespace

EditorTextWidth gEditorTextWidth = CountingTextWidth;

int EditorValueBoxWidth() {
    int average = gFontMetrics[kFontPanelBold].averageWidth;
    return 3 * (average > 0 ? average : 7) + 2;
}

void DetailFieldLabel(int position, const char* libraryLabels, char* out, int size) {
    if (size <= 0) return;
    out[0] = '\0';
    if (position < 0 || position >= kColumnCount) return;
    const ColumnDef& field = DetailFields[position];
    char label[kNameLen] = "";
    bool haveLabel = false;
    if (gDevice.controlFieldCount > 0) {
        haveLabel = true;
        const char* text = field.label;
        int count = Clamp(gDevice.controlFieldCount, 0, kColumnCount);
        for (int i = 0; i < count; ++i) {
            const ControlFieldDef& cf = gDevice.controlFields[i];
            if (cf.id != position + 1) continue;
            if (cf.name[0])
                text = cf.name;
            else if (cf.shortName[0])
                text = cf.shortName;
            break;
        }
        CopyLabel(label, text);
    }
    if (field.kind == kColumnValue) {
        ValueLabels labels;
        ResolveValueLabels(libraryLabels, &labels);
        const char* mapped = ValueLabelFor(labels, field.subkind);
        if (mapped != nullptr && (!haveLabel || labels.fromLibrary)) CopyLabel(label, mapped);
    }
    std::snprintf(out, static_cast<size_t>(size), "%s", label[0] ? label : field.label);
}

void BuildEditorLayout(const Pane& pane, EditorLayout* layout) {
    layout->count = 0;
    layout->zoneButtons = 0;
    // A pane wider than the design keeps its content in the middle.
    int x0 = pane.rect.x + (pane.rect.width - kEditorDesignWidth) / 2;
    layout->contentX = x0;
    layout->currentZone = gDocument.currentZone;
    switch (pane.shownTab) {
        case kTabDetails:
            LayoutDetails(pane, x0, layout);
            break;
        case kTabVariables:
            LayoutVariables(pane, x0, layout);
            break;
        case kTabZones:
            LayoutZones(pane, x0, layout);
            break;
        default:
            break;
    }
    int zones = Clamp(gDevice.zoneLimit, 0, kMaxZones);
    for (int z = 0; z < zones; ++z) {
        layout->zoneButton[z] = {x0 + kZoneButtonPitch * z, pane.rect.y + pane.rect.height + 4,
                                 kZoneButtonWidth, kZoneButtonHeight};
    }
    layout->zoneButtons = zones;
}

int EditorZoneButtonAt(const EditorLayout& layout, int x, int y) {
    for (int z = 0; z < layout.zoneButtons; ++z) {
        if (Holds(layout.zoneButton[z], x, y)) return z;
    }
    return -1;
}

const EditorEntry* EditorHitTest(const EditorLayout& layout, const Pane& pane, int x, int y) {
    if (!Holds(pane.rect, x, y)) return nullptr;
    const EditorEntry* rowHit = nullptr;
    const EditorEntry* optionHit = nullptr;
    for (int i = 0; i < layout.count; ++i) {
        const EditorEntry& e = layout.entries[i];
        if (e.item == EditorItem::kVariableOption) {
            // The last option whose box holds the point.
            if (Holds(e.box, x, y)) optionHit = &e;
            continue;
        }
        // Name and parameter fields draw no box but are hit like one.
        bool hittable = e.boxStyle != EditorBox::kNone || e.item == EditorItem::kDetailField;
        if (hittable && Holds(e.box, x, y)) return &e;
        if (e.item == EditorItem::kVariable && rowHit == nullptr && Holds(e.row, x, y)) rowHit = &e;
    }
    return optionHit != nullptr ? optionHit : rowHit;
}
