// Where the preset sheet puts the label of each control: beside its control
// where there is room, else in rows below the picture, joined to the control
// by a leader line. Pure geometry, so that the rules can be tested natively;
// views/preset_sheet.cpp measures the labels and draws them.
//
// Rules, kept for any number, size and position of controls and labels:
//   1. No two label boxes overlap; `gap` pixels stay free between them.
//   2. No label box overlaps a control (any request's anchor).
//   3. Every box lies inside the field horizontally (a box wider than the
//      field starts at its left edge) and vertically inside the field or in
//      the overflow rows that follow its bottom edge.
//   4. Labels are placed one by one in reading order of their controls (top
//      to bottom, then left to right), each at the first free place of a
//      fixed list of candidates: below its control, above, right, left, then
//      the same further away and shifted sideways; a label that finds none
//      goes to the first overflow row with room, as near below its control
//      as that row allows.
//   5. A label that does not touch its control (within `gap`) gets a leader.
#pragma once

#include <vector>

#include "imaging/pixels24.h"

struct SheetLabelRequest {
    PixelRect anchor;  // the control, in sheet pixels
    int width;         // the label's box
    int height;
};

struct SheetLabelPlace {
    PixelRect box;
    int leader;    // 1: drawn with a line to its control
    int overflow;  // 1: in the rows below the field
};

// Places every request (places gets one entry per request, in request
// order). Returns the bottom of the lowest box, or field.bottom when all fit
// in the field.
int PlaceSheetLabels(const PixelRect& field, int gap,
                     const std::vector<SheetLabelRequest>& requests,
                     std::vector<SheetLabelPlace>* places);

// Whether two rectangles share a pixel once `a` is grown by `margin` on
// every side.
bool SheetRectsMeet(const PixelRect& a, const PixelRect& b, int margin);
