// PNG decoding with libpng.
//
// libpng reports errors by longjmp to a setjmp in its caller. Jumping over a
// C++ object with a destructor is undefined behaviour, so the code is split:
// the two functions that call setjmp (PngReadHeader, PngReadRows) keep only
// plain locals and work through a PngReadState owned by DecodePng, and every
// C++ object (the pixel vector, the row-pointer vector) lives in DecodePng,
// outside any frame a longjmp can leave. libpng's own structures are freed
// by DecodePng whichever way the guarded functions return.
#include "imaging/png_decode.h"

#include <png.h>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include "imaging/pixels24.h"

namespace {

// Everything libpng and the guarded functions share. Plain data only.
struct PngReadState {
    png_structp png;      // libpng read structure, freed by DecodePng
    png_infop info;       // its info structure, freed by DecodePng
    const uint8_t* data;  // the whole file in memory
    size_t size;          // bytes in data
    size_t pos;           // next byte libpng will read
    png_uint_32 width;    // picture size after png_read_info
    png_uint_32 height;
    double gammaExponent;  // output = input ^ gammaExponent, for the bKGD colour
    int32_t background;    // file's bKGD as RgbColour, or -1
};

// libpng's error callback: silent (a bad picture is not the user's business
// at this level), then back to the setjmp of the guarded function.
void PngError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}
void PngWarning(png_structp, png_const_charp) {}

void PngReadFromMemory(png_structp png, png_bytep out, size_t count) {
    PngReadState* state = static_cast<PngReadState*>(png_get_io_ptr(png));
    if (count > state->size - state->pos) png_error(png, "read past end of data");
    memcpy(out, state->data + state->pos, count);
    state->pos += count;
}

// Display exponent the pictures are corrected for, and the file gamma assumed
// when a file states none (1/2.2: the samples are already display values).
constexpr double kDisplayGamma = 2.2;
constexpr double kDefaultFileGamma = 1.0 / 2.2;

int Scale8(int value, int bitDepth) {
    if (bitDepth == 16) return value >> 8;
    if (bitDepth >= 8) return value & 0xFF;
    int max = (1 << bitDepth) - 1;
    return (value & max) * 255 / max;
}

int GammaCorrect8(int value, double exponent) {
    if (exponent == 1.0) return value;
    double v = std::pow(value / 255.0, exponent) * 255.0 + 0.5;
    return v >= 255.0 ? 255 : static_cast<int>(v);
}

// The file's bKGD as an 8-bit display colour, or -1. libpng checks the chunk
// on reading (palette index in range, values within the bit depth); the
// checks here keep that true whatever libpng does.
int32_t FileBackground(png_structp png, png_infop info, double gammaExponent) {
    png_color_16p bkgd = nullptr;
    if (!png_get_bKGD(png, info, &bkgd) || !bkgd) return -1;
    int colourType = png_get_color_type(png, info);
    int bitDepth = png_get_bit_depth(png, info);
    int r, g, b;
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_colorp palette = nullptr;
        int count = 0;
        if (!png_get_PLTE(png, info, &palette, &count) || bkgd->index >= count) return -1;
        r = palette[bkgd->index].red;
        g = palette[bkgd->index].green;
        b = palette[bkgd->index].blue;
    } else if (colourType & PNG_COLOR_MASK_COLOR) {
        r = Scale8(bkgd->red, bitDepth);
        g = Scale8(bkgd->green, bitDepth);
        b = Scale8(bkgd->blue, bitDepth);
    } else {
        r = g = b = Scale8(bkgd->gray, bitDepth);
    }
    return RgbColour(GammaCorrect8(r, gammaExponent), GammaCorrect8(g, gammaExponent),
                     GammaCorrect8(b, gammaExponent));
}

// Reads the header and sets up the transformations. Returns 1 when the
// picture may be decoded (size within limits, four bytes a pixel out).
int PngReadHeader(PngReadState* state) {
    if (setjmp(png_jmpbuf(state->png))) return 0;
    png_set_read_fn(state->png, state, PngReadFromMemory);
    // libpng's own limits stop oversized pictures before it allocates rows.
    png_set_user_limits(state->png, kMaxImageSide, kMaxImageSide);
    png_read_info(state->png, state->info);

    state->width = png_get_image_width(state->png, state->info);
    state->height = png_get_image_height(state->png, state->info);
    if (!ImageSizeAllowed(static_cast<int>(state->width), static_cast<int>(state->height)))
        return 0;

    double fileGamma = kDefaultFileGamma;
    double stated = 0.0;
    if (png_get_gAMA(state->png, state->info, &stated) && stated > 0.0) fileGamma = stated;
    // libpng leaves samples alone when file x display gamma is within 5% of
    // 1 (PNG_GAMMA_THRESHOLD); the bKGD colour follows the same rule so that
    // it keeps matching the pixels.
    double product = fileGamma * kDisplayGamma;
    state->gammaExponent = std::fabs(product - 1.0) < 0.05 ? 1.0 : 1.0 / product;
    state->background = FileBackground(state->png, state->info, state->gammaExponent);

    png_set_expand(state->png);  // palette -> RGB, grey < 8 bits -> 8, tRNS -> alpha
    png_set_strip_16(state->png);
    png_set_gray_to_rgb(state->png);
    png_set_gamma(state->png, kDisplayGamma, fileGamma);
    png_set_filler(state->png, 0xFF, PNG_FILLER_AFTER);  // RGB -> RGBA with alpha 255
    png_set_interlace_handling(state->png);
    png_read_update_info(state->png, state->info);

    if (png_get_rowbytes(state->png, state->info) != static_cast<size_t>(state->width) * 4)
        return 0;
    return 1;
}

// Reads every row into the rows the caller allocated.
int PngReadRows(PngReadState* state, png_bytepp rows) {
    if (setjmp(png_jmpbuf(state->png))) return 0;
    png_read_image(state->png, rows);
    // The end of the file (trailing chunks) is not read: nothing in it
    // changes the picture, and a damaged trailer should not cost the image.
    return 1;
}

}  // namespace

int PngHasSignature(const void* data, size_t size) {
    if (!data || size < kPngSignatureSize) return 0;
    return png_sig_cmp(static_cast<png_const_bytep>(data), 0, kPngSignatureSize) == 0;
}

int DecodePng(const void* data, size_t size, RgbaImage* image, int32_t* fileBackground) {
    RgbaImageClear(image);
    if (fileBackground) *fileBackground = -1;
    if (!PngHasSignature(data, size)) return 0;

    PngReadState state = {};
    state.data = static_cast<const uint8_t*>(data);
    state.size = size;
    state.background = -1;
    state.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
    if (!state.png) return 0;
    state.info = png_create_info_struct(state.png);
    if (!state.info) {
        png_destroy_read_struct(&state.png, nullptr, nullptr);
        return 0;
    }

    int ok = PngReadHeader(&state);
    std::vector<png_bytep> rows;
    if (ok) {
        try {
            image->pixels.resize(static_cast<size_t>(state.width) * state.height * 4);
            rows.resize(state.height);
        } catch (const std::bad_alloc&) {
            ok = 0;
        }
    }
    if (ok) {
        for (png_uint_32 y = 0; y < state.height; y++)
            rows[y] = image->pixels.data() + static_cast<size_t>(y) * state.width * 4;
        ok = PngReadRows(&state, rows.data());
    }
    png_destroy_read_struct(&state.png, &state.info, nullptr);

    if (!ok) {
        RgbaImageClear(image);
        return 0;
    }
    image->width = static_cast<int>(state.width);
    image->height = static_cast<int>(state.height);
    if (fileBackground) *fileBackground = state.background;
    return 1;
}

int DecodePngFile(const char* path, RgbaImage* image, int32_t* fileBackground) {
    RgbaImageClear(image);
    if (fileBackground) *fileBackground = -1;
    if (!path) return 0;
    FILE* file = fopen(path, "rb");
    if (!file) return 0;
    std::vector<uint8_t> bytes;
    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0) size = ftell(file);
    int ok =
        size > 0 && static_cast<size_t>(size) <= kMaxImageBytes && fseek(file, 0, SEEK_SET) == 0;
    if (ok) {
        try {
            bytes.resize(static_cast<size_t>(size));
        } catch (const std::bad_alloc&) {
            ok = 0;
        }
    }
    if (ok) ok = fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
    fclose(file);
    if (!ok) return 0;
    return DecodePng(bytes.data(), bytes.size(), image, fileBackground);
}
