// The About box (AboutDlgProc): name, version and credits.
#include <windows.h>

#include "base/app_state.h"
#include "ostrel_version.h"
#include "shell/dialog_ids.h"
#include "shell/dialog_win32.h"
#include "shell/dialogs.h"
#include "shell/help.h"

namespace {

// Maker, program and version: "Lumetra Ostrel v1.2".
constexpr char kAboutTitle[] = OSTREL_COMPANY " " OSTREL_PRODUCT " v" OSTREL_VERSION;

INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetDlgItemTextA(dialog, IDC_ABOUT_TITLE, kAboutTitle);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 1);
            return TRUE;
        default:
            return FALSE;
    }
}

const DialogDescriptor kAboutDialog = {kHelpAbout, "ABOUT_DLG", AboutDlgProc, 1};

}  // namespace

int ShowAboutDialog() {
    return RunDialog(&kAboutDialog, static_cast<HWND>(gMainWindow)) == 1 ? 1 : 0;
}
