// The preset sheet: one preset of the loaded model (gDevice) as a picture to
// print and stick beside the controller. The device picture, enlarged, with a
// label at each control (the list view's "Parameter" text, or the control's
// name when nothing names it, over its CC and channel), the preset's and the
// bank's names in a header, and for keyboard models the zones listed below.
//
// Portable: the program's File > Export Preset Sheet... and `ostrel-cli preset
// sheet` make the same picture. Text is drawn with the built-in bitmap font
// (imaging/bitmap_font.h) at print size; the labels are placed by
// views/sheet_labels.h, so that they never overlap.
//
// Sheet layout, top to bottom: margin, header (title, then bank and device),
// the label field (the picture with room for labels on every side), the
// overflow rows of labels that found no room beside their controls, the
// zones, margin.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "banks/bank_model.h"
#include "imaging/pixels24.h"
#include "views/sheet_labels.h"

// Sizes of the sheet, in its pixels.
// The device picture is scaled to this width: small pictures are enlarged (at
// most 4 times), and a picture too wide for a page is made smaller.
constexpr int kSheetPictureWidth = 1800;
constexpr float kSheetMaxScale = 4.0f;
constexpr int kSheetMargin = 32;
constexpr int kSheetTitleScale = 4;  // font scales (imaging/bitmap_font.h)
constexpr int kSheetTextScale = 2;
constexpr int kSheetLabelChars = 16;  // longer parameter names end in an ellipsis
constexpr int kSheetLabelPadding = 5;
constexpr int kSheetLabelGap = 6;

// The device's pictures, decoded at their own size: the background on white,
// each controller type's background and normal pictures on the definition's
// colour (which drawing them then keys out, as the graphic view does).
struct SheetPictures {
    PixelBuffer24 background;
    PixelBuffer24 typeBackground[kMaxControllerTypes];
    PixelBuffer24 typeNormal[kMaxControllerTypes];
};
void LoadSheetPictures(SheetPictures* pictures);

struct SheetText {
    int x;
    int y;
    int scale;
    int bold;
    int32_t colour;  // RgbColour
    std::string text;
};

struct SheetLabel {
    int control;
    std::string name;     // fitted to kSheetLabelChars
    std::string numbers;  // "CC 74  Ch 2"
    SheetLabelRequest request;
    SheetLabelPlace place;
};

struct SheetControl {
    int control;
    PixelRect back;   // the type's background picture, in sheet pixels (may be empty)
    PixelRect front;  // the type's normal picture
};

struct PresetSheetLayout {
    int width = 0;
    int height = 0;
    float scale = 1.0f;
    PixelRect picture;                   // where the device picture goes
    std::vector<SheetControl> controls;  // drawn and labelled: zone 0 and zone 1
    std::vector<SheetLabel> labels;
    std::vector<SheetText> texts;  // header and zones
};

// Lays out the sheet of preset `preset` of `bank` (of the loaded model),
// titled with bankTitle, for pictures of the sizes in `pictures`.
void LayoutPresetSheet(const SheetPictures& pictures, const BankData& bank, const char* bankTitle,
                       int preset, PresetSheetLayout* layout);

// Draws a laid-out sheet into *out (made the sheet's size). Returns 1, or 0
// when the picture cannot be had (too large, no memory).
int DrawPresetSheet(const SheetPictures& pictures, const PresetSheetLayout& layout,
                    PixelBuffer24* out);

// All of it for one preset: the PNG file's bytes. Returns 1, or 0 (png
// empty) when the picture cannot be made.
int MakePresetSheetPng(const SheetPictures& pictures, const BankData& bank, const char* bankTitle,
                       int preset, std::vector<uint8_t>* png);

// The file name a sheet is offered under: "<bank> - <preset number> <preset
// name>.png", with the characters a file name cannot hold replaced by "_".
std::string PresetSheetFileName(const char* bankTitle, int preset, const char* presetName);
