// The bilinear resampler on known pixels.
#include "imaging/resample.h"

#include <gtest/gtest.h>

#include "imaging/rgba_image.h"

namespace {

// A width x height buffer whose pixels are grey levels from `levels`, row by row.
PixelBuffer24 GreyPicture(int width, int height, std::vector<int> levels, bool topDown = true) {
    PixelBuffer24 buffer;
    PixelBuffer24Create(&buffer, width, height, topDown);
    Pixels24 view = PixelBuffer24View(&buffer);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            uint8_t* p = Pixels24Row(view, y) + x * 3;
            p[0] = p[1] = p[2] = static_cast<uint8_t>(levels[y * width + x]);
        }
    return buffer;
}

std::vector<int> GreyLevels(PixelBuffer24* buffer) {
    Pixels24 view = PixelBuffer24View(buffer);
    std::vector<int> levels;
    for (int y = 0; y < view.height; y++)
        for (int x = 0; x < view.width; x++) {
            const uint8_t* p = Pixels24Row(view, y) + x * 3;
            EXPECT_TRUE(p[0] == p[1] && p[1] == p[2]) << "channels of a grey pixel differ";
            levels.push_back(p[0]);
        }
    return levels;
}

std::vector<int> Resample(int width, int height, std::vector<int> levels, int newWidth,
                          int newHeight) {
    PixelBuffer24 source = GreyPicture(width, height, levels);
    PixelBuffer24 out;
    EXPECT_EQ(ResampleToBuffer(PixelBuffer24View(&source), newWidth, newHeight, &out), 1);
    return GreyLevels(&out);
}

}  // namespace

TEST(Resample, SameSizeCopiesEveryPixel) {
    std::vector<int> levels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    EXPECT_EQ(Resample(4, 3, levels, 4, 3), levels);
}

TEST(Resample, DoublingMixesOnlyTheSecondHalfOfEachSourcePixel) {
    // Samples at 0, 0.5, 1, 1.5: the 0.5 sample averages pixels 0 and 1; the
    // 1.5 sample's rounded neighbour is past the edge and stays on pixel 1.
    EXPECT_EQ(Resample(2, 1, {0, 200}, 4, 1), (std::vector<int>{0, 100, 200, 200}));
    EXPECT_EQ(Resample(1, 2, {0, 200}, 1, 4), (std::vector<int>{0, 100, 200, 200}));
}

TEST(Resample, HalvingTakesEverySecondPixel) {
    EXPECT_EQ(Resample(4, 1, {10, 20, 30, 40}, 2, 1), (std::vector<int>{10, 30}));
    EXPECT_EQ(Resample(4, 4, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}, 2, 2),
              (std::vector<int>{1, 3, 9, 11}));
}

TEST(Resample, AddsOneHalfBeforeTruncating) {
    // 0.5 * 0 + 0.5 * 1 = 0.5 -> 1 (plain truncation would give 0).
    EXPECT_EQ(Resample(2, 1, {0, 1}, 4, 1), (std::vector<int>{0, 1, 1, 1}));
    // 0.5 * 10 + 0.5 * 13 = 11.5 -> 12.
    EXPECT_EQ(Resample(2, 1, {10, 13}, 4, 1)[1], 12);
}

TEST(Resample, SecondNeighbourIsTheRoundedCoordinate) {
    // 5 -> 4 columns, step 1.25: samples at 0, 1.25, 2.5, 3.75.
    //   1.25: neighbours 1 and trunc(1.75) = 1 -> pixel 1 alone (100);
    //   2.5:  neighbours 2 and 3, weight 0.5 -> (200 + 40) / 2 = 120;
    //   3.75: neighbours 3 and 4, weight 0.75 -> 40 * 0.25 + 80 * 0.75 = 70.
    EXPECT_EQ(Resample(5, 1, {0, 100, 200, 40, 80}, 4, 1), (std::vector<int>{0, 100, 120, 70}));
}

TEST(Resample, MixesInBothDirectionsAtOnce) {
    // 2x2 -> 4x4: the sample at (0.5, 0.5) weights all four pixels by 1/4.
    std::vector<int> out = Resample(2, 2, {0, 40, 80, 120}, 4, 4);
    EXPECT_EQ(out[1 * 4 + 1], 60);
    EXPECT_EQ(out[0 * 4 + 1], 20);
    EXPECT_EQ(out[1 * 4 + 0], 40);
    EXPECT_EQ(out[3 * 4 + 3], 120);
}

TEST(Resample, ReadsBottomUpSourcesInPictureOrder) {
    PixelBuffer24 source = GreyPicture(2, 2, {0, 40, 80, 120}, false);
    PixelBuffer24 out;
    ASSERT_EQ(ResampleToBuffer(PixelBuffer24View(&source), 2, 1, &out), 1);
    EXPECT_EQ(GreyLevels(&out), (std::vector<int>{0, 40})) << "row 0 is the top row";
}

TEST(Resample, KeepsColourChannelsApart) {
    PixelBuffer24 source;
    PixelBuffer24Create(&source, 2, 1, true);
    Pixels24 view = PixelBuffer24View(&source);
    uint8_t* p = Pixels24Row(view, 0);
    p[0] = 200;  // pixel 0 blue
    p[5] = 100;  // pixel 1 red
    PixelBuffer24 out;
    ASSERT_EQ(ResampleToBuffer(view, 4, 1, &out), 1);
    EXPECT_EQ(Pixels24Get(PixelBuffer24View(&out), 1, 0), RgbColour(50, 0, 100));
}

TEST(Resample, ExtremeShrinkAndGrowStayInsideTheSource) {
    std::vector<int> wide(3000);
    for (size_t i = 0; i < wide.size(); i++) wide[i] = int(i % 256);
    std::vector<int> one = Resample(3000, 1, wide, 1, 1);
    EXPECT_EQ(one, std::vector<int>{0});
    std::vector<int> grown = Resample(1, 1, {77}, 300, 3);
    EXPECT_EQ(grown, std::vector<int>(900, 77));
}

TEST(Resample, RefusesBadSizes) {
    PixelBuffer24 source = GreyPicture(2, 2, {1, 2, 3, 4});
    PixelBuffer24 out;
    EXPECT_EQ(ResampleToBuffer(PixelBuffer24View(&source), 0, 5, &out), 0);
    EXPECT_EQ(ResampleToBuffer(PixelBuffer24View(&source), 5, -1, &out), 0);
    EXPECT_EQ(ResampleToBuffer(PixelBuffer24View(&source), kMaxImageSide + 1, 1, &out), 0);
    EXPECT_TRUE(out.bits.empty());
    EXPECT_EQ(ResampleToBuffer(Pixels24{}, 2, 2, &out), 0);
}
