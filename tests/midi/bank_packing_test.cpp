// Packing presets into the device's images and back.
#include "banks/bank_packing.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "devices/device_definition.h"
#include "tests/midi/midi_test_support.h"

namespace {

class BankPackingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseTestModel(3, 2, 4, 4, 3);
        bank.reset(new BankData);
        memset(bank.get(), 0, sizeof *bank);
        memset(&gPackedStore.slots[1], 0xAA, sizeof(PackedBank));
    }
    const PackedPreset& Image(int preset) { return gPackedStore.slots[1].presets[preset]; }
    std::unique_ptr<BankData> bank;
};

TEST_F(BankPackingTest, ControlsGoToTheirGroups) {
    PresetRecord& r = bank->presets[1];
    r.controls[2] = PresetControl{-1, 9, 200, 55, 1, 127, ""};  // the last linear control
    r.controls[3] = PresetControl{-1, 15, 64, 33, 2, 3, ""};    // the first button
    PackBank(bank.get(), 1);
    const uint8_t* p = Image(1).bytes;
    EXPECT_EQ(p[kPackedLinearChannel + 2], 9);
    EXPECT_EQ(p[kPackedLinearMidiCc + 2], 200);
    EXPECT_EQ(p[kPackedLinearMsb + 2], 1);
    EXPECT_EQ(p[kPackedLinearLsb + 2], 127);
    EXPECT_EQ(p[kPackedButtonChannel], 15);
    EXPECT_EQ(p[kPackedButtonMidiCc], 64);
    EXPECT_EQ(p[kPackedButtonProgram], 33);
    EXPECT_EQ(p[kPackedButtonMsb], 2);
    EXPECT_EQ(p[kPackedButtonLsb], 3);
    // Linear controls carry no program; bytes no value occupies keep the slot's contents.
    EXPECT_EQ(p[kPackedLinearChannel + 3], 0xAA);
    EXPECT_EQ(p[kPackedButtonChannel + 2], 0xAA);
    EXPECT_EQ(Image(3).bytes[kPackedLinearChannel], 0xAA);  // beyond presetCount
}

TEST_F(BankPackingTest, NamesAreCutTo31Characters) {
    strcpy(bank->presets[0].name, "A name that is far longer than thirty-one");
    PackBank(bank.get(), 1);
    char name[64];
    GetPackedPresetName(Image(0), name, sizeof name);
    EXPECT_STREQ(name, "A name that is far longer than ");
    EXPECT_EQ(strlen(name), 31u);
}

TEST_F(BankPackingTest, VariablesGoToTheSlotOfTheFirstDefinitionTargetingIt) {
    gDevice.variables[0].target = 5;
    gDevice.variables[1].target = 2;
    gDevice.variables[2].target = 5;  // loses to variable 0
    gDevice.variables[3].target = 3;
    PresetRecord& r = bank->presets[0];
    r.variables[0] = 11;
    r.variables[1] = 22;
    r.variables[2] = 33;
    r.variables[3] = -1;
    PackBank(bank.get(), 1);
    const uint8_t* p = Image(0).bytes + kPackedVariables;
    EXPECT_EQ(p[5], 11);
    EXPECT_EQ(p[2], 22);
    EXPECT_EQ(p[3], 0xFF);
    EXPECT_EQ(p[0], 0);  // no definition targets slot 0
    EXPECT_EQ(p[15], 0);

    PresetRecord back = {};
    UnpackPreset(Image(0), back);
    EXPECT_EQ(back.variables[0], 11);
    EXPECT_EQ(back.variables[1], 22);
    EXPECT_EQ(back.variables[2], 0);  // its slot belongs to variable 0
    EXPECT_EQ(back.variables[3], -1);

    // A variable of options: its eighth option (bit 7) comes back alone.
    gDevice.variables[3].maskCount = 8;
    r.variables[3] = 0x80;
    PackBank(bank.get(), 1);
    UnpackPreset(Image(0), back);
    EXPECT_EQ(back.variables[3], 0x80);
}

TEST_F(BankPackingTest, ZonesAreFieldMajorAndSigned) {
    PresetRecord& r = bank->presets[2];
    r.zones[1][6] = -56;
    r.zones[7][0] = 36;  // all eight zones are packed whatever the limit
    PackBank(bank.get(), 1);
    EXPECT_EQ(Image(2).bytes[PackedZoneOffset(1, 6)], 0xC8);
    EXPECT_EQ(Image(2).bytes[PackedZoneOffset(7, 0)], 36);

    PresetRecord back = {};
    UnpackPreset(Image(2), back);
    EXPECT_EQ(back.zones[1][6], -56);
    EXPECT_EQ(back.zones[7][0], 36);
}

TEST_F(BankPackingTest, WithoutZonesTheZoneAreaIsLeftAlone) {
    UseTestModel(3, 2, 4, 0, 3);
    bank->presets[0].zones[0][0] = 5;
    PackBank(bank.get(), 1);
    EXPECT_EQ(Image(0).bytes[PackedZoneOffset(0, 0)], 0xAA);
    PresetRecord back = {};
    back.zones[0][0] = 77;
    UnpackPreset(Image(0), back);
    EXPECT_EQ(back.zones[0][0], 77);
}

TEST_F(BankPackingTest, UnpackBankRoundTripsAndResetsOrigins) {
    for (int p = 0; p < 3; p++) {
        PresetRecord& r = bank->presets[p];
        snprintf(r.name, sizeof r.name, "Preset %d", p);
        for (int c = 0; c < 5; c++)
            r.controls[c] = PresetControl{1234, p, 100 + c + p, c < 3 ? -1 : 10 + c, 3, 4, ""};
        for (int v = 0; v < 4; v++) r.variables[v] = v - 2;
        for (int z = 0; z < 8; z++)
            for (int f = 0; f < 8; f++) r.zones[z][f] = z * 8 + f - 20;
    }
    PackBank(bank.get(), 1);
    std::unique_ptr<BankData> back(new BankData);
    memset(back.get(), 0, sizeof *back);
    back->presets[100].controls[99].origin = 55;
    UnpackBank(1, back.get());
    EXPECT_EQ(back->presetCountInFile, 3);
    for (int p = 0; p < 3; p++) {
        const PresetRecord& r = back->presets[p];
        EXPECT_STREQ(r.name, bank->presets[p].name);
        EXPECT_EQ(r.controlCount, 5);
        EXPECT_EQ(r.variableCount, 4);
        for (int c = 0; c < 5; c++) {
            const PresetControl& want = bank->presets[p].controls[c];
            EXPECT_EQ(r.controls[c].channel, want.channel);
            EXPECT_EQ(r.controls[c].midiCc, want.midiCc);
            EXPECT_EQ(r.controls[c].program, want.program);
            EXPECT_EQ(r.controls[c].msb, want.msb);
            EXPECT_EQ(r.controls[c].lsb, want.lsb);
        }
        for (int v = 0; v < 4; v++) EXPECT_EQ(r.variables[v], v - 2);
        EXPECT_EQ(r.zones[2][3], 2 * 8 + 3 - 20);
    }
    for (int p = 0; p < kMaxPresets; p++)
        for (int c = 0; c < kMaxControls; c++) ASSERT_EQ(back->presets[p].controls[c].origin, -1);
}

TEST_F(BankPackingTest, ControlsComeBackAsUnsignedBytes) {
    bank->presets[0].controls[0].midiCc = 200;
    bank->presets[0].controls[3].channel = -1;
    PackBank(bank.get(), 1);
    PresetRecord back = {};
    UnpackPreset(Image(0), back);
    EXPECT_EQ(back.controls[0].midiCc, 200);
    EXPECT_EQ(back.controls[3].channel, 255);
}

TEST_F(BankPackingTest, OutOfRangeSlotsAreRefused) {
    PackBank(bank.get(), 5);
    PackBank(bank.get(), -1);
    PackBank(nullptr, 1);
    UnpackBank(7, bank.get());
    EXPECT_EQ(Image(0).bytes[kPackedLinearChannel], 0xAA);
}

}  // namespace
