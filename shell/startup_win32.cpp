// Start-up, shutdown and the whole run of the program, in their fixed
// orders. Work that belongs to other subsystems is reached through the joins
// (joins.h); the numbers are the steps of the start-up order.
#include "shell/startup_win32.h"

#include <shellapi.h>

#include <string>

#include "base/app_state.h"
#include "base/memory.h"
#include "base/messages.h"
#include "base/platform.h"
#include "base/shell_hooks.h"
#include "base/working_blocks.h"
#include "views/drag.h"
#include "imaging/interface_images.h"
#include "shell/commands.h"
#include "shell/joins.h"
#include "shell/message_loop_win32.h"
#include "shell/settings.h"
#include "shell/window_geometry.h"
#include "shell/windows_win32.h"
#include "views/fonts.h"
#include "views/gdi_resources_win32.h"
#include "views/panel.h"
#include "views/panel_paint_win32.h"
#include "views/status_layout.h"
#include "views/view_state.h"

namespace {

// Set by the start-up benchmark: the program starts, paints its first frame,
// handles whatever start-up left queued, and ends without waiting for the
// user, so that a run from process start to process end times the start-up.
// Nothing is saved: the settings are written only by Quit.
bool QuitWhenStartedAsked() {
    char value[8];
    const DWORD length = GetEnvironmentVariableA("OSTREL_QUIT_WHEN_STARTED", value, sizeof value);
    return length > 0 && length < sizeof value && value[0] != '0';
}

void ComputePaths(const char* exePath) {
    char own[MAX_PATH] = "";
    if (exePath == nullptr) {
        DWORD length = GetModuleFileNameA(nullptr, own, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) own[0] = '\0';
        exePath = own;
    }
    ComputeProgramPaths(exePath);
}

// The first part of shutdown that the tests and an unfinished run need: the
// windows and the popup gone, and no quit message left behind for a later
// loop in the same process.
void DestroyRemainingWindows() {
    // A press, drag or rubber band still under way holds the mouse and may
    // confine the pointer: both are the whole system's, not the window's.
    ReleaseCapture();
    ClipCursor(nullptr);
    gDrag = DragState();
    gRubberBand = RubberBand();
    if (gPopupWindow != nullptr) PlatformClosePopup();
    gPopupShown = 0;
    bool hadWindows = gMainWindow || gLibraryWindow || gEditorWindow;
    DestroyMainWindows();
    if (hadWindows) {
        MSG message;
        while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
}

}  // namespace

StartUpResult StartUp(HINSTANCE instance, int showCommand, const char* exePath) {
    // 1
    InstallShellHooks();
    gShellHooks.runCommand = RunCommand;  // the command table is the Win32 one
    gInstance = instance;
    gDesktopWindow = GetDesktopWindow();
    gFatal = 0;
    // The windows start hidden and not minimised, whatever an earlier start
    // in this process left behind (the GUI tests start the program often).
    gLibraryShown = gEditorShown = 0;
    gMainMinimised = gLibraryMinimised = gEditorMinimised = 0;
    // 2, 3: every block is attempted; any failure ends the program.
    AllocWorkingBlocks();
    if (gFatal) return StartUpResult::kFailed;
    // 4 to 8
    AddFontResources();
    LoadMenuAndAccelerators();
    CreatePensAndBrushes();
    LoadCursors();
    // 9: the previous-instance argument is always null here, so the classes
    // are always registered.
    if (!RegisterWindowClasses()) return StartUpResult::kFailed;
    // 10 to 12
    CacheSystemMetrics();
    JoinFindPanelRecords();
    int windowsMade = CreateMainWindows();
    // 13 to 16
    LoadInterfaceBitmaps();
    LoadInterfaceImages();
    CreateSharedFonts();
    gPopupGeometry = StatusPopupStartGeometry(
        gFontMetrics[kFontPanelBold].averageWidth, gFontMetrics[kFontPanelBold].height,
        gMetrics.dlgFrameX, gMetrics.dlgFrameY, gMetrics.fullW, gMetrics.fullH);
    ApplyMessagePanelUnits(gFontMetrics[kFontPanelBold].averageWidth,
                           gFontMetrics[kFontPanelBold].height);
    // 17 to 25
    JoinClearPackedStore();
    ComputePaths(exePath);
    JoinProgramFolderKnown();
    JoinLayoutPanes();
    JoinInitTooltip();
    JoinClearClipboard();
    JoinInitUndoHistory();
    JoinInitBankList();
    JoinClearLibraries();
    JoinStartMidi();
    // 26: the settings place the windows; a memory failure skips step 27.
    if (JoinLoadSettings() != 0 || !windowsMade) return StartUpResult::kNotRunning;
    // 27.1 to 27.4
    JoinScanBanks();
    JoinClearBankChanges();
    JoinScanLibraries();
    UpdateViewMenu();
    UpdateTransferMenu();
    UpdateTitle();
    // 27.5, 27.6
    HWND main = static_cast<HWND>(gMainWindow);
    // A window saved maximised comes back maximised (a saved minimised one
    // was already turned back to normal when the settings were read).
    ShowWindow(main, StartupShowCommand(showCommand));
    SetFocus(main);
    // Banks kept when Windows ended the last session: offered with the window up.
    JoinOfferRecoveryCopies();
    InstallCallWndHook();
    return StartUpResult::kRunning;
}

void ShutDown(StartUpResult started) {
    if (started == StartUpResult::kRunning) {
        // 27.8
        RemoveCallWndHook();
        JoinStopMidi();
    }
    DestroyRemainingWindows();
    if (started != StartUpResult::kFailed) {
        // 28, in its order.
        JoinDestroyPaneScrollBars();
        JoinFreeTooltip();
        JoinFreeGraphicViewImages();
        JoinFreeLibraries();
        JoinFreeBanks();
        JoinClearUndoHistory();
        JoinClearClipboard();
        JoinReleaseDialogs();
    }
    DeleteSharedFonts();
    DestroyCursors();
    DeletePensAndBrushes();
    FreeInterfaceImages();
    ReleasePanelBackBuffers();
    DeletePatternBrushes();
    FreeInterfaceBitmaps();
    // A menu that never got its window is not destroyed with one.
    if (gMainMenu != nullptr && IsMenu(gMainMenu)) DestroyMenu(gMainMenu);
    gMainMenu = nullptr;
    gAccelerators = nullptr;
    // Released here although the process ends anyway: the GUI tests start
    // the program many times in one process.
    UnregisterWindowClasses();
    FreeWorkingBlocks();
}

// Whether anything follows the program's name on the command line: the name
// ends at its closing quote when it starts with one, else at the first blank.
static bool HasArguments(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"') ++line;
        if (*line) ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t') ++line;
    }
    while (*line == L' ' || *line == L'\t') ++line;
    return *line != 0;
}

// The file Explorer names when the user opens one with the program (the
// first argument of the command line), in the 8-bit paths the program uses.
static std::string FileNamedOnCommandLine() {
    // The usual start names nothing: shell32, which splits the line, is then
    // not loaded at all (it is linked to load at its first call).
    if (!HasArguments(GetCommandLineW())) return std::string();
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string path;
    if (arguments && count > 1) {
        char buffer[MAX_PATH];
        int length = WideCharToMultiByte(CP_ACP, 0, arguments[1], -1, buffer, sizeof buffer,
                                         nullptr, nullptr);
        if (length > 1) path = buffer;
        // Given relative to the folder the program was started from, it is
        // made whole: the open banks' paths are, and it is compared with them.
        char full[MAX_PATH];
        const DWORD made =
            path.empty() ? 0 : GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
        if (made > 0 && made < sizeof full) path = full;
    }
    LocalFree(arguments);
    return path;
}

int RunOstrel(HINSTANCE instance, int showCommand) {
    StartUpResult started = StartUp(instance, showCommand, nullptr);
    int exitCode = 0;
    if (started == StartUpResult::kRunning) {
        std::string named = FileNamedOnCommandLine();
        if (!named.empty()) JoinOpenNamedFile(named.c_str());
        if (QuitWhenStartedAsked()) {
            HandleQueuedMessages();
        } else {
            exitCode = RunMessageLoop();
        }
    }
    ShutDown(started);
    return exitCode;
}
