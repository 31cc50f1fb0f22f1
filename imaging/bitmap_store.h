// Platform seam: where an ImageBitmap's pixels live.
//
// On Windows an ImageBitmap is a 24-bit top-down DIB section, so one picture
// is both a GDI bitmap (BitBlt, TransparentBlt) and pixel memory the portable
// code can read and write. Headless builds (tests, tools) keep the pixels in
// plain memory and count what is alive, so tests can check for leaks.
// Implemented in imaging/bitmap_store_win32.cpp and
// headless/bitmap_store_headless.cpp.
#pragma once

struct ImageBitmap;

// Makes bitmap a new width x height 24-bit top-down picture, all black, with
// bitmap->pixels viewing its memory. The caller has released any previous
// contents and checked the size with ImageSizeAllowed. Returns 1, or 0 with
// bitmap empty when the platform cannot provide it.
int ImageBitmapAllocate(ImageBitmap* bitmap, int width, int height);

// Frees what ImageBitmapAllocate made and empties bitmap. Safe on an empty
// bitmap; on Windows the bitmap must not be selected into a device context.
void ImageBitmapRelease(ImageBitmap* bitmap);
