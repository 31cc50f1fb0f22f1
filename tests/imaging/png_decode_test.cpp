// PNG decoding: the transformations every picture goes through, and bad input.
#include "imaging/png_decode.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <cstring>

#include "tests/support/png_writer.h"

namespace {

// RGBA of pixel (x, y) as one value 0xRRGGBBAA, so a failing test prints all
// four channels at once.
uint32_t PixelAt(const RgbaImage& image, int x, int y) {
    const uint8_t* p = RgbaImagePixel(image, x, y);
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

RgbaImage Decode(const std::vector<uint8_t>& file, int32_t* background = nullptr) {
    RgbaImage image;
    int32_t unused;
    EXPECT_EQ(DecodePng(file.data(), file.size(), &image, background ? background : &unused), 1);
    return image;
}

// Rewrites the width and height in a PNG's IHDR (bytes 16..23 of the file)
// and its CRC, making a well-formed header that claims another size.
std::vector<uint8_t> WithClaimedSize(std::vector<uint8_t> file, uint32_t width, uint32_t height) {
    // Signature (8), IHDR length (4), "IHDR" (4), then width and height.
    for (int i = 0; i < 4; i++) {
        file[16 + i] = uint8_t(width >> (24 - 8 * i));
        file[20 + i] = uint8_t(height >> (24 - 8 * i));
    }
    uint32_t crc = crc32(0, file.data() + 12, 17);  // chunk type and 13 data bytes
    for (int i = 0; i < 4; i++) file[29 + i] = uint8_t(crc >> (24 - 8 * i));
    return file;
}

TestPng Palette2x1WithTransparentEntry() {
    TestPng png;
    png.width = 2;
    png.height = 1;
    png.colourType = PNG_COLOR_TYPE_PALETTE;
    png.palette = {{10, 20, 30}, {200, 100, 50}};
    png.paletteAlpha = {0};  // entry 0 transparent, entry 1 opaque (no tRNS entry)
    png.rows = {{0, 1}};
    return png;
}

}  // namespace

TEST(PngSignature, AcceptsOnlyTheEightByteSignature) {
    const uint8_t good[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    uint8_t bad[8];
    memcpy(bad, good, 8);
    bad[7] = 0;
    EXPECT_EQ(PngHasSignature(good, 8), 1);
    EXPECT_EQ(PngHasSignature(good, 7), 0);
    EXPECT_EQ(PngHasSignature(bad, 8), 0);
    EXPECT_EQ(PngHasSignature(nullptr, 8), 0);
}

TEST(PngDecode, KeepsRgbaPixelsTopRowFirst) {
    std::vector<uint8_t> rgba = {1, 2,  3,  4,  5,  6,  7,  8,  // top row
                                 9, 10, 11, 12, 13, 14, 15, 16};
    RgbaImage image = Decode(WriteRgbaPng(2, 2, rgba));
    ASSERT_EQ(image.width, 2);
    ASSERT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, rgba);
}

TEST(PngDecode, GivesThreeChannelPicturesAlpha255) {
    TestPng png;
    png.width = 2;
    png.colourType = PNG_COLOR_TYPE_RGB;
    png.rows = {{10, 20, 30, 40, 50, 60}};
    RgbaImage image = Decode(WriteTestPng(png));
    EXPECT_EQ(PixelAt(image, 0, 0), 0x0A141EFFu);
    EXPECT_EQ(PixelAt(image, 1, 0), 0x28323CFFu);
}

TEST(PngDecode, ExpandsPaletteAndItsTransparency) {
    RgbaImage image = Decode(WriteTestPng(Palette2x1WithTransparentEntry()));
    ASSERT_EQ(image.width, 2);
    EXPECT_EQ(image.pixels[3], 0) << "palette entry 0 is transparent";
    EXPECT_EQ(PixelAt(image, 1, 0), 0xC86432FFu);
}

TEST(PngDecode, ExpandsLowBitGreyToRgb) {
    TestPng png;
    png.width = 4;
    png.colourType = PNG_COLOR_TYPE_GRAY;
    png.bitDepth = 2;
    png.rows = {{0x1B}};  // samples 0, 1, 2, 3
    RgbaImage image = Decode(WriteTestPng(png));
    ASSERT_EQ(image.width, 4);
    EXPECT_EQ(PixelAt(image, 0, 0), 0x000000FFu);
    EXPECT_EQ(PixelAt(image, 1, 0), 0x555555FFu);
    EXPECT_EQ(PixelAt(image, 2, 0), 0xAAAAAAFFu);
    EXPECT_EQ(PixelAt(image, 3, 0), 0xFFFFFFFFu);
}

TEST(PngDecode, GreyTransparentColourBecomesAlphaZero) {
    TestPng png;
    png.width = 2;
    png.colourType = PNG_COLOR_TYPE_GRAY;
    png.rows = {{7, 9}};
    png.hasTransparentColour = true;
    png.transparentColour.gray = 7;
    RgbaImage image = Decode(WriteTestPng(png));
    EXPECT_EQ(image.pixels[3], 0);
    EXPECT_EQ(PixelAt(image, 1, 0), 0x090909FFu);
}

TEST(PngDecode, StripsSixteenBitSamplesToTheirHighByte) {
    TestPng png;
    png.colourType = PNG_COLOR_TYPE_GRAY_ALPHA;
    png.bitDepth = 16;
    png.rows = {{0x12, 0xFF, 0x80, 0x01}};  // grey 0x12FF, alpha 0x8001
    RgbaImage image = Decode(WriteTestPng(png));
    // Stripped, not scaled: 0x12FF keeps 0x12 (scaling would round to 0x13).
    EXPECT_EQ(PixelAt(image, 0, 0), 0x12121280u);
}

TEST(PngDecode, InterlacedPictureDecodesLikeTheProgressiveOne) {
    TestPng png;
    png.width = 9;
    png.height = 9;
    png.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (int y = 0; y < 9; y++) {
        std::vector<uint8_t> row;
        for (int x = 0; x < 9; x++)
            row.insert(row.end(), {uint8_t(x * 20), uint8_t(y * 20), 77, uint8_t(x * y)});
        png.rows.push_back(row);
    }
    RgbaImage plain = Decode(WriteTestPng(png));
    png.interlaced = true;
    RgbaImage interlaced = Decode(WriteTestPng(png));
    EXPECT_EQ(plain.pixels, interlaced.pixels);
    EXPECT_EQ(PixelAt(interlaced, 8, 8), 0xA0A04D40u);
}

TEST(PngDecode, GammaCorrectsForTheDisplayUsingTheFilesGamma) {
    TestPng png;
    png.width = 3;
    png.colourType = PNG_COLOR_TYPE_RGB_ALPHA;
    png.rows = {{64, 128, 192, 100, 0, 255, 32, 200, 250, 250, 250, 0}};
    std::vector<uint8_t> untagged = WriteTestPng(png);
    png.gamma = 1.0 / 2.2;
    std::vector<uint8_t> displayGamma = WriteTestPng(png);
    png.gamma = 1.0;  // linear samples: brightened by the exponent 1/2.2
    std::vector<uint8_t> linear = WriteTestPng(png);

    RgbaImage a = Decode(untagged), b = Decode(displayGamma), c = Decode(linear);
    EXPECT_EQ(a.pixels, b.pixels) << "no gAMA and a display-matched gAMA change nothing";
    EXPECT_EQ(a.pixels[0], 64);
    for (int i = 0; i < 12; i++) {
        if (i % 4 == 3) {
            EXPECT_EQ(c.pixels[i], png.rows[0][i]) << "alpha is never gamma corrected";
            continue;
        }
        double expected = 255.0 * std::pow(png.rows[0][i] / 255.0, 1.0 / 2.2);
        EXPECT_NEAR(c.pixels[i], expected, 1.0) << "channel " << i;
    }
    EXPECT_GT(c.pixels[0], 64 + 60);
}

TEST(PngDecode, ReportsTheFileBackgroundColour) {
    TestPng png = Palette2x1WithTransparentEntry();
    png.hasBackground = true;
    png.background.index = 1;
    int32_t background = 0;
    Decode(WriteTestPng(png), &background);
    EXPECT_EQ(background, RgbColour(200, 100, 50));

    TestPng grey;
    grey.colourType = PNG_COLOR_TYPE_GRAY;
    grey.bitDepth = 4;
    grey.hasBackground = true;
    grey.background.gray = 5;  // 5 of 15
    Decode(WriteTestPng(grey), &background);
    EXPECT_EQ(background, RgbColour(85, 85, 85));

    TestPng deep;
    deep.colourType = PNG_COLOR_TYPE_RGB;
    deep.bitDepth = 16;
    deep.hasBackground = true;
    deep.background.red = 0xAB00;
    deep.background.green = 0x1200;
    deep.background.blue = 0xFFFF;
    Decode(WriteTestPng(deep), &background);
    EXPECT_EQ(background, RgbColour(0xAB, 0x12, 0xFF));

    Decode(WriteRgbaPng(1, 1, {1, 2, 3, 4}), &background);
    EXPECT_EQ(background, -1) << "no bKGD chunk";
}

TEST(PngDecode, BackgroundColourIsGammaCorrectedLikeThePixels) {
    TestPng png;
    png.colourType = PNG_COLOR_TYPE_RGB;
    png.rows = {{100, 100, 100}};
    png.gamma = 1.0;
    png.hasBackground = true;
    png.background.red = png.background.green = png.background.blue = 100;
    int32_t background = 0;
    RgbaImage image = Decode(WriteTestPng(png), &background);
    EXPECT_EQ(RgbRed(background), image.pixels[0]);
}

// Bad input: every case must return 0 with an empty image, and never crash
// (the sanitizers watch for reads past the buffer).
TEST(PngDecodeBadInput, RefusesDataThatIsNotPng) {
    RgbaImage image;
    int32_t background = 123;
    const char text[] = "GIF89a this is not a PNG file at all";
    EXPECT_EQ(DecodePng(text, sizeof text, &image, &background), 0);
    EXPECT_TRUE(RgbaImageIsEmpty(image));
    EXPECT_EQ(background, -1);
    EXPECT_EQ(DecodePng(nullptr, 0, &image, nullptr), 0);
}

TEST(PngDecodeBadInput, EveryTruncationGivesAnEmptyImage) {
    TestPng png;
    png.width = 16;
    png.height = 16;
    png.colourType = PNG_COLOR_TYPE_RGB;
    for (int y = 0; y < 16; y++) {
        std::vector<uint8_t> row;
        for (int x = 0; x < 48; x++) row.push_back(uint8_t(x * 7 + y * 13));  // poorly compressible
        png.rows.push_back(row);
    }
    std::vector<uint8_t> file = WriteTestPng(png);
    // The IEND chunk (12 bytes) is never read, so cutting it costs nothing;
    // any cut before it loses image data.
    size_t imageEnd = file.size() - 12;
    for (size_t cut = 0; cut < imageEnd; cut++) {
        RgbaImage image;
        ASSERT_EQ(DecodePng(file.data(), cut, &image, nullptr), 0) << "cut at " << cut;
        ASSERT_TRUE(RgbaImageIsEmpty(image));
    }
    RgbaImage whole;
    EXPECT_EQ(DecodePng(file.data(), imageEnd, &whole, nullptr), 1);
}

TEST(PngDecodeBadInput, CorruptHeaderChecksumIsRefused) {
    std::vector<uint8_t> file = WriteRgbaPng(1, 1, {1, 2, 3, 4});
    file[29] ^= 0x40;
    RgbaImage image;
    EXPECT_EQ(DecodePng(file.data(), file.size(), &image, nullptr), 0);
}

TEST(PngDecodeBadInput, RefusesHugePicturesBeforeDecoding) {
    std::vector<uint8_t> small = WriteRgbaPng(1, 1, {1, 2, 3, 4});
    RgbaImage image;
    // Too wide for the side limit; within it but over the byte limit; and a
    // width beyond what any int holds.
    for (auto size : {std::make_pair(9000u, 1u), std::make_pair(8192u, 8192u),
                      std::make_pair(0x7FFFFFFFu, 0x7FFFFFFFu)}) {
        std::vector<uint8_t> file = WithClaimedSize(small, size.first, size.second);
        EXPECT_EQ(DecodePng(file.data(), file.size(), &image, nullptr), 0)
            << size.first << " x " << size.second;
        EXPECT_TRUE(RgbaImageIsEmpty(image));
    }
    // A large size inside the limits is attempted, and fails on the missing data.
    std::vector<uint8_t> file = WithClaimedSize(small, 2000, 2000);
    EXPECT_EQ(DecodePng(file.data(), file.size(), &image, nullptr), 0);
    EXPECT_TRUE(RgbaImageIsEmpty(image));
}

TEST(PngDecodeFile, ReadsAFileAndRefusesMissingOrEmptyOnes) {
    std::string path = WriteTempFile("decode_file.png", WriteRgbaPng(1, 1, {9, 8, 7, 6}));
    RgbaImage image;
    ASSERT_EQ(DecodePngFile(path.c_str(), &image, nullptr), 1);
    EXPECT_EQ(PixelAt(image, 0, 0), 0x09080706u);

    EXPECT_EQ(DecodePngFile((path + ".missing").c_str(), &image, nullptr), 0);
    EXPECT_TRUE(RgbaImageIsEmpty(image));
    std::string empty = WriteTempFile("decode_empty.png", {});
    EXPECT_EQ(DecodePngFile(empty.c_str(), &image, nullptr), 0);
    EXPECT_EQ(DecodePngFile(nullptr, &image, nullptr), 0);
}
