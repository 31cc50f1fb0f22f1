// ImageBitmap: a drawable 24-bit picture (device pictures, controller
// pictures, textures), and the portable operations that make and rescale it.
//
// Lifecycle: empty -> (ImageBitmapFromPngFile | the Win32 resource loader)
// -> loaded -> (ImageBitmapResample, any number of times) -> ImageBitmapRelease
// -> empty. An empty bitmap (no handle) is skipped by every drawing
// operation. The struct is plain data so tables of them can live in static
// storage; whoever fills one releases it.
#pragma once

#include <cstdint>

#include "imaging/bitmap_store.h"
#include "imaging/pixels24.h"
#include "imaging/rgba_image.h"

struct ImageBitmap {
    void* handle = nullptr;  // HBITMAP of a DIB section on Windows; the pixel block headless
    int width = 0;           // pixels
    int height = 0;
    Pixels24 pixels;  // the bitmap's own 24-bit pixels (top-down, BGR, rows padded to 4)
};

inline bool ImageBitmapIsEmpty(const ImageBitmap& bitmap) {
    return bitmap.handle == nullptr;
}

// Decodes a PNG file (it must start with the PNG signature), composites it
// onto background (packed RgbColour, or kFileBackground for the file's bKGD
// colour, white when it has none) and makes bitmap from it, releasing what
// bitmap held before. Returns 1, or 0 with bitmap empty for a missing,
// non-PNG, damaged or oversized file. Nothing is reported to the user.
int ImageBitmapFromPngFile(const char* path, int32_t background, ImageBitmap* bitmap);

// The same from a decoded image (the Win32 resource loaders and the tests
// start here).
int ImageBitmapFromRgba(const RgbaImage& image, int32_t background, int32_t fileBackground,
                        ImageBitmap* bitmap);

// Copies 24-bit pixels into a new bitmap (the Win32 bitmap-resource loader
// and tests); releases what bitmap held before.
int ImageBitmapFromPixels(const Pixels24& pixels, ImageBitmap* bitmap);

enum class ResampleResult {
    kResampled,  // bitmap now holds the new size
    kUnchanged,  // the size was already that; nothing done
    kFailed,     // bad size, empty bitmap or no memory: bitmap is as it was
};

// Rescales bitmap in place with the bilinear resampler (resample.h).
ResampleResult ImageBitmapResample(ImageBitmap* bitmap, int newWidth, int newHeight);
