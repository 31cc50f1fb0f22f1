// The list view: column layout with and without the scroll bar, header
// texts from the device's control data fields, the hit test, cell texts
// (program only for types that have one, the parameter from the library
// origin or the controller number), and the clicks that select rows and
// open the in-place editors.
#include <gtest/gtest.h>

#include <cstring>

#include "devices/control_library.h"
#include "views/drag.h"
#include "views/edit_value.h"
#include "views/in_place_edit.h"
#include "views/renamer.h"
#include "headless/in_place_edit_headless.h"
#include "headless/view_platform_headless.h"
#include "tests/banks/bank_test_support.h"
#include "views/device_view.h"
#include "views/fonts.h"
#include "views/list_columns.h"
#include "views/view_state.h"

namespace {

constexpr int kPad = 2;  // Alpha's control with a program

class ListViewTest : public BankTest {
  protected:
    void SetUp() override {
        BankTest::SetUp();
        HeadlessViewReset();
        HeadlessEditorsReset();
        gFontMetrics[kFontPanelBold].height = 13;
        ResetColumnTables(gDevice);
        gDeviceView.rect = {199, 70, 586, 409};
        gDeviceView.vertical = PaneScroll{};
        gViewMode = ViewMode::kList;
        gDeviceView.listMode = 1;
        bank_ = NewBank();
        gBanks.current = bank_;
        gBanks.currentPreset = 0;
        gBanks.currentControl = 0;
        std::memset(gSelection.controls, 0, sizeof gSelection.controls);
    }
    void TearDown() override {
        CloseInPlaceEditors();
        gViewMode = ViewMode::kGraphic;
        gDeviceView.listMode = 0;
        gDrag.armed = 0;
        BankTest::TearDown();
    }
    // The client point inside row `row`, column `column`.
    static void CellPoint(int row, int column, int* x, int* y) {
        LayoutListColumns(gDeviceView, 0, ListColumns);
        *x = ListColumns[column].x + 5;
        *y = gDeviceView.rect.y + 2 + ListHeaderHeight() + row * kListViewRowHeight + 4;
    }
    int Mouse(int row, int column, int message, int flags) {
        int x = 0;
        int y = 0;
        CellPoint(row, column, &x, &y);
        return gDeviceView.Mouse(nullptr, x, y, message, flags);
    }
    void Click(int row, int column, int flags) {
        Mouse(row, column, kLeftDown, flags);
        Mouse(row, column, kLeftUp, flags);
        gDrag.armed = 0;
    }
    int bank_ = 0;
};

TEST_F(ListViewTest, ColumnsTakeTheirWidthsAndCommentTheRest) {
    LayoutListColumns(gDeviceView, 0, ListColumns);
    EXPECT_EQ(ListColumns[0].x, 201);
    EXPECT_EQ(ListColumns[0].width, 120);
    EXPECT_EQ(ListColumns[3].width, 0) << "the hidden column takes no room";
    EXPECT_EQ(ListColumns[4].x, ListColumns[2].x + 174);
    int used = 120 + 26 + 174 + 20 + 26 + 26 + 26;
    EXPECT_EQ(ListColumns[8].width, 586 - 4 - used);
    LayoutListColumns(gDeviceView, 1, ListColumns);
    EXPECT_EQ(ListColumns[8].width, 586 - 4 - used - (16 - 1)) << "narrowed by the bar";
    // A narrow pane cuts the columns off at its edge.
    DeviceView narrow;
    narrow.rect = {0, 0, 200, 100};
    LayoutListColumns(narrow, 0, ListColumns);
    EXPECT_EQ(ListColumns[1].width, 26);
    EXPECT_EQ(ListColumns[2].width, 196 - 146);
    EXPECT_EQ(ListColumns[8].width, 0);
}

TEST_F(ListViewTest, HeadersComeFromTheControlDataFields) {
    EXPECT_STREQ(ColumnHeaderText(gDevice, ListColumns, 1), "Ctrl");
    ControlFieldDef& field = gDevice.controlFields[0];
    field = ControlFieldDef{};
    field.id = 2;
    CopyText(field.name, "Controller");
    gDevice.controlFieldCount = 1;
    EXPECT_STREQ(ColumnHeaderText(gDevice, ListColumns, 1), "Controller");
    CopyText(field.shortName, "CC");
    EXPECT_STREQ(ColumnHeaderText(gDevice, ListColumns, 1), "CC");
    EXPECT_STREQ(ColumnHeaderText(gDevice, ListColumns, 4), "Ch");
    // Only the first nine fields label columns.
    gDevice.controlFieldCount = 10;
    gDevice.controlFields[0].id = 0;
    gDevice.controlFields[9] = field;
    gDevice.controlFields[9].id = 5;
    EXPECT_STREQ(ColumnHeaderText(gDevice, ListColumns, 4), "Ch");
    // ... but any field bounds its column.
    gDevice.controlFields[9].valueMin = 1;
    gDevice.controlFields[9].valueMax = 16;
    ResetColumnTables(gDevice);
    EXPECT_EQ(ListColumns[4].min, 1);
    EXPECT_EQ(ListColumns[4].max, 16);
}

TEST_F(ListViewTest, RowsAndCellsAreHitBelowTheHeader) {
    LayoutListColumns(gDeviceView, 0, ListColumns);
    ListHit hit = {};
    int headerBottom = gDeviceView.rect.y + 2 + ListHeaderHeight();
    EXPECT_FALSE(HitListCell(gDeviceView, ListColumns, 3, 300, headerBottom - 1, &hit));
    ASSERT_TRUE(HitListCell(gDeviceView, ListColumns, 3, ListColumns[1].x, headerBottom, &hit));
    EXPECT_EQ(hit.row, 0);
    EXPECT_EQ(hit.column, 1);
    EXPECT_EQ(hit.cell.x, ListColumns[1].x + 2);
    EXPECT_EQ(hit.cell.width, 26 - 4);
    ASSERT_TRUE(HitListCell(gDeviceView, ListColumns, 3, 300, headerBottom + 2 * 13 + 12, &hit));
    EXPECT_EQ(hit.row, 2);
    EXPECT_FALSE(HitListCell(gDeviceView, ListColumns, 3, 300, headerBottom + 3 * 13, &hit))
        << "no hit below the last row";
}

TEST_F(ListViewTest, ProgramShowsOnlyForTypesWithOne) {
    PresetRecord& preset = Preset(bank_, 0);
    preset.controls[0].program = 5;
    preset.controls[kPad].program = 9;
    char text[64];
    ListCellText(ListColumns[7], 0, text, sizeof text);
    EXPECT_STREQ(text, "");
    ListCellText(ListColumns[7], kPad, text, sizeof text);
    EXPECT_STREQ(text, "9");
    ListCellText(ListColumns[0], kPad, text, sizeof text);
    EXPECT_STREQ(text, "Pad");
    CopyText(gDevice.controls[kPad].description, "Left");
    ListCellText(ListColumns[0], kPad, text, sizeof text);
    EXPECT_STREQ(text, "Pad: Left");
    CopyText(preset.controls[kPad].desc, "kick");
    ListCellText(ListColumns[8], kPad, text, sizeof text);
    EXPECT_STREQ(text, "kick");
}

TEST_F(ListViewTest, ParameterFallsBackToTheControllerName) {
    CcLibraryClear(&gCcLibrary);
    LibraryControl volume = {};
    volume.midiCc = 7;
    CopyText(volume.name, "Volume");
    ASSERT_TRUE(CcLibraryPlace(&gCcLibrary, &volume));
    PresetRecord& preset = Preset(bank_, 0);
    preset.controls[0].midiCc = 7;
    preset.controls[0].origin = 77 * 65536 + 3;  // no open library has it
    char text[64];
    ListCellText(ListColumns[2], 0, text, sizeof text);  // "Parameter"
    EXPECT_STREQ(text, "Volume");
    preset.controls[0].midiCc = 8;
    ListCellText(ListColumns[2], 0, text, sizeof text);  // "Parameter"
    EXPECT_STREQ(text, "");
    CcLibraryClear(&gCcLibrary);
}

TEST_F(ListViewTest, ClicksSelectRowsAndRanges) {
    Click(1, 0, 0);
    EXPECT_EQ(gSelection.controls[1], 1);
    EXPECT_EQ(gBanks.currentControl, 1);
    Click(2, 0, kKeyFlagControl);
    EXPECT_EQ(gSelection.controls[1], 1);
    EXPECT_EQ(gSelection.controls[2], 1);
    Click(0, 0, 0);
    EXPECT_EQ(gSelection.controls[1], 0);
    Click(2, 0, kKeyFlagShift);
    EXPECT_EQ(gSelection.controls[0] + gSelection.controls[1] + gSelection.controls[2], 3);
}

TEST_F(ListViewTest, ValueCellsSelectWithoutArmingADrag) {
    Mouse(1, 1, kLeftDown, 0);
    EXPECT_EQ(gSelection.controls[1], 1);
    EXPECT_EQ(gDrag.armed, 0);
    Mouse(1, 1, kLeftUp, 0);
    Mouse(2, 0, kLeftDown, 0);
    EXPECT_EQ(gDrag.armed, 1) << "a name cell arms a drag";
}

TEST_F(ListViewTest, DoubleClickOpensEditorsOnlyOnTheCurrentRow) {
    // The double click on a row that was not current is a click.
    Mouse(1, 1, kLeftDown, 0);
    Mouse(1, 1, kLeftUp, 0);
    Mouse(1, 1, kLeftDoubleClick, 0);
    EXPECT_FALSE(InPlaceEditorOpen());
    EXPECT_EQ(gBanks.currentControl, 1);
    // Now current: the value editor opens on the cell.
    Mouse(1, 1, kLeftDown, 0);
    Mouse(1, 1, kLeftUp, 0);
    Mouse(1, 1, kLeftDoubleClick, 0);
    ASSERT_TRUE(InPlaceEditorOpen());
    EXPECT_EQ(gEditValue.control, 1);
    EXPECT_EQ(gEditValue.field, kValueMidiCc);
    // Left as it opened, a press elsewhere commits nothing: the library
    // assignment stays and there is nothing to undo or save.
    Preset(bank_, 0).controls[1].origin = LibraryOrigin(77, 3);
    ClearChanges(bank_);
    const int depth = gUndo.top;
    Mouse(2, 0, kLeftDown, 0);
    EXPECT_FALSE(InPlaceEditorOpen());
    EXPECT_EQ(Preset(bank_, 0).controls[1].origin, LibraryOrigin(77, 3));
    EXPECT_EQ(gUndo.top, depth);
    EXPECT_EQ(gBanks.entries[bank_].changeCount, 0);
    Mouse(2, 0, kLeftUp, 0);
    Click(1, 0, 0);
    // The comment cell opens the renamer on the assignment's comment.
    Mouse(1, 8, kLeftDown, 0);
    Mouse(1, 8, kLeftDoubleClick, 0);
    ASSERT_TRUE(gRenamer.active);
    EXPECT_EQ(gRenamer.text, Preset(bank_, 0).controls[1].desc);
    EXPECT_EQ(gRenamer.kind, kRenameKindEdit);
}

TEST_F(ListViewTest, ReadOnlyBanksOpenNoEditor) {
    gBanks.entries[bank_].data->readOnly = 1;
    Click(1, 0, 0);
    Mouse(1, 1, kLeftDown, 0);
    Mouse(1, 1, kLeftDoubleClick, 0);
    EXPECT_FALSE(InPlaceEditorOpen());
}

TEST_F(ListViewTest, ManyControlsScrollAndRowsFollowThePosition) {
    gDeviceView.rect.height = 2 + ListHeaderHeight() + 5 * 13;  // five rows fit
    EXPECT_EQ(ListVisibleRows(gDeviceView, 3), 3);
    EXPECT_EQ(ListVisibleRows(gDeviceView, 50), 5);
    gDevice.controlCount = 3;
    gDeviceView.vertical.position = 1;
    gDeviceView.vertical.total = 3;
    gDeviceView.vertical.page = 2;
    Click(0, 0, 0);
    EXPECT_EQ(gSelection.controls[1], 1) << "the first visible row is control 1";
}

}  // namespace
