// Portable drawing primitives on 24-bit pixels: the arithmetic behind every
// picture the views draw, usable on a DIB section's bits on Windows and on a
// PixelBuffer24 in the native tests.
//
// Common rules:
//   - Rectangles are x, y, width, height in the destination's coordinates.
//   - Everything is clipped to the destination's clip rectangle and, for
//     copies, to the source picture; nothing outside either is read or
//     written, whatever the arguments (negative sizes draw nothing).
//   - Alphas are 0..255 (values outside are clamped); mixing uses
//     MixChannel (rgba_image.h), the rounding rule of the whole subsystem.
//   - Source and destination must not be the same memory.
#pragma once

#include <cstdint>

#include "imaging/pixels24.h"
#include "imaging/rgba_image.h"

// Narrows a copy of the w x h source area at (*srcX, *srcY) of a
// width x height picture to that picture, moving the destination (*x, *y)
// along. False when nothing is left. Sums are 64-bit: any int arguments are
// safe.
bool ClipToSource(int width, int height, int* x, int* y, int* w, int* h, int* srcX, int* srcY);

// Draws the w x h part of image starting at its pixel (srcX, srcY) at (x, y),
// each pixel mixed in with alpha = pixel alpha * globalAlpha / 255. A size
// larger than the image draws only the image's own area. The toolbar uses
// globalAlpha 255 for enabled and 128 for disabled buttons.
void Pixels24BlendRgba(const Pixels24& dst, int x, int y, int w, int h, const RgbaImage& image,
                       int srcX, int srcY, int globalAlpha);

// Fills a rectangle with a solid colour.
void Pixels24FillSolid(const Pixels24& dst, int x, int y, int w, int h, ColourFill colour);

// Mixes colour into a rectangle with alpha / 255.
void Pixels24FillTranslucent(const Pixels24& dst, int x, int y, int w, int h, ColourFill colour,
                             int alpha);

// A translucent frame of the given thickness just inside the rectangle: four
// fills (top and bottom strips across the whole width, left and right strips
// between them), so no pixel is mixed twice.
void Pixels24FrameTranslucent(const Pixels24& dst, int x, int y, int w, int h, int thickness,
                              ColourFill colour, int alpha);

// The strips of that frame (left, top, right, bottom each): 4 strips, or 1
// (the whole rectangle) when opposite strips would meet, or 0 when there is
// nothing to draw. Shared with the Win32 frame so both draw the same pixels.
int TranslucentFrameStrips(int x, int y, int w, int h, int thickness, PixelRect strips[4]);

// Opaque copy of the w x h part of src at (srcX, srcY) to (x, y).
void Pixels24CopyPart(const Pixels24& dst, int x, int y, int w, int h, const Pixels24& src,
                      int srcX, int srcY);

// Opaque copy of the whole of src to (x, y).
void Pixels24Copy(const Pixels24& dst, int x, int y, const Pixels24& src);

// Like Pixels24CopyPart, but source pixels of the key colour (a packed
// RgbColour) are left out, showing what is beneath.
void Pixels24CopyKeyed(const Pixels24& dst, int x, int y, int w, int h, const Pixels24& src,
                       int srcX, int srcY, int32_t key);

// Fills the rectangle with repeated opaque copies of src, clipped at the
// right and bottom. The first tile starts at source column srcX (taken modulo
// the source width): the pane title strips start theirs at column 288.
void Pixels24Tile(const Pixels24& dst, int x, int y, int w, int h, const Pixels24& src, int srcX);
