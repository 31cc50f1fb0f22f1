// The device view driven as a user would, with both demo devices: Shift
// ranges, the switch between graphic and list views with their scroll bars,
// the CC/Ch labels, and list cells and comments edited in place. Pictures are
// left as views_flow_*.png for people to look at.
#include <gtest/gtest.h>

#include <string>

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "banks/discovery.h"
#include "views/edit_value.h"
#include "views/in_place_edit.h"
#include "views/renamer.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "shell/commands.h"
#include "views/device_view.h"
#include "views/editor_document.h"
#include "views/graphic_geometry.h"
#include "views/list_columns.h"
#include "views/pane_scroll.h"
#include "views/view_state.h"

namespace {

void Mouse(HWND window, UINT message, int x, int y, WPARAM keys) {
    SendMouse(window, message, keys, MAKELPARAM(x, y));
    PumpMessages(10);
}

void Click(HWND window, int x, int y, WPARAM keys = 0) {
    Mouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON | keys);
    Mouse(window, WM_LBUTTONUP, x, y, keys);
}

bool Visible(POINT p) {
    const PaneRect& r = gDeviceView.rect;
    return p.x > r.x && p.x < r.x + r.width - 20 && p.y > r.y + 2 &&
           p.y < r.y + DeviceViewPictureHeight() - 2;
}

int SelectedCount() {
    int count = 0;
    for (int i = 0; i < gDevice.controlCount; ++i) count += gSelection.controls[i] ? 1 : 0;
    return count;
}

class ViewsFlowGui : public ::testing::Test {
  protected:
    void Start(const char* device) {
        ASSERT_NE(InstallDeviceWithBank(folder_, device, true), 0);
        program_ = new RunningProgram(folder_);
        main_ = program_->main();
        PumpMessages(100);
    }
    void TearDown() override {
        CloseInPlaceEditors();
        gViewMode = ViewMode::kGraphic;
        gShowCcCh = 0;
        gFitMode = 0;
        delete program_;
    }
    PresetRecord& Preset() {
        return gBanks.entries[gBanks.current].data->presets[gBanks.currentPreset];
    }
    int ColumnOf(int kind, int subkind) {
        for (int i = 0; i < kColumnCount; ++i)
            if (ListColumns[i].kind == kind && (subkind < 0 || ListColumns[i].subkind == subkind) &&
                ListColumns[i].visible)
                return i;
        return -1;
    }
    TempProgramFolder folder_;
    RunningProgram* program_ = nullptr;
    HWND main_ = nullptr;
};

TEST_F(ViewsFlowGui, ShiftClickSelectsARangeAndLabelsToggle) {
    Start("Meridian 49.eld");
    ASSERT_STREQ(gDevice.name, "Corvanith Meridian 49");
    int a = -1, b = -1;
    for (int i = 0; i < gDevice.controlCount; ++i) {
        if (gDocument.controls[i].zone != 0 || !Visible(ControlPoint(i))) continue;
        if (a < 0) a = i;
        if (i >= a + 3) b = i;
    }
    ASSERT_GE(a, 0);
    ASSERT_GT(b, a + 2);
    POINT pa = ControlPoint(a), pb = ControlPoint(b);
    Click(main_, pa.x, pa.y);
    ASSERT_EQ(SelectedCount(), 1);
    SetKeyHeld(VK_SHIFT, true);
    Click(main_, pb.x, pb.y, MK_SHIFT);
    SetKeyHeld(VK_SHIFT, false);
    EXPECT_EQ(SelectedCount(), b - a + 1);
    for (int i = 0; i < gDevice.controlCount; ++i)
        EXPECT_EQ(gSelection.controls[i] != 0, i >= a && i <= b) << "control " << i;
    EXPECT_EQ(gBanks.currentControl, a) << "the first of the range is current";

    Repaint(main_);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("views_flow_meridian_graphic.png")));
    for (int i = 0; i < gDevice.controlCount; ++i) {
        Preset().controls[i].midiCc = 10 + i;
        Preset().controls[i].channel = i % 3;
    }
    SendMessageA(main_, WM_KEYDOWN, 'T', 0);  // not the shortcut without Ctrl
    PumpMessages(20);
    EXPECT_EQ(gShowCcCh, 0);
    SetKeyHeld(VK_CONTROL, true);
    PostKey(main_, 'T');
    PumpMessages(50);
    SetKeyHeld(VK_CONTROL, false);
    EXPECT_EQ(gShowCcCh, 1) << "Ctrl+T shows the labels";
    Repaint(main_);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("views_flow_meridian_labels.png")));
    Command(main_, kCmdShowCcCh);
    EXPECT_EQ(gShowCcCh, 0);
}

TEST_F(ViewsFlowGui, SwitchingViewsRemakesTheScrollBars) {
    Start("Meridian 49.eld");
    Command(main_, kCmdListView);
    ASSERT_EQ(gDeviceView.listMode, 1);
    Repaint(main_);
    HWND listBar = gDeviceView.vertical.bar;
    ASSERT_NE(listBar, nullptr) << "the list is longer than the pane";
    EXPECT_TRUE(IsWindow(listBar));
    EXPECT_EQ(gDeviceView.vertical.total, gDevice.controlCount);
    ScrollPane(gDeviceView, 1, kScrollPageDown, 0);
    Repaint(main_);
    EXPECT_GT(gDeviceView.vertical.position, 0);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("views_flow_meridian_list.png")));

    Command(main_, kCmdGraphicView);
    Repaint(main_);
    EXPECT_EQ(gDeviceView.listMode, 0);
    EXPECT_FALSE(IsWindow(listBar)) << "the list's bar went with the list";
    EXPECT_EQ(gDeviceView.vertical.bar, nullptr) << "the picture fits its height";
    Command(main_, kCmdListView);
    Repaint(main_);
    ASSERT_NE(gDeviceView.vertical.bar, nullptr);
    EXPECT_TRUE(IsWindow(gDeviceView.vertical.bar));
    EXPECT_TRUE(IsWindowVisible(gDeviceView.vertical.bar));
    EXPECT_EQ(gDeviceView.vertical.total, gDevice.controlCount);
    Command(main_, kCmdGraphicView);
}

TEST_F(ViewsFlowGui, ListCellsAndCommentsEditedByDoubleClick) {
    Start("Meridian 49.eld");
    Command(main_, kCmdListView);
    Repaint(main_);
    const int row = 2;
    int channel = ColumnOf(kColumnValue, kValueChannel);
    int comment = ColumnOf(kColumnComment, -1);
    ASSERT_GE(channel, 0);
    ASSERT_GE(comment, 0);
    POINT name = ListCellPoint(1, row);
    Click(main_, name.x, name.y);
    ASSERT_EQ(gBanks.currentControl, row);

    POINT ch = ListCellPoint(channel, row);
    Click(main_, ch.x, ch.y);
    Mouse(main_, WM_LBUTTONDBLCLK, ch.x, ch.y, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, ch.x, ch.y, 0);
    HWND edit = GetDlgItem(main_, kEditValueControlId);
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    for (char c : std::string("200")) SendMessageA(edit, WM_CHAR, c, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages(30);
    EXPECT_EQ(Preset().controls[row].channel, 16) << "200 is brought down to the last channel";
    EXPECT_FALSE(InPlaceEditorOpen());

    POINT cm = ListCellPoint(comment, row);
    Click(main_, cm.x, cm.y);
    Mouse(main_, WM_LBUTTONDBLCLK, cm.x, cm.y, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, cm.x, cm.y, 0);
    HWND renamer = GetDlgItem(main_, kRenamerControlId);
    ASSERT_NE(renamer, nullptr);
    SetFocus(renamer);
    SendMessageA(renamer, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    for (char c : std::string("Filter sweep")) SendMessageA(renamer, WM_CHAR, c, 0);
    Repaint(main_);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("views_flow_list_comment_edit.png")));
    SendMessageA(renamer, WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages(30);
    EXPECT_STREQ(Preset().controls[row].desc, "Filter sweep");
    EXPECT_EQ(GetDlgItem(main_, kRenamerControlId), nullptr);
    Repaint(main_);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("views_flow_list_edited.png")));
    Command(main_, kCmdGraphicView);
}

TEST_F(ViewsFlowGui, SpriteGraphicViewScrolls) {
    Start("Sprite 25.eld");
    ASSERT_STREQ(gDevice.name, "Corvanith Sprite 25");
    Repaint(main_);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("views_flow_sprite_graphic.png")));
    bool sideways = gDeviceView.horizontal.total > gDeviceView.horizontal.page;
    bool down = gDeviceView.vertical.total > gDeviceView.vertical.page;
    ASSERT_TRUE(sideways || down) << "the Sprite's picture is larger than the pane";
    int vertical = sideways ? 0 : 1;
    EXPECT_GT(ScrollPane(gDeviceView, vertical, kScrollPageDown, 0), 0);
    ScrollPane(gDeviceView, vertical, kScrollBottom, 0);
    const PaneScroll& bar = sideways ? gDeviceView.horizontal : gDeviceView.vertical;
    EXPECT_EQ(bar.position, bar.total - bar.page) << "the end of the picture, no further";
    EXPECT_EQ(ScrollPane(gDeviceView, vertical, kScrollLineDown, 0), 0);
    Repaint(main_);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("views_flow_sprite_scrolled.png")));
    Command(main_, kCmdListView);
    Repaint(main_);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("views_flow_sprite_list.png")));
    Command(main_, kCmdGraphicView);
}

}  // namespace
