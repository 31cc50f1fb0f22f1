// "Preferences": undo levels, names from the device, ROM banks of all models.
#include <windows.h>

#include "base/app_state.h"
#include "base/preferences.h"
#include "shell/dialog_ids.h"
#include "shell/dialog_preferences.h"
#include "shell/dialog_win32.h"
#include "shell/dialogs.h"
#include "shell/help.h"
#include "shell/joins.h"

namespace {

constexpr int kUndoLevelsTextLimit = 6;

// Set by OK: the ROM banks preference changed, so the bank list is rebuilt
// once the dialog is gone.
int gRomBanksToggleDue = 0;

void InitPreferencesDialog(HWND dialog) {
    PreferencesChoice c = CurrentPreferencesChoice();
    SendDlgItemMessageA(dialog, IDC_PREF_UNDO_LEVELS, EM_LIMITTEXT, kUndoLevelsTextLimit, 0);
    SetDlgItemInt(dialog, IDC_PREF_UNDO_LEVELS, static_cast<UINT>(c.undoLevels), FALSE);
    CheckDlgButton(dialog, IDC_PREF_INIT_NAMES,
                   c.initialisePresetNames ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_PREF_ALL_ROM, c.showAllRomBanks ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_PREF_ASK_SEND, c.askBeforeBankSend ? BST_CHECKED : BST_UNCHECKED);
}

void OnPreferencesOk(HWND dialog) {
    PreferencesChoice c = CurrentPreferencesChoice();
    char text[kUndoLevelsTextLimit + 8] = "";
    GetDlgItemTextA(dialog, IDC_PREF_UNDO_LEVELS, text, sizeof text);
    c.undoLevels = ParseUndoLevels(text, c.undoLevels);
    c.initialisePresetNames = IsDlgButtonChecked(dialog, IDC_PREF_INIT_NAMES) == BST_CHECKED;
    c.showAllRomBanks = IsDlgButtonChecked(dialog, IDC_PREF_ALL_ROM) == BST_CHECKED;
    c.askBeforeBankSend = IsDlgButtonChecked(dialog, IDC_PREF_ASK_SEND) == BST_CHECKED;
    gRomBanksToggleDue = ApplyPreferencesChoice(c);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK PreferencesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            InitPreferencesDialog(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    OnPreferencesOk(dialog);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

const DialogDescriptor kPreferencesDialog = {kHelpPreferences, "PREFERENCES_DLG",
                                             PreferencesDlgProc, 1};

}  // namespace

int ShowPreferencesDialog() {
    gRomBanksToggleDue = 0;
    HWND main = static_cast<HWND>(gMainWindow);
    int ok = RunDialog(&kPreferencesDialog, main) == 1;
    // Not through command 26: a dump the device began while the dialog was
    // up drops commands, and would drop this choice with them.
    if (ok && gRomBanksToggleDue) JoinChooseRomBanksShown(gShowAllRomBanks ? 0 : 1);
    gRomBanksToggleDue = 0;
    return ok ? 1 : 0;
}
