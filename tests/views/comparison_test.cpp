// Compare with...: what the views are told to mark, the status display's
// count, and how the target lives on while the user moves about (fixed or
// following the current preset, its bank reordered, closed, or of another
// model than the current bank).
#include "views/comparison.h"

#include <cstring>

#include "banks/preset_diff.h"
#include "shell/compare_commands.h"
#include "shell/dialog_compare.h"
#include "tests/banks/bank_test_support.h"

namespace {

class ComparisonTest : public BankTest {
  protected:
    void TearDown() override {
        ClearComparison();
        BankTest::TearDown();
    }
    // Makes a bank and preset current, as a click in the lists would.
    void Show(int bank, int preset) {
        gBanks.current = bank;
        gBanks.currentPreset = preset;
    }
};

TEST_F(ComparisonTest, MarksCellsCountsThemAndKeepsTheTargetWhileMoving) {
    int live = NewBank();
    int other = NewBank();
    std::strcpy(gBanks.entries[other].displayName, "Other");
    std::strcpy(Preset(other, 2).name, "Target");
    for (int p = 0; p < 4; ++p) std::strcpy(Preset(live, p).name, "Target");
    Show(live, 0);
    EXPECT_EQ(ComparisonCount(), -1);
    StartComparison(other, 2, 0);
    EXPECT_EQ(ComparisonCount(), 0);
    ShowComparisonStatus();
    EXPECT_EQ(HeadlessLastStatus(), "No differences from Other: Target");

    Preset(live, 0).controls[1].midiCc = 20;
    std::strcpy(Preset(live, 0).controls[2].desc, "Kick");
    EXPECT_TRUE(ComparedCellDiffers(ListColumns[1], 1));   // "Ctrl" of Knob 2
    EXPECT_FALSE(ComparedCellDiffers(ListColumns[4], 1));  // its "Ch"
    EXPECT_TRUE(ComparedCellDiffers(ListColumns[2], 1));   // its "Parameter" names the MIDICC
    EXPECT_FALSE(ComparedCellDiffers(ListColumns[2], 2));  // the pad's: only its comment differs
    EXPECT_TRUE(ComparedCellDiffers(ListColumns[8], 2));   // the pad's "Comment"
    char text[64];
    ComparedCellText(ListColumns[1], 1, text, sizeof text);
    EXPECT_STREQ(text, "7");  // the target's value: the model's default MIDICC
    ShowComparisonStatus();
    EXPECT_EQ(HeadlessLastStatus(), "2 differences from Other: Target");

    // Another preset of the current bank: still against preset 3 of Other.
    Show(live, 3);
    Preset(live, 3).variables[1] = 9;
    ShowComparisonStatus();
    EXPECT_EQ(HeadlessLastStatus(), "1 difference from Other: Target");

    // Following: each preset against the one of its number.
    StartComparison(other, 0, 1);
    Show(live, 0);
    std::strcpy(Preset(other, 0).name, "Target");
    EXPECT_EQ(ComparisonCount(), 2);
    Show(live, 1);
    std::strcpy(Preset(other, 1).name, "Target");
    EXPECT_EQ(ComparisonCount(), 0);

    // A message of its own stays until it is cleared; then the count returns.
    StatusMessage(kStrCannotModifyReadOnly, "Other");
    ShowComparisonStatus();
    EXPECT_EQ(HeadlessLastStatus(), "Cannot Modify Other because it is marked as Read Only");
    ClearStatus();
    ShowComparisonStatus();
    EXPECT_EQ(HeadlessLastStatus(), "No differences from Other: Target");

    // Cleared: the count goes from the display.
    ClearComparison();
    int clears = HeadlessMessages().statusClears;
    ShowComparisonStatus();
    EXPECT_EQ(HeadlessMessages().statusClears, clears + 1);
    EXPECT_FALSE(ComparedCellDiffers(ListColumns[1], 1));
}

TEST_F(ComparisonTest, TheTargetFollowsItsBankAndEndsWithIt) {
    int live = NewBank();
    int other = NewBank();
    Show(live, 0);
    StartComparison(other, 1, 0);
    // Banks moving in the list keep the target on its bank.
    RemoveBank(live);
    ASSERT_EQ(gBanks.count, 1);
    int moved = 0;
    int bank = -1;
    int preset = -1;
    Show(moved, 0);
    ASSERT_TRUE(ComparisonNow(&bank, &preset));
    EXPECT_EQ(bank, moved);
    EXPECT_EQ(preset, 1);

    // A bank of another model is not compared, but the target stays for
    // when its model's bank is current again.
    BankData beta = {};
    beta.pid = kBetaPid;
    int betaBank = AddBankFromData(UserBankFile("Beta").c_str(), &beta);
    ASSERT_GE(betaBank, 0);
    Show(betaBank, 0);
    EXPECT_FALSE(ComparisonNow(&bank, &preset));
    EXPECT_TRUE(ComparisonSet());

    // Renamed, the bank is the same bank: the comparison goes on.
    ASSERT_EQ(RenameBank(moved, "Renamed"), 1);
    ForgetClosedComparison();
    EXPECT_TRUE(ComparisonSet());

    // Its bank closed: the comparison ends.
    Show(moved, 0);
    RemoveBank(moved);
    ForgetClosedComparison();  // as ShowBank does after every change to the list
    EXPECT_FALSE(ComparisonSet());
}

TEST_F(ComparisonTest, CompareWithDeviceBankNeedsTheModelsDeviceBank) {
    int live = NewBank();
    Show(live, 2);
    EXPECT_EQ(CompareWithDeviceBank(), 0);
    EXPECT_EQ(HeadlessLastStatus(), "No device bank of Alpha is open to compare with");
    EXPECT_FALSE(ComparisonSet());

    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 1);
    ASSERT_GE(device, 0);
    live = gBanks.count - 1 == device ? 0 : gBanks.count - 1;  // device banks come first
    Show(live, 2);
    EXPECT_EQ(CompareWithDeviceBank(), 1);
    EXPECT_TRUE(ComparisonFollows());
    int bank = -1;
    int preset = -1;
    ASSERT_TRUE(ComparisonNow(&bank, &preset));
    EXPECT_EQ(bank, device);
    EXPECT_EQ(preset, 2);

    // With two devices of the model, the one Send to Device goes to.
    int second = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 2);
    ASSERT_GE(second, 0);
    SetDeviceBank(second);
    live = gBanks.count - 1;
    Show(live, 2);
    EXPECT_EQ(CompareWithDeviceBank(), 1);
    ASSERT_TRUE(ComparisonNow(&bank, &preset));
    EXPECT_EQ(bank, FindDeviceBank());
}

TEST_F(ComparisonTest, TheDialogOffersTheModelsBanksAndStartsFromTheDeviceBank) {
    int live = NewBank();
    Show(live, 1);
    // Alone with its bank: the next preset of the same bank.
    CompareChoice choice = InitialCompareChoice();
    EXPECT_EQ(choice.bank, live);
    EXPECT_EQ(choice.preset, 2);
    EXPECT_EQ(choice.follow, 0);

    const BankData* liveData = gBanks.entries[live].data;
    BankData beta = {};
    beta.pid = kBetaPid;
    ASSERT_GE(AddBankFromData(UserBankFile("Beta").c_str(), &beta), 0);
    int device = AddDeviceBank(folder_.Path("Devices/Alpha.eld/").c_str(), kAlphaPid, 1);
    for (int i = 0; i < gBanks.count; ++i) {
        if (gBanks.entries[i].data == liveData) live = i;  // device banks come first
    }
    Show(live, 1);
    int banks[kMaxBanks];
    ASSERT_EQ(CompareDialogBanks(banks, kMaxBanks), 2);  // not the Beta bank
    EXPECT_EQ(banks[0], device);
    EXPECT_EQ(banks[1], live);
    choice = InitialCompareChoice();
    EXPECT_EQ(choice.bank, device);
    EXPECT_EQ(choice.preset, 1);
    EXPECT_EQ(choice.follow, 1);

    // With a comparison made, the dialog opens on it.
    ApplyCompareChoice(CompareChoice{live, 3, 0});
    choice = InitialCompareChoice();
    EXPECT_EQ(choice.bank, live);
    EXPECT_EQ(choice.preset, 3);
    EXPECT_EQ(choice.follow, 0);
}

}  // namespace
