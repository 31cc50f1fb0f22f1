// The open and save dialogs of the bank commands: the platform seam between
// the portable commands and the system's common dialogs. Implemented by
// banks/file_dialogs_win32.cpp (GetOpenFileName / GetSaveFileName) and by a
// scripted double in headless/file_dialogs_headless.cpp.
//
//   dialog  title        filters                                          default ext
//   load    "Load File"  "XML Editor File" *.xml; "SysEx Librarian File" *.SXL;  "SXL"
//                        "SysEx File (*.syx)" *.syx (string 103)
//   save    "Save File"  "XML Editor File" *.xml                               "xml"
//
// Both hide the read-only box; the load dialog wants an existing file and
// folder; the save dialog asks no overwrite question (the command asks its own).
#pragma once

#include <cstddef>

constexpr int kFilterBankFile = 1;  // "XML Editor File"
constexpr int kFilterSxlFile = 2;   // "SysEx Librarian File"
constexpr int kFilterSyxFile = 3;   // "SysEx File (*.syx)"

struct FileDialogResult {
    int filter;  // the chosen filter, 1-based
    int exists;  // 1 when the chosen file exists already
};

// Shows the load dialog starting in initialDir with path as the proposed file.
// Returns 1 and the chosen path (in path, size bytes) when the user chose a
// file, 0 when cancelled.
int ShowLoadFileDialog(char* path, size_t size, const char* initialDir, FileDialogResult* result);
// The same for the save dialog.
int ShowSaveFileDialog(char* path, size_t size, const char* initialDir, FileDialogResult* result);

// After either dialog the chosen name's extension (everything after the last
// "." of its file name; appended when there is none) becomes the filter's:
// "xml" for the first filter, "sxl" for the second, "syx" for the third. Returns 0 when the result
// would not fit (path unchanged).
int ReplaceExtensionForFilter(char* path, size_t size, int filter);

// The load dialog's filter for the chosen name: the one its own extension
// names ("xml", "sxl" or "syx", without regard to case), else the filter the
// dialog showed. A name typed with the extension of another filter than the
// one shown (the dialog lists only the shown filter's files) then opens that
// very file, not a file of the same name with the shown filter's extension.
int LoadFilterForName(const char* path, int shownFilter);
