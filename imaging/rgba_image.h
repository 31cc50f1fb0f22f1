// Decoded pictures with an alpha channel, and the colour types the drawing
// primitives take.
//
// An RgbaImage is what a PNG becomes before it meets a background: the
// toolbar buttons, tabs, logos and file icons stay in this form for their
// whole life because they are drawn with per-pixel alpha (and a global alpha
// for disabled buttons). Device pictures are composited at once onto a
// colour and kept as 24-bit pixels instead (see pixels24.h, image_bitmap.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A decoded picture: width x height pixels of four bytes, red, green, blue,
// alpha, top row first, no padding. Empty (0 x 0, no pixels) when a picture
// is missing or could not be decoded; every drawing operation skips an empty
// image. Owned by whatever table loaded it.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width * height * 4 bytes
};

inline bool RgbaImageIsEmpty(const RgbaImage& image) {
    return image.width <= 0 || image.height <= 0 || image.pixels.empty();
}

// Releases the pixels and makes the image empty.
void RgbaImageClear(RgbaImage* image);

// The four bytes of pixel (x, y); the caller keeps x and y inside the image.
inline const uint8_t* RgbaImagePixel(const RgbaImage& image, int x, int y) {
    return image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
}

// A solid colour for translucent fills: three bytes red, green, blue.
struct ColourFill {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// Colours that may also mean "none" travel as one int32_t packed exactly like
// a Win32 COLORREF (0x00BBGGRR), so the views can pass RGB(...) values
// straight through; -1 is never a colour.
constexpr int32_t RgbColour(int red, int green, int blue) {
    return (red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16);
}
constexpr int RgbRed(int32_t rgb) {
    return rgb & 0xFF;
}
constexpr int RgbGreen(int32_t rgb) {
    return (rgb >> 8) & 0xFF;
}
constexpr int RgbBlue(int32_t rgb) {
    return (rgb >> 16) & 0xFF;
}

// Background colour argument meaning "the PNG file's own bKGD colour".
constexpr int32_t kFileBackground = -1;
constexpr int32_t kWhite = RgbColour(255, 255, 255);

inline ColourFill ColourFillFromRgb(int32_t rgb) {
    ColourFill fill;
    fill.red = static_cast<uint8_t>(RgbRed(rgb));
    fill.green = static_cast<uint8_t>(RgbGreen(rgb));
    fill.blue = static_cast<uint8_t>(RgbBlue(rgb));
    return fill;
}

// The one mixing rule of every blend in this subsystem: foreground p over
// background b with alpha a (0..255), rounded to nearest. (v + (v >> 8)) >> 8
// is an exact division by 255 for every v this formula can produce, without
// a divide in the inner loops.
inline uint8_t MixChannel(int p, int b, int a) {
    int v = p * a + b * (255 - a) + 128;
    return static_cast<uint8_t>((v + (v >> 8)) >> 8);
}
