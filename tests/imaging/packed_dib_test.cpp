// Checking bitmap-resource headers before GDI is let loose on them.
#include "imaging/packed_dib.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void Put32(std::vector<uint8_t>* b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; i++) (*b)[at + i] = uint8_t(v >> (8 * i));
}

// A packed DIB: 40-byte header, `tableEntries` colour entries, `extra` mask
// bytes, then exactly the rows the header needs (minus `shortBy` bytes).
std::vector<uint8_t> Dib(int32_t width, int32_t height, int bits, uint32_t clrUsed,
                         size_t tableEntries, uint32_t compression = 0, size_t extra = 0,
                         size_t shortBy = 0) {
    size_t rows = static_cast<size_t>(height < 0 ? -int64_t(height) : height);
    size_t rowBytes = ((static_cast<size_t>(width > 0 ? width : 0) * bits + 31) / 32) * 4;
    std::vector<uint8_t> b(40 + extra + tableEntries * 4 + rowBytes * rows - shortBy, 0);
    Put32(&b, 0, 40);
    Put32(&b, 4, uint32_t(width));
    Put32(&b, 8, uint32_t(height));
    b[12] = 1;  // planes
    b[14] = uint8_t(bits);
    Put32(&b, 16, compression);
    Put32(&b, 32, clrUsed);
    return b;
}

}  // namespace

TEST(PackedDib, FindsTheRowsAfterHeaderAndColourTable) {
    PackedDibLayout layout;
    std::vector<uint8_t> eight = Dib(3, 2, 8, 0, 256);
    ASSERT_EQ(PackedDibParse(eight.data(), eight.size(), &layout), 1);
    EXPECT_EQ(layout.bitsOffset, 40u + 1024u);
    EXPECT_EQ(layout.rowBytes, 4u);
    EXPECT_EQ(layout.width, 3);
    EXPECT_EQ(layout.height, 2);
    EXPECT_FALSE(layout.topDown);

    std::vector<uint8_t> four = Dib(5, 1, 4, 0, 16);
    ASSERT_EQ(PackedDibParse(four.data(), four.size(), &layout), 1);
    EXPECT_EQ(layout.bitsOffset, 40u + 64u);

    std::vector<uint8_t> truecolour = Dib(3, -2, 24, 0, 0);
    ASSERT_EQ(PackedDibParse(truecolour.data(), truecolour.size(), &layout), 1);
    EXPECT_EQ(layout.bitsOffset, 40u);
    EXPECT_EQ(layout.rowBytes, 12u);
    EXPECT_TRUE(layout.topDown);
    EXPECT_EQ(layout.height, 2);

    std::vector<uint8_t> mono = Dib(33, 1, 1, 0, 2);
    ASSERT_EQ(PackedDibParse(mono.data(), mono.size(), &layout), 1);
    EXPECT_EQ(layout.bitsOffset, 48u);
    EXPECT_EQ(layout.rowBytes, 8u);
}

TEST(PackedDib, ShortColourTablesMoveTheRowsForward) {
    // Saved with only the two colours it uses: rows at 48, not at 1064.
    PackedDibLayout layout;
    std::vector<uint8_t> dib = Dib(4, 4, 8, 2, 2);
    ASSERT_EQ(PackedDibParse(dib.data(), dib.size(), &layout), 1);
    EXPECT_EQ(layout.bitsOffset, 48u);
}

TEST(PackedDib, BitfieldMasksFollowAPlainHeader) {
    PackedDibLayout layout;
    std::vector<uint8_t> dib = Dib(2, 2, 16, 0, 0, 3, 12);
    ASSERT_EQ(PackedDibParse(dib.data(), dib.size(), &layout), 1);
    EXPECT_EQ(layout.bitsOffset, 52u);
    std::vector<uint8_t> bad = Dib(2, 2, 8, 0, 256, 3, 12);
    EXPECT_EQ(PackedDibParse(bad.data(), bad.size(), &layout), 0) << "masks on a palette picture";
}

TEST(PackedDib, RefusesHeadersThatWouldReadPastTheResource) {
    PackedDibLayout layout;
    std::vector<uint8_t> shortRows = Dib(3, 2, 24, 0, 0, 0, 0, 1);
    EXPECT_EQ(PackedDibParse(shortRows.data(), shortRows.size(), &layout), 0);
    std::vector<uint8_t> shortTable = Dib(3, 2, 8, 0, 255);  // one colour entry missing
    EXPECT_EQ(PackedDibParse(shortTable.data(), shortTable.size(), &layout), 0);
    std::vector<uint8_t> header = Dib(1, 1, 24, 0, 0);
    EXPECT_EQ(PackedDibParse(header.data(), 39, &layout), 0);
    EXPECT_EQ(PackedDibParse(nullptr, 100, &layout), 0);
    Put32(&header, 0, 4000);  // header size beyond the data
    EXPECT_EQ(PackedDibParse(header.data(), header.size(), &layout), 0);
}

TEST(PackedDib, RefusesPicturesGdiCannotOrShouldNotDraw) {
    PackedDibLayout layout;
    struct Case {
        int32_t width, height;
        int bits;
        uint32_t compression;
        const char* why;
    } cases[] = {
        {0, 2, 24, 0, "zero width"},
        {-3, 2, 24, 0, "negative width"},
        {3, 0, 24, 0, "zero height"},
        {INT32_MAX, 1, 24, 0, "width over the limit"},
        {3, INT32_MIN, 24, 0, "height that has no positive form"},
        {3, 2, 7, 0, "bit count"},
        {3, 2, 8, 1, "RLE compression"},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> dib = Dib(3, 2, 24, 0, 0);
        dib.resize(4096);
        Put32(&dib, 4, uint32_t(c.width));
        Put32(&dib, 8, uint32_t(c.height));
        dib[14] = uint8_t(c.bits);
        Put32(&dib, 16, c.compression);
        EXPECT_EQ(PackedDibParse(dib.data(), dib.size(), &layout), 0) << c.why;
    }
    std::vector<uint8_t> planes = Dib(1, 1, 24, 0, 0);
    planes[12] = 2;
    EXPECT_EQ(PackedDibParse(planes.data(), planes.size(), &layout), 0) << "planes";
}
