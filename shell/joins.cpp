// The bodies of the shell's joins (joins.h). An empty body marks a join whose
// subsystem is not built yet: the comment names the operation it will call.
#include "shell/joins.h"

void JoinFindPanelRecords() {}
void JoinClearPackedStore() {}
void JoinLayoutPanes() {}
void JoinInitTooltip() {}
void JoinClearClipboard() {}
void JoinInitUndoHistory() {}
void JoinInitBankList() {}
void JoinClearLibraries() {}
void JoinStartMidi() {}
int JoinLoadSettings() { return 0; }
void JoinScanBanks() {}
void JoinClearBankChanges() {}
void JoinScanLibraries() {}
void JoinStopMidi() {}
void JoinDestroyPaneScrollBars() {}
void JoinFreeTooltip() {}
void JoinFreeGraphicViewImages() {}
void JoinFreeLibraries() {}
void JoinFreeBanks() {}
void JoinClearUndoHistory() {}
void JoinNewUserBank() {}
void JoinLoadBank() {}
void JoinSaveBank() {}
void JoinSaveBankAs() {}
void JoinReloadBank() {}
void JoinDeleteUserBank() {}
void JoinSendChanges() {}
void JoinDownloadFromDevice() {}
void JoinSendCurrentBank() {}
void JoinConfirmChangedBanks() {}
void JoinSaveSettings() {}
void JoinCloseHelp() {}
void JoinUndo() {}
void JoinRedo() {}
void JoinCopy() {}
void JoinPaste() {}
void JoinSelectAllControls() {}
void JoinDescribeClipboard() {}
void JoinViewModeChanged() {}
void JoinShowCcChanged() {}
void JoinToggleRomBanks() {}
void JoinFitModeChanged() {}
void JoinMidiSetup() {}
void JoinRefreshDevices() {}
void JoinShowHelp(int) {}
void JoinAbout() {}
void JoinTransferTimer() {}
void JoinTooltipTick() {}
int JoinTransferBusy() { return 0; }
int JoinCanSendChanges() { return 0; }
int JoinCanDownload() { return 0; }
int JoinCanSendBank() { return 0; }
const char* JoinDeviceName() { return ""; }
