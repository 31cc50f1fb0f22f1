// The command table: menu items, accelerators and toolbar buttons all end in
// RunCommand with a command id (the ids of the menu, resources/main_menu.inc).
#pragma once

#include "base/command_ids.h"
#include "base/messages.h"
#include "midi/transfer_engine.h"  // UpdateTransferMenu
#include "views/view_state.h"     // UpdateViewMenu

// Runs command `id` for `window` (the window whose menu, key or button sent
// it). Returns 1 when the table has the command, 0 otherwise.
int RunCommand(WindowHandle window, int id);

// The last command the table ran and how many it has run: how the GUI tests
// see that a key reached the command table.
extern int gLastCommand;
extern int gCommandsRun;

// Commits an open in-place value edit or rename (sends it the Enter key).
// Most commands run this first.
void CommitEdits();

// Sets the main window's title to "Ostrel - <device name>", or
// "Ostrel - (Untitled)" when no definition (or one without a name) is loaded.
void UpdateTitle();

// Repaints the whole main window (and its panes).
void RepaintMainWindow();

// The title text itself (portable, for the tests): writes into buffer.
void FormatTitle(char* buffer, int size, const char* deviceName);
