// The hand of the installer test (scripts/dist-test.sh): starts the installed
// program, finds its main window, makes a new user bank, saves it and quits
// through the program's own menu commands, and waits for it to end. Exit code
// 0 when all of that happened; otherwise one line on standard error names the
// step that did not.
//
//   ostrel_dist_driver PROGRAM.exe
//
// Every wait is for an event (a window appears, the process ends) and has a
// generous time-out, because a loaded machine under Wine is slow to start.
#include <windows.h>

#include <cstdio>
#include <string>

#include "shell/commands.h"

namespace {

constexpr DWORD kStartTimeoutMs = 120000;
constexpr DWORD kQuitTimeoutMs = 120000;
constexpr DWORD kPollMs = 50;
constexpr char kMainWindowClass[] = "Ostrel";

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchMainWindow(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (owner == search->processId && strcmp(className, kMainWindowClass) == 0 &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The program's visible top-level windows, for the report when it stops
// short: a message box left open names itself here.
void PrintWindowsOf(DWORD processId) {
    struct Context {
        DWORD processId;
    } context{processId};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == reinterpret_cast<Context*>(param)->processId && IsWindowVisible(window)) {
                char title[256] = "", className[64] = "";
                GetWindowTextA(window, title, sizeof title);
                GetClassNameA(window, className, sizeof className);
                fprintf(stderr, "  open window: class \"%s\", title \"%s\"\n", className, title);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
}

int Fail(const PROCESS_INFORMATION& process, const char* what) {
    fprintf(stderr, "ostrel_dist_driver: %s\n", what);
    PrintWindowsOf(process.dwProcessId);
    TerminateProcess(process.hProcess, 3);
    return 1;
}

void Post(HWND window, int command) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

// The process's top-level window with this title, or null.
HWND FindProcessWindow(DWORD processId, const char* title) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, nullptr, title)) != nullptr) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId) return window;
    }
    return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: ostrel_dist_driver PROGRAM.exe\n");
        return 2;
    }
    std::string commandLine = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(argv[1], &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        fprintf(stderr, "ostrel_dist_driver: cannot start %s (error %lu)\n", argv[1],
                GetLastError());
        return 1;
    }

    WindowSearch search = {process.dwProcessId, nullptr};
    DWORD started = GetTickCount();
    while (!search.found) {
        if (WaitForSingleObject(process.hProcess, kPollMs) == WAIT_OBJECT_0) {
            return Fail(process, "the program ended before it showed its main window");
        }
        if (GetTickCount() - started > kStartTimeoutMs) {
            return Fail(process, "no main window within the time-out");
        }
        EnumWindows(MatchMainWindow, reinterpret_cast<LPARAM>(&search));
    }
    printf("main window found after %lu ms\n", GetTickCount() - started);

    // Posted, so they run one after the other on the program's own thread,
    // after whatever its start-up still had queued. A new bank's first Save
    // asks for its file with the name proposed: the dialog is accepted as it
    // stands. Quit then has no changed bank to ask about and writes
    // Settings.cfg; it is posted only once the dialog has gone, since the
    // program drops commands while a dialog is up.
    Post(search.found, kCmdNewBank);
    Post(search.found, kCmdSave);
    DWORD asked = GetTickCount();
    HWND dialog = nullptr;
    while ((dialog = FindProcessWindow(process.dwProcessId, "Save File")) == nullptr) {
        if (GetTickCount() - asked > kQuitTimeoutMs) {
            return Fail(process, "no Save File dialog within the time-out");
        }
        Sleep(kPollMs);
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    while (IsWindow(dialog)) {
        if (GetTickCount() - asked > kQuitTimeoutMs) {
            return Fail(process, "the Save File dialog did not close within the time-out");
        }
        Sleep(kPollMs);
    }
    Post(search.found, kCmdQuit);
    if (WaitForSingleObject(process.hProcess, kQuitTimeoutMs) != WAIT_OBJECT_0) {
        return Fail(process, "the program did not quit within the time-out");
    }
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    printf("the program quit with exit code %lu\n", exitCode);
    return exitCode == 0 ? 0 : 1;
}
