// The undo history: every kind of step undone and redone, the limits on its
// length, and the Edit menu texts that describe the next step.
#include <cstring>
#include <string>

#include "shell/menu.h"
#include "tests/banks/bank_test_support.h"

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
        Preset(bank, preset).changed++;
        gBanks.entries[bank].changeCount++;
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
    gBanks.entries[bank].changeCount = 0;
    EditPreset(bank, 1, "Bright");
    EXPECT_EQ(MenuText(11), "&Undo Edit of Untitled (Alpha User Bank)\tCtrl+Z");
    EXPECT_TRUE(IsMenuCommandEnabled(11));
    EXPECT_FALSE(IsMenuCommandEnabled(12));

    Undo();
    EXPECT_STREQ(Preset(bank, 1).name, "Untitled");
    EXPECT_EQ(Preset(bank, 1).changed, 0);  // the record comes back whole
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
    Redo();
    EXPECT_STREQ(Preset(bank, 0).name, "5");  // the oldest redo step kept
    // Out-of-range preferences are brought into 1..100.
    SetUndoLevels(0);
    EXPECT_EQ(gUndo.levels, 1);
    SetUndoLevels(500);
    EXPECT_EQ(gUndo.levels, 100);
}

TEST_F(UndoTest, BankEditsPutTheContentsBack) {
    int bank = NewBank();
    gBanks.entries[bank].changeCount = 0;
    for (UndoKind kind :
         {UndoKind::Edit, UndoKind::LibraryAssignment, UndoKind::Paste, UndoKind::SysexReceipt}) {
        RecordUndoSnapshot(kind, UndoScope::Bank, bank, 0);
        strcpy(Preset(bank, 3).name, "changed");
        Preset(bank, 3).controls[1].midiCc = 99;
        gBanks.entries[bank].changeCount++;
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
}

TEST_F(UndoTest, ReloadIsUndoneToTheEditsItDiscarded) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    strcpy(Preset(bank, 0).name, "Unsaved work");
    gBanks.entries[bank].changeCount = 1;
    ASSERT_EQ(ReloadBank(bank), 1);
    EXPECT_EQ(MenuText(11), "&Undo Reloading of Alpha User Bank\tCtrl+Z");
    Undo();
    EXPECT_STREQ(Preset(bank, 0).name, "Unsaved work");
    EXPECT_EQ(gBanks.entries[bank].changeCount, -1);  // the reload's 0, one step back
    Redo();
    EXPECT_STREQ(Preset(bank, 0).name, "Untitled");
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

TEST_F(UndoTest, DeletionIsUndoneByWritingTheFileAgain) {
    NewBank();
    int bank = NewBank();
    strcpy(Preset(bank, 1).name, "Keep me");
    ASSERT_EQ(SaveBank(bank), 1);
    std::string path = gBanks.entries[bank].path;
    NewBank();
    ASSERT_EQ(DeleteUserBank(bank), 1);
    EXPECT_FALSE(FileThere(path));
    EXPECT_EQ(MenuText(11), "&Undo Deletion of Alpha User Bank 2\tCtrl+Z");

    Undo();
    ASSERT_EQ(gBanks.count, 3);
    EXPECT_EQ(std::string(gBanks.entries[bank].path), path);
    EXPECT_STREQ(Preset(bank, 1).name, "Keep me");
    ASSERT_TRUE(FileThere(path));
    BankData* read = AllocBankData();
    ASSERT_EQ(ReadBankFile(path.c_str(), read, false), 1);
    EXPECT_STREQ(read->presets[1].name, "Keep me");
    FreeBankData(read);
    EXPECT_EQ(MenuText(12), "&Redo Deletion of Alpha User Bank 2\tCtrl+Shift+Z");

    Redo();
    EXPECT_FALSE(FileThere(path));
    EXPECT_EQ(gBanks.count, 2);
    EXPECT_STREQ(gBanks.entries[1].displayName, "Alpha User Bank 3");
}

TEST_F(UndoTest, ABankThatNeverHadAFileIsNotWrittenByUndo) {
    int bank = NewBank();
    std::string path = gBanks.entries[bank].path;
    ASSERT_EQ(DeleteUserBank(bank), 1);
    Undo();
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_FALSE(FileThere(path));
}

TEST_F(UndoTest, RenamingIsUndoneByRenamingBack) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    std::string oldPath = gBanks.entries[bank].path;
    RecordUndoSnapshot(UndoKind::Renaming, UndoScope::Bank, bank, 0);
    ASSERT_EQ(RenameBank(bank, "Strings"), 1);
    EXPECT_EQ(MenuText(11), "&Undo Renaming of Alpha User Bank\tCtrl+Z");
    Undo();
    EXPECT_STREQ(gBanks.entries[bank].displayName, "Alpha User Bank");
    EXPECT_TRUE(FileThere(oldPath));
    EXPECT_FALSE(FileThere(UserBankFile("Strings")));
    EXPECT_EQ(MenuText(12), "&Redo Renaming of Strings\tCtrl+Shift+Z");
    Redo();
    EXPECT_STREQ(gBanks.entries[bank].displayName, "Strings");
    EXPECT_TRUE(FileThere(UserBankFile("Strings")));
}

TEST_F(UndoTest, AStepOfNothingStillNamesItsKind) {
    RecordUndoSnapshot(UndoKind::Paste, UndoScope::Nothing, 0, 0);
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
    std::string text = MenuText(11);
    EXPECT_EQ(text.size(), 127u);
    EXPECT_EQ(text.substr(0, 28), "&Undo Library Assignment to ");
}

TEST_F(UndoTest, DeviceBanksAreNamedByTheirDisplayName) {
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 0);
    RecordUndoSnapshot(UndoKind::SysexReceipt, UndoScope::Bank, device, 0);
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
