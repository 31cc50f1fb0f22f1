// 24-bit pixel memory laid out like a Windows DIB, and a view onto it that
// every portable drawing primitive writes through.
//
// Layout (the DIB rules, so a DIB section's bits can be wrapped without a
// copy): three bytes per pixel in the order blue, green, red; each row padded
// to a multiple of 4 bytes; rows stored top-down or bottom-up. A Pixels24
// hides the row order behind a signed stride: row y starts at row0 + y *
// stride, whatever the storage order.
//
// Invariants of a Pixels24 that is not empty:
//   1. 0 <= clip.left <= clip.right <= width, 0 <= clip.top <= clip.bottom <= height.
//   2. Every row 0..height-1 has at least width * 3 bytes.
//   3. Drawing primitives touch only pixels inside the clip rectangle; the
//      view never owns its memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A rectangle as left, top, right, bottom (right and bottom exclusive).
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

inline bool PixelRectIsEmpty(const PixelRect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}
PixelRect PixelRectIntersect(const PixelRect& a, const PixelRect& b);

// A non-owning view of 24-bit pixels with a clip rectangle.
struct Pixels24 {
    uint8_t* row0 = nullptr;  // first byte of row 0 (the top row)
    ptrdiff_t stride = 0;     // bytes from row y to row y + 1; negative when bottom-up
    int width = 0;
    int height = 0;
    PixelRect clip;  // the only pixels drawing may change
};

inline bool Pixels24IsEmpty(const Pixels24& p) {
    return !p.row0 || p.width <= 0 || p.height <= 0;
}
inline uint8_t* Pixels24Row(const Pixels24& p, int y) {
    return p.row0 + y * p.stride;
}

// Bytes per row of a 24-bit DIB of this width (padded to 4).
inline size_t Pixels24RowBytes(int width) {
    return (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
}

// Wraps existing DIB-layout memory (bits = first byte of the first stored
// row); the clip is the whole picture.
Pixels24 Pixels24Wrap(uint8_t* bits, int width, int height, bool topDown);

// The same pixels with the clip narrowed to rect (intersected with the
// current clip). Coordinates stay those of the whole picture; this is how a
// pane draws "clipped to its rectangle".
Pixels24 Pixels24WithClip(const Pixels24& p, const PixelRect& rect);

// Pixel memory owned by the caller's object, for pictures that live outside
// Windows GDI (tests, the command-line tool, off-screen composition).
struct PixelBuffer24 {
    int width = 0;
    int height = 0;
    bool topDown = true;
    std::vector<uint8_t> bits;  // Pixels24RowBytes(width) * height bytes
};

// Largest picture any imaging operation creates: larger requests fail
// cleanly instead of asking for gigabytes (device pictures are a few
// thousand pixels wide at most).
constexpr int kMaxImageSide = 8192;
constexpr size_t kMaxImageBytes = size_t(64) * 1024 * 1024;

// True when a picture of this size may be created (positive, within limits
// for both 24-bit and 32-bit pixels).
bool ImageSizeAllowed(int width, int height);

// Makes buffer a width x height picture filled with zero (black). Returns 1,
// or 0 (buffer emptied) when the size is not allowed or memory runs out.
int PixelBuffer24Create(PixelBuffer24* buffer, int width, int height, bool topDown);
Pixels24 PixelBuffer24View(PixelBuffer24* buffer);

// Reads pixel (x, y) as a packed RgbColour (0x00BBGGRR); for tests and tools.
int32_t Pixels24Get(const Pixels24& p, int x, int y);
