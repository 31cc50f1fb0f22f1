// The question before a whole-bank send: Yes, No, and "Don't ask again".
#include <windows.h>

#include "base/app_state.h"
#include "shell/dialog_ids.h"
#include "shell/dialog_win32.h"
#include "shell/dialogs.h"
#include "shell/help.h"

namespace {

// The help page of Send to Device.
constexpr uint32_t kHelpSendToDevice = 309;

// The question shown and the box's state when the dialog ends; one dialog at
// a time, on the user-interface thread.
const char* gQuestion = "";
int gDontAskAgain = 0;

INT_PTR CALLBACK SendBankDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            SetDlgItemTextA(dialog, IDC_SEND_QUESTION, gQuestion);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDYES:
                case IDNO:
                    gDontAskAgain = IsDlgButtonChecked(dialog, IDC_SEND_DONT_ASK) == BST_CHECKED;
                    EndDialog(dialog, LOWORD(wParam));
                    return TRUE;
                case IDCANCEL:  // the close box and Escape: No, and ask again next time
                    gDontAskAgain = 0;
                    EndDialog(dialog, IDNO);
                    return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

const DialogDescriptor kSendBankDialog = {kHelpSendToDevice, "SEND_BANK_DLG", SendBankDlgProc, 1};

}  // namespace

int AskSendWholeBank(const char* question, int* dontAskAgain) {
    gQuestion = question != nullptr ? question : "";
    gDontAskAgain = 0;
    INT_PTR answer = RunDialog(&kSendBankDialog, static_cast<HWND>(gMainWindow));
    *dontAskAgain = gDontAskAgain;
    return answer == IDYES ? 1 : 0;
}
