// Window classes and the creation of the three main windows (steps 9, 10, 12).
#include "shell/windows_win32.h"

#include "base/app_state.h"
#include "shell/window_geometry.h"
#include "views/gdi_resources_win32.h"

namespace {

HINSTANCE Instance() {
    return static_cast<HINSTANCE>(gInstance);
}

struct ClassSpec {
    const char* name;
    WNDPROC procedure;
    UINT style;
};

const ClassSpec kClasses[] = {
    {"Ostrel", MainWndProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS},
    {"Library", LibraryWndProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS},
    {"Editor", ControlWndProc, CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS},
    {"Message", MessageWndProc, 0},
};

HWND CreateAt(const char* className, DWORD style, const WindowRect& r, HWND parent, HMENU menu) {
    return CreateWindowExA(0, className, className, style, r.x, r.y, r.width, r.height, parent,
                           menu, Instance(), nullptr);
}

}  // namespace

int RegisterWindowClasses() {
    HICON icon = LoadIconA(Instance(), "IC_ABOUT");
    for (const ClassSpec& spec : kClasses) {
        WNDCLASSA wc = {};
        wc.style = spec.style;
        wc.lpfnWndProc = spec.procedure;
        wc.hInstance = Instance();
        wc.hIcon = icon;
        wc.hCursor = gArrowCursor;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = spec.name;
        if (RegisterClassA(&wc) == 0) return 0;
    }
    return 1;
}

void UnregisterWindowClasses() {
    for (const ClassSpec& spec : kClasses) UnregisterClassA(spec.name, Instance());
}

void CacheSystemMetrics() {
    // Current systems draw a padded border outside the classic sizing frame;
    // counting it keeps the client areas at their design sizes.
    int padded = GetSystemMetrics(SM_CXPADDEDBORDER);
    gMetrics.frameX = GetSystemMetrics(SM_CXFRAME) + padded;
    gMetrics.frameY = GetSystemMetrics(SM_CYFRAME) + padded;
    gMetrics.dlgFrameX = GetSystemMetrics(SM_CXDLGFRAME);
    gMetrics.dlgFrameY = GetSystemMetrics(SM_CYDLGFRAME);
    gMetrics.caption = GetSystemMetrics(SM_CYCAPTION);
    gMetrics.menu = GetSystemMetrics(SM_CYMENU);
    gMetrics.scrollX = GetSystemMetrics(SM_CXVSCROLL);
    gMetrics.scrollY = GetSystemMetrics(SM_CYHSCROLL);
    gMetrics.thumbX = GetSystemMetrics(SM_CXHTHUMB);
    gMetrics.thumbY = GetSystemMetrics(SM_CYVTHUMB);
    gMetrics.borderX = GetSystemMetrics(SM_CXBORDER);
    gMetrics.borderY = GetSystemMetrics(SM_CYBORDER);
    gMetrics.iconX = GetSystemMetrics(SM_CXICON);
    gMetrics.iconY = GetSystemMetrics(SM_CYICON);
    gMetrics.screenW = GetSystemMetrics(SM_CXSCREEN);
    gMetrics.screenH = GetSystemMetrics(SM_CYSCREEN);
    gMetrics.fullW = GetSystemMetrics(SM_CXFULLSCREEN);
    gMetrics.fullH = GetSystemMetrics(SM_CYFULLSCREEN);
}

int CreateMainWindows() {
    // The creation handlers record the handles (gMainWindow...).
    HWND main = CreateAt("Ostrel", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                         MainWindowRect(gMetrics), static_cast<HWND>(gDesktopWindow), gMainMenu);
    if (main == nullptr) return 0;
    CreateAt("Library", WS_OVERLAPPEDWINDOW, LibraryWindowRect(gMetrics), main, nullptr);
    CreateAt("Editor", WS_OVERLAPPEDWINDOW, EditorWindowRect(gMetrics), main, nullptr);
    return gMainWindow != nullptr && gLibraryWindow != nullptr && gEditorWindow != nullptr;
}

void DestroyMainWindows() {
    // Owned windows first, so the main window's destruction (which ends the
    // message loop) comes last.
    if (gLibraryWindow) DestroyWindow(static_cast<HWND>(gLibraryWindow));
    if (gEditorWindow) DestroyWindow(static_cast<HWND>(gEditorWindow));
    if (gMainWindow) DestroyWindow(static_cast<HWND>(gMainWindow));
}
