// Test PNG writer. The setjmp-guarded part keeps no C++ objects in its frame
// (a longjmp over a destructor is undefined), the same rule as the decoder.
#include "tests/support/png_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>

namespace {

struct WriteState {
    png_structp png;
    png_infop info;
    const TestPng* spec;
    png_bytepp rows;
    std::vector<uint8_t>* out;
};

void OnError(png_structp png, png_const_charp message) {
    fprintf(stderr, "test PNG writer: %s\n", message);
    png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

void OnWrite(png_structp png, png_bytep data, size_t size) {
    WriteState* state = static_cast<WriteState*>(png_get_io_ptr(png));
    state->out->insert(state->out->end(), data, data + size);
}
void OnFlush(png_structp) {}

int WriteGuarded(WriteState* s) {
    if (setjmp(png_jmpbuf(s->png))) return 0;
    const TestPng& spec = *s->spec;
    png_set_write_fn(s->png, s, OnWrite, OnFlush);
    png_set_IHDR(s->png, s->info, spec.width, spec.height, spec.bitDepth, spec.colourType,
                 spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!spec.palette.empty())
        png_set_PLTE(s->png, s->info, spec.palette.data(), static_cast<int>(spec.palette.size()));
    if (!spec.paletteAlpha.empty())
        png_set_tRNS(s->png, s->info, spec.paletteAlpha.data(),
                     static_cast<int>(spec.paletteAlpha.size()), nullptr);
    if (spec.hasTransparentColour) {
        png_color_16 colour = spec.transparentColour;
        png_set_tRNS(s->png, s->info, nullptr, 0, &colour);
    }
    if (spec.gamma > 0.0) png_set_gAMA(s->png, s->info, spec.gamma);
    if (spec.hasBackground) {
        png_color_16 colour = spec.background;
        png_set_bKGD(s->png, s->info, &colour);
    }
    png_write_info(s->png, s->info);
    png_write_image(s->png, s->rows);
    png_write_end(s->png, s->info);
    return 1;
}

}  // namespace

std::vector<uint8_t> WriteTestPng(const TestPng& spec) {
    std::vector<uint8_t> out;
    int channels = 1;
    switch (spec.colourType) {
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            channels = 2;
            break;
        case PNG_COLOR_TYPE_RGB:
            channels = 3;
            break;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            channels = 4;
            break;
        default:
            channels = 1;
            break;
    }
    size_t rowBytes = (static_cast<size_t>(spec.width) * channels * spec.bitDepth + 7) / 8;
    std::vector<std::vector<uint8_t>> rows(spec.height, std::vector<uint8_t>(rowBytes, 0));
    for (size_t y = 0; y < rows.size() && y < spec.rows.size(); y++)
        for (size_t i = 0; i < rowBytes && i < spec.rows[y].size(); i++)
            rows[y][i] = spec.rows[y][i];
    std::vector<png_bytep> rowPointers;
    for (auto& row : rows) rowPointers.push_back(row.data());

    WriteState state = {};
    state.spec = &spec;
    state.rows = rowPointers.data();
    state.out = &out;
    state.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnError, OnWarning);
    if (!state.png) return {};
    state.info = png_create_info_struct(state.png);
    int ok = state.info && WriteGuarded(&state);
    png_destroy_write_struct(&state.png, &state.info);
    if (!ok) out.clear();
    return out;
}

std::vector<uint8_t> WriteRgbaPng(int width, int height, const std::vector<uint8_t>& rgba) {
    TestPng spec;
    spec.width = width;
    spec.height = height;
    spec.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int y = 0; y < height; y++) {
        size_t start = static_cast<size_t>(y) * width * 4;
        if (start >= rgba.size()) break;
        size_t end = std::min(rgba.size(), start + static_cast<size_t>(width) * 4);
        spec.rows.emplace_back(rgba.begin() + start, rgba.begin() + end);
    }
    return WriteTestPng(spec);
}

std::string WriteTempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = testing::TempDir() + name;
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return path;
    if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    return path;
}
