// The control editor and the keyboard zone editor in the running program with
// the Meridian 49 demo device (four zones): the three tabs, a value box
// opening the in-place editor, an option and a zone button, and the
// keyboard pane under the graphic view with a zone dragged along the keys.
// Pictures are left as editor_*.png for people to look at.
#include <gtest/gtest.h>

#include <string>

#include "banks/bank_model.h"
#include "devices/control_library.h"
#include "devices/device_definition.h"
#include "banks/discovery.h"
#include "views/in_place_edit.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "shell/commands.h"
#include "views/editor_document.h"
#include "views/editor_pane.h"
#include "views/editor_pane_layout.h"
#include "views/editor_tabs.h"
#include "views/keyboard_pane.h"
#include "views/view_state.h"
#include "views/zone_keyboard.h"

namespace {

void Mouse(HWND window, UINT message, int x, int y, WPARAM keys) {
    SendMouse(window, message, keys, MAKELPARAM(x, y));
    PumpMessages(10);
}

void Click(HWND window, int x, int y) {
    Mouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(window, WM_LBUTTONUP, x, y, 0);
}

bool IsReddish(COLORREF c) {
    return GetRValue(c) > GetGValue(c) + 40 && GetRValue(c) > GetBValue(c) + 40;
}

class EditorGui : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(InstallDeviceWithBank(folder_, "Meridian 49.eld", true), 0);
        program_ = new RunningProgram(folder_);
        main_ = program_->main();
        PumpMessages(100);
    }
    void TearDown() override {
        CloseInPlaceEditors();
        SelectEditorTab(kEditorTabDetails);
        gViewMode = ViewMode::kGraphic;
        delete program_;
    }
    PresetRecord* Preset() { return &BankDataAt(gBanks.current)->presets[gBanks.currentPreset]; }
    // Spreads the four zones over the keyboard, zone 3 switched off.
    void SpreadZones() {
        for (int z = 0; z < 4; ++z) {
            *ZoneLowNote(Preset(), z) = 36 + 12 * z;
            *ZoneHighNote(Preset(), z) = 43 + 12 * z;
        }
        Preset()->variables[0] = 0xB;
    }
    TempProgramFolder folder_;
    RunningProgram* program_ = nullptr;
    HWND main_ = nullptr;
    EditorLayout layout_;
};

TEST_F(EditorGui, TabsValueBoxesOptionsAndZoneButtons) {
    ASSERT_STREQ(gDevice.name, "Corvanith Meridian 49");
    ASSERT_EQ(gDevice.zoneLimit, 4);
    SpreadZones();
    // A control whose controller number the library names, so that Control
    // Details has something to show.
    int control = -1;
    for (int i = 0; i < gDevice.controlCount && control < 0; ++i) {
        if (CcLibraryEntryFor(i, Preset()->controls[i].midiCc) != nullptr) control = i;
    }
    ASSERT_GE(control, 0);
    gBanks.currentControl = control;

    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(kCmdEditorWindow, 0), 0);
    PumpMessages(50);
    HWND editor = program_->editor();
    ASSERT_TRUE(IsWindowVisible(editor));
    Repaint(editor);
    BuildEditorLayout(gEditorPane, &layout_);
    const EditorEntry* ctrl = FindEntry(layout_, EditorItem::kDetailField, 1, -1);
    ASSERT_NE(ctrl, nullptr);
    EXPECT_TRUE(IsNavy(ClientPixel(editor, ctrl->box.x + 1, ctrl->box.y + 1)));
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_details.png")));

    // A click makes Channel current; a double click opens its value editor.
    const EditorEntry* channel = FindEntry(layout_, EditorItem::kDetailField, 4, -1);
    ASSERT_NE(channel, nullptr);
    int cx = channel->box.x + 5, cy = channel->box.y + 5;
    Click(editor, cx, cy);
    EXPECT_EQ(gEditorPane.currentField, 4);
    Mouse(editor, WM_LBUTTONDBLCLK, cx, cy, MK_LBUTTON);
    Mouse(editor, WM_LBUTTONUP, cx, cy, 0);
    EXPECT_EQ(InPlaceEditorOpen(), 1);
    Repaint(editor);
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_value_edit.png")));
    CloseInPlaceEditors();

    // "Extra Variables": the third option of "Zones" switches zone 3 on.
    Click(editor, 123 + 50, 8 + 9);
    EXPECT_EQ(gCurrentTab, kEditorTabVariables);
    Repaint(editor);
    BuildEditorLayout(gEditorPane, &layout_);
    const EditorEntry* zone3 = FindEntry(layout_, EditorItem::kVariableOption, 0, 2);
    ASSERT_NE(zone3, nullptr);
    int changedBefore = Preset()->changed;
    Click(editor, zone3->box.x + 4, zone3->box.y + 4);
    EXPECT_EQ(Preset()->variables[0], 0xF);
    EXPECT_EQ(Preset()->changed, changedBefore + 1);
    Repaint(editor);
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_variables.png")));

    // "Zone Data", then the button of zone 3.
    Click(editor, 230 + 50, 8 + 9);
    EXPECT_EQ(gCurrentTab, kEditorTabZones);
    BuildEditorLayout(gEditorPane, &layout_);
    ASSERT_EQ(layout_.zoneButtons, 4);
    Click(editor, layout_.zoneButton[2].x + 20, layout_.zoneButton[2].y + 7);
    EXPECT_EQ(gDocument.currentZone, 2);
    Repaint(editor);
    BuildEditorLayout(gEditorPane, &layout_);
    const EditorEntry* low = FindEntry(layout_, EditorItem::kZoneField, ZoneLowNoteField(), -1);
    ASSERT_NE(low, nullptr);
    EXPECT_STREQ(low->value, "C 3");  // note 60
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_zones.png")));

    // A wider window keeps the content in the middle of the wider pane.
    RECT frame;
    GetWindowRect(editor, &frame);
    MoveWindow(editor, frame.left, frame.top, frame.right - frame.left + 200,
               frame.bottom - frame.top + 40, TRUE);
    PumpMessages(50);
    Repaint(editor);
    EXPECT_EQ(gEditorPane.rect.width, 586 + 200);
    BuildEditorLayout(gEditorPane, &layout_);
    EXPECT_EQ(layout_.contentX, gEditorPane.rect.x + 100);
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_wide.png")));
}

TEST_F(EditorGui, KeyboardPaneShowsTheZonesAndMovesOne) {
    ASSERT_EQ(gDevice.zoneLimit, 4);
    SpreadZones();
    ASSERT_TRUE(KeyboardPaneShown());
    Repaint(main_);
    ASSERT_EQ(gZoneKeyboard.zoneCount, 4);
    ASSERT_EQ(gZoneKeyboard.keyCount, 49);
    const KeyRect bar = gZoneKeyboard.bars[0];
    int y = (bar.top + bar.bottom) / 2;
    EXPECT_TRUE(IsReddish(ClientPixel(main_, bar.left + 3, y)));  // the current zone
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("editor_keyboard_main.png")));

    // Drag zone 1 from its middle five keys to the right.
    const KeyRect& from = gZoneKeyboard.keys[3];
    const KeyRect& to = gZoneKeyboard.keys[8];
    Mouse(main_, WM_LBUTTONDOWN, (from.left + from.right) / 2, y, MK_LBUTTON);
    Mouse(main_, WM_MOUSEMOVE, (to.left + to.right) / 2, y, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, (to.left + to.right) / 2, y, 0);
    EXPECT_EQ(*ZoneLowNote(Preset(), 0), 41);
    EXPECT_EQ(*ZoneHighNote(Preset(), 0), 48);
    // The keyboard was painted alone: the picture above it stays painted.
    PumpMessages(10);
    EXPECT_NE(ClientPixel(main_, gKeyboardPane.rect.x + 40, gKeyboardPane.rect.y - 4),
              RGB(0, 0, 0));
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("zone_drag.png")));

    // A click on zone 2's bar makes it the zone being edited.
    Repaint(main_);
    const KeyRect second = gZoneKeyboard.bars[1];
    Click(main_, (second.left + second.right) / 2, (second.top + second.bottom) / 2);
    EXPECT_EQ(gDocument.currentZone, 1);
    Repaint(main_);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("editor_keyboard_zone2.png")));

    // A larger window widens the pane; the keys and the picture follow.
    MoveWindow(main_, 0, 0, 1100, 760, TRUE);
    PumpMessages(50);
    Repaint(main_);
    const PaneRect& pane = gKeyboardPane.rect;
    EXPECT_GT(pane.width, 586);
    EXPECT_EQ(gZoneKeyboard.scaled.width, pane.width);
    // The first key keeps the picture's left margin (3 pixels), scaled.
    double scale = static_cast<double>(pane.width) / gZoneKeyboard.pictureWidth;
    EXPECT_EQ(gZoneKeyboard.keys[0].left, pane.x + static_cast<int>(3 * scale + 0.5));
    EXPECT_LE(gZoneKeyboard.keys[48].right, pane.x + pane.width);
    EXPECT_GE(gZoneKeyboard.keys[48].right, pane.x + pane.width - 8);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("editor_keyboard_wide.png")));
}

// The Sprite 25 has no zones: two tabs, no keyboard pane.
TEST(EditorGuiWithoutZones, TwoTabsAndNoKeyboardPane) {
    TempProgramFolder folder;
    ASSERT_NE(InstallDeviceWithBank(folder, "Sprite 25.eld", true), 0);
    RunningProgram program(folder);
    PumpMessages(100);
    ASSERT_EQ(gDevice.zoneLimit, 0);
    ASSERT_EQ(gDevice.zoneFieldCount, 0);
    EXPECT_FALSE(KeyboardPaneShown());
    SendMessageA(program.main(), WM_COMMAND, MAKEWPARAM(kCmdEditorWindow, 0), 0);
    PumpMessages(50);
    HWND editor = program.editor();
    Click(editor, 230 + 50, 8 + 9);  // where "Zone Data" would be
    EXPECT_EQ(gCurrentTab, kEditorTabDetails);
    Click(editor, 123 + 100, 8 + 9);  // the widened "Extra Variables"
    EXPECT_EQ(gCurrentTab, kEditorTabVariables);
    Repaint(editor);
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_no_zones.png")));
    SelectEditorTab(kEditorTabDetails);
}

}  // namespace
