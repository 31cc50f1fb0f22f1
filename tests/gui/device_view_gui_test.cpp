// The device view in the running program with the Meridian 49 demo device:
// its pictures built at start-up, clicks and a rubber band selecting
// controls, the list view's rows, the CC/Ch labels and fit mode; pictures of
// both views are written for people to look at.
#include <gtest/gtest.h>

#include <string>

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "banks/discovery.h"
#include "views/edit_value.h"
#include "views/in_place_edit.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "shell/commands.h"
#include "views/device_view.h"
#include "views/editor_document.h"
#include "views/graphic_geometry.h"
#include "views/pane_scroll.h"
#include "views/view_state.h"

namespace {

void Mouse(HWND window, UINT message, int x, int y, WPARAM keys) {
    SendMouse(window, message, keys, MAKELPARAM(x, y));
    PumpMessages(10);
}

int SelectedCount() {
    int count = 0;
    for (int i = 0; i < gDevice.controlCount; ++i) count += gSelection.controls[i] ? 1 : 0;
    return count;
}

class DeviceViewGui : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(InstallDeviceWithBank(folder_, "Meridian 49.eld"), 0);
        program_ = new RunningProgram(folder_);
        main_ = program_->main();
        PumpMessages(100);
    }
    void TearDown() override {
        gViewMode = ViewMode::kGraphic;
        gShowCcCh = 0;
        gFitMode = 0;
        delete program_;
    }
    TempProgramFolder folder_;
    RunningProgram* program_ = nullptr;
    HWND main_ = nullptr;
};

TEST_F(DeviceViewGui, ClicksAndABandSelectControls) {
    ASSERT_STREQ(gDevice.name, "Corvanith Meridian 49");
    ASSERT_TRUE(gDocument.hasPictures);
    ASSERT_GT(gDevice.controlCount, 4);
    int first = -1;
    int second = -1;
    for (int i = 0; i < gDevice.controlCount && second < 0; ++i) {
        if (gDocument.controls[i].zone != 0) continue;
        (first < 0 ? first : second) = i;
    }
    ASSERT_GE(second, 0);
    POINT a = ControlPoint(first);
    POINT b = ControlPoint(second);
    Mouse(main_, WM_LBUTTONDOWN, a.x, a.y, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, a.x, a.y, 0);
    EXPECT_EQ(gSelection.controls[first], 1);
    EXPECT_EQ(SelectedCount(), 1);
    EXPECT_EQ(gBanks.currentControl, first);
    SetKeyHeld(VK_CONTROL, true);
    Mouse(main_, WM_LBUTTONDOWN, b.x, b.y, MK_LBUTTON | MK_CONTROL);
    Mouse(main_, WM_LBUTTONUP, b.x, b.y, MK_CONTROL);
    SetKeyHeld(VK_CONTROL, false);
    EXPECT_EQ(SelectedCount(), 2);
    WriteWindowPng(main_, ScreenshotPath("device_view_graphic_two_selected.png"));

    // A band over the whole picture from its empty top-left corner.
    int left = gDeviceView.rect.x + 2;
    int top = gDeviceView.rect.y + 3;
    int right = gDeviceView.rect.x + gDeviceView.rect.width - 3;
    int bottom = gDeviceView.rect.y + DeviceViewPictureHeight() - 3;
    Mouse(main_, WM_LBUTTONDOWN, left, top, MK_LBUTTON);
    Mouse(main_, WM_MOUSEMOVE, (left + right) / 2, (top + bottom) / 2, MK_LBUTTON);
    Mouse(main_, WM_MOUSEMOVE, right, bottom, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, right, bottom, 0);
    EXPECT_EQ(SelectedCount(), gDevice.controlCount);
    EXPECT_EQ(GetCapture(), nullptr) << "the band let the mouse go";

    // Some assignments to label: a controller with a channel, one without,
    // a channel alone (no controller), and none at all.
    PresetRecord& preset = gBanks.entries[gBanks.current].data->presets[gBanks.currentPreset];
    for (int i = 0; i < gDevice.controlCount; ++i) {
        preset.controls[i].midiCc = i % 4 == 3 ? 255 : 20 + i;
        preset.controls[i].channel = i % 4 == 0 ? 0 : 1 + i % 16;
    }
    preset.controls[first].midiCc = 255;
    preset.controls[first].channel = 0;
    Command(main_, kCmdShowCcCh);
    EXPECT_EQ(gShowCcCh, 1);
    PumpMessages(50);
    WriteWindowPng(main_, ScreenshotPath("device_view_graphic_labels.png"));
}

TEST_F(DeviceViewGui, ListViewShowsARowPerControl) {
    Command(main_, kCmdListView);
    EXPECT_EQ(gDeviceView.listMode, 1);
    PumpMessages(50);
    int rows = ListVisibleRows(gDeviceView, gDevice.controlCount);
    EXPECT_GT(rows, 10);
    EXPECT_EQ(gDeviceView.vertical.total, gDevice.controlCount);
    EXPECT_EQ(gDeviceView.vertical.page, rows);
    // A click on the third row's name selects that control alone.
    int y = gDeviceView.rect.y + 2 + ListHeaderHeight() + 2 * kListViewRowHeight + 5;
    Mouse(main_, WM_LBUTTONDOWN, gDeviceView.rect.x + 20, y, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, gDeviceView.rect.x + 20, y, 0);
    EXPECT_EQ(gBanks.currentControl, 2);
    EXPECT_EQ(SelectedCount(), 1);
    PumpMessages(50);
    WriteWindowPng(main_, ScreenshotPath("device_view_list.png"));
    Command(main_, kCmdGraphicView);
    EXPECT_EQ(gDeviceView.listMode, 0);
}

TEST_F(DeviceViewGui, ListCellsAreEditedInPlace) {
    Command(main_, kCmdListView);
    PumpMessages(30);
    const int row = 3;
    const int channelColumn = 4;
    LayoutListColumns(gDeviceView, gDeviceView.vertical.total > gDeviceView.vertical.page,
                      ListColumns);
    int nameX = ListColumns[0].x + 10;
    int channelX = ListColumns[channelColumn].x + 5;
    int y = gDeviceView.rect.y + 2 + ListHeaderHeight() + row * kListViewRowHeight + 5;
    // The first click makes the row current; a double click then edits.
    Mouse(main_, WM_LBUTTONDOWN, nameX, y, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, nameX, y, 0);
    ASSERT_EQ(gBanks.currentControl, row);
    const int32_t original =
        gBanks.entries[gBanks.current].data->presets[gBanks.currentPreset].controls[row].channel;
    Mouse(main_, WM_LBUTTONDOWN, channelX, y, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, channelX, y, 0);
    Mouse(main_, WM_LBUTTONDBLCLK, channelX, y, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, channelX, y, 0);
    HWND edit = GetDlgItem(main_, kEditValueControlId);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(InPlaceEditorOpen());
    WriteWindowPng(main_, ScreenshotPath("device_view_list_editing.png"));
    SetWindowTextA(edit, "200");
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages(30);
    EXPECT_EQ(GetDlgItem(main_, kEditValueControlId), nullptr) << "Enter closes the editor";
    EXPECT_EQ(GetFocus(), main_) << "the keys go back to the main window";
    EXPECT_FALSE(InPlaceEditorOpen());
    EditValueState state;
    ASSERT_TRUE(
        EditValuePrepare(&state, gBanks.current, gBanks.currentPreset, row, kValueChannel, 0, 0));
    const PresetRecord& preset = gBanks.entries[gBanks.current].data->presets[gBanks.currentPreset];
    EXPECT_EQ(preset.controls[row].channel, state.max) << "200 is brought into the range";
    EXPECT_GT(gBanks.entries[gBanks.current].changeCount, 0);
    // Escape leaves the value as it was.
    Mouse(main_, WM_LBUTTONDBLCLK, channelX, y, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, channelX, y, 0);
    edit = GetDlgItem(main_, kEditValueControlId);
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, "1");
    SendMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    PumpMessages(30);
    EXPECT_EQ(GetDlgItem(main_, kEditValueControlId), nullptr);
    EXPECT_EQ(preset.controls[row].channel, state.max);
    // Undo from the menu with a value half typed: the typing is let go, and
    // the step before it is undone, not the typing made a step and undone.
    Mouse(main_, WM_LBUTTONDBLCLK, channelX, y, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, channelX, y, 0);
    edit = GetDlgItem(main_, kEditValueControlId);
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, "1");
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(kCmdUndo, 0), 0);
    PumpMessages(30);
    EXPECT_EQ(GetDlgItem(main_, kEditValueControlId), nullptr);
    EXPECT_EQ(preset.controls[row].channel, original);
}

// A definition far wider than high: the picture keeps the height's scale
// and scrolls sideways; fit mode shows it whole without a bar.
TEST(DeviceViewWideGui, WidePicturesScrollUntilFitted) {
    TempProgramFolder folder;
    ASSERT_NE(InstallDeviceWithBank(folder, "Meridian 49.eld"), 0);
    ASSERT_TRUE(WidenMeridianPicture(folder));
    RunningProgram program(folder);
    HWND main = program.main();
    PumpMessages(100);
    ASSERT_EQ(gDevice.bounds[2], 1400);
    EXPECT_EQ(gDocument.scrollMode, 1);
    EXPECT_GT(gDocument.scale, 0.5f);
    EXPECT_GT(gDeviceView.horizontal.total, gDeviceView.horizontal.page);
    EXPECT_NE(gDeviceView.horizontal.bar, nullptr);
    ScrollPane(gDeviceView, 0, kScrollPageDown, 0);
    ScrollPane(gDeviceView, 0, kScrollPageDown, 0);
    PumpMessages(50);
    EXPECT_EQ(gDeviceView.horizontal.position, 20);
    WriteWindowPng(main, ScreenshotPath("device_view_scrolled.png"));
    Command(main, kCmdFitMode);
    PumpMessages(50);
    EXPECT_EQ(gDocument.scrollMode, 0);
    EXPECT_LT(gDocument.scale, 0.5f);
    EXPECT_EQ(gDeviceView.horizontal.bar, nullptr);
    WriteWindowPng(main, ScreenshotPath("device_view_fitted.png"));
    Command(main, kCmdFitMode);
}

}  // namespace
