// EditorDocument: the state the device view and its companions share beside
// the loaded device definition: the picture of the device at its current
// scale, where each control sits on it, which controls are selected, the
// current control and the zone being edited. User-interface thread only.
#pragma once

#include <cstdint>

#include "imaging/image_bitmap.h"

constexpr int kDocMaxControls = 100;
constexpr int kDocMaxTypes = 32;

// Left, top, right, bottom in scaled picture pixels.
struct DocRect {
    int left;
    int top;
    int right;
    int bottom;
};

// The four pictures of a controller type, scaled, with their unscaled sizes.
struct TypePictures {
    ImageBitmap background;
    ImageBitmap backgroundSelected;
    ImageBitmap normal;
    ImageBitmap selected;
    int unscaledWidth[4];  // background, background selected, normal, selected
    int unscaledHeight[4];
};

// Where one control of the loaded device sits on the picture.
struct DocControl {
    int zone;          // 0: shown in every zone; else the zone number from 1
    int type;          // index of its controller type
    int firstCentreX;  // centre of the type's background picture
    int firstCentreY;
    int secondCentreX;  // centre of the type's normal / selected picture
    int secondCentreY;
    DocRect backgroundRect;
    DocRect overlayRect;
};

struct EditorDocument {
    // Picture state (graphic view).
    float scale = 1.0f;
    int scrollMode = 0;  // non-zero: the picture is wider than the view and scrolls
    ImageBitmap background;
    int backgroundWidth = 0;  // scaled
    int backgroundHeight = 0;
    int offX = 0;  // centring offsets, signed
    int offY = 0;
    int builtWidth = 0;  // the view size the pictures were scaled for
    int builtHeight = 0;
    int hasPictures = 0;  // a device's pictures are built (released at the next load)
    TypePictures types[kDocMaxTypes];
    DocControl controls[kDocMaxControls];

    // Selection. The selection flags themselves are the bank model's control
    // selection (gSelection.controls, banks/bank_model.h), which copy, paste
    // and drag work with; the document keeps what the last repaint showed so
    // that a quick redraw paints only the controls whose flag changed.
    uint8_t paintedSelection[kDocMaxControls] = {};
    uint8_t changed[kDocMaxControls] = {};
    int currentZone = 0;     // the zone being edited; controls of zone 0 or currentZone + 1 show
    int quickRedraw = 0;     // 1 while only changed controls are painted straight on the window
};

extern EditorDocument gDocument;
