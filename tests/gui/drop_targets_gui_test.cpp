// Drops onto the places that take them, through the real windows: a user
// bank dragged onto the simulated device's bank (copied and sent), two
// presets dragged onto another bank's row (placed, and undone), a library
// control dropped onto a row of the list view (named in its "Parameter" cell),
// and a rubber band held past the edge of a sideways-scrolled picture.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "banks/bank_model.h"
#include "base/messages.h"
#include "devices/control_library.h"
#include "devices/device_definition.h"
#include "views/drag.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "banks/bank_packing.h"
#include "midi/midi_ports.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"
#include "midi/virtual_link.h"
#include "shell/commands.h"
#include "shell/settings.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_document.h"
#include "views/graphic_geometry.h"
#include "views/library_controls_pane.h"
#include "views/list_columns.h"
#include "views/list_rows.h"
#include "views/presets_pane.h"
#include "views/view_state.h"

namespace {

// The demo Meridian 49's product id.
constexpr int32_t kMeridianPid = 2609;

class DropTargetsGui : public ::testing::Test {
  protected:
    void Start(bool virtualDevice, bool widePicture = false) {
        InstallDemoData(folder_);
        if (widePicture) {
            ASSERT_TRUE(WidenMeridianPicture(folder_));
        }
        // A second, empty bank of the Meridian 49, so that presets have
        // somewhere of their own model to go.
        ASSERT_TRUE(WriteEmptyUserBank(folder_, "Spare Meridian", kMeridianPid));
        if (virtualDevice) {
            SetVirtualPortsRequested(1);
            VirtualLinkSetMemoryPath(folder_.path("Virtual Device.bin").c_str());
            virtual_ = true;
        }
        RunningProgram::boxes.clear();
        program_ = new RunningProgram(folder_);
        ASSERT_EQ(program_->result(), StartUpResult::kRunning);
        main_ = program_->main();
        PumpMessages(50);
        user_ = BankNamed("My Meridian Setups");
        spare_ = BankNamed("Spare Meridian");
        ASSERT_GE(user_, 0);
        ASSERT_GE(spare_, 0);
    }
    void TearDown() override {
        gViewMode = ViewMode::kGraphic;
        delete program_;
        RunningProgram::boxes.clear();
        if (virtual_) SetVirtualPortsRequested(0);
    }

    void ExpectPointerReleased() {
        EXPECT_EQ(gDrag.dragging, 0);
        EXPECT_EQ(gDrag.confined, 0);
        EXPECT_EQ(GetClassLongPtrA(main_, GCLP_HCURSOR),
                  reinterpret_cast<ULONG_PTR>(LoadCursor(nullptr, IDC_ARROW)));
    }

    TempProgramFolder folder_;
    RunningProgram* program_ = nullptr;
    HWND main_ = nullptr;
    bool virtual_ = false;
    int user_ = -1;
    int spare_ = -1;
};

TEST_F(DropTargetsGui, AUserBankDroppedOntoTheDeviceBankIsCopiedAndSent) {
    Start(true);
    const int device = FindDeviceBank();
    ASSERT_GE(device, 0);
    ASSERT_NE(device, user_);
    ClickBankRow(main_, user_);
    ASSERT_STREQ(gDevice.name, "Corvanith Meridian 49");
    const int count = gDevice.presetCount;
    ASSERT_GT(count, 0);
    std::vector<std::string> source = PresetNames(user_, count);
    ASSERT_NE(PresetNames(device, count), source);

    gAskBeforeBankSend = 0;  // the question before the send has a test of its own
    const int before = DeviceMessagesReceived();
    ASSERT_GE(before, 0);
    strcpy(gPopupText, "");
    int x = gDevicesPane.rect.x + 60;
    LeftPress(main_, x, RowMiddle(gDevicesPane, user_));
    LeftDragTo(main_, x, RowMiddle(gDevicesPane, user_) + 8);
    LeftDragTo(main_, x, RowMiddle(gDevicesPane, device));
    ASSERT_EQ(gDrag.dragging, 1);
    LeftRelease(main_, x, RowMiddle(gDevicesPane, device));
    ExpectPointerReleased();

    EXPECT_EQ(gBanks.current, device);
    EXPECT_EQ(PresetNames(device, count), source);
    EXPECT_STREQ(gPopupText, "SysEx Sent");
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    EXPECT_EQ(DeviceMessagesReceived() - before, count * 18);
    // What reached the device is the user bank's presets.
    auto memory = DeviceMemory();
    const BankData* data = BankDataAt(user_);
    for (int p = 0; p < count; p++) {
        for (int c = 0; c < gDevice.controlCount; c++) {
            ASSERT_EQ(memory->presets[p].controls[c].midiCc, data->presets[p].controls[c].midiCc)
                << "preset " << p << " control " << c;
            ASSERT_EQ(memory->presets[p].controls[c].channel, data->presets[p].controls[c].channel)
                << "preset " << p << " control " << c;
        }
    }
}

TEST_F(DropTargetsGui, TwoPresetsDroppedOntoAnotherBanksRowAreUndone) {
    Start(false);
    ClickBankRow(main_, user_);
    ASSERT_EQ(gBanks.current, user_);
    std::vector<std::string> source = PresetNames(user_);
    std::vector<std::string> spareBefore = PresetNames(spare_);
    ASSERT_NE(source[1], spareBefore[1]);
    ASSERT_NE(source[2], spareBefore[2]);

    // Presets 1 and 2 selected: a click, then a Shift click.
    int px = gPresetsPane.rect.x + 60;
    LeftPress(main_, px, RowMiddle(gPresetsPane, 1));
    LeftRelease(main_, px, RowMiddle(gPresetsPane, 1));
    SetKeyHeld(VK_SHIFT, true);
    LeftPress(main_, px, RowMiddle(gPresetsPane, 2), MK_SHIFT);
    LeftRelease(main_, px, RowMiddle(gPresetsPane, 2), MK_SHIFT);
    SetKeyHeld(VK_SHIFT, false);
    ASSERT_EQ(gSelection.presets[1], 1);
    ASSERT_EQ(gSelection.presets[2], 1);
    ASSERT_EQ(gSelection.presets[0], 0);
    ASSERT_EQ(gSelection.presets[3], 0);

    int x = gDevicesPane.rect.x + 60;
    LeftPress(main_, px, RowMiddle(gPresetsPane, 1));
    LeftDragTo(main_, px, RowMiddle(gPresetsPane, 3));
    LeftDragTo(main_, x, RowMiddle(gDevicesPane, spare_));
    ASSERT_EQ(gDrag.dragging, 1);
    LeftRelease(main_, x, RowMiddle(gDevicesPane, spare_));
    ExpectPointerReleased();

    // Placed where they were in their own bank; the rest of the bank and the
    // source untouched.
    std::vector<std::string> after = PresetNames(spare_);
    EXPECT_EQ(after[1], source[1]);
    EXPECT_EQ(after[2], source[2]);
    for (int i = 0; i < kMaxPresets; i++) {
        if (i == 1 || i == 2) continue;
        EXPECT_EQ(after[i], spareBefore[i]) << i;
    }
    EXPECT_EQ(PresetNames(user_), source);
    EXPECT_GT(gBanks.entries[spare_].changeCount, 0);

    Command(main_, kCmdUndo);
    EXPECT_EQ(PresetNames(spare_), spareBefore);
    EXPECT_EQ(PresetNames(user_), source);
}

int ColumnOf(int kind) {
    for (int i = 0; i < kColumnCount; ++i)
        if (ListColumns[i].kind == kind && ListColumns[i].visible) return i;
    return -1;
}

std::string ParameterCell(int control) {
    int column = ColumnOf(kColumnParameter);
    if (column < 0) return "<no Parameter column>";
    char text[256];
    ListCellText(ListColumns[column], control, text, sizeof text);
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(DropTargetsGui, ALibraryControlDroppedOntoAListRowNamesItsParameter) {
    Start(false);
    ClickBankRow(main_, user_);
    Command(main_, kCmdListView);
    ASSERT_EQ(gViewMode, ViewMode::kList);
    ASSERT_GE(ColumnOf(kColumnParameter), 0);
    Command(main_, kCmdLibraryWindow);
    HWND library = program_->library();
    ASSERT_TRUE(IsWindowVisible(library));
    const LibraryData* listed = CurrentListedLibrary();
    ASSERT_NE(listed, nullptr);
    ASSERT_GT(listed->controlCount, 0);
    const std::string name = listed->controls[0].name;
    ASSERT_FALSE(name.empty());

    const PresetRecord* preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    std::vector<PresetControl> before(preset->controls, preset->controls + gDevice.controlCount);
    int x = gLibraryControlsPane.rect.x + 60;
    int y = RowMiddle(gLibraryControlsPane, 0);
    int shown = ListVisibleRows(gDeviceView, gDevice.controlCount);
    int nameColumn = ColumnOf(kColumnName);
    ASSERT_GE(nameColumn, 0);
    // The first shown row whose control takes the library control (other
    // types refuse it).
    int assigned = -1;
    for (int row = 0; row < shown && assigned < 0; row++) {
        int target = row + gDeviceView.vertical.position;
        if (EndsWith(ParameterCell(target), name)) continue;
        POINT p = ListCellPoint(nameColumn, row);
        SendMouse(library, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
        SendMouse(library, WM_MOUSEMOVE, MK_LBUTTON, At(x + 8, y + 8));
        ASSERT_EQ(gDrag.dragging, 1);
        SendMouse(main_, WM_MOUSEMOVE, MK_LBUTTON, At(p.x, p.y));
        SendMouse(main_, WM_LBUTTONUP, 0, At(p.x, p.y));
        PumpMessages(20);
        ExpectPointerReleased();
        preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
        if (preset->controls[target].origin != before[target].origin) assigned = target;
    }
    ASSERT_GE(assigned, 0);
    EXPECT_EQ(preset->controls[assigned].origin, listed->uniqueId * 65536);
    std::string cell = ParameterCell(assigned);
    EXPECT_TRUE(EndsWith(cell, name)) << cell << " / " << name;
    for (int i = 0; i < gDevice.controlCount; i++) {
        if (i == assigned) continue;
        EXPECT_EQ(preset->controls[i].origin, before[i].origin) << i;
    }
    RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(10);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("drop_targets_list.png")));
}

TEST_F(DropTargetsGui, ARubberBandHeldPastTheRightEdgeScrollsAndSelectsBeyondThePage) {
    Start(false, true);
    ClickBankRow(main_, user_);
    ASSERT_EQ(gDevice.bounds[2], 1400);
    ASSERT_TRUE(gDocument.hasPictures);
    ASSERT_GT(gDeviceView.horizontal.total, gDeviceView.horizontal.page);
    ASSERT_EQ(gDeviceView.horizontal.position, 0);
    const PaneRect r = gDeviceView.rect;
    // The picture's right edge on the first page, in picture coordinates.
    int pageRight = 0;
    int unused = 0;
    PanePointToPicture(gDocument, 0, r.width - 1, 0, &pageRight, &unused);
    int beyond = 0;
    for (int c = 0; c < gDevice.controlCount; c++) {
        if (gDocument.controls[c].zone == 0 && gDocument.controls[c].overlayRect.left > pageRight)
            beyond++;
    }
    ASSERT_GT(beyond, 0) << "every control fits on the first page";

    // From the empty top-left corner to past the right edge, low enough to
    // enclose whole controls.
    int startX = r.x + 2;
    int startY = r.y + 2;
    ASSERT_LT(DeviceViewControlAt(startX, startY), 0);
    int endX = r.x + r.width + 30;
    int endY = r.y + DeviceViewPictureHeight() - 3;
    LeftPress(main_, startX, startY);
    ASSERT_EQ(gRubberBand.active, 1);
    LeftDragTo(main_, r.x + r.width / 2, endY);
    LeftDragTo(main_, endX, endY);
    // The tick reads the pointer itself, so the pointer goes there too.
    PointerTo(main_, endX, endY);
    Tick(main_, kDragTimer, 6);
    PumpMessages(10);
    int scrolled = gDeviceView.horizontal.position;
    EXPECT_GT(scrolled, 0);
    LeftRelease(main_, endX, endY);
    EXPECT_EQ(gRubberBand.active, 0);
    EXPECT_EQ(gDrag.confined, 0);

    // Selected: controls past the first page, and still the ones near the
    // start the band kept its anchor on.
    int selectedBeyond = 0;
    int selectedFirstPage = 0;
    for (int c = 0; c < gDevice.controlCount; c++) {
        if (!gSelection.controls[c]) continue;
        if (gDocument.controls[c].overlayRect.right > pageRight) selectedBeyond++;
        if (gDocument.controls[c].overlayRect.right <= pageRight) selectedFirstPage++;
    }
    EXPECT_GT(selectedBeyond, 0);
    EXPECT_GT(selectedFirstPage, 0);
    WriteWindowPng(main_, ScreenshotPath("drop_targets_band_scrolled.png"));
}

TEST_F(DropTargetsGui, PresetsOfAnotherModelAreRefusedByABanksRow) {
    Start(false);
    int sprite = BankNamed("My Sprite Kits");
    ASSERT_GE(sprite, 0);
    ClickBankRow(main_, sprite);
    ASSERT_EQ(gBanks.current, sprite);
    std::vector<std::string> meridianBefore = PresetNames(user_);
    std::vector<std::string> spriteBefore = PresetNames(sprite);
    ClearStatus();
    int px = gPresetsPane.rect.x + 60;
    int x = gDevicesPane.rect.x + 60;
    LeftPress(main_, px, RowMiddle(gPresetsPane, 0));
    LeftDragTo(main_, px, RowMiddle(gPresetsPane, 2));
    LeftDragTo(main_, x, RowMiddle(gDevicesPane, user_));
    LeftRelease(main_, x, RowMiddle(gDevicesPane, user_));
    ExpectPointerReleased();
    EXPECT_EQ(PresetNames(user_), meridianBefore);
    EXPECT_EQ(PresetNames(sprite), spriteBefore);
    EXPECT_EQ(gBanks.entries[user_].changeCount, 0);
    EXPECT_EQ(gStatusShown, 1);
}

}  // namespace
