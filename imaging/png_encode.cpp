// PNG encoding through libpng's simplified writer, which reports errors in
// its return value rather than by longjmp.
#include "imaging/png_encode.h"

#include <png.h>

#include <cstdio>
#include <new>

namespace {

png_image ImageFor(const Pixels24& pixels) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(pixels.width);
    image.height = static_cast<png_uint_32>(pixels.height);
    image.format = PNG_FORMAT_BGR;  // the DIB byte order
    return image;
}

// libpng wants the lowest-addressed row and a signed stride (negative for
// bottom-up storage); a Pixels24 holds the top row whatever the order.
const uint8_t* LowestRow(const Pixels24& pixels) {
    return pixels.stride >= 0 ? pixels.row0 : Pixels24Row(pixels, pixels.height - 1);
}

}  // namespace

int EncodePng24(const Pixels24& pixels, std::vector<uint8_t>* file) {
    file->clear();
    if (Pixels24IsEmpty(pixels)) return 0;
    png_image image = ImageFor(pixels);
    png_int_32 stride = static_cast<png_int_32>(pixels.stride);
    png_alloc_size_t size = 0;
    // First call measures, second writes.
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, LowestRow(pixels), stride, nullptr) ||
        size == 0) {
        png_image_free(&image);
        return 0;
    }
    try {
        file->resize(size);
    } catch (const std::bad_alloc&) {
        png_image_free(&image);
        return 0;
    }
    image = ImageFor(pixels);
    if (!png_image_write_to_memory(&image, file->data(), &size, 0, LowestRow(pixels), stride,
                                   nullptr)) {
        png_image_free(&image);
        file->clear();
        return 0;
    }
    file->resize(size);
    return 1;
}

int WritePngFile(const char* path, const Pixels24& pixels) {
    std::vector<uint8_t> bytes;
    if (!path || !EncodePng24(pixels, &bytes)) return 0;
    FILE* out = fopen(path, "wb");
    if (!out) return 0;
    int ok = fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (fclose(out) != 0) ok = 0;
    return ok;
}
