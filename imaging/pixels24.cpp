// Pixels24 views and owned 24-bit buffers.
#include "imaging/pixels24.h"

#include <algorithm>
#include <new>

#include "imaging/rgba_image.h"

PixelRect PixelRectIntersect(const PixelRect& a, const PixelRect& b) {
    PixelRect r;
    r.left = std::max(a.left, b.left);
    r.top = std::max(a.top, b.top);
    r.right = std::min(a.right, b.right);
    r.bottom = std::min(a.bottom, b.bottom);
    if (PixelRectIsEmpty(r)) r = PixelRect{};
    return r;
}

Pixels24 Pixels24Wrap(uint8_t* bits, int width, int height, bool topDown) {
    Pixels24 p;
    if (!bits || width <= 0 || height <= 0) return p;
    ptrdiff_t rowBytes = static_cast<ptrdiff_t>(Pixels24RowBytes(width));
    p.width = width;
    p.height = height;
    if (topDown) {
        p.row0 = bits;
        p.stride = rowBytes;
    } else {
        p.row0 = bits + (height - 1) * rowBytes;
        p.stride = -rowBytes;
    }
    p.clip = PixelRect{0, 0, width, height};
    return p;
}

Pixels24 Pixels24WithClip(const Pixels24& p, const PixelRect& rect) {
    Pixels24 clipped = p;
    clipped.clip = PixelRectIntersect(p.clip, rect);
    return clipped;
}

bool ImageSizeAllowed(int width, int height) {
    if (width <= 0 || height <= 0) return false;
    if (width > kMaxImageSide || height > kMaxImageSide) return false;
    // Four bytes a pixel covers both the RGBA and the padded 24-bit form.
    return static_cast<size_t>(width) * static_cast<size_t>(height) * 4 <= kMaxImageBytes;
}

int PixelBuffer24Create(PixelBuffer24* buffer, int width, int height, bool topDown) {
    std::vector<uint8_t>().swap(buffer->bits);
    buffer->width = 0;
    buffer->height = 0;
    buffer->topDown = topDown;
    if (!ImageSizeAllowed(width, height)) return 0;
    size_t size = Pixels24RowBytes(width) * static_cast<size_t>(height);
    // Allocation failure must leave an empty picture, not end the program:
    // this is the one place the portable imaging code can meet bad_alloc.
    try {
        buffer->bits.assign(size, 0);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    buffer->width = width;
    buffer->height = height;
    return 1;
}

Pixels24 PixelBuffer24View(PixelBuffer24* buffer) {
    if (buffer->bits.empty()) return Pixels24{};
    return Pixels24Wrap(buffer->bits.data(), buffer->width, buffer->height, buffer->topDown);
}

int32_t Pixels24Get(const Pixels24& p, int x, int y) {
    if (Pixels24IsEmpty(p) || x < 0 || y < 0 || x >= p.width || y >= p.height) return -1;
    const uint8_t* px = Pixels24Row(p, y) + x * 3;
    return RgbColour(px[2], px[1], px[0]);
}
