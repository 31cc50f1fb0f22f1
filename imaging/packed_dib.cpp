// Checking the layout of packed DIBs.
#include "imaging/packed_dib.h"

#include "imaging/pixels24.h"

namespace {

uint32_t Read32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Read16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiBitfields = 3;

}  // namespace

int PackedDibParse(const uint8_t* data, size_t size, PackedDibLayout* layout) {
    *layout = PackedDibLayout{};
    if (!data || size < kInfoHeaderSize) return 0;
    uint32_t headerSize = Read32(data);
    int32_t width = static_cast<int32_t>(Read32(data + 4));
    int32_t height = static_cast<int32_t>(Read32(data + 8));
    uint16_t planes = Read16(data + 12);
    uint16_t bits = Read16(data + 14);
    uint32_t compression = Read32(data + 16);
    uint32_t coloursUsed = Read32(data + 32);

    if (headerSize < kInfoHeaderSize || headerSize > size) return 0;
    if (planes != 1 || width <= 0 || height == 0 || height == INT32_MIN) return 0;
    int rows = height < 0 ? -height : height;
    if (!ImageSizeAllowed(width, rows)) return 0;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return 0;

    size_t offset = headerSize;
    if (compression == kBiBitfields) {
        if (bits != 16 && bits != 32) return 0;
        // The three masks follow a plain 40-byte header; larger headers hold them.
        if (headerSize == kInfoHeaderSize) offset += 12;
    } else if (compression != kBiRgb) {
        return 0;
    }
    size_t colours = coloursUsed;
    if (bits <= 8) {
        size_t most = size_t(1) << bits;
        if (colours == 0 || colours > most) colours = most;
    } else if (colours > 256) {
        return 0;  // a table on a true-colour picture is only a palette hint
    }
    offset += colours * 4;
    size_t rowBytes = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (offset > size || rowBytes * static_cast<size_t>(rows) > size - offset) return 0;

    layout->width = width;
    layout->height = rows;
    layout->topDown = height < 0;
    layout->bitCount = bits;
    layout->bitsOffset = offset;
    layout->rowBytes = rowBytes;
    return 1;
}
