// The four list panes: row geometry, choosing banks and presets with the
// mouse and the keys, the icon rule, the libraries listed, and the library
// window following the current control.
#include <gtest/gtest.h>

#include "views/in_place_edit.h"
#include "views/in_place_edit_platform.h"
#include "views/pane_scroll.h"
#include "views/renamer.h"
#include "headless/in_place_edit_headless.h"
#include "tests/views/lists_pane_fixture.h"

using ListPanesTest = ListsTest;

TEST_F(ListPanesTest, RowsFitTheirPaneAndPointsFindTheirRow) {
    // The devices list (134 high) shows 10 rows, the presets list 18.
    EXPECT_EQ(ListRowCapacity(gDevicesPane), 10);
    EXPECT_EQ(ListRowCapacity(gPresetsPane), 18);
    const PaneRect& r = gDevicesPane.rect;
    EXPECT_EQ(ListRowAt(gDevicesPane, r.x + 20, r.y + 1), -1);  // above the first row
    EXPECT_EQ(ListRowAt(gDevicesPane, r.x + 20, r.y + 2), 0);
    EXPECT_EQ(ListRowAt(gDevicesPane, r.x + 20, r.y + 2 + 13), 1);
    EXPECT_EQ(ListRowAt(gDevicesPane, r.x - 1, r.y + 20), -1);
    EXPECT_EQ(ListRowAt(gDevicesPane, r.x + r.width, r.y + 20), -1);
    EXPECT_EQ(ListRowAt(gDevicesPane, r.x + 20, r.y + r.height - 2), -1);
    gDevicesPane.vertical.position = 4;
    EXPECT_EQ(ListRowAt(gDevicesPane, r.x + 20, r.y + 2 + 13), 5);
    EXPECT_EQ(ListRowsShown(gDevicesPane, 12), 8);
}

TEST_F(ListPanesTest, ScrollingIntoViewMovesOnlyWhenTheRowIsHidden) {
    EXPECT_EQ(ScrollRowIntoView(5, 10, 40, 7), 5);    // shown: stays
    EXPECT_EQ(ScrollRowIntoView(5, 10, 40, 2), 2);    // above: becomes the top
    EXPECT_EQ(ScrollRowIntoView(5, 10, 40, 20), 20);  // below: becomes the top
    EXPECT_EQ(ScrollRowIntoView(5, 10, 40, 35), 30);  // near the end: the last page
    EXPECT_EQ(ScrollRowIntoView(0, 10, 4, 3), 0);     // everything fits
}

TEST_F(ListPanesTest, PressOnABankSelectsItAndLoadsItsDevice) {
    int gamma = GammaBank("G");
    int other = GammaBank("G2");
    ASSERT_TRUE(SwitchDevice(kBetaPid));
    int beta = NewBank();
    gDocument.currentZone = 3;
    gPresetsPane.vertical.position = 2;

    EXPECT_EQ(Press(gDevicesPane, gamma), kMouseHandled);
    EXPECT_EQ(gBanks.current, gamma);
    EXPECT_EQ(gDevice.pid, kGammaPid);
    EXPECT_EQ(gFocusPane, &gDevicesPane);
    EXPECT_EQ(SelectedPresets(), 1);
    EXPECT_EQ(gSelection.presets[gBanks.currentPreset], 1);
    EXPECT_EQ(gSelection.controls[0], 1);
    EXPECT_EQ(CurrentControl(), 0);
    EXPECT_EQ(gDocument.currentZone, 0);
    EXPECT_EQ(gPresetsPane.vertical.position, 0);
    EXPECT_EQ(gDrag.armed, 1);
    EXPECT_EQ(gDrag.sourceBank, gamma);

    // Another bank of the same device keeps the current preset, alone
    // selected, with control 0 current.
    gBanks.currentPreset = 5;
    gSelection.presets[2] = 1;
    SetCurrentControl(3);
    gDrag = DragState();
    Press(gDevicesPane, other);
    EXPECT_EQ(gBanks.currentPreset, 5);
    EXPECT_EQ(SelectedPresets(), 1);
    EXPECT_EQ(gSelection.presets[5], 1);
    EXPECT_EQ(CurrentControl(), 0);
    // The bank current already is selected afresh as well.
    gSelection.presets[2] = 1;
    SetCurrentControl(3);
    gDocument.currentZone = 2;
    gDrag = DragState();
    Press(gDevicesPane, other);
    EXPECT_EQ(SelectedPresets(), 1);
    EXPECT_EQ(gSelection.presets[5], 1);
    EXPECT_EQ(CurrentControl(), 0);
    EXPECT_EQ(gDocument.currentZone, 0);
    // Beta has two presets: preset 5 becomes 0.
    gDrag = DragState();
    Press(gDevicesPane, beta);
    EXPECT_EQ(gDevice.pid, kBetaPid);
    EXPECT_EQ(gBanks.currentPreset, 0);
    // Rows past the last bank do nothing.
    gDrag = DragState();
    Press(gDevicesPane, 5);
    EXPECT_EQ(gBanks.current, beta);
    EXPECT_EQ(gDrag.armed, 0);
    // A bank of another model with room for it keeps the current preset.
    SelectPreset(1);
    Press(gDevicesPane, gamma);
    EXPECT_EQ(gDevice.pid, kGammaPid);
    EXPECT_EQ(gBanks.currentPreset, 1);
    EXPECT_EQ(gSelection.presets[1], 1);
    EXPECT_EQ(SelectedPresets(), 1);

    // A new bank opens at the top of the list view too.
    gDeviceView.vertical.position = 4;
    JoinNewUserBank();
    EXPECT_EQ(gDeviceView.vertical.position, 0);
}

TEST_F(ListPanesTest, UndoKeepsTheUsersPlace) {
    int bank = GammaBank("G");
    ShowOtherBank(bank);
    SelectPreset(5);
    SetCurrentControl(3);
    memset(gSelection.controls, 0, sizeof gSelection.controls);
    gSelection.controls[3] = gSelection.controls[4] = 1;
    gPresetsPane.vertical.position = 2;
    gDeviceView.vertical.position = 1;
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, bank, 5);
    Control(bank, 5, 3).midiCc = 99;

    JoinUndo();
    EXPECT_EQ(Control(bank, 5, 3).midiCc, 8);
    EXPECT_EQ(gBanks.currentPreset, 5);
    EXPECT_EQ(CurrentControl(), 3);
    EXPECT_EQ(gSelection.controls[3] + gSelection.controls[4], 2);
    EXPECT_EQ(gPresetsPane.vertical.position, 2);
    EXPECT_EQ(gDeviceView.vertical.position, 1);

    // A step that takes the shown bank away shows the bank in its place afresh.
    JoinNewUserBank();
    SetCurrentControl(4);
    JoinUndo();
    EXPECT_EQ(gBanks.current, bank);
    EXPECT_EQ(CurrentControl(), 0);
}

TEST_F(ListPanesTest, ABankRowShowsItsFilesNameNotTheNameInsideTheFile) {
    // Two copies of one bank file hold the same name inside: the rows, like
    // the title and the questions at Quit, name the files.
    int copy = GammaBank("Gig backup");
    CopyText(gBanks.entries[copy].data->name, "Gig");
    EXPECT_STREQ(BankRowName(copy), "Gig backup");
    gBanks.entries[copy].displayName[0] = '\0';
    EXPECT_STREQ(BankRowName(copy), "Gig");
}

TEST_F(ListPanesTest, TheIconMakesADeviceBankActiveAndIsIgnoredElsewhere) {
    int user = GammaBank("User");
    int first = GammaBank("Device 1");
    int device = GammaBank("Device 2");
    gBanks.entries[first].kind = BankKind::Device;
    gBanks.entries[device].kind = BankKind::Device;
    gBanks.deviceBank = first;
    // Looking at another device bank of the model does not make it the one
    // Upload and Download talk to.
    ShowOtherBank(device);
    EXPECT_EQ(gBanks.deviceBank, first);
    ShowOtherBank(user);
    gBanks.currentPreset = 3;
    int iconX = gDevicesPane.rect.x + 5;

    gDevicesPane.Mouse(FakeMainWindow(), iconX, RowY(gDevicesPane, user), kLeftDown, 0);
    EXPECT_EQ(gBanks.current, user);
    EXPECT_EQ(gDrag.armed, 0);
    EXPECT_EQ(BankRowIcon(user), 2);
    EXPECT_EQ(BankRowIcon(first), 1);
    EXPECT_EQ(BankRowIcon(device), 0);

    gDevicesPane.Mouse(FakeMainWindow(), iconX, RowY(gDevicesPane, device), kLeftDown, 0);
    EXPECT_EQ(gBanks.current, device);
    EXPECT_EQ(gBanks.deviceBank, device);
    EXPECT_EQ(gBanks.currentPreset, 0);
    EXPECT_EQ(gDrag.armed, 0);
    EXPECT_EQ(BankRowIcon(device), 1);
    EXPECT_EQ(BankRowIcon(first), 0);

    // The active device bank's icon does nothing more.
    ShowBank(user);
    gDevicesPane.Mouse(FakeMainWindow(), iconX, RowY(gDevicesPane, device), kLeftDown, 0);
    EXPECT_EQ(gBanks.current, user);
}

TEST_F(ListPanesTest, PresetClicksSelectWithShiftAndControl) {
    GammaBank("G");
    Press(gPresetsPane, 2);
    Release(gPresetsPane, 2);
    EXPECT_EQ(gBanks.currentPreset, 2);
    EXPECT_EQ(SelectedPresets(), 1);
    EXPECT_EQ(gFocusPane, &gPresetsPane);

    Press(gPresetsPane, 5, kKeyFlagShift);
    Release(gPresetsPane, 5, kKeyFlagShift);
    EXPECT_EQ(SelectedPresets(), 4);  // 2..5
    EXPECT_EQ(gSelection.presets[5], 1);
    EXPECT_EQ(gBanks.currentPreset, 5);

    // Ctrl toggles on the release; a plain press on a selected preset keeps
    // the selection until the release.
    Press(gPresetsPane, 3, kKeyFlagControl);
    EXPECT_EQ(gSelection.presets[3], 1);
    Release(gPresetsPane, 3, kKeyFlagControl);
    EXPECT_EQ(gSelection.presets[3], 0);
    Press(gPresetsPane, 4);
    EXPECT_EQ(SelectedPresets(), 3);
    Release(gPresetsPane, 4);
    EXPECT_EQ(SelectedPresets(), 1);
    EXPECT_EQ(gSelection.presets[4], 1);

    // Rows past the device's 16 presets are ignored (row 17 is shown).
    Press(gPresetsPane, 17);
    Release(gPresetsPane, 17);
    EXPECT_EQ(gBanks.currentPreset, 4);
    EXPECT_EQ(gSelection.presets[17], 0);
}

TEST_F(ListPanesTest, UpAndDownMoveTheFocusPanesRowAndScroll) {
    for (int i = 0; i < 12; i++) GammaBank(("B" + std::to_string(i)).c_str());
    EXPECT_EQ(PaneKeyDown(kVkDown), 0);  // no focus pane yet
    Press(gDevicesPane, 8);
    Release(gDevicesPane, 8);
    EXPECT_EQ(PaneKeyDown(kVkDown), 1);
    EXPECT_EQ(gBanks.current, 9);
    EXPECT_EQ(gDevicesPane.vertical.position, 0);
    PaneKeyDown(kVkDown);
    EXPECT_EQ(gBanks.current, 10);
    EXPECT_EQ(gDevicesPane.vertical.position, 1);  // one line down
    PaneKeyDown(kVkDown);
    PaneKeyDown(kVkDown);  // already the last bank
    EXPECT_EQ(gBanks.current, 11);
    EXPECT_EQ(gDevicesPane.vertical.position, 2);

    Press(gPresetsPane, 0);
    Release(gPresetsPane, 0);
    EXPECT_EQ(PaneKeyDown(kVkUp), 1);  // at the top: stays
    EXPECT_EQ(gBanks.currentPreset, 0);
    PaneKeyDown(kVkDown);
    EXPECT_EQ(gBanks.currentPreset, 1);
    EXPECT_EQ(SelectedPresets(), 1);
    EXPECT_EQ(gSelection.presets[1], 1);

    // With Shift recorded from the last press, the keys extend the range.
    Press(gPresetsPane, 2, kKeyFlagShift);
    Release(gPresetsPane, 2, kKeyFlagShift);
    PaneKeyDown(kVkDown);
    EXPECT_EQ(SelectedPresets(), 3);  // 1, 2, 3
    EXPECT_EQ(gBanks.currentPreset, 3);
    EXPECT_EQ(PaneKeyDown(0x41), 0);  // other keys are not the panes'
}

TEST_F(ListPanesTest, DownInTheDeviceViewMovesTheCurrentControl) {
    GammaBank("G");
    SetFocusPane(&gDeviceView, 0);
    SetCurrentControl(4);
    PaneKeyDown(kVkDown);
    EXPECT_EQ(CurrentControl(), 5);
    EXPECT_EQ(gSelection.controls[5], 1);
    EXPECT_EQ(gSelection.controls[4], 0);
    PaneKeyDown(kVkDown);  // 6 controls: 5 is the last
    EXPECT_EQ(CurrentControl(), 5);
    EXPECT_EQ(gDeviceView.scrollIntoView, 1);
}

TEST_F(ListPanesTest, DeviceLibrariesAreListedOnlyWithTheirDeviceBankOpen) {
    int shared = AddLibrary("Synths", 7, kLibrarySourceLibrary, 0, 3);
    int own = AddLibrary("Gamma own", 8, kLibrarySourceDevices, kGammaPid, 2);
    int user = GammaBank("G");
    EXPECT_EQ(LibraryFilesRowCount(), 1);
    EXPECT_EQ(LibraryFilesRowOf(own), -1);
    int device = GammaBank("Device");
    gBanks.entries[device].kind = BankKind::Device;
    gBanks.entries[device].pid = kGammaPid;
    ASSERT_EQ(FindDeviceBankByPid(kGammaPid), device);
    EXPECT_EQ(LibraryFilesRowCount(), 2);
    EXPECT_EQ(LibraryFilesEntryAt(1), own);
    EXPECT_EQ(LibraryFilesRowOf(shared), 0);

    // A press on the listed row makes that library current, the controls
    // list back to its first row.
    gLibraryControlsPane.current = 1;
    gLibraryControlsPane.vertical.position = 1;
    EXPECT_EQ(Press(gLibraryFilesPane, 1), kMouseHandled);
    EXPECT_EQ(gLibraryList.current, own);
    EXPECT_EQ(gLibraryFilesPane.current, 1);
    EXPECT_EQ(gLibraryControlsPane.current, 0);
    EXPECT_EQ(gLibraryControlsPane.vertical.position, 0);
    EXPECT_EQ(CurrentListedLibrary(), gLibraryList.entries[own].data);

    RemoveBank(device);
    EXPECT_EQ(LibraryFilesRowCount(), 1);
    EXPECT_EQ(CurrentListedLibrary(), nullptr);

    // When a device bank goes, the window is drawn again and the current
    // library keeps its own row, not the one it had.
    const int last = AddLibrary("Zzz", 10, kLibrarySourceLibrary, 0, 1);
    device = GammaBank("Device again");
    gBanks.entries[device].kind = BankKind::Device;
    gBanks.entries[device].pid = kGammaPid;
    ASSERT_EQ(LibraryFilesRowOf(last), 2);
    gLibraryList.current = last;
    gLibraryFilesPane.current = 2;
    RemoveBank(device);
    HeadlessView().invalidatedPanes.clear();
    ShowBank(user);
    EXPECT_EQ(gLibraryFilesPane.current, 1);
    const std::vector<const Pane*>& drawn = HeadlessView().invalidatedPanes;
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), &gLibraryFilesPane), drawn.end());

    // A current library no longer listed (its device has gone, or it was merely found first
    // at start-up) gives way to the first one listed.
    gLibraryList.current = own;
    ShowBank(user);
    EXPECT_EQ(gLibraryList.current, LibraryFilesEntryAt(0));
    EXPECT_EQ(gLibraryFilesPane.current, 0);
}

TEST_F(ListPanesTest, TheLibraryFollowsTheCurrentControlsOrigin) {
    AddLibrary("Synths", 7, kLibrarySourceLibrary, 0, 3);
    int pads = AddLibrary("Pads", 9, kLibrarySourceLibrary, 0, 40);
    int bank = GammaBank("G");
    Control(bank, 2, 1).origin = 9 * 65536 + 30;
    gLibraryList.current = 0;
    SetCurrentControl(1);
    SelectPreset(2);
    EXPECT_EQ(gLibraryList.current, pads);
    EXPECT_EQ(gLibraryFilesPane.current, 1);
    EXPECT_EQ(gLibraryControlsPane.current, 30);
    // 264 high: 20 rows shown; row 30 of 40 brought into view.
    EXPECT_GT(gLibraryControlsPane.vertical.position, 10);
    EXPECT_LE(gLibraryControlsPane.vertical.position, 30);

    // No origin: the library window stays where it is.
    gLibraryList.current = 0;
    SelectPreset(3);
    EXPECT_EQ(gLibraryList.current, 0);

    // An origin in a device's library that the window does not list (no
    // bank of that device is open): the window stays too.
    AddLibrary("Other Numbers", 11, kLibrarySourceDevices, 4242, 3);
    Control(bank, 4, 1).origin = 11 * 65536 + 2;
    SelectPreset(4);
    EXPECT_EQ(gLibraryList.current, 0);
}

TEST_F(ListPanesTest, DraggingOverAnotherPaneMakesTheRowUnderThePointerCurrent) {
    int a = GammaBank("A");
    int b = GammaBank("B");
    ShowBank(a);
    Press(gPresetsPane, 1);
    StartDrag();
    ASSERT_EQ(gDrag.dragging, 1);
    MoveOver(gDevicesPane, b);
    EXPECT_EQ(gBanks.current, b);
    // Moving over the pane the drag came from does not choose.
    MoveOver(gPresetsPane, 6);
    EXPECT_EQ(gBanks.currentPreset, 1);
    EndDrag();
    // Without a drag, moves choose nothing.
    MoveOver(gDevicesPane, a);
    EXPECT_EQ(gBanks.current, b);

    // A library control held over a preset chooses it as a click would: the
    // list highlights the preset the drop will go into.
    int lib = AddLibrary("Synths", 7, kLibrarySourceLibrary, 0, 3);
    gLibraryList.current = lib;
    Press(gLibraryControlsPane, 0);
    StartDrag();
    MoveOver(gPresetsPane, 4);
    EXPECT_EQ(gBanks.currentPreset, 4);
    EXPECT_EQ(gSelection.presets[4], 1);
    EXPECT_EQ(gSelection.presets[1], 0);
    EndDrag();
}

TEST_F(ListPanesTest, LibraryControlsArmADragFromTheOtherWindow) {
    int lib = AddLibrary("Synths", 7, kLibrarySourceLibrary, 0, 3);
    gLibraryList.current = lib;
    EXPECT_EQ(Press(gLibraryControlsPane, 2), kMouseHandled);
    EXPECT_EQ(gLibraryControlsPane.current, 2);
    EXPECT_EQ(gDrag.armed, 1);
    EXPECT_EQ(gDrag.fromOtherWindow, 1);
    EXPECT_EQ(gDrag.sourceBank, lib);
    EXPECT_EQ(gDrag.sourceControl, 2);
    // Past the library's controls nothing is armed.
    gDrag = DragState();
    Press(gLibraryControlsPane, 3);
    EXPECT_EQ(gDrag.armed, 0);
    EXPECT_EQ(gLibraryControlsPane.current, 2);
    // A right press in the files list is taken and does nothing.
    EXPECT_EQ(gLibraryFilesPane.Mouse(FakeLibraryWindow(), NameX(gLibraryFilesPane),
                                      RowY(gLibraryFilesPane, 0), kRightDown, 0),
              kMouseHandled);
}

// Renaming from the lists: a double click or Enter opens the renamer over
// the current row when its bank may be renamed or changed.
class ListRenameTest : public ListsTest {
  protected:
    void SetUp() override {
        ListsTest::SetUp();
        HeadlessEditorsReset();
    }
    void TearDown() override {
        CloseInPlaceEditors();
        ListsTest::TearDown();
    }
    static HeadlessEditControl& Renamer() { return HeadlessEditor(kRenamerControlId); }
    static void Type(const char* text) {
        std::strcpy(Renamer().text, text);
        InPlaceEditEnter(kRenamerControlId);
        InPlaceEditClosed(kRenamerControlId);
    }
    static void DoubleClick(Pane& pane, int row) {
        Press(pane, row);
        Release(pane, row);
        pane.Mouse(pane.window, NameX(pane), RowY(pane, row), kLeftDoubleClick, 0);
    }
};

TEST_F(ListRenameTest, ADoubleClickRenamesAPresetOfAWritableBank) {
    int bank = GammaBank("G");
    DoubleClick(gPresetsPane, 4);
    ASSERT_EQ(Renamer().open, 1);
    EXPECT_EQ(Renamer().parent, FakeMainWindow());
    Type("Lead");
    EXPECT_STREQ(Preset(bank, 4).name, "Lead");
    EXPECT_EQ(gUndo.entries[gUndo.top].kind, UndoKind::Renaming);

    // Read only: neither the double click nor Enter opens it.
    gBanks.entries[bank].data->readOnly = 1;
    DoubleClick(gPresetsPane, 5);
    EXPECT_EQ(Renamer().open, 0);
    EXPECT_EQ(PaneKeyDown(kVkReturn), 1);
    EXPECT_EQ(Renamer().open, 0);
}

// A press elsewhere, or the rows scrolling under the renamer, ends the typing as the user left
// it: taken, for the row it was opened on.
TEST_F(ListRenameTest, APressElsewhereOrAScrollTakesWhatWasTyped) {
    int bank = GammaBank("G");
    DoubleClick(gPresetsPane, 4);
    std::strcpy(Renamer().text, "Lead");
    Press(gPresetsPane, 7);
    EXPECT_EQ(Renamer().open, 0);
    EXPECT_STREQ(Preset(bank, 4).name, "Lead");

    gPresetsPane.vertical.total = 16;
    gPresetsPane.vertical.page = 10;
    DoubleClick(gPresetsPane, 5);
    std::strcpy(Renamer().text, "Pad");
    ScrollPane(gPresetsPane, 1, kScrollLineDown, 0);
    EXPECT_EQ(Renamer().open, 0);
    EXPECT_STREQ(Preset(bank, 5).name, "Pad");
}

TEST_F(ListRenameTest, EnterRenamesOnlyAUserBank) {
    int user = GammaBank("User");
    int device = GammaBank("Device");
    gBanks.entries[device].kind = BankKind::Device;
    Press(gDevicesPane, device);
    Release(gDevicesPane, device);
    PaneKeyDown(kVkReturn);
    EXPECT_EQ(Renamer().opens, 0);
    Press(gDevicesPane, user);
    Release(gDevicesPane, user);
    PaneKeyDown(kVkReturn);
    EXPECT_EQ(Renamer().open, 1);
    EXPECT_EQ(Renamer().opens, 1);
}
