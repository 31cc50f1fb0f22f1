// The end of a Windows session: recovery copies of the changed banks where
// Windows does not wait for Quit's questions, the questions where it does, and
// the offer of the copies at the next start.
#include "banks/bank_recovery.h"

#include <cstdio>
#include <cstring>

#include "shell/joins.h"
#include "shell/session_end.h"
#include "tests/banks/bank_test_support.h"

namespace {

class BankRecoveryTest : public BankTest {};

TEST_F(BankRecoveryTest, AnEndedSessionKeepsTheChangedBanksForTheNextStart) {
    int saved = NewBank();
    ASSERT_EQ(SaveBank(saved), 1);
    std::string savedPath = gBanks.entries[saved].path;
    std::string before = ReadFileText(savedPath);
    strcpy(Preset(saved, 1).name, "Edited");
    gBanks.entries[saved].changeCount = 1;
    int fresh = NewBank();  // never saved
    strcpy(Preset(fresh, 2).name, "Brand new");
    std::string freshPath = gBanks.entries[fresh].path;

    // Windows does not wait: no question; copies beside the files, which stay as they were.
    EXPECT_EQ(QueryEndSession(1), 1);
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
    EXPECT_TRUE(FileThere(savedPath + kRecoverySuffix));
    EXPECT_TRUE(FileThere(freshPath + kRecoverySuffix));
    EXPECT_EQ(ReadFileText(savedPath), before);
    EXPECT_FALSE(FileThere(freshPath));

    // The next start opens the saved bank from its file, then offers both copies.
    ResetBankList();
    ASSERT_EQ(AddBankFromData(savedPath.c_str(), nullptr), 0);
    ASSERT_STREQ(Preset(0, 1).name, "Untitled");
    HeadlessQueueAnswer(kIdYes);
    HeadlessQueueAnswer(kIdYes);
    EXPECT_EQ(OfferRecoveryCopies(), 2);
    ASSERT_EQ(HeadlessMessages().boxes.size(), 2u);
    EXPECT_EQ(HeadlessMessages().boxes[0].text,
              "The changes to Alpha User Bank were kept when Windows ended the last session. "
              "Do you want to restore them?");
    ASSERT_EQ(gBanks.count, 2);
    EXPECT_EQ(gBanks.current, 0);
    EXPECT_STREQ(Preset(0, 1).name, "Edited");
    EXPECT_NE(gBanks.entries[0].changeCount, 0);
    EXPECT_STREQ(Preset(1, 2).name, "Brand new");
    EXPECT_EQ(std::string(gBanks.entries[1].path), freshPath);
    EXPECT_EQ(gBanks.entries[1].hasFile, 0);
    EXPECT_NE(gBanks.entries[1].changeCount, 0);
    RefreshChangeState(1);  // as after an edit undone: still a bank without a file
    EXPECT_NE(gBanks.entries[1].changeCount, 0);
    EXPECT_FALSE(FileThere(savedPath + kRecoverySuffix));
    EXPECT_FALSE(FileThere(freshPath + kRecoverySuffix));

    // Where Windows waits, Quit's questions: Cancel keeps the session going
    // with everything in memory and no copy left behind.
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    HeadlessQueueAnswer(kIdCancel);
    EXPECT_EQ(QueryEndSession(0), 0);
    EXPECT_EQ(HeadlessMessages().boxes.size(), 1u);
    EXPECT_FALSE(FileThere(savedPath + kRecoverySuffix));
    EXPECT_NE(gBanks.entries[0].changeCount, 0);
}

// A copy is no save: a session end refused elsewhere leaves the bank as it was.
TEST_F(BankRecoveryTest, WritingACopyLeavesTheBankInMemoryAsItWas) {
    int bank = NewBank();
    BankData* data = gBanks.entries[bank].data;
    strcpy(data->name, "Inner name");
    data->created[0] = '\0';
    gBanks.entries[bank].changeCount = 1;
    ASSERT_EQ(WriteRecoveryCopies(), 1);
    EXPECT_STREQ(data->name, "Inner name");
    EXPECT_STREQ(data->created, "");
    RemoveRecoveryCopies();
}

// A device that answers only later in the run never had its bank's copy offered: the next
// session end neither writes over that copy nor takes it away.
TEST_F(BankRecoveryTest, ACopyStillWaitingForItsOfferIsLeftAlone) {
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 0);
    ASSERT_EQ(SaveBank(device), 1);
    const std::string copy = std::string(gBanks.entries[device].path) + kRecoverySuffix;
    folder_.Write("Devices/Alpha.eld/rom.xml" + std::string(kRecoverySuffix), "kept before");
    strcpy(Preset(device, 1).name, "Edited");
    gBanks.entries[device].changeCount = 1;
    HeadlessQueueAnswer(kIdNo);
    EXPECT_EQ(QueryEndSession(0), 1);
    EXPECT_EQ(ReadFileText(copy), "kept before");

    // A user bank left without a file when the device bank took that file keeps its copy
    // under its own name among the user's banks, not under the device bank's.
    remove(copy.c_str());
    int user = NewBank();
    CopyText(gBanks.entries[user].path, gBanks.entries[device].path);
    strcpy(Preset(user, 1).name, "Mine");
    EXPECT_EQ(QueryEndSession(1), 1);
    EXPECT_NE(ReadFileText(copy).find("Edited"), std::string::npos);
    const std::string own = UserBankFile(gBanks.entries[user].displayName) + kRecoverySuffix;
    EXPECT_NE(ReadFileText(own).find("Mine"), std::string::npos);
}

// A bank without a file whose path a file has (saved there while the bank was
// away, or loaded beside it) keeps its copy under a free name of its own:
// beside that file, the next start would offer it to the file's bank.
TEST_F(BankRecoveryTest, ACopyOfABankWithoutAFileAvoidsAFileAtItsPath) {
    int bank = NewBank();
    strcpy(Preset(bank, 1).name, "Away");
    const std::string path = gBanks.entries[bank].path;
    folder_.Write("User Preset Banks/Alpha User Bank.xml", "someone else's");
    // A second one of the same name does not take the first one's copy.
    int twin = NewBank();
    CopyText(gBanks.entries[twin].displayName, "Alpha User Bank");
    CopyText(gBanks.entries[twin].path, path.c_str());
    strcpy(Preset(twin, 1).name, "Twin");
    // One whose path holds something that cannot be read.
    int unread = NewBank();
    const std::string unreadPath = UserBankFile("Unread");
    CopyText(gBanks.entries[unread].displayName, "Unread");
    CopyText(gBanks.entries[unread].path, unreadPath.c_str());
    ASSERT_EQ(symlink(folder_.Path("nowhere").c_str(), unreadPath.c_str()), 0);
    strcpy(Preset(unread, 1).name, "Unread");
    // One whose path is outside the folder the next start searches.
    int outside = NewBank();
    CopyText(gBanks.entries[outside].path, folder_.Path("Elsewhere/Outside.xml").c_str());
    CopyText(gBanks.entries[outside].displayName, "Outside");
    strcpy(Preset(outside, 1).name, "Outside");
    EXPECT_EQ(QueryEndSession(1), 1);
    EXPECT_FALSE(FileThere(path + kRecoverySuffix));
    EXPECT_NE(ReadFileText(UserBankFile("Alpha User Bank 2") + kRecoverySuffix).find("Away"),
              std::string::npos);
    EXPECT_NE(ReadFileText(UserBankFile("Alpha User Bank 3") + kRecoverySuffix).find("Twin"),
              std::string::npos);
    EXPECT_EQ(ReadFileText(path), "someone else's");
    EXPECT_FALSE(FileThere(unreadPath + kRecoverySuffix));
    remove(unreadPath.c_str());

    // The next start offers them under those names, and calls them so.
    ResetBankList();
    for (int i = 0; i < 4; i++) HeadlessQueueAnswer(kIdYes);
    EXPECT_EQ(OfferRecoveryCopies(), 4);
    ASSERT_EQ(gBanks.count, 4);
    for (int i = 0; i < gBanks.count; i++) {
        EXPECT_STREQ(BankTitle(i), gBanks.entries[i].displayName);
        const char* kept = Preset(i, 1).name;
        EXPECT_TRUE(strcmp(BankTitle(i), "Alpha User Bank 2") == 0   ? strcmp(kept, "Away") == 0
                    : strcmp(BankTitle(i), "Alpha User Bank 3") == 0 ? strcmp(kept, "Twin") == 0
                                                                     : kept[0] != '\0')
            << BankTitle(i) << ": " << kept;
    }
}

// The session's end drops the undo history, as Quit does: a deleted bank's file, kept aside
// so that the deletion could be undone, goes with it.
TEST_F(BankRecoveryTest, AnEndedSessionTakesAwayTheFilesOfDeletedBanks) {
    int bank = NewBank();
    ASSERT_EQ(SaveBank(bank), 1);
    const std::string path = gBanks.entries[bank].path;
    ASSERT_EQ(DeleteUserBank(bank), 1);
    ASSERT_TRUE(FileThere(path + ".deleted"));
    EXPECT_EQ(QueryEndSession(0), 1);
    EndSession(1);
    EXPECT_FALSE(FileThere(path + ".deleted"));
}

TEST_F(BankRecoveryTest, ASessionEndRefusedElsewhereShowsTheCurrentBanksModelAgain) {
    int shown = NewBank();
    ClearChanges(shown);
    ASSERT_TRUE(SwitchDevice(kBetaPid));
    int other = AddNewUserBank("Beta Bank");
    ASSERT_TRUE(SwitchDevice(kAlphaPid));
    ShowBank(shown);
    gBanks.entries[other].changeCount = 1;
    HeadlessMessages().quiet = 1;
    HeadlessQueueAnswer(kIdYes);  // save the Beta bank, which loads its model
    ASSERT_EQ(QueryEndSession(0), 1);
    EndSession(0);  // another program refused
    EXPECT_EQ(gBanks.current, shown);
    EXPECT_EQ(gDevice.pid, kAlphaPid);
}

// Writing a copy against another model's definition leaves the user's place
// and device bank as they were: later sends go to the device they chose.
TEST_F(BankRecoveryTest, ASessionEndThatDoesNotEndKeepsThePlaceAndTheDeviceBank) {
    const std::string folder = folder_.Path("Devices/Alpha.eld/");
    const int d1 = AddDeviceBank(folder.c_str(), kAlphaPid, 0);
    const int d2 = AddDeviceBank(folder.c_str(), kAlphaPid, 1);
    ASSERT_TRUE(SwitchDevice(kBetaPid));
    const int beta = AddNewUserBank("Beta Bank");
    gBanks.entries[beta].changeCount = 1;
    ShowBank(d1);
    SetDeviceBank(d1);
    ShowBank(d2);
    ASSERT_EQ(gBanks.deviceBank, d1);
    gBanks.currentPreset = 3;
    strcpy(Preset(d1, 1).name, "First");
    strcpy(Preset(d2, 1).name, "Second");
    gBanks.entries[d1].changeCount = gBanks.entries[d2].changeCount = 1;
    ASSERT_EQ(QueryEndSession(1), 1);  // Windows cannot wait: copies, no questions
    // The two device banks share rom.xml: each keeps a copy of its own.
    EXPECT_NE(ReadFileText(folder + "rom.xml" + kRecoverySuffix).find("First"), std::string::npos);
    EXPECT_NE(ReadFileText(UserBankFile("Alpha") + kRecoverySuffix).find("Second"),
              std::string::npos);
    EndSession(0);                     // another program refused
    EXPECT_EQ(gBanks.current, d2);
    EXPECT_EQ(gBanks.deviceBank, d1);
    EXPECT_EQ(gBanks.currentPreset, 3);
}

// A copy kept for a file that has since become a bank of another model is
// not taken into it: the copy stays, and the user learns why.
TEST_F(BankRecoveryTest, ACopyOfAnotherModelIsNotTakenIn) {
    int alpha = NewBank();
    ASSERT_EQ(SaveBank(alpha), 1);
    const std::string path = gBanks.entries[alpha].path;
    ASSERT_EQ(std::rename(path.c_str(), (path + kRecoverySuffix).c_str()), 0);
    RemoveBank(alpha);
    ASSERT_TRUE(SwitchDevice(kBetaPid));
    int beta = AddNewUserBank("Beta Bank");
    ASSERT_EQ(SaveBankAsPath(beta, path.c_str()), 1);
    ResetBankList();
    HeadlessMessages().quiet = 1;
    HeadlessQueueAnswer(kIdYes);
    ASSERT_EQ(LoadBankFile(path.c_str()), 1);
    const int bank = gBanks.current;
    EXPECT_EQ(gBanks.entries[bank].data->pid, kBetaPid);
    EXPECT_EQ(gDevice.pid, kBetaPid);
    EXPECT_TRUE(FileThere(path + kRecoverySuffix));
    EXPECT_EQ(HeadlessLastStatus(),
              path + kRecoverySuffix + " holds a bank of another device model, so it was not read");

    // Offered at a start with another model's bank shown, it leaves that bank's model loaded.
    ASSERT_TRUE(SwitchDevice(kAlphaPid));
    ShowBank(AddNewUserBank("Alpha Bank"));
    HeadlessQueueAnswer(kIdYes);
    EXPECT_EQ(OfferRecoveryCopies(), 0);
    EXPECT_EQ(gDevice.pid, kAlphaPid);
    EXPECT_TRUE(FileThere(path + kRecoverySuffix));

    // Offered and left there, it no longer waits: this run's changes to the bank are kept over it.
    SelectBank(bank);
    strcpy(Preset(bank, 1).name, "This run");
    gBanks.entries[bank].changeCount = 1;
    EXPECT_EQ(QueryEndSession(1), 1);
    EXPECT_NE(ReadFileText(path + kRecoverySuffix).find("This run"), std::string::npos);
}

}  // namespace
