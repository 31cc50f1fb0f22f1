// Drawing ImageBitmaps and RgbaImages on a Windows device context, and the
// loaders that make them from the program's resources. Windows build only.
//
// What the views call, by picture kind:
//   interface PNGs (buttons, tabs, logos, icons)   RgbaImageFromPngResource at start,
//                                                  GdiDrawRgbaImage (alpha 255 / 128)
//   textures, check boxes, activity strip (BMP)    ImageBitmapFromBitmapResource at start,
//                                                  GdiTileBitmap, GdiDrawBitmapPart
//   device and controller pictures (PNG files)     ImageBitmapFromPngFile + ImageBitmapResample
//                                                  (image_bitmap.h), GdiDrawBitmap,
//                                                  GdiDrawBitmapKeyed
//   translucent label boxes and window frames      GdiFillTranslucent, GdiFrameTranslucent
//
// Every function skips an empty image or bitmap and draws nothing for
// rectangles that are empty after clipping. The per-pixel operations read
// the destination rectangle back (so they work on any DC: the panels'
// off-screen bitmap, a window DC), mix in the portable code of pixel_draw.h,
// and write it back; their cost is proportional to the rectangle only.
#pragma once

#include <windows.h>

#include "imaging/image_bitmap.h"
#include "imaging/rgba_image.h"

// Selects a GDI object into a DC for the lifetime of the guard and puts the
// previous one back, so no early return leaves a bitmap or pen selected.
class ScopedSelectObject {
  public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~ScopedSelectObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A memory DC compatible with another DC, deleted with the guard.
class ScopedMemoryDc {
  public:
    explicit ScopedMemoryDc(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~ScopedMemoryDc() {
        if (dc_) DeleteDC(dc_);
    }
    ScopedMemoryDc(const ScopedMemoryDc&) = delete;
    ScopedMemoryDc& operator=(const ScopedMemoryDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HDC dc_;
};

// ---- Loading -------------------------------------------------------------

// A bitmap resource (standard RT_BITMAP) as an ImageBitmap: a 24-bit DIB
// section holding the resource's pixels, whatever its own bit depth. Returns
// 1, or 0 with bitmap empty for a missing or malformed resource.
int ImageBitmapFromBitmapResource(HINSTANCE instance, const char* name, ImageBitmap* bitmap);

// A PNG resource (resource type "PNG") decoded as by DecodePng. Returns 1, or
// 0 with image empty.
int RgbaImageFromPngResource(HINSTANCE instance, const char* name, RgbaImage* image);

// A copy of the w x h rectangle at (x, y) of a DC (a window's off-screen
// picture, for screenshots with WritePngFile). Returns 1, or 0 with bitmap
// empty.
int ImageBitmapFromDc(HDC dc, int x, int y, int w, int h, ImageBitmap* bitmap);

// ---- Bitmap copies -----------------------------------------------------------

// Opaque copy of the whole bitmap with its top-left at (x, y).
void GdiDrawBitmap(HDC dc, const ImageBitmap& bitmap, int x, int y);

// Opaque copy of the w x h part of the bitmap starting at (srcX, srcY).
void GdiDrawBitmapPart(HDC dc, const ImageBitmap& bitmap, int x, int y, int w, int h, int srcX,
                       int srcY);

// Fills the rectangle with opaque copies of the bitmap, clipped at the right
// and bottom; the first tile starts at source column srcX.
void GdiTileBitmap(HDC dc, const ImageBitmap& bitmap, int x, int y, int w, int h, int srcX);

// The whole bitmap with pixels of colour key (a COLORREF) left transparent.
void GdiDrawBitmapKeyed(HDC dc, const ImageBitmap& bitmap, int x, int y, COLORREF key);

// A window of the bitmap: columns srcX .. srcX + w - 1, full height, keyed
// (the horizontally scrolled device picture).
void GdiDrawBitmapKeyedPart(HDC dc, const ImageBitmap& bitmap, int x, int y, int srcX, int w,
                            COLORREF key);

// ---- Per-pixel alpha -----------------------------------------------------------

// Draws the w x h part of image from (srcX, srcY) at (x, y), each pixel with
// alpha = its alpha * globalAlpha / 255. A size larger than the image draws
// only the image's own area.
void GdiDrawRgbaImage(HDC dc, const RgbaImage& image, int x, int y, int w, int h, int srcX,
                      int srcY, int globalAlpha);

// The whole image at (x, y).
inline void GdiDrawRgbaImage(HDC dc, const RgbaImage& image, int x, int y, int globalAlpha) {
    GdiDrawRgbaImage(dc, image, x, y, image.width, image.height, 0, 0, globalAlpha);
}

// Mixes colour into the rectangle with alpha / 255.
void GdiFillTranslucent(HDC dc, int x, int y, int w, int h, ColourFill colour, int alpha);

// A frame of the given thickness inside the rectangle, as four translucent
// strips (top, bottom, then the sides between them).
void GdiFrameTranslucent(HDC dc, int x, int y, int w, int h, int thickness, ColourFill colour,
                         int alpha);
