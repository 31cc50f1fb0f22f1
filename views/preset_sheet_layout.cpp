// Laying out the preset sheet: its texts, where the picture and each control
// go, and the labels' places (views/preset_sheet.h).
#include <algorithm>
#include <cstdio>

#include "banks/bank_commands.h"
#include "base/messages.h"
#include "devices/device_definition.h"
#include "imaging/bitmap_font.h"
#include "views/column_text.h"
#include "views/graphic_geometry.h"
#include "views/list_columns.h"
#include "views/preset_sheet.h"
#include "views/zone_notes.h"

namespace {

constexpr int32_t kTitleColour = RgbColour(0, 0, 96);
constexpr int32_t kTextColour = RgbColour(32, 32, 40);
// A control without pictures still gets a place for its label to point at.
constexpr int kBareControlSize = 12;
// No device picture at all: an empty area of this size stands in for it.
constexpr int kBarePictureWidth = 800;
constexpr int kBarePictureHeight = 300;

std::string Text(int id, FormatArg argument = FormatArg()) {
    char buffer[kMaxShortText + 1] = "";
    FormatStringById(buffer, id, argument);
    return buffer;
}

std::string Text2(int id, FormatArg first, FormatArg second) {
    char format[kMaxShortText + 1] = "";
    CopyStringById(format, id);
    char buffer[kMaxShortText + 1] = "";
    FormatText2(buffer, sizeof buffer, format, first, second);
    return buffer;
}

std::string Fitted(const std::string& text, int maxWidth, int scale) {
    char out[512];
    FitBitmapText(text.c_str(), maxWidth, scale, out, sizeof out);
    return out;
}

int LabelLineHeight() {
    return BitmapLineHeight(kSheetTextScale);
}
int LabelMaxWidth() {
    return BitmapTextWidth(kSheetLabelChars, kSheetTextScale) + 2 * kSheetLabelPadding;
}
int LabelHeight() {
    return 2 * LabelLineHeight() + 2 * kSheetLabelPadding - kSheetTextScale;
}

// The "Parameter" text of the list view, else the control's own name.
std::string LabelName(int control, const PresetRecord& preset) {
    ColumnDef parameter = kListColumns[0];
    parameter.kind = kColumnParameter;
    parameter.subkind = -1;
    char text[kNameLen * 2];
    ColumnCellText(parameter, control, preset, text, sizeof text);
    return text[0] ? text : gDevice.controls[control].name;
}

// The numbers as the graphic view's labels show them: no CC for 255, no
// channel for 0.
std::string LabelNumbers(const PresetControl& assignment) {
    std::string numbers;
    if (assignment.midiCc != 255) numbers = Text(kStrSheetCc, assignment.midiCc);
    if (assignment.channel != 0) {
        if (!numbers.empty()) numbers += "  ";
        numbers += Text(kStrSheetChannel, assignment.channel);
    }
    return numbers.empty() ? "-" : numbers;
}

PixelRect Offset(const DocRect& r, int x, int y) {
    PixelRect out;
    out.left = r.left + x;
    out.top = r.top + y;
    out.right = r.right + x;
    out.bottom = r.bottom + y;
    return out;
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
    if (PixelRectIsEmpty(a)) return b;
    if (PixelRectIsEmpty(b)) return a;
    PixelRect out;
    out.left = std::min(a.left, b.left);
    out.top = std::min(a.top, b.top);
    out.right = std::max(a.right, b.right);
    out.bottom = std::max(a.bottom, b.bottom);
    return out;
}

void Move(PixelRect* r, int dx, int dy) {
    r->left += dx;
    r->right += dx;
    r->top += dy;
    r->bottom += dy;
}

// Moves the picture, its controls and their labels together.
void Shift(PresetSheetLayout* layout, int dx, int dy) {
    Move(&layout->picture, dx, dy);
    for (SheetControl& control : layout->controls) {
        Move(&control.back, dx, dy);
        Move(&control.front, dx, dy);
    }
    for (SheetLabel& label : layout->labels) {
        Move(&label.request.anchor, dx, dy);
        Move(&label.place.box, dx, dy);
    }
}

float SheetScale(int width) {
    if (width <= 0) return 1.0f;
    float scale = static_cast<float>(kSheetPictureWidth) / width;
    return std::min(kSheetMaxScale, scale);
}

void PlaceControls(const SheetPictures& pictures, PresetSheetLayout* layout) {
    const int count = std::min(gDevice.controlCount, kMaxControls);
    const int originX = layout->picture.left;
    const int originY = layout->picture.top;
    for (int c = 0; c < count; ++c) {
        const ControlDef& def = gDevice.controls[c];
        if (def.zone != 0 && def.zone != 1) continue;  // the first zone stands for the others
        int type = def.typeIndex >= 0 && def.typeIndex < kMaxControllerTypes ? def.typeIndex : 0;
        const PixelBuffer24& back = pictures.typeBackground[type];
        const PixelBuffer24& front = pictures.typeNormal[type];
        SheetControl placed = {c, PixelRect{}, PixelRect{}};
        if (back.width > 0) {
            placed.back =
                Offset(ScaledCentredRect(double(def.backgroundCentre[0]) - gDevice.bounds[0],
                                         double(def.backgroundCentre[1]) - gDevice.bounds[1],
                                         back.width, back.height, layout->scale),
                       originX, originY);
        }
        placed.front = Offset(ScaledCentredRect(double(def.overlayCentre[0]) - gDevice.bounds[0],
                                                double(def.overlayCentre[1]) - gDevice.bounds[1],
                                                front.width, front.height, layout->scale),
                              originX, originY);
        layout->controls.push_back(placed);
    }
}

void MakeLabels(const PresetRecord& preset, PresetSheetLayout* layout) {
    const int nameWidth = BitmapTextWidth(kSheetLabelChars, kSheetTextScale);
    for (const SheetControl& placed : layout->controls) {
        SheetLabel label;
        label.control = placed.control;
        label.name = Fitted(LabelName(placed.control, preset), nameWidth, kSheetTextScale);
        label.numbers =
            Fitted(LabelNumbers(preset.controls[placed.control]), nameWidth, kSheetTextScale);
        PixelRect anchor = Union(placed.back, placed.front);
        if (PixelRectIsEmpty(anchor)) {
            int cx = placed.front.left;
            int cy = placed.front.top;
            anchor = PixelRect{cx - kBareControlSize / 2, cy - kBareControlSize / 2,
                               cx + kBareControlSize / 2, cy + kBareControlSize / 2};
        }
        int textWidth = std::max(BitmapTextWidth(label.name.c_str(), kSheetTextScale),
                                 BitmapTextWidth(label.numbers.c_str(), kSheetTextScale));
        label.request =
            SheetLabelRequest{anchor, textWidth + 2 * kSheetLabelPadding, LabelHeight()};
        layout->labels.push_back(label);
    }
}

// The zone fields of one zone: "Channel 2, Low Note C 1, ...".
std::string ZoneFields(const PresetRecord& preset, int zone) {
    int low = -1;
    int high = -1;
    DeviceDefinitionZoneNoteFields(&gDevice, &low, &high);
    std::string line;
    const int fields = std::min(gDevice.zoneFieldCount, kMaxZoneFields);
    for (int f = 0; f < fields; ++f) {
        char value[kValueTextLen];
        if (f == low || f == high) {
            FormatNoteName(preset.zones[zone][f], value, sizeof value);
        } else {
            std::snprintf(value, sizeof value, "%d", preset.zones[zone][f]);
        }
        if (!line.empty()) line += ", ";
        line += std::string(gDevice.zoneFields[f].name) + " " + value;
    }
    return line;
}

// The controls that belong to one zone: "Pitch Wheel: Pitch Bend (CC 128  Ch 2)".
std::string ZoneControls(const PresetRecord& preset, int zone) {
    std::string line;
    const int count = std::min(gDevice.controlCount, kMaxControls);
    for (int c = 0; c < count; ++c) {
        if (gDevice.controls[c].zone != zone + 1) continue;
        if (!line.empty()) line += ";  ";
        line += std::string(gDevice.controls[c].name) + ": " + LabelName(c, preset) + " (" +
                LabelNumbers(preset.controls[c]) + ")";
    }
    return line;
}

int AddZones(const PresetRecord& preset, int top, PresetSheetLayout* layout) {
    const int zones = std::min(gDevice.zoneLimit, kMaxZones);
    if (zones <= 0) return top;
    const int line = BitmapLineHeight(kSheetTextScale);
    const int x = kSheetMargin;
    const int width = layout->width - 2 * kSheetMargin;
    int y = top + line;
    layout->texts.push_back(
        SheetText{x, y, kSheetTextScale, 1, kTitleColour, Text(kStrSheetZones)});
    y += line + line / 2;
    const std::string zoneWord = Text(kStrSheetZone, 9);
    const int indent = BitmapTextWidth(static_cast<int>(zoneWord.size()) + 1, kSheetTextScale);
    for (int z = 0; z < zones; ++z) {
        layout->texts.push_back(
            SheetText{x, y, kSheetTextScale, 1, kTitleColour, Text(kStrSheetZone, z + 1)});
        layout->texts.push_back(
            SheetText{x + indent, y, kSheetTextScale, 0, kTextColour,
                      Fitted(ZoneFields(preset, z), width - indent, kSheetTextScale)});
        y += line;
        std::string controls = ZoneControls(preset, z);
        if (!controls.empty()) {
            layout->texts.push_back(SheetText{x + indent, y, kSheetTextScale, 0, kTextColour,
                                              Fitted(controls, width - indent, kSheetTextScale)});
            y += line;
        }
        y += line / 3;
    }
    return y;
}

}  // namespace

void LayoutPresetSheet(const SheetPictures& pictures, const BankData& bank, const char* bankTitle,
                       int preset, PresetSheetLayout* layout) {
    *layout = PresetSheetLayout{};
    if (preset < 0 || preset >= kMaxPresets) preset = 0;
    const PresetRecord& record = bank.presets[preset];

    int boundsWidth = gDevice.bounds[2];
    int boundsHeight = gDevice.bounds[3];
    if (boundsWidth <= 0 || boundsHeight <= 0) {
        boundsWidth = pictures.background.width;
        boundsHeight = pictures.background.height;
    }
    layout->scale = SheetScale(boundsWidth);
    int pictureWidth = ScaleLength(boundsWidth, layout->scale);
    int pictureHeight = ScaleLength(boundsHeight, layout->scale);
    if (pictureWidth <= 0 || pictureHeight <= 0) {
        pictureWidth = kBarePictureWidth;
        pictureHeight = kBarePictureHeight;
    }

    // Header: the preset, then its bank and the model.
    const int titleLine = BitmapLineHeight(kSheetTitleScale);
    const int textLine = BitmapLineHeight(kSheetTextScale);
    int y = kSheetMargin;
    layout->texts.push_back(SheetText{kSheetMargin, y, kSheetTitleScale, 1, kTitleColour,
                                      Text2(kStrSheetTitle, preset + 1, record.name)});
    y += titleLine + textLine / 2;
    layout->texts.push_back(SheetText{kSheetMargin, y, kSheetTextScale, 0, kTextColour,
                                      Text2(kStrSheetBank, bankTitle, gDevice.name)});
    y += textLine * 2;

    // The label field: the picture with room for labels on every side.
    const int roomX = LabelMaxWidth() + kSheetLabelGap;
    const int roomY = 2 * (LabelHeight() + kSheetLabelGap);
    PixelRect field;
    field.left = kSheetMargin;
    field.top = y;
    field.right = field.left + pictureWidth + 2 * roomX;
    field.bottom = field.top + pictureHeight + 2 * roomY;
    layout->picture =
        PixelRect{field.left + roomX, field.top + roomY, field.left + roomX + pictureWidth,
                  field.top + roomY + pictureHeight};
    layout->width = field.right + kSheetMargin;  // until the unused room goes, below

    PlaceControls(pictures, layout);
    MakeLabels(record, layout);
    std::vector<SheetLabelRequest> requests;
    for (const SheetLabel& label : layout->labels) requests.push_back(label.request);
    std::vector<SheetLabelPlace> places;
    PlaceSheetLabels(field, kSheetLabelGap, requests, &places);
    for (size_t i = 0; i < places.size(); ++i) layout->labels[i].place = places[i];

    // The room no label took goes: the picture and its labels move up under
    // the header and left to the margin, and the zones follow them.
    PixelRect used = layout->picture;
    for (const SheetLabel& label : layout->labels) used = Union(used, label.place.box);
    Shift(layout, field.left - used.left, field.top - used.top);
    int right = used.right - used.left + field.left;
    for (const SheetText& text : layout->texts) {
        right = std::max(right, text.x + BitmapTextWidth(text.text.c_str(), text.scale));
    }
    layout->width = right + kSheetMargin;
    layout->height =
        AddZones(record, used.bottom - used.top + field.top + textLine / 2, layout) + kSheetMargin;
}

std::string PresetSheetFileName(const char* bankTitle, int preset, const char* presetName) {
    char number[16];
    std::snprintf(number, sizeof number, "%d", preset + 1);
    return UsableFileName(std::string(bankTitle) + " - " + number + " " + presetName) + ".png";
}
