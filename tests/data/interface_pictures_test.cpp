// The interface pictures in resources/ (drawn by tools/gen_art.py) against
// what the program expects of them: every resource name in the string table
// has its file, each picture has the size its panel item gives it, bitmaps
// are plain 24-bit DIBs, cursors and the icon are well-formed containers,
// and the pictures that are repeated (textures, the display panel's middle)
// repeat without a visible seam.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "base/messages.h"
#include "imaging/png_decode.h"
#include "imaging/rgba_image.h"

namespace {

std::string ResourcePath(const std::string& relative) {
    return std::string(OSTREL_SOURCE_DIR) + "/resources/" + relative;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (FILE* f = fopen(path.c_str(), "rb")) {
        uint8_t buffer[65536];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        fclose(f);
    }
    return bytes;
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8);
}

// The names of a run of string-table entries, from `first` up to the "!" entry.
std::vector<std::string> NameRun(int first) {
    std::vector<std::string> names;
    char text[256];
    for (int id = first; id < first + 64; id++) {
        if (LoadStringById(id, text, sizeof text) == 0) continue;
        if (text[0] == '!') break;
        names.push_back(text);
    }
    return names;
}

// A 24-bit bitmap as the program's loader takes it: the pixels as RGB rows, top first.
struct Bitmap24 {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

bool ReadBitmap24(const std::string& path, Bitmap24* out) {
    std::vector<uint8_t> b = ReadBytes(path);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return false;
    uint32_t offset = U32(b, 10);
    if (U32(b, 14) != 40 || U16(b, 26) != 1 || U16(b, 28) != 24 || U32(b, 30) != 0) return false;
    int w = static_cast<int32_t>(U32(b, 18));
    int h = static_cast<int32_t>(U32(b, 22));
    if (w <= 0 || h <= 0) return false;  // bottom-up, as LoadBitmap expects
    size_t stride = (static_cast<size_t>(w) * 3 + 3) & ~static_cast<size_t>(3);
    if (offset + stride * h > b.size()) return false;
    out->width = w;
    out->height = h;
    out->rgb.resize(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; y++) {
        const uint8_t* row = &b[offset + stride * (h - 1 - y)];
        for (int x = 0; x < w; x++) {
            uint8_t* p = &out->rgb[(static_cast<size_t>(y) * w + x) * 3];
            p[0] = row[x * 3 + 2];
            p[1] = row[x * 3 + 1];
            p[2] = row[x * 3];
        }
    }
    return true;
}

// Mean absolute difference of the RGB values of two pixels.
double Diff(const uint8_t* a, const uint8_t* b) {
    return (std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2])) / 3.0;
}

TEST(InterfaceImages, EveryPngNamedInTheStringTableHasItsPanelSize) {
    // Sizes of the panel items and uses the pictures are drawn at.
    const std::map<std::string, std::pair<int, int>> sizes = {
        {"PNG_BUT_DOWNLOAD", {38, 26}},    {"PNG_BUT_UPLOAD", {36, 26}},
        {"PNG_BUT_SEND", {50, 27}},        {"PNG_BUT_LIBRARY", {48, 26}},
        {"PNG_BUT_NEW", {33, 26}},         {"PNG_BUT_RESCAN", {52, 26}},
        {"PNG_BUT_INFO", {57, 24}},        {"PNG_BUT_VIEW", {57, 24}},
        {"PNG_TAB_LEFT", {115, 18}},       {"PNG_TAB_MID", {107, 18}},
        {"PNG_TAB_RIGHT", {115, 18}},      {"PNG_LOGO_TOP", {79, 47}},
        {"PNG_LOGO_NAME", {58, 13}},       {"PNG_LOGO_BOTTOM", {200, 23}},
        {"PNG_DISPLAY_PANEL", {414, 38}},  {"PNG_FILE_DEVICE", {12, 12}},
        {"PNG_FILE_DEVICE_SEL", {12, 12}}, {"PNG_FILE_USER", {12, 12}},
        {"PNG_FILE_ROM", {12, 12}},
    };
    std::vector<std::string> names = NameRun(432);
    EXPECT_EQ(names.size(), 24u);
    for (int first : {464, 480}) {
        std::vector<std::string> run = NameRun(first);
        EXPECT_EQ(run.size(), 4u);
        names.insert(names.end(), run.begin(), run.end());
    }
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        RgbaImage image;
        int32_t background = -1;
        ASSERT_TRUE(
            DecodePngFile(ResourcePath("images/" + name + ".png").c_str(), &image, &background));
        std::string base = name;
        if (base.size() > 3 && base.compare(base.size() - 3, 3, "_PR") == 0)
            base.resize(base.size() - 3);
        if (base == "PNG_BUT_ZONES") {
            // Eight zone buttons of 66 x 15, stacked 18 pixels apart.
            EXPECT_EQ(image.width, 66);
            EXPECT_GE(image.height, 7 * 18 + 15);
            continue;
        }
        auto it = sizes.find(base);
        ASSERT_NE(it, sizes.end());
        EXPECT_EQ(image.width, it->second.first);
        EXPECT_EQ(image.height, it->second.second);
    }
}

TEST(InterfaceImages, ToolbarButtonsAndTheirPressedTwinsDiffer) {
    for (const char* name :
         {"PNG_BUT_DOWNLOAD", "PNG_BUT_UPLOAD", "PNG_BUT_SEND", "PNG_BUT_LIBRARY", "PNG_BUT_NEW",
          "PNG_BUT_RESCAN", "PNG_BUT_INFO", "PNG_BUT_VIEW", "PNG_TAB_LEFT", "PNG_TAB_MID",
          "PNG_TAB_RIGHT", "PNG_BUT_ZONES"}) {
        SCOPED_TRACE(name);
        RgbaImage normal, pressed;
        int32_t bg = -1;
        std::string base = std::string("images/") + name;
        ASSERT_TRUE(DecodePngFile(ResourcePath(base + ".png").c_str(), &normal, &bg));
        ASSERT_TRUE(DecodePngFile(ResourcePath(base + "_PR.png").c_str(), &pressed, &bg));
        ASSERT_EQ(normal.width, pressed.width);
        ASSERT_EQ(normal.height, pressed.height);
        EXPECT_NE(normal.pixels, pressed.pixels);
        // The middle of a button is solid: the panel draws it over the texture.
        // (The zone strip stacks its buttons; take the first one's middle.)
        const int cy = strcmp(name, "PNG_BUT_ZONES") == 0 ? 7 : normal.height / 2;
        const uint8_t* centre = RgbaImagePixel(normal, normal.width / 2, cy);
        EXPECT_EQ(centre[3], 255);
    }
}

TEST(InterfaceImages, DisplayPanelRepeatsItsMiddleWithoutASeam) {
    // A display wider than 414 repeats columns 8..405: the columns meeting at
    // each repeat must match, or a vertical line would show.
    RgbaImage panel;
    int32_t bg = -1;
    ASSERT_TRUE(DecodePngFile(ResourcePath("images/PNG_DISPLAY_PANEL.png").c_str(), &panel, &bg));
    for (int y = 0; y < panel.height; y++) {
        EXPECT_LE(Diff(RgbaImagePixel(panel, 8, y), RgbaImagePixel(panel, 405, y)), 2.0) << y;
    }
    // The text box (x + 5 .. x + w - 5, y + 6 ..) lies on the light glass, so
    // the status text (dark blue) stays readable.
    const uint8_t* glass = RgbaImagePixel(panel, 207, 20);
    EXPECT_GT(glass[0] + glass[1] + glass[2], 3 * 160);
}

TEST(InterfaceImages, BitmapsArePlain24BitDibsOfTheirSizes) {
    std::vector<std::string> names;
    char text[256];
    for (int id = 401; id <= 408; id++) {
        ASSERT_GT(LoadStringById(id, text, sizeof text), 0) << id;
        names.push_back(text);
    }
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        Bitmap24 bmp;
        ASSERT_TRUE(ReadBitmap24(ResourcePath("bitmaps/" + name + ".bmp"), &bmp));
        if (name == "A_MIDIPLUG") {
            EXPECT_EQ(bmp.width, 25 * 29);  // 25 frames of 29 x 29
            EXPECT_EQ(bmp.height, 29);
        } else if (name == "TEX_BACKGROUND") {
            EXPECT_GT(bmp.width, 288);  // pane title strips start at source column 288
        } else if (name.compare(0, 4, "BUT_") == 0) {
            EXPECT_EQ(bmp.width, 13);
            EXPECT_EQ(bmp.height, 13);
        }
    }
}

TEST(InterfaceImages, TexturesTileWithoutSeams) {
    for (const char* name : {"TEX_BACKGROUND", "TEX_ALLIGHT", "TEX_ALDARK"}) {
        SCOPED_TRACE(name);
        Bitmap24 tex;
        ASSERT_TRUE(ReadBitmap24(ResourcePath(std::string("bitmaps/") + name + ".bmp"), &tex));
        // Across the wrap the picture changes no more than between its own
        // neighbouring rows and columns.
        double inside = 0, wrap = 0;
        for (int x = 0; x < tex.width; x++) {
            for (int y = 0; y + 1 < tex.height; y++) inside += Diff(tex.At(x, y), tex.At(x, y + 1));
            wrap += Diff(tex.At(x, tex.height - 1), tex.At(x, 0));
        }
        EXPECT_LE(wrap / tex.width, 2.0 * inside / (tex.width * (tex.height - 1)) + 1.0);
        inside = wrap = 0;
        for (int y = 0; y < tex.height; y++) {
            for (int x = 0; x + 1 < tex.width; x++) inside += Diff(tex.At(x, y), tex.At(x + 1, y));
            wrap += Diff(tex.At(tex.width - 1, y), tex.At(0, y));
        }
        EXPECT_LE(wrap / tex.height, 2.0 * inside / (tex.height * (tex.width - 1)) + 1.0);
    }
}

TEST(InterfaceImages, ActivityStripAnimatesAndIdles) {
    Bitmap24 strip;
    ASSERT_TRUE(ReadBitmap24(ResourcePath("bitmaps/A_MIDIPLUG.bmp"), &strip));
    auto frameDiff = [&](int a, int b) {
        double d = 0;
        for (int y = 0; y < 29; y++)
            for (int x = 0; x < 29; x++)
                d += Diff(strip.At(a * 29 + x, y), strip.At(b * 29 + x, y));
        return d;
    };
    // Each working frame differs from the next, and the last wraps to the first.
    for (int k = 0; k < 24; k++) EXPECT_GT(frameDiff(k, (k + 1) % 24), 0.0) << k;
    EXPECT_GT(frameDiff(24, 0), 0.0);  // the idle picture is none of them
}

TEST(InterfaceImages, CursorsAndIconAreWellFormed) {
    char text[256];
    for (int id = 384; id <= 387; id++) {
        ASSERT_GT(LoadStringById(id, text, sizeof text), 0) << id;
        SCOPED_TRACE(text);
        std::vector<uint8_t> b = ReadBytes(ResourcePath(std::string("cursors/") + text + ".cur"));
        ASSERT_GE(b.size(), 6u + 16u + 40u);
        EXPECT_EQ(U16(b, 0), 0);
        EXPECT_EQ(U16(b, 2), 2);  // cursor
        ASSERT_EQ(U16(b, 4), 1);
        int w = b[6] ? b[6] : 256, h = b[7] ? b[7] : 256;
        EXPECT_EQ(w, 32);
        EXPECT_EQ(h, 32);
        EXPECT_LT(U16(b, 10), w);  // hotspot
        EXPECT_LT(U16(b, 12), h);
        uint32_t size = U32(b, 14), offset = U32(b, 18);
        ASSERT_LE(static_cast<size_t>(offset) + size, b.size());
        EXPECT_EQ(U32(b, offset), 40u);                          // BITMAPINFOHEADER
        EXPECT_EQ(static_cast<int>(U32(b, offset + 8)), 2 * h);  // image and mask
    }
    std::vector<uint8_t> ico = ReadBytes(ResourcePath("icons/IC_ABOUT.ico"));
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(U16(ico, 2), 1);  // icon
    int count = U16(ico, 4);
    std::vector<int> widths;
    for (int i = 0; i < count; i++) {
        size_t entry = 6 + 16 * i;
        ASSERT_LE(entry + 16, ico.size());
        widths.push_back(ico[entry] ? ico[entry] : 256);
        ASSERT_LE(static_cast<size_t>(U32(ico, entry + 12)) + U32(ico, entry + 8), ico.size());
    }
    EXPECT_EQ(widths, (std::vector<int>{16, 24, 32, 48, 256}));  // Explorer's and the taskbar's
}

}  // namespace
