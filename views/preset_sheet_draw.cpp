// Drawing the preset sheet: the device's pictures scaled onto a white page,
// the leader lines, the labels and the texts, then the PNG file's bytes.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "devices/device_definition.h"
#include "devices/folder_list.h"
#include "imaging/bitmap_font.h"
#include "imaging/composite.h"
#include "imaging/pixel_draw.h"
#include "imaging/png_decode.h"
#include "imaging/png_encode.h"
#include "imaging/resample.h"
#include "views/graphic_geometry.h"
#include "views/preset_sheet.h"

namespace {

const ColourFill kPaper = ColourFillFromRgb(kWhite);
const ColourFill kNoPicture = ColourFillFromRgb(RgbColour(236, 238, 242));
const ColourFill kLabelFrame = ColourFillFromRgb(RgbColour(40, 64, 112));
const ColourFill kLabelFill = ColourFillFromRgb(RgbColour(255, 255, 255));
const ColourFill kLabelName = ColourFillFromRgb(RgbColour(0, 0, 0));
const ColourFill kLabelNumbers = ColourFillFromRgb(RgbColour(0, 0, 128));
const ColourFill kLeader = ColourFillFromRgb(RgbColour(40, 64, 112));
constexpr int kLabelFrameWidth = 2;
constexpr int kLeaderWidth = 2;
constexpr int kLeaderDot = 8;

Pixels24 View(const PixelBuffer24& buffer) {
    // Read only: nothing draws into the pictures.
    return PixelBuffer24View(const_cast<PixelBuffer24*>(&buffer));
}

// Decodes one picture of the device's "graphics" folder onto a colour; an
// empty buffer when the name is empty or the file will not decode.
void LoadPicture(const char* name, int32_t background, PixelBuffer24* out) {
    PixelBuffer24Create(out, 0, 0, true);
    if (!name[0]) return;
    std::string path = std::string(gDevice.directory) + "graphics" + kPathSeparator + name;
    RgbaImage image;
    int32_t fileBackground = -1;
    if (!DecodePngFile(path.c_str(), &image, &fileBackground)) return;
    if (!PixelBuffer24Create(out, image.width, image.height, true)) return;
    if (!CompositeRgbaOnColour(image, background, fileBackground, PixelBuffer24View(out))) {
        PixelBuffer24Create(out, 0, 0, true);
    }
}

// The picture at the sheet's scale (the picture itself at scale 1).
const PixelBuffer24& Scaled(const PixelBuffer24& picture, float scale, PixelBuffer24* scaled) {
    if (scale == 1.0f || picture.width <= 0) return picture;
    int width = ScaleLength(picture.width, scale);
    int height = ScaleLength(picture.height, scale);
    if (!ResampleToBuffer(View(picture), width, height, scaled)) return picture;
    return *scaled;
}

void Line(const Pixels24& canvas, int x0, int y0, int x1, int y1, int width, ColourFill colour) {
    int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
    for (int i = 0; i <= steps; ++i) {
        int x = steps ? x0 + (x1 - x0) * i / steps : x0;
        int y = steps ? y0 + (y1 - y0) * i / steps : y0;
        Pixels24FillSolid(canvas, x - width / 2, y - width / 2, width, width, colour);
    }
}

void DrawLeader(const Pixels24& canvas, const SheetLabel& label) {
    const PixelRect& a = label.request.anchor;
    const PixelRect& box = label.place.box;
    int cx = (a.left + a.right) / 2;
    int cy = (a.top + a.bottom) / 2;
    int fromX = std::min(std::max(cx, box.left), box.right - 1);
    int fromY = std::min(std::max(cy, box.top), box.bottom - 1);
    Line(canvas, fromX, fromY, cx, cy, kLeaderWidth, kLeader);
    Pixels24FillSolid(canvas, cx - kLeaderDot / 2, cy - kLeaderDot / 2, kLeaderDot, kLeaderDot,
                      kLeader);
}

void DrawLabel(const Pixels24& canvas, const SheetLabel& label) {
    const PixelRect& box = label.place.box;
    int w = box.right - box.left;
    int h = box.bottom - box.top;
    Pixels24FillSolid(canvas, box.left, box.top, w, h, kLabelFrame);
    Pixels24FillSolid(canvas, box.left + kLabelFrameWidth, box.top + kLabelFrameWidth,
                      w - 2 * kLabelFrameWidth, h - 2 * kLabelFrameWidth, kLabelFill);
    // Clipped to the box: a fitted text never reaches past it, and this
    // keeps it so whatever the font.
    Pixels24 inside = Pixels24WithClip(canvas, box);
    int x = box.left + kSheetLabelPadding;
    int y = box.top + kSheetLabelPadding;
    DrawBitmapText(inside, x, y, label.name.c_str(), kSheetTextScale, kLabelName);
    DrawBitmapText(inside, x, y + BitmapLineHeight(kSheetTextScale) - kSheetTextScale,
                   label.numbers.c_str(), kSheetTextScale, kLabelNumbers);
}

}  // namespace

void LoadSheetPictures(SheetPictures* pictures) {
    LoadPicture(gDevice.background, kWhite, &pictures->background);
    const int32_t colour = static_cast<int32_t>(gDevice.colour);
    for (int t = 0; t < kMaxControllerTypes; ++t) {
        const bool used = t < gDevice.typeCount;
        LoadPicture(used ? gDevice.types[t].background : "", colour, &pictures->typeBackground[t]);
        LoadPicture(used ? gDevice.types[t].normalImage : "", colour, &pictures->typeNormal[t]);
    }
}

int DrawPresetSheet(const SheetPictures& pictures, const PresetSheetLayout& layout,
                    PixelBuffer24* out) {
    if (!ImageSizeAllowed(layout.width, layout.height) ||
        !PixelBuffer24Create(out, layout.width, layout.height, true)) {
        return 0;
    }
    const Pixels24 canvas = PixelBuffer24View(out);
    Pixels24FillSolid(canvas, 0, 0, layout.width, layout.height, kPaper);

    const PixelRect& picture = layout.picture;
    PixelBuffer24 scaled;
    if (pictures.background.width > 0) {
        const PixelBuffer24& shown = Scaled(pictures.background, layout.scale, &scaled);
        Pixels24Copy(canvas, picture.left, picture.top, View(shown));
    } else {
        Pixels24FillSolid(canvas, picture.left, picture.top, picture.right - picture.left,
                          picture.bottom - picture.top, kNoPicture);
    }

    // Each type's pictures are scaled once, then keyed out as the view does.
    const int32_t key = static_cast<int32_t>(gDevice.colour);
    PixelBuffer24 backs[kMaxControllerTypes];
    PixelBuffer24 fronts[kMaxControllerTypes];
    bool made[kMaxControllerTypes] = {};
    for (const SheetControl& control : layout.controls) {
        int t = gDevice.controls[control.control].typeIndex;
        if (t < 0 || t >= kMaxControllerTypes) t = 0;
        if (!made[t]) {
            PixelBuffer24 back;
            PixelBuffer24 front;
            const PixelBuffer24& b = Scaled(pictures.typeBackground[t], layout.scale, &back);
            const PixelBuffer24& f = Scaled(pictures.typeNormal[t], layout.scale, &front);
            backs[t] = b;
            fronts[t] = f;
            made[t] = true;
        }
        if (backs[t].width > 0) {
            Pixels24CopyKeyed(canvas, control.back.left, control.back.top, backs[t].width,
                              backs[t].height, View(backs[t]), 0, 0, key);
        }
        if (fronts[t].width > 0) {
            Pixels24CopyKeyed(canvas, control.front.left, control.front.top, fronts[t].width,
                              fronts[t].height, View(fronts[t]), 0, 0, key);
        }
    }

    // Leaders under the labels, so a line never crosses a label's text.
    for (const SheetLabel& label : layout.labels) {
        if (label.place.leader) DrawLeader(canvas, label);
    }
    for (const SheetLabel& label : layout.labels) DrawLabel(canvas, label);
    for (const SheetText& text : layout.texts) {
        DrawBitmapText(canvas, text.x, text.y, text.text.c_str(), text.scale,
                       ColourFillFromRgb(text.colour), text.bold != 0);
    }
    return 1;
}

int MakePresetSheetPng(const SheetPictures& pictures, const BankData& bank, const char* bankTitle,
                       int preset, std::vector<uint8_t>* png) {
    png->clear();
    PresetSheetLayout layout;
    LayoutPresetSheet(pictures, bank, bankTitle, preset, &layout);
    PixelBuffer24 page;
    if (!DrawPresetSheet(pictures, layout, &page)) return 0;
    return EncodePng24(PixelBuffer24View(&page), png);
}
