// The load and save dialogs on the system's common dialogs.
#include <windows.h>
// windows.h first: commdlg.h needs its types.
#include <commdlg.h>

#include <cstring>

#include "banks/bank_model.h"
#include "banks/file_dialogs.h"
#include "base/app_state.h"
#include "base/messages.h"

// Filter pairs (name, pattern), each NUL-terminated, the list ending in a
// second NUL. The load dialog's third name comes from the string table (the
// export dialog shows the same).
static const char kLoadFilters[] = "XML Editor File\0*.xml\0SysEx Librarian File\0*.SXL\0";
static const char kSaveFilters[] = "XML Editor File\0*.xml\0";

// out holds sizeof kLoadFilters + kMaxShortText + 8 bytes at least.
static void BuildLoadFilters(char* out) {
    const size_t fixed = sizeof kLoadFilters - 1;  // without the list's closing NUL
    memcpy(out, kLoadFilters, fixed);
    int nameLength = LoadStringById(kStrSyxFilter, out + fixed, kMaxShortText);
    memcpy(out + fixed + nameLength + 1, "*.syx\0", 7);
}

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
    char loadFilters[sizeof kLoadFilters + kMaxShortText + 16];
    BuildLoadFilters(loadFilters);
    ofn.lpstrFilter = save ? kSaveFilters : loadFilters;
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
    int filter = save                    ? kFilterBankFile
                 : ofn.nFilterIndex == 2 ? kFilterSxlFile
                 : ofn.nFilterIndex == 3 ? kFilterSyxFile
                                         : kFilterBankFile;
    if (!save) filter = LoadFilterForName(file, filter);
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
