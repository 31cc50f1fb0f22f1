// The program's dialogs, driven from a timer while they run modally: MIDI
// Setup, About and Preferences, their F1 help, Escape and Alt+F4, and the
// commands the main window drops while one is up.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "banks/bank_model.h"
#include "base/app_state.h"
#include "base/messages.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "midi/midi_ports.h"
#include "midi/transfer_state.h"
#include "midi/virtual_link.h"
#include "shell/commands.h"
#include "shell/dialog_ids.h"
#include "shell/dialogs.h"
#include "shell/help_platform.h"
#include "shell/platform_win32.h"
#include "shell/settings.h"
#include "views/view_state.h"

namespace {

// What the timer does once the dialog is up; then, should the dialog still be
// open a while later, it is cancelled so that a failing test cannot hang.
std::function<void(HWND)> gAction;
const char* gDialogTitle = nullptr;
int gActed = 0;
int gTicks = 0;
int gModalFlagSeen = -1;
std::string gHelpUrls;

int RecordHelp(const char* url, const char*) {
    gHelpUrls += url;
    gHelpUrls += "\n";
    return 1;
}

HWND FindDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            char cls[32];
            char title[64];
            GetClassNameA(window, cls, sizeof cls);
            GetWindowTextA(window, title, sizeof title);
            if (std::string(cls) == "#32770" && std::string(title) == gDialogTitle &&
                IsWindowVisible(window)) {
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR id, DWORD) {
    HWND dialog = FindDialog();
    ++gTicks;
    if (dialog != nullptr && !gActed) {
        gActed = 1;
        gModalFlagSeen = gModalBoxUp;
        gAction(dialog);
        return;
    }
    if (gTicks > 200) {
        KillTimer(nullptr, id);
        if (dialog != nullptr) EndDialog(dialog, -2);
    }
}

// Opens a dialog with `open` and lets `action` work on it.
int WithDialog(const char* title, std::function<int()> open, std::function<void(HWND)> action) {
    gDialogTitle = title;
    gAction = std::move(action);
    gActed = 0;
    gTicks = 0;
    gModalFlagSeen = -1;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, OnTick);
    int result = open();
    KillTimer(nullptr, timer);
    return result;
}

// Posts a key to the dialog's focused control, as the keyboard would, and lets
// the dialog's own loop handle it.
void DialogKey(HWND dialog, int key) {
    HWND focus = GetFocus();
    PostKey(focus != nullptr ? focus : dialog, key);
}

// A real key press through the system's input queue: only keyboard input
// (not a posted message) makes the system turn F1 into a help request.
void HardwareKey(HWND dialog, int virtualKey) {
    SetForegroundWindow(dialog);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = static_cast<WORD>(virtualKey);
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, keys, sizeof(INPUT));
}

// Handles the dialog's waiting messages as its own modal loop would, for a
// while, so that what a key leads to happens before the next step.
void PumpDialog(HWND dialog, int milliseconds) {
    DWORD start = GetTickCount();
    do {
        MSG m;
        while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(dialog, &m)) {
                TranslateMessage(&m);
                DispatchMessageA(&m);
            }
        }
        Sleep(5);
    } while (GetTickCount() - start < static_cast<DWORD>(milliseconds));
}

// The help pages beside the program under test, as the build puts them beside
// the test program.
void CopyHelpPages(const TempProgramFolder& folder) {
    std::string to = folder.path("Help\\");
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("Help\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        CopyFileA((std::string("Help\\") + found.cFileName).c_str(), (to + found.cFileName).c_str(),
                  FALSE);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

int IdentityRequestsSeen() {
    VirtualDevice device;
    return VirtualLinkSnapshot(&device) ? device.identityRequests : -1;
}

class DialogsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // No MIDI hardware here: the simulated device's port pair stands in.
        SetVirtualPortsRequested(1);
        VirtualLinkSetMemoryPath("");
        gHelpUrls.clear();
        gHelpOpenOverride = RecordHelp;
        CopyHelpPages(folder_);
        // A fresh process starts with both secondary windows hidden.
        gLibraryShown = gEditorShown = 0;
        program_ = new RunningProgram(folder_);
        ASSERT_EQ(program_->result(), StartUpResult::kRunning);
    }
    void TearDown() override {
        delete program_;
        gHelpOpenOverride = nullptr;
        SetVirtualPortsRequested(0);
    }
    TempProgramFolder folder_;
    RunningProgram* program_ = nullptr;
};

}  // namespace

TEST_F(DialogsTest, MidiSetupOkWithoutChangeReopensNoPortAndAsksNoDevice) {
    ASSERT_GE(gMidiPorts.outputCount, 1);
    ASSERT_EQ(1, gMidiPorts.outputs[0].enabled.load());
    int asked = IdentityRequestsSeen();
    std::string outputs;
    int result = WithDialog("MIDI Setup", ShowMidiSetupDialog, [&](HWND dialog) {
        char entry[128] = "";
        SendDlgItemMessageA(dialog, IDC_DEVICE_OUTPUTS, LB_GETTEXT, 0,
                            reinterpret_cast<LPARAM>(entry));
        outputs = entry;
        EXPECT_GT(SendDlgItemMessageA(dialog, IDC_DEVICE_OUTPUTS, LB_GETSEL, 0, 0), 0);
        WriteWindowPng(dialog, ScreenshotPath("dialog-midi-setup.png"));
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(1, gModalFlagSeen);
    EXPECT_EQ(0, gModalBoxUp);
    EXPECT_EQ("A: Ostrel Virtual Device", outputs);
    EXPECT_EQ(asked, IdentityRequestsSeen());
    EXPECT_EQ(1, gMidiPorts.outputs[0].open.load());
}

TEST_F(DialogsTest, MidiSetupChangedChoiceReopensAndIdentifies) {
    // Start with the input deselected behind the dialog's back, so OK with the
    // list as shown (input selected) is a change.
    int asked = IdentityRequestsSeen();
    int result = WithDialog("MIDI Setup", ShowMidiSetupDialog, [](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_DEVICE_INPUTS, LB_SETSEL, FALSE, 0);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);  // refused: no input
        EXPECT_EQ(1u, RunningProgram::boxes.size());
        EXPECT_TRUE(IsWindow(dialog));
        SendDlgItemMessageA(dialog, IDC_DEVICE_OUTPUTS, LB_SETSEL, FALSE, 0);
        SendDlgItemMessageA(dialog, IDC_DEVICE_INPUTS, LB_SETSEL, TRUE, 0);
        SendDlgItemMessageA(dialog, IDC_DEVICE_OUTPUTS, LB_SETSEL, TRUE, 0);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(1, result);
    ASSERT_EQ(1u, RunningProgram::boxes.size());
    EXPECT_EQ("Please open an Input and an Output Device", RunningProgram::boxes[0].text);
    EXPECT_EQ("Ostrel", RunningProgram::boxes[0].caption);
    EXPECT_EQ(static_cast<unsigned>(MB_ICONHAND), RunningProgram::boxes[0].type);
    // Nothing changed after all: the same ports, no new inquiry.
    EXPECT_EQ(asked, IdentityRequestsSeen());

    // Now really change it: drop the only input, which the default rule takes
    // back; the ports are reopened and the device asked again.
    gMidiPorts.inputs[0].enabled = 0;
    result = WithDialog("MIDI Setup", ShowMidiSetupDialog, [](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_DEVICE_INPUTS, LB_SETSEL, TRUE, 0);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(1, gMidiPorts.inputs[0].enabled);
    EXPECT_EQ(asked + 1, IdentityRequestsSeen());
}

// The question asked before the ports change comes while OK is being
// carried out: the dialog takes no Cancel under it.
HWND gQuestionedDialog = nullptr;
int gDialogEnabledUnderQuestion = -1;
int AnswerNoNotingTheDialog(WindowHandle, const char*, const char*, unsigned) {
    gDialogEnabledUnderQuestion = IsWindowEnabled(gQuestionedDialog) ? 1 : 0;
    return kIdNo;
}

// With a model the simulated device is, so that it has a bank.
class DialogsWithDeviceTest : public DialogsTest {
  protected:
    void SetUp() override {
        ASSERT_NE(InstallDefinitionOnly(folder_, "Meridian 49.eld"), 0);
        DialogsTest::SetUp();
    }
};

TEST_F(DialogsWithDeviceTest, MidiSetupTakesNoCancelWhileItsOkAsksAboutAChangedDeviceBank) {
    const int device = FindDeviceBank();
    ASSERT_GE(device, 0);
    gBanks.entries[device].changeCount = 1;
    gMidiPorts.inputs[0].enabled = 0;  // so that OK with the input chosen is a change
    gDialogEnabledUnderQuestion = -1;
    int result = WithDialog("MIDI Setup", ShowMidiSetupDialog, [](HWND dialog) {
        gQuestionedDialog = dialog;
        auto kept = gMessageBoxOverride;
        gMessageBoxOverride = AnswerNoNotingTheDialog;
        SendDlgItemMessageA(dialog, IDC_DEVICE_INPUTS, LB_SETSEL, TRUE, 0);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        gMessageBoxOverride = kept;
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ(0, gDialogEnabledUnderQuestion);
}

TEST_F(DialogsTest, DeviceNumberIsStoredWithinItsRange) {
    gDeviceNumber = 5;
    std::string shown;
    WithDialog("MIDI Setup", ShowMidiSetupDialog, [&](HWND dialog) {
        char text[32];
        GetDlgItemTextA(dialog, IDC_DEVICE_NUMBER, text, sizeof text);
        shown = text;
        SetDlgItemTextA(dialog, IDC_DEVICE_NUMBER, "200");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ("5", shown);
    EXPECT_EQ(127, gDeviceNumber);

    WithDialog("MIDI Setup", ShowMidiSetupDialog, [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_DEVICE_NUMBER, "");
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(0, gDeviceNumber);

    // Cancel takes nothing, whatever was typed.
    WithDialog("MIDI Setup", ShowMidiSetupDialog, [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_DEVICE_NUMBER, "77");
        SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(0, gDeviceNumber);
    gDeviceNumber = 127;
}

TEST_F(DialogsTest, EscapeAndAltF4CloseWithoutChanges) {
    gDeviceNumber = 9;
    int result = WithDialog("MIDI Setup", ShowMidiSetupDialog, [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_DEVICE_NUMBER, "44");
        DialogKey(dialog, VK_ESCAPE);
    });
    EXPECT_EQ(0, result);
    result = WithDialog("MIDI Setup", ShowMidiSetupDialog, [](HWND dialog) {
        SetDlgItemTextA(dialog, IDC_DEVICE_NUMBER, "45");
        // Alt+F4 reaches a dialog as the close command of its system menu.
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(0, result);
    EXPECT_EQ(9, gDeviceNumber);
    result = WithDialog("Ostrel", ShowAboutDialog,
                        [](HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_EQ(1, result);
    EXPECT_EQ(0, gModalBoxUp);
    gDeviceNumber = 127;
}

TEST_F(DialogsTest, F1OpensTheDialogsHelpPage) {
    WithDialog("MIDI Setup", ShowMidiSetupDialog, [](HWND dialog) {
        HardwareKey(dialog, VK_F1);
        PumpDialog(dialog, 100);
        EXPECT_TRUE(IsWindow(dialog));  // help does not close the dialog
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_NE(std::string::npos, gHelpUrls.find("Help/midi-setup.html")) << gHelpUrls;
    gHelpUrls.clear();
    WithDialog("Ostrel", ShowAboutDialog, [](HWND dialog) {
        HardwareKey(dialog, VK_F1);
        PumpDialog(dialog, 100);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_NE(std::string::npos, gHelpUrls.find("Help/about.html")) << gHelpUrls;
    gHelpUrls.clear();
    WithDialog("Preferences", ShowPreferencesDialog, [](HWND dialog) {
        HardwareKey(dialog, VK_F1);
        PumpDialog(dialog, 100);
        EXPECT_TRUE(IsWindow(dialog));  // help does not close the dialog
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_NE(std::string::npos, gHelpUrls.find("Help/preferences.html")) << gHelpUrls;
}

TEST_F(DialogsTest, AboutShowsNameAndVersion) {
    std::string title;
    LONG_PTR okStyle = 0;
    WithDialog("Ostrel", ShowAboutDialog, [&](HWND dialog) {
        char text[64];
        GetDlgItemTextA(dialog, IDC_ABOUT_TITLE, text, sizeof text);
        title = text;
        okStyle = GetWindowLongPtrA(GetDlgItem(dialog, IDOK), GWL_STYLE);
        WriteWindowPng(dialog, ScreenshotPath("dialog-about.png"));
        DialogKey(dialog, VK_RETURN);
    });
    EXPECT_EQ(std::string("Lumetra Ostrel v") + OSTREL_PROJECT_VERSION, title);  // "v1.2"
    EXPECT_EQ(BS_OWNERDRAW, okStyle & BS_TYPEMASK);  // the textured look
}

TEST_F(DialogsTest, PreferencesShowAndChangeThePreferences) {
    SetPreferences({0, 1, 100, 0, 0, 1});
    std::string undo;
    int initChecked = -1, romChecked = -1;
    int result = WithDialog("Preferences", ShowPreferencesDialog, [&](HWND dialog) {
        char text[16];
        GetDlgItemTextA(dialog, IDC_PREF_UNDO_LEVELS, text, sizeof text);
        undo = text;
        initChecked = IsDlgButtonChecked(dialog, IDC_PREF_INIT_NAMES);
        romChecked = IsDlgButtonChecked(dialog, IDC_PREF_ALL_ROM);
        WriteWindowPng(dialog, ScreenshotPath("dialog-preferences.png"));
        SetDlgItemTextA(dialog, IDC_PREF_UNDO_LEVELS, "20");
        CheckDlgButton(dialog, IDC_PREF_INIT_NAMES, BST_CHECKED);
        CheckDlgButton(dialog, IDC_PREF_ALL_ROM, BST_UNCHECKED);
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(1, result);
    EXPECT_EQ("100", undo);
    EXPECT_EQ(BST_UNCHECKED, initChecked);
    EXPECT_EQ(BST_CHECKED, romChecked);
    EXPECT_EQ(20, gUndoLevels);
    EXPECT_EQ(1, gInitialisePresetNames);
    // The ROM banks change is made once the dialog has closed.
    EXPECT_EQ(0, gShowAllRomBanks);
    SetPreferences(DefaultPreferences());
}

TEST_F(DialogsTest, MainWindowDropsCommandsWhileADialogIsUp) {
    int before = gCommandsRun;
    int shownDuring = -1;
    WithDialog("Ostrel", ShowAboutDialog, [&](HWND dialog) {
        SendMessageA(program_->main(), WM_COMMAND, kCmdLibraryWindow, 0);
        shownDuring = IsWindowVisible(program_->library());
        SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(before, gCommandsRun);
    EXPECT_EQ(0, shownDuring);
    EXPECT_EQ(0, gLibraryShown);
    // With the dialog gone the same command works.
    SendMessageA(program_->main(), WM_COMMAND, kCmdLibraryWindow, 0);
    EXPECT_EQ(before + 1, gCommandsRun);
    EXPECT_TRUE(IsWindowVisible(program_->library()));
}

TEST_F(DialogsTest, F1OnSaveInAnOpenMenuShowsItsHelpAndDoesNotSave) {
    int before = gCommandsRun;
    SetKeyHeld(VK_F1, true);
    SendMessageA(program_->main(), WM_ENTERIDLE, MSGF_MENU, 0);
    SetKeyHeld(VK_F1, false);
    // The menu answers the posted Enter with the highlighted item's command.
    PostMessageA(program_->main(), WM_COMMAND, kCmdSave, 0);
    PumpMessages(20);
    EXPECT_NE(std::string::npos, gHelpUrls.find("Help/menus.html#save")) << gHelpUrls;
    EXPECT_EQ(before, gCommandsRun);
    // The request is over: the next Save runs.
    SendMessageA(program_->main(), WM_COMMAND, kCmdSave, 0);
    EXPECT_EQ(before + 1, gCommandsRun);
}
