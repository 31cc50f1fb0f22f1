// The save dialog of File > Export as SysEx...: the platform seam between the
// portable command (shell/syx_commands.h) and the system's common dialog.
// Implemented by shell/syx_dialog_win32.cpp (GetSaveFileName) and by the
// scripted file dialogs of headless/ (which record it as "Export as SysEx").
//
//   title "Export as SysEx", one filter "SysEx File (*.syx)" *.syx, default
//   extension "syx"; it asks no replace question (the command asks its own).
#pragma once

#include <cstddef>

// Shows the dialog in initialDir with path as the proposed file. Returns 1
// with the chosen file in path (size bytes), 0 when cancelled.
int ShowExportSyxDialog(char* path, size_t size, const char* initialDir);
