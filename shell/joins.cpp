// The bodies of the shell's joins (joins.h), and the hook table the shell
// fills for the layers below it.
#include "shell/joins.h"

#include <cstring>

#include "base/shell_hooks.h"

#include "banks/bank_commands.h"
#include "banks/bank_model.h"
#include "banks/bank_recovery.h"
#include "base/app_state.h"
#include "base/memory.h"
#include "base/messages.h"
#include "base/working_blocks.h"
#include "devices/device_definition.h"
#include "banks/device_load.h"
#include "views/editor_pane.h"
#include "views/in_place_edit.h"
#include "views/keyboard_pane.h"
#include "views/value_spinner.h"
#include "views/device_view_steps.h"
#include "banks/discovery.h"
#include "devices/library_list.h"
#include "views/clipboard.h"
#include "banks/undo_history.h"
#include "banks/packed_image.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"
#include "shell/commands.h"
#include "shell/compare_commands.h"
#include "shell/dialogs.h"
#include "shell/help.h"
#include "shell/send_question.h"
#include "shell/settings.h"
#include "shell/syx_commands.h"
#include "views/bank_selection.h"
#include "views/comparison.h"
#include "views/device_view.h"
#include "views/pane_layout.h"
#include "views/panel.h"
#include "views/panel_mouse.h"
#include "views/tooltip.h"
#include "views/view_platform.h"

// --- Start-up and shutdown ----------------------------------------------------

void JoinFindPanelRecords() {
    ResetPanels(nullptr, nullptr, nullptr);
}
void JoinClearPackedStore() {
    std::memset(&gPackedStore, 0, sizeof gPackedStore);
}
void JoinProgramFolderKnown() {
    DiscoverySetProgramFolder(gProgramDir ? gProgramDir : "");
}
void JoinLayoutPanes() {
    LayoutPanes(static_cast<PaneWindow>(gMainWindow), static_cast<PaneWindow>(gLibraryWindow),
                static_cast<PaneWindow>(gEditorWindow));
}
void JoinInitTooltip() {
    ResetTooltip();
}
void JoinClearClipboard() {
    ClearClipboard();
}
void JoinInitUndoHistory() {
    InitUndoHistory();
}
void JoinInitBankList() {
    ResetBankList();
    gImportSyxFile = ImportSyxFile;
    // No definition is loaded before the first bank is shown (a start-up in
    // a process that ran the program before begins clean as well).
    DeviceDefinitionReset(&gDevice);
}
void JoinClearLibraries() {
    LibraryListClear(&gLibraryList);
}
void JoinStartMidi() {
    // The transfer state starts clean (it is static, so only a second start
    // in one process, as in the GUI tests, could find it used).
    ResetTransferState();
    StartMidi();
}
int JoinLoadSettings() {
    return LoadSettings();
}
void JoinScanBanks() {
    ScanUserAndRomBanks(0);
}
void JoinClearBankChanges() {
    ClearAllChanges();
}
void JoinScanLibraries() {
    ScanLibraries();
}
void JoinOfferRecoveryCopies() {
    if (OfferRecoveryCopies() > 0) ShowBank(gBanks.current);
}
void JoinStopMidi() {
    StopMidi();
}

void JoinDestroyPaneScrollBars() {
    for (int i = 0; i < kPaneCount; ++i) DestroyPaneScrollBars(PaneAt(i));
}
void JoinFreeTooltip() {
    ResetTooltip();
}
void JoinFreeGraphicViewImages() {
    ReleaseDevicePictures();
}
void JoinFreeLibraries() {
    LibraryListClear(&gLibraryList);
}
void JoinFreeBanks() {
    ResetBankList();
}
void JoinClearUndoHistory() {
    ClearUndoHistory();
}
void JoinReleaseDialogs() {
    ReleaseDialogResources();
}

// --- Commands -----------------------------------------------------------------

static void ShowBankAfter(int32_t shownBefore);

void JoinNewUserBank() {
    const int32_t shown = BankSerial(gBanks.current);
    NewUserBankCommand();
    ShowBankAfter(shown);
}
void JoinLoadBank() {
    const int32_t shown = BankSerial(gBanks.current);
    LoadBankCommand();
    ShowBankAfter(shown);
}
void JoinOpenNamedFile(const char* path) {
    const int32_t shown = BankSerial(gBanks.current);
    OpenNamedFile(path);
    ShowBankAfter(shown);
}
void JoinSaveBank() {
    // A first save names the bank after its file.
    if (SaveBankCommand(gBanks.current)) ShowBank(gBanks.current);
    // The lists draw changed banks and presets in bold: saved, they are not.
    RepaintMainWindow();
}
void JoinSaveBankAs() {
    SaveBankAs(gBanks.current);
    ShowBank(gBanks.current);
}
void JoinReloadBank() {
    ReloadBank(gBanks.current);
    ShowBank(gBanks.current);
}
void JoinDeleteUserBank() {
    const int32_t shown = BankSerial(gBanks.current);
    DeleteUserBank(gBanks.current);
    ShowBankAfter(shown);
}
void JoinSendChanges() {
    SendChanges();
}
void JoinDownloadFromDevice() {
    DownloadFromDevice();
}
void JoinSendCurrentBank() {
    if (!CanSendCurrentBank() || !ConfirmWholeBankSend(gBanks.current)) return;
    SendCurrentBank();
}
int JoinConfirmChangedBanks() {
    if (ConfirmChangedBanks()) return 1;
    // The program stays: the banks saved before the stop lose their bold.
    ShowBank(gBanks.current);
    return 0;
}
void JoinSaveSettings() {
    SaveSettings();
}
void JoinCloseHelp() {}  // the help opens in the browser: nothing to close
// Undo and Redo keep the user's place in the bank they act on; a step that
// takes the shown bank away or brings another back shows that one afresh.
void JoinUndo() {
    const int32_t shown = BankSerial(gBanks.current);
    Undo();
    ShowBankAfter(shown);
}
void JoinRedo() {
    const int32_t shown = BankSerial(gBanks.current);
    Redo();
    ShowBankAfter(shown);
}
void JoinCopy() {
    CopySelection();
}
void JoinPaste() {
    PasteClipboard();
}
void JoinSelectAllControls() {
    SelectAllControls();
}
void JoinDescribeClipboard() {
    DescribeClipboard();
}
void JoinViewModeChanged() {
    DeviceViewModeChanged();
}
void JoinShowCcChanged() {
    DeviceViewShowCcChanged();
}
void JoinToggleRomBanks() {
    const int32_t shown = BankSerial(gBanks.current);
    gShowAllRomBanks = !gShowAllRomBanks;
    if (gShowAllRomBanks) {
        ShowRomBanks();
    } else {
        HideRomBanks();
    }
    ShowBankAfter(shown);  // bank 0 is the current one now
}
// A choice of the Preferences dialog that a transfer held up: -1 none.
static int gRomBanksChosen = -1;

// Made as command 26 is: not while a box, a transfer or a held spinner, drag
// or zone holds the bank list, and after what an in-place editor holds.
static void MakeRomBanksChoice() {
    if (gRomBanksChosen < 0 || TransferBusy() || gModalBoxUp || MouseOperationHeld()) return;
    const bool showAll = gRomBanksChosen != 0;
    gRomBanksChosen = -1;
    if (showAll == (gShowAllRomBanks != 0)) return;
    CommitEdits();
    JoinToggleRomBanks();
    UpdateViewMenu();
}

void JoinChooseRomBanksShown(int showAll) {
    gRomBanksChosen = showAll ? 1 : 0;
    MakeRomBanksChoice();
}
void JoinFitModeChanged() {
    DeviceViewFitModeChanged();
}
void JoinMidiSetup() {
    // The ports chosen may have found a device (its bank becomes current) or
    // lost one (its bank goes).
    const int32_t shown = BankSerial(gBanks.current);
    ShowMidiSetupDialog();
    ShowBankAfter(shown);
}
void JoinPreferences() {
    ShowPreferencesDialog();
}
void JoinRefreshDevices() {
    // What a device bank holds unsent is asked about before its device is
    // asked again; a failed send or Cancel leaves everything as it was. A
    // device that no longer answers takes its bank, and the one that takes
    // its place is shown from the top.
    // While an exchange runs or a dump is awaited, the refresh is refused (and
    // says why) before anything is asked.
    const int32_t shown = BankSerial(gBanks.current);
    if (!CanStartSending() || ConfirmDeviceBanksBeforeRefresh()) RefreshDevices();
    ShowBankAfter(shown);
}
void JoinShowHelp(int context) {
    if (context == kHelpContextContents) {
        ShowHelpContents();
    } else if (context == kHelpContextHelpOnHelp) {
        ShowHelpContext(kHelpHowToUseHelp);
    } else {
        ShowHelpContext(context);
    }
}
void JoinAbout() {
    ShowAboutDialog();
}
void JoinTransferTimer() {
    OnTransferTimer();
    MakeRomBanksChoice();
}
void JoinTooltipTick() {
    TooltipTick();
}
void JoinHideTooltip() {
    TooltipHide();
}

// --- Transfer state and rules ---------------------------------------------------

int JoinTransferBusy() {
    return TransferBusy() ? 1 : 0;
}
int JoinCanSendChanges() {
    return CanSendChangesNow() ? 1 : 0;
}
int JoinCanDownload() {
    return CanDownloadFromDevice() ? 1 : 0;
}
int JoinCanSendBank() {
    return CanSendCurrentBank() ? 1 : 0;
}

const char* JoinDeviceName() {
    return gDevice.name;
}

static void ShowBankKeepingPlace(int index, bool otherBank) {
    // The views take their part (selections, scroll bars, the zone tab, the
    // library follow) in BankShownInViews.
    if (index >= 0 && index < gBanks.count) {
        gBanks.current = index;
        // A model loaded on the way starts its selections at preset 0; the
        // current preset stays where the new model has room for it.
        const int preset = gBanks.currentPreset;
        SelectBank(index);
        gBanks.currentPreset = preset;
        BankShownInViews(index, otherBank);
    }
    // A closed bank's comparison ends before anything could reuse its memory.
    ForgetClosedComparison();
    UpdateCompareMenu();
    UpdateTitle();
    // Undo and Redo name the bank as it is called now (a save or a renaming
    // may have named it anew).
    UpdateUndoMenu(kUndoCommandId);
    UpdateUndoMenu(kRedoCommandId);
    UpdateTransferMenu();
    RepaintMainWindow();
}

void ShowBank(int index) {
    ShowBankKeepingPlace(index, false);
}

void ShowOtherBank(int index) {
    ShowBankKeepingPlace(index, true);
}

// After a command that may have made another bank current (a new or loaded
// bank, the neighbour of a deleted one, a step undone): `shownBefore` is the
// serial of the bank that was current. Banks are told apart by serial, not by
// their data, whose storage a removed bank may hand on to a new one.
static void ShowBankAfter(int32_t shownBefore) {
    if (BankSerial(gBanks.current) != shownBefore) {
        ShowOtherBank(gBanks.current);
    } else {
        ShowBank(gBanks.current);
    }
}

// --- The calls of the layers below into the shell -------------------------------

// A download filled bank `index`: what the user was typing or stepping in it
// belonged to what it held before.
static void BankContentsReplaced(int index) {
    CloseEditorsOfReplacedBank(index);
    EndValueSpinnerOnBank(index);
    ZoneDragAfterBankReplaced(index);
}

static void RedrawAfterDeviceChange() {
    UpdateTitle();
    RepaintMainWindow();
}

void InstallShellHooks() {
    gShellHooks.releaseDevicePictures = ReleaseDevicePictures;
    gShellHooks.buildDevicePictures = BuildDevicePictures;
    gShellHooks.layoutDeviceViews = LayoutDeviceViews;
    gShellHooks.redrawAfterDeviceChange = RedrawAfterDeviceChange;
    gShellHooks.showBank = ShowBank;
    gShellHooks.showOtherBank = ShowOtherBank;
    gShellHooks.deviceBankChanged = PublishTransferLayout;
    gShellHooks.confirmWholeBankSend = ConfirmWholeBankSend;
    gShellHooks.transferRulesApplied = RefreshTransferButtons;
    gShellHooks.bankContentsReplaced = BankContentsReplaced;
}
