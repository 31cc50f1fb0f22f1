// Portable drawing primitives on 24-bit pixels.
#include "imaging/pixel_draw.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

bool ClipToSource(int width, int height, int* x, int* y, int* w, int* h, int* srcX, int* srcY) {
    if (width <= 0 || height <= 0 || *w <= 0 || *h <= 0) return false;
    int64_t dx = *x, dy = *y, cw = *w, ch = *h, sx = *srcX, sy = *srcY;
    if (sx < 0) {
        dx -= sx;
        cw += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        ch += sy;
        sy = 0;
    }
    cw = std::min<int64_t>(cw, width - sx);
    ch = std::min<int64_t>(ch, height - sy);
    if (cw <= 0 || ch <= 0 || dx > INT32_MAX || dy > INT32_MAX) return false;
    *x = static_cast<int>(dx);
    *y = static_cast<int>(dy);
    *w = static_cast<int>(cw);
    *h = static_cast<int>(ch);
    *srcX = static_cast<int>(sx);
    *srcY = static_cast<int>(sy);
    return true;
}

namespace {

int ClampAlpha(int alpha) {
    return alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
}

// A destination rectangle clipped to dst's clip; empty when nothing remains.
PixelRect ClipToDestination(const Pixels24& dst, int x, int y, int w, int h) {
    if (Pixels24IsEmpty(dst) || w <= 0 || h <= 0) return PixelRect{};
    // 64-bit sums: x + w must not overflow for any int arguments.
    PixelRect r;
    r.left = x;
    r.top = y;
    r.right = static_cast<int>(std::min<int64_t>(int64_t(x) + w, INT32_MAX));
    r.bottom = static_cast<int>(std::min<int64_t>(int64_t(y) + h, INT32_MAX));
    return PixelRectIntersect(r, dst.clip);
}

// A copy from a w x h source area at (srcX, srcY) of a srcW x srcH picture to
// (x, y): narrows the area to the source picture, then to the destination
// clip, and moves the source origin along. Returns the destination rectangle
// (empty for nothing to do) and the matching source origin.
PixelRect ClipCopy(const Pixels24& dst, int x, int y, int w, int h, int srcW, int srcH, int* srcX,
                   int* srcY) {
    int sx = *srcX;
    int sy = *srcY;
    if (!ClipToSource(srcW, srcH, &x, &y, &w, &h, &sx, &sy)) return PixelRect{};
    PixelRect r = ClipToDestination(dst, x, y, w, h);
    if (PixelRectIsEmpty(r)) return r;
    *srcX = sx + (r.left - x);
    *srcY = sy + (r.top - y);
    return r;
}

}  // namespace

void Pixels24BlendRgba(const Pixels24& dst, int x, int y, int w, int h, const RgbaImage& image,
                       int srcX, int srcY, int globalAlpha) {
    if (RgbaImageIsEmpty(image)) return;
    int global = ClampAlpha(globalAlpha);
    if (global == 0) return;
    PixelRect r = ClipCopy(dst, x, y, w, h, image.width, image.height, &srcX, &srcY);
    if (PixelRectIsEmpty(r)) return;
    for (int row = r.top; row < r.bottom; row++) {
        const uint8_t* in = RgbaImagePixel(image, srcX, srcY + (row - r.top));
        uint8_t* out = Pixels24Row(dst, row) + r.left * 3;
        for (int col = r.left; col < r.right; col++, in += 4, out += 3) {
            int alpha = in[3] * global / 255;
            if (alpha == 0) continue;
            if (alpha == 255) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            } else {
                out[0] = MixChannel(in[2], out[0], alpha);
                out[1] = MixChannel(in[1], out[1], alpha);
                out[2] = MixChannel(in[0], out[2], alpha);
            }
        }
    }
}

void Pixels24FillSolid(const Pixels24& dst, int x, int y, int w, int h, ColourFill colour) {
    PixelRect r = ClipToDestination(dst, x, y, w, h);
    for (int row = r.top; row < r.bottom; row++) {
        uint8_t* out = Pixels24Row(dst, row) + r.left * 3;
        for (int col = r.left; col < r.right; col++, out += 3) {
            out[0] = colour.blue;
            out[1] = colour.green;
            out[2] = colour.red;
        }
    }
}

void Pixels24FillTranslucent(const Pixels24& dst, int x, int y, int w, int h, ColourFill colour,
                             int alpha) {
    int a = ClampAlpha(alpha);
    if (a == 0) return;
    PixelRect r = ClipToDestination(dst, x, y, w, h);
    for (int row = r.top; row < r.bottom; row++) {
        uint8_t* out = Pixels24Row(dst, row) + r.left * 3;
        for (int col = r.left; col < r.right; col++, out += 3) {
            out[0] = MixChannel(colour.blue, out[0], a);
            out[1] = MixChannel(colour.green, out[1], a);
            out[2] = MixChannel(colour.red, out[2], a);
        }
    }
}

int TranslucentFrameStrips(int x, int y, int w, int h, int thickness, PixelRect strips[4]) {
    if (w <= 0 || h <= 0 || thickness <= 0) return 0;
    if (int64_t(x) + w > INT32_MAX || int64_t(y) + h > INT32_MAX) return 0;
    int right = x + w, bottom = y + h;
    // When opposite strips would meet they cover the whole rectangle; one
    // strip for all of it keeps any pixel from being mixed twice.
    if (int64_t(thickness) * 2 >= w || int64_t(thickness) * 2 >= h) {
        strips[0] = PixelRect{x, y, right, bottom};
        return 1;
    }
    int t = thickness;
    strips[0] = PixelRect{x, y, right, y + t};                   // top
    strips[1] = PixelRect{x, bottom - t, right, bottom};         // bottom
    strips[2] = PixelRect{x, y + t, x + t, bottom - t};          // left, between them
    strips[3] = PixelRect{right - t, y + t, right, bottom - t};  // right, between them
    return 4;
}

void Pixels24FrameTranslucent(const Pixels24& dst, int x, int y, int w, int h, int thickness,
                              ColourFill colour, int alpha) {
    PixelRect strips[4];
    int count = TranslucentFrameStrips(x, y, w, h, thickness, strips);
    for (int i = 0; i < count; i++) {
        const PixelRect& s = strips[i];
        Pixels24FillTranslucent(dst, s.left, s.top, s.right - s.left, s.bottom - s.top, colour,
                                alpha);
    }
}

void Pixels24CopyPart(const Pixels24& dst, int x, int y, int w, int h, const Pixels24& src,
                      int srcX, int srcY) {
    if (Pixels24IsEmpty(src)) return;
    PixelRect r = ClipCopy(dst, x, y, w, h, src.width, src.height, &srcX, &srcY);
    size_t bytes = static_cast<size_t>(r.right - r.left) * 3;
    for (int row = r.top; row < r.bottom; row++)
        memmove(Pixels24Row(dst, row) + r.left * 3,
                Pixels24Row(src, srcY + (row - r.top)) + srcX * 3, bytes);
}

void Pixels24Copy(const Pixels24& dst, int x, int y, const Pixels24& src) {
    Pixels24CopyPart(dst, x, y, src.width, src.height, src, 0, 0);
}

void Pixels24CopyKeyed(const Pixels24& dst, int x, int y, int w, int h, const Pixels24& src,
                       int srcX, int srcY, int32_t key) {
    if (Pixels24IsEmpty(src)) return;
    PixelRect r = ClipCopy(dst, x, y, w, h, src.width, src.height, &srcX, &srcY);
    uint8_t keyBlue = static_cast<uint8_t>(RgbBlue(key));
    uint8_t keyGreen = static_cast<uint8_t>(RgbGreen(key));
    uint8_t keyRed = static_cast<uint8_t>(RgbRed(key));
    for (int row = r.top; row < r.bottom; row++) {
        const uint8_t* in = Pixels24Row(src, srcY + (row - r.top)) + srcX * 3;
        uint8_t* out = Pixels24Row(dst, row) + r.left * 3;
        for (int col = r.left; col < r.right; col++, in += 3, out += 3) {
            if (in[0] == keyBlue && in[1] == keyGreen && in[2] == keyRed) continue;
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
}

void Pixels24Tile(const Pixels24& dst, int x, int y, int w, int h, const Pixels24& src, int srcX) {
    if (Pixels24IsEmpty(src)) return;
    PixelRect r = ClipToDestination(dst, x, y, w, h);
    if (PixelRectIsEmpty(r)) return;
    // Source column and row of the first pixel that survives the clip, so a
    // clipped tiling lines up with the unclipped one.
    int64_t startCol = (int64_t(srcX) + (r.left - int64_t(x))) % src.width;
    if (startCol < 0) startCol += src.width;
    int64_t startRow = (int64_t(r.top) - y) % src.height;
    for (int row = r.top; row < r.bottom; row++) {
        int sy = static_cast<int>((startRow + (row - r.top)) % src.height);
        const uint8_t* in = Pixels24Row(src, sy);
        uint8_t* out = Pixels24Row(dst, row) + r.left * 3;
        int sx = static_cast<int>(startCol);
        int col = r.left;
        while (col < r.right) {
            int run = std::min(src.width - sx, r.right - col);
            memcpy(out, in + sx * 3, static_cast<size_t>(run) * 3);
            out += run * 3;
            col += run;
            sx = 0;
        }
    }
}
