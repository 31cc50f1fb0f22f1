// The message loop with its accelerator rule, and the call-window hook.
#include "shell/message_loop_win32.h"

#include "base/app_state.h"
#include "views/edit_windows.h"
#include "views/gdi_resources_win32.h"
#include "views/input_script_win32.h"

HHOOK gCallWndHook = nullptr;

namespace {
int AsyncLeftButtonHeld() {
    if (gInputScript.active) return gInputScript.leftHeld;
    return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}
}  // namespace

int (*gLeftButtonHeld)() = AsyncLeftButtonHeld;

void ProcessLoopMessage(MSG* message) {
    // While an in-place edit is open, keys such as Ctrl+C, Ctrl+V, Ctrl+Z and
    // Delete must reach the edit control, not run commands.
    if (!InPlaceEditActive() && gMainWindow != nullptr && gAccelerators != nullptr &&
        TranslateAcceleratorA(static_cast<HWND>(gMainWindow), gAccelerators, message)) {
        return;
    }
    TranslateMessage(message);
    DispatchMessageA(message);
}

int RunMessageLoop() {
    MSG message = {};
    // GetMessage answers -1 on failure: that ends the loop too, rather than
    // spinning on an error for ever.
    while (GetMessageA(&message, nullptr, 0, 0) > 0) ProcessLoopMessage(&message);
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 0;
}

void HandleQueuedMessages() {
    MSG message = {};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) return;
        ProcessLoopMessage(&message);
    }
}

LRESULT CALLBACK CallWndHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && lParam != 0) {
        CWPSTRUCT* record = reinterpret_cast<CWPSTRUCT*>(lParam);
        if (record->message == WM_NCHITTEST) {
            LRESULT hit =
                DefWindowProcA(record->hwnd, WM_NCHITTEST, record->wParam, record->lParam);
            bool captionButton =
                hit == HTMINBUTTON || hit == HTMAXBUTTON || hit == HTCLOSE || hit == HTHELP;
            if (hit == HTNOWHERE || (captionButton && !gLeftButtonHeld())) {
                record->message = WM_NULL;
            }
        }
    }
    return CallNextHookEx(gCallWndHook, code, wParam, lParam);
}

void InstallCallWndHook() {
    if (gCallWndHook != nullptr) return;
    gCallWndHook =
        SetWindowsHookExA(WH_CALLWNDPROC, CallWndHookProc, nullptr, GetCurrentThreadId());
}

void RemoveCallWndHook() {
    if (gCallWndHook != nullptr) UnhookWindowsHookEx(gCallWndHook);
    gCallWndHook = nullptr;
}
