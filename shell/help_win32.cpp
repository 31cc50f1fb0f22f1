// Handing a help page to the user's browser.
#include <windows.h>
// shellapi.h needs the types of windows.h first.
#include <shellapi.h>

#include <cstdio>

#include "shell/help_platform.h"

int (*gHelpOpenOverride)(const char* url, const char* path) = nullptr;

namespace {

// ShellExecute reports success as a value above 32.
int Launched(HINSTANCE result) {
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

void PlatformPathToUtf8(const char* path, char* out, int size) {
    if (size <= 0) return;
    out[0] = '\0';
    wchar_t wide[MAX_PATH * 2];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH * 2) == 0) return;
    if (WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, size, nullptr, nullptr) == 0) out[0] = '\0';
}

int PlatformOpenHelpPage(const char* url, const char* path) {
    if (gHelpOpenOverride != nullptr) return gHelpOpenOverride(url, path);

    // Opening a file: URL through its association drops the "#anchor" on many
    // systems, so the browser that opens .html files is asked for and given the
    // URL as its argument; it then scrolls to the topic.
    char exe[MAX_PATH] = "";
    if (Launched(FindExecutableA(path, nullptr, exe)) && exe[0] != '\0') {
        char args[2 * MAX_PATH + 1100];
        std::snprintf(args, sizeof args, "\"%s\"", url);
        if (Launched(ShellExecuteA(nullptr, "open", exe, args, nullptr, SW_SHOWNORMAL))) return 1;
    }
    if (Launched(ShellExecuteA(nullptr, "open", url, nullptr, nullptr, SW_SHOWNORMAL))) return 1;
    // Last resort: the page without its anchor.
    return Launched(ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL));
}
