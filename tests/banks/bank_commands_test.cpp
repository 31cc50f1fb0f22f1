// The bank commands: New, Load, Save, Save As, Reload, Delete, Rename, the
// list operations discovery and the ROM preference use, and the questions at
// Quit.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "headless/commands_headless.h"
#include "headless/whole_file_headless.h"
#include "shell/joins.h"
#include "shell/settings.h"
#include "tests/banks/bank_test_support.h"

namespace {

class BankCommandsTest : public BankTest {};

TEST_F(BankCommandsTest, NewUserBankNumbersOnlyAgainstOpenBanks) {
    int first = NewBank();
    EXPECT_STREQ(gBanks.entries[first].displayName, "Alpha User Bank");
    EXPECT_EQ(std::string(gBanks.entries[first].path), UserBankFile("Alpha User Bank"));
    int second = NewBank();
    EXPECT_STREQ(gBanks.entries[second].displayName, "Alpha User Bank 2");
    int third = NewBank();
    EXPECT_STREQ(gBanks.entries[third].displayName, "Alpha User Bank 3");
    EXPECT_EQ(gBanks.current, third);

    // A file on disk with the next name does not count.
    folder_.Write("User Preset Banks/Alpha User Bank 4.xml", "x");
    gBanks.current = second;
    RemoveBank(first);
    EXPECT_EQ(gBanks.current, second - 1);  // still the second bank
    EXPECT_STREQ(gBanks.entries[NewBank()].displayName, "Alpha User Bank");
    EXPECT_STREQ(gBanks.entries[NewBank()].displayName, "Alpha User Bank 4");

    // The name is the file's: one the next start opens again from the user banks.
    strcpy(gDevice.name, "Alpha 1.5/S <\"X\">");
    EXPECT_STREQ(gBanks.entries[NewBank()].displayName, "Alpha 1_5_S __X__ User Bank");
}

TEST_F(BankCommandsTest, ANewBankHoldsTheDevicesFreshPresets) {
    int bank = NewBank();
    const BankEntry& entry = gBanks.entries[bank];
    EXPECT_EQ(entry.kind, BankKind::User);
    EXPECT_EQ(entry.pid, kAlphaPid);
    EXPECT_EQ(entry.hasFile, 0);
    EXPECT_EQ(entry.changeCount, 1);
    const BankData& data = *entry.data;
    EXPECT_STREQ(data.name, "Alpha User Bank");
    EXPECT_EQ(data.pid, kAlphaPid);
    EXPECT_EQ(data.vid, 7);
    EXPECT_EQ(data.readOnly, 0);
    EXPECT_EQ(data.rom, 0);
    EXPECT_EQ(data.presetCountInFile, 4);
    EXPECT_NE(data.created[0], 0);
    for (int p = 0; p < 4; p++) {
        const PresetRecord& preset = data.presets[p];
        EXPECT_STREQ(preset.name, "Untitled");
        EXPECT_STREQ(preset.created, data.created);
        EXPECT_EQ(preset.variableCount, 3);
        EXPECT_EQ(preset.controlCount, 3);
        EXPECT_EQ(preset.zoneFieldCount, 2);
        EXPECT_EQ(preset.variables[0], 1);  // zone enable bits: only the first zone on
        EXPECT_EQ(preset.variables[1], 3);  // Transpose's default, inside -12..12
        for (int c = 0; c < 3; c++) {
            EXPECT_EQ(preset.controls[c].origin, -1);
            EXPECT_EQ(preset.controls[c].channel, 1);
            EXPECT_EQ(preset.controls[c].midiCc, 7);
        }
        for (int z = 0; z < 2; z++) {
            EXPECT_EQ(preset.zones[z][0], 0);
            EXPECT_EQ(preset.zones[z][1], 127);
        }
    }
    EXPECT_STREQ(data.presets[4].name, "");  // beyond the device's presets: nothing
    // Nor from a library, past the model's controls and presets (a definition may gain them).
    EXPECT_EQ(data.presets[0].controls[kMaxControls - 1].origin, -1);
    EXPECT_EQ(data.presets[kMaxPresets - 1].controls[0].origin, -1);
}

TEST_F(BankCommandsTest, NoBankIsAddedPastSixtyFour) {
    for (int i = 0; i < kMaxBanks; i++) ASSERT_GE(NewUserBank(), 0);
    EXPECT_EQ(NewUserBank(), -1);
    EXPECT_EQ(NewUserBankCommand(), -1);
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_EQ(AddBankFromData("x.xml", gBanks.entries[0].data), -1);
    EXPECT_EQ(gBanks.count, kMaxBanks);
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
    EXPECT_TRUE(HeadlessMessages().statusTexts.empty());

    // Save As still writes the file, and says that it was not opened.
    const std::string path = UserBankFile("Spare");
    ASSERT_EQ(SaveBankAsPath(0, path.c_str()), 1);
    EXPECT_TRUE(FileThere(path));
    EXPECT_EQ(HeadlessLastStatus(),
              path + " was not opened: 64 banks are open already. Close one and try again.");
}

TEST_F(BankCommandsTest, NoBankIsMadeBeforeAModelIsLoaded) {
    DeviceDefinitionReset(&gDevice);
    const int before = gBanks.count;
    EXPECT_EQ(NewUserBankCommand(), -1);
    EXPECT_EQ(gBanks.count, before);
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_EQ(HeadlessLastStatus(),
              "A new bank is made for a device model: connect a Corvanith device, or open a bank "
              "of its model first.");
}

TEST_F(BankCommandsTest, NoMemoryForABankAddsNothing) {
    NewBank();
    HeadlessMessages().allocationsToFail = 1;
    EXPECT_EQ(NewUserBank(), -1);
    EXPECT_EQ(gBanks.count, 1);
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    EXPECT_EQ(HeadlessMessages().boxes[0].text, "Running short of memory");
    EXPECT_EQ(gFatal, 0);
    HeadlessMessages().allocationsToFail = 1;
    EXPECT_EQ(InsertBank(0, gBanks.entries[0], gBanks.entries[0].data), -1);
    EXPECT_EQ(gBanks.count, 1);
}

TEST_F(BankCommandsTest, SaveWritesAndMarksTheBankUnchanged) {
    int bank = NewBank();
    Preset(bank, 1).changed = 3;
    // The command repaints: the lists draw changed names in bold.
    int repaints = gHeadlessRepaints;
    gBanks.current = bank;
    HeadlessQueueFileChoice(gBanks.entries[bank].path, 1);  // its first save asks for the name
    JoinSaveBank();
    EXPECT_GT(gHeadlessRepaints, repaints);
    EXPECT_TRUE(FileThere(gBanks.entries[bank].path));
    EXPECT_EQ(gBanks.entries[bank].changeCount, 0);
    EXPECT_EQ(Preset(bank, 1).changed, 0);
    EXPECT_EQ(gBanks.entries[bank].hasFile, 1);
    ASSERT_EQ(HeadlessMessages().popupsShown.size(), 1u);
    EXPECT_EQ(HeadlessMessages().popupsShown[0],
              std::string("Writing ") + gBanks.entries[bank].path);
    EXPECT_EQ(HeadlessMessages().popupUp, 0);

    gBanks.entries[bank].data->readOnly = 1;
    gBanks.entries[bank].changeCount = 2;
    remove(gBanks.entries[bank].path);
    EXPECT_EQ(SaveBank(bank), 0);
    EXPECT_EQ(HeadlessLastStatus(),
              "Cannot Save Alpha User Bank because it is marked as Read Only");
    EXPECT_FALSE(FileThere(gBanks.entries[bank].path));
    EXPECT_EQ(gBanks.entries[bank].changeCount, 2);
}

TEST_F(BankCommandsTest, FirstSaveOfANewBankAsksBeforeReplacingAFileOfItsName) {
    // New banks are named against the open banks only: this file was never opened.
    std::string path = UserBankFile("Alpha User Bank");
    folder_.Write("User Preset Banks/Alpha User Bank.xml", "someone else's");
    int bank = NewBank();
    ASSERT_EQ(std::string(gBanks.entries[bank].path), path);
    EXPECT_EQ(SaveBank(bank), kSaveDeclined);  // the question answered No
    EXPECT_EQ(ReadFileText(path), "someone else's");
    EXPECT_EQ(gBanks.entries[bank].changeCount, 1);
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    EXPECT_EQ(HeadlessMessages().boxes[0].text, "Replace existing " + path);

    HeadlessQueueAnswer(kIdYes);
    ASSERT_EQ(SaveBank(bank), 1);
    EXPECT_NE(ReadFileText(path).find("<key>preset</key>"), std::string::npos);
    ASSERT_EQ(SaveBank(bank), 1);  // its own file now: no question
    EXPECT_EQ(HeadlessMessages().boxes.size(), 2u);

    // A protected file of its name says why in its own box; Quit stops without a second one.
    int other = NewBank();
    folder_.Write(std::string("User Preset Banks/") + gBanks.entries[other].displayName + ".xml",
                  "<plist><dict><key>preset</key><dict><key>read only</key><true/>"
                  "</dict></dict></plist>");
    HeadlessQueueAnswer(kIdYes);  // save it
    EXPECT_EQ(ConfirmChangedBanks(), 0);
    EXPECT_EQ(HeadlessMessages().boxes.size(), 4u);  // the question and the protection
}

TEST_F(BankCommandsTest, SaveAsToItsOwnPathWritesInPlace) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    gBanks.entries[bank].changeCount = 1;
    HeadlessQueueAnswer(kIdYes);
    ASSERT_EQ(SaveBankAsPath(bank, gBanks.entries[bank].path), 1);
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_EQ(gBanks.entries[bank].changeCount, 0);
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    EXPECT_EQ(HeadlessMessages().boxes[0].text,
              std::string("Replace existing ") + gBanks.entries[bank].path);
    EXPECT_EQ(HeadlessMessages().boxes[0].type, kMbYesNoQuestion);
    // However its own path is spelt.
    const std::string own = gBanks.entries[bank].path;
    const size_t slash = own.rfind('/');
    HeadlessQueueAnswer(kIdYes);
    ASSERT_EQ(SaveBankAsPath(bank, (own.substr(0, slash) + "/./" + own.substr(slash + 1)).c_str()),
              1);
    EXPECT_EQ(gBanks.count, 1);
}

TEST_F(BankCommandsTest, SaveAsToANewNameAddsThatFileAndLeavesTheBankAsItWas) {
    int bank = NewBank();
    BankData& data = *gBanks.entries[bank].data;
    strcpy(data.created, "1:1:1:1:2001");
    data.uniqueId = 4242;
    strcpy(data.presets[0].name, "Mine");
    BankEntry before = gBanks.entries[bank];

    std::string target = folder_.Path("elsewhere/Live Set.xml");
    folder_.Write("elsewhere/keep", "");
    ASSERT_EQ(SaveBankAsPath(bank, target.c_str()), 1);
    EXPECT_TRUE(HeadlessMessages().boxes.empty());  // a new file: no question
    ASSERT_EQ(gBanks.count, 2);
    EXPECT_EQ(gBanks.current, 1);
    const BankEntry& added = gBanks.entries[1];
    EXPECT_EQ(std::string(added.path), target);
    EXPECT_STREQ(added.displayName, "Live Set");
    EXPECT_EQ(added.kind, BankKind::User);
    EXPECT_EQ(added.changeCount, 0);
    EXPECT_EQ(added.hasFile, 1);
    EXPECT_STREQ(added.data->name, "Live Set");
    EXPECT_STREQ(added.data->presets[0].name, "Mine");
    EXPECT_NE(added.data->uniqueId, 4242);
    EXPECT_NE(added.data->uniqueId, 0);
    EXPECT_STRNE(added.data->created, "1:1:1:1:2001");

    const BankEntry& original = gBanks.entries[bank];
    EXPECT_STREQ(original.path, before.path);
    EXPECT_STREQ(original.displayName, before.displayName);
    EXPECT_EQ(original.changeCount, before.changeCount);
    EXPECT_EQ(original.hasFile, 0);
    EXPECT_EQ(original.data->uniqueId, 4242);
    EXPECT_STREQ(original.data->created, "1:1:1:1:2001");
    EXPECT_EQ(std::string(gLastBankPath), target);
    EXPECT_EQ(std::string(gFileIo->initialDir), folder_.Path("elsewhere/"));
}

TEST_F(BankCommandsTest, SaveAsOntoAnExistingFileAsksAndRespectsProtection) {
    int bank = NewBank();
    std::string target = UserBankFile("Existing");
    folder_.Write("User Preset Banks/Existing.xml", "old contents");
    // No: nothing written.
    ASSERT_EQ(SaveBankAsPath(bank, target.c_str()), 0);
    EXPECT_EQ(ReadFileText(target), "old contents");
    EXPECT_EQ(gBanks.count, 1);

    // A read-only bank file is refused before the question.
    folder_.Write("User Preset Banks/Factory.xml",
                  "<plist><dict><key>preset</key><dict><key>read only</key><true/>"
                  "</dict></dict></plist>");
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    EXPECT_EQ(SaveBankAsPath(bank, UserBankFile("Factory").c_str()), 0);
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    EXPECT_EQ(HeadlessMessages().boxes[0].text,
              "Cannot Save " + UserBankFile("Factory") + " because it is marked as Read Only");

    HeadlessQueueAnswer(kIdYes);
    ASSERT_EQ(SaveBankAsPath(bank, target.c_str()), 1);
    EXPECT_NE(ReadFileText(target).find("<key>preset</key>"), std::string::npos);

    // The file of another open bank: refused, one entry per file.
    ASSERT_EQ(gBanks.count, 2);
    std::string other = ReadFileText(target);
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    gBanks.entries[bank].changeCount = 1;
    EXPECT_EQ(SaveBankAsPath(bank, target.c_str()), 0);
    EXPECT_EQ(HeadlessLastStatus(), target + " is already loaded");
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
    EXPECT_EQ(ReadFileText(target), other);
    EXPECT_EQ(gBanks.count, 2);
}

TEST_F(BankCommandsTest, SaveAsUsesTheSaveDialog) {
    int bank = NewBank();
    gBanks.entries[bank].displayName[0] = 0;  // empty: the bank's title is proposed
    HeadlessQueueFileChoice(folder_.Path("Chosen.txt"), 1);
    ASSERT_EQ(SaveBankAs(bank), 1);
    ASSERT_EQ(HeadlessFileDialogs().shown.size(), 1u);
    EXPECT_EQ(HeadlessFileDialogs().shown[0].title, "Save File");
    EXPECT_EQ(HeadlessFileDialogs().shown[0].proposed, "Alpha User Bank");
    EXPECT_TRUE(FileThere(folder_.Path("Chosen.xml")));  // the filter's extension
    // Among the user banks a name keeps no other "." (the next start would not
    // open the file); elsewhere the name stays as chosen.
    HeadlessQueueFileChoice(UserBankFile("Live v1.2"), 1);
    ASSERT_EQ(SaveBankAs(bank), 1);
    EXPECT_TRUE(FileThere(UserBankFile("Live v1_2")));
    HeadlessQueueFileChoice(folder_.Path("Live v1.2.xml"), 1);
    ASSERT_EQ(SaveBankAs(bank), 1);
    EXPECT_TRUE(FileThere(folder_.Path("Live v1.2.xml")));
    // A name taken by something that cannot be read is asked about all the same.
    const std::string held = folder_.Path("Held.xml");
    ASSERT_EQ(symlink(folder_.Path("nowhere").c_str(), held.c_str()), 0);
    HeadlessQueueAnswer(kIdNo);
    EXPECT_EQ(SaveBankAsPath(bank, held.c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(held));

    HeadlessQueueFileCancel();
    EXPECT_EQ(SaveBankAs(bank), 0);
}

TEST_F(BankCommandsTest, TheFirstSaveOfANewBankAsksForItsFile) {
    int bank = NewBank();
    std::string proposed = gBanks.entries[bank].path;
    HeadlessQueueFileCancel();
    EXPECT_EQ(SaveBankCommand(bank), 0);
    EXPECT_FALSE(FileThere(proposed.c_str()));  // nothing written the user did not name
    ASSERT_EQ(HeadlessFileDialogs().shown.size(), 1u);
    EXPECT_EQ(HeadlessFileDialogs().shown[0].title, "Save File");
    EXPECT_EQ(HeadlessFileDialogs().shown[0].proposed, proposed);

    HeadlessQueueFileChoice(folder_.Path("Live Set.xml"), 1);
    ASSERT_EQ(SaveBankCommand(bank), 1);
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_EQ(std::string(gBanks.entries[bank].path), folder_.Path("Live Set.xml"));
    EXPECT_STREQ(gBanks.entries[bank].displayName, "Live Set");
    EXPECT_STREQ(gBanks.entries[bank].data->name, "Live Set");
    EXPECT_EQ(gBanks.entries[bank].changeCount, 0);
    EXPECT_TRUE(FileThere(folder_.Path("Live Set.xml").c_str()));
    // From then on Save writes without asking.
    EXPECT_EQ(SaveBankCommand(bank), 1);
    EXPECT_EQ(HeadlessFileDialogs().shown.size(), 2u);

    // The device bank's file is that bank's, written or not.
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 0);
    const std::string deviceFile = gBanks.entries[device].path;
    int fresh = NewBank();
    HeadlessQueueFileChoice(deviceFile, 1);
    EXPECT_EQ(SaveBankCommand(fresh), 0);
    EXPECT_EQ(HeadlessLastStatus(), deviceFile + " is already loaded");
    EXPECT_FALSE(FileThere(deviceFile.c_str()));
}

TEST_F(BankCommandsTest, ReloadRereadsTheFileAsAnUndoableStep) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    strcpy(Preset(bank, 2).name, "Edited");
    gBanks.entries[bank].changeCount = 4;
    // A changed bank asks before its edits go; No keeps them.
    HeadlessQueueAnswer(kIdNo);
    EXPECT_EQ(ReloadBank(bank), 0);
    EXPECT_STREQ(Preset(bank, 2).name, "Edited");
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    EXPECT_EQ(HeadlessMessages().boxes[0].text,
              "Are you sure you want to revert to the saved version of Alpha User Bank?");
    HeadlessQueueAnswer(kIdYes);
    ASSERT_EQ(ReloadBank(bank), 1);
    EXPECT_STREQ(Preset(bank, 2).name, "Untitled");
    EXPECT_EQ(gBanks.entries[bank].changeCount, 0);
    EXPECT_EQ(Preset(bank, 2).changed, 0);
    ASSERT_EQ(gUndo.current, 0);
    EXPECT_EQ(gUndo.entries[0].kind, UndoKind::Reloading);

    // A bank that cannot be read again changes nothing, and says why.
    const std::string path = gBanks.entries[bank].path;
    remove(path.c_str());
    strcpy(Preset(bank, 2).name, "Kept");
    EXPECT_EQ(ReloadBank(bank), 0);
    EXPECT_STREQ(Preset(bank, 2).name, "Kept");
    EXPECT_EQ(gUndo.current, 0);
    EXPECT_EQ(HeadlessLastStatus(), "Cannot open file " + path);

    // A bank without a file of its own does not take another bank's file.
    ASSERT_EQ(SaveBank(bank), 1);
    int stray = NewBank();
    CopyText(gBanks.entries[stray].path, path.c_str());
    EXPECT_EQ(ReloadBank(stray), 0);
    EXPECT_EQ(HeadlessLastStatus(), path + " is already loaded");
    EXPECT_EQ(gBanks.entries[stray].hasFile, 0);

    // A device bank stays writable, as it came in, though its file says read only.
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 0);
    ASSERT_EQ(SaveBank(device), 1);
    std::string text = ReadFileText(gBanks.entries[device].path);
    const size_t flag = text.find("<key>read only</key><false/>");
    ASSERT_NE(flag, std::string::npos);
    text.replace(flag, strlen("<key>read only</key><false/>"), "<key>read only</key><true/>");
    folder_.Write("Devices/Alpha.eld/rom.xml", text);
    ASSERT_EQ(ReloadBank(device), 1);
    EXPECT_EQ(gBanks.entries[device].data->readOnly, 0);
    EXPECT_EQ(SaveBank(device), 1);
}

TEST_F(BankCommandsTest, DeleteRemovesOnlyUserBanksWithTheirFiles) {
    int user = NewBank();
    ASSERT_EQ(SaveBank(user), 1);
    std::string path = gBanks.entries[user].path;
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 0);
    ASSERT_EQ(device, 0);
    user = 1;
    gBanks.entries[device].changeCount = 0;

    EXPECT_EQ(DeleteUserBank(device), 0);
    EXPECT_EQ(gBanks.count, 2);
    gBanks.entries[user].kind = BankKind::Rom;
    EXPECT_EQ(DeleteUserBank(user), 0);
    EXPECT_TRUE(FileThere(path));
    EXPECT_EQ(gUndo.top, -1);

    gBanks.entries[user].kind = BankKind::User;
    EXPECT_EQ(DeleteUserBank(user), 1);
    EXPECT_FALSE(FileThere(path));
    EXPECT_TRUE(FileThere(path + ".deleted"));  // until the step is dropped
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_EQ(gBanks.current, 0);
    EXPECT_EQ(gUndo.entries[0].kind, UndoKind::Deletion);

    // A bank never saved did not come from the file that now has its name.
    folder_.Write("User Preset Banks/Alpha User Bank.xml", "someone else's");
    int fresh = NewBank();
    ASSERT_EQ(std::string(gBanks.entries[fresh].path), path);
    EXPECT_EQ(DeleteUserBank(fresh), 1);
    EXPECT_EQ(ReadFileText(path), "someone else's");

    // A file that cannot be moved aside: the bank stays, and says why.
    int stuck = NewBank();
    CopyText(gBanks.entries[stuck].path, "/proc/version");
    gBanks.entries[stuck].hasFile = 1;
    EXPECT_EQ(DeleteUserBank(stuck), 0);
    EXPECT_EQ(HeadlessLastStatus(), "Could not delete /proc/version");
    EXPECT_EQ(gBanks.count, 2);
    EXPECT_EQ(gUndo.top, 1);  // the two deletions, not the refused one
}

TEST_F(BankCommandsTest, RenameMovesTheFileOrRefuses) {
    int bank = NewBank();
    // Never saved: names only.
    ASSERT_EQ(RenameBank(bank, "Drums"), 1);
    EXPECT_EQ(std::string(gBanks.entries[bank].path), UserBankFile("Drums"));
    EXPECT_STREQ(gBanks.entries[bank].displayName, "Drums");
    EXPECT_STREQ(gBanks.entries[bank].data->name, "Drums");
    EXPECT_FALSE(FileThere(UserBankFile("Drums")));

    ASSERT_EQ(SaveBank(bank), 1);
    ASSERT_EQ(RenameBank(bank, "Percussion"), 1);
    EXPECT_FALSE(FileThere(UserBankFile("Drums")));
    EXPECT_TRUE(FileThere(UserBankFile("Percussion")));

    // The new name is taken: refused, nothing moves.
    folder_.Write("User Preset Banks/Taken.xml", "someone else's");
    EXPECT_EQ(RenameBank(bank, "Taken"), 0);
    EXPECT_EQ(HeadlessLastStatus(), "Could not Rename " + UserBankFile("Percussion"));
    EXPECT_EQ(ReadFileText(UserBankFile("Taken")), "someone else's");
    EXPECT_STREQ(gBanks.entries[bank].displayName, "Percussion");
    // Nor when the bank's own file has gone meanwhile.
    std::remove(UserBankFile("Percussion").c_str());
    EXPECT_EQ(RenameBank(bank, "Taken"), 0);
    EXPECT_EQ(ReadFileText(UserBankFile("Taken")), "someone else's");
    ASSERT_EQ(SaveBank(bank), 1);

    // Nor the name of another open bank, with a file or without.
    int other = NewBank();
    EXPECT_EQ(RenameBank(other, "Percussion"), 0);
    EXPECT_STREQ(gBanks.entries[other].displayName, "Alpha User Bank");

    EXPECT_EQ(RenameBank(bank, ""), 0);
    EXPECT_EQ(RenameBank(bank, "../escape"), 0);  // never out of the bank's folder
    EXPECT_EQ(RenameBank(bank, "Live 2.1"), 0);   // "Live 2.1.xml": not opened at the next start
    for (const char* device : {"con", "NUL", "Com1", "lpt9"}) {  // Windows' devices, not files
        EXPECT_EQ(RenameBank(bank, device), 0) << device;
    }
    // A file Windows' file calls could not write beside itself under ".new".
    const std::string longest = UserBankFile("");
    EXPECT_EQ(RenameBank(bank, std::string(256 - longest.size(), 'L').c_str()), 0);
    EXPECT_EQ(RenameBank(bank, std::string(255 - longest.size(), 'L').c_str()), 1);
    ASSERT_EQ(RenameBank(bank, "Percussion"), 1);
    char imported[kDisplayNameLen];
    ImportedBankName("/dumps/Live 2.1.syx", imported, sizeof imported);
    EXPECT_STREQ(imported, "Live 2_1");
    EXPECT_TRUE(FileThere(UserBankFile("Percussion")));
}

TEST_F(BankCommandsTest, LoadAddsABankOnceAndRemembersWhereItWas) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    std::string path = gBanks.entries[bank].path;
    RemoveBank(bank);

    HeadlessQueueFileChoice(path, 1);
    ASSERT_EQ(LoadBankCommand(), 1);
    ASSERT_EQ(gBanks.count, 1);
    EXPECT_EQ(gBanks.entries[0].kind, BankKind::User);
    EXPECT_EQ(gBanks.entries[0].changeCount, 0);
    EXPECT_EQ(HeadlessFileDialogs().shown[0].title, "Load File");
    EXPECT_EQ(HeadlessMessages().popupsShown.back(), "Reading " + path);
    EXPECT_EQ(std::string(gLastBankPath), path);
    EXPECT_EQ(std::string(gLastBankName), "Alpha User Bank.xml");

    HeadlessQueueFileChoice(path, 1);
    EXPECT_EQ(LoadBankCommand(), 0);
    EXPECT_EQ(HeadlessLastStatus(), path + " is already loaded");
    EXPECT_EQ(HeadlessFileDialogs().shown[1].proposed, path);  // starts at the last file
    // However its path is spelt: "." and ".." segments, doubled separators.
    const size_t slash = path.rfind('/');
    const std::string spelt = path.substr(0, slash) + "/./../User Preset Banks//" +
                              path.substr(slash + 1);
    EXPECT_EQ(OpenNamedFile(spelt.c_str()), 0);
    EXPECT_EQ(gBanks.count, 1);

    std::string notBank = folder_.Write("plain.xml", "<plist><dict/></plist>");
    HeadlessQueueFileChoice(notBank, 1);
    EXPECT_EQ(LoadBankCommand(), 0);
    EXPECT_EQ(HeadlessMessages().boxes.back().text,
              notBank + " is not an Corvanith SysEx Editor File");
    EXPECT_EQ(std::string(gLastBankPath), notBank);  // remembered even so
    EXPECT_EQ(gBanks.count, 1);

    // The device bank's file is loaded already, as the device bank.
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 0);
    ASSERT_EQ(SaveBank(device), 1);
    const std::string deviceFile = gBanks.entries[device].path;
    HeadlessQueueFileChoice(deviceFile, 1);
    EXPECT_EQ(LoadBankCommand(), 0);
    EXPECT_EQ(HeadlessLastStatus(), deviceFile + " is already loaded");
    EXPECT_EQ(gBanks.count, 2);
    // Opened from Explorer, however spelt, an open bank's file shows that bank.
    gBanks.current = device;
    EXPECT_EQ(OpenNamedFile(spelt.c_str()), 0);
    EXPECT_EQ(std::string(gBanks.entries[gBanks.current].path), path);
    EXPECT_EQ(std::string(gLastBankPath), path);  // the next Load starts there
    EXPECT_EQ(gBanks.count, 2);
    // A new bank only named after a file that is not open is not that file:
    // the file is opened.
    RemoveBank(gBanks.current);
    int fresh = NewBank();
    ASSERT_EQ(std::string(gBanks.entries[fresh].path), path);
    gBanks.current = device;
    OpenNamedFile(path.c_str());
    EXPECT_NE(gBanks.current, fresh);
    EXPECT_EQ(std::string(gBanks.entries[gBanks.current].path), path);
    EXPECT_EQ(gBanks.entries[gBanks.current].hasFile, 1);

    HeadlessQueueFileCancel();
    EXPECT_EQ(LoadBankCommand(), 0);
}

// A second device of the model, answering first on a port before the known
// one's, is another device: the known one keeps its bank and what it holds.
TEST_F(BankCommandsTest, ARefreshKeepsEachDeviceBankWithItsDevice) {
    const std::string folder = folder_.Path("Devices/Alpha.eld/");
    int a = AddDeviceBank(folder.c_str(), kAlphaPid, 3);
    ASSERT_GE(a, 0);
    strcpy(gBanks.entries[a].data->presets[0].name, "A unsent");
    gBanks.entries[a].changeCount = 1;
    BeginDeviceBankRefresh(true);
    AddDeviceBank(folder.c_str(), kAlphaPid, 1);  // a second one, newly connected
    AddDeviceBank(folder.c_str(), kAlphaPid, 3);  // the known one, where it was
    EndDeviceBankRefresh();
    ASSERT_EQ(gBanks.count, 2);
    for (int i = 0; i < gBanks.count; i++) {
        EXPECT_EQ(strcmp(gBanks.entries[i].data->presets[0].name, "A unsent") == 0,
                  gBanks.entries[i].connection == 3);
    }

    // Both renumbered (4 and 5 now): the ports cannot tell them apart, and no
    // bank goes to the other unit.
    int b = -1;
    for (int i = 0; i < gBanks.count; i++) {
        if (gBanks.entries[i].connection == 1) b = i;
    }
    ASSERT_GE(b, 0);
    strcpy(gBanks.entries[b].data->presets[0].name, "B unsent");
    BeginDeviceBankRefresh(true);
    AddDeviceBank(folder.c_str(), kAlphaPid, 4);
    AddDeviceBank(folder.c_str(), kAlphaPid, 5);
    EndDeviceBankRefresh();
    for (int i = 0; i < gBanks.count; i++) {
        EXPECT_EQ(gBanks.entries[i].data->presets[0].name[0], '\0') << i;
    }

    // The one device of the model moved while the list is full: no room for
    // a fresh bank, and its own takes the new port.
    RemoveDeviceBanks();
    a = AddDeviceBank(folder.c_str(), kAlphaPid, 3);
    strcpy(gBanks.entries[a].data->presets[0].name, "A unsent");
    while (gBanks.count < kMaxBanks) ASSERT_GE(NewUserBank(), 0);
    BeginDeviceBankRefresh(true);
    AddDeviceBank(folder.c_str(), kAlphaPid, 6);
    EndDeviceBankRefresh();
    a = FindDeviceBankByPid(kAlphaPid);
    ASSERT_GE(a, 0);
    EXPECT_EQ(gBanks.entries[a].connection, 6);
    EXPECT_STREQ(gBanks.entries[a].data->presets[0].name, "A unsent");
}

TEST_F(BankCommandsTest, AddDeviceBankWithoutAFileKeepsItsModel) {
    NewBank();
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 9);
    ASSERT_EQ(device, 0);
    const BankEntry& entry = gBanks.entries[0];
    EXPECT_EQ(entry.kind, BankKind::Device);
    EXPECT_EQ(std::string(entry.path), folder_.Path("Devices/Alpha.eld/rom.xml"));
    EXPECT_STREQ(entry.displayName, "Alpha");
    EXPECT_EQ(entry.connection, 9);
    EXPECT_EQ(entry.hasFile, 1);
    EXPECT_EQ(entry.changeCount, 0);
    EXPECT_EQ(entry.data->presets[0].controls[5].origin, -1);
    EXPECT_EQ(entry.data->pid, kAlphaPid);

    // A rom.xml that is there but cannot be read is not its to replace.
    const std::string rom = folder_.Path("Devices/Alpha.eld/rom.xml");
    ASSERT_EQ(symlink(folder_.Path("nowhere").c_str(), rom.c_str()), 0);
    RemoveDeviceBanks();
    device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 9);
    EXPECT_EQ(gBanks.entries[device].hasFile, 0);
    remove(rom.c_str());

    // Saved, it reads back as the device bank's contents.
    strcpy(gBanks.entries[0].data->presets[0].name, "From device");
    gBanks.entries[0].data->presets[0].controlCount = 3;
    ASSERT_EQ(SaveBank(0), 1);
    RemoveDeviceBanks();
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_EQ(gBanks.deviceBank, -1);
    device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 9);
    EXPECT_STREQ(gBanks.entries[device].data->presets[0].name, "From device");
    EXPECT_EQ(gBanks.entries[device].data->presets[0].changed, 0);

    // Its file loaded as a user bank while no device was there: the device
    // bank takes the file back, and the user bank neither saves over it nor
    // deletes it.
    const std::string deviceFile = gBanks.entries[device].path;
    const std::string saved = ReadFileText(deviceFile);
    RemoveDeviceBanks();
    ASSERT_EQ(LoadBankFile(deviceFile.c_str()), 1);
    AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 9);
    int user = gBanks.count - 1;
    ASSERT_EQ(gBanks.entries[user].kind, BankKind::User);
    EXPECT_EQ(gBanks.entries[user].hasFile, 0);
    EXPECT_EQ(SaveBank(user), 0);
    EXPECT_EQ(HeadlessLastStatus(), deviceFile + " is already loaded");
    ASSERT_EQ(DeleteUserBank(user), 1);
    EXPECT_EQ(ReadFileText(deviceFile), saved);
}

TEST_F(BankCommandsTest, OneDeviceHasOneBank) {
    // A device answering again (MIDI Setup identifies anew) keeps its bank as
    // it is, instead of a second one read from the stale "rom.xml".
    int user = NewBank();
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 3);
    ASSERT_EQ(device, 0);
    strcpy(gBanks.entries[device].data->presets[0].name, "Not sent yet");
    gBanks.entries[device].changeCount = 1;
    gBanks.current = user = 1;
    EXPECT_EQ(AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 3), device);
    EXPECT_EQ(gBanks.count, 2);
    EXPECT_EQ(gBanks.current, user);
    EXPECT_STREQ(gBanks.entries[device].data->presets[0].name, "Not sent yet");
    EXPECT_EQ(gBanks.entries[device].changeCount, 1);
    // Another connection is another device.
    EXPECT_EQ(AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 4), 1);
    EXPECT_EQ(gBanks.count, 3);
}

TEST_F(BankCommandsTest, AddingADeviceBankOfAnotherModelLoadsThatModel) {
    int device = AddDeviceBank(folder_.Path("Devices/Beta.eld/").c_str(), kBetaPid, 1);
    ASSERT_EQ(device, 0);
    EXPECT_EQ(gDevice.pid, kBetaPid);
    EXPECT_STREQ(gBanks.entries[0].displayName, "Beta");
}

TEST_F(BankCommandsTest, OpenBankFilesKeepsTheCurrentBank) {
    int a = NewBank();
    ASSERT_EQ(SaveBank(a), 1);
    int b = NewBank();
    ASSERT_EQ(SaveBank(b), 1);
    ResetBankList();
    NewBank();
    gBanks.current = 0;
    const char* names[] = {"Alpha User Bank.xml", "missing.xml", "Alpha User Bank 2.xml"};
    std::string folder = folder_.Path("User Preset Banks");
    EXPECT_EQ(OpenBankFiles(names, 3, folder.c_str()), 2);
    EXPECT_EQ(gBanks.count, 3);
    EXPECT_EQ(gBanks.current, 0);
    EXPECT_STREQ(gBanks.entries[2].displayName, "Alpha User Bank 2");
}

TEST_F(BankCommandsTest, RomBanksComeAndGoWithThePreference) {
    std::string rom =
        "<plist><dict><key>preset</key><dict><key>PID</key><integer>200</integer>"
        "<key>read only</key><true/><key>presets</key><array/></dict></dict></plist>";
    folder_.Write("Devices/Beta.eld/Factory.xml", rom);
    gShowAllRomBanks = 0;
    NewBank();
    ShowRomBanks();
    EXPECT_EQ(gShowAllRomBanks, 1);
    ASSERT_EQ(gBanks.count, 2);
    EXPECT_EQ(gBanks.entries[1].kind, BankKind::Rom);
    EXPECT_STREQ(gBanks.entries[1].displayName, "Factory");
    EXPECT_EQ(gBanks.current, 0);
    EXPECT_EQ(gDevice.pid, kAlphaPid);  // bank 0 selected

    HideRomBanks();
    EXPECT_EQ(gShowAllRomBanks, 0);
    EXPECT_EQ(gBanks.count, 1);
    gShowAllRomBanks = 1;
}

TEST_F(BankCommandsTest, QuitAsksAboutChangedUserAndDeviceBanksOnly) {
    int sent = -1;
    static int* sentTo;
    sentTo = &sent;
    gSendBankAtQuit = [](int bank) {
        *sentTo = bank;
        return 1;
    };
    AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 0);
    int yes = NewBank();
    int no = NewBank();
    int rom = NewBank();
    gBanks.entries[rom].kind = BankKind::Rom;
    int unchanged = NewBank();
    gBanks.entries[unchanged].changeCount = 0;
    gBanks.entries[0].changeCount = 1;

    HeadlessQueueAnswer(kIdYes);  // send the device bank
    HeadlessQueueAnswer(kIdYes);  // save the first user bank
    HeadlessQueueAnswer(kIdNo);   // not the second
    EXPECT_EQ(ConfirmChangedBanks(), 1);
    const auto& boxes = HeadlessMessages().boxes;
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "Alpha has changed. Do you want to send it to the device?");
    EXPECT_EQ(boxes[1].text, "Alpha User Bank has changed. Do you want to save it?");
    EXPECT_EQ(boxes[2].text, "Alpha User Bank 2 has changed. Do you want to save it?");
    for (const auto& box : boxes) EXPECT_EQ(box.type, kMbYesNoCancelQuestion);
    EXPECT_EQ(sent, 0);
    EXPECT_TRUE(FileThere(gBanks.entries[yes].path));
    EXPECT_EQ(gBanks.entries[yes].changeCount, 0);
    EXPECT_FALSE(FileThere(gBanks.entries[no].path));
    EXPECT_EQ(gBanks.entries[no].changeCount, 1);
    gSendBankAtQuit = nullptr;
}

TEST_F(BankCommandsTest, QuitStopsAtCancelAndAtAFailedSaveOrSendSayingWhy) {
    gSendBankAtQuit = [](int) {
        StatusMessage(kStrDeviceNotResponding);
        return 0;
    };
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 0);
    int first = NewBank();
    int second = NewBank();
    gBanks.entries[device].changeCount = 0;
    const auto& boxes = HeadlessMessages().boxes;

    // Cancel (also what the box's close button answers): nothing more asked or written.
    HeadlessQueueAnswer(kIdCancel);
    EXPECT_EQ(ConfirmChangedBanks(), 0);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(FileThere(gBanks.entries[first].path));

    // A save that fails stops Quit, names the bank and the reason, keeps it changed.
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    gHeadlessReplaceFailures = 1;
    HeadlessQueueAnswer(kIdYes);
    EXPECT_EQ(ConfirmChangedBanks(), 0);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, std::string("Could not Save Alpha User Bank. Cannot Write file ") +
                                 gBanks.entries[first].path + " to disk");
    EXPECT_EQ(boxes[1].type, kMbIconHand);
    EXPECT_EQ(gBanks.entries[first].changeCount, 1);
    EXPECT_EQ(gBanks.entries[second].changeCount, 1);
    EXPECT_FALSE(FileThere(gBanks.entries[first].path));

    // A send that fails: the same, with the transfer's reason.
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    gBanks.entries[device].changeCount = 1;
    HeadlessQueueAnswer(kIdYes);
    EXPECT_EQ(ConfirmChangedBanks(), 0);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Could not Send Alpha to the device. The device is not responding");
    EXPECT_EQ(gBanks.entries[device].changeCount, 1);

    // Refresh Devices asks the same question first, with the same way back.
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    HeadlessQueueAnswer(kIdCancel);
    EXPECT_EQ(ConfirmDeviceBanksBeforeRefresh(), 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Alpha has changed. Do you want to send it to the device?");
    HeadlessQueueAnswer(kIdNo);
    EXPECT_EQ(ConfirmDeviceBanksBeforeRefresh(), 1);

    // Stopped at a device bank of another model, Quit leaves the user's bank shown with its
    // model, and the device bank sends go to as it was.
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    for (int i = 0; i < gBanks.count; i++) gBanks.entries[i].changeCount = 0;
    int beta = AddDeviceBank(folder_.Path("Devices/Beta.eld/").c_str(), kBetaPid, 1);
    gBanks.entries[beta].changeCount = 1;
    const int shown = gBanks.count - 1;  // a user bank of Alpha
    SelectBank(shown);
    gBanks.currentPreset = 3;
    const int deviceBank = gBanks.deviceBank;
    HeadlessQueueAnswer(kIdYes);
    EXPECT_EQ(ConfirmChangedBanks(), 0);
    EXPECT_EQ(gBanks.current, shown);
    EXPECT_EQ(gBanks.currentPreset, 3);
    EXPECT_EQ(gDevice.pid, kAlphaPid);
    EXPECT_EQ(gBanks.deviceBank, deviceBank);
    gSendBankAtQuit = nullptr;
}

TEST(FilePathTest, DisplayNamesFoldersAndFilterExtensions) {
    char out[64];
    DisplayNameFromPath("C:\\Banks\\Live Set.xml", out, sizeof out);
    EXPECT_STREQ(out, "Live Set");
    DisplayNameFromPath("/tmp/a.xml", out, sizeof out);
    EXPECT_STREQ(out, "a");
    DisplayNameFromPath("abc", out, sizeof out);
    EXPECT_STREQ(out, "");
    FolderOfPath("C:\\Banks\\Live Set.xml", out, sizeof out);
    EXPECT_STREQ(out, "C:\\Banks\\");
    FolderOfPath("file.xml", out, sizeof out);
    EXPECT_STREQ(out, "");

    char path[32] = "C:\\my.folder\\bank";
    EXPECT_EQ(ReplaceExtensionForFilter(path, sizeof path, 1), 1);
    EXPECT_STREQ(path, "C:\\my.folder\\bank.xml");
    EXPECT_EQ(ReplaceExtensionForFilter(path, sizeof path, 2), 1);
    EXPECT_STREQ(path, "C:\\my.folder\\bank.sxl");
    char tight[11] = "ab.sxl.x";
    EXPECT_EQ(ReplaceExtensionForFilter(tight, sizeof tight, 1), 1);
    EXPECT_STREQ(tight, "ab.sxl.xml");
    char full[8] = "abcdefg";
    EXPECT_EQ(ReplaceExtensionForFilter(full, sizeof full, 1), 0);
    EXPECT_STREQ(full, "abcdefg");
    // The load dialog goes by a known extension of the name, else by its filter.
    EXPECT_EQ(LoadFilterForName("C:\\Banks\\Set.SXL", kFilterBankFile), kFilterSxlFile);
    EXPECT_EQ(LoadFilterForName("C:\\my.syx\\bank", kFilterSxlFile), kFilterSxlFile);
    EXPECT_EQ(LoadFilterForName("bank.txt", kFilterBankFile), kFilterBankFile);
}

}  // namespace
