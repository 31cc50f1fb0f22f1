// Bilinear resampling of 24-bit pixels (device pictures shown at the graphic
// view's scale).
//
// With steps sx = source width / target width and sy = source height /
// target height, target pixel (i, j) samples the source at x = i * sx,
// y = j * sy. Its neighbours are the columns trunc(x) and trunc(x + 0.5) and
// the rows trunc(y) and trunc(y + 0.5), weighted by the fractional parts
// fx = x - trunc(x), fy = y - trunc(y):
//     v = p(x0,y0)(1-fx)(1-fy) + p(x1,y0) fx (1-fy) + p(x0,y1)(1-fx) fy + p(x1,y1) fx fy
// and each channel is trunc(v + 0.5). So a sample in the first half of a
// source pixel takes that pixel alone (its second neighbour is itself), and
// one in the second half mixes in the next pixel. Neighbours past the last
// column or row are the last column or row.
#pragma once

#include "imaging/pixels24.h"

// Resamples the whole of src (its clip is ignored) to fill the whole of dst
// at dst's size. Returns 1, or 0 when either is empty (dst untouched).
int ResampleBilinear(const Pixels24& src, const Pixels24& dst);

// Resamples src into a new top-down buffer of the given size. Returns 1, or 0
// (out empty) when a size is not allowed or memory runs out.
int ResampleToBuffer(const Pixels24& src, int newWidth, int newHeight, PixelBuffer24* out);
