// The File menu's bank commands and Edit's Undo/Redo in the running program:
// New, Save, Save As (same and new path, through the real "Save File"
// dialog), Reload, Delete, the Undo and Redo item texts after each, and Quit
// with a changed user bank: answered No, and answered Yes when its file cannot
// be replaced.
#include <gtest/gtest.h>

#include <string>

#include "banks/bank_model.h"
#include "banks/discovery.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "shell/commands.h"

namespace {

// The demo model's definition in the test's program folder, with one user
// bank "Start" of it so that start-up loads the model.
void InstallDemoDevice(const TempProgramFolder& folder, int32_t* pid) {
    *pid = InstallDefinitionOnly(folder, "Sprite 25.eld");
    ASSERT_NE(*pid, 0);
    ASSERT_TRUE(WriteEmptyUserBank(folder, "Start", *pid));
}

std::string MenuText(HWND main, int id) {
    char text[256] = "";
    GetMenuStringA(GetMenu(main), id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Answers the next "Save File" dialog with a path, from a timer that runs
// inside the dialog's own message loop.
std::string gDialogAnswer;
std::string gDialogTitleSeen;
std::string gDialogProposed;  // the file name the dialog opened with

void CALLBACK AnswerSaveDialog(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA(nullptr, "Save File");
    if (!dialog) return;
    KillTimer(nullptr, timer);
    gDialogTitleSeen = "Save File";
    char proposed[MAX_PATH] = "";
    // The file name box: cmb13 in the Explorer-style dialog, edt1 in the old one.
    if (!GetDlgItemTextA(dialog, 0x47c, proposed, MAX_PATH)) {
        GetDlgItemTextA(dialog, 0x480, proposed, MAX_PATH);
    }
    gDialogProposed = proposed;
    if (!SetDlgItemTextA(dialog, 0x47c, gDialogAnswer.c_str())) {
        SetDlgItemTextA(dialog, 0x480, gDialogAnswer.c_str());
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

void SaveAsThroughDialog(HWND main, const std::string& path, int command = kCmdSaveAs) {
    gDialogAnswer = path;
    gDialogTitleSeen.clear();
    gDialogProposed.clear();
    SetTimer(nullptr, 0, 100, AnswerSaveDialog);
    Command(main, command);
}

TEST(BankCommandsGui, FileCommandsAndTheirUndoTexts) {
    TempProgramFolder folder;
    int32_t pid = -1;
    InstallDemoDevice(folder, &pid);
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    HWND main = program.main();
    ASSERT_EQ(gBanks.count, 1);
    EXPECT_EQ(gDevice.pid, pid);
    EXPECT_EQ(MenuText(main, kCmdUndo), "&Undo\tCtrl+Z");
    EXPECT_FALSE(MenuEnabled(main, kCmdUndo));

    // New: a user bank of the loaded model, undoable.
    Command(main, kCmdNewBank);
    ASSERT_EQ(gBanks.count, 2);
    EXPECT_EQ(gBanks.current, 1);
    std::string bankName = std::string(gDevice.name) + " User Bank";
    EXPECT_STREQ(gBanks.entries[1].displayName, bankName.c_str());
    EXPECT_EQ(MenuText(main, kCmdUndo), "&Undo Creation of Preset Bank\tCtrl+Z");
    EXPECT_TRUE(MenuEnabled(main, kCmdUndo));
    Command(main, kCmdUndo);
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_EQ(MenuText(main, kCmdRedo), "&Redo Creation of Preset Bank\tCtrl+Shift+Z");
    Command(main, kCmdRedo);
    ASSERT_EQ(gBanks.count, 2);

    // Save: a bank never saved asks for its file first, with its name
    // proposed; the file appears and the bank is unchanged.
    std::string path = folder.path(("User Preset Banks\\" + bankName + ".xml").c_str());
    SaveAsThroughDialog(main, path, kCmdSave);
    EXPECT_EQ(gDialogTitleSeen, "Save File");
    EXPECT_NE(gDialogProposed.find(bankName), std::string::npos) << gDialogProposed;
    EXPECT_TRUE(FileExists(path));
    EXPECT_EQ(gBanks.entries[1].changeCount, 0);
    // Saving is not a step of the history.
    EXPECT_EQ(MenuText(main, kCmdUndo), "&Undo Creation of Preset Bank\tCtrl+Z");

    // Save As to the same path: the replace question, then written in place.
    RunningProgram::answers = {IDYES};
    SaveAsThroughDialog(main, path);
    EXPECT_EQ(gDialogTitleSeen, "Save File");
    EXPECT_EQ(gBanks.count, 2);
    ASSERT_FALSE(RunningProgram::boxes.empty());
    EXPECT_EQ(RunningProgram::boxes.back().text, "Replace existing " + path);

    // Save As to a new path: a new current bank.
    std::string copy = folder.path("User Preset Banks\\Copy.xml");
    SaveAsThroughDialog(main, copy);
    EXPECT_TRUE(FileExists(copy));
    ASSERT_EQ(gBanks.count, 3);
    EXPECT_EQ(gBanks.current, 2);
    EXPECT_STREQ(gBanks.entries[2].displayName, "Copy");
    EXPECT_EQ(MenuText(main, kCmdUndo), "&Undo Creation of Preset Bank\tCtrl+Z");
    EXPECT_FALSE(MenuEnabled(main, kCmdRedo));

    // Reload: undoable as "Reloading of".
    Command(main, kCmdReloadBank);
    EXPECT_EQ(MenuText(main, kCmdUndo), "&Undo Reloading of Copy\tCtrl+Z");

    // Delete: the file goes aside; Undo puts it back.
    Command(main, kCmdDeleteBank);
    EXPECT_FALSE(FileExists(copy));
    EXPECT_EQ(gBanks.count, 2);
    EXPECT_EQ(MenuText(main, kCmdUndo), "&Undo Deletion of Copy\tCtrl+Z");
    Command(main, kCmdUndo);
    EXPECT_TRUE(FileExists(copy));
    EXPECT_EQ(gBanks.count, 3);
    EXPECT_EQ(MenuText(main, kCmdRedo), "&Redo Deletion of Copy\tCtrl+Shift+Z");
    Command(main, kCmdRedo);
    EXPECT_FALSE(FileExists(copy));
    EXPECT_EQ(gBanks.count, 2);
}

TEST(BankCommandsGui, QuitWithAChangedUserBankAnsweredNoLeavesItUnsaved) {
    TempProgramFolder folder;
    int32_t pid = -1;
    InstallDemoDevice(folder, &pid);
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    HWND main = program.main();
    Command(main, kCmdNewBank);
    ASSERT_EQ(gBanks.count, 2);
    std::string bankName = std::string(gBanks.entries[1].displayName);
    std::string path = gBanks.entries[1].path;
    RunningProgram::boxes.clear();
    RunningProgram::answers = {IDNO};
    PostMessageA(main, WM_CLOSE, 0, 0);
    PumpUntil([&] { return !IsWindow(main); }, 5000);
    ASSERT_FALSE(RunningProgram::boxes.empty());
    EXPECT_EQ(RunningProgram::boxes[0].text, bankName + " has changed. Do you want to save it?");
    EXPECT_EQ(RunningProgram::boxes[0].type,
              static_cast<unsigned>(MB_YESNOCANCEL | MB_ICONQUESTION));
    EXPECT_FALSE(FileExists(path));
    EXPECT_FALSE(IsWindow(main));
}

TEST(BankCommandsGui, QuitStopsWhenTheBankFileCannotBeReplaced) {
    TempProgramFolder folder;
    int32_t pid = -1;
    InstallDemoDevice(folder, &pid);
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    HWND main = program.main();
    ASSERT_EQ(gBanks.count, 1);
    std::string path = gBanks.entries[0].path;
    std::string name = gBanks.entries[0].displayName;
    const std::string before = ReadFileText(path);
    ASSERT_FALSE(before.empty());
    gBanks.entries[0].changeCount = 1;
    // Held open by another program that shares nothing, or marked read only:
    // either way the file stays as it was and the user is told.
    for (bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "marked read only" : "held open");
        HANDLE held = INVALID_HANDLE_VALUE;
        if (readOnly) {
            ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        } else {
            held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            ASSERT_NE(held, INVALID_HANDLE_VALUE);
        }

        RunningProgram::boxes.clear();
        RunningProgram::answers = {IDYES};
        PostMessageA(main, WM_CLOSE, 0, 0);
        PumpUntil([&] { return RunningProgram::boxes.size() >= 2; }, 5000);
        PumpMessages(50);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(IsWindow(main));
        ASSERT_EQ(RunningProgram::boxes.size(), 2u);
        EXPECT_EQ(RunningProgram::boxes[1].text,
                  "Could not Save " + name + ". Cannot Write file " + path + " to disk");
        EXPECT_EQ(RunningProgram::boxes[1].type, static_cast<unsigned>(MB_ICONHAND));
        EXPECT_EQ(gBanks.entries[0].changeCount, 1);
        EXPECT_EQ(ReadFileText(path), before);
    }
}

}  // namespace
