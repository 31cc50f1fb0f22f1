// The Win32 drawing of the imaging subsystem, on real GDI (under Wine in
// CI): each test draws on a DIB section selected into a memory DC and reads
// the pixels back, so the expected values are those of the portable tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "imaging/gdi_draw_win32.h"
#include "imaging/pixel_draw.h"

namespace {

constexpr int32_t kGrey = RgbColour(100, 100, 100);

// A picture to draw on: an ImageBitmap selected into a memory DC.
class Surface {
  public:
    Surface(int width, int height, int32_t colour = kGrey) : dc_(nullptr) {
        ImageBitmapAllocate(&bitmap_, width, height);
        Pixels24FillSolid(bitmap_.pixels, 0, 0, width, height, ColourFillFromRgb(colour));
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, static_cast<HBITMAP>(bitmap_.handle));
    }
    ~Surface() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        ImageBitmapRelease(&bitmap_);
    }
    HDC dc() const { return dc_; }
    int32_t At(int x, int y) {
        GdiFlush();  // GDI's writes must reach the section before the CPU reads
        return Pixels24Get(bitmap_.pixels, x, y);
    }
    std::string Map(int32_t background = kGrey) {
        std::string map;
        for (int y = 0; y < bitmap_.height; y++) {
            for (int x = 0; x < bitmap_.width; x++) map += At(x, y) == background ? '.' : '#';
            map += '\n';
        }
        return map;
    }

  private:
    ImageBitmap bitmap_;
    HDC dc_;
    HGDIOBJ previous_ = nullptr;
};

RgbaImage SolidImage(int width, int height, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    RgbaImage image;
    image.width = width;
    image.height = height;
    for (int i = 0; i < width * height; i++) image.pixels.insert(image.pixels.end(), {r, g, b, a});
    return image;
}

// A bitmap whose pixel (x, y) has red x*10+1 and green y*10+1.
void MakeNumbered(ImageBitmap* bitmap, int width, int height) {
    ImageBitmapAllocate(bitmap, width, height);
    for (int y = 0; y < height; y++)
        for (int x = 0; x < width; x++) {
            uint8_t* p = Pixels24Row(bitmap->pixels, y) + x * 3;
            p[0] = 0;
            p[1] = uint8_t(y * 10 + 1);
            p[2] = uint8_t(x * 10 + 1);
        }
}
int32_t NumberedPixel(int x, int y) {
    return RgbColour(x * 10 + 1, y * 10 + 1, 0);
}

}  // namespace

TEST(GdiImaging, RgbaImageIsBlendedWithTheGlobalAlpha) {
    Surface surface(3, 1, RgbColour(0, 0, 0));
    RgbaImage white = SolidImage(1, 1, 255, 255, 255, 255);
    GdiDrawRgbaImage(surface.dc(), white, 0, 0, 255);
    GdiDrawRgbaImage(surface.dc(), white, 1, 0, 128);
    GdiDrawRgbaImage(surface.dc(), SolidImage(1, 1, 255, 255, 255, 128), 2, 0, 128);
    EXPECT_EQ(surface.At(0, 0), RgbColour(255, 255, 255));
    EXPECT_EQ(surface.At(1, 0), RgbColour(128, 128, 128));
    EXPECT_EQ(surface.At(2, 0), RgbColour(64, 64, 64));
}

TEST(GdiImaging, OversizedAndOffsetDrawsStayInsideTheImageAndTheDc) {
    Surface surface(6, 4);
    GdiDrawRgbaImage(surface.dc(), SolidImage(2, 2, 0, 0, 0, 255), 1, 1, 40, 40, 0, 0, 255);
    GdiDrawRgbaImage(surface.dc(), SolidImage(3, 3, 0, 0, 0, 255), 5, 3, 3, 3, 0, 0, 255);
    GdiDrawRgbaImage(surface.dc(), SolidImage(3, 3, 0, 0, 0, 255), -2, -2, 3, 3, 2, 2, 255);
    EXPECT_EQ(surface.Map(),
              "......\n"
              ".##...\n"
              ".##...\n"
              ".....#\n");
}

TEST(GdiImaging, DcClipRegionLimitsPerPixelDrawing) {
    Surface surface(4, 2);
    HRGN region = CreateRectRgn(1, 0, 3, 1);
    SelectClipRgn(surface.dc(), region);
    DeleteObject(region);
    GdiFillTranslucent(surface.dc(), 0, 0, 4, 2, ColourFillFromRgb(RgbColour(0, 0, 0)), 255);
    EXPECT_EQ(surface.Map(), ".##.\n....\n");
}

TEST(GdiImaging, TranslucentFillAndFrameMatchThePortableArithmetic) {
    Surface surface(7, 6, RgbColour(255, 255, 255));
    ColourFill label = ColourFillFromRgb(RgbColour(188, 204, 220));
    GdiFillTranslucent(surface.dc(), 2, 2, 3, 2, label, 170);
    GdiFrameTranslucent(surface.dc(), 1, 1, 5, 4, 1, label, 128);
    EXPECT_EQ(surface.At(3, 2), RgbColour(210, 221, 232));
    // Frame over white at alpha 128: (188*128 + 255*127 + 128) -> 221, 229, 237.
    EXPECT_EQ(surface.At(1, 1), RgbColour(221, 229, 237)) << "a corner is mixed once";
    EXPECT_EQ(surface.At(3, 1), RgbColour(221, 229, 237));
    EXPECT_EQ(surface.At(0, 0), RgbColour(255, 255, 255));
}

TEST(GdiImaging, OpaqueKeyedAndTiledCopies) {
    ImageBitmap numbered;
    MakeNumbered(&numbered, 3, 2);

    Surface opaque(5, 3);
    GdiDrawBitmap(opaque.dc(), numbered, 1, 1);
    EXPECT_EQ(opaque.At(1, 1), NumberedPixel(0, 0));
    EXPECT_EQ(opaque.At(3, 2), NumberedPixel(2, 1));
    EXPECT_EQ(opaque.At(0, 0), kGrey);

    Surface part(5, 3);
    GdiDrawBitmapPart(part.dc(), numbered, 0, 0, 9, 9, 1, 1);
    EXPECT_EQ(part.Map(), "##...\n.....\n.....\n") << "clipped to the bitmap";

    Surface tiled(8, 3);
    GdiTileBitmap(tiled.dc(), numbered, 0, 0, 7, 3, 2);
    int columns[7] = {2, 0, 1, 2, 0, 1, 2};
    for (int y = 0; y < 3; y++)
        for (int x = 0; x < 7; x++) EXPECT_EQ(tiled.At(x, y), NumberedPixel(columns[x], y % 2));
    EXPECT_EQ(tiled.At(7, 0), kGrey);

    // Key: make pixel (1, 0) white; the keyed copy shows the grey beneath it.
    uint8_t* p = Pixels24Row(numbered.pixels, 0) + 3;
    p[0] = p[1] = p[2] = 255;
    Surface keyed(4, 2);
    GdiDrawBitmapKeyed(keyed.dc(), numbered, 0, 0, RGB(255, 255, 255));
    EXPECT_EQ(keyed.At(0, 0), NumberedPixel(0, 0));
    EXPECT_EQ(keyed.At(1, 0), kGrey);
    Surface window(4, 2);
    GdiDrawBitmapKeyedPart(window.dc(), numbered, 0, 0, 2, 1, RGB(255, 255, 255));
    EXPECT_EQ(window.Map(), "#...\n#...\n");
    EXPECT_EQ(window.At(0, 1), NumberedPixel(2, 1));
    // A clip of two pieces cannot be written in place: the same picture comes
    // through the kept mask and the two blits, inside the clip only.
    Surface clipped(4, 2);
    HRGN pieces = CreateRectRgn(0, 0, 2, 1);
    HRGN second = CreateRectRgn(2, 1, 3, 2);
    CombineRgn(pieces, pieces, second, RGN_OR);
    SelectClipRgn(clipped.dc(), pieces);
    DeleteObject(second);
    DeleteObject(pieces);
    GdiDrawBitmapKeyed(clipped.dc(), numbered, 0, 0, RGB(255, 255, 255));
    EXPECT_EQ(clipped.At(0, 0), NumberedPixel(0, 0));
    EXPECT_EQ(clipped.At(1, 0), kGrey) << "the key colour is left out";
    EXPECT_EQ(clipped.At(2, 1), NumberedPixel(2, 1));
    EXPECT_EQ(clipped.Map(), "#...\n..#.\n");

    ImageBitmapRelease(&numbered);
}

TEST(GdiImaging, CapturedDcRectangleHoldsTheDrawnPixels) {
    Surface surface(4, 3);
    GdiFillTranslucent(surface.dc(), 1, 1, 2, 1, ColourFillFromRgb(RgbColour(9, 8, 7)), 255);
    ImageBitmap shot;
    ASSERT_EQ(ImageBitmapFromDc(surface.dc(), 1, 1, 3, 2, &shot), 1);
    EXPECT_EQ(Pixels24Get(shot.pixels, 0, 0), RgbColour(9, 8, 7));
    EXPECT_EQ(Pixels24Get(shot.pixels, 1, 0), RgbColour(9, 8, 7));
    EXPECT_EQ(Pixels24Get(shot.pixels, 2, 0), kGrey);
    EXPECT_EQ(Pixels24Get(shot.pixels, 0, 1), kGrey);
    ImageBitmapRelease(&shot);
    EXPECT_EQ(ImageBitmapFromDc(surface.dc(), 0, 0, 0, 5, &shot), 0);
    EXPECT_TRUE(ImageBitmapIsEmpty(shot));
}

TEST(GdiImaging, EmptyPicturesDrawNothing) {
    Surface surface(2, 2);
    ImageBitmap empty;
    GdiDrawBitmap(surface.dc(), empty, 0, 0);
    GdiTileBitmap(surface.dc(), empty, 0, 0, 2, 2, 0);
    GdiDrawBitmapKeyed(surface.dc(), empty, 0, 0, 0);
    GdiDrawRgbaImage(surface.dc(), RgbaImage{}, 0, 0, 255);
    EXPECT_EQ(surface.Map(), "..\n..\n");
}

TEST(GdiImaging, ScopedSelectObjectPutsThePreviousObjectBack) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ original = GetCurrentObject(dc, OBJ_PEN);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    {
        ScopedSelectObject select(dc, pen);
        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    }
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), original);
    DeleteObject(pen);
    DeleteDC(dc);
}

TEST(GdiImaging, ProgramResourcesLoadAndMissingOnesStayEmpty) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    ImageBitmap texture;
    ASSERT_EQ(ImageBitmapFromBitmapResource(instance, "TEX_BACKGROUND", &texture), 1);
    EXPECT_GT(texture.width, 0);
    EXPECT_GT(texture.height, 0);
    // The resource is a bottom-up 24-bit DIB: its last stored row is the
    // picture's top row, which must be row 0 of the loaded bitmap.
    HRSRC found = FindResourceA(instance, "TEX_BACKGROUND", MAKEINTRESOURCEA(2));
    const uint8_t* data = static_cast<const uint8_t*>(LockResource(LoadResource(instance, found)));
    const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(data);
    if (header->biBitCount == 24 && header->biHeight > 0 && header->biClrUsed == 0) {
        size_t rowBytes = (size_t(header->biWidth) * 3 + 3) & ~size_t(3);
        const uint8_t* top = data + header->biSize + rowBytes * (header->biHeight - 1);
        EXPECT_EQ(memcmp(top, Pixels24Row(texture.pixels, 0), size_t(texture.width) * 3), 0);
    }
    ImageBitmapRelease(&texture);

    RgbaImage button;
    ASSERT_EQ(RgbaImageFromPngResource(instance, "PNG_BUT_SEND", &button), 1);
    EXPECT_GT(button.width, 0);
    EXPECT_EQ(button.pixels.size(), size_t(button.width) * button.height * 4);

    EXPECT_EQ(ImageBitmapFromBitmapResource(instance, "NO_SUCH_BITMAP", &texture), 0);
    EXPECT_TRUE(ImageBitmapIsEmpty(texture));
    EXPECT_EQ(RgbaImageFromPngResource(instance, "NO_SUCH_PNG", &button), 0);
    EXPECT_TRUE(RgbaImageIsEmpty(button));
    EXPECT_EQ(RgbaImageFromPngResource(instance, nullptr, &button), 0);
}
