// Settings.cfg byte format and the rules that make stored placements safe.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "shell/settings_file.h"
#include "shell/settings_placement.h"

namespace {

WindowPlacementRecord Placement(uint32_t show, int32_t l, int32_t t, int32_t r, int32_t b) {
    WindowPlacementRecord w;
    std::memset(&w, 0, sizeof w);
    w.length = kWindowPlacementSize;
    w.showCmd = show;
    w.minX = w.minY = w.maxX = w.maxY = -1;
    w.normal = {l, t, r, b};
    return w;
}

SettingsImage SampleImage() {
    SettingsImage image;
    image.main = Placement(kShowNormal, 0, 0, 800, 600);
    image.library = Placement(kShowHidden, 800, 0, 1010, 580);
    image.editor = Placement(kShowMaximised, -300, 20, -10, 160);
    image.editor.flags = 2;
    image.prefs = {1, 0, 37, 1, 1, 1};
    return image;
}

bool SamePlacement(const WindowPlacementRecord& a, const WindowPlacementRecord& b) {
    return a.length == b.length && a.flags == b.flags && a.showCmd == b.showCmd &&
           a.minX == b.minX && a.minY == b.minY && a.maxX == b.maxX && a.maxY == b.maxY &&
           a.normal.left == b.normal.left && a.normal.top == b.normal.top &&
           a.normal.right == b.normal.right && a.normal.bottom == b.normal.bottom;
}

}  // namespace

TEST(SettingsFormat, PlacementRecordIsLittleEndianInFieldOrder) {
    // The worked example of the format description.
    const unsigned char expected[kWindowPlacementSize] = {
        0x2C, 0,    0,    0,    0,    0,    0,    0,    1,    0,    0, 0,  // length, flags, show
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,                    // minimised -1, -1
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,                    // maximised -1, -1
        0,    0,    0,    0,    0,    0,    0,    0,    0x20, 0x03, 0, 0,
        0x58, 0x02, 0,    0};  // 0, 0, 800, 600
    unsigned char bytes[kWindowPlacementSize];
    EncodeWindowPlacement(Placement(kShowNormal, 0, 0, 800, 600), bytes);
    EXPECT_EQ(0, std::memcmp(expected, bytes, sizeof bytes));
    EXPECT_TRUE(
        SamePlacement(Placement(kShowNormal, 0, 0, 800, 600), DecodeWindowPlacement(expected)));
}

TEST(SettingsFormat, FileLayoutPutsEachPartAtItsOffset) {
    unsigned char file[kSettingsFileSize];
    std::memset(file, 0xEE, sizeof file);
    SettingsImage image = SampleImage();
    EncodeSettingsFile(image, file);

    EXPECT_EQ(0, std::memcmp(file, "defs", 4));
    EXPECT_EQ(2, file[4]);
    EXPECT_EQ(0, file[5]);
    unsigned char placement[kWindowPlacementSize];
    EncodeWindowPlacement(image.main, placement);
    EXPECT_EQ(0, std::memcmp(file + 6, placement, sizeof placement));
    EncodeWindowPlacement(image.library, placement);
    EXPECT_EQ(0, std::memcmp(file + 50, placement, sizeof placement));
    EncodeWindowPlacement(image.editor, placement);
    EXPECT_EQ(0, std::memcmp(file + 94, placement, sizeof placement));
    EXPECT_EQ(1, file[138]);   // initialise preset names
    EXPECT_EQ(0, file[139]);   // show all ROM banks
    EXPECT_EQ(37, file[140]);  // undo levels
    EXPECT_EQ(1, file[141]);   // CC/Ch overlays
    EXPECT_EQ(1, file[142]);   // fit mode
}

TEST(SettingsFormat, RoundTripKeepsEveryField) {
    unsigned char file[kSettingsFileSize];
    SettingsImage in = SampleImage();
    in.main.minX = -32000;
    in.main.maxY = INT32_MIN;
    in.prefs.askBeforeBankSend = 0;  // "Don't ask again": byte 5 is 1
    EncodeSettingsFile(in, file);
    EXPECT_EQ(1, file[5]);
    SettingsImage out;
    ASSERT_EQ(1, DecodeSettingsFile(file, sizeof file, &out));
    EXPECT_TRUE(SamePlacement(in.main, out.main));
    EXPECT_TRUE(SamePlacement(in.library, out.library));
    EXPECT_TRUE(SamePlacement(in.editor, out.editor));
    EXPECT_EQ(1, out.prefs.initialisePresetNames);
    EXPECT_EQ(0, out.prefs.showAllRomBanks);
    EXPECT_EQ(37, out.prefs.undoLevels);
    EXPECT_EQ(1, out.prefs.showCcOnControls);
    EXPECT_EQ(1, out.prefs.fitMode);
    EXPECT_EQ(0, out.prefs.askBeforeBankSend);
}

TEST(SettingsFormat, RefusesShortFilesAndWrongMagicWithoutTouchingTheImage) {
    unsigned char file[kSettingsFileSize + 10];
    EncodeSettingsFile(SampleImage(), file);
    SettingsImage untouched = SampleImage();
    untouched.prefs.undoLevels = 99;

    SettingsImage out = untouched;
    EXPECT_EQ(0, DecodeSettingsFile(file, kSettingsFileSize - 1, &out));
    EXPECT_EQ(0, DecodeSettingsFile(file, 0, &out));
    EXPECT_EQ(0, DecodeSettingsFile(nullptr, kSettingsFileSize, &out));
    file[3] = 'S';
    EXPECT_EQ(0, DecodeSettingsFile(file, kSettingsFileSize, &out));
    EXPECT_EQ(99, out.prefs.undoLevels);
}

TEST(SettingsFormat, AcceptsOtherFormatBytesAndIgnoresTrailingBytes) {
    std::vector<unsigned char> file(kSettingsFileSize + 10, 0x55);
    EncodeSettingsFile(SampleImage(), file.data());
    file[4] = 7;
    file[5] = 9;
    SettingsImage out;
    ASSERT_EQ(1, DecodeSettingsFile(file.data(), file.size(), &out));
    EXPECT_EQ(37, out.prefs.undoLevels);
}

TEST(SettingsFormat, PreferencesKeepTheirLowByte) {
    SettingsImage image = SampleImage();
    image.prefs.undoLevels = 0x1FF;
    unsigned char file[kSettingsFileSize];
    EncodeSettingsFile(image, file);
    EXPECT_EQ(0xFF, file[140]);
}

TEST(SettingsFormat, DefaultsAreThoseOfAFreshInstallation) {
    Preferences p = DefaultPreferences();
    EXPECT_EQ(0, p.initialisePresetNames);
    EXPECT_EQ(1, p.showAllRomBanks);
    EXPECT_EQ(100, p.undoLevels);
    EXPECT_EQ(0, p.showCcOnControls);
    EXPECT_EQ(0, p.fitMode);
}

// ---------------------------------------------------------------------------
// Show-command rules.

TEST(SettingsShowRules, MainWindowOpensNormalOrMaximised) {
    const struct {
        uint32_t stored, applied;
    } cases[] = {{kShowMinimised, kShowNormal},
                 {kShowNormal, kShowNormal},
                 {kShowMaximised, kShowMaximised},
                 {kShowHidden, kShowNormal},
                 {99, kShowNormal}};
    for (const auto& c : cases) {
        PlacementToApply p =
            PlacementFromFile(SettingsWindow::kMain, Placement(c.stored, 0, 0, 10, 10));
        EXPECT_EQ(c.applied, p.record.showCmd) << "stored " << c.stored;
        EXPECT_EQ(1, p.shown);
    }
}

TEST(SettingsShowRules, SecondaryWindowShownExactlyWhenNotHidden) {
    const struct {
        uint32_t stored, applied;
        int shown;
    } cases[] = {{kShowHidden, kShowHidden, 0},
                 {kShowNormal, kShowNormal, 1},
                 {kShowMinimised, kShowNormal, 1},
                 {kShowMaximised, kShowMaximised, 1},
                 {7, kShowNormal, 1}};
    for (SettingsWindow w : {SettingsWindow::kLibrary, SettingsWindow::kEditor}) {
        for (const auto& c : cases) {
            PlacementToApply p = PlacementFromFile(w, Placement(c.stored, 0, 0, 10, 10));
            EXPECT_EQ(c.applied, p.record.showCmd) << "stored " << c.stored;
            EXPECT_EQ(c.shown, p.shown) << "stored " << c.stored;
        }
    }
}

// ---------------------------------------------------------------------------
// Fitting placements to the screens.

class SettingsFitTest : public ::testing::Test {
  protected:
    PlacementRect fallback_ = {0, 0, 800, 580};
    PlacementRect screens_[2] = {{0, 0, 1280, 1024}, {1280, 0, 3200, 1080}};

    WindowPlacementRecord Fit(WindowPlacementRecord w, int screens = 2) {
        FitPlacementToScreens(&w, fallback_, screens_, screens);
        return w;
    }
};

TEST_F(SettingsFitTest, WindowOnAScreenStaysWhereItIs) {
    WindowPlacementRecord w = Fit(Placement(kShowNormal, 100, 50, 900, 630));
    EXPECT_EQ(100, w.normal.left);
    EXPECT_EQ(50, w.normal.top);
    EXPECT_EQ(900, w.normal.right);
    EXPECT_EQ(630, w.normal.bottom);
    // On the second monitor too.
    w = Fit(Placement(kShowNormal, 2000, 100, 2600, 500));
    EXPECT_EQ(2000, w.normal.left);
}

TEST_F(SettingsFitTest, WindowOfARemovedMonitorComesBackToThePrimaryWorkArea) {
    // Placed on the second monitor, which is no longer there.
    WindowPlacementRecord w = Fit(Placement(kShowNormal, 2000, 100, 2600, 500), 1);
    EXPECT_EQ(600, w.normal.right - w.normal.left);
    EXPECT_EQ(400, w.normal.bottom - w.normal.top);
    EXPECT_EQ(1280, w.normal.right);  // as close to where it was as the screen allows
    EXPECT_EQ(100, w.normal.top);
}

TEST_F(SettingsFitTest, CaptionMustBeReachable) {
    // Most of the caption strip still on the screen: left alone.
    WindowPlacementRecord w = Fit(Placement(kShowNormal, 100, -10, 500, 300));
    EXPECT_EQ(-10, w.normal.top);
    // Caption above the screen's top edge: moved down.
    w = Fit(Placement(kShowNormal, 100, -20, 500, 300));
    EXPECT_EQ(0, w.normal.top);
    EXPECT_EQ(320, w.normal.bottom);
    // Only a sliver at the left edge of the screen: moved in.
    w = Fit(Placement(kShowNormal, -780, 100, 20, 400));
    EXPECT_EQ(0, w.normal.left);
    EXPECT_EQ(800, w.normal.right);
}

TEST_F(SettingsFitTest, WindowLargerThanTheScreenShrinksToIt) {
    WindowPlacementRecord w = Fit(Placement(kShowNormal, 5000, 5000, 9000, 8000), 1);
    EXPECT_EQ(0, w.normal.left);
    EXPECT_EQ(0, w.normal.top);
    EXPECT_EQ(1280, w.normal.right);
    EXPECT_EQ(1024, w.normal.bottom);
}

TEST_F(SettingsFitTest, WorkspaceCoordinatesFollowThePrimaryWorkArea) {
    // A taskbar at the top: the primary work area starts at y = 40, and the stored
    // rectangle is relative to it.
    screens_[0] = {0, 40, 1280, 1024};
    WindowPlacementRecord w = Fit(Placement(kShowNormal, 0, 0, 800, 580), 1);
    EXPECT_EQ(0, w.normal.top);  // unchanged: (0, 0) is the work area's corner
    w = Fit(Placement(kShowNormal, 0, 2000, 800, 2580), 1);
    EXPECT_EQ(984 - 580, w.normal.top);  // bottom of the work area, in workspace terms
}

TEST_F(SettingsFitTest, DamagedRectanglesAreReplacedAndNeverOverflow) {
    WindowPlacementRecord w = Fit(Placement(kShowNormal, 500, 500, 100, 100));  // inside out
    EXPECT_EQ(0, w.normal.left);
    EXPECT_EQ(800, w.normal.right);
    w = Fit(Placement(kShowNormal, 0, 0, 0, 0));  // empty
    EXPECT_EQ(580, w.normal.bottom);
    w = Fit(Placement(kShowNormal, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX));  // absurd size
    EXPECT_EQ(800, w.normal.right);
    w = Fit(Placement(kShowNormal, INT32_MAX - 100, INT32_MAX - 100, INT32_MAX, INT32_MAX));
    EXPECT_GE(w.normal.left, 0);
    EXPECT_LE(w.normal.right, 1280);
    EXPECT_EQ(100, w.normal.right - w.normal.left);
    w = Fit(Placement(kShowNormal, INT32_MIN, INT32_MIN, INT32_MIN + 300, INT32_MIN + 200));
    EXPECT_EQ(0, w.normal.left);
    EXPECT_EQ(300, w.normal.right);
}

TEST_F(SettingsFitTest, RecordLengthAndFlagsAreMadeValid) {
    WindowPlacementRecord stored = Placement(kShowNormal, 10, 10, 300, 300);
    stored.length = 12345;
    stored.flags = 0xFFFFFFFF;
    WindowPlacementRecord w = Fit(stored);
    EXPECT_EQ(static_cast<uint32_t>(kWindowPlacementSize), w.length);
    EXPECT_EQ(2u, w.flags);  // only "restore to maximised" survives
}

TEST_F(SettingsFitTest, WithoutScreenInformationOnlyTheRectangleIsChecked) {
    WindowPlacementRecord w = Fit(Placement(kShowNormal, 9000, 9000, 9100, 9100), 0);
    EXPECT_EQ(9000, w.normal.left);
    w = Fit(Placement(kShowNormal, 9000, 9000, 8000, 8000), 0);
    EXPECT_EQ(0, w.normal.left);
}
