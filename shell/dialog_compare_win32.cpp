// "Compare With": the open banks of the current model, the presets of the
// chosen one, and whether the comparison follows the current preset
// (CompareDlgProc). What it offers and does is in dialog_compare.cpp.
#include <windows.h>

#include <cstdio>

#include "banks/bank_model.h"
#include "base/app_state.h"
#include "shell/dialog_compare.h"
#include "shell/dialog_ids.h"
#include "shell/dialog_win32.h"
#include "shell/dialogs.h"
#include "shell/help.h"
#include "views/devices_pane.h"

namespace {

// The banks listed, by list-box entry.
int gListedBanks[kMaxBanks];
int gListedCount = 0;

int PresetCount() {
    return gDevice.presetCount > 0 && gDevice.presetCount <= kMaxPresets ? gDevice.presetCount
                                                                         : kMaxPresets;
}

int ChosenBank(HWND dialog) {
    LRESULT entry = SendDlgItemMessageA(dialog, IDC_COMPARE_BANKS, LB_GETCURSEL, 0, 0);
    return entry >= 0 && entry < gListedCount ? gListedBanks[entry] : -1;
}

void FillPresets(HWND dialog, int bank, int preset) {
    HWND list = GetDlgItem(dialog, IDC_COMPARE_PRESETS);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    // No bank chosen lists nothing (BankDataAt(-1) would be the read scratch).
    const BankData* data = bank >= 0 ? BankDataAt(bank) : nullptr;
    if (!data) return;
    for (int p = 0; p < PresetCount(); ++p) {
        char row[kNameLen + 8];
        std::snprintf(row, sizeof row, "%d  %s", p + 1, data->presets[p].name);
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    }
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(preset), 0);
}

// Following, the preset list does not choose: the current preset's number does.
void ShowFollow(HWND dialog) {
    int follow = IsDlgButtonChecked(dialog, IDC_COMPARE_FOLLOW) == BST_CHECKED;
    EnableWindow(GetDlgItem(dialog, IDC_COMPARE_PRESETS), !follow);
}

void InitCompareDialog(HWND dialog) {
    CompareChoice choice = InitialCompareChoice();
    gListedCount = CompareDialogBanks(gListedBanks, kMaxBanks);
    HWND banks = GetDlgItem(dialog, IDC_COMPARE_BANKS);
    int chosenEntry = 0;
    for (int i = 0; i < gListedCount; ++i) {
        // Named as the bank list names them.
        SendMessageA(banks, LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(BankRowName(gListedBanks[i])));
        if (gListedBanks[i] == choice.bank) chosenEntry = i;
    }
    SendMessageA(banks, LB_SETCURSEL, static_cast<WPARAM>(chosenEntry), 0);
    FillPresets(dialog, ChosenBank(dialog), choice.preset);
    CheckDlgButton(dialog, IDC_COMPARE_FOLLOW, choice.follow ? BST_CHECKED : BST_UNCHECKED);
    ShowFollow(dialog);
}

void OnCompareOk(HWND dialog) {
    CompareChoice choice;
    choice.bank = ChosenBank(dialog);
    LRESULT preset = SendDlgItemMessageA(dialog, IDC_COMPARE_PRESETS, LB_GETCURSEL, 0, 0);
    choice.preset = preset >= 0 ? static_cast<int>(preset) : 0;
    choice.follow = IsDlgButtonChecked(dialog, IDC_COMPARE_FOLLOW) == BST_CHECKED;
    if (choice.bank < 0) {
        EndDialog(dialog, 0);
        return;
    }
    ApplyCompareChoice(choice);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK CompareDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            InitCompareDialog(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_COMPARE_BANKS:
                    if (HIWORD(wParam) == LBN_SELCHANGE) {
                        FillPresets(dialog, ChosenBank(dialog), gBanks.currentPreset);
                    }
                    return TRUE;
                case IDC_COMPARE_PRESETS:
                    if (HIWORD(wParam) == LBN_DBLCLK) OnCompareOk(dialog);
                    return TRUE;
                case IDC_COMPARE_FOLLOW:
                    ShowFollow(dialog);
                    return TRUE;
                case IDOK:
                    OnCompareOk(dialog);
                    return TRUE;
                case IDCANCEL:  // also Escape and Alt+F4
                    EndDialog(dialog, 0);
                    return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

const DialogDescriptor kCompareDialog = {kHelpCompareWith, "COMPARE_DLG", CompareDlgProc, 1};

}  // namespace

int ShowCompareDialog() {
    return RunDialog(&kCompareDialog, static_cast<HWND>(gMainWindow)) == 1 ? 1 : 0;
}
