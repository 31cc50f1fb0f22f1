// LoadSettings and SaveSettings against a temporary program folder, with the
// headless window placements and message log.
#include "shell/settings.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/memory.h"
#include "base/messages.h"
#include "base/working_blocks.h"
#include "banks/undo_history.h"
#include "headless/messages_headless.h"
#include "headless/settings_headless.h"
#include "headless/whole_file_headless.h"
#include "shell/session_end.h"
#include "views/view_state.h"

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

HeadlessWindowState& Window(SettingsWindow w) {
    return gHeadlessWindows[static_cast<int>(w)];
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/ostrel-settings-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(pattern));
        dir_ = pattern;
        std::snprintf(programDir_, sizeof programDir_, "%s/", dir_.c_str());
        savedProgramDir_ = gProgramDir;
        gProgramDir = programDir_;
        HeadlessMessagesReset();
        HeadlessMessages().quiet = 1;
        ResetHeadlessSettingsPlatform();
        gHeadlessReplaceFailures = 0;
        gFatal = 0;
        gLibraryShown = gEditorShown = 0;
        SetPreferences(DefaultPreferences());
    }

    void TearDown() override {
        gProgramDir = savedProgramDir_;
        std::remove(Path().c_str());
        std::remove((Path() + ".new").c_str());
        rmdir(Path().c_str());
        rmdir(dir_.c_str());
    }

    std::string Path() const { return dir_ + "/Settings.cfg"; }

    void WriteFile(const std::vector<unsigned char>& bytes) {
        FILE* f = std::fopen(Path().c_str(), "wb");
        ASSERT_NE(nullptr, f);
        if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }

    std::vector<unsigned char> ReadFile() {
        std::vector<unsigned char> bytes;
        FILE* f = std::fopen(Path().c_str(), "rb");
        if (f == nullptr) return bytes;
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
        std::fclose(f);
        return bytes;
    }

    std::vector<unsigned char> GoodFile(const SettingsImage& image) {
        std::vector<unsigned char> bytes(kSettingsFileSize);
        EncodeSettingsFile(image, bytes.data());
        return bytes;
    }

    SettingsImage Image() {
        SettingsImage image;
        image.main = Placement(kShowNormal, 40, 30, 840, 610);
        image.library = Placement(kShowNormal, 850, 30, 1060, 610);
        image.editor = Placement(kShowHidden, 60, 400, 670, 545);
        image.prefs = {1, 0, 25, 1, 1, 1};
        return image;
    }

    void ExpectDefaultsKept() {
        EXPECT_EQ(0, gInitialisePresetNames);
        EXPECT_EQ(1, gShowAllRomBanks);
        EXPECT_EQ(100, gUndoLevels);
        EXPECT_EQ(0, gShowCcCh);
        EXPECT_EQ(0, gFitMode);
        for (const HeadlessWindowState& w : gHeadlessWindows) EXPECT_EQ(0, w.setCount);
    }

    std::string dir_;
    char programDir_[kPathSize];
    char* savedProgramDir_ = nullptr;
};

}  // namespace

TEST_F(SettingsTest, NoFileIsSilentAndKeepsTheDefaults) {
    EXPECT_EQ(0, LoadSettings());
    ExpectDefaultsKept();
    EXPECT_TRUE(HeadlessMessages().statusTexts.empty());
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
}

TEST_F(SettingsTest, LoadPlacesTheWindowsAndSetsThePreferences) {
    WriteFile(GoodFile(Image()));
    EXPECT_EQ(0, LoadSettings());
    EXPECT_TRUE(HeadlessMessages().statusTexts.empty());

    EXPECT_EQ(40, Window(SettingsWindow::kMain).placement.normal.left);
    EXPECT_EQ(850, Window(SettingsWindow::kLibrary).placement.normal.left);
    EXPECT_EQ(kShowNormal, Window(SettingsWindow::kLibrary).placement.showCmd);
    EXPECT_EQ(1, gLibraryShown);
    // A hidden editor stays hidden, but its rectangle is where it will appear.
    EXPECT_EQ(kShowHidden, Window(SettingsWindow::kEditor).placement.showCmd);
    EXPECT_EQ(400, Window(SettingsWindow::kEditor).placement.normal.top);
    EXPECT_EQ(0, gEditorShown);

    EXPECT_EQ(1, gInitialisePresetNames);
    EXPECT_EQ(0, gShowAllRomBanks);
    EXPECT_EQ(25, gUndoLevels);
    EXPECT_EQ(25, gUndo.levels);
    EXPECT_EQ(1, gShowCcCh);
    EXPECT_EQ(1, gFitMode);
}

TEST_F(SettingsTest, MinimisedWindowsComeBackNormal) {
    SettingsImage image = Image();
    image.main.showCmd = kShowMinimised;
    image.editor.showCmd = kShowMinimised;
    WriteFile(GoodFile(image));
    LoadSettings();
    EXPECT_EQ(kShowNormal, Window(SettingsWindow::kMain).placement.showCmd);
    EXPECT_EQ(kShowNormal, Window(SettingsWindow::kEditor).placement.showCmd);
    EXPECT_EQ(1, gEditorShown);
}

TEST_F(SettingsTest, SaveThenLoadRoundTrips) {
    Window(SettingsWindow::kMain).placement = Placement(kShowMinimised, 10, 20, 810, 600);
    Window(SettingsWindow::kLibrary).placement = Placement(kShowNormal, 820, 20, 1030, 600);
    Window(SettingsWindow::kEditor).placement = Placement(kShowNormal, 30, 620, 640, 760);
    gLibraryShown = 0;  // the platform reports a hidden window as normal
    gEditorShown = 1;
    SetPreferences({1, 0, 42, 1, 0, 1});

    SaveSettings();
    std::vector<unsigned char> bytes = ReadFile();
    ASSERT_EQ(static_cast<size_t>(kSettingsFileSize), bytes.size());
    EXPECT_EQ(0, std::memcmp(bytes.data(), "defs\x02\x00", 6));
    EXPECT_EQ(kShowMinimised, DecodeWindowPlacement(bytes.data() + 6).showCmd);
    EXPECT_EQ(kShowHidden, DecodeWindowPlacement(bytes.data() + 50).showCmd);
    EXPECT_EQ(42, bytes[140]);

    ResetHeadlessSettingsPlatform();
    gLibraryShown = gEditorShown = 0;
    SetPreferences(DefaultPreferences());
    LoadSettings();

    const WindowPlacementRecord& main = Window(SettingsWindow::kMain).placement;
    EXPECT_EQ(kShowNormal, main.showCmd);
    EXPECT_EQ(10, main.normal.left);
    EXPECT_EQ(600, main.normal.bottom);
    EXPECT_EQ(kShowHidden, Window(SettingsWindow::kLibrary).placement.showCmd);
    EXPECT_EQ(820, Window(SettingsWindow::kLibrary).placement.normal.left);
    EXPECT_EQ(0, gLibraryShown);
    EXPECT_EQ(620, Window(SettingsWindow::kEditor).placement.normal.top);
    EXPECT_EQ(1, gEditorShown);
    EXPECT_EQ(1, gInitialisePresetNames);
    EXPECT_EQ(0, gShowAllRomBanks);
    EXPECT_EQ(42, gUndoLevels);
    EXPECT_EQ(1, gShowCcCh);
    EXPECT_EQ(0, gFitMode);
}

TEST_F(SettingsTest, ShortFileIsRefusedWithoutReadingPastItsEnd) {
    std::vector<unsigned char> bytes = GoodFile(Image());
    bytes.resize(kSettingsFileSize - 1);
    WriteFile(bytes);
    LoadSettings();
    EXPECT_EQ(Path() + " is not an Corvanith Settings File", HeadlessLastStatus());
    ExpectDefaultsKept();

    WriteFile({'d', 'e', 'f', 's'});
    LoadSettings();
    EXPECT_EQ(Path() + " is not an Corvanith Settings File", HeadlessLastStatus());
    WriteFile({});
    LoadSettings();
    EXPECT_EQ(2u + 1u, HeadlessMessages().statusTexts.size());
    ExpectDefaultsKept();
}

TEST_F(SettingsTest, WrongMagicIsRefused) {
    std::vector<unsigned char> bytes = GoodFile(Image());
    bytes[0] = 'D';
    WriteFile(bytes);
    LoadSettings();
    EXPECT_EQ(Path() + " is not an Corvanith Settings File", HeadlessLastStatus());
    ExpectDefaultsKept();
}

TEST_F(SettingsTest, LongerFileIsReadByItsFirstBytes) {
    std::vector<unsigned char> bytes = GoodFile(Image());
    bytes.resize(100000, 0xAB);
    WriteFile(bytes);
    LoadSettings();
    EXPECT_TRUE(HeadlessMessages().statusTexts.empty());
    EXPECT_EQ(25, gUndoLevels);
}

TEST_F(SettingsTest, SomethingElseNamedSettingsCfgIsIgnored) {
    ASSERT_EQ(0, mkdir(Path().c_str(), 0700));  // a folder where the file should be
    LoadSettings();
    ExpectDefaultsKept();
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
    EXPECT_TRUE(HeadlessMessages().statusTexts.empty());
}

TEST_F(SettingsTest, MemoryFailureIsToldInTheStatusDisplayOnly) {
    WriteFile(GoodFile(Image()));
    HeadlessMessages().allocationsToFail = 1;
    EXPECT_EQ(0, LoadSettings());
    EXPECT_EQ(0, gFatal);
    EXPECT_EQ("Running short of memory", HeadlessLastStatus());
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
    ExpectDefaultsKept();
}

TEST_F(SettingsTest, MessageBoxesAndPopupsAreQuietOnlyWhileTheFileIsHandled) {
    WriteFile(GoodFile(Image()));
    LoadSettings();
    EXPECT_EQ(0, gSettingsIo);
    EXPECT_EQ(kPopupMinimumMs, gPopupMinimumMs);
    SaveSettings();
    EXPECT_EQ(0, gSettingsIo);
    EXPECT_EQ(kPopupMinimumMs, gPopupMinimumMs);
    EXPECT_TRUE(HeadlessMessages().popupsShown.empty());
}

TEST_F(SettingsTest, SaveMemoryFailureWritesNothing) {
    HeadlessMessages().allocationsToFail = 1;
    SaveSettings();
    EXPECT_EQ(0, gFatal);
    EXPECT_TRUE(ReadFile().empty());
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
}

TEST_F(SettingsTest, FailedSaveLeavesTheOldFileAsItWas) {
    std::vector<unsigned char> old = GoodFile(Image());
    WriteFile(old);
    SetPreferences({0, 1, 77, 0, 0, 1});
    gHeadlessReplaceFailures = 1;
    SaveSettings();
    EXPECT_EQ(old, ReadFile());
    EXPECT_TRUE(HeadlessMessages().statusTexts.empty());
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
    // The temporary file does not linger.
    EXPECT_EQ(nullptr, std::fopen((Path() + ".new").c_str(), "rb"));
}

TEST_F(SettingsTest, ASessionEndedBeforeStartUpReadTheFileLeavesIt) {
    std::vector<unsigned char> old = GoodFile(Image());
    WriteFile(old);
    gSettingsLoaded = 0;
    EndSession(1);
    EXPECT_EQ(old, ReadFile());
    LoadSettings();
    SetPreferences({0, 1, 77, 0, 0, 1});
    EndSession(1);
    EXPECT_EQ(77, ReadFile()[140]);
}

TEST_F(SettingsTest, UndoLevelsAreBroughtIntoRange) {
    SettingsImage image = Image();
    image.prefs.undoLevels = 0;
    WriteFile(GoodFile(image));
    LoadSettings();
    EXPECT_EQ(1, gUndoLevels);
    EXPECT_EQ(1, gUndo.levels);

    image.prefs.undoLevels = 255;
    WriteFile(GoodFile(image));
    LoadSettings();
    EXPECT_EQ(100, gUndoLevels);
    EXPECT_EQ(100, gUndo.levels);
}

TEST_F(SettingsTest, FlagBytesBecomeZeroOrOne) {
    SettingsImage image = Image();
    image.prefs = {7, 200, 10, 2, 255, 1};
    WriteFile(GoodFile(image));
    LoadSettings();
    EXPECT_EQ(1, gInitialisePresetNames);
    EXPECT_EQ(1, gShowAllRomBanks);
    EXPECT_EQ(1, gShowCcCh);
    EXPECT_EQ(1, gFitMode);
}

TEST_F(SettingsTest, PlacementOffEveryScreenIsMovedOntoThePrimaryWorkArea) {
    SettingsImage image = Image();
    image.library = Placement(kShowNormal, 3000, 200, 3210, 780);  // a monitor now gone
    image.main = Placement(kShowNormal, 100, 100, 100, 100);       // no area: damaged
    WriteFile(GoodFile(image));
    LoadSettings();
    const WindowPlacementRecord& lib = Window(SettingsWindow::kLibrary).placement;
    EXPECT_EQ(1280, lib.normal.right);
    EXPECT_EQ(210, lib.normal.right - lib.normal.left);
    EXPECT_EQ(200, lib.normal.top);
    // The damaged main placement keeps the window's own rectangle.
    EXPECT_EQ(800, Window(SettingsWindow::kMain).placement.normal.right);
    EXPECT_EQ(580, Window(SettingsWindow::kMain).placement.normal.bottom);
}

TEST_F(SettingsTest, OverlongProgramFolderIsNeitherReadNorWritten) {
    std::string longDir = "/" + std::string(kPathSize, 'x') + "/";
    gProgramDir = &longDir[0];
    EXPECT_STREQ("", SettingsPath());
    LoadSettings();
    SaveSettings();
    EXPECT_TRUE(HeadlessMessages().statusTexts.empty());
    gProgramDir = programDir_;
    EXPECT_EQ(Path(), SettingsPath());
}

TEST_F(SettingsTest, MaximisedMainWindowStartsMaximised) {
    EXPECT_EQ(1, StartupShowCommand(1));  // no settings: as started
    SettingsImage image = Image();
    image.main.showCmd = kShowMaximised;
    WriteFile(GoodFile(image));
    LoadSettings();
    EXPECT_EQ(3, StartupShowCommand(1));
    EXPECT_EQ(3, StartupShowCommand(10));  // started "default"
    EXPECT_EQ(7, StartupShowCommand(7));   // started minimised: stays so
    image.main.showCmd = kShowNormal;
    WriteFile(GoodFile(image));
    LoadSettings();
    EXPECT_EQ(1, StartupShowCommand(1));
}
