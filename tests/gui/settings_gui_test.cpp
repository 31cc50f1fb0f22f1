// Settings.cfg through the real start-up and Quit: window positions, the shown
// and hidden secondary windows, the preferences, damaged and off-screen files.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/menu.h"
#include "base/messages.h"
#include "gui_harness.h"
#include "shell/commands.h"
#include "shell/settings.h"
#include "shell/settings_file.h"
#include "views/view_state.h"

namespace {

void Quit(HWND main) {
    PostMessageA(main, WM_COMMAND, kCmdQuit, 0);
    PumpUntil([] { return gMainWindow == nullptr; }, 3000);
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::vector<unsigned char> ReadBytes(const std::string& path) {
    std::vector<unsigned char> bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr) return bytes;
    int c;
    while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
    std::fclose(f);
    return bytes;
}

WindowPlacementRecord Placement(uint32_t show, int32_t l, int32_t t, int32_t r, int32_t b) {
    WindowPlacementRecord w = {};
    w.length = kWindowPlacementSize;
    w.showCmd = show;
    w.minX = w.minY = w.maxX = w.maxY = -1;
    w.normal = {l, t, r, b};
    return w;
}

// What a fresh process starts with: the tests share one process.
void FreshViewState() {
    gLibraryShown = gEditorShown = 0;
    gShowCcCh = gFitMode = 0;
    SetPreferences(DefaultPreferences());
}

RECT WindowRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return r;
}

}  // namespace

TEST(SettingsGui, RoundTripOfPositionsWindowsAndPreferences) {
    TempProgramFolder folder;
    FreshViewState();
    RECT mainBefore, libraryBefore;
    {
        RunningProgram program(folder);
        ASSERT_EQ(program.result(), StartUpResult::kRunning);
        SetWindowPos(program.main(), nullptr, 30, 40, 900, 640, SWP_NOZORDER);
        SendMessageA(program.main(), WM_COMMAND, kCmdLibraryWindow, 0);
        ASSERT_TRUE(IsWindowVisible(program.library()));
        SetWindowPos(program.library(), nullptr, 940, 40, 230, 600, SWP_NOZORDER);
        SendMessageA(program.main(), WM_COMMAND, kCmdShowCcCh, 0);
        SendMessageA(program.main(), WM_COMMAND, kCmdFitMode, 0);
        ApplyUndoLevelsPreference(33);
        gInitialisePresetNames = 1;
        PumpMessages(20);
        mainBefore = WindowRect(program.main());
        libraryBefore = WindowRect(program.library());
        // Quit while minimised: the main window comes back normal.
        ShowWindow(program.main(), SW_MINIMIZE);
        PumpMessages(20);
        Quit(program.main());
    }
    std::vector<unsigned char> file = ReadBytes(folder.path("Settings.cfg"));
    ASSERT_EQ(static_cast<size_t>(kSettingsFileSize), file.size());
    EXPECT_EQ(kShowMinimised, DecodeWindowPlacement(file.data() + 6).showCmd);
    EXPECT_EQ(kShowHidden, DecodeWindowPlacement(file.data() + 94).showCmd);

    FreshViewState();
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    EXPECT_TRUE(IsWindowVisible(program.main()));
    EXPECT_FALSE(IsIconic(program.main()));
    RECT main = WindowRect(program.main());
    EXPECT_EQ(mainBefore.left, main.left);
    EXPECT_EQ(mainBefore.top, main.top);
    EXPECT_EQ(mainBefore.right, main.right);
    EXPECT_EQ(mainBefore.bottom, main.bottom);
    EXPECT_TRUE(IsWindowVisible(program.library()));
    RECT library = WindowRect(program.library());
    EXPECT_EQ(libraryBefore.left, library.left);
    EXPECT_EQ(libraryBefore.bottom, library.bottom);
    EXPECT_FALSE(IsWindowVisible(program.editor()));
    EXPECT_EQ(1, gLibraryShown);
    EXPECT_EQ(0, gEditorShown);
    EXPECT_EQ(1, IsMenuCommandChecked(kCmdLibraryWindow));
    EXPECT_EQ(0, IsMenuCommandChecked(kCmdEditorWindow));
    EXPECT_EQ(1, gShowCcCh);
    EXPECT_EQ(1, IsMenuCommandChecked(kCmdShowCcCh));
    EXPECT_EQ(1, gFitMode);
    EXPECT_EQ(33, gUndoLevels);
    EXPECT_EQ(1, gInitialisePresetNames);
    EXPECT_TRUE(RunningProgram::boxes.empty());
    SetPreferences(DefaultPreferences());
}

TEST(SettingsGui, ClosedLibraryWindowIsSavedHiddenAndComesBackWhereItWas) {
    TempProgramFolder folder;
    FreshViewState();
    RECT libraryBefore;
    {
        RunningProgram program(folder);
        SendMessageA(program.main(), WM_COMMAND, kCmdLibraryWindow, 0);
        SetWindowPos(program.library(), nullptr, 300, 200, 220, 500, SWP_NOZORDER);
        libraryBefore = WindowRect(program.library());
        // Its close box hides it and takes the check mark away.
        SendMessageA(program.library(), WM_CLOSE, 0, 0);
        PumpMessages(20);
        EXPECT_FALSE(IsWindowVisible(program.library()));
        EXPECT_EQ(0, IsMenuCommandChecked(kCmdLibraryWindow));
        Quit(program.main());
    }
    FreshViewState();
    RunningProgram program(folder);
    EXPECT_FALSE(IsWindowVisible(program.library()));
    SendMessageA(program.main(), WM_COMMAND, kCmdLibraryWindow, 0);
    EXPECT_TRUE(IsWindowVisible(program.library()));
    RECT library = WindowRect(program.library());
    EXPECT_EQ(libraryBefore.left, library.left);
    EXPECT_EQ(libraryBefore.top, library.top);
}

TEST(SettingsGui, ShortOrForeignFileKeepsTheDefaultsAndSaysSo) {
    TempProgramFolder folder;
    FreshViewState();
    std::vector<unsigned char> bytes(kSettingsFileSize);
    SettingsImage image = {};
    image.main = Placement(kShowNormal, 200, 200, 1000, 800);
    image.library = Placement(kShowNormal, 0, 0, 200, 400);
    image.editor = Placement(kShowNormal, 0, 0, 600, 150);
    image.prefs = {1, 0, 5, 1, 1, 1};
    EncodeSettingsFile(image, bytes.data());
    bytes.resize(kSettingsFileSize - 3);
    WriteBytes(folder.path("Settings.cfg"), bytes);

    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    EXPECT_EQ(1, gStatusShown);  // "... is not an Corvanith Settings File"
    EXPECT_TRUE(RunningProgram::boxes.empty());
    RECT main = WindowRect(program.main());
    EXPECT_EQ(0, main.left);
    EXPECT_FALSE(IsWindowVisible(program.library()));
    EXPECT_EQ(100, gUndoLevels);
    EXPECT_EQ(0, gShowCcCh);
}

TEST(SettingsGui, WindowOffEveryScreenIsBroughtBack) {
    TempProgramFolder folder;
    FreshViewState();
    std::vector<unsigned char> bytes(kSettingsFileSize);
    SettingsImage image = {};
    image.main = Placement(kShowNormal, 10, 10, 810, 590);
    image.library = Placement(kShowNormal, 7000, 5000, 7210, 5500);
    image.editor = Placement(kShowHidden, -9000, 100, -8400, 250);
    image.prefs = DefaultPreferences();
    EncodeSettingsFile(image, bytes.data());
    WriteBytes(folder.path("Settings.cfg"), bytes);

    RunningProgram program(folder);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(IsWindowVisible(program.library()));
    RECT library = WindowRect(program.library());
    EXPECT_GE(library.left, work.left);
    EXPECT_LE(library.right, work.right);
    EXPECT_LE(library.bottom, work.bottom);
    EXPECT_EQ(210, library.right - library.left);
    SendMessageA(program.main(), WM_COMMAND, kCmdEditorWindow, 0);
    RECT editor = WindowRect(program.editor());
    EXPECT_GE(editor.left, work.left);
}
