// F1 on a highlighted menu item: help on that item instead of running it.
#pragma once

#include <windows.h>

// WM_ENTERIDLE of the main window: while a menu is open and F1 is held, note
// a help request and post Enter so the highlighted item sends its command.
void OnMenuIdle(HWND window, WPARAM source);

// Called with every command id before the command table: when a help
// request is pending and the id is nonzero, shows that item's help (if it has
// any), ends the request and returns 1 (the command does not run).
int TakeMenuHelpRequest(int id);

// 1 while a help request is pending.
extern int gMenuHelpPending;
