// Writing 24-bit pixels as a PNG file: screenshots of the off-screen
// pictures, so that a test or a developer can look at what was drawn.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/pixels24.h"

// Encodes the whole of pixels (its clip is ignored) as an 8-bit RGB PNG.
// Returns 1 with the file in *file, or 0 (file empty) for an empty picture
// or an encoder failure.
int EncodePng24(const Pixels24& pixels, std::vector<uint8_t>* file);

// The same, written to path. Returns 1, or 0 when encoding or writing failed.
int WritePngFile(const char* path, const Pixels24& pixels);
