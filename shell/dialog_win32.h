// EDialog: the one dialog procedure every dialog of the program runs under. It
// gives each dialog the program's textured look (owner-drawn push buttons with
// bevels, textured backgrounds), centres it on the main window and answers F1
// with the dialog's help page; everything else goes to the dialog's own
// procedure.
#pragma once

#include <windows.h>

#include <cstdint>

// One per dialog, static.
struct DialogDescriptor {
    uint32_t helpContext;      // help page of F1 (shell/help.h)
    const char* templateName;  // resource name of the template
    DLGPROC ownProc;           // the dialog's own procedure
    uint32_t textured;         // 1: owner-drawn buttons and texture brushes
};

class EDialog {
  public:
    // The procedure DialogBoxParam runs: the descriptor comes as the creation
    // parameter and is kept in the dialog's user data.
    static INT_PTR CALLBACK CommonDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
};

// Runs the dialog modally, owned by `owner`, with the modal-box flag set while it
// is up (the main window drops commands and mouse input meanwhile). Returns the
// dialog's result, or -1 when it could not be created.
INT_PTR RunDialog(const DialogDescriptor* descriptor, HWND owner);

// Shows a message box from inside a dialog without clearing the modal-box flag
// that the dialog itself holds.
int DialogMessageBoxById(HWND dialog, unsigned type, int id);

// The dialogs' two texture brushes ("TEX_ALLIGHT" backgrounds, "TEX_ALDARK"
// buttons and scroll bars), made on first use; released at shutdown.
HBRUSH DialogLightBrush();
HBRUSH DialogDarkBrush();
void ReleaseDialogBrushes();
