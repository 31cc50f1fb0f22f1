// The main menu ("MAIN_MENU") by command id: the functions other subsystems
// use to enable, check and re-label its items (undo/redo texts, Paste, the
// transfer items, the View check marks).
//
// Implemented on the loaded menu by shell/menu_win32.cpp, and on a copy of the
// menu table (shell/menu_table.h) by headless/menu_headless.cpp, so the native
// tests can read back what the menu would show.
#pragma once

// Enables (1) or greys (0) the item with command `id`.
void EnableMenuCommand(int id, int enable);

// Sets (1) or clears (0) the item's check mark.
void CheckMenuCommand(int id, int check);

// Radio-checks `id` among the items first..last (the others lose their mark).
void RadioCheckMenuCommand(int first, int last, int id);

// The item's whole text as stored ("&Undo\tCtrl+Z") into the buffer (at most
// size - 1 characters). Returns its length, 0 when there is no such item (the
// buffer then holds "").
int GetMenuCommandText(int id, char* buffer, int size);

// Replaces the item's text.
void SetMenuCommandText(int id, const char* text);

// The item's state: 1 when enabled / checked, 0 otherwise (also when there is
// no such item).
int IsMenuCommandEnabled(int id);
int IsMenuCommandChecked(int id);
