// The real start-up and Quit of the program, against an empty program folder.
#include <gtest/gtest.h>

#include "base/app_state.h"
#include "base/menu.h"
#include "base/working_blocks.h"
#include "gui_harness.h"
#include "imaging/interface_images.h"
#include "shell/commands.h"
#include "shell/message_loop_win32.h"
#include "views/gdi_resources_win32.h"
#include "views/view_state.h"

TEST(StartUp, WithoutSettingsTheMainWindowIsAtTheTopLeftAndTheOthersHidden) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    ASSERT_NE(program.main(), nullptr);
    EXPECT_TRUE(IsWindowVisible(program.main()));
    RECT window;
    GetWindowRect(program.main(), &window);
    EXPECT_EQ(window.left, 0);
    EXPECT_EQ(window.top, 0);
    RECT client;
    GetClientRect(program.main(), &client);
    EXPECT_EQ(client.right, 792);
    EXPECT_EQ(client.bottom, 526);

    ASSERT_NE(program.library(), nullptr);
    ASSERT_NE(program.editor(), nullptr);
    EXPECT_FALSE(IsWindowVisible(program.library()));
    EXPECT_FALSE(IsWindowVisible(program.editor()));
    EXPECT_EQ(GetWindow(program.library(), GW_OWNER), program.main());
    EXPECT_EQ(GetWindow(program.editor(), GW_OWNER), program.main());
    GetClientRect(program.editor(), &client);
    EXPECT_EQ(client.right, 602);
    EXPECT_EQ(client.bottom, 115);

    char title[64];
    GetWindowTextA(program.main(), title, sizeof title);
    EXPECT_STREQ(title, "Ostrel - (Untitled)");
    EXPECT_TRUE(RunningProgram::boxes.empty()) << RunningProgram::boxes[0].text;
    EXPECT_NE(gCallWndHook, nullptr);
}

TEST(StartUp, ProgramPathsComeFromTheProgramsOwnName) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    ASSERT_NE(gProgramDir, nullptr);
    EXPECT_EQ(std::string(gProgramDir), folder.dir());
    EXPECT_EQ(std::string(gFileIo->initialDir), folder.dir() + "User Preset Banks");
}

TEST(StartUp, ResourcesAndMenuAreLoaded) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    EXPECT_EQ(GetMenu(program.main()), gMainMenu);
    EXPECT_EQ(GetMenuItemCount(gMainMenu), 5);
    EXPECT_NE(gAccelerators, nullptr);
    for (HPEN pen : gPens) EXPECT_NE(pen, nullptr);
    for (HBRUSH brush : gBrushes) EXPECT_NE(brush, nullptr);
    for (HFONT font : gFonts) EXPECT_NE(font, nullptr);
    for (HCURSOR cursor : gCursors) EXPECT_NE(cursor, nullptr);
    for (const ImageBitmap& bitmap : gBitmaps) EXPECT_FALSE(ImageBitmapIsEmpty(bitmap));
    EXPECT_NE(gPatternBrushes[0], nullptr);
    EXPECT_NE(gPatternBrushes[1], nullptr);
    EXPECT_EQ(gButtonImageCount, 24);
    EXPECT_EQ(gLogoImageCount, 4);
    EXPECT_EQ(gFileIconCount, 4);
    EXPECT_EQ(gLogoImages[kLogoDisplayPanel].width, 414);
    EXPECT_EQ(gLogoImages[kLogoDisplayPanel].height, 38);
    EXPECT_EQ(gBitmaps[kBitmapMidiPlug].height, 29);
    // Undo, Redo and Paste start greyed; the transfer items follow the
    // transfer engine (no device here).
    EXPECT_EQ(IsMenuCommandEnabled(kCmdUndo), 0);
    EXPECT_EQ(IsMenuCommandEnabled(kCmdRedo), 0);
    EXPECT_EQ(IsMenuCommandEnabled(kCmdPaste), 0);
    EXPECT_EQ(IsMenuCommandEnabled(kCmdSave), 1);
    EXPECT_EQ(IsMenuCommandEnabled(kCmdDownload), 0);
    EXPECT_EQ(IsMenuCommandChecked(kCmdGraphicView), 1);
}

TEST(StartUp, TheCloseBoxBehavesAsQuit) {
    for (bool viaCloseBox : {true, false}) {
        TempProgramFolder folder;
        RunningProgram program(folder);
        HWND main = program.main();
        ASSERT_NE(main, nullptr);
        gLastCommand = 0;
        if (viaCloseBox) {
            // What the close box (and Alt+F4) send.
            PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        } else {
            PostMessageA(main, WM_COMMAND, kCmdQuit, 0);
        }
        int quit = 0;
        EXPECT_TRUE(PumpUntil([&] { return (quit |= PumpMessages()) != 0; }, 3000));
        EXPECT_EQ(gLastCommand, kCmdQuit) << viaCloseBox;
        EXPECT_FALSE(IsWindow(main));
        EXPECT_EQ(gMainWindow, nullptr);
        EXPECT_EQ(gLibraryWindow, nullptr);
        EXPECT_EQ(gEditorWindow, nullptr);
        // Quit writes the settings file before the loop ends.
        EXPECT_NE(GetFileAttributesA(folder.path("Settings.cfg").c_str()), INVALID_FILE_ATTRIBUTES);
    }
}

TEST(StartUp, LibraryAndEditorToggleWithTheirCheckMarks) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    SendMessageA(program.main(), WM_COMMAND, kCmdLibraryWindow, 0);
    PumpMessages(20);
    EXPECT_TRUE(IsWindowVisible(program.library()));
    EXPECT_EQ(IsMenuCommandChecked(kCmdLibraryWindow), 1);
    // Its close box hides it through command 23.
    SendMessageA(program.library(), WM_CLOSE, 0, 0);
    PumpMessages(20);
    EXPECT_TRUE(IsWindow(program.library()));
    EXPECT_FALSE(IsWindowVisible(program.library()));
    EXPECT_EQ(IsMenuCommandChecked(kCmdLibraryWindow), 0);

    SendMessageA(program.main(), WM_COMMAND, kCmdEditorWindow, 0);
    PumpMessages(20);
    EXPECT_TRUE(IsWindowVisible(program.editor()));
    EXPECT_EQ(IsMenuCommandChecked(kCmdEditorWindow), 1);
    SendMessageA(program.main(), WM_COMMAND, kCmdEditorWindow, 0);
    EXPECT_FALSE(IsWindowVisible(program.editor()));
}

TEST(StartUp, CommandsAreDroppedWhileAModalBoxIsUp) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    int before = gCommandsRun;
    gModalBoxUp = 1;
    SendMessageA(program.main(), WM_COMMAND, kCmdLibraryWindow, 0);
    gModalBoxUp = 0;
    EXPECT_EQ(gCommandsRun, before);
    EXPECT_FALSE(IsWindowVisible(program.library()));
}

TEST(StartUp, MainWindowPicture) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    RedrawWindow(program.main(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(50);
    std::string path = ScreenshotPath("gui-main-window.png");
    ASSERT_EQ(WriteWindowPng(program.main(), path), 1);
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
    // The textured background, not the class's plain button face.
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_NE(ClientPixel(program.main(), 100, 300), face);
}

TEST(StartUp, AWindowClassThatCannotBeRegisteredEndsStartUpQuietly) {
    // Another "Ostrel" class in this module makes step 9 fail.
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Ostrel";
    ASSERT_NE(RegisterClassA(&wc), 0);
    {
        TempProgramFolder folder;
        RunningProgram program(folder);
        EXPECT_EQ(program.result(), StartUpResult::kFailed);
        EXPECT_EQ(gMainWindow, nullptr);
        EXPECT_TRUE(RunningProgram::boxes.empty());
        EXPECT_EQ(gCallWndHook, nullptr);
    }
    UnregisterClassA("Ostrel", GetModuleHandleA(nullptr));
    // And the next start works as usual.
    TempProgramFolder folder;
    RunningProgram program(folder);
    EXPECT_EQ(program.result(), StartUpResult::kRunning);
}
