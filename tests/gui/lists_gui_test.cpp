// The list panes in the running program with the demo data: the banks in
// "Devices and Files", a click showing a bank's presets, Up and Down, a
// preset dragged onto another, and the libraries of the library window.
// A bank drag held on the edges of a bank list too long for its pane
// scrolls it. Pictures of both windows are left as lists_main.png and
// lists_library.png.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "banks/bank_model.h"
#include "devices/library_list.h"
#include "views/drag.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "shell/commands.h"
#include "views/devices_pane.h"
#include "views/library_controls_pane.h"
#include "views/library_files_pane.h"
#include "views/list_rows.h"
#include "views/presets_pane.h"

namespace {

void Click(HWND window, const Pane& pane, int row) {
    LPARAM at = At(pane.rect.x + 60, RowMiddle(pane, row));
    SendMouse(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMouse(window, WM_LBUTTONUP, 0, at);
    PumpMessages(20);
}

class ListsGuiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallDemoData(folder_);
        AddBanks();
        program_ = new RunningProgram(folder_);
        ASSERT_EQ(program_->result(), StartUpResult::kRunning);
        PumpMessages(50);
    }
    void TearDown() override { delete program_; }
    // Bank files of a test's own, put beside the demo banks before the start.
    virtual void AddBanks() {}

    TempProgramFolder folder_;
    RunningProgram* program_ = nullptr;
};

TEST_F(ListsGuiTest, BanksPresetsKeysAndAPresetDrag) {
    HWND main = program_->main();
    ASSERT_GE(gBanks.count, 2);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(20);

    // The current bank's row is drawn on the navy selection.
    const PaneRect& devices = gDevicesPane.rect;
    int currentRow = RowMiddle(gDevicesPane, gBanks.current);
    EXPECT_TRUE(IsNavy(ClientPixel(main, devices.x + devices.width - 6, currentRow)));

    // A click on the other bank shows its presets.
    int other = gBanks.current == 0 ? 1 : 0;
    Click(main, gDevicesPane, other);
    EXPECT_EQ(gBanks.current, other);
    EXPECT_GT(ShownPresetCount(), 4);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(20);
    const PaneRect& presets = gPresetsPane.rect;
    int selectedRow = RowMiddle(gPresetsPane, gBanks.currentPreset);
    EXPECT_TRUE(IsNavy(ClientPixel(main, presets.x + presets.width - 8, selectedRow)));
    EXPECT_FALSE(IsNavy(ClientPixel(main, presets.x + presets.width - 8, selectedRow + 13)));

    // Up and Down on the presets list.
    Click(main, gPresetsPane, 1);
    EXPECT_EQ(gBanks.currentPreset, 1);
    PostKey(main, VK_DOWN);
    PumpMessages(20);
    EXPECT_EQ(gBanks.currentPreset, 2);
    PostKey(main, VK_UP);
    PostKey(main, VK_UP);
    PumpMessages(20);
    EXPECT_EQ(gBanks.currentPreset, 0);

    // Preset 0 dragged onto preset 3 of the same bank: the two change places.
    BankData* data = BankDataAt(gBanks.current);
    ASSERT_NE(data, nullptr);
    std::string first = data->presets[0].name;
    std::string fourth = data->presets[3].name;
    int x = presets.x + 60;
    SendMouse(main, WM_LBUTTONDOWN, MK_LBUTTON, At(x, RowMiddle(gPresetsPane, 0)));
    SendMouse(main, WM_MOUSEMOVE, MK_LBUTTON, At(x, RowMiddle(gPresetsPane, 2)));
    SendMouse(main, WM_MOUSEMOVE, MK_LBUTTON, At(x, RowMiddle(gPresetsPane, 3)));
    SendMouse(main, WM_LBUTTONUP, 0, At(x, RowMiddle(gPresetsPane, 3)));
    PumpMessages(20);
    EXPECT_EQ(std::string(data->presets[3].name), first);
    EXPECT_EQ(std::string(data->presets[0].name), fourth);
    EXPECT_EQ(gBanks.currentPreset, 3);
    EXPECT_GT(data->presets[3].changed, 0);

    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(20);
    EXPECT_TRUE(WriteWindowPng(main, ScreenshotPath("lists_main.png")));
}

void DragBank(HWND main, int from, int to) {
    int x = gDevicesPane.rect.x + 60;
    SendMouse(main, WM_LBUTTONDOWN, MK_LBUTTON, At(x, RowMiddle(gDevicesPane, from)));
    SendMouse(main, WM_MOUSEMOVE, MK_LBUTTON, At(x, RowMiddle(gDevicesPane, to)));
    SendMouse(main, WM_LBUTTONUP, 0, At(x, RowMiddle(gDevicesPane, to)));
    PumpMessages(20);
}

TEST_F(ListsGuiTest, ABankDraggedOntoABankOfItsDeviceIsCopied) {
    HWND main = program_->main();
    int rom = BankNamed("Meridian Studio");
    int user = BankNamed("My Meridian Setups");
    int other = BankNamed("My Sprite Kits");
    ASSERT_GE(rom, 0);
    ASSERT_GE(user, 0);
    ASSERT_GE(other, 0);
    std::string romFirst = BankDataAt(rom)->presets[0].name;
    std::string otherFirst = BankDataAt(other)->presets[0].name;
    ASSERT_NE(std::string(BankDataAt(user)->presets[0].name), romFirst);

    DragBank(main, rom, user);
    EXPECT_EQ(std::string(BankDataAt(user)->presets[0].name), romFirst);
    EXPECT_EQ(gBanks.current, user);
    EXPECT_GT(gBanks.entries[user].changeCount, 0);

    // Another device's bank is refused; the cursor is the arrow again.
    DragBank(main, user, other);
    EXPECT_EQ(std::string(BankDataAt(other)->presets[0].name), otherFirst);
    EXPECT_EQ(gDrag.dragging, 0);
    EXPECT_EQ(GetClassLongPtrA(main, GCLP_HCURSOR),
              reinterpret_cast<ULONG_PTR>(LoadCursor(nullptr, IDC_ARROW)));
}

bool PasteEnabled(HWND main) {
    UINT state = GetMenuState(GetMenu(main), kCmdPaste, MF_BYCOMMAND);
    return (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

TEST_F(ListsGuiTest, CopyAndPasteAPresetThroughTheEditMenu) {
    HWND main = program_->main();
    EXPECT_FALSE(PasteEnabled(main));
    Click(main, gPresetsPane, 0);
    BankData* data = BankDataAt(gBanks.current);
    ASSERT_NE(data, nullptr);
    std::string first = data->presets[0].name;
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kCmdCopy, 0), 0);
    PumpMessages(20);
    EXPECT_TRUE(PasteEnabled(main));
    Click(main, gPresetsPane, 5);
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kCmdPaste, 0), 0);
    PumpMessages(20);
    EXPECT_EQ(std::string(data->presets[5].name), first);
    EXPECT_EQ(gSelection.presets[5], 1);
}

TEST_F(ListsGuiTest, TheLibraryWindowListsTheLibraries) {
    HWND main = program_->main();
    SendMessageA(main, WM_COMMAND, MAKEWPARAM(kCmdLibraryWindow, 0), 0);
    PumpMessages(50);
    HWND library = program_->library();
    ASSERT_TRUE(IsWindowVisible(library));
    ASSERT_GT(LibraryFilesRowCount(), 1);

    Click(library, gLibraryFilesPane, 1);
    EXPECT_EQ(gLibraryFilesPane.current, 1);
    EXPECT_EQ(gLibraryList.current, LibraryFilesEntryAt(1));
    const LibraryData* chosen = CurrentListedLibrary();
    ASSERT_NE(chosen, nullptr);
    EXPECT_GT(chosen->controlCount, 0);
    Click(library, gLibraryControlsPane, 0);
    EXPECT_EQ(gLibraryControlsPane.current, 0);

    RedrawWindow(library, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(20);
    const PaneRect& files = gLibraryFilesPane.rect;
    EXPECT_TRUE(
        IsNavy(ClientPixel(library, files.x + files.width - 8, RowMiddle(gLibraryFilesPane, 1))));
    EXPECT_TRUE(WriteWindowPng(library, ScreenshotPath("lists_library.png")));
}

// A program folder with more user banks than the bank list shows at once.
class CrowdedBankListGui : public ListsGuiTest {
  protected:
    void AddBanks() override {
        std::string banks = folder_.path("User Preset Banks") + "\\";
        for (int i = 1; i <= 40; i++) {
            char name[64];
            std::snprintf(name, sizeof name, "Setups %02d.xml", i);
            CopyFileA((banks + "My Meridian Setups.xml").c_str(), (banks + name).c_str(), FALSE);
        }
    }
};

TEST_F(CrowdedBankListGui, ABankDragHeldOnTheBottomEdgeScrollsTheListARowPerTick) {
    HWND main = program_->main();
    const Pane& pane = gDevicesPane;
    ASSERT_GT(pane.vertical.total, pane.vertical.page);
    ASSERT_EQ(pane.vertical.position, 0);
    int first = BankNamed("My Meridian Setups");
    ASSERT_GE(first, 0);
    ASSERT_LT(first, pane.vertical.page - 1);
    int changes = 0;
    for (int i = 0; i < gBanks.count; i++) changes += gBanks.entries[i].changeCount;

    int x = pane.rect.x + 60;
    SendMouse(main, WM_LBUTTONDOWN, MK_LBUTTON, At(x, RowMiddle(pane, first)));
    SendMouse(main, WM_MOUSEMOVE, MK_LBUTTON, At(x, RowMiddle(pane, first + 1)));
    ASSERT_EQ(gDrag.dragging, 1);
    ASSERT_EQ(gDrag.confined, 1);
    // The tick reads the pointer itself: it goes onto the confinement's
    // bottom row, then back inside, then onto the top row.
    int bottom = gDrag.confineRect.y + gDrag.confineRect.height - 1;
    PointerTo(main, x, bottom);
    Tick(main, kDragTimer, 5);
    EXPECT_EQ(pane.vertical.position, 5);
    PointerTo(main, x, RowMiddle(pane, first + 6));
    Tick(main, kDragTimer, 3);
    EXPECT_EQ(pane.vertical.position, 5);
    PointerTo(main, x, gDrag.confineRect.y);
    Tick(main, kDragTimer, 2);
    EXPECT_EQ(pane.vertical.position, 3);

    // Released between the panes: nothing is copied, the pointer is free.
    int gapX = pane.rect.x + pane.rect.width + 3;
    SendMouse(main, WM_MOUSEMOVE, MK_LBUTTON, At(gapX, RowMiddle(pane, first + 6)));
    SendMouse(main, WM_LBUTTONUP, 0, At(gapX, RowMiddle(pane, first + 6)));
    PumpMessages(20);
    EXPECT_EQ(gDrag.dragging, 0);
    EXPECT_EQ(gDrag.confined, 0);
    int after = 0;
    for (int i = 0; i < gBanks.count; i++) after += gBanks.entries[i].changeCount;
    EXPECT_EQ(after, changes);
    RECT clip = {};
    GetClipCursor(&clip);
    EXPECT_EQ(clip.right - clip.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(clip.bottom - clip.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

}  // namespace
