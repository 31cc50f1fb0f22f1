// What drops do: presets onto presets and banks, banks onto banks, controls
// onto controls, and library controls onto controls; each checked first,
// each one undo step.
#include <gtest/gtest.h>

#include "views/drops.h"
#include "tests/views/lists_pane_fixture.h"

class DropsTest : public ListsTest {
  protected:
    // Presses preset `row` of bank `source`, drags it and holds it over bank
    // `target` in the devices pane, which then shows that bank's presets.
    static void HoldPresetOverBank(int source, int row, int target) {
        ShowBank(source);
        Press(gPresetsPane, row);
        StartDrag();
        MoveOver(gDevicesPane, target);
    }
    // Copies the selection of `pane` in bank `from` and pastes it into bank
    // `into`, messages cleared in between.
    static void CopyAndPasteInto(int from, Pane* pane, int into) {
        ShowBank(from);
        SetFocusPane(pane, 0);
        CopySelection();
        ShowBank(into);
        HeadlessMessagesReset();
        PasteClipboard();
    }
};

TEST_F(DropsTest, APresetDroppedOntoItselfChangesNothing) {
    int bank = GammaBank("G");
    DragRow(gPresetsPane, 3, gPresetsPane, 3);
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_EQ(gBanks.entries[bank].changeCount, 0);
    EXPECT_STREQ(Preset(bank, 3).name, "P3");
}

TEST_F(DropsTest, PresetsMoveWithinABankAndCopyWithControl) {
    int bank = GammaBank("G");
    DragRow(gPresetsPane, 1, gPresetsPane, 6);
    // Moved: exchanged with the target.
    EXPECT_STREQ(Preset(bank, 6).name, "P1");
    EXPECT_STREQ(Preset(bank, 1).name, "P6");
    EXPECT_EQ(gBanks.currentPreset, 6);
    EXPECT_EQ(gUndo.top, 0);
    EXPECT_EQ(gUndo.entries[0].kind, UndoKind::Edit);
    EXPECT_EQ(gUndo.entries[0].scope, UndoScope::Bank);

    DragRow(gPresetsPane, 6, gPresetsPane, 9, kKeyFlagControl);
    EXPECT_STREQ(Preset(bank, 9).name, "P1");
    EXPECT_STREQ(Preset(bank, 6).name, "P1");  // copied: the source stays
    EXPECT_EQ(gUndo.top, 1);
    EXPECT_EQ(gSelection.presets[9], 1);
    EXPECT_GT(gBanks.entries[bank].changeCount, 0);

    Undo();
    EXPECT_STREQ(Preset(bank, 9).name, "P9");
}

TEST_F(DropsTest, SeveralPresetsGoToTheRowsFromTheTarget) {
    int bank = GammaBank("G");
    Press(gPresetsPane, 2);
    Release(gPresetsPane, 2);
    Press(gPresetsPane, 4, kKeyFlagControl);
    Release(gPresetsPane, 4, kKeyFlagControl);
    // Ctrl held from the press: a copy of presets 2 and 4 to 10 and 11.
    HeadlessView().controlHeld = 1;
    Press(gPresetsPane, 2, kKeyFlagControl);
    StartDrag();
    Release(gPresetsPane, 10, kKeyFlagControl);
    EXPECT_STREQ(Preset(bank, 10).name, "P2");
    EXPECT_STREQ(Preset(bank, 11).name, "P4");
    EXPECT_STREQ(Preset(bank, 12).name, "P12");
    EXPECT_EQ(gSelection.presets[10] + gSelection.presets[11], 2);
}

TEST_F(DropsTest, PresetsAreNotDroppedIntoAReadOnlyBank) {
    int source = GammaBank("Source");
    int target = GammaBank("Target");
    gBanks.entries[target].data->readOnly = 1;
    HoldPresetOverBank(source, 2, target);
    ASSERT_EQ(gBanks.current, target);
    Release(gPresetsPane, 5);
    EXPECT_STREQ(Preset(target, 5).name, "P5");
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_NE(HeadlessLastStatus().find("Read Only"), std::string::npos);

    // Onto the bank row itself, likewise.
    ShowBank(source);
    Press(gPresetsPane, 2);
    StartDrag();
    Release(gDevicesPane, target);
    EXPECT_STREQ(Preset(target, 2).name, "P2");
    EXPECT_EQ(gUndo.top, -1);
}

TEST_F(DropsTest, PresetsDroppedOnAnotherBankLandAtTheirOwnPlace) {
    int source = GammaBank("Source");
    int target = GammaBank("Target");
    ShowBank(source);
    CopyText(Preset(source, 7).name, "Mine");
    Press(gPresetsPane, 7);
    StartDrag();
    Release(gDevicesPane, target);
    EXPECT_STREQ(Preset(target, 7).name, "Mine");
    EXPECT_STREQ(Preset(source, 7).name, "Mine");  // another bank: a copy
    EXPECT_EQ(gBanks.current, target);
    EXPECT_EQ(gBanks.currentPreset, 7);
    EXPECT_EQ(gUndo.entries[0].bank, target);

    // Selects `first`, then `second` with `flags`, and drags from `from`
    // onto the bank's own row.
    auto dragTwoOntoTheirBank = [&](int first, int second, int flags, int from) {
        Press(gPresetsPane, first);
        Release(gPresetsPane, first);
        Press(gPresetsPane, second, flags);
        Release(gPresetsPane, second, flags);
        Press(gPresetsPane, from);
        StartDrag();
        Release(gDevicesPane, target);
    };
    // Onto their own bank, the drag started on the second of two: moved from
    // the preset the drag started at.
    dragTwoOntoTheirBank(2, 3, kKeyFlagShift, 3);
    EXPECT_STREQ(Preset(target, 3).name, "P2");
    EXPECT_STREQ(Preset(target, 4).name, "P3");

    // Started on the first of two with a gap between them: gathered from it.
    const int steps = gUndo.top;
    dragTwoOntoTheirBank(5, 7, kKeyFlagControl, 5);
    EXPECT_STREQ(Preset(target, 5).name, "P5");
    EXPECT_STREQ(Preset(target, 6).name, "Mine");
    EXPECT_STREQ(Preset(target, 7).name, "P6");
    EXPECT_EQ(gUndo.top, steps + 1);
}

TEST_F(DropsTest, ABankIsCopiedOnlyIntoAWritableBankOfItsDevice) {
    int source = GammaBank("Source");
    int target = GammaBank("Target");
    CopyText(Preset(source, 0).name, "From source");
    DragRow(gDevicesPane, source, gDevicesPane, target);
    EXPECT_STREQ(Preset(target, 0).name, "From source");
    EXPECT_STREQ(BankTitle(target), "Target");  // the presets come, not the name
    EXPECT_EQ(gBanks.current, target);
    EXPECT_EQ(gUndo.top, 0);
    EXPECT_EQ(gUndo.entries[0].bank, target);

    // Onto itself: nothing.
    DragRow(gDevicesPane, target, gDevicesPane, target);
    EXPECT_EQ(gUndo.top, 0);

    // Another device's bank: message 34.
    ASSERT_TRUE(SwitchDevice(kBetaPid));
    int beta = NewBank();
    ShowBank(source);
    DragRow(gDevicesPane, source, gDevicesPane, beta);
    EXPECT_EQ(gUndo.top, 0);
    EXPECT_NE(HeadlessLastStatus().find("wrong type of bank"), std::string::npos);
    EXPECT_NE(HeadlessLastStatus().find("Source"), std::string::npos);

    // A read-only one: message 30.
    gBanks.entries[target].data->readOnly = 1;
    CopyText(Preset(source, 0).name, "Changed again");
    ShowBank(source);
    DragRow(gDevicesPane, source, gDevicesPane, target);
    EXPECT_STREQ(Preset(target, 0).name, "From source");
    EXPECT_NE(HeadlessLastStatus().find("Read Only"), std::string::npos);
}

TEST_F(DropsTest, PresetsOfAnotherModelAreNeitherPastedNorDroppedOnAPresetRow) {
    int source = GammaBank("Source");
    ASSERT_TRUE(SwitchDevice(kBetaPid));
    int beta = NewBank();
    CopyText(Preset(beta, 1).name, "Beta's own");  // Beta has two presets
    HoldPresetOverBank(source, 2, beta);
    ASSERT_EQ(gBanks.current, beta);
    Release(gPresetsPane, 1);
    EXPECT_STREQ(Preset(beta, 1).name, "Beta's own");
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_NE(HeadlessLastStatus().find("wrong type of bank"), std::string::npos);

    CopyAndPasteInto(source, &gPresetsPane, beta);
    EXPECT_STREQ(Preset(beta, 1).name, "Beta's own");
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_NE(HeadlessLastStatus().find("Source"), std::string::npos);
}

// A control drag from the device view, as the view arms it.
static void DragControls(int bank, int preset, int control, int copy) {
    HeadlessView().controlHeld = copy;
    ArmDrag(&gDeviceView, bank, preset, control, 0, 0);
    StartDrag();
    EndDrag();
    HeadlessView().controlHeld = 0;
}

TEST_F(DropsTest, ControlsOfAnotherModelAreNeitherDroppedNorPasted) {
    int source = GammaBank("Source");
    SelectPreset(2);
    memset(gSelection.controls, 0, sizeof gSelection.controls);
    gSelection.controls[5] = 1;
    DragControls(source, 2, 5, 0);
    ASSERT_TRUE(SwitchDevice(kBetaPid));
    int beta = NewBank();  // the drag passed over it on its way
    ShowBank(beta);
    const int betaCc = Control(beta, 0, 0).midiCc;
    EXPECT_EQ(DropOnControl(0), 0);
    EXPECT_EQ(Control(beta, 0, 0).midiCc, betaCc);
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_NE(HeadlessLastStatus().find("wrong type of bank"), std::string::npos);

    CopyAndPasteInto(source, &gDeviceView, beta);
    EXPECT_EQ(Control(beta, 0, 0).midiCc, betaCc);
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_NE(HeadlessLastStatus().find("Source"), std::string::npos);
}

TEST_F(DropsTest, ControlsMoveWithinAPresetAndCopyToAnother) {
    int bank = GammaBank("G");
    ShowBank(bank);
    SelectPreset(2);
    memset(gSelection.controls, 0, sizeof gSelection.controls);
    gSelection.controls[0] = 1;
    DragControls(bank, 2, 0, 0);
    EXPECT_EQ(DropOnControl(2), 1);
    EXPECT_EQ(Control(bank, 2, 2).midiCc, 20);  // control 0's
    EXPECT_EQ(Control(bank, 2, 0).midiCc, 22);  // exchanged
    EXPECT_EQ(gSelection.controls[2], 1);
    EXPECT_EQ(gSelection.controls[0], 0);
    EXPECT_EQ(CurrentControl(), 2);
    EXPECT_EQ(gUndo.entries[gUndo.top].scope, UndoScope::Preset);

    // A knob's CC that a button does not take: the wrong type of control, said.
    Control(bank, 2, 0).midiCc = 100;
    memset(gSelection.controls, 0, sizeof gSelection.controls);
    gSelection.controls[0] = 1;
    DragControls(bank, 2, 0, 0);
    EXPECT_EQ(DropOnControl(3), 0);
    EXPECT_EQ(Control(bank, 2, 3).midiCc, 5);
    EXPECT_NE(HeadlessLastStatus().find("It is the wrong type of control."), std::string::npos);
    EXPECT_EQ(gSelection.controls[3], 0);  // the selection stays
    HeadlessMessagesReset();
    gDrag.copyMode = 1;  // a copy the same
    EXPECT_EQ(DropOnControl(3), 0);
    EXPECT_NE(HeadlessLastStatus().find("It is the wrong type of control."), std::string::npos);
    gDrag.copyMode = 0;
    Control(bank, 2, 0).midiCc = 22;

    // Into another preset: a copy, even without Ctrl.
    SelectPreset(5);
    EXPECT_EQ(DropOnControl(1), 1);  // the drag still describes control 0 of preset 2
    EXPECT_EQ(Control(bank, 5, 1).midiCc, 22);
    EXPECT_EQ(Control(bank, 2, 0).midiCc, 22);
}

TEST_F(DropsTest, ADropOntoItsOwnControlOnlySelectsIt) {
    int bank = GammaBank("G");
    SelectPreset(1);
    gSelection.controls[4] = 1;
    gSelection.controls[2] = 1;
    DragControls(bank, 1, 4, 0);
    gDrag.count = 1;  // as if only control 4 had been selected
    EXPECT_EQ(DropOnControl(4), 0);
    EXPECT_EQ(gSelection.controls[4], 1);
    EXPECT_EQ(gSelection.controls[2], 0);
    EXPECT_EQ(gUndo.top, -1);
}

TEST_F(DropsTest, SeveralControlsGoToTheTargetAndTheFollowingOnes) {
    int bank = GammaBank("G");
    SelectPreset(3);
    gSelection.controls[0] = 1;
    gSelection.controls[2] = 1;
    DragControls(bank, 3, 0, 1);
    ASSERT_EQ(gDrag.count, 2);
    EXPECT_EQ(DropOnControl(1), 1);
    // Copied: 0 to 1 and 2 to 2 (the k-th to target + k, gaps closed).
    EXPECT_EQ(Control(bank, 3, 1).midiCc, 30);
    EXPECT_EQ(Control(bank, 3, 2).midiCc, 32);
    EXPECT_EQ(Control(bank, 3, 0).midiCc, 30);

    // Moved one to the right: 1, 2 -> 2, 3 would put a knob's CC 32 on a
    // button (CCs 0-63 accept it) and the displaced button's onto knob 1.
    memset(gSelection.controls, 0, sizeof gSelection.controls);
    gSelection.controls[1] = 1;
    gSelection.controls[2] = 1;
    Control(bank, 3, 1).midiCc = 41;
    DragControls(bank, 3, 1, 0);
    EXPECT_EQ(DropOnControl(2), 1);
    EXPECT_EQ(Control(bank, 3, 2).midiCc, 41);
    EXPECT_EQ(Control(bank, 3, 3).midiCc, 32);
    EXPECT_EQ(Control(bank, 3, 1).midiCc, 6);  // the button's old CC (3 + 3)
}

// Dragged controls that are themselves targets: each lands where it was sent,
// as it was before the drop.
TEST_F(DropsTest, OverlappingControlsAreMovedAndCopiedWhole) {
    int bank = GammaBank("G");
    SelectPreset(3);  // 30 31 32 6 7 35
    gSelection.controls[0] = 1;
    gSelection.controls[1] = 1;
    DragControls(bank, 3, 0, 1);
    EXPECT_EQ(DropOnControl(1), 1);
    EXPECT_EQ(Control(bank, 3, 1).midiCc, 30);
    EXPECT_EQ(Control(bank, 3, 2).midiCc, 31);

    SelectPreset(1);  // 10 11 12 4 5 15
    memset(gSelection.controls, 0, sizeof gSelection.controls);
    gSelection.controls[0] = 1;
    gSelection.controls[3] = 1;
    gSelection.controls[4] = 1;
    DragControls(bank, 1, 0, 0);
    EXPECT_EQ(DropOnControl(1), 1);
    const int moved[] = {11, 10, 4, 5, 12, 15};  // the displaced into the places left
    for (int c = 0; c < 6; c++) EXPECT_EQ(Control(bank, 1, c).midiCc, moved[c]) << c;
    EXPECT_EQ(gSelection.controls[1] + gSelection.controls[2] + gSelection.controls[3], 3);
    EXPECT_EQ(gSelection.controls[0] + gSelection.controls[4], 0);
}

TEST_F(DropsTest, ControlsOfTheWrongLibraryTypeAreNotDropped) {
    AddLibrary("Knobs only", 5, kLibrarySourceLibrary, 0, 2, "knob");
    int bank = GammaBank("G");
    SelectPreset(0);
    Control(bank, 0, 0).origin = 5 * 65536 + 1;  // from a knob-only library
    gSelection.controls[0] = 1;
    DragControls(bank, 0, 0, 1);
    EXPECT_EQ(DropOnControl(5), 0);  // onto the slider
    EXPECT_EQ(Control(bank, 0, 5).midiCc, 5);
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_NE(HeadlessLastStatus().find("Knob 1"), std::string::npos);
    EXPECT_NE(HeadlessLastStatus().find("Slider"), std::string::npos);
    // Onto another knob it fits.
    EXPECT_EQ(DropOnControl(1), 1);
    EXPECT_EQ(Control(bank, 0, 1).origin, 5 * 65536 + 1);

    // Both ways: moving the slider onto knob 1 would send knob 1's
    // knob-only assignment to the slider.
    memset(gSelection.controls, 0, sizeof gSelection.controls);
    gSelection.controls[5] = 1;
    DragControls(bank, 0, 5, 0);
    EXPECT_EQ(DropOnControl(0), 0);
    EXPECT_EQ(Control(bank, 0, 5).midiCc, 5);
}

TEST_F(DropsTest, ALibraryControlIsAppliedAsOneLibraryAssignment) {
    int lib = AddLibrary("Buttons", 6, kLibrarySourceLibrary, 0, 50, "button");
    int bank = GammaBank("G");
    SelectPreset(4);
    gLibraryList.current = lib;
    Press(gLibraryControlsPane, 2);
    StartDrag();
    EndDrag();
    // A knob is the wrong type: message 54, no undo step.
    EXPECT_EQ(DropOnControl(0), 0);
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_NE(HeadlessLastStatus().find("L2"), std::string::npos);
    // A button takes it.
    EXPECT_EQ(DropOnControl(3), 1);
    EXPECT_EQ(Control(bank, 4, 3).midiCc, 22);
    EXPECT_EQ(Control(bank, 4, 3).origin, 6 * 65536 + 2);
    EXPECT_EQ(gUndo.top, 0);
    EXPECT_EQ(gUndo.entries[0].kind, UndoKind::LibraryAssignment);
    EXPECT_EQ(CurrentControl(), 3);
    EXPECT_EQ(gSelection.controls[3], 1);
    EXPECT_EQ(gLibraryControlsPane.current, 2);  // the library follows

    // A MIDICC the button does not take (70 > 63): message 39, no step.
    gLibraryControlsPane.current = 0;
    gDrag.sourceControl = 50 - 1;  // "midicc=69"
    EXPECT_EQ(DropOnControl(4), 0);
    EXPECT_EQ(gUndo.top, 0);

    // Values a preset cannot hold, and a library of another model: no step.
    CopyText(gLibraryList.entries[lib].data->controls[5].control, "midicc=22 channel=99");
    gDrag.sourceControl = 5;
    EXPECT_EQ(DropOnControl(4), 0);
    EXPECT_EQ(gUndo.top, 0);
    gDrag.sourceControl = 1;
    gLibraryList.entries[lib].data->pid = 4242;
    EXPECT_EQ(DropOnControl(4), 0);
    EXPECT_EQ(gUndo.top, 0);
    EXPECT_EQ(HeadlessLastStatus(),
              "Buttons was made for another device model, so its controls cannot be used here");
    gLibraryList.entries[lib].data->pid = 0;

    // Onto one of several selected controls, as a press there: the selection stays.
    gSelection.controls[4] = gSelection.controls[5] = 1;
    EXPECT_EQ(DropOnControl(4), 1);
    EXPECT_EQ(gSelection.controls[3] + gSelection.controls[4] + gSelection.controls[5], 3);
    Undo();

    // A read-only bank: no step either.
    gDrag.sourceControl = 1;
    gBanks.entries[bank].data->readOnly = 1;
    EXPECT_EQ(DropOnControl(4), 0);
    EXPECT_EQ(gUndo.current, 0);
}
