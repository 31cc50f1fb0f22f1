// Screenshots: 24-bit pixels written as PNG and read back.
#include "imaging/png_encode.h"

#include <gtest/gtest.h>

#include "imaging/pixel_draw.h"
#include "imaging/png_decode.h"
#include "tests/support/test_temp_dir.h"

TEST(PngEncode, RoundTripsEitherRowOrder) {
    for (bool topDown : {true, false}) {
        PixelBuffer24 buffer;
        ASSERT_EQ(PixelBuffer24Create(&buffer, 5, 3, topDown), 1);  // 15-byte rows, padded to 16
        Pixels24 view = PixelBuffer24View(&buffer);
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 5; x++)
                Pixels24FillSolid(view, x, y, 1, 1,
                                  ColourFillFromRgb(RgbColour(x * 50, y * 100, 7)));
        std::vector<uint8_t> file;
        ASSERT_EQ(EncodePng24(view, &file), 1);
        RgbaImage image;
        ASSERT_EQ(DecodePng(file.data(), file.size(), &image, nullptr), 1);
        ASSERT_EQ(image.width, 5);
        ASSERT_EQ(image.height, 3);
        for (int y = 0; y < 3; y++)
            for (int x = 0; x < 5; x++) {
                const uint8_t* p = RgbaImagePixel(image, x, y);
                EXPECT_EQ(RgbColour(p[0], p[1], p[2]), Pixels24Get(view, x, y))
                    << x << "," << y << (topDown ? " top-down" : " bottom-up");
                EXPECT_EQ(p[3], 255);
            }
    }
}

TEST(PngEncode, WritesFilesAndRefusesEmptyPictures) {
    PixelBuffer24 buffer;
    PixelBuffer24Create(&buffer, 2, 2, true);
    std::string path = TestTempDir() + "screenshot.png";
    ASSERT_EQ(WritePngFile(path.c_str(), PixelBuffer24View(&buffer)), 1);
    RgbaImage image;
    EXPECT_EQ(DecodePngFile(path.c_str(), &image, nullptr), 1);
    EXPECT_EQ(image.width, 2);

    std::vector<uint8_t> file = {1, 2, 3};
    EXPECT_EQ(EncodePng24(Pixels24{}, &file), 0);
    EXPECT_TRUE(file.empty());
    EXPECT_EQ(WritePngFile("/nonexistent-folder/x.png", PixelBuffer24View(&buffer)), 0);
}
