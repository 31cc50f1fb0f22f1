// The save dialog of File > Export Preset Sheet...: the platform seam between
// the portable command (shell/preset_sheet_export.h) and the system's common
// dialog. Implemented by shell/sheet_dialog_win32.cpp (GetSaveFileName) and by
// the scripted file dialogs of headless/ (which record it as "Export Preset
// Sheet").
//
//   title "Export Preset Sheet", one filter "PNG Picture" *.png, default
//   extension "png"; it asks no replace question (the command asks its own).
#pragma once

#include <cstddef>

// Shows the dialog in initialDir with path as the proposed file. Returns 1
// with the chosen file in path (size bytes), 0 when cancelled.
int ShowExportSheetDialog(char* path, size_t size, const char* initialDir);
