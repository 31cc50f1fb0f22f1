// PNG decoding into RgbaImage, with libpng, from memory or from a file.
//
// Every PNG the program shows goes through DecodePng with the same
// transformations, so that a picture looks the same whether it came from the
// program's resources or a device folder:
//   - palette, grey below 8 bits and tRNS transparency expanded to full colour;
//   - 16-bit samples stripped to 8;
//   - grey converted to RGB;
//   - gamma corrected for a display exponent of 2.2, using the file's gAMA
//     (or sRGB) when present and 1/2.2 otherwise (which leaves samples as
//     they are);
//   - three-channel results given alpha 255.
//
// Bad input never crashes and never allocates without bound: a missing file,
// a wrong signature, a truncated or corrupt stream, or a picture over
// kMaxImageSide / kMaxImageBytes (pixels24.h) gives an empty image and 0.
// Nothing is reported to the user: a picture that fails is simply not drawn.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/rgba_image.h"

constexpr size_t kPngSignatureSize = 8;

// 1 when data begins with the 8-byte PNG signature.
int PngHasSignature(const void* data, size_t size);

// Decodes a whole PNG held in memory. On success returns 1, fills image and,
// when fileBackground is given, stores the file's bKGD colour as a packed
// RgbColour (gamma corrected like the pixels) or -1 when the file has none.
// On failure returns 0 with image empty and *fileBackground -1.
int DecodePng(const void* data, size_t size, RgbaImage* image, int32_t* fileBackground);

// The same for a file (8-bit path as the program holds it). Files larger than
// kMaxImageBytes are refused unread.
int DecodePngFile(const char* path, RgbaImage* image, int32_t* fileBackground);
