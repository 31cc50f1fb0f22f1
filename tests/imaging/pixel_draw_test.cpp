// Portable drawing primitives: blending, fills, frames and copies on known
// pixels, and the clipping that keeps every one of them inside its picture.
#include "imaging/pixel_draw.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t kGrey = RgbColour(100, 100, 100);

// A small canvas filled with one colour.
struct Canvas {
    PixelBuffer24 buffer;
    Pixels24 view;
    Canvas(int width, int height, int32_t colour = kGrey, bool topDown = true) {
        PixelBuffer24Create(&buffer, width, height, topDown);
        view = PixelBuffer24View(&buffer);
        Pixels24FillSolid(view, 0, 0, width, height, ColourFillFromRgb(colour));
    }
    int32_t At(int x, int y) const { return Pixels24Get(view, x, y); }
    // Every pixel as a row of characters: '.' for `background`, '#' otherwise.
    std::string Map(int32_t background = kGrey) const {
        std::string map;
        for (int y = 0; y < view.height; y++) {
            for (int x = 0; x < view.width; x++) map += At(x, y) == background ? '.' : '#';
            map += '\n';
        }
        return map;
    }
};

RgbaImage SolidImage(int width, int height, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    RgbaImage image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height; i++) image.pixels.insert(image.pixels.end(), {r, g, b, a});
    return image;
}

// The source picture for copies: pixel (x, y) has red x*10+1, green y*10+1.
PixelBuffer24 Numbered(int width, int height) {
    PixelBuffer24 buffer;
    PixelBuffer24Create(&buffer, width, height, true);
    Pixels24 view = PixelBuffer24View(&buffer);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            uint8_t* p = Pixels24Row(view, y) + x * 3;
            p[2] = uint8_t(x * 10 + 1);
            p[1] = uint8_t(y * 10 + 1);
            p[0] = 0;
        }
    return buffer;
}
int32_t NumberedPixel(int x, int y) {
    return RgbColour(x * 10 + 1, y * 10 + 1, 0);
}

}  // namespace

TEST(BlendRgba, GlobalAlphaScalesEachPixelsAlpha) {
    Canvas canvas(4, 1, RgbColour(0, 0, 0));
    RgbaImage image = SolidImage(1, 1, 255, 255, 255, 255);
    Pixels24BlendRgba(canvas.view, 0, 0, 1, 1, image, 0, 0, 255);
    Pixels24BlendRgba(canvas.view, 1, 0, 1, 1, image, 0, 0, 128);  // disabled button
    RgbaImage half = SolidImage(1, 1, 255, 255, 255, 128);
    Pixels24BlendRgba(canvas.view, 2, 0, 1, 1, half, 0, 0, 128);  // 128*128/255 = 64
    Pixels24BlendRgba(canvas.view, 3, 0, 1, 1, image, 0, 0, 0);
    EXPECT_EQ(canvas.At(0, 0), RgbColour(255, 255, 255));
    EXPECT_EQ(canvas.At(1, 0), RgbColour(128, 128, 128));
    EXPECT_EQ(canvas.At(2, 0), RgbColour(64, 64, 64));
    EXPECT_EQ(canvas.At(3, 0), RgbColour(0, 0, 0));
}

TEST(BlendRgba, MixesEachChannelWithTheDestination) {
    Canvas canvas(1, 1, RgbColour(200, 40, 0));
    Pixels24BlendRgba(canvas.view, 0, 0, 1, 1, SolidImage(1, 1, 0, 240, 90, 170), 0, 0, 255);
    // alpha 170: red (0*170 + 200*85 + 128) -> 67, green (240*170 + 40*85) -> 173, blue -> 60.
    EXPECT_EQ(canvas.At(0, 0), RgbColour(67, 173, 60));
}

TEST(BlendRgba, SizeLargerThanTheImageDrawsOnlyTheImage) {
    Canvas canvas(6, 4);
    Pixels24BlendRgba(canvas.view, 1, 1, 50, 50, SolidImage(2, 2, 0, 0, 0, 255), 0, 0, 255);
    EXPECT_EQ(canvas.Map(),
              "......\n"
              ".##...\n"
              ".##...\n"
              "......\n");
}

TEST(BlendRgba, SourceOffsetSelectsPartOfTheImage) {
    RgbaImage image = SolidImage(3, 1, 0, 0, 0, 255);
    image.pixels[4 * 2 + 0] = 250;  // the last pixel is red
    Canvas canvas(3, 1);
    Pixels24BlendRgba(canvas.view, 0, 0, 3, 1, image, 2, 0, 255);
    EXPECT_EQ(canvas.At(0, 0), RgbColour(250, 0, 0));
    EXPECT_EQ(canvas.At(1, 0), kGrey) << "only one column of the image is right of the offset";
}

TEST(BlendRgba, ClipsAtEveryEdgeOfTheDestination) {
    Canvas canvas(4, 3);
    RgbaImage image = SolidImage(3, 3, 0, 0, 0, 255);
    Pixels24BlendRgba(canvas.view, -2, -2, 3, 3, image, 0, 0, 255);
    Pixels24BlendRgba(canvas.view, 3, 2, 3, 3, image, 0, 0, 255);
    EXPECT_EQ(canvas.Map(),
              "#...\n"
              "....\n"
              "...#\n");
    // Far outside, negative sizes and offsets: nothing, and no out-of-range access.
    Canvas untouched(4, 3);
    Pixels24BlendRgba(untouched.view, INT32_MAX - 1, 0, 3, 3, image, 0, 0, 255);
    Pixels24BlendRgba(untouched.view, 0, 0, -5, 3, image, 0, 0, 255);
    Pixels24BlendRgba(untouched.view, 0, 0, 3, 3, image, 7, 0, 255);
    Pixels24BlendRgba(untouched.view, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, image, 0, 0, 255);
    EXPECT_EQ(untouched.Map(), "....\n....\n....\n");
}

TEST(BlendRgba, NegativeSourceOffsetMovesTheImageRight) {
    Canvas canvas(4, 1);
    Pixels24BlendRgba(canvas.view, 0, 0, 4, 1, SolidImage(2, 1, 0, 0, 0, 255), -1, 0, 255);
    EXPECT_EQ(canvas.Map(), ".##.\n");
}

TEST(DrawingClip, APaneClipKeepsDrawingInsideIt) {
    Canvas canvas(6, 3);
    Pixels24 pane = Pixels24WithClip(canvas.view, PixelRect{2, 0, 4, 2});
    Pixels24FillSolid(pane, 0, 0, 6, 3, ColourFillFromRgb(0));
    EXPECT_EQ(canvas.Map(),
              "..##..\n"
              "..##..\n"
              "......\n");
    Pixels24 none = Pixels24WithClip(pane, PixelRect{4, 0, 6, 3});  // no overlap with the pane
    Pixels24FillSolid(none, 0, 0, 6, 3, ColourFillFromRgb(0));
    EXPECT_EQ(canvas.At(5, 0), kGrey);
}

TEST(TranslucentFill, MixesTheColourByAlphaOver255) {
    Canvas canvas(3, 1, RgbColour(255, 255, 255));
    Pixels24FillTranslucent(canvas.view, 1, 0, 1, 1, ColourFillFromRgb(RgbColour(188, 204, 220)),
                            170);
    EXPECT_EQ(canvas.At(0, 0), RgbColour(255, 255, 255));
    // (188*170 + 255*85 + 128) -> 210, (204*170 + 255*85) -> 221, (220*170 + 255*85) -> 232.
    EXPECT_EQ(canvas.At(1, 0), RgbColour(210, 221, 232));
    Pixels24FillTranslucent(canvas.view, 0, 0, 1, 1, ColourFill{}, 0);
    EXPECT_EQ(canvas.At(0, 0), RgbColour(255, 255, 255)) << "alpha 0 changes nothing";
    Pixels24FillTranslucent(canvas.view, 2, 0, 1, 1, ColourFill{}, 999);
    EXPECT_EQ(canvas.At(2, 0), RgbColour(0, 0, 0)) << "alpha above 255 counts as 255";
}

TEST(TranslucentFrame, FourStripsMixEveryFramePixelOnce) {
    Canvas canvas(7, 6, RgbColour(0, 0, 0));
    Pixels24FrameTranslucent(canvas.view, 1, 1, 5, 4, 1,
                             ColourFillFromRgb(RgbColour(255, 255, 255)), 128);
    EXPECT_EQ(canvas.Map(RgbColour(0, 0, 0)),
              ".......\n"
              ".#####.\n"
              ".#...#.\n"
              ".#...#.\n"
              ".#####.\n"
              ".......\n");
    // Corners belong to the top and bottom strips only: mixed once, like the rest.
    for (auto xy : {std::make_pair(1, 1), std::make_pair(5, 1), std::make_pair(1, 4),
                    std::make_pair(5, 4), std::make_pair(3, 1), std::make_pair(1, 2)})
        EXPECT_EQ(canvas.At(xy.first, xy.second), RgbColour(128, 128, 128))
            << xy.first << "," << xy.second;
}

TEST(TranslucentFrame, ThickFramesFillSmallRectanglesOnce) {
    Canvas canvas(4, 3, RgbColour(0, 0, 0));
    Pixels24FrameTranslucent(canvas.view, 0, 0, 4, 3, 2,
                             ColourFillFromRgb(RgbColour(255, 255, 255)), 128);
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 4; x++) EXPECT_EQ(canvas.At(x, y), RgbColour(128, 128, 128));

    Canvas thick(6, 6, RgbColour(0, 0, 0));
    Pixels24FrameTranslucent(thick.view, 0, 0, 6, 6, 2, ColourFillFromRgb(RgbColour(255, 255, 255)),
                             255);
    EXPECT_EQ(thick.Map(RgbColour(0, 0, 0)),
              "######\n"
              "######\n"
              "##..##\n"
              "##..##\n"
              "######\n"
              "######\n");
}

TEST(BitmapCopy, OpaqueCopiesWholeAndPart) {
    PixelBuffer24 source = Numbered(3, 2);
    Pixels24 src = PixelBuffer24View(&source);
    Canvas canvas(5, 3);
    Pixels24Copy(canvas.view, 1, 1, src);
    EXPECT_EQ(canvas.At(1, 1), NumberedPixel(0, 0));
    EXPECT_EQ(canvas.At(3, 2), NumberedPixel(2, 1));
    EXPECT_EQ(canvas.At(0, 0), kGrey);

    Canvas part(5, 3);
    Pixels24CopyPart(part.view, 0, 0, 2, 1, src, 1, 1);
    EXPECT_EQ(part.At(0, 0), NumberedPixel(1, 1));
    EXPECT_EQ(part.At(1, 0), NumberedPixel(2, 1));
    EXPECT_EQ(part.At(2, 0), kGrey);
    EXPECT_EQ(part.At(0, 1), kGrey);
}

TEST(BitmapCopy, PartIsClippedToTheSource) {
    PixelBuffer24 source = Numbered(3, 2);
    Canvas canvas(6, 4);
    Pixels24CopyPart(canvas.view, 0, 0, 6, 4, PixelBuffer24View(&source), 1, 0);
    EXPECT_EQ(canvas.Map(),
              "##....\n"
              "##....\n"
              "......\n"
              "......\n");
    EXPECT_EQ(canvas.At(1, 1), NumberedPixel(2, 1));
}

TEST(BitmapCopy, KeyedCopyLeavesKeyPixelsTransparent) {
    PixelBuffer24 source = Numbered(3, 1);
    Pixels24 src = PixelBuffer24View(&source);
    int32_t key = RgbColour(229, 228, 231);
    uint8_t* middle = Pixels24Row(src, 0) + 3;
    middle[0] = 231;  // blue
    middle[1] = 228;
    middle[2] = 229;
    Canvas canvas(5, 1);
    // A window of the bitmap (source column 1, width 2), as the scrolled
    // device picture draws it.
    Pixels24CopyKeyed(canvas.view, 1, 0, 2, 1, src, 1, 0, key);
    EXPECT_EQ(canvas.At(1, 0), kGrey) << "key colour shows what is beneath";
    EXPECT_EQ(canvas.At(2, 0), NumberedPixel(2, 0));
    EXPECT_EQ(canvas.At(3, 0), kGrey);
}

TEST(BitmapCopy, TilesRepeatFromTheGivenSourceColumn) {
    PixelBuffer24 source = Numbered(3, 2);
    Pixels24 src = PixelBuffer24View(&source);
    Canvas canvas(8, 3);
    Pixels24Tile(canvas.view, 0, 0, 7, 3, src, 2);
    int expectedColumns[7] = {2, 0, 1, 2, 0, 1, 2};
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 7; x++)
            EXPECT_EQ(canvas.At(x, y), NumberedPixel(expectedColumns[x], y % 2)) << x << "," << y;
    EXPECT_EQ(canvas.At(7, 0), kGrey) << "clipped at the right";
}

TEST(BitmapCopy, ClippedTilingLinesUpWithTheUnclipped) {
    PixelBuffer24 source = Numbered(3, 2);
    Pixels24 src = PixelBuffer24View(&source);
    Canvas whole(8, 4), clipped(8, 4);
    Pixels24Tile(whole.view, 1, 1, 6, 3, src, 288);
    Pixels24Tile(Pixels24WithClip(clipped.view, PixelRect{3, 2, 8, 4}), 1, 1, 6, 3, src, 288);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 8; x++) {
            bool inside = x >= 3 && y >= 2;
            EXPECT_EQ(clipped.At(x, y), inside ? whole.At(x, y) : kGrey) << x << "," << y;
        }
    EXPECT_EQ(whole.At(1, 1), NumberedPixel(288 % 3, 0));
}

TEST(BitmapCopy, EmptySourcesDrawNothing) {
    Canvas canvas(2, 2);
    Pixels24Copy(canvas.view, 0, 0, Pixels24{});
    Pixels24Tile(canvas.view, 0, 0, 2, 2, Pixels24{}, 0);
    Pixels24CopyKeyed(canvas.view, 0, 0, 2, 2, Pixels24{}, 0, 0, 0);
    Pixels24BlendRgba(canvas.view, 0, 0, 2, 2, RgbaImage{}, 0, 0, 255);
    EXPECT_EQ(canvas.Map(), "..\n..\n");
}

TEST(Pixels24Layout, BottomUpViewsAddressRowsFromTheTop) {
    Canvas canvas(2, 2, kGrey, false);
    Pixels24FillSolid(canvas.view, 0, 0, 2, 1, ColourFillFromRgb(RgbColour(1, 2, 3)));
    // Bottom-up storage keeps the top row last; rows of 2 pixels pad to 8 bytes.
    EXPECT_EQ(canvas.buffer.bits[8 + 0], 3);
    EXPECT_EQ(canvas.buffer.bits[8 + 2], 1);
    EXPECT_EQ(canvas.buffer.bits[0], 100);
    EXPECT_EQ(canvas.At(0, 0), RgbColour(1, 2, 3));
}
