// The main menu's transfer items, and the toolbar buttons drawn by the same
// rules, follow the transfer engine's enable rules.
#include "base/command_ids.h"
#include "base/menu.h"
#include "base/shell_hooks.h"
#include "midi/transfer_engine.h"

void UpdateTransferMenu() {
    EnableMenuCommand(kCmdUpload, CanSendChangesNow() ? 1 : 0);
    EnableMenuCommand(kCmdSendToDevice, CanSendCurrentBank() ? 1 : 0);
    EnableMenuCommand(kCmdDownload, CanDownloadFromDevice() ? 1 : 0);
    if (gShellHooks.transferRulesApplied) gShellHooks.transferRulesApplied();
}
