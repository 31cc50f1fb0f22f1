// Copy, Paste, Select All Controls and Describe Clipboard.
#include "views/clipboard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "base/menu.h"
#include "shell/commands.h"
#include "tests/views/lists_pane_fixture.h"
#include "views/editor_pane.h"

using ClipboardTest = ListsTest;

static void SelectOnly(uint8_t* flags, int count, std::initializer_list<int> items) {
    memset(flags, 0, static_cast<size_t>(count));
    for (int i : items) flags[i] = 1;
}

TEST_F(ClipboardTest, AnEmptyCopyStillEnablesPasteAndChangesNoPreset) {
    int bank = GammaBank("G");
    EXPECT_EQ(IsMenuCommandEnabled(kCmdPaste), 0);
    SetFocusPane(&gPresetsPane, 0);
    memset(gSelection.presets, 0, sizeof gSelection.presets);
    CopySelection();
    EXPECT_EQ(gClipboard.valid, 1);
    EXPECT_EQ(gClipboard.count, 0);
    EXPECT_EQ(gClipboard.first, -1);
    EXPECT_EQ(IsMenuCommandEnabled(kCmdPaste), 1);
    char text[256];
    DescribeClipboardText(text, sizeof text);
    EXPECT_STREQ(text, "The Clipboard is Empty");

    // A paste of nothing changes nothing: no undo step, nothing changed.
    PasteClipboard();
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_EQ(gBanks.entries[bank].changeCount, 0);
    for (int p = 0; p < 16; p++) EXPECT_EQ(Preset(bank, p).changed, 0);
}

TEST_F(ClipboardTest, CopyFromAnotherPaneDoesNothing) {
    GammaBank("G");
    CopySelection();  // no focus pane yet
    EXPECT_EQ(gClipboard.valid, 0);
    SetFocusPane(&gDevicesPane, 0);
    CopySelection();
    EXPECT_EQ(gClipboard.valid, 0);
    // Paste of nothing: message 10, no step.
    PasteClipboard();
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_NE(HeadlessLastStatus().find("Cannot paste"), std::string::npos);
}

TEST_F(ClipboardTest, PresetsKeepTheirDistancesIntoOneSelectedPreset) {
    int source = GammaBank("Source");
    int target = GammaBank("Target");
    ShowBank(source);
    SelectOnly(gSelection.presets, kMaxPresets, {3, 5, 6});
    SetFocusPane(&gPresetsPane, 0);
    CopySelection();
    EXPECT_EQ(gClipboard.count, 3);
    EXPECT_EQ(gClipboard.first, 3);
    char text[256];
    DescribeClipboardText(text, sizeof text);
    EXPECT_STREQ(text, "The Clipboard Contains 3 Presets from Source");

    // The copy is what the presets were at the copy.
    CopyText(Preset(source, 5).name, "Renamed later");
    ShowBank(target);
    SelectOnly(gSelection.presets, kMaxPresets, {10});
    PasteClipboard();
    EXPECT_STREQ(Preset(target, 10).name, "P3");
    EXPECT_STREQ(Preset(target, 12).name, "P5");
    EXPECT_STREQ(Preset(target, 13).name, "P6");
    EXPECT_STREQ(Preset(target, 11).name, "P11");
    EXPECT_EQ(gSelection.presets[10] + gSelection.presets[12] + gSelection.presets[13], 3);
    EXPECT_EQ(SelectedPresets(), 3);
    // Pasted presets count as changed (they are sent with the next upload).
    EXPECT_GT(Preset(target, 12).changed, 0);
    EXPECT_EQ(Preset(target, 11).changed, 0);

    // Near the end: destinations past the 16 presets are skipped.
    SelectOnly(gSelection.presets, kMaxPresets, {14});
    PasteClipboard();
    EXPECT_STREQ(Preset(target, 14).name, "P3");
    EXPECT_STREQ(Preset(target, 15).name, "P15");

    // And one paste undoes at once.
    Undo();
    EXPECT_STREQ(Preset(target, 14).name, "P14");
    EXPECT_STREQ(Preset(target, 10).name, "P3");
}

TEST_F(ClipboardTest, PresetsFillTwoOrMoreSelectedPresetsInOrder) {
    int bank = GammaBank("G");
    SelectOnly(gSelection.presets, kMaxPresets, {3, 5, 6});
    SetFocusPane(&gPresetsPane, 0);
    CopySelection();
    SelectOnly(gSelection.presets, kMaxPresets, {8, 12, 14, 15});
    PasteClipboard();
    EXPECT_STREQ(Preset(bank, 8).name, "P3");
    EXPECT_STREQ(Preset(bank, 12).name, "P5");
    EXPECT_STREQ(Preset(bank, 14).name, "P6");
    EXPECT_STREQ(Preset(bank, 10).name, "P10");
    EXPECT_STREQ(Preset(bank, 15).name, "P15");
    // The targets stay selected, the one left over included.
    EXPECT_EQ(gSelection.presets[8] + gSelection.presets[12] + gSelection.presets[15], 3);
}

TEST_F(ClipboardTest, WithNothingSelectedThePasteStartsAtTheCurrentPreset) {
    int bank = GammaBank("G");
    SelectOnly(gSelection.presets, kMaxPresets, {1, 2});
    SetFocusPane(&gPresetsPane, 0);
    CopySelection();
    memset(gSelection.presets, 0, sizeof gSelection.presets);
    gBanks.currentPreset = 7;
    PasteClipboard();
    EXPECT_STREQ(Preset(bank, 7).name, "P1");
    EXPECT_STREQ(Preset(bank, 8).name, "P2");
    EXPECT_STREQ(Preset(bank, 0).name, "P0");
}

TEST_F(ClipboardTest, ControlsArePastedOnlyWhereTheirControllerNumberIsTaken) {
    int bank = GammaBank("G");
    SelectPreset(6);  // control c sends 60 + c; the buttons 6 + c
    SelectOnly(gSelection.controls, kMaxControls, {0, 1});
    SetFocusPane(&gDeviceView, 0);
    CopySelection();
    EXPECT_EQ(gClipboard.kind, kClipboardControls);
    char text[256];
    DescribeClipboardText(text, sizeof text);
    EXPECT_STREQ(text, "The Clipboard Contains 2 Controls from P6 (G)");

    // Into buttons 3 and 4 (CCs 0-63): 60 fits, 61 fits; then into 4 and
    // 5: control 1 lands on the slider.
    SelectPreset(2);
    SelectOnly(gSelection.controls, kMaxControls, {4});
    SetFocusPane(&gPresetsPane, 0);
    HeadlessView().invalidatedPanes.clear();
    PasteClipboard();
    EXPECT_EQ(gFocusPane, &gDeviceView);
    const std::vector<const Pane*>& drawn = HeadlessView().invalidatedPanes;
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), &gEditorPane), drawn.end())
        << "the control editor shows what was pasted";
    EXPECT_EQ(Control(bank, 2, 4).midiCc, 60);
    EXPECT_EQ(Control(bank, 2, 5).midiCc, 61);
    EXPECT_EQ(CurrentControl(), 4);
    EXPECT_EQ(gUndo.entries[gUndo.top].scope, UndoScope::Preset);

    // A controller number a button does not take stays out.
    Control(bank, 6, 0).midiCc = 100;
    SelectPreset(6);
    SelectOnly(gSelection.controls, kMaxControls, {0});
    CopySelection();
    SelectPreset(1);
    SelectOnly(gSelection.controls, kMaxControls, {3});
    PasteClipboard();
    EXPECT_EQ(Control(bank, 1, 3).midiCc, 4);  // unchanged
    // None pasted: the target control is selected and current.
    EXPECT_EQ(gSelection.controls[3], 1);
    EXPECT_EQ(CurrentControl(), 3);
}

TEST_F(ClipboardTest, ControlsFillSeveralSelectedControlsInOrder) {
    int bank = GammaBank("G");
    SelectPreset(2);
    SelectOnly(gSelection.controls, kMaxControls, {0, 1, 2});
    SetFocusPane(&gDeviceView, 0);
    CopySelection();
    SelectPreset(9);
    SelectOnly(gSelection.controls, kMaxControls, {2, 5});
    PasteClipboard();
    EXPECT_EQ(Control(bank, 9, 2).midiCc, 20);
    EXPECT_EQ(Control(bank, 9, 5).midiCc, 21);
    EXPECT_EQ(Control(bank, 9, 3).midiCc, 12);
    EXPECT_GT(Preset(bank, 9).changed, 0);

    // One control into two: the second target stays selected.
    SelectPreset(2);
    SelectOnly(gSelection.controls, kMaxControls, {0});
    CopySelection();
    SelectPreset(9);
    SelectOnly(gSelection.controls, kMaxControls, {3, 5});
    PasteClipboard();
    EXPECT_EQ(Control(bank, 9, 3).midiCc, 20);
    EXPECT_EQ(gSelection.controls[3] + gSelection.controls[5], 2);
}

TEST_F(ClipboardTest, SelectAllSelectsEveryControlOfTheDevice) {
    GammaBank("G");
    SetFocusPane(&gPresetsPane, 0);
    SelectAllControls();
    EXPECT_EQ(gFocusPane, &gDeviceView);
    for (int c = 0; c < 6; c++) EXPECT_EQ(gSelection.controls[c], 1);
    EXPECT_EQ(gSelection.controls[6], 0);
}

TEST_F(ClipboardTest, DescribingNamesOnePresetAndKeepsTheClipboard) {
    GammaBank("Solo");
    SelectOnly(gSelection.presets, kMaxPresets, {4});
    SetFocusPane(&gPresetsPane, 0);
    CopySelection();
    DescribeClipboard();
    ASSERT_FALSE(HeadlessMessages().boxes.empty());
    EXPECT_EQ(HeadlessMessages().boxes.back().text, "The Clipboard Contains 1 Preset from Solo");
    EXPECT_EQ(HeadlessMessages().boxes.back().caption, "Clipboard Contents");
    EXPECT_EQ(gClipboard.kind, kClipboardPresets);
    EXPECT_EQ(gClipboard.count, 1);

    ClearClipboard();
    EXPECT_EQ(gClipboard.valid, 0);
    EXPECT_EQ(gClipboard.bankData, nullptr);
    EXPECT_EQ(IsMenuCommandEnabled(kCmdPaste), 0);
}
