// The control editor pane: where each tab puts its fields, what a click on
// each of them does (current field, in-place editors, options, zone enable,
// spinner, zone buttons), the read-only checks, Tab and the tabs themselves.
#include "devices/control_library.h"
#include "views/edit_value.h"
#include "views/in_place_edit.h"
#include "views/renamer.h"
#include "headless/in_place_edit_headless.h"
#include "tests/views/editor_test_support.h"
#include "views/editor_pane_layout.h"
#include "views/editor_tabs.h"
#include "views/fonts.h"
#include "views/panel.h"
#include "views/value_spinner.h"

namespace {

using editor_test::SetText;

class EditorPaneTest : public editor_test::ZonerTest {
  protected:
    void SetUp() override {
        ZonerTest::SetUp();
        gFontMetrics[kFontPanel] = {6, 13};
        gFontMetrics[kFontPanelBold] = {7, 13};
        CloseInPlaceEditors();
        HeadlessEditorsReset();
        LibraryControl cutoff = {};
        cutoff.midiCc = 20;
        SetText(cutoff.name, "Cutoff");
        CcLibraryPlace(&gCcLibrary, &cutoff);
        PresetControl& pad = Preset().controls[5];
        pad = {-1, 3, 20, 9, 1, 2, {}};
        SetText(pad.desc, "Lead");
        Preset().controls[0].midiCc = 20;
        gBanks.currentControl = 5;
    }
    void TearDown() override {
        CloseInPlaceEditors();
        ValueSpinnerButtonUp(kLeftUp);
        ValueSpinnerButtonUp(kRightUp);
        ZonerTest::TearDown();
    }
    const EditorEntry* Find(EditorItem item, int index, int option = -1) {
        BuildEditorLayout(gEditorPane, &layout_);
        for (int i = 0; i < layout_.count; ++i) {
            const EditorEntry& e = layout_.entries[i];
            if (e.item == item && e.index == index && e.option == option) return &e;
        }
        return nullptr;
    }
    // A press in the middle of an entry's box.
    int Click(EditorItem item, int index, int message, int option = -1) {
        const EditorEntry* e = Find(item, index, option);
        EXPECT_NE(e, nullptr);
        if (e == nullptr) return kMouseNotHandled;
        PaneRect box = e->box.width > 0 ? e->box : e->row;
        return gEditorPane.Mouse(Window(), box.x + box.width / 2, box.y + box.height / 2, message,
                                 0);
    }
    PaneWindow Window() { return reinterpret_cast<PaneWindow>(this); }
    EditorLayout layout_;
};

TEST_F(EditorPaneTest, ControlDetailsPlacesTheVisibleFieldsOnTheirGrid) {
    const EditorEntry* ctrl = Find(EditorItem::kDetailField, 1);
    ASSERT_NE(ctrl, nullptr);
    EXPECT_EQ(ctrl->labelX, 11);
    EXPECT_EQ(ctrl->labelY, 45);
    EXPECT_EQ(ctrl->box.x, 95);
    EXPECT_EQ(ctrl->box.width, 20);
    EXPECT_EQ(ctrl->box.height, 13);
    EXPECT_STREQ(ctrl->value, "20");
    EXPECT_EQ(ctrl->current, 1);
    const EditorEntry* comment = Find(EditorItem::kDetailField, 8);
    ASSERT_NE(comment, nullptr);
    EXPECT_EQ(comment->box.x, 8 + 3 + 292 + 84);
    EXPECT_EQ(comment->box.y, 26 + 3 + 48);
    EXPECT_EQ(comment->box.width, 200);
    EXPECT_STREQ(comment->value, "Lead");
    EXPECT_STREQ(Find(EditorItem::kDetailField, 0)->value, "Pad");
    EXPECT_STREQ(Find(EditorItem::kDetailField, 2)->value, "Cutoff");
    EXPECT_STREQ(Find(EditorItem::kDetailField, 7)->value, "9");
    EXPECT_STREQ(Find(EditorItem::kDetailField, 7)->label, "Program");
    EXPECT_EQ(Find(EditorItem::kDetailField, 3), nullptr);           // hidden in the table
    EXPECT_EQ(Find(EditorItem::kDetailField, 8)->box.x + 200, 587);  // inside the pane
}

TEST_F(EditorPaneTest, ControlDetailsSkipsProgramForTypesWithoutOneAndStaysEmptyWithoutLibrary) {
    gBanks.currentControl = 0;  // a knob: no program
    EXPECT_NE(Find(EditorItem::kDetailField, 4), nullptr);
    EXPECT_EQ(Find(EditorItem::kDetailField, 7), nullptr);
    Preset().controls[0].midiCc = 21;  // nothing in the library names it
    BuildEditorLayout(gEditorPane, &layout_);
    EXPECT_EQ(layout_.count, 0);
    gBanks.currentControl = 77;  // no such control
    BuildEditorLayout(gEditorPane, &layout_);
    EXPECT_EQ(layout_.count, 0);
}

TEST_F(EditorPaneTest, AWiderPaneKeepsTheContentCentred) {
    int before = Find(EditorItem::kDetailField, 1)->box.x;
    gEditorPane.rect.width = 686;
    EXPECT_EQ(Find(EditorItem::kDetailField, 1)->box.x, before + 50);
    BuildEditorLayout(gEditorPane, &layout_);
    EXPECT_EQ(layout_.zoneButton[0].x, 8 + 50);
}

TEST_F(EditorPaneTest, OnlyValueParameterAndCommentFieldsBecomeCurrent) {
    EXPECT_EQ(Click(EditorItem::kDetailField, 4, kLeftDown), kMouseHandled);
    EXPECT_EQ(gEditorPane.currentField, 4);
    Click(EditorItem::kDetailField, 0, kLeftDown);  // the name
    EXPECT_EQ(gEditorPane.currentField, 4);
    Click(EditorItem::kDetailField, 2, kRightDown);  // the parameter
    EXPECT_EQ(gEditorPane.currentField, 2);
    // A double click on a field that is not current only makes it current.
    Click(EditorItem::kDetailField, 8, kLeftDoubleClick);
    EXPECT_EQ(gEditorPane.currentField, 8);
    EXPECT_EQ(gRenamer.active, 0);
    EXPECT_EQ(gEditorPane.Mouse(Window(), 300, 200, kLeftDown, 0), kMouseNotHandled);
}

TEST_F(EditorPaneTest, DoubleClickOnTheCurrentFieldOpensTheEditors) {
    gEditorPane.currentField = 4;
    Click(EditorItem::kDetailField, 4, kLeftDown);  // a single click does nothing
    EXPECT_EQ(HeadlessEditor(kHeadlessValueEditorId).opens, 0);
    Click(EditorItem::kDetailField, 4, kLeftDoubleClick);
    ASSERT_EQ(HeadlessEditor(kHeadlessValueEditorId).opens, 1);
    EXPECT_EQ(gEditValue.control, 5);
    EXPECT_EQ(gEditValue.field, 0);  // channel
    const PaneRect& at = HeadlessEditor(kHeadlessValueEditorId).rect;
    const EditorEntry* box = Find(EditorItem::kDetailField, 4);
    EXPECT_LE(at.x, box->box.x);
    EXPECT_GE(at.x + at.width, box->box.x + box->box.width);
    EXPECT_GE(at.y, box->box.y - 2);  // within the field's row
    EXPECT_LE(at.y + at.height, box->box.y + 16);

    CloseInPlaceEditors();
    gEditorPane.currentField = 8;
    Click(EditorItem::kDetailField, 8, kLeftDoubleClick);
    EXPECT_EQ(gRenamer.active, 1);
    EXPECT_EQ(gRenamer.text, Preset().controls[5].desc);
}

TEST_F(EditorPaneTest, AReadOnlyBankRefusesTheEditorsWithAMessage) {
    Entry().data->readOnly = 1;
    gEditorPane.currentField = 4;
    Click(EditorItem::kDetailField, 4, kLeftDoubleClick);
    EXPECT_EQ(HeadlessEditor(kHeadlessValueEditorId).opens, 0);
    EXPECT_NE(HeadlessLastStatus().find("Read Only"), std::string::npos);
}

class VariablesTest : public EditorPaneTest {
  protected:
    void SetUp() override {
        EditorPaneTest::SetUp();
        gEditorPane.shownTab = kTabVariables;
    }
};

TEST_F(VariablesTest, RowsFillColumnsAndOptionColumnsMakeRoomForEveryOption) {
    const EditorEntry* zones = Find(EditorItem::kVariable, 0);
    ASSERT_NE(zones, nullptr);
    EXPECT_EQ(zones->labelX, 11);
    EXPECT_EQ(zones->labelY, 29);
    // Labels 5 x 6 + 6 = 36 wide, options ("Medium") 42, boxes 3 x 7 + 2 = 23.
    const EditorEntry* zone2 = Find(EditorItem::kVariableOption, 0, 1);
    ASSERT_NE(zone2, nullptr);
    EXPECT_EQ(zone2->labelX, 11 + 36 + 73);
    EXPECT_EQ(zone2->box.x, 11 + 36 + 73 + 42);
    EXPECT_EQ(zone2->box.width, 23);
    EXPECT_EQ(zone2->checked, 0);
    EXPECT_EQ(Find(EditorItem::kVariableOption, 0, 2)->checked, 1);
    const EditorEntry* level = Find(EditorItem::kVariable, 2);
    EXPECT_EQ(level->labelY, 61);
    EXPECT_EQ(level->box.x, 11 + 36 - 1);
    // The fourth row would pass bottom - 18: a new column, past four options.
    const EditorEntry* latch = Find(EditorItem::kVariable, 3);
    EXPECT_EQ(latch->labelX, 11 + (23 + 42 + 8) * 4 + 36 + 12);
    EXPECT_EQ(latch->labelY, 29);
    EXPECT_STREQ(latch->value, "Off");
}

TEST_F(VariablesTest, ABoxTogglesAtOnceEvenOnAnotherRow) {
    Click(EditorItem::kVariableOption, 1, kLeftDown, 2);
    EXPECT_EQ(gEditorPane.currentVariable, 1);
    EXPECT_EQ(Preset().variables[1], 4);
    EXPECT_EQ(Preset().changed, 1);
    // Elsewhere on another row the click only chooses the variable.
    const EditorEntry* zones = Find(EditorItem::kVariable, 0);
    gEditorPane.Mouse(Window(), zones->labelX + 2, zones->labelY + 5, kLeftDown, 0);
    EXPECT_EQ(gEditorPane.currentVariable, 0);
    EXPECT_EQ(Preset().variables[0], 0x5);
    EXPECT_EQ(Preset().changed, 1);
}

TEST_F(VariablesTest, OptionsToggleAndCountTheChangeEachAsAnUndoStep) {
    Click(EditorItem::kVariableOption, 0, kLeftDown, 1);
    EXPECT_EQ(Preset().variables[0], 0x7);
    Click(EditorItem::kVariableOption, 0, kRightDown, 0);
    EXPECT_EQ(Preset().variables[0], 0x6);
    // Changed as a preset that differs from its saved state, however many edits.
    EXPECT_EQ(Preset().changed, 1);
    EXPECT_EQ(Entry().changeCount, 1);
    // Each click is undone by itself: an Undo never takes a later click
    // back with an earlier step.
    EXPECT_EQ(gUndo.top, 1);
    Undo();
    EXPECT_EQ(Preset().variables[0], 0x7);
    Undo();
    EXPECT_EQ(Preset().variables[0], 0x5);
    Redo();
    Redo();
    // A click on the row between the boxes changes nothing.
    const EditorEntry* zones = Find(EditorItem::kVariable, 0);
    gEditorPane.Mouse(Window(), zones->labelX + 2, zones->labelY + 5, kLeftDown, 0);
    EXPECT_EQ(Preset().variables[0], 0x6);
}

TEST_F(VariablesTest, AlwaysOneValueLeavesExactlyOneOptionSet) {
    gEditorPane.currentVariable = 1;
    Click(EditorItem::kVariableOption, 1, kLeftDown, 2);
    EXPECT_EQ(Preset().variables[1], 4);
    Click(EditorItem::kVariableOption, 1, kLeftDown, 2);
    EXPECT_EQ(Preset().variables[1], 4);
    Click(EditorItem::kVariableOption, 1, kLeftDoubleClick, 0);
    EXPECT_EQ(Preset().variables[1], 1);
}

TEST_F(VariablesTest, PlainVariablesEditOnDoubleClickAndTwoValuedOnesToggle) {
    gEditorPane.currentVariable = 2;
    Click(EditorItem::kVariable, 2, kLeftDown);  // 0..127: no spinner
    EXPECT_FALSE(ValueSpinnerActive());
    EXPECT_EQ(gUndo.top, -1);
    gDevice.variables[2].valueMin = -1;  // as wide as the numbers go: no spinner either
    gDevice.variables[2].valueMax = 2147483647;
    Click(EditorItem::kVariable, 2, kLeftDown);
    EXPECT_FALSE(ValueSpinnerActive());
    EXPECT_EQ(gUndo.top, -1);
    Click(EditorItem::kVariable, 2, kLeftDoubleClick);
    EXPECT_EQ(HeadlessEditor(kHeadlessValueEditorId).opens, 1);
    EXPECT_EQ(gEditValue.control, kEditVariable);
    EXPECT_EQ(gEditValue.field, 2);

    CloseInPlaceEditors();
    gEditorPane.currentVariable = 3;
    Click(EditorItem::kVariable, 3, kLeftDown);
    EXPECT_EQ(Preset().variables[3], 1);
    EXPECT_EQ(gUndo.top, 0);  // the spinner's toggle takes an undo step
    EXPECT_EQ(Preset().changed, 1);
}

TEST_F(VariablesTest, ReadOnlyBanksKeepTheirOptions) {
    Entry().kind = BankKind::Rom;
    Click(EditorItem::kVariableOption, 0, kLeftDown, 1);
    EXPECT_EQ(Preset().variables[0], 0x5);
    EXPECT_NE(HeadlessLastStatus().find("Read Only"), std::string::npos);
}

TEST_F(VariablesTest, TooManyOptionsAreCutAndNothingOutsideThePaneIsHit) {
    VariableDef& zones = gDevice.variables[0];
    zones.maskCount = 40;  // a damaged definition
    for (int m = 0; m < kMaxVariableMasks; ++m) zones.masks[m].mask = 1 << m;
    BuildEditorLayout(gEditorPane, &layout_);
    EXPECT_NE(Find(EditorItem::kVariableOption, 0, 15), nullptr);
    EXPECT_EQ(Find(EditorItem::kVariableOption, 0, 16), nullptr);
    const EditorEntry* last = Find(EditorItem::kVariableOption, 0, 15);
    EXPECT_GT(last->box.x, 8 + 586);  // laid out past the edge: clipped when drawn
    EXPECT_EQ(EditorHitTest(layout_, gEditorPane, last->box.x + 2, last->box.y + 2), nullptr);
    EXPECT_EQ(gEditorPane.Mouse(Window(), last->box.x + 2, last->box.y + 2, kLeftDown, 0),
              kMouseNotHandled);
    EXPECT_EQ(Preset().variables[0], 0x5);
}

class ZoneDataTest : public EditorPaneTest {
  protected:
    void SetUp() override {
        EditorPaneTest::SetUp();
        gEditorPane.shownTab = kTabZones;
        gDocument.currentZone = 1;
    }
};

TEST_F(ZoneDataTest, CaptionEnableBoxAndFieldsWithNoteNames) {
    const EditorEntry* caption = Find(EditorItem::kZoneCaption, 1);
    ASSERT_NE(caption, nullptr);
    EXPECT_STREQ(caption->label, "Zone 2");
    const EditorEntry* enable = Find(EditorItem::kZoneEnable, 1);
    EXPECT_EQ(enable->box.x, 11);
    EXPECT_EQ(enable->box.y, 45);
    EXPECT_STREQ(enable->value, "Off");
    const EditorEntry* low = Find(EditorItem::kZoneField, 1);
    EXPECT_EQ(low->labelX, 11 + 36 + 6);  // after the caption
    EXPECT_EQ(low->box.x, 53 + 60 - 1);   // labels 9 x 6 + 6 wide
    EXPECT_STREQ(low->value, "F#1");
    EXPECT_STREQ(Find(EditorItem::kZoneField, 2)->value, "B 1");
    EXPECT_STREQ(Find(EditorItem::kZoneField, 0)->value, "2");
    const EditorEntry* mute = Find(EditorItem::kZoneField, 3);
    EXPECT_STREQ(mute->value, "Off");
    // Boxes hold a four-character note name ("C#-1": 4 x 6 + 4), wider than
    // the three-digit boxes (3 x 7 + 2) of the other tabs.
    EXPECT_EQ(low->box.width, 28);
    EXPECT_EQ(mute->labelX, 53 + 60 + 28 + 12);  // the fourth row starts a column
}

TEST_F(ZoneDataTest, TheEnableBoxTogglesOnTheLeftButtonAsAnUndoStepAndCounted) {
    Click(EditorItem::kZoneEnable, 1, kRightDown);
    EXPECT_EQ(Preset().variables[0], 0x5);
    Click(EditorItem::kZoneEnable, 1, kLeftDown);
    EXPECT_EQ(Preset().variables[0], 0x7);
    EXPECT_STREQ(Find(EditorItem::kZoneEnable, 1)->value, "On");
    EXPECT_EQ(gUndo.top, 0);
    EXPECT_EQ(Preset().changed, 1);
    EXPECT_EQ(Entry().changeCount, 1);
    Undo();
    EXPECT_EQ(Preset().variables[0], 0x5);
    Redo();
    Entry().data->readOnly = 1;
    Click(EditorItem::kZoneEnable, 1, kLeftDown);
    EXPECT_EQ(Preset().variables[0], 0x7);
}

TEST_F(ZoneDataTest, NoteFieldsOpenTheEditorInNoteNamesAndTwoValuedFieldsToggle) {
    Click(EditorItem::kZoneField, 1, kLeftDown);
    EXPECT_EQ(gEditorPane.currentZoneField, 1);
    Click(EditorItem::kZoneField, 1, kLeftDoubleClick);
    ASSERT_EQ(HeadlessEditor(kHeadlessValueEditorId).opens, 1);
    EXPECT_EQ(gEditValue.control, kEditZoneField);
    EXPECT_EQ(gEditValue.zone, 1);
    EXPECT_EQ(gEditValue.format, kFormatNoteName);
    CloseInPlaceEditors();
    gEditorPane.currentZoneField = 3;
    Click(EditorItem::kZoneField, 3, kRightDown);
    EXPECT_EQ(Preset().zones[1][3], 1);
    EXPECT_EQ(Preset().zones[0][3], 0);
    EXPECT_EQ(gUndo.top, 0);
}

TEST_F(ZoneDataTest, ZoneButtonsChooseTheZoneOnRelease) {
    BuildEditorLayout(gEditorPane, &layout_);
    ASSERT_EQ(layout_.zoneButtons, 4);
    EXPECT_EQ(layout_.zoneButton[3].x, 8 + 222);
    EXPECT_EQ(layout_.zoneButton[3].y, 26 + 66 + 4);
    EXPECT_EQ(gEditorPane.Mouse(Window(), 8 + 222 + 5, 100, kLeftDown, 0), kMouseHandled);
    EXPECT_EQ(gDocument.currentZone, 1);
    gEditorPane.Mouse(Window(), 8 + 222 + 5, 100, kLeftUp, 0);
    EXPECT_EQ(gDocument.currentZone, 3);
    EXPECT_STREQ(Find(EditorItem::kZoneCaption, 3)->label, "Zone 4");
    EXPECT_EQ(gEditorPane.Mouse(Window(), 8 + 66 + 2, 100, kLeftUp, 0), kMouseNotHandled);
    // A release that ends a press elsewhere (a drag let go over the buttons) chooses nothing,
    // nor one after a press on a button whose release went elsewhere and a press off them.
    gEditorPane.Mouse(Window(), 8 + 5, 100, kLeftUp, 0);
    EXPECT_EQ(gDocument.currentZone, 3);
    gEditorPane.Mouse(Window(), 8 + 5, 100, kLeftDown, 0);
    gEditorPane.Mouse(Window(), 8 + 66 + 2, 60, kLeftDown, 0);
    gEditorPane.Mouse(Window(), 8 + 5, 100, kLeftUp, 0);
    EXPECT_EQ(gDocument.currentZone, 3);
}

TEST_F(EditorPaneTest, TabMovesThroughEditableFieldsAndWraps) {
    gBanks.currentControl = 0;  // no program
    gEditorPane.currentField = 1;
    EditorPaneTabKey(0);
    EXPECT_EQ(gEditorPane.currentField, 4);  // past parameter and name
    EditorPaneTabKey(0);
    EditorPaneTabKey(0);
    EXPECT_EQ(gEditorPane.currentField, 6);
    EditorPaneTabKey(0);
    EXPECT_EQ(gEditorPane.currentField, 8);  // program passed over
    EditorPaneTabKey(0);
    EXPECT_EQ(gEditorPane.currentField, 1);
    EditorPaneTabKey(1);
    EXPECT_EQ(gEditorPane.currentField, 8);
    gEditorPane.shownTab = kTabVariables;
    gEditorPane.currentVariable = 0;
    EditorPaneTabKey(1);
    EXPECT_EQ(gEditorPane.currentVariable, 3);
    gEditorPane.shownTab = kTabZones;
    gEditorPane.currentZoneField = 3;
    EditorPaneTabKey(0);
    EXPECT_EQ(gEditorPane.currentZoneField, 0);
}

TEST_F(EditorPaneTest, TabsPressOneItemAndZoneDataNeedsZoneFields) {
    ResetPanels(nullptr, nullptr, nullptr);
    ASSERT_NE(FindPanelItem(gEditorPanel, kEditorTabVariables), nullptr);
    SelectEditorTab(kEditorTabVariables);
    EXPECT_EQ(gCurrentTab, kEditorTabVariables);
    EXPECT_EQ(gEditorPane.shownTab, kTabVariables);
    EXPECT_EQ(FindPanelItem(gEditorPanel, kEditorTabVariables)->pressed, 1);
    EXPECT_EQ(FindPanelItem(gEditorPanel, kEditorTabDetails)->pressed, 0);
    EXPECT_EQ(ClickEditorTab(kEditorTabVariables), 0);  // already shown
    EXPECT_EQ(ClickEditorTab(kEditorTabZones), 1);
    EditorTabsDeviceChanged();
    EXPECT_EQ(gCurrentTab, kEditorTabZones);  // the device still has zone fields

    int width = 0, image = 0;
    EditorTabAppearance(kEditorTabVariables, 107, 20, &width, &image);
    EXPECT_EQ(width, 107);
    gDevice.zoneFieldCount = 0;
    EditorTabAppearance(kEditorTabVariables, 107, 20, &width, &image);
    EXPECT_EQ(width, 115);
    EXPECT_EQ(image, 22);
    EditorTabsDeviceChanged();
    EXPECT_EQ(gCurrentTab, kEditorTabDetails);
    EXPECT_EQ(ClickEditorTab(kEditorTabZones), 0);
    EXPECT_EQ(gCurrentTab, kEditorTabDetails);
    BuildEditorLayout(gEditorPane, &layout_);
    gEditorPane.shownTab = kTabZones;
    BuildEditorLayout(gEditorPane, &layout_);
    EXPECT_EQ(layout_.count, 0);  // no zone data: nothing drawn
    SelectEditorTab(kEditorTabDetails);
}

}  // namespace
