// Builds PNG files in memory for tests, with libpng, so that test pictures
// are described next to the assertions that use them instead of committed as
// binaries.
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

struct TestPng {
    int width = 1;
    int height = 1;
    int colourType = PNG_COLOR_TYPE_RGB_ALPHA;  // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    // Raw rows exactly as stored in the file (before filtering): for bit
    // depths below 8 the samples are packed most significant bits first, for
    // 16 bits each sample is big-endian. Missing bytes are written as zero.
    std::vector<std::vector<uint8_t>> rows;
    std::vector<png_color> palette;     // PLTE when not empty
    std::vector<uint8_t> paletteAlpha;  // tRNS for palette pictures when not empty
    bool hasTransparentColour = false;  // tRNS for grey / RGB pictures
    png_color_16 transparentColour = {};
    double gamma = 0.0;          // gAMA when > 0
    bool hasBackground = false;  // bKGD
    png_color_16 background = {};
    bool interlaced = false;
};

// The PNG file for the description; empty when libpng refuses it.
std::vector<uint8_t> WriteTestPng(const TestPng& png);

// Convenience: an 8-bit RGBA picture from width * height * 4 bytes.
std::vector<uint8_t> WriteRgbaPng(int width, int height, const std::vector<uint8_t>& rgba);

// Writes bytes to a file in the test temporary folder and returns its path.
std::string WriteTempFile(const std::string& name, const std::vector<uint8_t>& bytes);
