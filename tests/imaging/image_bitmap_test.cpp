// ImageBitmap: making device pictures from files and rescaling them, and
// releasing what was made (the headless store counts live bitmaps).
#include "imaging/image_bitmap.h"

#include <gtest/gtest.h>

#include "headless/bitmap_store_headless.h"
#include "tests/support/png_writer.h"

namespace {

class ImageBitmapTest : public testing::Test {
  protected:
    void SetUp() override { live_ = HeadlessLiveBitmapCount(); }
    void TearDown() override {
        ImageBitmapRelease(&bitmap_);
        HeadlessFailBitmapAllocations(0);
        EXPECT_EQ(HeadlessLiveBitmapCount(), live_) << "a bitmap leaked";
    }
    int live_ = 0;
    ImageBitmap bitmap_;
};

// A 4 x 2 picture: an opaque left half in dark blue, a transparent right half.
std::string HalfTransparentFile() {
    std::vector<uint8_t> rgba;
    for (int y = 0; y < 2; y++)
        for (int x = 0; x < 4; x++) rgba.insert(rgba.end(), {0, 0, 128, uint8_t(x < 2 ? 255 : 0)});
    return WriteTempFile("half_transparent.png", WriteRgbaPng(4, 2, rgba));
}

}  // namespace

TEST_F(ImageBitmapTest, PngFileIsCompositedOntoTheGivenColour) {
    std::string path = HalfTransparentFile();
    ASSERT_EQ(ImageBitmapFromPngFile(path.c_str(), kWhite, &bitmap_), 1);
    EXPECT_FALSE(ImageBitmapIsEmpty(bitmap_));
    EXPECT_EQ(bitmap_.width, 4);
    EXPECT_EQ(bitmap_.height, 2);
    EXPECT_EQ(Pixels24Get(bitmap_.pixels, 1, 1), RgbColour(0, 0, 128));
    EXPECT_EQ(Pixels24Get(bitmap_.pixels, 2, 1), kWhite);

    // Loading again into the same bitmap replaces it without leaking.
    ASSERT_EQ(ImageBitmapFromPngFile(path.c_str(), RgbColour(229, 228, 231), &bitmap_), 1);
    EXPECT_EQ(Pixels24Get(bitmap_.pixels, 3, 0), RgbColour(229, 228, 231));
    EXPECT_EQ(HeadlessLiveBitmapCount(), live_ + 1);
}

// Pictures are kept from one device load to the next; one replaced on disk is made again.
TEST_F(ImageBitmapTest, APictureChangedOnDiskIsDecodedAgain) {
    std::string path = HalfTransparentFile();
    ASSERT_EQ(ImageBitmapFromPngFile(path.c_str(), kWhite, &bitmap_), 1);
    EXPECT_EQ(bitmap_.width, 4);
    std::vector<uint8_t> red;
    for (int i = 0; i < 9; i++) red.insert(red.end(), {200, 0, 0, 255});
    ASSERT_EQ(WriteTempFile("half_transparent.png", WriteRgbaPng(3, 3, red)), path);
    ASSERT_EQ(ImageBitmapFromPngFile(path.c_str(), kWhite, &bitmap_), 1);
    EXPECT_EQ(bitmap_.width, 3);
    EXPECT_EQ(Pixels24Get(bitmap_.pixels, 2, 2), RgbColour(200, 0, 0));
}

TEST_F(ImageBitmapTest, FileBackgroundComesFromTheBkgdChunk) {
    TestPng png;
    png.width = 2;
    png.colourType = PNG_COLOR_TYPE_PALETTE;
    png.palette = {{1, 1, 1}, {20, 30, 40}};
    png.paletteAlpha = {0, 255};
    png.rows = {{0, 1}};
    png.hasBackground = true;
    png.background.index = 1;
    std::string path = WriteTempFile("bkgd.png", WriteTestPng(png));
    ASSERT_EQ(ImageBitmapFromPngFile(path.c_str(), kFileBackground, &bitmap_), 1);
    EXPECT_EQ(Pixels24Get(bitmap_.pixels, 0, 0), RgbColour(20, 30, 40));
}

TEST_F(ImageBitmapTest, BadFilesLeaveTheBitmapEmpty) {
    std::string notPng = WriteTempFile("not_png.png", {'B', 'M', 1, 2, 3, 4, 5, 6, 7, 8, 9});
    std::vector<uint8_t> png = WriteRgbaPng(8, 8, std::vector<uint8_t>(256, 200));
    png.resize(png.size() / 2);
    std::string truncated = WriteTempFile("truncated.png", png);
    for (const std::string& path : {notPng, truncated, std::string("/nonexistent/picture.png")}) {
        ASSERT_EQ(ImageBitmapFromPngFile(HalfTransparentFile().c_str(), kWhite, &bitmap_), 1);
        EXPECT_EQ(ImageBitmapFromPngFile(path.c_str(), kWhite, &bitmap_), 0) << path;
        EXPECT_TRUE(ImageBitmapIsEmpty(bitmap_)) << "the old picture is released, not shown";
        EXPECT_EQ(bitmap_.width, 0);
    }
}

TEST_F(ImageBitmapTest, ResampleReplacesThePictureInPlace) {
    ASSERT_EQ(ImageBitmapFromPngFile(HalfTransparentFile().c_str(), kWhite, &bitmap_), 1);
    EXPECT_EQ(ImageBitmapResample(&bitmap_, 4, 2), ResampleResult::kUnchanged);
    ASSERT_EQ(ImageBitmapResample(&bitmap_, 8, 1), ResampleResult::kResampled);
    EXPECT_EQ(bitmap_.width, 8);
    EXPECT_EQ(bitmap_.height, 1);
    EXPECT_EQ(Pixels24Get(bitmap_.pixels, 0, 0), RgbColour(0, 0, 128));
    EXPECT_EQ(Pixels24Get(bitmap_.pixels, 7, 0), kWhite);
    EXPECT_EQ(HeadlessLiveBitmapCount(), live_ + 1) << "the unscaled picture is released";
}

TEST_F(ImageBitmapTest, FailedResampleKeepsTheUnscaledPicture) {
    ASSERT_EQ(ImageBitmapFromPngFile(HalfTransparentFile().c_str(), kWhite, &bitmap_), 1);
    HeadlessFailBitmapAllocations(1);
    EXPECT_EQ(ImageBitmapResample(&bitmap_, 2, 1), ResampleResult::kFailed);
    EXPECT_EQ(bitmap_.width, 4);
    EXPECT_EQ(Pixels24Get(bitmap_.pixels, 0, 0), RgbColour(0, 0, 128));
    EXPECT_EQ(ImageBitmapResample(&bitmap_, 0, 1), ResampleResult::kFailed);
    EXPECT_EQ(ImageBitmapResample(&bitmap_, 20000, 1), ResampleResult::kFailed);
    EXPECT_EQ(bitmap_.width, 4);

    ImageBitmap empty;
    EXPECT_EQ(ImageBitmapResample(&empty, 2, 2), ResampleResult::kFailed);
}

TEST_F(ImageBitmapTest, FailedAllocationGivesAnEmptyBitmap) {
    HeadlessFailBitmapAllocations(1);
    EXPECT_EQ(ImageBitmapFromPngFile(HalfTransparentFile().c_str(), kWhite, &bitmap_), 0);
    EXPECT_TRUE(ImageBitmapIsEmpty(bitmap_));
}

TEST_F(ImageBitmapTest, FromPixelsCopiesAnyRowOrder) {
    PixelBuffer24 source;
    PixelBuffer24Create(&source, 2, 2, false);
    Pixels24 view = PixelBuffer24View(&source);
    Pixels24Row(view, 0)[2] = 99;  // top-left red
    ASSERT_EQ(ImageBitmapFromPixels(view, &bitmap_), 1);
    EXPECT_EQ(Pixels24Get(bitmap_.pixels, 0, 0), RgbColour(99, 0, 0));
    EXPECT_EQ(Pixels24Get(bitmap_.pixels, 0, 1), RgbColour(0, 0, 0));
    EXPECT_GT(bitmap_.pixels.stride, 0) << "ImageBitmaps are top-down";
}
