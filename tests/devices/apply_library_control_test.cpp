#include <gtest/gtest.h>

#include <cstring>

#include "banks/bank_model.h"
#include "devices/control_library.h"
#include "devices/device_definition.h"
#include "headless/messages_headless.h"

namespace {

// One user bank of a three-control device: a knob (CCs 0-31), a button whose
// type stores programs, and a pad.
class ApplyLibraryControlTest : public ::testing::Test {
  protected:
    LibraryData* lib = nullptr;

    void SetUp() override {
        HeadlessMessagesReset();
        HeadlessMessages().quiet = 1;
        DeviceDefinitionReset(&gDevice);
        gDevice.controlCount = 3;
        gDevice.typeCount = 3;
        strcpy(gDevice.supportedCc, "0-127");
        const char* names[] = {"Knob 1", "Button 1", "Pad 1"};
        const char* types[] = {"Knob", "Button", "Pad"};
        for (int i = 0; i < 3; ++i) {
            strcpy(gDevice.controls[i].name, names[i]);
            strcpy(gDevice.controls[i].typeName, types[i]);
            gDevice.controls[i].typeIndex = i;
            strcpy(gDevice.types[i].name, types[i]);
        }
        strcpy(gDevice.types[0].supportedCc, "0-31");
        gDevice.types[1].program = 1;

        ResetBankList();
        gBanks.entries[0].data = AllocBankData();
        gBanks.entries[0].kind = BankKind::User;
        gBanks.count = 1;
        PresetControl& c = gBanks.entries[0].data->presets[2].controls[0];
        c.origin = -1;
        c.channel = 1;
        c.midiCc = 10;
        c.program = 4;
        c.msb = 5;
        c.lsb = 6;

        lib = new LibraryData();
        lib->uniqueId = 3;
        strcpy(lib->controls[4].name, "Cutoff");
    }
    void TearDown() override {
        ResetBankList();
        DeviceDefinitionReset(&gDevice);
        delete lib;
    }
    PresetControl& Control(int preset, int control) {
        return gBanks.entries[0].data->presets[preset].controls[control];
    }
};

TEST_F(ApplyLibraryControlTest, SetsOnlyTheGivenValuesAndTheOrigin) {
    strcpy(lib->controls[4].control, "channel=2 midicc=74");
    strcpy(gDevice.types[0].supportedCc, "");  // the device's 0-127 decides
    ASSERT_EQ(ApplyLibraryControl(lib, 4, 0, 2, 0), 1);
    PresetControl& c = Control(2, 0);
    EXPECT_EQ(c.channel, 2);
    EXPECT_EQ(c.midiCc, 74);
    EXPECT_EQ(c.program, 4);
    EXPECT_EQ(c.msb, 5);
    EXPECT_EQ(c.lsb, 6);
    EXPECT_EQ(c.origin, 3 * 65536 + 4);
    EXPECT_EQ(gBanks.entries[0].data->presets[2].changed, 1);
    EXPECT_EQ(gBanks.entries[0].changeCount, 1);
}

TEST_F(ApplyLibraryControlTest, ProgramOnlyForTypesThatHaveOne) {
    strcpy(lib->controls[4].control, "program=9 msb=0 lsb=1");
    ASSERT_EQ(ApplyLibraryControl(lib, 4, 0, 0, 0), 1);
    EXPECT_EQ(Control(0, 0).program, 0);
    EXPECT_EQ(Control(0, 0).lsb, 1);
    ASSERT_EQ(ApplyLibraryControl(lib, 4, 0, 0, 1), 1);
    EXPECT_EQ(Control(0, 1).program, 9);
}

TEST_F(ApplyLibraryControlTest, WrongTypeShowsMessage54AndChangesNothing) {
    strcpy(lib->controls[4].ctrlType, "!Knob");
    strcpy(lib->controls[4].control, "midicc=20");
    EXPECT_EQ(ApplyLibraryControl(lib, 4, 0, 2, 0), 0);
    EXPECT_EQ(HeadlessLastStatus(),
              "Can not drag Cutoff to Knob 1.  It is the wrong type of control.");
    EXPECT_EQ(Control(2, 0).midiCc, 10);
    EXPECT_EQ(gBanks.entries[0].changeCount, 0);
    EXPECT_EQ(ApplyLibraryControl(lib, 4, 0, 2, 2), 1);  // a pad is not a knob
    EXPECT_EQ(Control(2, 2).midiCc, 20);
}

TEST_F(ApplyLibraryControlTest, ControllerOutOfRangeShowsMessage39) {
    strcpy(lib->controls[4].control, "midicc=74");
    EXPECT_EQ(ApplyLibraryControl(lib, 4, 0, 2, 0), 0);
    EXPECT_EQ(HeadlessLastStatus(),
              "That Library Control cannot be used because the MIDICC is out of range of the "
              "Controller you dragged it to.");
    EXPECT_EQ(Control(2, 0).midiCc, 10);
    EXPECT_EQ(Control(2, 0).origin, -1);
}

TEST_F(ApplyLibraryControlTest, ReadOnlyBanksAndBadIndexesAreRefused) {
    strcpy(lib->controls[4].control, "midicc=5");
    gBanks.entries[0].data->readOnly = 1;
    EXPECT_EQ(ApplyLibraryControl(lib, 4, 0, 2, 0), 0);
    EXPECT_EQ(Control(2, 0).midiCc, 10);
    gBanks.entries[0].data->readOnly = 0;
    EXPECT_EQ(ApplyLibraryControl(lib, 4, 1, 2, 0), 0);
    EXPECT_EQ(ApplyLibraryControl(lib, 4, 0, 2, 3), 0);
    EXPECT_EQ(ApplyLibraryControl(lib, 4, 0, 128, 0), 0);
    EXPECT_EQ(ApplyLibraryControl(lib, kLibrarySlots, 0, 2, 0), 0);
    EXPECT_EQ(ApplyLibraryControl(nullptr, 4, 0, 2, 0), 0);
}

}  // namespace
