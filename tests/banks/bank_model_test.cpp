// The bank model: look-ups, checks, the copy and swap operations and their
// counting rules, and the ordering of the list by kind.
#include <cstring>

#include "tests/banks/bank_test_support.h"

namespace {

class BankModelTest : public BankTest {
  protected:
    // Two user banks of Alpha, unchanged, with recognisable controls.
    void SetUp() override {
        BankTest::SetUp();
        a_ = NewBank();
        b_ = NewBank();
        for (int bank : {a_, b_}) {
            gBanks.entries[bank].changeCount = 0;
            for (int p = 0; p < kMaxPresets; p++) {
                PresetRecord& preset = Preset(bank, p);
                preset.changed = 0;
                for (int c = 0; c < kMaxControls; c++) {
                    preset.controls[c].midiCc = c;
                    preset.controls[c].channel = bank * 1000 + p * 100 + c;
                }
            }
        }
    }
    int a_ = -1;
    int b_ = -1;
};

TEST_F(BankModelTest, CopyControlCopiesOnlyWhatTheTargetAccepts) {
    Preset(a_, 0).controls[0].midiCc = 100;  // the pad (control 2) takes 0-63 only
    EXPECT_FALSE(CopyControl(a_, 0, 0, b_, 1, 2));
    EXPECT_EQ(Preset(b_, 1).controls[2].channel, b_ * 1000 + 100 + 2);
    EXPECT_EQ(Preset(b_, 1).changed, 0);
    EXPECT_EQ(gBanks.entries[b_].changeCount, 0);

    Preset(a_, 0).controls[0].midiCc = 20;
    strcpy(Preset(a_, 0).controls[0].desc, "Cutoff");
    EXPECT_TRUE(CopyControl(a_, 0, 0, b_, 1, 2));
    EXPECT_EQ(Preset(b_, 1).controls[2].channel, a_ * 1000 + 0);
    EXPECT_STREQ(Preset(b_, 1).controls[2].desc, "Cutoff");
    EXPECT_EQ(Preset(b_, 1).changed, 1);
    EXPECT_EQ(gBanks.entries[b_].changeCount, 1);
    EXPECT_EQ(gBanks.entries[a_].changeCount, 0);
}

TEST_F(BankModelTest, SwapControlsNeedsBothSidesToAccept) {
    Preset(a_, 0).controls[0].midiCc = 90;
    EXPECT_FALSE(SwapControls(a_, 0, 0, b_, 0, 2));  // 90 does not fit the pad
    EXPECT_EQ(Preset(a_, 0).changed, 0);

    Preset(a_, 0).controls[0].midiCc = 10;
    EXPECT_TRUE(SwapControls(a_, 0, 0, b_, 0, 2));
    EXPECT_EQ(Preset(a_, 0).controls[0].channel, b_ * 1000 + 2);
    EXPECT_EQ(Preset(b_, 0).controls[2].channel, a_ * 1000 + 0);
    EXPECT_EQ(Preset(a_, 0).changed, 1);
    EXPECT_EQ(Preset(b_, 0).changed, 1);
    EXPECT_EQ(gBanks.entries[a_].changeCount, 1);
    EXPECT_EQ(gBanks.entries[b_].changeCount, 1);
}

TEST_F(BankModelTest, PasteSelectedPresetsStopsAtTheDevicesLastPreset) {
    gDevice.presetCount = 128;
    gSelection.presets[0] = gSelection.presets[2] = 1;
    EXPECT_EQ(PasteSelectedPresets(a_, b_, 127), 1);
    EXPECT_EQ(Preset(b_, 127).controls[0].channel, a_ * 1000);
    EXPECT_EQ(Preset(b_, 127).changed, 1);
    EXPECT_EQ(gBanks.entries[b_].changeCount, 1);

    EXPECT_EQ(PasteSelectedPresets(a_, b_, 1), 2);
    EXPECT_EQ(Preset(b_, 1).controls[0].channel, a_ * 1000);
    EXPECT_EQ(Preset(b_, 2).controls[0].channel, a_ * 1000 + 200);
    EXPECT_EQ(gBanks.entries[b_].changeCount, 2);  // once per paste
}

TEST_F(BankModelTest, PastingPresetsIntoTheirOwnBankReadsThemAsTheyWere) {
    gSelection.presets[0] = gSelection.presets[1] = 1;
    EXPECT_EQ(PasteSelectedPresets(a_, a_, 1), 2);
    EXPECT_EQ(Preset(a_, 1).controls[0].channel, a_ * 1000 + 0);
    EXPECT_EQ(Preset(a_, 2).controls[0].channel, a_ * 1000 + 100);  // not preset 0 twice
}

TEST_F(BankModelTest, SwapSelectedPresetsExchangesWithConsecutiveTargets) {
    gSelection.presets[1] = gSelection.presets[3] = 1;
    EXPECT_EQ(SwapSelectedPresets(a_, b_, 0), 2);
    EXPECT_EQ(Preset(b_, 0).controls[0].channel, a_ * 1000 + 100);
    EXPECT_EQ(Preset(b_, 1).controls[0].channel, a_ * 1000 + 300);
    EXPECT_EQ(Preset(a_, 1).controls[0].channel, b_ * 1000);
    EXPECT_EQ(Preset(a_, 3).controls[0].channel, b_ * 1000 + 100);
    EXPECT_EQ(gBanks.entries[a_].changeCount, 1);
    EXPECT_EQ(gBanks.entries[b_].changeCount, 1);
}

TEST_F(BankModelTest, MovingOverlappingPresetsWithinABankPlacesThemAsDropped) {
    auto from = [&](int p) { return Preset(a_, p).controls[0].channel / 100 % 10; };
    gDevice.presetCount = 128;
    gSelection.presets[5] = gSelection.presets[6] = 1;
    EXPECT_EQ(SwapSelectedPresets(a_, a_, 6), 2);  // down one row
    EXPECT_EQ(from(5), 7);
    EXPECT_EQ(from(6), 5);
    EXPECT_EQ(from(7), 6);
    EXPECT_EQ(Preset(a_, 4).changed + Preset(a_, 8).changed, 0);
    EXPECT_EQ(Preset(a_, 7).changed, 1);
    EXPECT_EQ(gBanks.entries[a_].changeCount, 1);

    std::memset(gSelection.presets, 0, sizeof gSelection.presets);
    gSelection.presets[6] = gSelection.presets[7] = 1;
    EXPECT_EQ(SwapSelectedPresets(a_, a_, 5), 2);  // and back up
    for (int p = 4; p <= 8; p++) EXPECT_EQ(from(p), p) << p;
}

TEST_F(BankModelTest, CopyBankMarksEverythingChangedAndClearsTheProtection) {
    gBanks.entries[b_].kind = BankKind::Rom;
    gBanks.entries[b_].data->readOnly = 1;
    gBanks.entries[b_].data->rom = 1;
    strcpy(gBanks.entries[a_].data->name, "Source");
    CopyBank(b_, a_);
    const BankData& copy = *gBanks.entries[b_].data;
    EXPECT_STREQ(copy.name, "Source");
    EXPECT_EQ(copy.readOnly, 0);
    EXPECT_EQ(copy.rom, 0);
    for (int p = 0; p < kMaxPresets; p++) EXPECT_EQ(copy.presets[p].changed, 1);
    EXPECT_EQ(gBanks.entries[b_].changeCount, 1);

    // -1 is the read scratch, on either side.
    CopyBank(-1, b_);
    EXPECT_STREQ(gReadScratch.name, "Source");
    strcpy(gReadScratch.name, "Scratch");
    CopyBank(a_, -1);
    EXPECT_STREQ(gBanks.entries[a_].data->name, "Scratch");
}

TEST_F(BankModelTest, ClearChangesAndClearAllChanges) {
    ClearAllChanges();
    Preset(a_, 0).controls[0].channel ^= 1;
    Preset(b_, 0).controls[0].channel ^= 1;
    RefreshPresetChange(a_, 0);
    RefreshPresetChange(b_, 0);
    ClearChanges(a_);  // what a_ holds now is its saved state
    EXPECT_EQ(Preset(a_, 0).changed, 0);
    EXPECT_EQ(Preset(b_, 0).changed, 1);
    EXPECT_EQ(gBanks.entries[a_].changeCount, 0);
    EXPECT_EQ(gBanks.entries[b_].changeCount, 1);
    ClearAllChanges();
    EXPECT_EQ(Preset(b_, 0).changed, 0);
    EXPECT_EQ(gBanks.entries[a_].changeCount, 0);
    EXPECT_EQ(gBanks.entries[b_].changeCount, 0);
}

TEST_F(BankModelTest, ChecksReportWhatTheyRefuse) {
    EXPECT_TRUE(CheckWritable(a_));
    gBanks.entries[a_].data->readOnly = -1;
    EXPECT_FALSE(CheckWritable(a_));
    EXPECT_EQ(HeadlessLastStatus(),
              std::string("Cannot Modify ") + BankTitle(a_) + " because it is marked as Read Only");
    gBanks.entries[a_].data->readOnly = 0;
    gBanks.entries[a_].kind = BankKind::Rom;  // a ROM bank stays protected after a reload
    EXPECT_FALSE(CheckWritable(a_));

    EXPECT_TRUE(CheckBankPid(b_));
    gBanks.entries[b_].data->pid = kBetaPid;
    EXPECT_FALSE(CheckBankPid(b_));
    EXPECT_EQ(HeadlessLastStatus(), std::string("Cannot Copy ") + BankTitle(b_) +
                                        " to the device because it is the wrong type of bank");
}

TEST_F(BankModelTest, LookUps) {
    strcpy(gBanks.entries[a_].data->name, "Own name");
    EXPECT_STREQ(BankTitle(a_), "Own name");
    EXPECT_STREQ(BankTitle(99), "");

    std::string path = gBanks.entries[a_].path;
    for (char& c : path) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_TRUE(IsBankOpen(path.c_str()));
    EXPECT_FALSE(IsBankOpen("/nowhere/x.xml"));

    Preset(b_, 2).controls[1].midiCc = 42;
    EXPECT_EQ(ControlMidiCc(b_, 2, 1), 42);
    EXPECT_EQ(ControlMidiCc(b_, 2, kMaxControls), -1);
}

TEST_F(BankModelTest, FindDeviceBankRemembersAndCanSendChangesFollowsTheCurrentBank) {
    EXPECT_EQ(FindDeviceBank(), -1);
    EXPECT_FALSE(CanSendChanges());
    int device = AddDeviceBank(folder_.Folder().c_str(), kAlphaPid, 5);
    ASSERT_EQ(device, 0);  // device banks come first
    EXPECT_EQ(gBanks.current, 0);
    EXPECT_EQ(FindDeviceBank(), 0);
    EXPECT_EQ(gBanks.deviceBank, 0);
    // A device bank's path is not an open "file" bank.
    EXPECT_FALSE(IsBankOpen(gBanks.entries[0].path));
    EXPECT_STREQ(BankTitle(0), "Alpha");

    EXPECT_FALSE(CanSendChanges());  // unchanged
    gBanks.entries[0].changeCount = 1;
    EXPECT_TRUE(CanSendChanges());
    gBanks.current = 1;  // a user bank
    EXPECT_FALSE(CanSendChanges());
    // A stale remembered index is not trusted.
    gBanks.deviceBank = 2;
    EXPECT_EQ(FindDeviceBank(), 0);

    // Reached from a user bank of its own model, a device bank of the second model connected
    // becomes the device bank all the same: the one remembered is of the other model.
    int beta = AddDeviceBank(folder_.Path("Devices/Beta.eld/").c_str(), kBetaPid, 6);
    SelectBank(0);
    ASSERT_TRUE(SwitchDevice(kBetaPid));
    SelectBank(AddNewUserBank("Beta Bank"));
    beta = FindDeviceBankByPid(kBetaPid);
    SelectBank(beta);
    EXPECT_EQ(FindDeviceBank(), beta);

    // On a user bank of the other model, a transfer goes to that model's device bank.
    SelectBank(0);
    ASSERT_EQ(FindDeviceBank(), 0);
    SelectBank(gBanks.count - 1);  // the Beta user bank
    EXPECT_EQ(DeviceBankForCurrent(), beta);
    RememberCurrentDeviceBank();
    EXPECT_EQ(FindDeviceBank(), beta);
}

TEST_F(BankModelTest, ReorderingByKindIsStableAndTheCurrentBankFollows) {
    gBanks.entries[a_].kind = BankKind::Rom;
    int c = NewBank();  // user bank after a ROM bank
    gBanks.entries[c].kind = BankKind::Device;
    gBanks.current = c;
    ReorderBanksByKind();
    EXPECT_EQ(gBanks.entries[0].kind, BankKind::Device);
    EXPECT_EQ(gBanks.entries[1].kind, BankKind::User);
    EXPECT_EQ(gBanks.entries[2].kind, BankKind::Rom);
    EXPECT_EQ(gBanks.current, 0);
    EXPECT_STREQ(gBanks.entries[1].displayName, "Alpha User Bank 2");
}

TEST(CopyTextTest, CutsToTheFieldAndAlwaysTerminates) {
    char field[8];
    CopyText(field, "a long name indeed");
    EXPECT_STREQ(field, "a long ");
    CopyText(field, nullptr);
    EXPECT_STREQ(field, "");
    EXPECT_TRUE(SameTextNoCase("C:\\Banks\\A.XML", "c:\\banks\\a.xml"));
    EXPECT_FALSE(SameTextNoCase("a.xml", "a.xm"));
}

}  // namespace
