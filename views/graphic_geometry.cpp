#include "views/graphic_geometry.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr int kNoController = 255;

int Inside(const DocRect& r, int x, int y) {
    return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

int HasBackgroundPicture(const EditorDocument& doc, int control) {
    int type = doc.controls[control].type;
    return type >= 0 && type < kDocMaxTypes && !ImageBitmapIsEmpty(doc.types[type].background);
}

}  // namespace

void ComputeGraphicScale(const DeviceDefinition& def, int viewWidth, int viewHeight, int fitMode,
                         int scrollBarHeight, float* scale, int* scrollMode) {
    *scrollMode = 0;
    int boundsWidth = def.bounds[2];
    int boundsHeight = def.bounds[3];
    if (boundsWidth <= 0 || boundsHeight <= 0) {
        *scale = 1.0f;  // a definition without bounds: the pictures as they are
        return;
    }
    float sx = static_cast<float>(viewWidth - 2 * kPictureMargin) / boundsWidth;
    float sy = static_cast<float>(viewHeight - 2 * kPictureMargin) / boundsHeight;
    *scale = sx < sy ? sx : sy;
    if (fitMode) {
        if (*scale <= 0.0f) *scale = 1.0f;
        return;
    }
    if (*scale < kScrollScale) {
        float s2 =
            static_cast<float>(viewHeight - 2 * kPictureMargin - scrollBarHeight) / boundsHeight;
        if (boundsWidth * s2 > viewWidth - 2 * kPictureMargin) {
            *scale = s2;
            *scrollMode = 1;
        }
    }
    if (*scale > kMaxUnfittedScale) *scale = kMaxUnfittedScale;
    if (*scale <= 0.0f) *scale = 1.0f;  // a pane too small to show anything
}

int ScaleLength(double size, float scale) {
    // Positions from a definition file can be anything an integer holds:
    // kept where an int can take them.
    constexpr double kLimit = 1 << 28;
    double scaled = size * scale + 0.5;
    if (scaled > kLimit) scaled = kLimit;
    if (scaled < -kLimit) scaled = -kLimit;
    return static_cast<int>(scaled);
}

DocRect ScaledCentredRect(double cx, double cy, int w, int h, float scale) {
    double halfW = w / 2.0;
    double halfH = h / 2.0;
    return DocRect{ScaleLength(cx - halfW, scale), ScaleLength(cy - halfH, scale),
                   ScaleLength(cx + halfW, scale), ScaleLength(cy + halfH, scale)};
}

void LayoutGraphicControls(DeviceDefinition* def, EditorDocument* doc) {
    int count = def->controlCount < kDocMaxControls ? def->controlCount : kDocMaxControls;
    for (int i = 0; i < count; ++i) {
        ControlDef& control = def->controls[i];
        DocControl& placed = doc->controls[i];
        int type =
            control.typeIndex >= 0 && control.typeIndex < kDocMaxTypes ? control.typeIndex : 0;
        placed.zone = control.zone;
        placed.type = type;
        placed.firstCentreX = control.backgroundCentre[0];
        placed.firstCentreY = control.backgroundCentre[1];
        placed.secondCentreX = control.overlayCentre[0];
        placed.secondCentreY = control.overlayCentre[1];
        const TypePictures& pictures = doc->types[type];
        // Differences in double: a centre and a bound far apart overflow an int.
        placed.backgroundRect =
            ScaledCentredRect(double(placed.firstCentreX) - def->bounds[0],
                              double(placed.firstCentreY) - def->bounds[1],
                              pictures.unscaledWidth[0], pictures.unscaledHeight[0], doc->scale);
        placed.overlayRect =
            ScaledCentredRect(double(placed.secondCentreX) - def->bounds[0],
                              double(placed.secondCentreY) - def->bounds[1],
                              pictures.unscaledWidth[2], pictures.unscaledHeight[2], doc->scale);
        const DocRect& b = placed.backgroundRect;
        const DocRect& o = placed.overlayRect;
        control.backgroundRect = DeviceRect{b.left, b.top, b.right, b.bottom};
        control.overlayRect = DeviceRect{o.left, o.top, o.right, o.bottom};
    }
}

void CentreBackground(EditorDocument* doc, int viewWidth, int viewHeight) {
    doc->offX = (viewWidth - doc->backgroundWidth - 2 * kPictureMargin) / 2;
    doc->offY = (viewHeight - doc->backgroundHeight - 2 * kPictureMargin) / 2;
}

int ControlInZone(const EditorDocument& doc, int control) {
    int zone = doc.controls[control].zone;
    return zone == 0 || zone == doc.currentZone + 1;
}

void PanePointToPicture(const EditorDocument& doc, int scrollPosition, int px, int py, int* x,
                        int* y) {
    if (doc.scrollMode) {
        *x = px - kPictureMargin + scrollPosition;
        *y = py - kPictureMargin;
    } else {
        *x = px - kPictureMargin - doc.offX;
        *y = py - kPictureMargin - doc.offY;
    }
}

int HitGraphicControl(const EditorDocument& doc, int controlCount, int x, int y) {
    int count = controlCount < kDocMaxControls ? controlCount : kDocMaxControls;
    for (int i = 0; i < count; ++i) {
        if (!ControlInZone(doc, i)) continue;
        const DocControl& control = doc.controls[i];
        if (HasBackgroundPicture(doc, i) && Inside(control.backgroundRect, x, y)) return i;
        if (Inside(control.overlayRect, x, y)) return i;
    }
    return -1;
}

int SelectControlsInBand(const EditorDocument& doc, int controlCount, int x1, int y1, int x2,
                         int y2, uint8_t* selected) {
    int left = x1 < x2 ? x1 : x2;
    int right = x1 < x2 ? x2 : x1;
    int top = y1 < y2 ? y1 : y2;
    int bottom = y1 < y2 ? y2 : y1;
    int count = controlCount < kDocMaxControls ? controlCount : kDocMaxControls;
    int chosen = 0;
    for (int i = 0; i < count; ++i) {
        const DocControl& control = doc.controls[i];
        const DocRect& r =
            HasBackgroundPicture(doc, i) ? control.backgroundRect : control.overlayRect;
        if (r.left >= left && r.right <= right && r.top >= top && r.bottom <= bottom) {
            selected[i] = 1;
            ++chosen;
        }
    }
    return chosen;
}

int FormatCcChLabel(int cc, int channel, float scale, char* out, int size) {
    out[0] = '\0';
    if (cc == kNoController && channel == 0) return 0;
    if (scale < kFullLabelScale) {
        if (cc == kNoController) return 0;
        std::snprintf(out, static_cast<size_t>(size), "%d", cc);
    } else if (cc == kNoController) {
        std::snprintf(out, static_cast<size_t>(size), "%d", channel);
    } else if (channel != 0) {
        std::snprintf(out, static_cast<size_t>(size), "%d/%d", cc, channel);
    } else {
        std::snprintf(out, static_cast<size_t>(size), "%d", cc);
    }
    return 1;
}

int PlaceCcChLabel(int cc, int channel, float scale, const PaneRect& picture, int textHeight,
                   int (*measure)(const char* text, void* context), void* context, CcChLabel* out) {
    if (!FormatCcChLabel(cc, channel, scale, out->text, sizeof out->text)) return 0;
    // The controller number alone is what a small control keeps.
    if (cc != kNoController && std::strchr(out->text, '/') != nullptr) {
        int full = measure(out->text, context) + 2;
        if (full > picture.width || textHeight > picture.height) {
            std::snprintf(out->text, sizeof out->text, "%d", cc);
        }
    }
    int width = measure(out->text, context) + 2;
    int left = picture.x + (picture.width - width) / 2;
    if (width <= picture.width && textHeight <= picture.height) {
        out->box = {left, picture.y + (picture.height - textHeight) / 2, width, textHeight};
    } else {
        out->box = {left, picture.y + picture.height + 1, width, textHeight};
    }
    return 1;
}
