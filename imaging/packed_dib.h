// The layout of a packed device-independent bitmap (the form of a bitmap
// resource: BITMAPINFOHEADER or a larger header, optional colour masks, the
// colour table, then the pixel rows), checked against the bytes available.
//
// Offset/size/meaning of the header fields read here (little-endian):
//    0  4  biSize         header size, 40 or more (108, 124 for V4/V5)
//    4  4  biWidth        pixels, > 0
//    8  4  biHeight       pixels; negative = rows stored top-down
//   12  2  biPlanes       1
//   14  2  biBitCount     1, 4, 8, 16, 24 or 32
//   16  4  biCompression  0 BI_RGB, 3 BI_BITFIELDS (others refused)
//   32  4  biClrUsed      colour table entries; 0 = 2^biBitCount up to 8 bits
// Example: a 40-byte header, 8 bits, biClrUsed 2 -> the rows start at
// 40 + 2 * 4 = 48 (a reader assuming a 256-entry table would look at 1064).
#pragma once

#include <cstddef>
#include <cstdint>

struct PackedDibLayout {
    int width = 0;
    int height = 0;        // always positive
    bool topDown = false;  // biHeight was negative
    int bitCount = 0;
    size_t bitsOffset = 0;  // from the start of the header
    size_t rowBytes = 0;    // each row padded to 4 bytes
};

// Returns 1 with layout filled when the header describes an uncompressed
// picture GDI can draw, within kMaxImageSide / kMaxImageBytes, whose rows
// all lie inside size bytes; 0 otherwise.
int PackedDibParse(const uint8_t* data, size_t size, PackedDibLayout* layout);
