// Platform seam of the help: handing a page to the user's browser. Implemented
// with ShellExecute by shell/help_win32.cpp and by headless/help_headless.cpp,
// which records the pages asked for.
#pragma once

// Opens `url` (a file: URL with its anchor) in the browser; `path` is the same
// page as a plain file path, for a system that cannot open the URL itself.
// Returns 1 when the page was handed over.
int PlatformOpenHelpPage(const char* url, const char* path);

// The program's 8-bit text of a path (the system's code page) as UTF-8, the
// encoding a file URL's escapes stand for; always NUL terminated.
void PlatformPathToUtf8(const char* path, char* out, int size);

// Windows build only: when set, PlatformOpenHelpPage hands the page to this
// function instead of the browser (the GUI tests record what F1 opened).
extern int (*gHelpOpenOverride)(const char* url, const char* path);
