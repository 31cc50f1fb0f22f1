// Test PNG writer. The setjmp-guarded part keeps no C++ objects in its frame
// (a longjmp over a destructor is undefined), the same rule as the decoder.
#include "tests/support/png_writer.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include "tests/support/test_temp_dir.h"

namespace {

struct WriteState {
    png_structp png;
    png_infop info;
    const TestPng* description;
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
    const TestPng& description = *s->description;
    png_set_write_fn(s->png, s, OnWrite, OnFlush);
    png_set_IHDR(s->png, s->info, description.width, description.height, description.bitDepth,
                 description.colourType,
                 description.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!description.palette.empty())
        png_set_PLTE(s->png, s->info, description.palette.data(),
                     static_cast<int>(description.palette.size()));
    if (!description.paletteAlpha.empty())
        png_set_tRNS(s->png, s->info, description.paletteAlpha.data(),
                     static_cast<int>(description.paletteAlpha.size()), nullptr);
    if (description.hasTransparentColour) {
        png_color_16 colour = description.transparentColour;
        png_set_tRNS(s->png, s->info, nullptr, 0, &colour);
    }
    if (description.gamma > 0.0) png_set_gAMA(s->png, s->info, description.gamma);
    if (description.hasBackground) {
        png_color_16 colour = description.background;
        png_set_bKGD(s->png, s->info, &colour);
    }
    png_write_info(s->png, s->info);
    png_write_image(s->png, s->rows);
    png_write_end(s->png, s->info);
    return 1;
}

}  // namespace

std::vector<uint8_t> WriteTestPng(const TestPng& description) {
    std::vector<uint8_t> out;
    int channels = 1;
    switch (description.colourType) {
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
    size_t rowBytes =
        (static_cast<size_t>(description.width) * channels * description.bitDepth + 7) / 8;
    std::vector<std::vector<uint8_t>> rows(description.height, std::vector<uint8_t>(rowBytes, 0));
    for (size_t y = 0; y < rows.size() && y < description.rows.size(); y++)
        for (size_t i = 0; i < rowBytes && i < description.rows[y].size(); i++)
            rows[y][i] = description.rows[y][i];
    std::vector<png_bytep> rowPointers;
    for (auto& row : rows) rowPointers.push_back(row.data());

    WriteState state = {};
    state.description = &description;
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
    TestPng description;
    description.width = width;
    description.height = height;
    description.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int y = 0; y < height; y++) {
        size_t start = static_cast<size_t>(y) * width * 4;
        if (start >= rgba.size()) break;
        size_t end = std::min(rgba.size(), start + static_cast<size_t>(width) * 4);
        description.rows.emplace_back(rgba.begin() + start, rgba.begin() + end);
    }
    return WriteTestPng(description);
}

std::string WriteTempFile(const std::string& name, const std::vector<uint8_t>& bytes) {
    std::string path = TestTempDir() + name;
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return path;
    if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    return path;
}
