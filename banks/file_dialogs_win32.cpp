// The load and save dialogs on the system's common dialogs.
#include <windows.h>
// windows.h first: commdlg.h needs its types.
#include <commdlg.h>

#include "banks/bank_model.h"
#include "banks/file_dialogs.h"
#include "base/app_state.h"
#include "base/messages.h"

// Filter pairs (name, pattern), each NUL-terminated, the list ending in a
// second NUL.
static const char kLoadFilters[] = "XML Editor File\0*.xml\0SysEx Librarian File\0*.SXL\0";
static const char kSaveFilters[] = "XML Editor File\0*.xml\0";

static bool PathExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

static int RunDialog(bool save, char* path, size_t size, const char* initialDir,
                     FileDialogResult* result) {
    char file[MAX_PATH];
    CopyText(file, sizeof file, path ? path : "");
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = static_cast<HWND>(gMainWindow);
    ofn.lpstrFilter = save ? kSaveFilters : kLoadFilters;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = initialDir && initialDir[0] ? initialDir : nullptr;
    ofn.lpstrTitle = save ? "Save File" : "Load File";
    ofn.lpstrDefExt = save ? "xml" : "SXL";
    // The commands ask their own replace question.
    ofn.Flags =
        OFN_HIDEREADONLY | OFN_NOCHANGEDIR | (save ? 0 : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);
    gModalBoxUp = 1;
    BOOL chosen = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    gModalBoxUp = 0;
    if (!chosen) return 0;
    int filter = ofn.nFilterIndex == 2 && !save ? kFilterSxlFile : kFilterBankFile;
    if (!ReplaceExtensionForFilter(file, sizeof file, filter)) return 0;
    CopyText(path, size, file);
    if (result) {
        result->filter = filter;
        result->exists = PathExists(file);
    }
    return 1;
}

int ShowLoadFileDialog(char* path, size_t size, const char* initialDir, FileDialogResult* result) {
    return RunDialog(false, path, size, initialDir, result);
}

int ShowSaveFileDialog(char* path, size_t size, const char* initialDir, FileDialogResult* result) {
    return RunDialog(true, path, size, initialDir, result);
}
