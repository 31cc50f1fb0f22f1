// Drawing ImageBitmaps and RgbaImages on device contexts.
//
// Bitmap copies are plain GDI blits of the bitmap's DIB section. Per-pixel
// operations (alpha images, translucent fills) have no GDI equivalent that
// uses our exact rounding, so they read the destination rectangle back into
// a scratch DIB section, mix there with the portable primitives, and write
// the result back.
#include "imaging/gdi_draw_win32.h"

#include <algorithm>
#include <cstdint>

#include "imaging/bitmap_store_win32.h"
#include "imaging/keyed_pictures_win32.h"
#include "imaging/pixel_draw.h"

namespace {

// The part of (x, y, w, h) that can change on this DC: the DC's clip box (the
// bitmap's extent for a memory DC, the update region on a paint DC).
RECT VisiblePart(HDC dc, int x, int y, int w, int h) {
    RECT r = {0, 0, 0, 0};
    if (w <= 0 || h <= 0) return r;
    RECT wanted = {x, y, static_cast<LONG>(std::min<int64_t>(int64_t(x) + w, INT32_MAX)),
                   static_cast<LONG>(std::min<int64_t>(int64_t(y) + h, INT32_MAX))};
    RECT box;
    if (GetClipBox(dc, &box) == ERROR) return r;
    if (!IntersectRect(&r, &wanted, &box)) SetRectEmpty(&r);
    return r;
}

// Runs mix on a copy of the visible part of (x, y, w, h) and writes the
// copy back. mix gets the copy's pixels and the copy's origin in DC
// coordinates, so it can keep drawing in DC coordinates minus that origin.
// The pixels of the 24-bit DIB section selected into dc, clipped to r, when
// the DC draws into one in its own pixel coordinates and its clip is the
// rectangle r: then a mix can work on them where they are.
bool PixelsInPlace(HDC dc, const RECT& r, Pixels24* pixels) {
    RECT box;
    if (GetClipBox(dc, &box) != SIMPLEREGION) return false;
    // Only our own sections: their rows are known to run top-down.
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    DIBSECTION section;
    if (!IsImageBitmapSection(bitmap) ||
        GetObject(bitmap, sizeof section, &section) != sizeof section) {
        return false;
    }
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (!section.dsBm.bmBits || header.biBitCount != 24 || header.biCompression != BI_RGB) {
        return false;
    }
    POINT window, viewport;
    if (GetMapMode(dc) != MM_TEXT || !GetWindowOrgEx(dc, &window) ||
        !GetViewportOrgEx(dc, &viewport) || window.x != 0 || window.y != 0 || viewport.x != 0 ||
        viewport.y != 0) {
        return false;
    }
    int height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    Pixels24 whole =
        Pixels24Wrap(static_cast<uint8_t*>(section.dsBm.bmBits), header.biWidth, height, true);
    *pixels = Pixels24WithClip(whole, PixelRect{r.left, r.top, r.right, r.bottom});
    return true;
}

template <typename Mix>
void ReadMixWrite(HDC dc, int x, int y, int w, int h, Mix mix) {
    RECT r = VisiblePart(dc, x, y, w, h);
    int cw = r.right - r.left, ch = r.bottom - r.top;
    if (cw <= 0 || ch <= 0) return;
    // The off-screen picture of a window is such a section: no copy, and no
    // section made and destroyed for every label.
    Pixels24 inPlace;
    if (PixelsInPlace(dc, r, &inPlace)) {
        GdiFlush();  // what GDI drew before must be in the bits
        mix(inPlace, 0, 0);
        return;
    }
    ImageBitmap scratch;
    if (!ImageBitmapAllocate(&scratch, cw, ch)) return;
    {
        ScopedMemoryDc mem(dc);
        if (mem.get()) {
            ScopedSelectObject select(mem.get(), static_cast<HBITMAP>(scratch.handle));
            if (BitBlt(mem.get(), 0, 0, cw, ch, dc, r.left, r.top, SRCCOPY)) {
                // GDI may still be writing the section; the CPU reads it next.
                GdiFlush();
                mix(scratch.pixels, r.left, r.top);
                BitBlt(dc, r.left, r.top, cw, ch, mem.get(), 0, 0, SRCCOPY);
            }
        }
    }
    ImageBitmapRelease(&scratch);
}

}  // namespace

int ImageBitmapFromDc(HDC dc, int x, int y, int w, int h, ImageBitmap* bitmap) {
    ImageBitmapRelease(bitmap);
    if (!ImageSizeAllowed(w, h) || !ImageBitmapAllocate(bitmap, w, h)) return 0;
    int copied = 0;
    {
        ScopedMemoryDc mem(dc);
        if (mem.get()) {
            ScopedSelectObject select(mem.get(), static_cast<HBITMAP>(bitmap->handle));
            copied = BitBlt(mem.get(), 0, 0, w, h, dc, x, y, SRCCOPY);
        }
    }
    GdiFlush();
    if (!copied) {
        ImageBitmapRelease(bitmap);
        return 0;
    }
    return 1;
}

void GdiDrawBitmapPart(HDC dc, const ImageBitmap& bitmap, int x, int y, int w, int h, int srcX,
                       int srcY) {
    if (ImageBitmapIsEmpty(bitmap)) return;
    if (!ClipToSource(bitmap.width, bitmap.height, &x, &y, &w, &h, &srcX, &srcY)) return;
    ScopedMemoryDc mem(dc);
    if (!mem.get()) return;
    ScopedSelectObject select(mem.get(), static_cast<HBITMAP>(bitmap.handle));
    BitBlt(dc, x, y, w, h, mem.get(), srcX, srcY, SRCCOPY);
}

void GdiDrawBitmap(HDC dc, const ImageBitmap& bitmap, int x, int y) {
    GdiDrawBitmapPart(dc, bitmap, x, y, bitmap.width, bitmap.height, 0, 0);
}

void GdiTileBitmap(HDC dc, const ImageBitmap& bitmap, int x, int y, int w, int h, int srcX) {
    if (ImageBitmapIsEmpty(bitmap) || w <= 0 || h <= 0) return;
    // Only the visible part is tiled: a window-sized rectangle of small
    // tiles is many blits, and most of them may be clipped away.
    RECT r = VisiblePart(dc, x, y, w, h);
    if (IsRectEmpty(&r)) return;
    ScopedMemoryDc mem(dc);
    if (!mem.get()) return;
    ScopedSelectObject select(mem.get(), static_cast<HBITMAP>(bitmap.handle));
    int64_t firstCol = (int64_t(srcX) + (r.left - int64_t(x))) % bitmap.width;
    if (firstCol < 0) firstCol += bitmap.width;
    int firstRow = static_cast<int>((int64_t(r.top) - y) % bitmap.height);
    for (int ty = r.top, sy = firstRow; ty < r.bottom; sy = 0) {
        int th = std::min<int>(bitmap.height - sy, r.bottom - ty);
        for (int tx = r.left, sx = static_cast<int>(firstCol); tx < r.right; sx = 0) {
            int tw = std::min<int>(bitmap.width - sx, r.right - tx);
            BitBlt(dc, tx, ty, tw, th, mem.get(), sx, sy, SRCCOPY);
            tx += tw;
        }
        ty += th;
    }
}

void GdiDrawBitmapKeyedPart(HDC dc, const ImageBitmap& bitmap, int x, int y, int srcX, int w,
                            COLORREF key) {
    int h = bitmap.height, srcY = 0;
    if (ImageBitmapIsEmpty(bitmap)) return;
    if (!ClipToSource(bitmap.width, bitmap.height, &x, &y, &w, &h, &srcX, &srcY)) return;
    // Onto the window's off-screen picture the pixels are copied where they
    // are: the two raster-operation blits of a keyed draw (AND the mask, OR
    // the picture) go byte by byte through 24-bit pixels under Wine, and the
    // device picture and every control are drawn that way on every repaint.
    RECT r = VisiblePart(dc, x, y, w, h);
    if (IsRectEmpty(&r)) return;
    Pixels24 inPlace;
    if (PixelsInPlace(dc, r, &inPlace)) {
        GdiFlush();  // what GDI drew before must be in the bits
        Pixels24CopyKeyed(inPlace, x, y, w, h, bitmap.pixels, srcX, srcY,
                          static_cast<int32_t>(key & 0xFFFFFF));
        return;
    }
    DrawKeyedPart(dc, bitmap, x, y, w, h, srcX, srcY, key);
}

void GdiDrawBitmapKeyed(HDC dc, const ImageBitmap& bitmap, int x, int y, COLORREF key) {
    GdiDrawBitmapKeyedPart(dc, bitmap, x, y, 0, bitmap.width, key);
}

void GdiDrawRgbaImage(HDC dc, const RgbaImage& image, int x, int y, int w, int h, int srcX,
                      int srcY, int globalAlpha) {
    if (RgbaImageIsEmpty(image) || globalAlpha <= 0) return;
    // Clip to the image first so that the read-back covers only what the
    // image can change.
    if (!ClipToSource(image.width, image.height, &x, &y, &w, &h, &srcX, &srcY)) return;
    ReadMixWrite(dc, x, y, w, h, [&](const Pixels24& pixels, int originX, int originY) {
        Pixels24BlendRgba(pixels, x - originX, y - originY, w, h, image, srcX, srcY, globalAlpha);
    });
}

void GdiFillTranslucent(HDC dc, int x, int y, int w, int h, ColourFill colour, int alpha) {
    if (alpha <= 0) return;
    ReadMixWrite(dc, x, y, w, h, [&](const Pixels24& pixels, int originX, int originY) {
        Pixels24FillTranslucent(pixels, x - originX, y - originY, w, h, colour, alpha);
    });
}

void GdiFrameTranslucent(HDC dc, int x, int y, int w, int h, int thickness, ColourFill colour,
                         int alpha) {
    // Four read-backs of thin strips, not one of the whole rectangle: the
    // window frames span the whole client area.
    PixelRect strips[4];
    int count = TranslucentFrameStrips(x, y, w, h, thickness, strips);
    for (int i = 0; i < count; i++) {
        const PixelRect& s = strips[i];
        GdiFillTranslucent(dc, s.left, s.top, s.right - s.left, s.bottom - s.top, colour, alpha);
    }
}
