// The export commands' save dialogs (Export Preset Sheet, Export as SysEx)
// on the system's save dialog: one file type each.
#include <windows.h>
// windows.h first: commdlg.h needs its types.
#include <commdlg.h>

#include <cstdio>
#include <cstring>

#include "banks/bank_model.h"
#include "base/app_state.h"
#include "base/messages.h"
#include "shell/sheet_dialog.h"
#include "shell/syx_dialog.h"

namespace {

// The save dialog titled by string titleId, offering the file type named by
// string filterId with extension `extension` (without its dot).
int ShowExportDialog(char* path, size_t size, const char* initialDir, int titleId, int filterId,
                     const char* extension) {
    char title[kMaxShortText + 1] = "";
    CopyStringById(title, titleId);
    // The filter is pairs of NUL-terminated texts, ended by a second NUL.
    char filter[kMaxShortText + 16] = "";
    int nameLength = LoadStringById(filterId, filter, kMaxShortText);
    std::snprintf(filter + nameLength + 1, sizeof filter - nameLength - 2, "*.%s", extension);
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
    ofn.lpstrDefExt = extension;
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    gModalBoxUp = 1;
    BOOL chosen = GetSaveFileNameA(&ofn);
    gModalBoxUp = 0;
    if (!chosen) return 0;
    CopyText(path, size, file);
    return 1;
}

}  // namespace

int ShowExportSheetDialog(char* path, size_t size, const char* initialDir) {
    return ShowExportDialog(path, size, initialDir, kStrExportSheetTitle, kStrPngFilter, "png");
}

int ShowExportSyxDialog(char* path, size_t size, const char* initialDir) {
    return ShowExportDialog(path, size, initialDir, kStrExportSyxTitle, kStrSyxFilter, "syx");
}
