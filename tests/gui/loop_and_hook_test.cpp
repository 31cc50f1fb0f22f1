// The message loop's accelerator rule and the call-window hook.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/app_state.h"
#include "base/menu.h"
#include "shell/menu_help_win32.h"
#include "gui_harness.h"
#include "shell/commands.h"
#include "shell/help.h"
#include "shell/help_platform.h"
#include "shell/message_loop_win32.h"
#include "shell/window_geometry.h"
#include "views/edit_windows.h"

namespace {

// Ctrl + key, as the keyboard posts it to `window`, through the loop step.
void CtrlKey(HWND window, int key) {
    SetKeyHeld(VK_CONTROL, true);
    PostKey(window, key);
    PumpMessages();
    SetKeyHeld(VK_CONTROL, false);
}

}  // namespace

TEST(MessageLoop, CtrlSReachesTheCommandTableOnlyWithoutAnInPlaceEdit) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);

    gLastCommand = 0;
    int before = gCommandsRun;
    CtrlKey(program.main(), 'S');
    EXPECT_EQ(gLastCommand, kCmdSave);
    EXPECT_EQ(gCommandsRun, before + 1);

    // An in-place edit is open: the keys go to it, no command runs.
    HWND edit = CreateWindowExA(0, "EDIT", "12", WS_CHILD | WS_VISIBLE, 10, 100, 60, 20,
                                program.main(), nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
    gEditValueWindow = edit;
    gLastCommand = 0;
    before = gCommandsRun;
    CtrlKey(edit, 'S');
    CtrlKey(edit, 'C');
    CtrlKey(edit, 'Z');
    EXPECT_EQ(gCommandsRun, before);
    EXPECT_EQ(gLastCommand, 0);
    // The renamer counts the same.
    gEditValueWindow = nullptr;
    gRenamerWindow = edit;
    CtrlKey(edit, 'S');
    EXPECT_EQ(gCommandsRun, before);
    gRenamerWindow = nullptr;

    // Closed again: accelerators work again.
    DestroyWindow(edit);
    CtrlKey(program.main(), 'S');
    EXPECT_EQ(gLastCommand, kCmdSave);
}

TEST(MessageLoop, AcceleratorsNeedTheirExactModifiersAndAnEnabledItem) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    gLastCommand = 0;
    PostKey(program.main(), 'S');  // no Ctrl: not Save
    PumpMessages();
    EXPECT_EQ(gLastCommand, 0);
    SetKeyHeld(VK_SHIFT, true);
    CtrlKey(program.main(), 'S');  // Ctrl+Shift+S is no accelerator
    SetKeyHeld(VK_SHIFT, false);
    EXPECT_EQ(gLastCommand, 0);
    CtrlKey(program.main(), 'T');
    EXPECT_EQ(gLastCommand, kCmdShowCcCh);

    // Redo starts greyed, and a greyed item's key does nothing...
    gLastCommand = 0;
    SetKeyHeld(VK_SHIFT, true);
    CtrlKey(program.main(), 'Z');
    EXPECT_EQ(gLastCommand, 0);
    // ...until it is enabled.
    EnableMenuCommand(kCmdRedo, 1);
    CtrlKey(program.main(), 'Z');
    SetKeyHeld(VK_SHIFT, false);
    EXPECT_EQ(gLastCommand, kCmdRedo);
}

namespace {

CWPSTRUCT Record(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWPSTRUCT record;
    record.hwnd = window;
    record.message = message;
    record.wParam = wParam;
    record.lParam = lParam;
    return record;
}

UINT Hooked(CWPSTRUCT record) {
    CallWndHookProc(HC_ACTION, 0, reinterpret_cast<LPARAM>(&record));
    return record.message;
}

LPARAM ScreenPoint(int x, int y) {
    return MAKELPARAM(static_cast<short>(x), static_cast<short>(y));
}

int gHeld = 0;
int FakeLeftButton() {
    return gHeld;
}

// A point of the main window whose default hit test is `wanted`, searched
// along the caption from the right, or false.
bool FindCaptionPoint(HWND window, LRESULT wanted, POINT* found) {
    RECT r;
    GetWindowRect(window, &r);
    for (int y = r.top + 1; y < r.top + gMetrics.frameY + gMetrics.caption; ++y) {
        for (int x = r.right - 2; x > r.right - 200; --x) {
            if (DefWindowProcA(window, WM_NCHITTEST, 0, ScreenPoint(x, y)) == wanted) {
                *found = POINT{x, y};
                return true;
            }
        }
    }
    return false;
}

}  // namespace

TEST(CallWndHook, LeavesEveryMessageButNcHitTestAlone) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    HWND main = program.main();
    for (UINT message : {static_cast<UINT>(WM_PAINT), static_cast<UINT>(WM_SETTEXT),
                         static_cast<UINT>(WM_MOUSEMOVE), static_cast<UINT>(WM_COMMAND),
                         static_cast<UINT>(WM_NCLBUTTONDOWN), static_cast<UINT>(WM_USER + 7)}) {
        CWPSTRUCT record = Record(main, message, 0x1234, ScreenPoint(-5000, -5000));
        CallWndHookProc(HC_ACTION, 0, reinterpret_cast<LPARAM>(&record));
        EXPECT_EQ(record.message, message);
        EXPECT_EQ(record.wParam, 0x1234u);
        EXPECT_EQ(record.lParam, ScreenPoint(-5000, -5000));
        EXPECT_EQ(record.hwnd, main);
    }
    // Not an action: even a hit test passes untouched.
    CWPSTRUCT record = Record(main, WM_NCHITTEST, 0, ScreenPoint(-5000, -5000));
    CallWndHookProc(-1, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(record.message, static_cast<UINT>(WM_NCHITTEST));
}

TEST(CallWndHook, HitTestsOnNothingOrCaptionButtonsBecomeNull) {
    TempProgramFolder folder;
    RunningProgram program(folder);
    HWND main = program.main();
    int (*saved)() = gLeftButtonHeld;
    gLeftButtonHeld = FakeLeftButton;
    gHeld = 0;

    // Outside the window: nowhere.
    EXPECT_EQ(Hooked(Record(main, WM_NCHITTEST, 0, ScreenPoint(-5000, -5000))),
              static_cast<UINT>(WM_NULL));
    // The client area and the caption stay hit tests.
    POINT client = {100, 100};
    ClientToScreen(main, &client);
    EXPECT_EQ(Hooked(Record(main, WM_NCHITTEST, 0, ScreenPoint(client.x, client.y))),
              static_cast<UINT>(WM_NCHITTEST));
    POINT caption;
    ASSERT_TRUE(FindCaptionPoint(main, HTCAPTION, &caption));
    EXPECT_EQ(Hooked(Record(main, WM_NCHITTEST, 0, ScreenPoint(caption.x, caption.y))),
              static_cast<UINT>(WM_NCHITTEST));

    // The close box: swallowed while the button is up, passed while held.
    POINT close;
    ASSERT_TRUE(FindCaptionPoint(main, HTCLOSE, &close));
    EXPECT_EQ(Hooked(Record(main, WM_NCHITTEST, 0, ScreenPoint(close.x, close.y))),
              static_cast<UINT>(WM_NULL));
    gHeld = 1;
    EXPECT_EQ(Hooked(Record(main, WM_NCHITTEST, 0, ScreenPoint(close.x, close.y))),
              static_cast<UINT>(WM_NCHITTEST));
    // Nowhere stays nowhere even with the button held.
    EXPECT_EQ(Hooked(Record(main, WM_NCHITTEST, 0, ScreenPoint(-5000, -5000))),
              static_cast<UINT>(WM_NULL));
    gLeftButtonHeld = saved;
}

TEST(CallWndHook, InstalledOnceAndRemovedAtShutdown) {
    {
        TempProgramFolder folder;
        RunningProgram program(folder);
        HHOOK hook = gCallWndHook;
        ASSERT_NE(hook, nullptr);
        InstallCallWndHook();
        EXPECT_EQ(gCallWndHook, hook);
    }
    EXPECT_EQ(gCallWndHook, nullptr);
}

namespace {
std::vector<std::string> gOpenedHelp;
int RecordHelp(const char* url, const char*) {
    gOpenedHelp.push_back(url ? url : "");
    return 1;
}
}  // namespace

TEST(MenuHelp, F1OnAHighlightedItemShowsItsHelpInsteadOfRunningIt) {
    TempProgramFolder folder;
    const HelpTopic* save = FindHelpTopic(MenuHelpContext(kCmdSave));
    ASSERT_NE(save, nullptr);
    // The help only opens pages that exist beside the program.
    CreateDirectoryA(folder.path("Help").c_str(), nullptr);
    std::string page = folder.path("Help\\") + save->page;
    HANDLE file = CreateFileA(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    RunningProgram program(folder);
    gOpenedHelp.clear();
    gHelpOpenOverride = RecordHelp;

    // The menu loop idles with F1 held: a help request, and Enter for the
    // highlighted item.
    SetKeyHeld(VK_F1, true);
    SendMessageA(program.main(), WM_ENTERIDLE, MSGF_MENU, 0);
    SetKeyHeld(VK_F1, false);
    EXPECT_EQ(gMenuHelpPending, 1);
    MSG posted;
    ASSERT_TRUE(PeekMessageA(&posted, program.main(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(posted.wParam, static_cast<WPARAM>(VK_RETURN));

    // The item's command arrives: help context 303, and no Save.
    gLastCommand = 0;
    SendMessageA(program.main(), WM_COMMAND, kCmdSave, 0);
    EXPECT_EQ(gLastCommand, 0);
    EXPECT_EQ(gMenuHelpPending, 0);
    ASSERT_EQ(gOpenedHelp.size(), 1u);
    EXPECT_NE(gOpenedHelp[0].find(save->page), std::string::npos);
    EXPECT_NE(gOpenedHelp[0].find(std::string("#") + save->anchor), std::string::npos);

    // "&Window" has no help of its own: nothing shown, nothing run, and the
    // request ends so the next command runs normally.
    gMenuHelpPending = 1;
    SendMessageA(program.main(), WM_COMMAND, kCmdHelpWindow, 0);
    EXPECT_EQ(gOpenedHelp.size(), 1u);
    EXPECT_EQ(gLastCommand, 0);
    SendMessageA(program.main(), WM_COMMAND, kCmdLibraryWindow, 0);
    EXPECT_EQ(gLastCommand, kCmdLibraryWindow);

    // F1 on a greyed item: Enter brings no command and the menu closes. The
    // next command, Ctrl+S as the accelerator sends it, saves.
    gMenuHelpPending = 1;
    SendMessageA(program.main(), WM_EXITMENULOOP, 0, 0);
    PumpMessages(5);
    EXPECT_EQ(gMenuHelpPending, 0);
    gMenuHelpPending = 1;  // and should it still be pending, a key is no menu item
    gLastCommand = 0;
    SendMessageA(program.main(), WM_COMMAND, MAKEWPARAM(kCmdSave, 1), 0);
    EXPECT_EQ(gLastCommand, kCmdSave);
    EXPECT_EQ(gOpenedHelp.size(), 1u);
    gMenuHelpPending = 0;
    gHelpOpenOverride = nullptr;
}
