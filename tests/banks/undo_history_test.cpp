// The undo history: every kind of step undone and redone, the limits on its
// length, and the Edit menu texts that describe the next step.
#include <cstring>
#include <filesystem>
#include <string>

#include "base/menu.h"
#include "views/edit_value.h"
#include "views/in_place_edit.h"
#include "shell/joins.h"
#include "tests/banks/bank_test_support.h"
#include "views/list_columns.h"

namespace {

class UndoTest : public BankTest {
  protected:
    std::string MenuText(int id) {
        char text[256];
        GetMenuCommandText(id, text, sizeof text);
        return text;
    }
    // Records a preset edit of bank/preset and renames the preset to name.
    void EditPreset(int bank, int preset, const char* name) {
        RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, bank, preset);
        strcpy(Preset(bank, preset).name, name);
        FinishUndoStep();
    }
    // A new bank saved, an edit of preset 1 left unsaved, and Reload answered
    // Yes: the step "Reloading" holds the edit.
    int ReloadedOverUnsavedWork() {
        int bank = NewBank();
        EXPECT_EQ(SaveBank(bank), 1);
        strcpy(Preset(bank, 0).name, "Unsaved work");
        RefreshChangeState(bank);
        HeadlessQueueAnswer(kIdYes);
        EXPECT_EQ(ReloadBank(bank), 1);
        return bank;
    }
    // The files set aside beside path.
    int FilesAside(const std::string& path) {
        int n = 0;
        for (const char* suffix : {".deleted", ".deleted-2", ".deleted-3"}) {
            n += FileThere(path + suffix) ? 1 : 0;
        }
        return n;
    }
};

TEST_F(UndoTest, AnEmptyHistoryShowsTheResourceTextsGreyed) {
    EXPECT_EQ(MenuText(11), "&Undo\tCtrl+Z");
    EXPECT_EQ(MenuText(12), "&Redo\tCtrl+Shift+Z");
    EXPECT_FALSE(IsMenuCommandEnabled(11));
    EXPECT_FALSE(IsMenuCommandEnabled(12));
    EXPECT_STREQ(gUndo.undoPrefix, "&Undo");
    EXPECT_STREQ(gUndo.undoSuffix, "\tCtrl+Z");
    Undo();  // nothing to undo: nothing happens
    Redo();
    EXPECT_EQ(gUndo.current, -1);
}

TEST_F(UndoTest, PresetStepsSwapBackAndForth) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    EditPreset(bank, 1, "Bright");
    EXPECT_EQ(MenuText(11), "&Undo Edit of Untitled (Alpha User Bank)\tCtrl+Z");
    EXPECT_TRUE(IsMenuCommandEnabled(11));
    EXPECT_FALSE(IsMenuCommandEnabled(12));

    Undo();
    EXPECT_STREQ(Preset(bank, 1).name, "Untitled");
    EXPECT_EQ(Preset(bank, 1).changed, 0);  // as saved again
    EXPECT_EQ(gBanks.entries[bank].changeCount, 0);
    EXPECT_EQ(MenuText(11), "&Undo\tCtrl+Z");
    EXPECT_EQ(MenuText(12), "&Redo Edit of Bright (Alpha User Bank)\tCtrl+Shift+Z");

    Redo();
    EXPECT_STREQ(Preset(bank, 1).name, "Bright");
    EXPECT_EQ(gBanks.entries[bank].changeCount, 1);
    Undo();
    Undo();  // only one step
    EXPECT_STREQ(Preset(bank, 1).name, "Untitled");
}

TEST_F(UndoTest, ANewStepEndsWhatCouldBeRedone) {
    int bank = NewBank();
    EditPreset(bank, 0, "One");
    EditPreset(bank, 0, "Two");
    Undo();
    EXPECT_EQ(gUndo.top, 1);
    EditPreset(bank, 2, "Three");
    EXPECT_EQ(gUndo.top, 1);
    EXPECT_EQ(gUndo.current, 1);
    Redo();
    EXPECT_STREQ(Preset(bank, 0).name, "One");
    EXPECT_FALSE(IsMenuCommandEnabled(12));
}

TEST_F(UndoTest, WithOneLevelEachStepReplacesTheLast) {
    SetUndoLevels(1);
    int bank = NewBank();
    EditPreset(bank, 0, "One");
    EditPreset(bank, 0, "Two");
    EXPECT_EQ(gUndo.top, 0);
    Undo();
    EXPECT_STREQ(Preset(bank, 0).name, "One");
    Undo();
    EXPECT_STREQ(Preset(bank, 0).name, "One");
    Redo();
    EXPECT_STREQ(Preset(bank, 0).name, "Two");
}

TEST_F(UndoTest, TheOldestStepGoesWhenTheHistoryIsFull) {
    SetUndoLevels(3);
    int bank = NewBank();
    const char* names[] = {"a", "b", "c", "d", "e"};
    for (const char* name : names) EditPreset(bank, 0, name);
    EXPECT_EQ(gUndo.top, 2);
    for (int i = 0; i < 5; i++) Undo();
    EXPECT_STREQ(Preset(bank, 0).name, "b");
}

TEST_F(UndoTest, LoweringTheLevelsKeepsTheNewestSteps) {
    int bank = NewBank();
    for (int i = 0; i < 10; i++) EditPreset(bank, 0, std::to_string(i).c_str());
    SetUndoLevels(5);
    EXPECT_EQ(gUndo.levels, 5);
    EXPECT_EQ(gUndo.top, 4);
    EXPECT_EQ(gUndo.current, 4);
    for (int i = 0; i < 10; i++) Undo();
    EXPECT_STREQ(Preset(bank, 0).name, "4");  // the step from 4 to 5 is the oldest kept
}

TEST_F(UndoTest, LoweringTheLevelsNeverTurnsRedoStepsIntoUndoSteps) {
    int bank = NewBank();
    for (int i = 0; i < 10; i++) EditPreset(bank, 0, std::to_string(i).c_str());
    for (int i = 0; i < 8; i++) Undo();  // at "1": entries 2..9 can be redone
    SetUndoLevels(5);
    EXPECT_EQ(gUndo.current, -1);
    Undo();
    EXPECT_STREQ(Preset(bank, 0).name, "1");
    // The redo steps kept are the ones that follow on from here: Redo goes
    // on from "1" step by step, and the newest steps are the ones gone.
    Redo();
    EXPECT_STREQ(Preset(bank, 0).name, "2");
    for (int i = 0; i < 5; i++) Redo();
    EXPECT_STREQ(Preset(bank, 0).name, "6");
    // Out-of-range preferences are brought into 1..100.
    SetUndoLevels(0);
    EXPECT_EQ(gUndo.levels, 1);
    SetUndoLevels(500);
    EXPECT_EQ(gUndo.levels, 100);
}

TEST_F(UndoTest, BankEditsPutTheContentsBack) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    for (UndoKind kind :
         {UndoKind::Edit, UndoKind::LibraryAssignment, UndoKind::Paste, UndoKind::SysexReceipt}) {
        RecordUndoSnapshot(kind, UndoScope::Bank, bank, 0);
        strcpy(Preset(bank, 3).name, "changed");
        Preset(bank, 3).controls[1].midiCc = 99;
        FinishUndoStep();
        std::string word = UndoKindWord(kind);
        EXPECT_EQ(MenuText(11), "&Undo " + word + " Alpha User Bank\tCtrl+Z");
        Undo();
        EXPECT_STREQ(Preset(bank, 3).name, "Untitled") << word;
        EXPECT_EQ(Preset(bank, 3).controls[1].midiCc, 7) << word;
        EXPECT_EQ(gBanks.entries[bank].changeCount, 0) << word;
        Redo();
        EXPECT_STREQ(Preset(bank, 3).name, "changed") << word;
        EXPECT_EQ(gBanks.entries[bank].changeCount, 1) << word;
        Undo();
    }

    // A step made before a first save under another name: undone, the
    // contents go back and the name the save gave stays.
    int fresh = NewBank();
    RecordUndoSnapshot(UndoKind::Paste, UndoScope::Bank, fresh, 0);
    strcpy(Preset(fresh, 3).name, "pasted");
    FinishUndoStep();
    HeadlessQueueFileChoice(UserBankFile("Live Set"), 1);
    ASSERT_EQ(SaveBankCommand(fresh), 1);
    ASSERT_STREQ(BankTitle(fresh), "Live Set");
    Undo();
    EXPECT_STREQ(Preset(fresh, 3).name, "Untitled");
    EXPECT_STREQ(BankTitle(fresh), "Live Set");
}

TEST_F(UndoTest, ReloadIsUndoneToTheEditsItDiscarded) {
    int bank = ReloadedOverUnsavedWork();
    EXPECT_EQ(MenuText(11), "&Undo Reloading of Alpha User Bank\tCtrl+Z");
    Undo();
    EXPECT_STREQ(Preset(bank, 0).name, "Unsaved work");
    // Back to edits the file does not hold: changed again, that preset alone.
    EXPECT_EQ(gBanks.entries[bank].changeCount, 1);
    EXPECT_EQ(Preset(bank, 0).changed, 1);
    Redo();
    EXPECT_STREQ(Preset(bank, 0).name, "Untitled");
    EXPECT_EQ(gBanks.entries[bank].changeCount, 0);

    // A bank never saved, reloaded from a file of its name: undone, it has no
    // file again, and its first save asks before replacing that one.
    const std::string path = gBanks.entries[bank].path;
    RemoveBank(bank);
    const int fresh = NewBank();
    ASSERT_EQ(std::string(gBanks.entries[fresh].path), path);
    ASSERT_EQ(gBanks.entries[fresh].hasFile, 0);
    HeadlessQueueAnswer(kIdYes);  // it counts as changed: never saved
    ASSERT_EQ(ReloadBank(fresh), 1);
    EXPECT_EQ(gBanks.entries[fresh].hasFile, 1);
    Undo();
    EXPECT_EQ(gBanks.entries[fresh].hasFile, 0);
    EXPECT_EQ(gBanks.entries[fresh].data->uniqueId, 0);  // not the file's either
    EXPECT_NE(gBanks.entries[fresh].changeCount, 0);
    Redo();
    EXPECT_EQ(gBanks.entries[fresh].hasFile, 1);
}

// A user bank reloaded from a device folder's rom.xml, whose device answered
// since: undone, the file stays the device bank's.
TEST_F(UndoTest, UndoOfAReloadLeavesAFileTheDeviceBankTookToIt) {
    // The device bank takes the file in (a bank of its model), or holds it
    // without taking it in (another model's bank): the file is its either way.
    for (int pid : {kAlphaPid, kBetaPid}) {
        ResetBankList();
        ASSERT_TRUE(SwitchDevice(pid));
        const int made = NewBank();
        ASSERT_EQ(SaveBank(made), 1);
        const std::string rom = folder_.Write("Devices/Alpha.eld/rom.xml",
                                              ReadFileText(gBanks.entries[made].path));
        RemoveBank(made);
        const int user = AddBankFromData(rom.c_str(), nullptr);
        ASSERT_GE(user, 0);
        EditPreset(user, 0, "Edited");
        HeadlessQueueAnswer(kIdYes);
        ASSERT_EQ(ReloadBank(user), 1);
        ASSERT_EQ(AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 0), 0);
        Undo();
        EXPECT_EQ(gBanks.entries[1].kind, BankKind::User) << pid;
        EXPECT_EQ(gBanks.entries[1].hasFile, 0) << pid;
        Redo();  // the file's contents again: nothing to save
        EXPECT_EQ(gBanks.entries[1].changeCount, 0) << pid;
    }
}

TEST_F(UndoTest, CreationIsUndoneByRemovingAndRedoneAtTheSameIndex) {
    NewBank();
    NewBank();
    ASSERT_EQ(NewUserBankCommand(), 2);
    strcpy(Preset(2, 0).name, "Fresh");
    EXPECT_EQ(MenuText(11), "&Undo Creation of Preset Bank\tCtrl+Z");
    Undo();
    EXPECT_EQ(gBanks.count, 2);
    EXPECT_EQ(MenuText(12), "&Redo Creation of Preset Bank\tCtrl+Shift+Z");
    Redo();
    ASSERT_EQ(gBanks.count, 3);
    EXPECT_STREQ(gBanks.entries[2].displayName, "Alpha User Bank 3");
    EXPECT_STREQ(Preset(2, 0).name, "Fresh");
    EXPECT_EQ(gBanks.current, 2);
    Undo();
    EXPECT_EQ(gBanks.count, 2);
}

TEST_F(UndoTest, DeletionIsUndoneByMovingTheFileBack) {
    NewBank();
    int bank = NewBank();
    strcpy(Preset(bank, 1).name, "Keep me");
    ASSERT_EQ(SaveBank(bank), 1);
    std::string path = gBanks.entries[bank].path;
    // A key the writer does not write, and an edit never saved: undo must
    // give back the file as it was, not the bank written again.
    std::string text = ReadFileText(path);
    text.insert(text.find("<key>presets</key>"), "<key>note</key><string>mine</string>");
    folder_.Write("User Preset Banks/Alpha User Bank 2.xml", text);
    strcpy(Preset(bank, 1).name, "Unsaved");
    RefreshChangeState(bank);
    NewBank();
    ASSERT_EQ(DeleteUserBank(bank), 1);
    EXPECT_FALSE(FileThere(path));
    EXPECT_EQ(FilesAside(path), 1);
    EXPECT_EQ(MenuText(11), "&Undo Deletion of Alpha User Bank 2\tCtrl+Z");

    Undo();
    ASSERT_EQ(gBanks.count, 3);
    EXPECT_EQ(std::string(gBanks.entries[bank].path), path);
    EXPECT_STREQ(Preset(bank, 1).name, "Unsaved");
    EXPECT_NE(gBanks.entries[bank].changeCount, 0);
    EXPECT_EQ(ReadFileText(path), text);
    EXPECT_EQ(FilesAside(path), 0);
    EXPECT_EQ(MenuText(12), "&Redo Deletion of Alpha User Bank 2\tCtrl+Shift+Z");

    Redo();
    EXPECT_FALSE(FileThere(path));
    EXPECT_EQ(gBanks.count, 2);
    EXPECT_STREQ(gBanks.entries[1].displayName, "Alpha User Bank 3");
    // The file goes for good only with the step that could bring it back.
    EXPECT_EQ(FilesAside(path), 1);
    ClearUndoHistory();
    EXPECT_EQ(FilesAside(path), 0);
}

// A bank whose file had gone before its deletion takes no file on its way
// back: a file of its name now is someone else's.
TEST_F(UndoTest, ABankDeletedWithoutItsFileComesBackWithoutOne) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    const std::string path = gBanks.entries[bank].path;
    remove(path.c_str());
    ASSERT_EQ(DeleteUserBank(bank), 1);
    folder_.Write("User Preset Banks/Alpha User Bank.xml", "someone else's");
    Undo();
    ASSERT_EQ(gBanks.count, 1);
    EXPECT_EQ(gBanks.entries[0].hasFile, 0);
    EXPECT_NE(gBanks.entries[0].changeCount, 0);
    HeadlessQueueAnswer(kIdNo);  // the question before replacing that file
    SaveBank(0);
    EXPECT_EQ(ReadFileText(path), "someone else's");
}

TEST_F(UndoTest, AStepThatCannotPutItsBankBackStaysAsItWas) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    std::string path = gBanks.entries[bank].path;
    std::string saved = ReadFileText(path);
    ASSERT_EQ(DeleteUserBank(bank), 1);

    // No room: the bank and its file stay with the step, which says why.
    while (gBanks.count < kMaxBanks) ASSERT_GE(NewUserBank(), 0);
    Undo();
    EXPECT_EQ(HeadlessLastStatus(), "Cannot bring back Alpha User Bank because 64 banks are open");
    EXPECT_EQ(gUndo.current, 0);
    EXPECT_EQ(FilesAside(path), 1);
    RemoveBank(kMaxBanks - 1);

    remove(path.c_str());
    Undo();
    EXPECT_EQ(gUndo.current, -1);
    EXPECT_EQ(gBanks.count, kMaxBanks);
    EXPECT_EQ(ReadFileText(path), saved);
}

// A file that no open bank holds has taken the deleted bank's name: the bank
// comes back all the same, without a file, and its next save asks.
TEST_F(UndoTest, ABankDeletedComesBackPastAFileSavedUnderItsNameSince) {
    int bank = NewBank();
    strcpy(Preset(bank, 1).name, "Old lead");
    ASSERT_EQ(SaveBank(bank), 1);
    const std::string path = gBanks.entries[bank].path;
    ASSERT_EQ(ReloadBank(bank), 1);
    ASSERT_EQ(DeleteUserBank(bank), 1);
    // A new bank saved under that name, its creation undone: its file stays.
    ASSERT_EQ(NewUserBankCommand(), 0);
    HeadlessQueueFileChoice(path, 1);
    ASSERT_EQ(SaveBankCommand(0), 1);
    const std::string since = ReadFileText(path);
    Undo();
    ASSERT_EQ(gBanks.count, 0);

    Undo();
    ASSERT_EQ(gBanks.count, 1);
    EXPECT_STREQ(Preset(0, 1).name, "Old lead");
    EXPECT_EQ(gBanks.entries[0].hasFile, 0);
    EXPECT_NE(gBanks.entries[0].changeCount, 0);
    EXPECT_EQ(ReadFileText(path), since);
    // Nor does undoing the reload before bind it to that file again.
    Undo();
    EXPECT_EQ(gUndo.current, -1);
    EXPECT_EQ(gBanks.entries[0].hasFile, 0);
    HeadlessQueueAnswer(kIdNo);  // the question before replacing the file
    SaveBank(0);
    EXPECT_EQ(ReadFileText(path), since);
    // That file loaded beside it is renamed and the renaming undone: the bank
    // that only carries the path is no reason to refuse.
    ASSERT_EQ(LoadBankFile(path.c_str()), 1);
    const int loaded = gBanks.current;
    RecordUndoSnapshot(UndoKind::Renaming, UndoScope::Bank, loaded, 0);
    ASSERT_EQ(RenameBank(loaded, "Elsewhere"), 1);
    FinishUndoStep();
    Undo();
    EXPECT_EQ(std::string(gBanks.entries[loaded].path), path);
    EXPECT_EQ(ReadFileText(path), since);
}

TEST_F(UndoTest, UndoOfACreationLeavesTheFileItsSavesMade) {
    ASSERT_EQ(NewUserBankCommand(), 0);
    ASSERT_EQ(SaveBank(0), 1);
    std::string path = gBanks.entries[0].path;
    std::string saved = ReadFileText(path);
    Undo();
    EXPECT_EQ(gBanks.count, 0);
    EXPECT_EQ(ReadFileText(path), saved);  // the user saved it: the next start finds it
    Redo();
    EXPECT_EQ(gBanks.entries[0].changeCount, 0);  // as saved

    // Opened again meanwhile, the file stays the open bank's: the bank that
    // comes back asks for a file of its own.
    Undo();
    ASSERT_EQ(AddBankFromData(path.c_str(), nullptr), 0);
    Redo();
    ASSERT_EQ(gBanks.count, 2);
    const int back = gBanks.entries[0].hasFile ? 1 : 0;
    EXPECT_EQ(gBanks.entries[back].hasFile, 0);
    EXPECT_NE(gBanks.entries[back].changeCount, 0);
    EXPECT_EQ(SaveBank(back), 0);
    EXPECT_EQ(HeadlessLastStatus(), path + " is already loaded");

    // A new step ends the redo; the file stays.
    Undo();
    ASSERT_GE(NewUserBankCommand(), 0);
    EXPECT_EQ(ReadFileText(path), saved);
}

TEST_F(UndoTest, StepsFollowTheirBankWhenTheListIsReordered) {
    // Device bank D, user banks U1 and U2: delete U1, undo, the device goes
    // away, redo: U1 is deleted again, not U2, which now sits where U1 was.
    std::string folder = folder_.Path("Devices/Alpha.eld/");
    int u1 = NewBank();
    int u2 = NewBank();
    ASSERT_EQ(SaveBank(u1), 1);
    ASSERT_EQ(SaveBank(u2), 1);
    std::string u1Path = gBanks.entries[u1].path;
    std::string u2Path = gBanks.entries[u2].path;
    ASSERT_EQ(AddDeviceBank(folder.c_str(), kAlphaPid, 0), 0);
    EditPreset(0, 0, "Device edit");
    EditPreset(2, 0, "U2 edit");
    ASSERT_EQ(DeleteUserBank(1), 1);
    Undo();
    RemoveDeviceBanks();
    Redo();
    EXPECT_FALSE(FileThere(u1Path));
    ASSERT_EQ(gBanks.count, 1);
    EXPECT_EQ(std::string(gBanks.entries[0].path), u2Path);
    Undo();
    ASSERT_EQ(gBanks.count, 2);
    EXPECT_EQ(std::string(gBanks.entries[0].path), u1Path);

    // The edit of U2 goes back into U2 wherever it is; the device bank's
    // step has no bank any more: dropped, with a word why.
    Undo();
    EXPECT_STREQ(Preset(1, 0).name, "Untitled");
    ASSERT_EQ(AddDeviceBank(folder.c_str(), kAlphaPid, 0), 0);
    Undo();
    EXPECT_EQ(HeadlessLastStatus(),
              "Cannot Undo or Redo the change to Alpha because it is no longer open");
    EXPECT_EQ(gUndo.current, -1);
    EXPECT_EQ(gUndo.top, 1);
    EXPECT_STREQ(Preset(0, 0).name, "");
}

TEST_F(UndoTest, AnEditThatChangesNothingLeavesNoStepAndUndoKeepsTheChangeState) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    // Knob 1's CC set to 10, then 1 typed into a channel that is already 1.
    EditValueState cc, channel;
    ASSERT_EQ(EditValuePrepare(&cc, bank, 0, 0, kValueMidiCc, 0, kFormatDecimal), 1);
    ASSERT_EQ(EditValuePrepare(&channel, bank, 0, 1, kValueChannel, 0, kFormatDecimal), 1);
    ASSERT_EQ(EditValueStore(cc, "10"), 1);
    ASSERT_EQ(EditValueStore(channel, "1"), 1);
    EXPECT_EQ(gUndo.top, 0);
    EXPECT_NE(gBanks.entries[bank].changeCount, 0);

    Undo();
    EXPECT_EQ(Preset(bank, 0).controls[0].midiCc, 7);
    EXPECT_EQ(gBanks.entries[bank].changeCount, 0);  // as saved
    Redo();
    EXPECT_NE(gBanks.entries[bank].changeCount, 0);
    // Saved with the edit, the undone edit is what differs from the file.
    ASSERT_EQ(SaveBank(bank), 1);
    Undo();
    EXPECT_NE(gBanks.entries[bank].changeCount, 0);
    EXPECT_EQ(Preset(bank, 0).changed, 1);
    Redo();
    EXPECT_EQ(gBanks.entries[bank].changeCount, 0);
}

TEST_F(UndoTest, ABankThatNeverHadAFileIsNotWrittenByUndo) {
    int bank = NewBank();
    std::string path = gBanks.entries[bank].path;
    ASSERT_EQ(DeleteUserBank(bank), 1);
    Undo();
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_FALSE(FileThere(path));

    // Its name taken meanwhile by another bank's file: brought back, its
    // save does not write over that bank's file.
    ASSERT_EQ(DeleteUserBank(bank), 1);
    int other = NewBank();
    ASSERT_EQ(SaveBankAsPath(other, path.c_str()), 1);
    const std::string taken = ReadFileText(path);
    Undo();
    int back = -1;
    for (int i = 0; i < gBanks.count; i++) {
        if (!gBanks.entries[i].hasFile && path == gBanks.entries[i].path) back = i;
    }
    ASSERT_GE(back, 0);
    HeadlessQueueAnswer(kIdYes);  // were the replace question asked
    EXPECT_EQ(SaveBank(back), 0);
    EXPECT_EQ(HeadlessLastStatus(), path + " is already loaded");
    EXPECT_EQ(ReadFileText(path), taken);
}

TEST_F(UndoTest, RenamingIsUndoneByRenamingBack) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    std::string oldPath = gBanks.entries[bank].path;
    EditPreset(bank, 1, "Before");
    RecordUndoSnapshot(UndoKind::Renaming, UndoScope::Bank, bank, 0);
    ASSERT_EQ(RenameBank(bank, "Strings"), 1);
    FinishUndoStep();
    Preset(bank, 2).variables[0] = 3;  // a change no step recorded
    EXPECT_EQ(MenuText(11), "&Undo Renaming of Alpha User Bank\tCtrl+Z");
    Undo();
    EXPECT_STREQ(gBanks.entries[bank].displayName, "Alpha User Bank");
    EXPECT_STREQ(gBanks.entries[bank].data->name, "Alpha User Bank");
    EXPECT_EQ(Preset(bank, 2).variables[0], 3);
    EXPECT_TRUE(FileThere(oldPath));
    EXPECT_FALSE(FileThere(UserBankFile("Strings")));
    EXPECT_EQ(MenuText(12), "&Redo Renaming of Strings\tCtrl+Shift+Z");
    Redo();
    EXPECT_STREQ(gBanks.entries[bank].displayName, "Strings");
    EXPECT_TRUE(FileThere(UserBankFile("Strings")));

    // Its file gone and its old name taken by another file: not taken over.
    remove(UserBankFile("Strings").c_str());
    folder_.Write("User Preset Banks/Alpha User Bank.xml", "someone else's");
    Undo();
    EXPECT_STREQ(gBanks.entries[bank].displayName, "Strings");
    EXPECT_EQ(ReadFileText(oldPath), "someone else's");
    // That step can no longer be undone, and it goes: the steps before it
    // are not held out of reach behind it.
    Undo();
    EXPECT_STREQ(Preset(bank, 1).name, "Untitled");
    EXPECT_STREQ(gBanks.entries[bank].displayName, "Strings");
}

TEST_F(UndoTest, AReloadUndonePastARenamingThatCouldNotBeKeepsTheBanksName) {
    int bank = ReloadedOverUnsavedWork();
    RecordUndoSnapshot(UndoKind::Renaming, UndoScope::Bank, bank, 0);
    ASSERT_EQ(RenameBank(bank, "Strings"), 1);
    FinishUndoStep();
    folder_.Write("User Preset Banks/Alpha User Bank.xml", "someone else's");
    Undo();  // the old name is taken: the renaming stays, its step goes
    Undo();  // the reload
    EXPECT_STREQ(Preset(bank, 0).name, "Unsaved work");
    EXPECT_STREQ(gBanks.entries[bank].displayName, "Strings");
    EXPECT_STREQ(gBanks.entries[bank].data->name, "Strings");
}

TEST_F(UndoTest, ARedoOfARenamingWhoseNameIsTakenHoldsNoStepAfterIt) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    RecordUndoSnapshot(UndoKind::Renaming, UndoScope::Bank, bank, 0);
    ASSERT_EQ(RenameBank(bank, "Strings"), 1);
    FinishUndoStep();
    EditPreset(bank, 1, "After");
    Undo();
    Undo();
    ASSERT_STREQ(gBanks.entries[bank].displayName, "Alpha User Bank");
    folder_.Write("User Preset Banks/Strings.xml", "someone else's");
    Redo();  // the name is taken: said, and the step goes
    EXPECT_STREQ(gBanks.entries[bank].displayName, "Alpha User Bank");
    Redo();
    EXPECT_STREQ(Preset(bank, 1).name, "After");
    EXPECT_EQ(ReadFileText(UserBankFile("Strings")), "someone else's");
}

TEST_F(UndoTest, TheMenuNamesTheBankAsItsFirstSaveNamedIt) {
    int bank = NewBank();
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, bank, 0);
    strcpy(Preset(bank, 0).name, "Edited");
    FinishUndoStep();
    HeadlessQueueFileChoice(folder_.Path("User Preset Banks/Live Set.xml"), 1);
    JoinSaveBank();
    EXPECT_EQ(MenuText(11), "&Undo Edit of Untitled (Live Set)\tCtrl+Z");

    // An "&" in a name is shown as itself, not as the next letter underlined.
    strcpy(Preset(bank, 0).name, "R&B");
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, bank, 0);
    Preset(bank, 0).variables[0] ^= 1;
    FinishUndoStep();
    EXPECT_EQ(MenuText(11), "&Undo Edit of R&&B (Live Set)\tCtrl+Z");
}

TEST_F(UndoTest, StepsBeforeANewBanksFirstSaveLeaveItsFileInTheFolderChosen) {
    int bank = NewBank();
    RecordUndoSnapshot(UndoKind::Paste, UndoScope::Bank, bank, 0);
    strcpy(Preset(bank, 3).name, "pasted");
    FinishUndoStep();
    RecordUndoSnapshot(UndoKind::Renaming, UndoScope::Bank, bank, 0);
    ASSERT_EQ(RenameBank(bank, "Strings"), 1);
    FinishUndoStep();
    std::filesystem::create_directories(folder_.Path("Elsewhere"));
    HeadlessQueueFileChoice(folder_.Path("Elsewhere/Live Set.xml"), 1);
    ASSERT_EQ(SaveBankCommand(bank), 1);

    // The renaming goes back to the other name, in the folder the bank is in.
    Undo();
    const std::string renamed = folder_.Path("Elsewhere/Alpha User Bank.xml");
    EXPECT_EQ(std::string(gBanks.entries[bank].path), renamed);
    EXPECT_TRUE(FileThere(renamed));
    // The paste puts back the contents alone: the file stays where it is.
    Undo();
    EXPECT_STREQ(Preset(bank, 3).name, "Untitled");
    EXPECT_EQ(std::string(gBanks.entries[bank].path), renamed);
    EXPECT_TRUE(FileThere(renamed));
    EXPECT_FALSE(FileThere(UserBankFile("Alpha User Bank")));
}

TEST_F(UndoTest, AStepOfNothingStillNamesItsKind) {
    RecordUndoSnapshot(UndoKind::Paste, UndoScope::Nothing, 0, 0);
    FinishUndoStep();
    EXPECT_EQ(MenuText(11), "&Undo Paste to\tCtrl+Z");
    Undo();
    EXPECT_EQ(MenuText(12), "&Redo Paste to\tCtrl+Shift+Z");
}

TEST_F(UndoTest, TheMenuTextIsCutTo127Characters) {
    int bank = NewBank();
    memset(Preset(bank, 0).name, 'n', 47);
    Preset(bank, 0).name[47] = 0;
    memset(gBanks.entries[bank].data->name, 'b', 47);
    gBanks.entries[bank].data->name[47] = 0;
    RecordUndoSnapshot(UndoKind::LibraryAssignment, UndoScope::Preset, bank, 0);
    Preset(bank, 0).controls[0].midiCc = 99;
    FinishUndoStep();
    std::string text = MenuText(11);
    EXPECT_EQ(text.size(), 127u);
    EXPECT_EQ(text.substr(0, 28), "&Undo Library Assignment to ");
}

TEST_F(UndoTest, DeviceBanksAreNamedByTheirDisplayName) {
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 0);
    RecordUndoSnapshot(UndoKind::SysexReceipt, UndoScope::Bank, device, 0);
    Preset(device, 0).controls[0].midiCc = 99;
    FinishUndoStep();
    EXPECT_EQ(MenuText(11), "&Undo Receipt of Sysex to Alpha\tCtrl+Z");
}

TEST_F(UndoTest, ClearingDropsEverything) {
    int bank = NewBank();
    EditPreset(bank, 0, "x");
    EditPreset(bank, 1, "y");
    ClearUndoHistory();
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_EQ(gUndo.current, -1);
    EXPECT_EQ(gUndo.entries[0].record, nullptr);
    EXPECT_FALSE(IsMenuCommandEnabled(11));
}

TEST(UndoMenuSplitTest, SplitsAtTheFirstBlankOrTab) {
    char prefix[32], suffix[32];
    SplitMenuText("&Undo\tCtrl+Z", prefix, suffix, 32);
    EXPECT_STREQ(prefix, "&Undo");
    EXPECT_STREQ(suffix, "\tCtrl+Z");
    SplitMenuText("Plain", prefix, suffix, 32);
    EXPECT_STREQ(prefix, "Plain");
    EXPECT_STREQ(suffix, "");
    SplitMenuText("An item text far longer than thirty-one", prefix, suffix, 32);
    EXPECT_STREQ(prefix, "An");
    EXPECT_EQ(strlen(suffix), 31u);
}

}  // namespace
