// Drags and drops through the real windows with the demo data: controls
// dragged, Ctrl-copied and undone in the graphic view; presets and
// banks dragged onto places that refuse them (a ROM bank, another device's
// bank, the source itself, no pane at all), a swap undone, and the Edit
// menu's Select All Controls, Copy and Describe Clipboard; three controls
// carried into another preset, and a library drag seen over both windows
// (left as drag_drop_both_windows.png). Whatever a drop
// does, the pointer must come back free: the class cursor the arrow and the
// pointer confinement the whole screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banks/bank_model.h"
#include "base/messages.h"
#include "devices/device_definition.h"
#include "views/drag.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "shell/commands.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_document.h"
#include "views/gdi_resources_win32.h"
#include "views/graphic_geometry.h"
#include "views/library_controls_pane.h"
#include "views/library_files_pane.h"
#include "views/list_rows.h"
#include "views/presets_pane.h"

namespace {

class DragDropGui : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallDemoData(folder_);
        RunningProgram::boxes.clear();
        program_ = new RunningProgram(folder_);
        ASSERT_EQ(program_->result(), StartUpResult::kRunning);
        main_ = program_->main();
        PumpMessages(50);
        rom_ = BankNamed("Meridian Studio");
        user_ = BankNamed("My Meridian Setups");
        other_ = BankNamed("My Sprite Kits");
        ASSERT_GE(rom_, 0);
        ASSERT_GE(user_, 0);
        ASSERT_GE(other_, 0);
    }
    void TearDown() override {
        delete program_;
        RunningProgram::boxes.clear();
    }

    // The pointer is free again: no drag under way, the arrow as the main
    // window's class cursor, the confinement the whole screen.
    void ExpectPointerReleased() {
        EXPECT_EQ(gDrag.dragging, 0);
        EXPECT_EQ(gDrag.confined, 0);
        EXPECT_EQ(GetClassLongPtrA(main_, GCLP_HCURSOR),
                  reinterpret_cast<ULONG_PTR>(LoadCursor(nullptr, IDC_ARROW)));
        RECT clip = {};
        GetClipCursor(&clip);
        EXPECT_EQ(clip.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
        EXPECT_EQ(clip.top, GetSystemMetrics(SM_YVIRTUALSCREEN));
        EXPECT_EQ(clip.right - clip.left, GetSystemMetrics(SM_CXVIRTUALSCREEN));
        EXPECT_EQ(clip.bottom - clip.top, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    }

    // The library window shown beside the main window's right edge, the
    // pair centred on the screen, so that neither covers the other.
    HWND ShowLibraryBesideMain() {
        Command(main_, kCmdLibraryWindow);
        HWND library = program_->library();
        RECT m = {};
        RECT l = {};
        GetWindowRect(main_, &m);
        GetWindowRect(library, &l);
        int left = (GetSystemMetrics(SM_CXSCREEN) - (m.right - m.left) - (l.right - l.left)) / 2;
        if (left < 0) left = 0;
        SetWindowPos(main_, nullptr, left, m.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SetWindowPos(library, HWND_TOP, left + (m.right - m.left), m.top, 0, 0, SWP_NOSIZE);
        PumpMessages(50);
        return library;
    }

    TempProgramFolder folder_;
    RunningProgram* program_ = nullptr;
    HWND main_ = nullptr;
    int rom_ = -1;
    int user_ = -1;
    int other_ = -1;
};

TEST_F(DragDropGui, DropsOntoARomBankAreRefused) {
    std::vector<std::string> romBefore = PresetNames(rom_);
    int x = gDevicesPane.rect.x + 60;

    // A whole bank onto the ROM bank: the read-only message stays in the
    // status display through the panes' repaint.
    ClearStatus();
    LeftPress(main_, x, RowMiddle(gDevicesPane, user_));
    LeftDragTo(main_, x, RowMiddle(gDevicesPane, rom_));
    SendMouse(main_, WM_LBUTTONUP, 0, At(x, RowMiddle(gDevicesPane, rom_)));
    PumpMessages(20);
    EXPECT_EQ(PresetNames(rom_), romBefore);
    EXPECT_EQ(gStatusShown, 1);
    EXPECT_EQ(gBanks.entries[rom_].changeCount, 0);
    ExpectPointerReleased();

    // A preset of the user bank onto the ROM bank's row.
    ClickBankRow(main_, user_);
    ASSERT_EQ(gBanks.current, user_);
    ClearStatus();
    int px = gPresetsPane.rect.x + 60;
    LeftPress(main_, px, RowMiddle(gPresetsPane, 0));
    LeftDragTo(main_, px, RowMiddle(gPresetsPane, 2));
    LeftDragTo(main_, x, RowMiddle(gDevicesPane, rom_));
    LeftRelease(main_, x, RowMiddle(gDevicesPane, rom_));
    EXPECT_EQ(PresetNames(rom_), romBefore);
    EXPECT_EQ(gStatusShown, 1);
    ExpectPointerReleased();
}

TEST_F(DragDropGui, RefusedDropsChangeNothingAndFreeThePointer) {
    ClickBankRow(main_, user_);
    ASSERT_EQ(gBanks.current, user_);
    std::vector<std::string> userBefore = PresetNames(user_);
    std::vector<std::string> otherBefore = PresetNames(other_);
    int x = gDevicesPane.rect.x + 60;

    // The bank onto another device's bank: said in the status display.
    ClearStatus();
    LeftPress(main_, x, RowMiddle(gDevicesPane, user_));
    LeftDragTo(main_, x, RowMiddle(gDevicesPane, other_));
    LeftRelease(main_, x, RowMiddle(gDevicesPane, other_));
    EXPECT_EQ(PresetNames(other_), otherBefore);
    EXPECT_EQ(gStatusShown, 1);
    ExpectPointerReleased();

    // The bank onto itself.
    LeftPress(main_, x, RowMiddle(gDevicesPane, user_));
    LeftDragTo(main_, x, RowMiddle(gDevicesPane, user_) + 3);
    LeftRelease(main_, x, RowMiddle(gDevicesPane, user_) + 3);
    EXPECT_EQ(PresetNames(user_), userBefore);
    EXPECT_EQ(gBanks.entries[user_].changeCount, 0);
    ExpectPointerReleased();

    // A preset onto itself, after wandering over its neighbours.
    int px = gPresetsPane.rect.x + 60;
    LeftPress(main_, px, RowMiddle(gPresetsPane, 1));
    LeftDragTo(main_, px, RowMiddle(gPresetsPane, 3));
    LeftDragTo(main_, px, RowMiddle(gPresetsPane, 1));
    LeftRelease(main_, px, RowMiddle(gPresetsPane, 1));
    EXPECT_EQ(PresetNames(user_), userBefore);
    ExpectPointerReleased();

    // A preset released in the gap between the panes: a picture of the
    // window mid-drag first, for people to look at.
    ShowWindow(program_->library(), SW_HIDE);
    LeftPress(main_, px, RowMiddle(gPresetsPane, 0));
    LeftDragTo(main_, px, RowMiddle(gPresetsPane, 2));
    LeftDragTo(main_, px, RowMiddle(gPresetsPane, 4));
    EXPECT_EQ(gDrag.dragging, 1);
    EXPECT_NE(GetClassLongPtrA(main_, GCLP_HCURSOR),
              reinterpret_cast<ULONG_PTR>(LoadCursor(nullptr, IDC_ARROW)));
    RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(10);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("drag_drop_mid_drag.png")));
    int gapX = gDevicesPane.rect.x + gDevicesPane.rect.width + 3;
    LeftDragTo(main_, gapX, RowMiddle(gPresetsPane, 4));
    LeftRelease(main_, gapX, RowMiddle(gPresetsPane, 4));
    EXPECT_EQ(PresetNames(user_), userBefore);
    EXPECT_EQ(gBanks.entries[user_].changeCount, 0);
    ExpectPointerReleased();
}

TEST_F(DragDropGui, APresetSwapIsUndoneExactly) {
    ClickBankRow(main_, user_);
    ASSERT_EQ(gBanks.current, user_);
    std::vector<std::string> before = PresetNames(user_);
    ASSERT_NE(before[0], before[3]);
    int px = gPresetsPane.rect.x + 60;
    LeftPress(main_, px, RowMiddle(gPresetsPane, 0));
    LeftDragTo(main_, px, RowMiddle(gPresetsPane, 2));
    LeftDragTo(main_, px, RowMiddle(gPresetsPane, 3));
    LeftRelease(main_, px, RowMiddle(gPresetsPane, 3));
    std::vector<std::string> after = PresetNames(user_);
    EXPECT_EQ(after[3], before[0]);
    EXPECT_EQ(after[0], before[3]);
    ExpectPointerReleased();

    Command(main_, kCmdUndo);
    EXPECT_EQ(PresetNames(user_), before);
}

TEST_F(DragDropGui, SelectAllCopyAndDescribeThroughTheEditMenu) {
    ClickBankRow(main_, user_);
    ASSERT_GT(gDevice.controlCount, 2);
    Command(main_, kCmdSelectAll);
    int selected = 0;
    for (int i = 0; i < gDevice.controlCount; i++) selected += gSelection.controls[i] ? 1 : 0;
    EXPECT_EQ(selected, gDevice.controlCount);

    Command(main_, kCmdCopy);
    size_t boxes = RunningProgram::boxes.size();
    Command(main_, kCmdDescribeClipboard);
    ASSERT_GT(RunningProgram::boxes.size(), boxes);
    EXPECT_FALSE(RunningProgram::boxes.back().text.empty());
}

TEST_F(DragDropGui, ControlsDraggedInTheGraphicView) {
    ClickBankRow(main_, user_);
    ASSERT_TRUE(gDocument.hasPictures);
    // Two controls of one type whose assignments differ.
    int a = -1;
    int b = -1;
    const PresetRecord* preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    for (int i = 0; i < gDevice.controlCount && b < 0; i++) {
        for (int j = i + 1; j < gDevice.controlCount && b < 0; j++) {
            if (gDevice.controls[i].typeIndex != gDevice.controls[j].typeIndex) continue;
            if (preset->controls[i].midiCc == preset->controls[j].midiCc) continue;
            a = i;
            b = j;
        }
    }
    ASSERT_GE(b, 0);
    PresetControl oldA = preset->controls[a];
    PresetControl oldB = preset->controls[b];
    POINT pa = ControlPoint(a);
    POINT pb = ControlPoint(b);

    // A plain drag exchanges the two, with the single-control cursor.
    LeftPress(main_, pa.x, pa.y);
    LeftDragTo(main_, pa.x + 6, pa.y + 6);
    LeftDragTo(main_, pb.x, pb.y);
    EXPECT_EQ(gDrag.dragging, 1);
    ASSERT_NE(gCursors[0], nullptr);
    EXPECT_EQ(ClassCursor(main_), reinterpret_cast<ULONG_PTR>(gCursors[0]));
    LeftRelease(main_, pb.x, pb.y);
    preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    EXPECT_EQ(preset->controls[b].midiCc, oldA.midiCc);
    EXPECT_EQ(preset->controls[a].midiCc, oldB.midiCc);
    ExpectPointerReleased();
    Command(main_, kCmdUndo);
    preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    EXPECT_EQ(preset->controls[a].midiCc, oldA.midiCc);
    EXPECT_EQ(preset->controls[b].midiCc, oldB.midiCc);

    // With Ctrl the dragged control is copied and the source keeps its own.
    SetKeyHeld(VK_CONTROL, true);
    SendMouse(main_, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(pa.x, pa.y));
    SendMouse(main_, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, At(pa.x + 6, pa.y + 6));
    SendMouse(main_, WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, At(pb.x, pb.y));
    EXPECT_EQ(gDrag.copyMode, 1);
    SendMouse(main_, WM_LBUTTONUP, MK_CONTROL, At(pb.x, pb.y));
    SetKeyHeld(VK_CONTROL, false);
    PumpMessages(20);
    preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    EXPECT_EQ(preset->controls[b].midiCc, oldA.midiCc);
    EXPECT_EQ(preset->controls[a].midiCc, oldA.midiCc);
    ExpectPointerReleased();
    Command(main_, kCmdUndo);
    preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    EXPECT_EQ(preset->controls[b].midiCc, oldB.midiCc);

    // Every control dragged shows the multiple cursor; dropped back onto the
    // control it started from, nothing changes.
    Command(main_, kCmdSelectAll);
    std::vector<PresetControl> before(preset->controls, preset->controls + gDevice.controlCount);
    LeftPress(main_, pa.x, pa.y);
    LeftDragTo(main_, pa.x + 8, pa.y + 8);
    EXPECT_EQ(gDrag.dragging, 1);
    ASSERT_NE(gCursors[1], nullptr);
    EXPECT_EQ(ClassCursor(main_), reinterpret_cast<ULONG_PTR>(gCursors[1]));
    LeftDragTo(main_, pa.x, pa.y);
    LeftRelease(main_, pa.x, pa.y);
    preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    for (int i = 0; i < gDevice.controlCount; i++) {
        EXPECT_EQ(preset->controls[i].midiCc, before[i].midiCc) << i;
        EXPECT_EQ(preset->controls[i].origin, before[i].origin) << i;
    }
    ExpectPointerReleased();
}

TEST_F(DragDropGui, ALibraryControlDroppedOntoAControlIsAssignedAndUndone) {
    ClickBankRow(main_, user_);
    Command(main_, kCmdLibraryWindow);
    HWND library = program_->library();
    ASSERT_TRUE(IsWindowVisible(library));
    const PresetRecord* preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    std::vector<PresetControl> before(preset->controls, preset->controls + gDevice.controlCount);
    // The first control that takes the library's first control (a wrong
    // type is refused and leaves the control alone).
    int x = gLibraryControlsPane.rect.x + 60;
    int y = RowMiddle(gLibraryControlsPane, 0);
    int assigned = -1;
    for (int target = 0; target < gDevice.controlCount && assigned < 0; target++) {
        if (gDocument.controls[target].zone != 0) continue;
        POINT p = ControlPoint(target);
        SendMouse(library, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
        SendMouse(library, WM_MOUSEMOVE, MK_LBUTTON, At(x + 8, y + 8));
        ASSERT_EQ(gDrag.dragging, 1);
        SendMouse(main_, WM_MOUSEMOVE, MK_LBUTTON, At(p.x, p.y));
        if (target == 0) {
            RedrawWindow(library, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            PumpMessages(10);
            EXPECT_TRUE(WriteWindowPng(library, ScreenshotPath("drag_drop_library.png")));
        }
        SendMouse(main_, WM_LBUTTONUP, 0, At(p.x, p.y));
        PumpMessages(20);
        ExpectPointerReleased();
        EXPECT_EQ(GetClassLongPtrA(library, GCLP_HCURSOR),
                  reinterpret_cast<ULONG_PTR>(LoadCursor(nullptr, IDC_ARROW)));
        preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
        if (preset->controls[target].origin != before[target].origin) assigned = target;
    }
    ASSERT_GE(assigned, 0);
    EXPECT_GE(preset->controls[assigned].origin, 0);
    for (int i = 0; i < gDevice.controlCount; i++) {
        if (i == assigned) continue;
        EXPECT_EQ(preset->controls[i].origin, before[i].origin) << i;
    }
    Command(main_, kCmdUndo);
    preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    EXPECT_EQ(preset->controls[assigned].origin, before[assigned].origin);
    EXPECT_EQ(preset->controls[assigned].midiCc, before[assigned].midiCc);
}

TEST_F(DragDropGui, ADragReleasedOverAnotherWindowChangesNothing) {
    ClickBankRow(main_, user_);
    std::vector<std::string> before = PresetNames(user_);
    int px = gPresetsPane.rect.x + 60;
    // The main window keeps the capture, so the release comes to it with a
    // point outside its client area: left of it, then right of it.
    for (int releaseX : {-40, 1100}) {
        LeftPress(main_, px, RowMiddle(gPresetsPane, 0));
        LeftDragTo(main_, px, RowMiddle(gPresetsPane, 2));
        LeftDragTo(main_, releaseX, RowMiddle(gPresetsPane, 2));
        LeftRelease(main_, releaseX, RowMiddle(gPresetsPane, 2));
        EXPECT_EQ(PresetNames(user_), before);
        EXPECT_EQ(gBanks.entries[user_].changeCount, 0);
        ExpectPointerReleased();
    }
}

TEST_F(DragDropGui, ControlsCopiedAndPastedIntoAnotherPreset) {
    ClickBankRow(main_, user_);
    int px = gPresetsPane.rect.x + 60;
    LeftPress(main_, px, RowMiddle(gPresetsPane, 0));
    LeftRelease(main_, px, RowMiddle(gPresetsPane, 0));
    Command(main_, kCmdSelectAll);
    Command(main_, kCmdCopy);
    const BankData* data = BankDataAt(user_);
    std::vector<PresetControl> copied(data->presets[0].controls,
                                      data->presets[0].controls + gDevice.controlCount);
    int target = -1;
    for (int i = 1; i < 8 && target < 0; i++) {
        for (int c = 0; c < gDevice.controlCount; c++) {
            if (data->presets[i].controls[c].midiCc != copied[c].midiCc) target = i;
        }
    }
    ASSERT_GT(target, 0);
    LeftPress(main_, px, RowMiddle(gPresetsPane, target));
    LeftRelease(main_, px, RowMiddle(gPresetsPane, target));
    ASSERT_EQ(gBanks.currentPreset, target);
    Command(main_, kCmdSelectAll);
    Command(main_, kCmdPaste);
    data = BankDataAt(user_);
    for (int c = 0; c < gDevice.controlCount; c++) {
        EXPECT_EQ(data->presets[target].controls[c].midiCc, copied[c].midiCc) << c;
        EXPECT_EQ(data->presets[target].controls[c].origin, copied[c].origin) << c;
    }
}

TEST_F(DragDropGui, APresetDragHeldOnTheListsBottomEdgeScrollsIt) {
    ClickBankRow(main_, user_);
    std::vector<std::string> before = PresetNames(user_);
    const PaneRect& r = gPresetsPane.rect;
    ASSERT_EQ(gPresetsPane.vertical.position, 0);
    int px = r.x + 60;
    int edgeY = r.y + r.height - 1;
    LeftPress(main_, px, RowMiddle(gPresetsPane, 0));
    LeftDragTo(main_, px, RowMiddle(gPresetsPane, 2));
    LeftDragTo(main_, px, edgeY);
    ASSERT_EQ(gDrag.dragging, 1);
    // The tick reads the pointer itself, so the pointer goes there too.
    PointerTo(main_, px, edgeY);
    Tick(main_, kDragTimer, 5);
    PumpMessages(10);
    EXPECT_EQ(gPresetsPane.vertical.position, 5);
    // A pointer that overshoots the edge, below the list, scrolls it too.
    PointerTo(main_, px, edgeY + 40);
    Tick(main_, kDragTimer, 3);
    EXPECT_EQ(gPresetsPane.vertical.position, 8);
    int gapX = gDevicesPane.rect.x + gDevicesPane.rect.width + 3;
    LeftDragTo(main_, gapX, edgeY);
    LeftRelease(main_, gapX, edgeY);
    EXPECT_EQ(PresetNames(user_), before);
    ExpectPointerReleased();
}

}  // namespace

namespace {

// The selected controls of the device view, in index order.
std::vector<int> SelectedControls() {
    std::vector<int> selected;
    for (int i = 0; i < gDevice.controlCount; i++) {
        if (gSelection.controls[i]) selected.push_back(i);
    }
    return selected;
}

bool SameAssignment(const PresetControl& a, const PresetControl& b) {
    return a.midiCc == b.midiCc && a.channel == b.channel && a.origin == b.origin;
}

TEST_F(DragDropGui, ThreeControlsDraggedIntoAnotherPresetAreCopied) {
    ClickBankRow(main_, user_);
    int px = gPresetsPane.rect.x + 60;
    LeftPress(main_, px, RowMiddle(gPresetsPane, 0));
    LeftRelease(main_, px, RowMiddle(gPresetsPane, 0));
    const BankData* data = BankDataAt(user_);
    // Three neighbouring controls on the picture, and a preset that assigns
    // them otherwise.
    int first = -1;
    int target = -1;
    for (int a = 0; a + 2 < gDevice.controlCount && first < 0; a++) {
        if (gDocument.controls[a].zone || gDocument.controls[a + 1].zone ||
            gDocument.controls[a + 2].zone) {
            continue;
        }
        for (int p = 1; p < 16 && target < 0; p++) {
            for (int k = 0; k < 3; k++) {
                if (!SameAssignment(data->presets[p].controls[a + k],
                                    data->presets[0].controls[a + k])) {
                    target = p;
                }
            }
        }
        if (target >= 0) first = a;
    }
    ASSERT_GE(first, 0);
    std::vector<PresetControl> source(data->presets[0].controls,
                                      data->presets[0].controls + gDevice.controlCount);
    std::vector<PresetControl> old(data->presets[target].controls,
                                   data->presets[target].controls + gDevice.controlCount);

    // A click and two Ctrl-clicks select the three.
    POINT p0 = ControlPoint(first);
    LeftPress(main_, p0.x, p0.y);
    LeftRelease(main_, p0.x, p0.y);
    SetKeyHeld(VK_CONTROL, true);
    for (int k = 1; k < 3; k++) {
        POINT p = ControlPoint(first + k);
        SendMouse(main_, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, At(p.x, p.y));
        SendMouse(main_, WM_LBUTTONUP, MK_CONTROL, At(p.x, p.y));
        PumpMessages(10);
    }
    SetKeyHeld(VK_CONTROL, false);
    ASSERT_EQ(SelectedControls(), (std::vector<int>{first, first + 1, first + 2}));

    // Dragged with the multiple cursor over the target preset's row (which
    // makes it current) and dropped onto the first of them there.
    LeftPress(main_, p0.x, p0.y);
    LeftDragTo(main_, p0.x + 8, p0.y + 8);
    ASSERT_EQ(gDrag.dragging, 1);
    EXPECT_EQ(gDrag.count, 3);
    ASSERT_NE(gCursors[1], nullptr);
    EXPECT_EQ(ClassCursor(main_), reinterpret_cast<ULONG_PTR>(gCursors[1]));
    LeftDragTo(main_, px, RowMiddle(gPresetsPane, target));
    EXPECT_EQ(gBanks.currentPreset, target);
    LeftDragTo(main_, p0.x, p0.y);
    LeftRelease(main_, p0.x, p0.y);
    ExpectPointerReleased();

    data = BankDataAt(user_);
    for (int i = 0; i < gDevice.controlCount; i++) {
        bool dropped = i >= first && i < first + 3;
        const PresetControl& expected = dropped ? source[i] : old[i];
        EXPECT_TRUE(SameAssignment(data->presets[target].controls[i], expected)) << i;
        EXPECT_TRUE(SameAssignment(data->presets[0].controls[i], source[i])) << i;
    }
    EXPECT_EQ(SelectedControls(), (std::vector<int>{first, first + 1, first + 2}));
    Command(main_, kCmdUndo);
    data = BankDataAt(user_);
    for (int i = 0; i < gDevice.controlCount; i++) {
        EXPECT_TRUE(SameAssignment(data->presets[target].controls[i], old[i])) << i;
    }
}

TEST_F(DragDropGui, ALibraryDragShowsItsCursorOverBothWindows) {
    ClickBankRow(main_, user_);
    HWND library = ShowLibraryBesideMain();
    ASSERT_TRUE(IsWindowVisible(library));
    RECT m = {};
    RECT l = {};

    int x = gLibraryControlsPane.rect.x + 60;
    int y = RowMiddle(gLibraryControlsPane, 0);
    SendMouse(library, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
    SendMouse(library, WM_MOUSEMOVE, MK_LBUTTON, At(x + 8, y + 8));
    ASSERT_EQ(gDrag.dragging, 1);
    ASSERT_EQ(gDrag.fromOtherWindow, 1);
    ASSERT_NE(gCursors[0], nullptr);
    EXPECT_EQ(ClassCursor(library), reinterpret_cast<ULONG_PTR>(gCursors[0]));
    EXPECT_EQ(ClassCursor(main_), reinterpret_cast<ULONG_PTR>(gCursors[0]));

    // Over a control of the main window, the pointer really there.
    POINT target = ControlPoint(0);
    SendMouse(main_, WM_MOUSEMOVE, MK_LBUTTON, At(target.x, target.y));
    PointerTo(main_, target.x, target.y);
    RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RedrawWindow(library, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpMessages(50);
    GetWindowRect(main_, &m);
    GetWindowRect(library, &l);
    RECT both = {m.left, m.top < l.top ? m.top : l.top, l.right > m.right ? l.right : m.right,
                 l.bottom > m.bottom ? l.bottom : m.bottom};
    EXPECT_TRUE(WriteScreenPng(both, ScreenshotPath("drag_drop_both_windows.png")));

    // Released outside both windows' panes: nothing is assigned, and both
    // windows show the arrow again.
    const PresetRecord* preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    std::vector<PresetControl> before(preset->controls, preset->controls + gDevice.controlCount);
    SendMouse(main_, WM_LBUTTONUP, 0, At(-20, -20));
    PumpMessages(20);
    ExpectPointerReleased();
    EXPECT_EQ(ClassCursor(library), reinterpret_cast<ULONG_PTR>(LoadCursor(nullptr, IDC_ARROW)));
    preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    for (int i = 0; i < gDevice.controlCount; i++) {
        EXPECT_TRUE(SameAssignment(preset->controls[i], before[i])) << i;
    }
}

// The library window holds the capture from the drag's start, so the moves
// and the release over the main window come to it, with points outside its
// client area: the control under the pointer at the release takes the drop,
// and the next click elsewhere drops nothing.
TEST_F(DragDropGui, ALibraryControlDropsOnTheControlUnderThePointerAtTheRelease) {
    ClickBankRow(main_, user_);
    HWND library = ShowLibraryBesideMain();
    ASSERT_TRUE(IsWindowVisible(library));
    const PresetRecord* preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    std::vector<PresetControl> before(preset->controls, preset->controls + gDevice.controlCount);
    int x = gLibraryControlsPane.rect.x + 60;
    int y = RowMiddle(gLibraryControlsPane, 0);
    int assigned = -1;
    for (int target = 0; target < gDevice.controlCount && assigned < 0; target++) {
        if (gDocument.controls[target].zone != 0) continue;
        POINT p = ControlPoint(target);
        ClientToScreen(main_, &p);
        ScreenToClient(library, &p);
        LeftPress(library, x, y);
        LeftDragTo(library, x + 8, y + 8);
        ASSERT_EQ(gDrag.dragging, 1);
        EXPECT_EQ(GetCapture(), library);
        LeftDragTo(library, p.x, p.y);
        LeftRelease(library, p.x, p.y);
        ExpectPointerReleased();
        EXPECT_NE(GetCapture(), library);
        preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
        if (preset->controls[target].origin != before[target].origin) assigned = target;
    }
    ASSERT_GE(assigned, 0);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("library_drop.png")));

    // Nothing is left to be dropped by the next click on another control.
    std::vector<PresetControl> after(preset->controls, preset->controls + gDevice.controlCount);
    int other = assigned == 0 ? 1 : 0;
    POINT q = ControlPoint(other);
    LeftPress(main_, q.x, q.y);
    LeftRelease(main_, q.x, q.y);
    preset = &BankDataAt(user_)->presets[gBanks.currentPreset];
    for (int i = 0; i < gDevice.controlCount; i++) {
        EXPECT_TRUE(SameAssignment(preset->controls[i], after[i])) << i;
    }
}

}  // namespace
