// Device pictures are decoded and composited once and kept by path for as
// long as their files stay as they were (base/file_stamp.h): a model's
// pictures are built again at every load of the model (start-up loads a model
// more than once while it reads banks of several models), and decoding and
// compositing a PNG is nearly all of that work. A picture asked for on
// another background than the kept one is made again from its file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/pixels24.h"

// At most this many bytes of pixels are kept; a picture that would go past
// it first empties the cache.
constexpr size_t kPictureCacheBytes = 64u << 20;

// The PNG file at path composited onto background exactly as
// ImageBitmapFromRgba composites it (background a packed RgbColour, or
// kFileBackground); empty when the file cannot be decoded or is too large.
// The pixels stay valid until the next ComposedPicture call or
// ClearComposedPictures; copy them, never draw on them.
Pixels24 ComposedPicture(const char* path, int32_t background);

void ClearComposedPictures();
