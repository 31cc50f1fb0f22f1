// Compare and the preset sheet in the running program: a user bank compared
// with the device bank of the simulated device (Ctrl+Shift+D) shows nothing
// until one value is edited in the list view, then marks that cell and that
// control and counts one difference, on every preset it moves to, until
// Clear Comparison; File > Export Preset Sheet... writes the sheet through
// the real save dialog. The pictures are left beside the tests to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "banks/bank_model.h"
#include "base/messages.h"
#include "views/edit_value.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "imaging/png_decode.h"
#include "midi/midi_ports.h"
#include "midi/virtual_link.h"
#include "shell/commands.h"
#include "shell/dialog_ids.h"
#include "views/comparison.h"
#include "views/comparison_paint_win32.h"
#include "views/device_view.h"
#include "views/editor_document.h"
#include "views/graphic_geometry.h"
#include "views/list_columns.h"
#include "views/presets_pane.h"
#include "views/view_state.h"

namespace {

void Mouse(HWND window, UINT message, int x, int y, WPARAM keys) {
    SendMouse(window, message, keys, MAKELPARAM(x, y));
    PumpMessages(10);
}

void Click(HWND window, int x, int y) {
    Mouse(window, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(window, WM_LBUTTONUP, x, y, 0);
}

// A real preset row click in the presets list.
void ClickPresetRow(HWND main, int preset) {
    Click(main, gPresetsPane.rect.x + 60, RowMiddle(gPresetsPane, preset));
}

int ColumnOf(int kind, int subkind) {
    for (int i = 0; i < kColumnCount; ++i) {
        if (ListColumns[i].kind == kind && ListColumns[i].subkind == subkind &&
            ListColumns[i].visible)
            return i;
    }
    return -1;
}

// Types a value into the list view's cell as the hand does: a click on the
// row's name making it current, a double click on the cell opening the value
// editor, the digits, Enter.
void TypeIntoCell(HWND main, int column, int row, const char* digits) {
    POINT name = ListCellPoint(0, row);
    Click(main, name.x, name.y);
    POINT cell = ListCellPoint(column, row);
    Click(main, cell.x, cell.y);
    Mouse(main, WM_LBUTTONDBLCLK, cell.x, cell.y, MK_LBUTTON);
    Mouse(main, WM_LBUTTONUP, cell.x, cell.y, 0);
    HWND edit = GetDlgItem(main, kEditValueControlId);
    ASSERT_NE(edit, nullptr);
    SetFocus(edit);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    for (const char* c = digits; *c; ++c) SendMessageA(edit, WM_CHAR, *c, 0);
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    PumpMessages(30);
}

// Chooses preset 7 of "Factory Studio" (the ROM bank "Meridian Studio", as
// the dialog lists it by its file) in the Compare With dialog, without
// following, from a timer that runs inside the dialog's own loop.
bool gCompareDialogSeen = false;

void CALLBACK ChooseInCompareDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA(nullptr, "Compare With");
    if (!dialog || !IsWindowVisible(dialog)) return;
    KillTimer(nullptr, timer);
    gCompareDialogSeen = true;
    HWND banks = GetDlgItem(dialog, IDC_COMPARE_BANKS);
    LRESULT entry = SendMessageA(banks, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>("Factory Studio"));
    SendMessageA(banks, LB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_COMPARE_BANKS, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(banks));
    CheckDlgButton(dialog, IDC_COMPARE_FOLLOW, BST_UNCHECKED);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_COMPARE_FOLLOW, BN_CLICKED), 0);
    SendDlgItemMessageA(dialog, IDC_COMPARE_PRESETS, LB_SETCURSEL, 6, 0);
    RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    WriteWindowPng(dialog, ScreenshotPath("compare_dialog.png"));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

class CompareSheetGui : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(InstallDeviceWithBank(folder_, "Meridian 49.eld", true), 0);
        SetVirtualPortsRequested(1);
        VirtualLinkSetMemoryPath(folder_.path("Virtual Device.bin").c_str());
        program_ = new RunningProgram(folder_);
        ASSERT_EQ(program_->result(), StartUpResult::kRunning);
        main_ = program_->main();
    }
    void TearDown() override {
        ClearComparison();
        gViewMode = ViewMode::kGraphic;
        delete program_;
        SetVirtualPortsRequested(0);
    }
    TempProgramFolder folder_;
    RunningProgram* program_ = nullptr;
    HWND main_ = nullptr;
};

TEST_F(CompareSheetGui, CompareWithTheDeviceBankMarksWhatOneEditChanged) {
    const int device = FindDeviceBank();
    ASSERT_GE(device, 0);
    strcpy(gPopupText, "");
    Command(main_, kCmdDownload);
    ASSERT_TRUE(PumpUntil([] { return strcmp(gPopupText, "SysEx Received") == 0; }, 20000));
    // The user bank holds what the device holds, as after dragging the
    // device bank onto it.
    const int live = BankNamed("Live");
    ASSERT_GE(live, 0);
    // The simulated device keeps no names: the device bank's are given here.
    BankData& downloaded = *BankDataAt(device);
    for (int p = 0; p < gDevice.presetCount; ++p) {
        snprintf(downloaded.presets[p].name, sizeof downloaded.presets[p].name, "Device %d", p + 1);
    }
    CopyBank(live, device);
    std::strcpy(BankDataAt(live)->name, "Live");
    ClickBankRow(main_, live);
    ASSERT_EQ(gBanks.current, live);
    ClickPresetRow(main_, 3);
    ASSERT_EQ(gBanks.currentPreset, 3);
    EXPECT_FALSE(MenuEnabled(main_, kCmdClearComparison));

    SetKeyHeld(VK_CONTROL, true);
    SetKeyHeld(VK_SHIFT, true);
    PostKey(main_, 'D');
    PumpMessages(50);
    SetKeyHeld(VK_SHIFT, false);
    SetKeyHeld(VK_CONTROL, false);
    EXPECT_EQ(gLastCommand, kCmdCompareDeviceBank);
    ASSERT_TRUE(ComparisonSet());
    EXPECT_TRUE(MenuEnabled(main_, kCmdClearComparison));
    Repaint(main_);
    const std::string target = std::string(gBanks.entries[device].displayName) + ": " +
                               BankDataAt(device)->presets[3].name;
    EXPECT_STREQ(gLastStatusText, ("No differences from " + target).c_str());

    // One edit in the list view: the MIDICC of control 2.
    Command(main_, kCmdListView);
    Repaint(main_);
    const int ctrl = ColumnOf(kColumnValue, kValueMidiCc);
    ASSERT_GE(ctrl, 0);
    const int row = 2;
    const int old = BankDataAt(live)->presets[3].controls[row].midiCc;
    const char* typed = old == 21 ? "22" : "21";
    TypeIntoCell(main_, ctrl, row, typed);
    ASSERT_EQ(BankDataAt(live)->presets[3].controls[row].midiCc, atoi(typed));
    Repaint(main_);
    EXPECT_STREQ(gLastStatusText, ("1 difference from " + target).c_str());
    // The cell is amber and wide enough for both values; its neighbours are not marked.
    POINT cell = ListCellPoint(ctrl, row);
    const int top = cell.y - 5;
    EXPECT_EQ(ClientPixel(main_, ListColumns[ctrl].x + 1, top + 1), kComparedCellFill);
    EXPECT_EQ(ListColumns[ctrl].width, 2 * ListColumns[ctrl].nominalWidth + kComparedValueGap);
    EXPECT_NE(ClientPixel(main_, ListColumns[ctrl].x + 1, top + 1 + kListViewRowHeight),
              kComparedCellFill);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("compare_list_view.png")));

    // The graphic view frames that control.
    Command(main_, kCmdGraphicView);
    Repaint(main_);
    const DocControl& placed = gDocument.controls[row];
    const int originX = gDeviceView.rect.x + kPictureMargin + gDocument.offX;
    const int originY = gDeviceView.rect.y + kPictureMargin + gDocument.offY;
    const int frameLeft =
        originX + std::min(placed.backgroundRect.left, placed.overlayRect.left) - 3;
    const int middleY = originY + (placed.overlayRect.top + placed.overlayRect.bottom) / 2;
    EXPECT_EQ(ClientPixel(main_, frameLeft, middleY), kComparedControlFrame);
    const DocControl& unchanged = gDocument.controls[row + 1];
    EXPECT_NE(ClientPixel(
                  main_,
                  originX + std::min(unchanged.backgroundRect.left, unchanged.overlayRect.left) - 3,
                  originY + (unchanged.overlayRect.top + unchanged.overlayRect.bottom) / 2),
              kComparedControlFrame);
    EXPECT_TRUE(WriteWindowPng(main_, ScreenshotPath("compare_graphic_view.png")));

    // Another preset: compared with the device's preset of its number.
    ClickPresetRow(main_, 5);
    Repaint(main_);
    EXPECT_STREQ(gLastStatusText, (std::string(gBanks.entries[device].displayName) + ": " +
                                   BankDataAt(device)->presets[5].name)
                                      .insert(0, "No differences from ")
                                      .c_str());

    Command(main_, kCmdClearComparison);
    Repaint(main_);
    EXPECT_FALSE(ComparisonSet());
    EXPECT_EQ(gStatusShown, 0);
    EXPECT_FALSE(MenuEnabled(main_, kCmdClearComparison));

    // Compare with...: one fixed preset of a ROM bank, chosen in the dialog.
    SetTimer(nullptr, 0, 50, ChooseInCompareDialog);
    Command(main_, kCmdCompareWith);
    EXPECT_TRUE(gCompareDialogSeen);
    int bank = -1;
    int preset = -1;
    ASSERT_TRUE(ComparisonNow(&bank, &preset));
    EXPECT_EQ(bank, BankNamed("Meridian Studio"));
    EXPECT_EQ(preset, 6);
    EXPECT_FALSE(ComparisonFollows());
}

// Answers the next "Export Preset Sheet" dialog with a path, from a timer that
// runs inside the dialog's own message loop.
std::string gSheetAnswer;
bool gSheetDialogSeen = false;

void CALLBACK AnswerSheetDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA(nullptr, "Export Preset Sheet");
    if (!dialog) return;
    KillTimer(nullptr, timer);
    gSheetDialogSeen = true;
    // The file name box: cmb13 in the Explorer-style dialog, edt1 in the old one.
    if (!SetDlgItemTextA(dialog, 0x47c, gSheetAnswer.c_str())) {
        SetDlgItemTextA(dialog, 0x480, gSheetAnswer.c_str());
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(CompareSheetGui, ExportPresetSheetWritesThePictureOfTheCurrentPreset) {
    const int factory = BankNamed("Meridian Studio");  // a ROM bank: a sheet only reads
    ASSERT_GE(factory, 0);
    ClickBankRow(main_, factory);
    ClickPresetRow(main_, 1);
    ASSERT_EQ(gBanks.currentPreset, 1);
    gSheetAnswer = folder_.path("Sheet.png");
    gSheetDialogSeen = false;
    SetTimer(nullptr, 0, 100, AnswerSheetDialog);
    Command(main_, kCmdExportPresetSheet);
    EXPECT_TRUE(gSheetDialogSeen);
    RgbaImage sheet;
    ASSERT_EQ(DecodePngFile(gSheetAnswer.c_str(), &sheet, nullptr), 1);
    EXPECT_GT(sheet.width, 1800);
    EXPECT_GT(sheet.height, 900);
    EXPECT_EQ(gStatusShown, 0) << gLastStatusText;
    // Kept for people to look at.
    EXPECT_TRUE(
        CopyFileA(gSheetAnswer.c_str(), ScreenshotPath("preset_sheet_export.png").c_str(), FALSE));
}

}  // namespace
