// Compositing a decoded PNG onto a solid background colour.
//
// Device pictures are drawn often (every repaint, scaled, keyed against
// white or the definition's colour) and need no per-pixel alpha once their
// background is known, so they are flattened to 24 bits once per device
// load. Each channel of each pixel becomes
//     alpha 255: the pixel; alpha 0: the background;
//     otherwise  v = pixel * alpha + background * (255 - alpha) + 128,
//                result = (v + (v >> 8)) >> 8   (MixChannel in rgba_image.h).
#pragma once

#include <cstdint>

#include "imaging/pixels24.h"
#include "imaging/rgba_image.h"

// Background used when the caller asks for the file's bKGD colour
// (kFileBackground) and the file has none: the white of the pane bodies.
constexpr int32_t kDefaultCompositeBackground = kWhite;

// Composites image onto background into dst, which must be exactly the
// image's size (its clip is ignored: every pixel is written). background is a
// packed RgbColour, or kFileBackground to use fileBackground (the value
// DecodePng returned; -1 there falls back to kDefaultCompositeBackground).
// Returns 1, or 0 when the image is empty or the sizes differ.
int CompositeRgbaOnColour(const RgbaImage& image, int32_t background, int32_t fileBackground,
                          const Pixels24& dst);
