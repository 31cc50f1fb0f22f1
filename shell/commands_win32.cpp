// The command table: every menu item, accelerator and toolbar button ends
// here with its command id. The work behind most commands belongs to other
// subsystems and is reached through the joins (joins.h).
#include <windows.h>

#include <initializer_list>

#include "base/app_state.h"
#include "shell/commands.h"
#include "shell/compare_commands.h"
#include "shell/joins.h"
#include "shell/syx_commands.h"
#include "shell/windows_win32.h"
#include "views/edit_windows.h"
#include "views/in_place_edit.h"
#include "views/panel_mouse.h"
#include "views/view_state.h"

namespace {

// Quit: questions about changed banks, help closed, settings written, then
// the three windows destroyed (the main window's WM_DESTROY ends the loop).
// A question answered Cancel, or a save or send that failed, stops it there.
void Quit() {
    if (!JoinConfirmChangedBanks()) return;
    JoinCloseHelp();
    JoinSaveSettings();
    DestroyMainWindows();
}

void SetViewMode(ViewMode mode) {
    gViewMode = mode;
    JoinViewModeChanged();
    UpdateViewMenu();
}

// Commands 23 and 24: hide the window, or show it where it was last placed,
// on top, with the focus.
void ToggleSecondaryWindow(WindowHandle handle, int* shown) {
    HWND window = static_cast<HWND>(handle);
    if (window == nullptr) return;
    if (*shown) {
        ShowWindow(window, SW_HIDE);
        *shown = 0;
    } else {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetFocus(window);
        *shown = 1;
    }
    UpdateViewMenu();
}

struct CommandEntry {
    int id;
    void (*run)();
};

const CommandEntry kCommandTable[] = {
    {kCmdNewBank, JoinNewUserBank},
    {kCmdDeleteBank, JoinDeleteUserBank},
    {kCmdLoad, JoinLoadBank},
    {kCmdSave, JoinSaveBank},
    {kCmdSaveAs, JoinSaveBankAs},
    {kCmdReloadBank, JoinReloadBank},
    {kCmdUpload, JoinSendChanges},
    {kCmdDownload, JoinDownloadFromDevice},
    {kCmdSendToDevice, JoinSendCurrentBank},
    {kCmdQuit, Quit},
    {kCmdUndo, JoinUndo},
    {kCmdRedo, JoinRedo},
    {kCmdCopy, JoinCopy},
    {kCmdPaste, JoinPaste},
    {kCmdSelectAll, JoinSelectAllControls},
    {kCmdDescribeClipboard, JoinDescribeClipboard},
    {kCmdCompareWith, CompareWithCommand},
    {kCmdCompareDeviceBank, CompareWithDeviceBankCommand},
    {kCmdClearComparison, ClearComparisonCommand},
    {kCmdExportPresetSheet, ExportPresetSheetMenuCommand},
    {kCmdExportSyx, [] { ExportSyxCommand(); }},
    {kCmdGraphicView, [] { SetViewMode(ViewMode::kGraphic); }},
    {kCmdListView, [] { SetViewMode(ViewMode::kList); }},
    {kCmdLibraryWindow, [] { ToggleSecondaryWindow(gLibraryWindow, &gLibraryShown); }},
    {kCmdEditorWindow, [] { ToggleSecondaryWindow(gEditorWindow, &gEditorShown); }},
    {kCmdShowCcCh,
     [] {
         gShowCcCh = !gShowCcCh;
         JoinShowCcChanged();
         UpdateViewMenu();
     }},
    {kCmdShowRomBanks,
     [] {
         JoinToggleRomBanks();
         UpdateViewMenu();
     }},
    {kCmdFitMode,
     [] {
         gFitMode = !gFitMode;
         JoinFitModeChanged();
         UpdateViewMenu();
     }},
    {kCmdMidiSetup, JoinMidiSetup},
    {kCmdPreferences, JoinPreferences},
    {kCmdRefreshDevices, JoinRefreshDevices},
    {kCmdHelpContents, [] { JoinShowHelp(kHelpContextContents); }},
    {kCmdHelpMenus, [] { JoinShowHelp(40); }},
    {kCmdHelpWindow, [] { JoinShowHelp(41); }},
    {kCmdHelpKeyboard, [] { JoinShowHelp(42); }},
    {kCmdHelpOnHelp, [] { JoinShowHelp(kHelpContextHelpOnHelp); }},
    {kCmdAbout, JoinAbout},
};

}  // namespace

int RunCommand(WindowHandle, int id) {
    // A command while the mouse holds a spinner, a drag or a zone would change
    // the bank under it: it is dropped, as while a box is up.
    if (MouseOperationHeld()) return 0;
    for (const CommandEntry& entry : kCommandTable) {
        if (entry.id != id) continue;
        gLastCommand = id;
        ++gCommandsRun;
        // Whatever is typed into an in-place editor is taken first, before
        // the command changes the bank list or the bank under it. Undo and
        // Redo step through what was done: typing not yet taken is no step,
        // and is let go rather than made the step they would take back.
        if (id == kCmdUndo || id == kCmdRedo) {
            CloseInPlaceEditors();
        } else {
            CommitEdits();
        }
        entry.run();
        return 1;
    }
    return 0;
}

void CommitEdits() {
    // The in-place editors commit on Enter; whichever is open gets one.
    for (WindowHandle edit : {gEditValueWindow, gRenamerWindow}) {
        if (edit != nullptr) SendMessageA(static_cast<HWND>(edit), WM_KEYDOWN, VK_RETURN, 0);
    }
}

void UpdateTitle() {
    if (gMainWindow == nullptr) return;
    char title[128];
    FormatTitle(title, sizeof title, JoinDeviceName());
    SetWindowTextA(static_cast<HWND>(gMainWindow), title);
}

void RepaintMainWindow() {
    if (gMainWindow != nullptr) InvalidateRect(static_cast<HWND>(gMainWindow), nullptr, FALSE);
}
