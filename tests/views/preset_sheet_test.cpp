// The preset sheet: the rules of its label placement on crowded made-up
// devices, the bitmap font's ellipsis and glyphs, and the sheets of the two
// demo models as the program and ostrel-cli make them.
#include "views/preset_sheet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "banks/bank_file.h"
#include "base/durable_file.h"
#include "base/working_blocks.h"
#include "devices/control_library.h"
#include "banks/discovery.h"
#include "devices/library_list.h"
#include "headless/clock_headless.h"
#include "headless/messages_headless.h"
#include "imaging/bitmap_font.h"
#include "imaging/png_decode.h"
#include "shell/preset_sheet_export.h"
#include "tests/banks/bank_test_support.h"
#include "views/sheet_labels.h"

namespace {

PixelRect Rect(int x, int y, int w, int h) {
    return PixelRect{x, y, x + w, y + h};
}

// Rules 1 to 3 and 5 of views/sheet_labels.h, for every pair and every label.
void ExpectLabelRulesHold(const PixelRect& field, int gap,
                          const std::vector<SheetLabelRequest>& requests,
                          const std::vector<SheetLabelPlace>& places, int bottom) {
    ASSERT_EQ(places.size(), requests.size());
    for (size_t i = 0; i < places.size(); ++i) {
        const PixelRect& box = places[i].box;
        SCOPED_TRACE(i);
        EXPECT_EQ(box.right - box.left, requests[i].width);
        EXPECT_EQ(box.bottom - box.top, requests[i].height);
        EXPECT_GE(box.left, field.left);
        if (requests[i].width <= field.right - field.left) {
            EXPECT_LE(box.right, field.right);
        }
        EXPECT_GE(box.top, field.top);
        EXPECT_LE(box.bottom, places[i].overflow ? bottom : field.bottom);
        if (places[i].overflow) {
            EXPECT_GT(box.top, field.bottom);
        }
        EXPECT_EQ(places[i].leader, SheetRectsMeet(box, requests[i].anchor, gap + 1) ? 0 : 1);
        for (size_t j = 0; j < places.size(); ++j) {
            if (j != i) {
                EXPECT_FALSE(SheetRectsMeet(box, places[j].box, gap)) << "label " << j;
            }
            if (!places[i].overflow) {
                EXPECT_FALSE(SheetRectsMeet(box, requests[j].anchor, gap)) << "control " << j;
            }
        }
    }
}

TEST(SheetLabels, CrowdedControlsStillGetLabelsApartFromEachOtherAndTheControls) {
    // A tight grid, a pile of controls on one point and labels of every
    // width, one wider than the field itself.
    std::vector<SheetLabelRequest> requests;
    unsigned seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(n));
    };
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 10; ++column) {
            requests.push_back(SheetLabelRequest{Rect(300 + column * 24, 200 + row * 24, 16, 16),
                                                 40 + next(160), 30 + next(20)});
        }
    }
    for (int i = 0; i < 20; ++i) requests.push_back({Rect(500, 260, 0, 0), 60, 30});
    requests.push_back({Rect(320, 300, 10, 10), 900, 40});
    const PixelRect field = Rect(100, 100, 700, 400);
    std::vector<SheetLabelPlace> places;
    int bottom = PlaceSheetLabels(field, 6, requests, &places);
    ExpectLabelRulesHold(field, 6, requests, places, bottom);
    int beside = 0;
    for (const SheetLabelPlace& place : places) beside += place.overflow ? 0 : 1;
    EXPECT_GT(beside, 20);  // the field is used before the rows below it

    // A lone control gets its label right below it, without a leader.
    places.clear();
    PlaceSheetLabels(field, 6, {{Rect(400, 300, 20, 20), 100, 30}}, &places);
    EXPECT_EQ(places[0].box.top, 326);
    EXPECT_EQ(places[0].box.left, 360);
    EXPECT_EQ(places[0].leader, 0);
}

TEST(BitmapFont, LongTextsEndInAnEllipsisWithinTheirWidth) {
    char out[64];
    const int cell = kFontCellWidth * 2;
    EXPECT_EQ(FitBitmapText("Cutoff", 6 * cell, 2, out, sizeof out), 6);
    EXPECT_STREQ(out, "Cutoff");
    EXPECT_EQ(FitBitmapText("Filter Cutoff Frequency", 10 * cell + cell - 1, 2, out, sizeof out),
              9);
    EXPECT_STREQ(out, "Filter Cu\x85");
    EXPECT_LE(BitmapTextWidth(out, 2), 10 * cell + cell - 1);
    // The cut never leaves a blank before the ellipsis.
    FitBitmapText("Filter Cutoff", 8 * cell, 2, out, sizeof out);
    EXPECT_STREQ(out, "Filter\x85");
    EXPECT_EQ(FitBitmapText("Cutoff", cell - 1, 2, out, sizeof out), 0);
    EXPECT_STREQ(out, "");
    // The buffer limits as the width does.
    char small[5];
    FitBitmapText("Resonance", 1000, 1, small, sizeof small);
    EXPECT_STREQ(small, "Res\x85");
}

TEST(BitmapFont, GlyphsLandInTheirCells) {
    PixelBuffer24 buffer;
    ASSERT_TRUE(PixelBuffer24Create(&buffer, 60, 24, true));
    Pixels24 pixels = PixelBuffer24View(&buffer);
    const ColourFill red = ColourFillFromRgb(RgbColour(255, 0, 0));
    DrawBitmapText(pixels, 0, 0, "H\x01", 2, red);
    // The bar of the H: font row 5, pixel rows 10 and 11, columns 0 to 9.
    for (int x = 0; x < 10; ++x) EXPECT_EQ(Pixels24Get(pixels, x, 10), RgbColour(255, 0, 0)) << x;
    EXPECT_EQ(Pixels24Get(pixels, 10, 10), 0);  // the gap column
    EXPECT_EQ(Pixels24Get(pixels, 4, 8), 0);    // inside the H, above the bar
    // A character without a glyph is a question mark; accents sit above.
    EXPECT_EQ(std::memcmp(&GlyphOf('\x01'), &GlyphOf('?'), sizeof(BitmapGlyph)), 0);
    const BitmapGlyph& e = GlyphOf('e');
    const BitmapGlyph& eAcute = GlyphOf('\xe9');
    EXPECT_EQ(std::memcmp(e.rows + 4, eAcute.rows + 4, 7), 0);
    EXPECT_NE(eAcute.rows[2] | eAcute.rows[3], 0);
    EXPECT_EQ(e.rows[2] | e.rows[3], 0);
}

std::string DataDir() {
    return std::string(OSTREL_SOURCE_DIR) + "/data/";
}

class DemoSheets : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessMessagesReset();
        HeadlessMessages().quiet = 1;
        if (!gFileIo) AllocWorkingBlocks();
        DiscoverySetProgramFolder(DataDir().c_str());
        ScanLibraries();
    }
    void TearDown() override {
        LibraryListClear(&gLibraryList);
        DiscoverySetProgramFolder(nullptr);
    }
    // Reads a factory bank, which loads its model.
    void ReadBank(const char* path) {
        ASSERT_TRUE(ReadBankFile((DataDir() + path).c_str(), bank_.get(), false));
        LoadSheetPictures(pictures_.get());
    }
    std::unique_ptr<BankData> bank_ = std::make_unique<BankData>();
    std::unique_ptr<SheetPictures> pictures_ = std::make_unique<SheetPictures>();
};

TEST_F(DemoSheets, EveryControlOfBothModelsGetsAFittedLabelApartFromTheOthers) {
    for (const char* path : {"Devices/Meridian 49.eld/Factory Studio.xml",
                             "Devices/Sprite 25.eld/Factory Beats.xml"}) {
        SCOPED_TRACE(path);
        ReadBank(path);
        // A name too long for a label.
        std::strcpy(gCcLibrary.controls[74].name, "Filter Cutoff Frequency (Brightness)");
        bank_->presets[0].controls[0].origin = -1;
        bank_->presets[0].controls[0].midiCc = 74;
        bank_->presets[0].controls[0].channel = 3;
        PresetSheetLayout layout;
        LayoutPresetSheet(*pictures_, *bank_, "Factory", 0, &layout);

        int shown = 0;
        for (int c = 0; c < gDevice.controlCount; ++c) shown += gDevice.controls[c].zone <= 1;
        ASSERT_EQ(static_cast<int>(layout.labels.size()), shown);
        EXPECT_EQ(layout.labels[0].name, "Filter Cutoff F\x85");
        EXPECT_EQ(layout.labels[0].numbers, "CC 74  Ch 3");
        for (size_t i = 0; i < layout.labels.size(); ++i) {
            const SheetLabel& label = layout.labels[i];
            SCOPED_TRACE(label.name);
            const PixelRect& box = label.place.box;
            EXPECT_LE(static_cast<int>(label.name.size()), kSheetLabelChars);
            EXPECT_LE(BitmapTextWidth(label.name.c_str(), kSheetTextScale) + 2 * kSheetLabelPadding,
                      box.right - box.left);
            EXPECT_GE(box.left, 0);
            EXPECT_LE(box.right, layout.width);
            EXPECT_LE(box.bottom, layout.height);
            for (size_t j = i + 1; j < layout.labels.size(); ++j) {
                EXPECT_FALSE(SheetRectsMeet(box, layout.labels[j].place.box, 0))
                    << layout.labels[j].name;
            }
        }
        EXPECT_EQ(layout.texts[0].text, std::string("Preset 1: ") + bank_->presets[0].name);
        EXPECT_EQ(layout.texts[1].text, std::string("Bank: Factory - ") + gDevice.name);
        // Keyboard models list their zones after the picture.
        bool zones = false;
        for (const SheetText& text : layout.texts) zones |= text.text == "Zone 1:";
        EXPECT_EQ(zones, gDevice.zoneLimit > 0);

        std::vector<uint8_t> png;
        ASSERT_EQ(MakePresetSheetPng(*pictures_, *bank_, "Factory", 0, &png), 1);
        RgbaImage decoded;
        ASSERT_EQ(DecodePng(png.data(), png.size(), &decoded, nullptr), 1);
        EXPECT_EQ(decoded.width, layout.width);
        EXPECT_EQ(decoded.height, layout.height);
        // The first label's frame is drawn where the layout put it.
        const uint8_t* frame = RgbaImagePixel(decoded, layout.labels[0].place.box.left,
                                              layout.labels[0].place.box.top);
        EXPECT_EQ(RgbColour(frame[0], frame[1], frame[2]), RgbColour(40, 64, 112));
    }
}

TEST_F(DemoSheets, APictureTooWideForAPageIsMadeSmallerNotRefused) {
    ReadBank("Devices/Meridian 49.eld/Factory Studio.xml");
    gDevice.bounds[2] = 20000;  // as a definition may say
    gDevice.bounds[3] = 4000;
    PresetSheetLayout layout;
    LayoutPresetSheet(*pictures_, *bank_, "Wide", 0, &layout);
    EXPECT_LE(layout.picture.right - layout.picture.left, kSheetPictureWidth);
    EXPECT_LT(layout.width, 2 * kSheetPictureWidth);
    PixelBuffer24 page;
    EXPECT_EQ(DrawPresetSheet(*pictures_, layout, &page), 1);
}

class ExportSheet : public BankTest {
  protected:
    // The status popup's minimum time passes in virtual time, not in the test's.
    void SetUp() override {
        BankTest::SetUp();
        HeadlessClockUseVirtual(0, 1);
    }
    void TearDown() override {
        HeadlessClockUseReal();
        BankTest::TearDown();
    }
};

TEST_F(ExportSheet, WritesTheCurrentPresetOrLeavesTheDiskAsItWas) {
    int bank = NewBank();
    gBanks.current = bank;
    gBanks.currentPreset = 1;
    std::strcpy(Preset(bank, 1).name, "Lead");
    const std::string title = BankTitle(bank);
    std::string path = folder_.Path("sheet.png");
    HeadlessQueueFileChoice(path, 1);
    ASSERT_EQ(ExportPresetSheetCommand(), 1);
    ASSERT_EQ(HeadlessFileDialogs().shown.size(), 1u);
    EXPECT_EQ(HeadlessFileDialogs().shown[0].title, "Export Preset Sheet");
    EXPECT_EQ(HeadlessFileDialogs().shown[0].proposed, title + " - 2 Lead.png");
    RgbaImage picture;
    EXPECT_EQ(DecodePngFile(path.c_str(), &picture, nullptr), 1);
    EXPECT_EQ(HeadlessMessages().popupsShown.back(), "Writing " + path);

    // An existing file is replaced only when the user says so; the next
    // dialog starts where the last sheet went.
    const std::string before = ReadFileText(path);
    std::strcpy(Preset(bank, 1).name, "Other");
    HeadlessQueueFileChoice(path, 1);
    HeadlessQueueAnswer(kIdNo);
    EXPECT_EQ(ExportPresetSheetCommand(), 0);
    EXPECT_EQ(HeadlessMessages().boxes.back().text, "Replace existing " + path);
    EXPECT_EQ(ReadFileText(path), before);
    EXPECT_EQ(HeadlessFileDialogs().shown[1].initialDir, folder_.Folder());

    // A folder that cannot be written: message 26, nothing there.
    std::string nowhere = folder_.Path("gone/sheet.png");
    HeadlessQueueFileChoice(nowhere, 1);
    EXPECT_EQ(ExportPresetSheetCommand(), 0);
    EXPECT_EQ(HeadlessLastStatus(), "Cannot Write file " + nowhere + " to disk");
    EXPECT_FALSE(FileThere(nowhere));
    EXPECT_FALSE(FileThere(nowhere + kDurableTempSuffix));
}

TEST(PresetSheetFileName, NamesTheBankAndPresetWithoutCharactersFilesCannotHold) {
    EXPECT_EQ(PresetSheetFileName("Live", 2, "Lead"), "Live - 3 Lead.png");
    EXPECT_EQ(PresetSheetFileName("A/B", 0, "x:y*?. "), "A_B - 1 x_y__.png");
}

}  // namespace
