// Building and decoding the data and short messages byte by byte.
#include "midi/sysex_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

std::vector<uint8_t> Build(const PackedPreset& image, int type, int count, int preset = 1,
                           int groupId = 0x10, int deviceNumber = 0x7F) {
    uint8_t out[kMaxDataMessageSize];
    const int n =
        BuildDataMessage(image, *FindSysexType(type), count, preset, groupId, deviceNumber, out);
    return std::vector<uint8_t>(out, out + n);
}

std::vector<uint8_t> Data(const std::vector<uint8_t>& message) {
    return std::vector<uint8_t>(message.begin() + 9, message.end() - 2);
}

int SevenBitSum(const std::vector<uint8_t>& message) {
    int sum = 0;
    for (size_t i = 6; i + 1 < message.size(); i++) sum += message[i];
    return sum & 0x7F;
}

PackedPreset Blank() {
    PackedPreset image;
    memset(&image, 0, sizeof image);
    return image;
}

TEST(SysexBuild, OneLinearControlInFourMessages) {
    // channel 0, midiCc 7, msb 0, lsb 127 of linear control 0.
    PackedPreset image = Blank();
    image.bytes[kPackedLinearMidiCc] = 7;
    image.bytes[kPackedLinearLsb] = 127;
    EXPECT_EQ(Data(Build(image, 2, 1)), std::vector<uint8_t>({0x00}));
    const auto cc = Build(image, 3, 1);
    EXPECT_EQ(cc[8], 2);  // the length byte counts nibbles
    EXPECT_EQ(Data(cc), std::vector<uint8_t>({0x00, 0x07}));
    EXPECT_EQ(Data(Build(image, 4, 1)), std::vector<uint8_t>({0x00}));
    EXPECT_EQ(Data(Build(image, 5, 1)), std::vector<uint8_t>({0x7F}));
}

TEST(SysexBuild, HeaderChecksumAndEnd) {
    PackedPreset image = Blank();
    image.bytes[kPackedLinearChannel] = 5;
    const auto m = Build(image, 2, 1, 1, 0x22, 0x7F);
    const std::vector<uint8_t> expected = {0xF0, 0x00, 0x20, 0x08, 0x22, 0x7F,
                                           0x02, 0x01, 0x01, 0x05, 0x77, 0xF7};
    EXPECT_EQ(m, expected);  // 2 + 1 + 1 + 5 = 9; -9 & 7F = 77
}

TEST(SysexBuild, NibblesCarryValuesAbove127) {
    PackedPreset image = Blank();
    image.bytes[kPackedButtonMidiCc + 1] = 200;
    const auto m = Build(image, 7, 2, 3);
    EXPECT_EQ(Data(m), std::vector<uint8_t>({0x00, 0x00, 0x0C, 0x08}));
    EXPECT_EQ(m[7], 3);
    EXPECT_EQ(SevenBitSum(m), 0);
}

TEST(SysexBuild, Preset128IsNumberedInAWholeByte) {
    const auto m = Build(Blank(), 2, 1, 128);
    EXPECT_EQ(m[7], 0x80);
    EXPECT_EQ(SevenBitSum(m), 0);
    uint8_t ack[kShortMessageSize];
    BuildShortMessage(kCommandAcknowledge, 128, 0x10, 127, ack);
    EXPECT_EQ(ack[7], 0x80);
}

TEST(SysexBuild, EmptyGroupStillMakesAMessage) {
    const auto m = Build(Blank(), 4, 0);
    EXPECT_EQ(m.size(), 11u);
    EXPECT_EQ(m[8], 0);
    EXPECT_EQ(m[9], SysexChecksum(m.data() + 6, 3));
    EXPECT_EQ(m[10], 0xF7);
}

TEST(SysexBuild, ChecksumZeroesTheSevenBitSumForEveryType) {
    PackedPreset image;
    for (int i = 0; i < kPackedPresetSize; i++) image.bytes[i] = (uint8_t)(i * 37 + 11);
    for (const SysexTypeLayout& layout : kSysexTypes) {
        const int count = layout.maxValues < 20 ? layout.maxValues : 20;
        const auto m = Build(image, layout.type, count, 128 - layout.type);
        EXPECT_EQ(SevenBitSum(m), 0) << "type " << layout.type;
        for (size_t i = 1; i + 1 < m.size(); i++)
            EXPECT_LT(m[i], 0x80) << "type " << layout.type << " byte " << i;
    }
}

TEST(SysexBuild, RawValuesAbove127DoNotEndTheMessageEarly) {
    PackedPreset image = Blank();
    image.bytes[kPackedButtonProgram] = 0xF7;
    image.bytes[kPackedButtonProgram + 1] = 0x80;
    const auto m = Build(image, 8, 2);
    EXPECT_EQ(Data(m), std::vector<uint8_t>({0x7F, 0x7F}));
}

TEST(SysexBuild, GroupsAreCutToWhatTheFormatCanCarry) {
    SysexSizes sizes{16, 128, 100, 0, 40, 12};
    EXPECT_EQ(SysexValueCount(*FindSysexType(2), sizes), 100);  // raw: the field holds 128
    EXPECT_EQ(SysexValueCount(*FindSysexType(3), sizes), 63);   // nibble: 126 fits a data byte
    EXPECT_EQ(SysexValueCount(*FindSysexType(11), sizes), 16);  // the image has 16 slots
    EXPECT_EQ(SysexValueCount(*FindSysexType(12), sizes), 8);   // and 8 zones
    EXPECT_EQ(SysexValueCount(*FindSysexType(6), sizes), 0);
    const auto m = Build(Blank(), 3, 100);
    EXPECT_EQ(m[8], 126);
}

TEST(SysexBuild, MessagesPerPresetAndLastType) {
    SysexSizes noZones{16, 128, 8, 8, 4, 0};
    SysexSizes zones{16, 128, 8, 8, 4, 4};
    EXPECT_EQ(SysexMessagesPerPreset(noZones), 10);
    EXPECT_EQ(SysexMessagesPerPreset(zones), 18);
    EXPECT_EQ(SysexLastTypeOfPreset(noZones), 11);
    EXPECT_EQ(SysexLastTypeOfPreset(zones), 19);
    EXPECT_EQ(kSysexTypes[9].type, 11);
    EXPECT_EQ(kSysexTypes[17].type, 19);
}

TEST(SysexBuild, ZoneTypesReadTheFieldMajorArea) {
    PackedPreset image = Blank();
    image.bytes[PackedZoneOffset(2, 6)] = 0xC8;  // zone 2, field 6 = -56
    const auto m = Build(image, 18, 4);
    EXPECT_EQ(Data(m), std::vector<uint8_t>({0, 0, 0, 0, 0x0C, 0x08, 0, 0}));
    EXPECT_EQ(PackedZoneOffset(3, 6), 1251);
}

TEST(SysexShortMessages, LayoutsAndDeviceByte) {
    uint8_t m[32];
    ASSERT_EQ(BuildShortMessage(kCommandAcknowledge, 5, 0x10, 127, m), 9);
    const uint8_t ack[] = {0xF0, 0x00, 0x20, 0x08, 0x10, 0x7F, 0x7F, 0x05, 0xF7};
    EXPECT_EQ(memcmp(m, ack, 9), 0);
    ASSERT_EQ(BuildIdentityRequest(127, m), 6);
    const uint8_t request[] = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
    EXPECT_EQ(memcmp(m, request, 6), 0);
    ASSERT_EQ(BuildIdentityReply(3, 0x0A4D, 0x1234, m), kIdentityReplySize);
    EXPECT_EQ(m[2], 3);
    EXPECT_EQ(m[9] * 128 + m[8], 0x0A4D);
    EXPECT_EQ(m[11] * 128 + m[10], 0x1234);
    EXPECT_EQ(m[kIdentityReplySize - 1], 0xF7);
}

TEST(SysexStore, RawStopsAtCountFieldAndTopBit) {
    PackedPreset image;
    memset(&image, 0xEE, sizeof image);
    const uint8_t data[] = {1, 2, 3, 0x85, 5};
    EXPECT_EQ(StoreSysexPayload(image, *FindSysexType(2), data, 5), 3);
    EXPECT_EQ(image.bytes[kPackedLinearChannel + 2], 3);
    EXPECT_EQ(image.bytes[kPackedLinearChannel + 3], 0xEE);  // kept

    const uint8_t many[20] = {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9};
    EXPECT_EQ(StoreSysexPayload(image, *FindSysexType(12), many, 20), 8);  // a zone field holds 8
    EXPECT_EQ(image.bytes[PackedZoneOffset(7, 0)], 9);
    EXPECT_EQ(image.bytes[PackedZoneOffset(0, 1)], 0xEE);  // the next field untouched
}

TEST(SysexStore, NibblePairsFromTheDataOnly) {
    PackedPreset image;
    memset(&image, 0, sizeof image);
    const uint8_t data[] = {0x0F, 0x0F, 0x0C, 0x08, 0x01};
    // Five bytes are two whole pairs; the lone last nibble is not a value.
    EXPECT_EQ(StoreSysexPayload(image, *FindSysexType(3), data, 5), 2);
    EXPECT_EQ(image.bytes[kPackedLinearMidiCc], 0xFF);
    EXPECT_EQ(image.bytes[kPackedLinearMidiCc + 1], 200);
    EXPECT_EQ(image.bytes[kPackedLinearMidiCc + 2], 0);

    const uint8_t broken[] = {0x01, 0x02, 0x03, 0xF7};
    EXPECT_EQ(StoreSysexPayload(image, *FindSysexType(11), broken, 4), 1);
}

TEST(SysexLayout, TypesCoverTheImageWithoutOverlap) {
    int owner[kPackedPresetSize];
    for (int& o : owner) o = 0;
    for (const SysexTypeLayout& layout : kSysexTypes) {
        for (int i = 0; i < layout.maxValues; i++) {
            ASSERT_LT(layout.offset + i, kPackedPresetSize);
            EXPECT_EQ(owner[layout.offset + i], 0) << "type " << layout.type;
            owner[layout.offset + i] = layout.type;
        }
    }
    for (int i = kPackedNameSize; i < kPackedPresetSize; i++) EXPECT_NE(owner[i], 0) << i;
    EXPECT_EQ(FindSysexType(1), nullptr);
    EXPECT_EQ(FindSysexType(20), nullptr);
}

}  // namespace
