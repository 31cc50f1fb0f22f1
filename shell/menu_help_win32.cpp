// Menu help with F1 (menu_help_win32.h).
#include "shell/menu_help_win32.h"
#include "shell/commands.h"
#include "shell/help.h"
#include "shell/joins.h"

int gMenuHelpPending = 0;

void OnMenuIdle(HWND window, WPARAM source) {
    if (source != MSGF_MENU || gMenuHelpPending) return;
    if (GetKeyState(VK_F1) >= 0) return;
    gMenuHelpPending = 1;
    PostMessageA(window, WM_KEYDOWN, VK_RETURN, 0);
    JoinHideTooltip();
}

int TakeMenuHelpRequest(int id) {
    if (!gMenuHelpPending || id == 0) return 0;
    CommitEdits();
    int context = MenuHelpContext(id);
    if (context >= 0) ShowHelpContext(context);
    // An item without help of its own ends the request too, so the next
    // command the user chooses runs normally.
    gMenuHelpPending = 0;
    return 1;
}

void MenuLoopEnded(HWND window) {
    if (gMenuHelpPending) PostMessageA(window, kMsgMenuHelpExpired, 0, 0);
}

void EndMenuHelpRequest() {
    gMenuHelpPending = 0;
}
