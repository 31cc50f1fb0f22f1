// The GUI test harness (gui_harness.h).
#include "gui_harness.h"

#include <cstdio>

#include "base/app_state.h"
#include "imaging/gdi_draw_win32.h"
#include "imaging/png_encode.h"
#include "shell/message_loop_win32.h"
#include "shell/platform_win32.h"
#include "views/input_script_win32.h"

std::vector<ShownBox> RunningProgram::boxes;
std::vector<int> RunningProgram::answers;

namespace {

int RecordBox(WindowHandle, const char* text, const char* caption, unsigned type) {
    RunningProgram::boxes.push_back(ShownBox{text ? text : "", caption ? caption : "", type});
    if (!RunningProgram::answers.empty()) {
        int answer = RunningProgram::answers.front();
        RunningProgram::answers.erase(RunningProgram::answers.begin());
        return answer;
    }
    UINT buttons = type & MB_TYPEMASK;
    return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDNO : IDOK;
}

bool IsPointerInput(UINT message) {
    return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK) ||
           message == WM_MOUSEHOVER || message == WM_MOUSELEAVE;
}

void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((dir + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = dir + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full + "\\");
            } else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(dir.c_str());
}

}  // namespace

void CopyFolder(const std::string& from, const std::string& to) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyFolder(from + "\\" + name, to + "\\" + name);
        } else {
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

TempProgramFolder::TempProgramFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    char name[64];
    std::snprintf(name, sizeof name, "ostrel-gui-%lu-%d\\", GetCurrentProcessId(), ++counter);
    dir_ = std::string(temp) + name;
    RemoveTree(dir_);
    CreateDirectoryA(dir_.c_str(), nullptr);
    for (const char* sub : {"Devices", "Library", "User Preset Banks"}) {
        CreateDirectoryA((dir_ + sub).c_str(), nullptr);
    }
}

TempProgramFolder::~TempProgramFolder() {
    RemoveTree(dir_);
}

RunningProgram::RunningProgram(const TempProgramFolder& folder, int showCommand) {
    boxes.clear();
    // The program reads the scripted pointer, button and timer ticks, never
    // the real ones, so that nothing outside the test moves it between steps.
    // The pointer starts off every window.
    gInputScript = {};
    gInputScript.active = 1;
    gInputScript.pointer = {-10000, -10000};
    gMessageBoxOverride = RecordBox;
    std::string exe = folder.exePath();
    result_ = StartUp(GetModuleHandleA(nullptr), showCommand, exe.c_str());
    PumpMessages(50);
}

RunningProgram::~RunningProgram() {
    // Shutdown's waits need time to pass.
    gInputScript.clockSet = 0;
    ShutDown(result_);
    PumpMessages();
    gMessageBoxOverride = nullptr;
    answers.clear();
    SetKeyHeld(VK_CONTROL, false);
    SetKeyHeld(VK_SHIFT, false);
    gInputScript = {};
}

HWND RunningProgram::main() const {
    return static_cast<HWND>(gMainWindow);
}
HWND RunningProgram::library() const {
    return static_cast<HWND>(gLibraryWindow);
}
HWND RunningProgram::editor() const {
    return static_cast<HWND>(gEditorWindow);
}

int PumpMessages(int milliseconds) {
    DWORD start = GetTickCount();
    int quit = 0;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = 1;
                continue;
            }
            // The script is the only hand: what the system posts when the
            // real pointer moves (a warp, a confinement pulling it into a
            // rectangle) would act a second time, somewhere else.
            if (gInputScript.active && IsPointerInput(message.message)) continue;
            ProcessLoopMessage(&message);
        }
        if (GetTickCount() - start >= static_cast<DWORD>(milliseconds)) break;
        Sleep(5);
    }
    return quit;
}

void SetKeyHeld(int virtualKey, bool held) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[virtualKey] = held ? 0x80 : 0;
    SetKeyboardState(keys);
}

void PostKey(HWND window, int virtualKey) {
    UINT scan = MapVirtualKeyA(virtualKey, 0);
    PostMessageA(window, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageA(window, WM_KEYUP, virtualKey, 1 | (scan << 16) | (3u << 30));
}

int WriteWindowPng(HWND window, const std::string& path) {
    RECT client;
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    ImageBitmap picture;
    int ok = ImageBitmapFromDc(dc, 0, 0, client.right, client.bottom, &picture);
    ReleaseDC(window, dc);
    if (ok) ok = WritePngFile(path.c_str(), picture.pixels);
    ImageBitmapRelease(&picture);
    return ok;
}

int WriteScreenPng(const RECT& area, const std::string& path) {
    int w = area.right - area.left;
    int h = area.bottom - area.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, w, h, screen, area.left, area.top, SRCCOPY);
    // A screen copy leaves the pointer out; it is what shows the drag.
    POINT pointer;
    HCURSOR cursor = GetCursor();
    ICONINFO info = {};
    if (cursor && GetCursorPos(&pointer) && GetIconInfo(cursor, &info)) {
        DrawIconEx(memory, pointer.x - area.left - static_cast<int>(info.xHotspot),
                   pointer.y - area.top - static_cast<int>(info.yHotspot), cursor, 0, 0, 0, nullptr,
                   DI_NORMAL);
        if (info.hbmMask) DeleteObject(info.hbmMask);
        if (info.hbmColor) DeleteObject(info.hbmColor);
    }
    ImageBitmap picture;
    int ok = ImageBitmapFromDc(memory, 0, 0, w, h, &picture);
    if (ok) ok = WritePngFile(path.c_str(), picture.pixels);
    ImageBitmapRelease(&picture);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

COLORREF ClientPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

std::string ScreenshotPath(const char* name) {
    char dir[MAX_PATH];
    DWORD length = GetCurrentDirectoryA(MAX_PATH, dir);
    std::string path = length > 0 && length < MAX_PATH ? std::string(dir) + "\\" : std::string();
    return path + name;
}
