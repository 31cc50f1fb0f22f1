// Compositing decoded pictures onto a background colour.
#include "imaging/composite.h"

#include <gtest/gtest.h>

#include <cmath>

#include "imaging/pixel_draw.h"
#include "imaging/png_decode.h"
#include "tests/support/png_writer.h"

namespace {

RgbaImage OnePixel(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    RgbaImage image;
    image.width = 1;
    image.height = 1;
    image.pixels = {r, g, b, a};
    return image;
}

int32_t CompositeOne(const RgbaImage& image, int32_t background, int32_t fileBackground = -1) {
    PixelBuffer24 out;
    PixelBuffer24Create(&out, image.width, image.height, true);
    EXPECT_EQ(CompositeRgbaOnColour(image, background, fileBackground, PixelBuffer24View(&out)), 1);
    return Pixels24Get(PixelBuffer24View(&out), 0, 0);
}

}  // namespace

// The formula v = p*a + b*(255-a) + 128, (v + (v >> 8)) >> 8 must be the
// correctly rounded p*a/255 + b*(255-a)/255 for every input it can meet
// (255 is odd, so there are no ties to break).
TEST(MixChannel, IsTheRoundedWeightedMeanForEveryInput) {
    for (int a = 0; a <= 255; a++)
        for (int p = 0; p <= 255; p += 3)
            for (int b = 0; b <= 255; b += 5) {
                long expected = std::lround((p * a + b * (255 - a)) / 255.0);
                ASSERT_EQ(MixChannel(p, b, a), expected) << "p " << p << " b " << b << " a " << a;
            }
}

TEST(Composite, AlphaExtremesKeepPixelOrBackground) {
    EXPECT_EQ(CompositeOne(OnePixel(10, 20, 30, 255), kWhite), RgbColour(10, 20, 30));
    EXPECT_EQ(CompositeOne(OnePixel(10, 20, 30, 0), RgbColour(229, 228, 231)),
              RgbColour(229, 228, 231));
}

TEST(Composite, IntermediateAlphaUsesTheExactRounding) {
    // Red: 200*128 + 255*127 + 128 = 58113 -> (58113 + 227) >> 8 = 227.
    // Green: 0*128 + 255*127 + 128 = 32513 -> (32513 + 127) >> 8 = 127.
    // Blue: 100*128 + 0*127 + 128 = 12928 -> (12928 + 50) >> 8 = 50.
    EXPECT_EQ(CompositeOne(OnePixel(200, 0, 100, 128), RgbColour(255, 255, 0)),
              RgbColour(227, 127, 50));
    // Alpha 1 and 254, the values closest to the shortcuts.
    EXPECT_EQ(CompositeOne(OnePixel(255, 255, 255, 1), RgbColour(0, 0, 0)), RgbColour(1, 1, 1));
    EXPECT_EQ(CompositeOne(OnePixel(0, 0, 0, 254), RgbColour(255, 255, 255)), RgbColour(1, 1, 1));
}

TEST(Composite, MinusOneMeansTheFileBackgroundAndWhiteWithoutOne) {
    RgbaImage clear = OnePixel(1, 2, 3, 0);
    EXPECT_EQ(CompositeOne(clear, kFileBackground, RgbColour(9, 8, 7)), RgbColour(9, 8, 7));
    EXPECT_EQ(CompositeOne(clear, kFileBackground, -1), kWhite);
    EXPECT_EQ(CompositeOne(clear, RgbColour(4, 5, 6), RgbColour(9, 8, 7)), RgbColour(4, 5, 6))
        << "an explicit colour wins over the file's";
}

TEST(Composite, WritesBgrRowsInEitherStorageOrder) {
    RgbaImage image;
    image.width = 2;
    image.height = 2;
    image.pixels = {255, 0, 0,   255, 0, 255, 0, 255,  // top: red, green
                    0,   0, 255, 255, 9, 9,   9, 0};   // bottom: blue, clear
    for (bool topDown : {true, false}) {
        PixelBuffer24 out;
        ASSERT_EQ(PixelBuffer24Create(&out, 2, 2, topDown), 1);
        Pixels24 view = PixelBuffer24View(&out);
        ASSERT_EQ(CompositeRgbaOnColour(image, kWhite, -1, view), 1);
        EXPECT_EQ(Pixels24Get(view, 0, 0), RgbColour(255, 0, 0));
        EXPECT_EQ(Pixels24Get(view, 1, 0), RgbColour(0, 255, 0));
        EXPECT_EQ(Pixels24Get(view, 0, 1), RgbColour(0, 0, 255));
        EXPECT_EQ(Pixels24Get(view, 1, 1), kWhite);
        // The DIB byte order: blue, green, red; rows padded to 8 bytes.
        size_t topRow = topDown ? 0 : 8;
        EXPECT_EQ(out.bits[topRow + 2], 255);
        EXPECT_EQ(out.bits[topRow + 0], 0);
    }
}

TEST(Composite, RefusesMismatchedSizesAndEmptyImages) {
    PixelBuffer24 out;
    PixelBuffer24Create(&out, 2, 1, true);
    EXPECT_EQ(CompositeRgbaOnColour(OnePixel(1, 2, 3, 4), kWhite, -1, PixelBuffer24View(&out)), 0);
    EXPECT_EQ(CompositeRgbaOnColour(RgbaImage{}, kWhite, -1, PixelBuffer24View(&out)), 0);
}

// The full path of a device picture: palette + tRNS file, composited onto a
// colour, then drawn keyed against that colour over something else.
TEST(Composite, PaletteTransparencyShowsTheBackgroundThrough) {
    TestPng png;
    png.width = 3;
    png.colourType = PNG_COLOR_TYPE_PALETTE;
    png.palette = {{0, 0, 0}, {10, 200, 10}, {90, 90, 90}};
    png.paletteAlpha = {0, 255, 128};
    png.rows = {{0, 1, 2}};
    std::vector<uint8_t> file = WriteTestPng(png);
    RgbaImage image;
    int32_t fileBackground;
    ASSERT_EQ(DecodePng(file.data(), file.size(), &image, &fileBackground), 1);

    PixelBuffer24 picture;
    PixelBuffer24Create(&picture, 3, 1, true);
    Pixels24 view = PixelBuffer24View(&picture);
    ASSERT_EQ(CompositeRgbaOnColour(image, kWhite, fileBackground, view), 1);
    EXPECT_EQ(Pixels24Get(view, 0, 0), kWhite);
    EXPECT_EQ(Pixels24Get(view, 1, 0), RgbColour(10, 200, 10));
    EXPECT_EQ(Pixels24Get(view, 2, 0), RgbColour(172, 172, 172));  // (90*128 + 255*127 + 128) / 255

    PixelBuffer24 screen;
    PixelBuffer24Create(&screen, 3, 1, true);
    Pixels24 screenView = PixelBuffer24View(&screen);
    Pixels24FillSolid(screenView, 0, 0, 3, 1, ColourFillFromRgb(RgbColour(0, 0, 255)));
    Pixels24CopyKeyed(screenView, 0, 0, 3, 1, view, 0, 0, kWhite);
    EXPECT_EQ(Pixels24Get(screenView, 0, 0), RgbColour(0, 0, 255))
        << "transparent part shows through";
    EXPECT_EQ(Pixels24Get(screenView, 1, 0), RgbColour(10, 200, 10));
}
