// F1 on a highlighted menu item: help on that item instead of running it.
#pragma once

#include <windows.h>

// WM_ENTERIDLE of the main window: while a menu is open and F1 is held, note
// a help request and post Enter so the highlighted item sends its command.
void OnMenuIdle(HWND window, WPARAM source);

// Called with every menu command id before the command table: when a help
// request is pending and the id is nonzero, shows that item's help (if it has
// any), ends the request and returns 1 (the command does not run).
int TakeMenuHelpRequest(int id);

// WM_EXITMENULOOP: Enter on a greyed item sends no command, so a pending
// request would take the next command the user gives (Ctrl+S would open the
// help instead of saving). The menu posts the command of a chosen item
// before the loop ends; a message posted now comes after it and ends a
// request that is still pending.
void MenuLoopEnded(HWND window);
// The message MenuLoopEnded posts, and what the window does with it.
constexpr UINT kMsgMenuHelpExpired = WM_APP + 1;
void EndMenuHelpRequest();

// 1 while a help request is pending.
extern int gMenuHelpPending;
