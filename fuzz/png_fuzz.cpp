// Fuzzes the PNG decoder, and the compositing and resampling that follow it
// for every device picture. Any crash, sanitizer report, leak or hang here
// is a picture file that could take the program down.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/composite.h"
#include "imaging/png_decode.h"
#include "imaging/resample.h"

namespace {

// Rewrites every chunk's CRC to match its contents. libpng rejects critical
// chunks with a bad CRC, so without this almost every mutation of a header
// or palette would stop at the checksum and never reach the code behind it.
void FixChunkCrcs(std::vector<uint8_t>* file) {
    size_t pos = 8;  // after the signature
    while (pos + 12 <= file->size()) {
        uint8_t* chunk = file->data() + pos;
        uint32_t length = uint32_t(chunk[0]) << 24 | uint32_t(chunk[1]) << 16 |
                          uint32_t(chunk[2]) << 8 | chunk[3];
        if (length > file->size() - pos - 12) break;
        uint32_t crc = static_cast<uint32_t>(crc32(0, chunk + 4, length + 4));
        uint8_t* out = chunk + 8 + length;
        for (int i = 0; i < 4; i++) out[i] = uint8_t(crc >> (24 - 8 * i));
        pos += 12 + length;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The last byte chooses between the input as it is (checksums matter)
    // and the input with its checksums repaired (everything behind them).
    std::vector<uint8_t> file(data, data + size);
    if (size > 0 && (data[size - 1] & 1)) FixChunkCrcs(&file);

    RgbaImage image;
    int32_t background = -1;
    if (!DecodePng(file.data(), file.size(), &image, &background)) return 0;
    if (image.pixels.size() != static_cast<size_t>(image.width) * image.height * 4)
        __builtin_trap();

    PixelBuffer24 flat;
    if (!PixelBuffer24Create(&flat, image.width, image.height, true)) return 0;
    CompositeRgbaOnColour(image, kFileBackground, background, PixelBuffer24View(&flat));
    // A small target keeps each run fast while still walking every source row.
    PixelBuffer24 scaled;
    ResampleToBuffer(PixelBuffer24View(&flat), 1 + image.width % 7, 1 + image.height % 5, &scaled);
    return 0;
}
