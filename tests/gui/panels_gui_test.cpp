// The panels in the running program: the toolbar's pictures and press
// feedback, the dimmed transfer buttons, the delayed tooltip and its
// placement, and the re-layout of the main window when it is resized.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/app_state.h"
#include "base/memory.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "imaging/gdi_draw_win32.h"
#include "imaging/interface_images.h"
#include "shell/commands.h"
#include "shell/joins.h"
#include "shell/settings.h"
#include "shell/settings_file.h"
#include "shell/windows_win32.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/input_script_win32.h"
#include "views/library_controls_pane.h"
#include "views/pane_layout.h"
#include "views/pane_scroll.h"
#include "views/panel.h"
#include "views/panel_paint_win32.h"
#include "views/presets_pane.h"
#include "views/status_layout.h"
#include "views/tooltip.h"
#include "views/view_state.h"

namespace {

const PanelItem& Item(int type) {
    const PanelItem* item = FindPanelItem(gMainPanel, type);
    EXPECT_NE(item, nullptr);
    return *item;
}

POINT Centre(const PanelItem& item) {
    return {item.x + item.width / 2, item.y + item.height / 2};
}

void Mouse(HWND window, UINT message, POINT p, WPARAM keys = 0) {
    SendMouse(window, message, keys, MAKELPARAM(p.x, p.y));
}

// A point of the item's normal picture that is opaque and not black.
bool OpaquePoint(const RgbaImage& image, int* px, int* py) {
    for (int y = image.height / 4; y < image.height * 3 / 4; ++y) {
        for (int x = image.width / 4; x < image.width * 3 / 4; ++x) {
            const uint8_t* p = RgbaImagePixel(image, x, y);
            if (p[3] == 255 && p[0] + p[1] + p[2] > 150) {
                *px = x;
                *py = y;
                return true;
            }
        }
    }
    return false;
}

// The item drawn on its own over black: its picture at full or half
// opacity shows in the brightness of one opaque pixel.
COLORREF ItemOverBlack(const PanelItem& item, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 800, 600);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 800, 600};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawPanelItem(dc, gMainPanel, item, nullptr);
    COLORREF colour = GetPixel(dc, item.x + x, item.y + y);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return colour;
}

// A settings file whose main window was saved with `show`.
void WriteSettingsWithMainShown(const TempProgramFolder& folder, uint32_t show) {
    SettingsImage image = {};
    image.main = {kWindowPlacementSize, 0, show, -1, -1, -1, -1, {20, 20, 900, 700}};
    image.library = {kWindowPlacementSize, 0, kShowHidden, -1, -1, -1, -1, {0, 0, 210, 500}};
    image.editor = {kWindowPlacementSize, 0, kShowHidden, -1, -1, -1, -1, {0, 0, 620, 170}};
    image.prefs = DefaultPreferences();
    unsigned char bytes[kSettingsFileSize];
    EncodeSettingsFile(image, bytes);
    FILE* f = std::fopen(folder.path("Settings.cfg").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes, 1, sizeof bytes, f);
    std::fclose(f);
}

class PanelsGui : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(InstallDefinitionOnly(folder, "Meridian 49.eld"), 0);
        // What a fresh process starts with: the tests share one process.
        gLibraryShown = gEditorShown = 0;
        gViewMode = ViewMode::kGraphic;
    }
    TempProgramFolder folder;
};

TEST_F(PanelsGui, MainWindowDrawsToolbarPanesAndFrames) {
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    HWND main = program.main();
    PumpMessages(50);
    UpdateWindow(main);
    WriteWindowPng(main, ScreenshotPath("panels-main.png"));

    // The panes' frames: the black outline of the presets pane's body and
    // its white inside, the title strip's outline above it.
    const PaneRect& presets = gPresetsPane.rect;
    EXPECT_EQ(ClientPixel(main, presets.x, presets.y + 20), RGB(0, 0, 0));
    EXPECT_EQ(ClientPixel(main, presets.x + presets.width, presets.y + 20), RGB(96, 96, 100));
    EXPECT_EQ(ClientPixel(main, presets.x, presets.y - 17), RGB(0, 0, 0));
    // The library button, always enabled, at full strength where its picture is opaque.
    const PanelItem& library = Item(kItemLibrary);
    const RgbaImage& picture = gButtonImages[library.image];
    int x = 0, y = 0;
    ASSERT_TRUE(OpaquePoint(picture, &x, &y));
    const uint8_t* p = RgbaImagePixel(picture, x, y);
    EXPECT_EQ(ClientPixel(main, library.x + x, library.y + y), RGB(p[0], p[1], p[2]));
}

TEST_F(PanelsGui, DisabledSendButtonIsHalfStrengthAndIgnoresClicks) {
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    HWND main = program.main();
    ASSERT_FALSE(JoinCanSendBank());  // no device connected

    const PanelItem& send = Item(kItemSend);
    int x = 0, y = 0;
    ASSERT_TRUE(OpaquePoint(gButtonImages[send.image], &x, &y));
    const uint8_t* p = RgbaImagePixel(gButtonImages[send.image], x, y);
    COLORREF dimmed = ItemOverBlack(send, x, y);
    EXPECT_NEAR(GetRValue(dimmed), p[0] * 128 / 255, 2);
    EXPECT_NEAR(GetGValue(dimmed), p[1] * 128 / 255, 2);
    EXPECT_NEAR(GetBValue(dimmed), p[2] * 128 / 255, 2);
    // An enabled button over the same black is at full strength.
    const PanelItem& info = Item(kItemInfo);
    int ix = 0, iy = 0;
    ASSERT_TRUE(OpaquePoint(gButtonImages[info.image], &ix, &iy));
    const uint8_t* q = RgbaImagePixel(gButtonImages[info.image], ix, iy);
    EXPECT_EQ(ItemOverBlack(info, ix, iy), RGB(q[0], q[1], q[2]));

    int before = gCommandsRun;
    Mouse(main, WM_LBUTTONDOWN, Centre(send), MK_LBUTTON);
    EXPECT_EQ(gMainPanel.pressedItem, -1);
    Mouse(main, WM_LBUTTONUP, Centre(send));
    PumpMessages(20);
    EXPECT_EQ(gCommandsRun, before);
}

TEST_F(PanelsGui, PressMoveOffAndReleaseRunsNothingMovingBackRunsTheAction) {
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    HWND main = program.main();
    PumpMessages(20);
    ASSERT_FALSE(IsWindowVisible(program.editor()));
    const PanelItem& info = Item(kItemInfo);
    POINT on = Centre(info);
    POINT off = {on.x - 200, on.y - 200};

    // Pressed: drawn with the pressed picture and the mouse captured.
    int before = gCommandsRun;
    Mouse(main, WM_LBUTTONDOWN, on, MK_LBUTTON);
    EXPECT_EQ(GetCapture(), main);
    EXPECT_EQ(info.pressed, 1);
    Mouse(main, WM_MOUSEMOVE, off, MK_LBUTTON);
    EXPECT_EQ(info.pressed, 0);  // drawn released while the pointer is off it
    Mouse(main, WM_LBUTTONUP, off);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(gCommandsRun, before);
    EXPECT_FALSE(IsWindowVisible(program.editor()));

    // Off and back on before the release: the control editor opens.
    Mouse(main, WM_LBUTTONDOWN, on, MK_LBUTTON);
    Mouse(main, WM_MOUSEMOVE, off, MK_LBUTTON);
    Mouse(main, WM_MOUSEMOVE, on, MK_LBUTTON);
    EXPECT_EQ(info.pressed, 1);
    Mouse(main, WM_LBUTTONUP, on);
    PumpMessages(20);
    EXPECT_EQ(gLastCommand, kCmdEditorWindow);
    EXPECT_TRUE(IsWindowVisible(program.editor()));
    EXPECT_EQ(info.pressed, 0);
}

TEST_F(PanelsGui, TooltipAppearsHalfASecondLaterAboveABottomRowButton) {
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    HWND main = program.main();
    PumpMessages(20);
    const PanelItem& view = Item(kItemView);
    POINT on = Centre(view);
    // Time stands still but for the script: the ticks below see the times
    // they are given, however busy the machine.
    gInputScript.clock = 100000;
    gInputScript.clockSet = 1;
    Mouse(main, WM_MOUSEMOVE, on);
    EXPECT_EQ(gTooltip.pending, FindPanelItem(gMainPanel, kItemView) - gMainPanel.items);
    EXPECT_EQ(gTooltip.shown, -1);
    // No more mouse movement: timer 100 shows it once half a second has passed.
    gInputScript.clock += 499;
    Tick(main, 100);
    EXPECT_EQ(gTooltip.shown, -1);
    gInputScript.clock += 1;
    Tick(main, 100);
    ASSERT_GE(gTooltip.shown, 0);
    gInputScript.clockSet = 0;
    EXPECT_STREQ(gTooltip.text, "Toggle between the Graphic View and the List View");

    HWND tip = FindWindowExA(main, nullptr, "static", nullptr);
    ASSERT_NE(tip, nullptr);
    RECT r;
    GetWindowRect(tip, &r);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.bottom, view.y);  // directly above the button
    RECT client;
    GetClientRect(main, &client);
    EXPECT_LE(r.right, client.right);
    WriteWindowPng(main, ScreenshotPath("panels-tooltip.png"));

    // Clicking hides it.
    Mouse(main, WM_LBUTTONDOWN, {5, 300}, MK_LBUTTON);
    Mouse(main, WM_LBUTTONUP, {5, 300});
    Mouse(main, WM_MOUSEMOVE, {5, 300});
    EXPECT_EQ(FindWindowExA(main, nullptr, "static", nullptr), nullptr);
}

TEST_F(PanelsGui, ResizingMovesBottomRowButtonsAndGrowsPanes) {
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    HWND main = program.main();
    PumpMessages(20);
    RECT window;
    GetWindowRect(main, &window);
    SetWindowPos(main, nullptr, 0, 0, window.right - window.left + 100,
                 window.bottom - window.top + 60, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages(50);
    RECT client;
    GetClientRect(main, &client);
    ASSERT_EQ(client.right, kMainDesignWidth + 100);
    ASSERT_EQ(client.bottom, kMainDesignHeight + 60);

    EXPECT_EQ(Item(kItemView).x, 727 + 100);
    EXPECT_EQ(Item(kItemView).y, 494 + 60);
    EXPECT_EQ(Item(kItemNew).y, 492 + 60);
    EXPECT_EQ(Item(kItemNew).x, 9);
    EXPECT_EQ(Item(kItemLibrary).x, 736 + 100);
    EXPECT_EQ(Item(kItemLibrary).y, 23);
    EXPECT_EQ(Item(kItemStatusDisplay).width, 414 + 100);
    EXPECT_EQ(gDeviceView.rect.height, 409 + 60);
    EXPECT_EQ(gDeviceView.rect.x + gDeviceView.rect.width, 785 + 100);
    EXPECT_EQ(gPresetsPane.rect.y + gPresetsPane.rect.height, 479 + 60);
    UpdateWindow(main);
    WriteWindowPng(main, ScreenshotPath("panels-resized.png"));

    // The view button answers where it now is.
    const PanelItem& view = Item(kItemView);
    ViewMode before = gViewMode;
    Mouse(main, WM_LBUTTONDOWN, Centre(view), MK_LBUTTON);
    Mouse(main, WM_LBUTTONUP, Centre(view));
    PumpMessages(20);
    EXPECT_NE(gViewMode, before);
}

TEST_F(PanelsGui, SavedMaximisedWindowOpensMaximisedAndMinimisedOpensNormal) {
    WriteSettingsWithMainShown(folder, kShowMaximised);
    {
        RunningProgram program(folder);
        ASSERT_EQ(program.result(), StartUpResult::kRunning);
        EXPECT_TRUE(IsZoomed(program.main()));
        PumpMessages(20);
        // The panes took the maximised window's size.
        RECT client;
        GetClientRect(program.main(), &client);
        EXPECT_EQ(gDeviceView.rect.x + gDeviceView.rect.width, client.right - 7);
    }
    WriteSettingsWithMainShown(folder, kShowMinimised);
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    EXPECT_TRUE(IsWindowVisible(program.main()));
    EXPECT_FALSE(IsIconic(program.main()));
    EXPECT_FALSE(IsZoomed(program.main()));
}

TEST_F(PanelsGui, PaneScrollBarsComeAndGoAndScrollTheirPane) {
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    HWND library = program.library();
    ASSERT_FALSE(IsWindowVisible(library));  // nothing repaints the pane meanwhile
    Pane& pane = gLibraryControlsPane;
    UpdatePaneScrollBar(pane, 1, 40, 10);
    HWND bar = reinterpret_cast<HWND>(pane.vertical.bar);
    ASSERT_NE(bar, nullptr);
    char cls[32];
    GetClassNameA(bar, cls, sizeof cls);
    EXPECT_STREQ(cls, "ScrollBar");
    EXPECT_EQ(GetParent(bar), library);
    EXPECT_EQ(GetDlgCtrlID(bar), 1010);
    RECT r;
    GetWindowRect(bar, &r);
    MapWindowPoints(nullptr, library, reinterpret_cast<POINT*>(&r), 2);
    PaneRect expected =
        PaneScrollBarRect(pane, 1, GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
    EXPECT_EQ(r.left, expected.x);
    EXPECT_EQ(r.top, expected.y);
    EXPECT_EQ(r.bottom - r.top, expected.height);

    // The bar's messages scroll the pane, clamped to total - page.
    SendMessageA(library, WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(pane.vertical.position, 1);
    SendMessageA(library, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(pane.vertical.position, 11);
    SendMessageA(library, WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(pane.vertical.position, 30);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 30);
    SendMessageA(library, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 7),
                 reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(pane.vertical.position, 7);
    // Everything fits again: the bar goes and the position is 0.
    UpdatePaneScrollBar(pane, 1, 8, 10);
    EXPECT_EQ(pane.vertical.bar, nullptr);
    EXPECT_FALSE(IsWindow(bar));
    EXPECT_EQ(pane.vertical.position, 0);
}

}  // namespace
