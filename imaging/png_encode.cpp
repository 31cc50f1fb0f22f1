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
    // One pass into a buffer of the largest size the file can have, rather
    // than a measuring pass and a writing pass: the compression is most of
    // the time a picture takes.
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
    try {
        file->resize(size);
    } catch (const std::bad_alloc&) {
        return 0;
    }
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
