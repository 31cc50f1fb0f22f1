// The devices list's mouse: choosing a bank, making a device bank the active
// one with a press on its icon, renaming, and dropping banks and presets.
#include "views/devices_pane.h"

#include "banks/bank_model.h"
#include "views/drag.h"
#include "views/drops.h"
#include "views/in_place_edit.h"
#include "base/shell_hooks.h"
#include "views/bank_selection.h"
#include "views/list_rows.h"
#include "views/pane_keys.h"
#include "views/presets_pane.h"
#include "views/view_platform.h"

DevicesPane gDevicesPane;

int BankRowIcon(int bank) {
    const BankEntry* entry = BankAt(bank);
    if (!entry) return 2;
    switch (entry->kind) {
        case BankKind::Device:
            return bank == gBanks.deviceBank ? 1 : 0;
        case BankKind::Rom:
            return 3;
        default:
            return 2;
    }
}

const char* BankRowName(int bank) {
    const BankEntry* entry = BankAt(bank);
    if (!entry) return "";
    return entry->displayName[0] ? entry->displayName : BankTitle(bank);
}

void RenameCurrentBank() {
    int bank = gBanks.current;
    BankEntry* entry = BankAt(bank);
    if (!entry || entry->kind != BankKind::User) return;
    ScrollListToRow(gDevicesPane, bank, gBanks.count);
    BeginRename(&gDevicesPane, bank, gDevicesPane.window, entry, bank, 0, 0, nullptr, nullptr);
}

static void OnBankPress(DevicesPane& pane, int x, int bank) {
    if (x - pane.rect.x > kBankIconHit) {
        // A press selects the bank afresh, the current one too: the preset
        // selection becomes the current preset alone, control 0 is current.
        gShellHooks.showOtherBank(bank);
        ArmDrag(&pane, bank, gBanks.currentPreset, 0, 0, 1);
        return;
    }
    // The icon: only a device bank that is not yet the active one reacts.
    const BankEntry* entry = BankAt(bank);
    if (entry->kind != BankKind::Device || bank == gBanks.deviceBank) return;
    SetDeviceBank(bank);
    gBanks.currentPreset = 0;
    gShellHooks.showOtherBank(bank);
}

static void OnBankRelease(DevicesPane& pane, int bank) {
    if (!gDrag.dragging) return;
    Pane* source = gDrag.sourcePane;
    EndDrag();
    if (bank >= gBanks.count) return;
    if (source == &pane) {
        DropBankOnBank(bank);
    } else if (source == &gPresetsPane) {
        DropPresetsOnBank(bank);
    }
}

int DevicesPane::Mouse(PaneWindow, int x, int y, int message, int keyFlags) {
    int row = ListRowAt(*this, x, y);
    if (row < 0) return kMouseNotHandled;
    bool onBank = row < gBanks.count;
    switch (message) {
        case kLeftDown:
            SetFocusPane(this, keyFlags);
            CommitInPlaceEditors();
            if (onBank) OnBankPress(*this, x, row);
            return kMouseHandled;
        case kLeftUp:
            OnBankRelease(*this, row);
            return kMouseHandled;
        case kMouseMove:
            // Dragging presets or controls over a bank shows that bank, so
            // that they can be dropped into it.
            if (gDrag.dragging && gDrag.sourcePane != this && onBank && row != gBanks.current) {
                gShellHooks.showOtherBank(row);
            }
            return kMouseHandled;
        case kLeftDoubleClick:
            if (onBank && row == gBanks.current) RenameCurrentBank();
            return kMouseHandled;
        default:
            return kMouseNotHandled;
    }
}
