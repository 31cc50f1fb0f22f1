// The Export Preset Sheet dialog on the system's save dialog.
#include <windows.h>
// windows.h first: commdlg.h needs its types.
#include <commdlg.h>

#include <cstring>

#include "banks/bank_model.h"
#include "base/app_state.h"
#include "base/messages.h"
#include "shell/sheet_dialog.h"

int ShowExportSheetDialog(char* path, size_t size, const char* initialDir) {
    char title[kMaxShortText + 1] = "";
    CopyStringById(title, kStrExportSheetTitle);
    // The filter is pairs of NUL-terminated texts, ended by a second NUL.
    char filter[kMaxShortText + 16] = "";
    int nameLength = LoadStringById(kStrPngFilter, filter, kMaxShortText);
    std::memcpy(filter + nameLength + 1, "*.png\0", 7);
    char file[MAX_PATH];
    CopyText(file, sizeof file, path ? path : "");
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = static_cast<HWND>(gMainWindow);
    ofn.lpstrFilter = filter;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = sizeof file;
    ofn.lpstrInitialDir = initialDir && initialDir[0] ? initialDir : nullptr;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = "png";
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    gModalBoxUp = 1;
    BOOL chosen = GetSaveFileNameA(&ofn);
    gModalBoxUp = 0;
    if (!chosen) return 0;
    CopyText(path, size, file);
    return 1;
}
