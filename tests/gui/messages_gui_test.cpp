// The message functions on the real windows: the status display drawn on the
// main window, the status popup's window, and the resource script's tables
// against the portable ones.
#include <gtest/gtest.h>

#include <cstring>

#include "base/app_state.h"
#include "base/messages.h"
#include "base/string_table.h"
#include "gui_harness.h"
#include "shell/menu_table.h"
#include "shell/windows_win32.h"
#include "views/status_layout.h"

namespace {

// How many pixels of the text colour the status display's text box holds.
int TextPixels(HWND window) {
    TextBox box = StatusTextBox(gStatusDisplayRect);
    HDC dc = GetDC(window);
    int count = 0;
    for (int y = box.top; y < box.bottom; ++y) {
        for (int x = box.left; x < box.right; ++x) {
            COLORREF c = GetPixel(dc, x, y);
            if (GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) > 40) ++count;
        }
    }
    ReleaseDC(window, dc);
    return count;
}

}  // namespace

TEST(StatusDisplay, DrawsTheTextAndClearsIt) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    PumpMessages(30);
    int empty = TextPixels(program.main());
    StatusMessage(kStrCcOutOfRange);
    int shown = TextPixels(program.main());
    EXPECT_GT(shown, empty + 100);
    ASSERT_EQ(WriteWindowPng(program.main(), ScreenshotPath("gui-status-display.png")), 1);
    ClearStatus();
    EXPECT_EQ(gStatusShown, 0);
    EXPECT_LE(TextPixels(program.main()), empty);
    // A click in the window clears it too.
    StatusMessage(kStrDeviceNotResponding);
    SendMessageA(program.main(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(400, 300));
    EXPECT_EQ(gStatusShown, 0);
    EXPECT_LE(TextPixels(program.main()), empty);
}

TEST(StatusPopup, SizedToItsTextAndCentredOnTheMainWindow) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    SetStatusPopupText(kStrSysExReceived);
    ShowStatusPopup(1);
    ASSERT_NE(gPopupWindow, nullptr);
    char cls[32];
    GetClassNameA(gPopupWindow, cls, sizeof cls);
    EXPECT_STREQ(cls, "Message");
    EXPECT_TRUE(IsWindowVisible(gPopupWindow));
    EXPECT_NE(GetForegroundWindow(), gPopupWindow);  // it does not take the focus
    RECT popup, main;
    GetWindowRect(gPopupWindow, &popup);
    GetWindowRect(program.main(), &main);
    EXPECT_EQ(popup.right - popup.left, 330);  // a short text: 300 + 30
    EXPECT_NEAR((popup.left + popup.right) / 2, (main.left + main.right) / 2, 1);
    ASSERT_EQ(WriteWindowPng(gPopupWindow, ScreenshotPath("gui-status-popup.png")), 1);
    gPopupMinimumMs = 0;
    ShowStatusPopup(0);
    gPopupMinimumMs = kPopupMinimumMs;
    EXPECT_EQ(gPopupWindow, nullptr);
}

TEST(Resources, StringTableMatchesThePortableOne) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int i = 0; i < kStringCount; ++i) {
        char text[1024];
        int length = LoadStringA(instance, kStringTable[i].id, text, sizeof text);
        EXPECT_EQ(length, static_cast<int>(std::strlen(kStringTable[i].text)))
            << kStringTable[i].id;
        EXPECT_STREQ(text, kStringTable[i].text);
    }
    char text[64];
    EXPECT_EQ(LoadStringA(instance, 4, text, sizeof text), 0);
}

TEST(Resources, MenuAndAcceleratorsMatchThePortableTables) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HMENU menu = LoadMenuA(instance, "MAIN_MENU");
    ASSERT_NE(menu, nullptr);
    for (int i = 0; i < kMenuEntryCount; ++i) {
        const MenuEntry& e = kMenuEntries[i];
        if (e.id <= 0) continue;
        char text[128];
        ASSERT_GT(GetMenuStringA(menu, e.id, text, sizeof text, MF_BYCOMMAND), 0) << e.id;
        EXPECT_STREQ(text, e.text);
        UINT state = GetMenuState(menu, e.id, MF_BYCOMMAND);
        EXPECT_EQ((state & MF_GRAYED) != 0, e.grayed != 0) << e.id;
    }
    DestroyMenu(menu);

    HACCEL table = LoadAcceleratorsA(instance, "ACCELERATOR");
    ASSERT_NE(table, nullptr);
    ACCEL accels[64];
    int count = CopyAcceleratorTableA(table, accels, 64);
    ASSERT_EQ(count, kAcceleratorCount);
    for (int i = 0; i < count; ++i) {
        EXPECT_EQ(accels[i].key, kAccelerators[i].key);
        EXPECT_EQ(accels[i].cmd, kAccelerators[i].id);
        EXPECT_TRUE(accels[i].fVirt & FVIRTKEY);
        EXPECT_EQ((accels[i].fVirt & FCONTROL) != 0, kAccelerators[i].ctrl != 0);
        EXPECT_EQ((accels[i].fVirt & FSHIFT) != 0, kAccelerators[i].shift != 0);
    }
}

TEST(StatusDisplay, WidensWithTheMainWindow) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    RECT window;
    GetWindowRect(program.main(), &window);
    SetWindowPos(program.main(), nullptr, 0, 0, window.right - window.left + 200,
                 window.bottom - window.top + 100, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages(30);
    EXPECT_EQ(gStatusDisplayRect.width, 614);
    StatusMessage(kStrCcOutOfRange);  // one line now
    ASSERT_EQ(WriteWindowPng(program.main(), ScreenshotPath("gui-main-window-wide.png")), 1);
    SetWindowPos(program.main(), nullptr, 0, 0, window.right - window.left,
                 window.bottom - window.top, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages(30);
    EXPECT_EQ(gStatusDisplayRect.width, 414);
}

TEST(StatusDisplay, ATextFromBeforeTheWindowAppearsIsShownByItsFirstPaint) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    ShowWindow(program.main(), SW_HIDE);
    StatusMessage(kStrNotSettingsFile, "C:\\Ostrel\\Settings.cfg");
    EXPECT_EQ(TextPixels(program.main()), 0);
    ShowWindow(program.main(), SW_SHOW);
    UpdateWindow(program.main());
    PumpMessages(30);
    EXPECT_GT(TextPixels(program.main()), 40);
    EXPECT_EQ(gStatusShown, 1);
}
