// The graphic view's geometry: the picture scale for a pane, the rounding of
// each control's two rectangles, the hit test, the rubber band's selection
// and the CC/Ch label texts. Portable; the pictures themselves are built by
// views/graphic_pictures.cpp and drawn by views/device_view_paint_win32.cpp.
#pragma once

#include "devices/device_definition.h"
#include "views/editor_document.h"
#include "views/pane.h"

// The picture sits this far inside the pane on every side.
constexpr int kPictureMargin = 4;
// Below this scale the picture scrolls sideways (unless fitted), above the
// cap it is not enlarged (unless fitted).
constexpr float kScrollScale = 0.5f;
constexpr float kMaxUnfittedScale = 2.0f;
// Below this scale the labels show the controller number only.
constexpr float kFullLabelScale = 0.66f;

// The scale for a view of W x H pixels; scrollMode set when the picture is
// wider than the view at that scale. scrollBarHeight is the horizontal bar's.
void ComputeGraphicScale(const DeviceDefinition& def, int viewWidth, int viewHeight, int fitMode,
                         int scrollBarHeight, float* scale, int* scrollMode);

// trunc(size * scale + 0.5): how sizes and positions are scaled.
int ScaleLength(double size, float scale);

// The rectangle of a picture of unscaled size w x h centred on (cx, cy), in
// scaled picture pixels.
DocRect ScaledCentredRect(double cx, double cy, int w, int h, float scale);

// Fills each control's zone, type, centres and both rectangles from def and
// the unscaled picture sizes in doc's types (also into def's controls).
void LayoutGraphicControls(DeviceDefinition* def, EditorDocument* doc);

// The centring offsets of a background of scaled size w x h.
void CentreBackground(EditorDocument* doc, int viewWidth, int viewHeight);

// Whether control i shows in the zone being edited.
int ControlInZone(const EditorDocument& doc, int control);

// The picture point of a pane-relative point (px, py), with the horizontal
// scroll position in scroll mode.
void PanePointToPicture(const EditorDocument& doc, int scrollPosition, int px, int py, int* x,
                        int* y);

// The first control (index order, shown zone only) whose background
// rectangle (when its type has a background picture) or overlay rectangle
// holds the picture point; -1 for none.
int HitGraphicControl(const EditorDocument& doc, int controlCount, int x, int y);

// Sets selected[i] = 1 for every control whose rectangle lies wholly inside
// the picture rectangle spanned by the two points (any zone). Returns the
// number selected.
int SelectControlsInBand(const EditorDocument& doc, int controlCount, int x1, int y1, int x2,
                         int y2, uint8_t* selected);

// The CC/Ch label of a control: 0 when it shows none.
int FormatCcChLabel(int cc, int channel, float scale, char* out, int size);

// The CC/Ch label of a control whose picture covers `picture`, as drawn: the
// label centred on the picture when its box (text + 2 wide, textHeight high)
// fits inside; else the controller number alone (what a small control keeps),
// centred on the picture when it fits, else just below it, centred, where a
// row of small buttons leaves room for a short number under each. Labels are
// drawn after every control, so the next control never covers one. Returns
// 0 when the control shows no label.
struct CcChLabel {
    char text[24];
    PaneRect box;
};
int PlaceCcChLabel(int cc, int channel, float scale, const PaneRect& picture, int textHeight,
                   int (*measure)(const char* text, void* context), void* context, CcChLabel* out);
