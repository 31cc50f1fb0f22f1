// The message loop and the call-window hook. Windows build only.
#pragma once

#include <windows.h>

// One message of the loop: offered to the accelerator table of the main
// window unless an in-place edit control is active, else translated and
// dispatched. The GUI tests pump messages through this.
void ProcessLoopMessage(MSG* message);

// Runs the loop until the quit message; returns its exit code.
int RunMessageLoop();
// Handles what is queued now, the first paint included, and returns when the
// queue is empty (or at a quit message, which it leaves handled).
void HandleQueuedMessages();

// The WH_CALLWNDPROC hook on the program's own thread: a WM_NCHITTEST whose
// default result is nowhere, or a caption button (minimise, maximise, close,
// help) while the left button is up, is turned into WM_NULL in the hook's
// record. Everything else passes untouched.
void InstallCallWndHook();
void RemoveCallWndHook();
LRESULT CALLBACK CallWndHookProc(int code, WPARAM wParam, LPARAM lParam);
extern HHOOK gCallWndHook;

// Whether the left mouse button is held (asynchronous state). A pointer so
// the GUI tests can hold the button without a real mouse.
extern int (*gLeftButtonHeld)();
