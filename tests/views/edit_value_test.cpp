// The in-place value editor and renamer: what a typed text stores, the ranges
// and controller-number sets it is kept in, the undo steps and change
// counters, and the editors' life (opened over a cell, Enter, close).
#include "views/edit_value.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "views/in_place_edit.h"
#include "views/in_place_edit_platform.h"
#include "views/renamer.h"
#include "headless/in_place_edit_headless.h"
#include "tests/banks/bank_test_support.h"
#include "views/editor_document.h"
#include "views/list_columns.h"
#include "views/presets_pane.h"

namespace {

constexpr int kKnob1 = 0;
constexpr int kPad = 2;

class EditValueTest : public BankTest {
  protected:
    void SetUp() override {
        BankTest::SetUp();
        HeadlessEditorsReset();
        ResetColumnTables(gDevice);
        bank_ = NewBank();
        gDocument.currentZone = 0;
    }
    void TearDown() override {
        CloseInPlaceEditors();
        BankTest::TearDown();
    }
    // Opens the value editor on a value, types `text` and presses Enter.
    void Type(int control, int field, int zone, int format, const char* text) {
        PaneRect cell = {10, 20, 30, 13};
        BeginEditValue(nullptr, nullptr, bank_, 1, control, field, zone, format, &cell);
        ASSERT_TRUE(InPlaceEditorOpen());
        std::strcpy(HeadlessEditor(kEditValueControlId).text, text);
        InPlaceEditEnter(kEditValueControlId);
        InPlaceEditClosed(kEditValueControlId);
    }
    int UndoDepth() const { return gUndo.top + 1; }

    int bank_ = 0;
};

TEST_F(EditValueTest, TypedValuesAreClampedIntoTheirRange) {
    Type(kKnob1, kValueChannel, 0, kFormatDecimal, "200");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].channel, 16);
    Type(kKnob1, kValueMsb, 0, kFormatDecimal, "-5");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].msb, 0);
    Type(kKnob1, kValueLsb, 0, kFormatDecimal, "99");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].lsb, 99);
    // A device field narrows the column's range.
    gDevice.controlFields[0] = ControlFieldDef{};
    gDevice.controlFields[0].id = 5;  // column 4, "Ch"
    gDevice.controlFields[0].valueMin = 1;
    gDevice.controlFields[0].valueMax = 4;
    gDevice.controlFieldCount = 1;
    ResetColumnTables(gDevice);
    Type(kKnob1, kValueChannel, 0, kFormatDecimal, "9");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].channel, 4);
    Type(kKnob1, kValueChannel, 0, kFormatDecimal, "0");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].channel, 1);
}

TEST_F(EditValueTest, MidiCcStepsToTheNearestSupportedNumber) {
    std::strcpy(gDevice.types[gDevice.controls[kKnob1].typeIndex].supportedCc, "0-31, 64-95");
    Type(kKnob1, kValueMidiCc, 0, kFormatDecimal, "40");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].midiCc, 31);
    Type(kKnob1, kValueMidiCc, 0, kFormatDecimal, "120");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].midiCc, 95);
    // At the bottom of the range the search goes up.
    std::strcpy(gDevice.types[gDevice.controls[kKnob1].typeIndex].supportedCc, "10-20");
    Type(kKnob1, kValueMidiCc, 0, kFormatDecimal, "0");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].midiCc, 10);
    // Above min with no member below: the search turns round instead of
    // stepping back and forth for ever.
    Type(kKnob1, kValueMidiCc, 0, kFormatDecimal, "3");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].midiCc, 10);
}

TEST_F(EditValueTest, MidiCcWithoutATypeSetUsesTheDeviceSetAndItsRange) {
    int type = gDevice.controls[kKnob1].typeIndex;
    gDevice.types[type].supportedCc[0] = '\0';
    std::strcpy(gDevice.supportedCc, "20-40");
    EditValueState state;
    ASSERT_TRUE(EditValuePrepare(&state, bank_, 0, kKnob1, kValueMidiCc, 0, kFormatDecimal));
    EXPECT_EQ(state.min, 20);
    EXPECT_EQ(state.max, 40);
    Type(kKnob1, kValueMidiCc, 0, kFormatDecimal, "100");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].midiCc, 40);

    // A control whose type name matches no type is held to the device's
    // set, as drops and pastes hold it, not to the first type's.
    std::strcpy(gDevice.types[type].supportedCc, "0-5");
    std::strcpy(gDevice.controls[kKnob1].typeName, "no such type");
    Type(kKnob1, kValueMidiCc, 0, kFormatDecimal, "30");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].midiCc, 30);
    EXPECT_TRUE(ControlAcceptsCc(kKnob1, 30));
}

TEST_F(EditValueTest, AnAllowedSetOutsideTheRangeStoresNothing) {
    std::strcpy(gDevice.types[gDevice.controls[kKnob1].typeIndex].supportedCc, "200-210");
    Preset(bank_, 1).controls[kKnob1].midiCc = 7;
    int depth = UndoDepth();
    Type(kKnob1, kValueMidiCc, 0, kFormatDecimal, "50");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].midiCc, 7);
    EXPECT_EQ(UndoDepth(), depth);
    // A column range up to the largest number, above the whole set: the
    // search ends at the set's last member, not at the end of the numbers.
    EditValueState state;
    ASSERT_TRUE(EditValuePrepare(&state, bank_, 1, kKnob1, kValueMidiCc, 0, kFormatDecimal));
    state.min = 220;
    state.max = INT_MAX;
    int fitted = -1;
    EXPECT_FALSE(EditValueFit(state, 300, &fitted));
}

TEST_F(EditValueTest, StoringRecordsAnUndoStepAndCountsTheChange) {
    Preset(bank_, 1).controls[kPad].origin = 5 * 65536 + 2;
    ClearChanges(bank_);
    gBanks.entries[bank_].changeCount = 0;
    int depth = UndoDepth();
    Type(kPad, kValueMidiCc, 0, kFormatDecimal, "12");
    EXPECT_EQ(Preset(bank_, 1).controls[kPad].midiCc, 12);
    EXPECT_EQ(Preset(bank_, 1).controls[kPad].origin, -1) << "a typed CC is no library's";
    EXPECT_EQ(UndoDepth(), depth + 1);
    EXPECT_EQ(gUndo.entries[gUndo.top].kind, UndoKind::Edit);
    EXPECT_EQ(gUndo.entries[gUndo.top].scope, UndoScope::Preset);
    EXPECT_EQ(Preset(bank_, 1).changed, 1);
    EXPECT_EQ(gBanks.entries[bank_].changeCount, 1);
    Undo();
    EXPECT_NE(Preset(bank_, 1).controls[kPad].midiCc, 12);
}

TEST_F(EditValueTest, ProgramOpensOnlyForTypesThatHaveOne) {
    PaneRect cell = {0, 0, 20, 13};
    BeginEditValue(nullptr, nullptr, bank_, 0, kKnob1, kValueProgram, 0, kFormatDecimal, &cell);
    EXPECT_FALSE(InPlaceEditorOpen());
    BeginEditValue(nullptr, nullptr, bank_, 0, kPad, kValueProgram, 0, kFormatDecimal, &cell);
    EXPECT_TRUE(InPlaceEditorOpen());
    EXPECT_EQ(HeadlessEditor(kEditValueControlId).maxChars, 3);
    CloseInPlaceEditors();
    // A type whose definition leaves `program` out (-1) shows and writes a
    // program: it opens as well.
    gDevice.types[gDevice.controls[kPad].typeIndex].program = -1;
    BeginEditValue(nullptr, nullptr, bank_, 0, kPad, kValueProgram, 0, kFormatDecimal, &cell);
    EXPECT_TRUE(InPlaceEditorOpen());
}

TEST_F(EditValueTest, NarrowVariablesBelongToTheSpinner) {
    PaneRect cell = {0, 0, 20, 13};
    gDevice.variables[0].valueMin = 0;
    gDevice.variables[0].valueMax = 1;
    BeginEditValue(nullptr, nullptr, bank_, 0, kEditVariable, 0, 0, kFormatDecimal, &cell);
    EXPECT_FALSE(InPlaceEditorOpen());
    Type(kEditVariable, 1, 0, kFormatDecimal, "-20");  // Transpose, -12..12
    EXPECT_EQ(Preset(bank_, 1).variables[1], -12);
    // As wide as the numbers go: typed, not spun.
    gDevice.variables[0].valueMin = -1;
    gDevice.variables[0].valueMax = INT_MAX;
    EditValueState state;
    EXPECT_TRUE(EditValuePrepare(&state, bank_, 1, kEditVariable, 0, 0, kFormatDecimal));
}

TEST_F(EditValueTest, ZoneNotesKeepLowAtOrBelowHigh) {
    int low = -1;
    int high = -1;
    ZoneNoteFields(&low, &high);
    ASSERT_GE(low, 0);
    ASSERT_GE(high, 0);
    for (int field : {low, high}) {
        gDevice.zoneFields[field].valueMin = 0;
        gDevice.zoneFields[field].valueMax = 127;
    }
    Preset(bank_, 1).zones[0][low] = 40;
    Preset(bank_, 1).zones[0][high] = 72;
    Type(kEditZoneField, low, 0, kFormatNoteName, "C 5");  // 84
    EXPECT_EQ(Preset(bank_, 1).zones[0][low], 72);
    Type(kEditZoneField, high, 0, kFormatDecimal, "10");
    EXPECT_EQ(Preset(bank_, 1).zones[0][high], 72);
    // Another zone than the one shown is not coupled.
    Preset(bank_, 1).zones[1][high] = 50;
    Type(kEditZoneField, low, 1, kFormatDecimal, "60");
    EXPECT_EQ(Preset(bank_, 1).zones[1][low], 60);

    // A model without a high note: the low note is stored as typed.
    for (int i = 0; i < gDevice.sysexFieldCount; i++) {
        SysexFieldDef& f = gDevice.sysexFields[i];
        if (strcmp(f.array, "zones") == 0 && strcmp(f.tagName, "note high") == 0) {
            CopyText(f.tagName, "velocity");
        }
    }
    Type(kEditZoneField, low, 0, kFormatNoteName, "C 3");
    EXPECT_EQ(Preset(bank_, 1).zones[0][low], 60);
}

TEST(EditValueFormat, NoteNamesReadAndWrite) {
    char text[16];
    FormatEditValue(60, kFormatNoteName, text, sizeof text);
    EXPECT_STREQ(text, "C 3");
    FormatEditValue(61, kFormatNoteName, text, sizeof text);
    EXPECT_STREQ(text, "C#3");
    FormatEditValue(0, kFormatNoteName, text, sizeof text);
    EXPECT_STREQ(text, "C -2");
    FormatEditValue(70, kFormatDecimal, text, sizeof text);
    EXPECT_STREQ(text, "70");
    struct Case {
        const char* text;
        int value;
    } cases[] = {{"C#3", 61}, {"C 3", 60},  {"C3", 60},  {"Db3", 61}, {"Bb2", 58},
                 {"A#2", 58}, {"B#2", 60},  {"Cb3", 59}, {"E#3", 65}, {"Fb3", 64},
                 {"c#3", 61}, {"G 8", 127}, {"72", 72}};
    for (const Case& c : cases) {
        int value = -999;
        EXPECT_TRUE(ParseEditValue(c.text, kFormatNoteName, &value)) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
    int value = 0;
    EXPECT_FALSE(ParseEditValue("H3", kFormatNoteName, &value));
    EXPECT_FALSE(ParseEditValue("C#", kFormatNoteName, &value));
    EXPECT_FALSE(ParseEditValue("", kFormatDecimal, &value));
    EXPECT_FALSE(ParseEditValue("1x", kFormatDecimal, &value));
}

TEST_F(EditValueTest, GarbageStoresNothingAndRecordsNothing) {
    Preset(bank_, 1).controls[kKnob1].channel = 5;
    int depth = UndoDepth();
    Type(kKnob1, kValueChannel, 0, kFormatDecimal, "ab");
    EXPECT_EQ(Preset(bank_, 1).controls[kKnob1].channel, 5);
    EXPECT_EQ(UndoDepth(), depth);
}

TEST_F(EditValueTest, ReadOnlyBanksOpenNoEditor) {
    gBanks.entries[bank_].data->readOnly = 1;
    PaneRect cell = {0, 0, 20, 13};
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    BeginEditValue(nullptr, nullptr, bank_, 0, kKnob1, kValueChannel, 0, kFormatDecimal, &cell);
    EXPECT_FALSE(InPlaceEditorOpen());
    char name[kNameLen];
    BeginRename(nullptr, 0, nullptr, nullptr, bank_, 0, kRenameKindRenaming, name, &cell);
    EXPECT_FALSE(InPlaceEditorOpen());
}

TEST_F(EditValueTest, EditorLifeOpenShowsTheValueAndCloseRepaints) {
    Preset(bank_, 0).controls[kKnob1].midiCc = 74;
    PaneRect cell = {5, 6, 40, 13};
    BeginEditValue(nullptr, nullptr, bank_, 0, kKnob1, kValueMidiCc, 0, kFormatDecimal, &cell);
    ASSERT_TRUE(InPlaceEditorOpen());
    EXPECT_STREQ(HeadlessEditor(kEditValueControlId).text, "74");
    EXPECT_EQ(HeadlessEditor(kEditValueControlId).rect.x, 5);
    // A click elsewhere commits what was typed.
    std::strcpy(HeadlessEditor(kEditValueControlId).text, "75");
    CommitEditValue();
    EXPECT_FALSE(InPlaceEditorOpen());
    EXPECT_FALSE(HeadlessEditor(kEditValueControlId).open);
    EXPECT_EQ(Preset(bank_, 0).controls[kKnob1].midiCc, 75);
    // Escape: closed without a store.
    BeginEditValue(nullptr, nullptr, bank_, 0, kKnob1, kValueMidiCc, 0, kFormatDecimal, &cell);
    std::strcpy(HeadlessEditor(kEditValueControlId).text, "90");
    InPlaceEditClosed(kEditValueControlId);
    EXPECT_EQ(Preset(bank_, 0).controls[kKnob1].midiCc, 75);
}

TEST_F(EditValueTest, AnOpenEditorsTextGoesToItsOwnBankOrNowhere) {
    // The list changes under the open editor (a menu command leaves it
    // open): its bank moves up, and another bank takes its old place.
    int own = NewBank();
    PaneRect cell = {5, 6, 40, 13};
    BeginEditValue(nullptr, nullptr, own, 0, kKnob1, kValueMidiCc, 0, kFormatDecimal, &cell);
    std::strcpy(HeadlessEditor(kEditValueControlId).text, "75");
    RemoveBank(bank_);
    own = 0;
    int stranger = NewBank();
    ASSERT_EQ(stranger, 1);
    int strangerCc = Preset(stranger, 0).controls[kKnob1].midiCc;
    CommitEditValue();
    EXPECT_EQ(Preset(own, 0).controls[kKnob1].midiCc, 75);
    EXPECT_EQ(Preset(stranger, 0).controls[kKnob1].midiCc, strangerCc);

    // A preset name whose bank is gone meanwhile: nothing is written.
    PaneRect row = {0, 0, 100, 13};
    BeginRename(nullptr, 0, nullptr, nullptr, stranger, 2, kRenameKindRenaming,
                Preset(stranger, 2).name, &row);
    std::strcpy(HeadlessEditor(kRenamerControlId).text, "Brass");
    RemoveBank(stranger);
    int depth = UndoDepth();
    InPlaceEditEnter(kRenamerControlId);
    InPlaceEditClosed(kRenamerControlId);
    EXPECT_EQ(UndoDepth(), depth);
}

class RenamerTest : public EditValueTest {
  protected:
    void Rename(BankEntry* entry, int preset, int kind, char* text, const char* typed) {
        PaneRect cell = {0, 0, 100, 13};
        BeginRename(nullptr, 0, nullptr, entry, bank_, preset, kind, text, &cell);
        ASSERT_TRUE(InPlaceEditorOpen());
        std::strcpy(HeadlessEditor(kRenamerControlId).text, typed);
        InPlaceEditEnter(kRenamerControlId);
        InPlaceEditClosed(kRenamerControlId);
    }
};

TEST_F(RenamerTest, PresetNamesChangeWithUndoAndCounters) {
    PresetRecord& preset = Preset(bank_, 2);
    CopyText(preset.name, "Strings");
    ClearChanges(bank_);
    gBanks.entries[bank_].changeCount = 0;
    int depth = UndoDepth();
    Rename(nullptr, 2, kRenameKindRenaming, preset.name, "Strings");
    EXPECT_EQ(UndoDepth(), depth) << "the same name is no change";
    EXPECT_EQ(preset.changed, 0);
    EXPECT_EQ(gBanks.entries[bank_].changeCount, 0);
    Rename(nullptr, 2, kRenameKindRenaming, preset.name, "Brass");
    EXPECT_STREQ(preset.name, "Brass");
    EXPECT_EQ(UndoDepth(), depth + 1);
    EXPECT_EQ(gUndo.entries[gUndo.top].kind, UndoKind::Renaming);
    EXPECT_EQ(preset.changed, 1);
    EXPECT_EQ(gBanks.entries[bank_].changeCount, 1);
}

TEST_F(RenamerTest, CommentsAreEditsAndCutToTheField) {
    char* comment = Preset(bank_, 0).controls[kPad].desc;
    EXPECT_EQ(HeadlessEditor(kRenamerControlId).maxChars, 0);
    std::string longText(60, 'x');
    Rename(nullptr, 0, kRenameKindEdit, comment, longText.c_str());
    EXPECT_EQ(std::strlen(comment), 47u);
    EXPECT_EQ(gUndo.entries[gUndo.top].kind, UndoKind::Edit);
    EXPECT_EQ(HeadlessEditor(kRenamerControlId).maxChars, kRenamerMaxChars);
}

TEST_F(RenamerTest, WithoutARectangleTheRowOfTheListIsEdited) {
    gPresetsPane.rect = {9, 241, 182, 238};
    gPresetsPane.vertical = PaneScroll{};
    gPresetsPane.vertical.position = 2;
    char* name = Preset(bank_, 5).name;
    BeginRename(&gPresetsPane, 5, nullptr, nullptr, bank_, 5, kRenameKindRenaming, name, nullptr);
    ASSERT_TRUE(gRenamer.active);
    const PaneRect& cell = HeadlessEditor(kRenamerControlId).rect;
    EXPECT_EQ(cell.x, 9 + 12) << "the preset list's names start 12 pixels in";
    EXPECT_EQ(cell.y, 241 + 2 + (5 - 2) * 13 - 1);
    EXPECT_EQ(cell.width, 182 - 12);
    CloseInPlaceEditors();
    // With its scroll bar shown the cell ends before the bar.
    gPresetsPane.vertical.total = 128;
    gPresetsPane.vertical.page = 18;
    BeginRename(&gPresetsPane, 5, nullptr, nullptr, bank_, 5, kRenameKindRenaming, name, nullptr);
    EXPECT_EQ(HeadlessEditor(kRenamerControlId).rect.width, 182 - 12 - 16);
    gPresetsPane.vertical = PaneScroll{};
}

TEST_F(RenamerTest, BankNamesIgnoreEmptyAndUnchangedTexts) {
    BankEntry* entry = &gBanks.entries[bank_];
    std::string before = entry->displayName;
    int depth = UndoDepth();
    Rename(entry, 0, kRenameKindRenaming, nullptr, "");
    Rename(entry, 0, kRenameKindRenaming, nullptr, before.c_str());
    EXPECT_EQ(std::string(entry->displayName), before);
    EXPECT_EQ(UndoDepth(), depth);
    Rename(entry, 0, kRenameKindRenaming, nullptr, "Live Set");
    EXPECT_STREQ(entry->displayName, "Live Set");
    EXPECT_EQ(UndoDepth(), depth + 1);

    // A file's name longer than a typed name may be is offered whole, and
    // Enter on it as it stands changes nothing.
    const std::string longName(80, 'n');
    CopyText(entry->displayName, longName.c_str());
    PaneRect cell = {0, 0, 100, 13};
    BeginRename(nullptr, 0, nullptr, entry, bank_, 0, kRenameKindRenaming, nullptr, &cell);
    EXPECT_EQ(std::string(HeadlessEditor(kRenamerControlId).text), longName);
    InPlaceEditEnter(kRenamerControlId);
    InPlaceEditClosed(kRenamerControlId);
    EXPECT_EQ(std::string(entry->displayName), longName);
    EXPECT_EQ(UndoDepth(), depth + 1);
}

}  // namespace
