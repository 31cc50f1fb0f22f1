// The control editor and keyboard pane driven as a user would, with the demo
// devices: Tab through the detail fields, options and two-valued variables,
// zones switched on and off, dragged and chosen from both places. Pictures of
// every tab of both models and of the keyboard pane are left for people to
// look at (editor_flow_*.png).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "banks/discovery.h"
#include "views/edit_value.h"
#include "views/in_place_edit.h"
#include "banks/undo_history.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "shell/commands.h"
#include "views/editor_document.h"
#include "views/editor_pane.h"
#include "views/editor_pane_layout.h"
#include "views/editor_tabs.h"
#include "views/keyboard_pane.h"
#include "views/list_columns.h"
#include "views/value_spinner.h"
#include "views/view_state.h"
#include "views/zone_keyboard.h"

namespace {

// A mouse message, its waiting messages handled after it.
void Mouse(HWND window, UINT message, int x, int y, WPARAM keys) {
    // A press that confines the pointer (a zone drag) would pull the real
    // pointer in from wherever it rests, and the move that makes would drag
    // the zone: the real pointer starts where the press is.
    if (message == WM_LBUTTONDOWN) PointerTo(window, x, y);
    SendMouse(window, message, keys, MAKELPARAM(x, y));
    PumpMessages(10);
}

void Click(HWND window, int x, int y) {
    Mouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(window, WM_LBUTTONUP, x, y, 0);
}

void DoubleClick(HWND window, int x, int y) {
    Click(window, x, y);
    Mouse(window, WM_LBUTTONDBLCLK, x, y, MK_LBUTTON);
    Mouse(window, WM_LBUTTONUP, x, y, 0);
}

int KeyCentre(int note) {
    const KeyRect& k = gZoneKeyboard.keys[note - gZoneKeyboard.firstNote];
    return (k.left + k.right) / 2;
}

class EditorFlowGui : public ::testing::Test {
  protected:
    void Start(const char* device) {
        ASSERT_NE(InstallDeviceWithBank(folder_, device, true), 0);
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
    HWND OpenEditor() {
        SendMessageA(main_, WM_COMMAND, MAKEWPARAM(kCmdEditorWindow, 0), 0);
        PumpMessages(50);
        HWND editor = program_->editor();
        Repaint(editor);
        return editor;
    }
    void Relayout() { BuildEditorLayout(gEditorPane, &layout_); }
    void SpreadZones() {
        for (int z = 0; z < 4; ++z) {
            *ZoneLowNote(Preset(), z) = 38 + 12 * z;
            *ZoneHighNote(Preset(), z) = 45 + 12 * z;
        }
        Repaint(main_);
    }
    void TabOnce(HWND editor, bool backwards = false) {
        SetKeyHeld(VK_SHIFT, backwards);
        SendMessageA(editor, WM_KEYDOWN, VK_TAB, 0);
        SendMessageA(editor, WM_KEYUP, VK_TAB, 0);
        SetKeyHeld(VK_SHIFT, false);
        PumpMessages(10);
    }
    TempProgramFolder folder_;
    RunningProgram* program_ = nullptr;
    HWND main_ = nullptr;
    EditorLayout layout_;
};

int ProgramField() {
    for (int i = 0; i < kColumnCount; ++i)
        if (DetailFields[i].kind == kColumnValue && DetailFields[i].subkind == kValueProgram)
            return i;
    return -1;
}

bool ControlHasProgram(int control) {
    int type = gDevice.controls[control].typeIndex;
    return gDevice.types[type].program > 0;
}

TEST_F(EditorFlowGui, TabWalksTheEditableDetailFields) {
    Start("Meridian 49.eld");
    int program = ProgramField();
    ASSERT_GE(program, 0);
    int with = -1, without = -1;
    for (int i = 0; i < gDevice.controlCount; ++i) {
        (ControlHasProgram(i) ? with : without) = i;
    }
    ASSERT_GE(without, 0) << "the demo has a control type without a program";
    HWND editor = OpenEditor();
    for (int control : {with, without}) {
        if (control < 0) continue;
        gBanks.currentControl = control;
        gBanks.currentControl = control;
        gEditorPane.currentField = 1;
        std::set<int> seen;
        int start = -1;
        for (int step = 0; step < 2 * kColumnCount; ++step) {
            TabOnce(editor);
            int field = gEditorPane.currentField;
            if (field == start) break;
            if (start < 0) start = field;
            seen.insert(field);
            EXPECT_TRUE(DetailFields[field].kind == kColumnValue ||
                        DetailFields[field].kind == kColumnComment)
                << "Tab stopped on field " << field;
        }
        EXPECT_GE(seen.size(), 3u);
        EXPECT_EQ(seen.count(program) == 1, ControlHasProgram(control))
            << "control " << control << ": program field visited only when its type has one";
        // Shift+Tab goes back one.
        int before = gEditorPane.currentField;
        TabOnce(editor);
        TabOnce(editor, true);
        EXPECT_EQ(gEditorPane.currentField, before);
    }
    Repaint(editor);
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_flow_meridian_details.png")));
}

TEST_F(EditorFlowGui, OptionsAndTwoValuedVariables) {
    Start("Meridian 49.eld");
    int oneOf = -1, twoValued = -1;
    for (int v = 0; v < gDevice.variableCount; ++v) {
        const VariableDef& d = gDevice.variables[v];
        if (d.maskCount > 1 && d.alwaysOneValue && oneOf < 0) oneOf = v;
        if (d.maskCount == 0 && d.valueMin == 0 && d.valueMax == 1 && twoValued < 0) twoValued = v;
    }
    ASSERT_GE(oneOf, 0);
    ASSERT_GE(twoValued, 0);
    HWND editor = OpenEditor();
    Click(editor, 123 + 50, 8 + 9);
    ASSERT_EQ(gCurrentTab, kEditorTabVariables);
    Repaint(editor);
    Relayout();

    // An always-one option: the first click makes the variable current, the
    // next sets this option and clears every other.
    const EditorEntry* second = FindEntry(layout_, EditorItem::kVariableOption, oneOf, 1);
    ASSERT_NE(second, nullptr);
    int sx = second->box.x + 4, sy = second->box.y + 4;
    Click(editor, sx, sy);
    if (gEditorPane.currentVariable != oneOf) Click(editor, sx, sy);
    ASSERT_EQ(gEditorPane.currentVariable, oneOf);
    Preset()->variables[oneOf] = gDevice.variables[oneOf].masks[0].mask;
    Click(editor, sx, sy);
    EXPECT_EQ(Preset()->variables[oneOf], gDevice.variables[oneOf].masks[1].mask);
    Repaint(editor);
    Relayout();
    EXPECT_EQ(FindEntry(layout_, EditorItem::kVariableOption, oneOf, 1)->checked, 1);
    EXPECT_EQ(FindEntry(layout_, EditorItem::kVariableOption, oneOf, 0)->checked, 0);

    // A 0/1 variable flips on a press: one undo step, and Undo restores it.
    const EditorEntry* row = FindEntry(layout_, EditorItem::kVariable, twoValued, -1);
    ASSERT_NE(row, nullptr);
    const PaneRect& hit = row->box.width > 0 ? row->box : row->row;
    int vx = hit.x + hit.width / 2, vy = hit.y + hit.height / 2;
    Click(editor, vx, vy);
    ASSERT_EQ(gEditorPane.currentVariable, twoValued);
    int before = Preset()->variables[twoValued];
    int undoBefore = gUndo.top;
    int changedBefore = Preset()->changed;
    Click(editor, vx, vy);
    EXPECT_EQ(Preset()->variables[twoValued], before ? 0 : 1);
    EXPECT_EQ(gUndo.top, undoBefore + 1) << "one undo step";
    EXPECT_EQ(Preset()->changed, 1);
    EXPECT_FALSE(ValueSpinnerActive()) << "nothing keeps repeating";
    EXPECT_EQ(GetCapture(), nullptr);
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(kCmdUndo, 0), 0);
    PumpMessages(30);
    EXPECT_EQ(Preset()->variables[twoValued], before);
    EXPECT_EQ(Preset()->changed, changedBefore) << "as changed as it was";
    Repaint(editor);
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_flow_meridian_variables.png")));
}

TEST_F(EditorFlowGui, ZonesToggledDraggedAndChosen) {
    Start("Meridian 49.eld");
    ASSERT_EQ(gDevice.zoneLimit, 4);
    SpreadZones();
    HWND editor = OpenEditor();
    Click(editor, 230 + 50, 8 + 9);
    ASSERT_EQ(gCurrentTab, kEditorTabZones);
    Repaint(editor);
    Relayout();
    ASSERT_EQ(layout_.zoneButtons, 4);

    // Zone buttons choose the zone; the keyboard follows.
    Click(editor, layout_.zoneButton[1].x + 20, layout_.zoneButton[1].y + 7);
    EXPECT_EQ(gDocument.currentZone, 1);
    Repaint(editor);
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_flow_meridian_zones.png")));

    // A note typed by name: into the high note box it is stored; into the
    // low one (above the high note) it is kept at or under the high note.
    ASSERT_EQ(*ZoneHighNote(Preset(), 1), 57);
    for (int field : {ZoneHighNoteField(), ZoneLowNoteField()}) {
        Relayout();
        const EditorEntry* box = FindEntry(layout_, EditorItem::kZoneField, field, -1);
        ASSERT_NE(box, nullptr);
        DoubleClick(editor, box->box.x + 5, box->box.y + 5);
        HWND edit = GetDlgItem(editor, kEditValueControlId);
        ASSERT_NE(edit, nullptr);
        SetWindowTextA(edit, "C#3");
        SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
        PumpMessages(30);
        EXPECT_EQ(GetDlgItem(editor, kEditValueControlId), nullptr);
    }
    EXPECT_EQ(*ZoneHighNote(Preset(), 1), 61);
    EXPECT_EQ(*ZoneLowNote(Preset(), 1), 61);
    Repaint(editor);
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_flow_note_typed.png")));
    *ZoneLowNote(Preset(), 1) = 50;
    *ZoneHighNote(Preset(), 1) = 57;
    Repaint(main_);

    // The enable box switches the current zone, both ways.
    Relayout();
    const EditorEntry* enable = FindEntry(layout_, EditorItem::kZoneEnable, -1, -1);
    if (enable == nullptr) {
        for (int i = 0; i < layout_.count; ++i)
            if (layout_.entries[i].item == EditorItem::kZoneEnable) enable = &layout_.entries[i];
    }
    ASSERT_NE(enable, nullptr);
    int on = ZoneEnabled(Preset(), 1);
    ASSERT_GE(on, 0);
    Click(editor, enable->box.x + 4, enable->box.y + 4);
    EXPECT_EQ(ZoneEnabled(Preset(), 1), on ? 0 : 1);
    Click(editor, enable->box.x + 4, enable->box.y + 4);
    EXPECT_EQ(ZoneEnabled(Preset(), 1), on);

    // On the keyboard: a click on zone 3's bar chooses it, a double click
    // on the chosen bar switches it.
    Repaint(main_);
    KeyRect bar = gZoneKeyboard.bars[2];
    int by = (bar.top + bar.bottom) / 2;
    Click(main_, (bar.left + bar.right) / 2, by);
    EXPECT_EQ(gDocument.currentZone, 2);
    int on3 = ZoneEnabled(Preset(), 2);
    DoubleClick(main_, (bar.left + bar.right) / 2, by);
    EXPECT_EQ(ZoneEnabled(Preset(), 2), on3 ? 0 : 1);
    DoubleClick(main_, (bar.left + bar.right) / 2, by);
    EXPECT_EQ(ZoneEnabled(Preset(), 2), on3);

    // Drag the whole zone two keys right, then its low edge, then its high.
    int low = *ZoneLowNote(Preset(), 2), high = *ZoneHighNote(Preset(), 2);
    Mouse(main_, WM_LBUTTONDOWN, KeyCentre(low + 3), by, MK_LBUTTON);
    Mouse(main_, WM_MOUSEMOVE, KeyCentre(low + 5), by, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, KeyCentre(low + 5), by, 0);
    EXPECT_EQ(*ZoneLowNote(Preset(), 2), low + 2);
    EXPECT_EQ(*ZoneHighNote(Preset(), 2), high + 2);
    low += 2;
    high += 2;
    Repaint(main_);
    by = (gZoneKeyboard.bars[2].top + gZoneKeyboard.bars[2].bottom) / 2;
    Mouse(main_, WM_LBUTTONDOWN, KeyCentre(low), by, MK_LBUTTON);
    Mouse(main_, WM_MOUSEMOVE, KeyCentre(low - 4), by, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, KeyCentre(low - 4), by, 0);
    EXPECT_EQ(*ZoneLowNote(Preset(), 2), low - 4);
    EXPECT_EQ(*ZoneHighNote(Preset(), 2), high) << "the high edge stays";
    Repaint(main_);
    by = (gZoneKeyboard.bars[2].top + gZoneKeyboard.bars[2].bottom) / 2;
    Mouse(main_, WM_LBUTTONDOWN, KeyCentre(high), by, MK_LBUTTON);
    Mouse(main_, WM_MOUSEMOVE, KeyCentre(high + 3), by, MK_LBUTTON);
    Mouse(main_, WM_LBUTTONUP, KeyCentre(high + 3), by, 0);
    EXPECT_EQ(*ZoneLowNote(Preset(), 2), low - 4);
    EXPECT_EQ(*ZoneHighNote(Preset(), 2), high + 3);
    EXPECT_EQ(GetCapture(), nullptr);
    Repaint(main_);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("editor_flow_keyboard_four_zones.png")));
}

// All four zones 0..0 (as a fresh device bank has them): the labels must not
// pile up on one spot.
TEST_F(EditorFlowGui, ZeroZonesKeepTheirLabelsApart) {
    Start("Meridian 49.eld");
    for (int z = 0; z < 4; ++z) *ZoneLowNote(Preset(), z) = *ZoneHighNote(Preset(), z) = 0;
    Repaint(main_);
    ASSERT_EQ(gZoneKeyboard.zoneCount, 4);
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b) {
            const KeyRect& p = gZoneKeyboard.bars[a];
            const KeyRect& q = gZoneKeyboard.bars[b];
            bool overlap =
                p.left < q.right && q.left < p.right && p.top < q.bottom && q.top < p.bottom;
            EXPECT_FALSE(overlap) << "bars " << a << " and " << b << " overlap";
        }
    // The names keep clear of the pane's left edge: none of their ink in the
    // first columns.
    const PaneRect& pane = gKeyboardPane.rect;
    int ink = 0;
    for (int z = 0; z < 4; ++z)
        for (int y = gZoneKeyboard.bars[z].top; y < gZoneKeyboard.bars[z].bottom; ++y)
            for (int x = pane.x; x < pane.x + 3; ++x)
                ink += ClientPixel(main_, x, y) == RGB(0, 0, 192) ? 1 : 0;
    EXPECT_EQ(ink, 0);
    int labelInk = 0;
    for (int y = gZoneKeyboard.bars[0].top; y < gZoneKeyboard.bars[0].bottom; ++y)
        for (int x = pane.x; x < pane.x + 60; ++x)
            labelInk += ClientPixel(main_, x, y) == RGB(0, 0, 192) ? 1 : 0;
    EXPECT_GT(labelInk, 10) << "the first zone's name is drawn";
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("editor_flow_keyboard_zero_zones.png")));
}

TEST_F(EditorFlowGui, SpriteTabsAreDrawn) {
    Start("Sprite 25.eld");
    ASSERT_EQ(gDevice.zoneLimit, 0);
    HWND editor = OpenEditor();
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_flow_sprite_details.png")));
    Click(editor, 123 + 100, 8 + 9);
    ASSERT_EQ(gCurrentTab, kEditorTabVariables);
    Repaint(editor);
    EXPECT_TRUE(WriteWindowPng(editor, ScreenshotPath("editor_flow_sprite_variables.png")));
}

}  // namespace
