// The reception parser: every check in its order, the answers it sends, what
// it stores, and input that must never get past it.
#include "midi/sysex_parser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "base/platform.h"
#include "headless/clock_headless.h"
#include "headless/midi_system_headless.h"
#include "midi/dump_reception.h"
#include "midi/midi_ports.h"
#include "midi/transfer_state.h"
#include "tests/midi/midi_test_support.h"

namespace {

class SysexParserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetMidiForTest();
        HeadlessClockUseVirtual(1000, 0);  // time moves only when a test says so
        UseTestModel(4, 3, 2, 0, 2);
        memset(&gPackedStore.slots[kReceptionSlot], 0, sizeof(PackedBank));
    }
    void TearDown() override { HeadlessClockUseReal(); }

    const PackedPreset& Received(int preset) {
        return gPackedStore.slots[kReceptionSlot].presets[preset];
    }

    // The program asked for a dump: data messages are answered.
    void Request() { BeginRequestedDump(MilliClock()); }

    // Data message `typeIndex` of preset `preset` (1-based) as the device sends
    // it, its values taken from `image`, by the published sizes.
    std::vector<uint8_t> DumpMessage(const PackedPreset& image, int typeIndex, int preset) {
        const SysexSizes sizes = PublishedSysexSizes();
        const SysexTypeLayout& layout = kSysexTypes[typeIndex];
        uint8_t m[kMaxDataMessageSize];
        const int n = BuildDataMessage(image, layout, SysexValueCount(layout, sizes), preset,
                                       sizes.groupId, 0x7F, m);
        return std::vector<uint8_t>(m, m + n);
    }

    // Every message of a dump of `presets` presets and `types` types each, in
    // the device's order, but the one (preset, type index) named by skip.
    void DeliverDump(const PackedPreset& image, int presets, int types, int skipPreset = 0,
                     int skipType = -1) {
        for (int p = 1; p <= presets; p++)
            for (int i = 0; i < types; i++)
                if (!(p == skipPreset && i == skipType)) Deliver(DumpMessage(image, i, p));
    }

    // The command bytes (byte 6) and parameters of the short answers sent.
    std::vector<std::pair<int, int>> Answers() {
        std::vector<std::pair<int, int>> answers;
        for (const auto& m : SentMessages()) {
            EXPECT_EQ(m.size(), 9u);
            if (m.size() == 9) answers.push_back({m[6], m[7]});
        }
        return answers;
    }
};

using Answer = std::pair<int, int>;

TEST_F(SysexParserTest, HandshakeAnswersAreCountedWhateverTheDeviceNumber) {
    gDeviceNumber = 3;
    Deliver({0xF0, 0x00, 0x20, 0x08, 0x55, 0x7F, 0x7F, 0x05, 0xF7});
    Deliver(DeviceShortMessage(0x7E, 1, 3));
    Deliver(DeviceShortMessage(0x7D, 1, 0x7F));
    EXPECT_EQ(gTransfer.acksReceived, 1u);
    EXPECT_EQ(gTransfer.retriesReceived, 1u);
    EXPECT_EQ(gTransfer.cancelsReceived, 1u);
    Deliver(DeviceShortMessage(0x7F, 1, 4));  // another device's answer
    EXPECT_EQ(gTransfer.acksReceived, 1u);
    // While a message of preset 2 waits, an answer naming preset 1 belongs to
    // an earlier message and is not credited to it.
    gTransfer.awaitedPreset = 2;
    Deliver(DeviceShortMessage(0x7F, 1));
    Deliver(DeviceShortMessage(0x7E, 1));
    Deliver(DeviceShortMessage(0x7D, 1));
    EXPECT_EQ(gTransfer.acksReceived, 1u);
    EXPECT_EQ(gTransfer.retriesReceived, 1u);
    EXPECT_EQ(gTransfer.cancelsReceived, 1u);
    Deliver(DeviceShortMessage(0x7F, 2));
    EXPECT_EQ(gTransfer.acksReceived, 2u);
}

TEST_F(SysexParserTest, DeviceFilter) {
    gDeviceNumber = 3;
    Request();
    Deliver(DeviceDataMessage(2, 1, {5, 6, 7, 8}, 4));
    EXPECT_EQ(gTransfer.receiving, 0);
    EXPECT_TRUE(SentMessages().empty());
    Deliver(DeviceDataMessage(2, 1, {5, 6, 7, 8}, 0x7F));
    EXPECT_EQ(gTransfer.receiving, 1);
    Deliver(DeviceDataMessage(4, 1, {1, 1, 1, 1}, 3));
    EXPECT_EQ(Answers(), (std::vector<Answer>{{0x7F, 1}, {0x7F, 1}}));
    EXPECT_EQ(Received(0).bytes[kPackedLinearChannel + 3], 8);
    EXPECT_EQ(Received(0).bytes[kPackedLinearMsb], 1);
}

TEST_F(SysexParserTest, AcceptedMessageUpdatesTheSharedState) {
    Request();
    gTransfer.progressCounter = 10;
    Deliver(DeviceDataMessage(5, 2, {1, 2, 3, 4}));
    EXPECT_EQ(gTransfer.progressCounter, 9);
    EXPECT_EQ(gTransfer.lastPresetNumber, 2u);
    EXPECT_EQ(gTransfer.receiving, 1);
    const int32_t left = (int32_t)(gTransfer.receiveDeadline - MilliClock());
    EXPECT_GT(left, 2500);
    EXPECT_LE(left, 3000);
    // Type 2 of preset 1 restarts the indicator.
    Deliver(DeviceDataMessage(2, 1, {0, 0, 0, 0}));
    EXPECT_EQ(gTransfer.progressCounter, 0);
    // Going back from 0, it wraps to the end.
    Deliver(DeviceDataMessage(3, 1, {0, 0, 0, 0}));
    EXPECT_EQ(gTransfer.progressCounter, 95);
}

TEST_F(SysexParserTest, NibbleMessagesStoreOneValuePerPair) {
    Deliver(DeviceDataMessage(3, 1, {0x0F, 0x0F, 0x0C, 0x08, 0x00, 0x07, 0x01, 0x00}));
    EXPECT_EQ(Received(0).bytes[kPackedLinearMidiCc + 0], 0xFF);
    EXPECT_EQ(Received(0).bytes[kPackedLinearMidiCc + 1], 200);
    EXPECT_EQ(Received(0).bytes[kPackedLinearMidiCc + 2], 7);
    EXPECT_EQ(Received(0).bytes[kPackedLinearMidiCc + 3], 16);
    Deliver(DeviceDataMessage(11, 2, {0x0C, 0x08, 0x00, 0x01}));
    EXPECT_EQ(Received(1).bytes[kPackedVariables], 0xC8);
    EXPECT_EQ(Received(1).bytes[kPackedVariables + 1], 1);
}

TEST_F(SysexParserTest, PresetsOutsideTheBankAreBad) {
    Request();
    Deliver(DeviceDataMessage(6, 0, {1, 2, 3}));
    Deliver(DeviceDataMessage(7, 3, {1, 2, 3}));  // the model has 2 presets
    EXPECT_EQ(Answers(), (std::vector<Answer>{{0x7E, 0}, {0x7E, 3}}));
    EXPECT_EQ(gTransfer.receiving, 0);
}

TEST_F(SysexParserTest, Preset128ArrivesAs80) {
    UseTestModel(4, 3, 2, 0, 128);
    Request();
    Deliver(DeviceDataMessage(2, 128, {9, 8, 7, 6}));
    EXPECT_EQ(Received(127).bytes[kPackedLinearChannel], 9);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{0x7F, 0x80}}));
}

TEST_F(SysexParserTest, NoAnswersWithoutAHandshake) {
    Deliver(DeviceDataMessage(6, 0, {1, 2, 3}));
    Deliver(DeviceDataMessage(6, 1, {1, 2, 3}));
    EXPECT_TRUE(SentMessages().empty());
    EXPECT_EQ(Received(0).bytes[kPackedButtonChannel + 2], 3);
}

TEST_F(SysexParserTest, ATypeOrDataByteWithItsTopBitSetIsBadThoughTheChecksumHolds) {
    Request();
    const auto intact = DeviceDataMessage(2, 1, {5, 6, 7, 8});
    auto damaged = intact;
    damaged[10] |= 0x80;  // the sum counts 7 bits: this checksum still matches
    Deliver(damaged);
    damaged = intact;
    damaged[6] |= 0x80;  // the type
    Deliver(damaged);
    Deliver(intact);  // sent again after the retries
    EXPECT_EQ(Answers(), (std::vector<Answer>{{0x7E, 1}, {0x7E, 1}, {0x7F, 1}}));
    EXPECT_EQ(Received(0).bytes[kPackedLinearChannel + 1], 6);
    EXPECT_EQ(Received(0).bytes[kPackedLinearChannel + 3], 8);
}

TEST_F(SysexParserTest, ThirdBadMessageOfATypeCancels) {
    Request();
    auto bad = DeviceDataMessage(5, 1, {1, 2, 3, 4});
    bad[bad.size() - 2] ^= 0x01;
    Deliver(bad);
    Deliver(bad);
    Deliver(bad);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{0x7E, 1}, {0x7E, 1}, {0x7D, 1}}));
    EXPECT_EQ(gTransfer.lastType, kNoDataType);
    EXPECT_EQ(gTransfer.errorRun, 0u);
}

TEST_F(SysexParserTest, ADifferentTypeRestartsTheCountAGoodOneOfTheSameTypeDoesNot) {
    Request();
    auto bad = DeviceDataMessage(5, 1, {1, 2, 3, 4});
    bad[bad.size() - 2] ^= 0x01;
    Deliver(bad);
    Deliver(bad);
    Deliver(DeviceDataMessage(6, 1, {1, 2, 3}));  // good, another type
    Deliver(bad);
    Deliver(bad);
    EXPECT_EQ(Answers(),
              (std::vector<Answer>{{0x7E, 1}, {0x7E, 1}, {0x7F, 1}, {0x7E, 1}, {0x7E, 1}}));
    HeadlessMidiClearLog();
    Deliver(DeviceDataMessage(5, 1, {1, 2, 3, 4}));  // good, same type: the run goes on
    Deliver(bad);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{0x7F, 1}, {0x7D, 1}}));
}

TEST_F(SysexParserTest, ALengthBytePastTheMessageIsBadAndNothingIsStored) {
    Request();
    // Claims 40 data bytes but carries 4; the sum must not read past the end.
    std::vector<uint8_t> m = {0xF0, 0x00, 0x20, 0x08, kTestGroupId, 0x7F, 0x02, 0x01, 40,
                              1,    2,    3,    4,    0x00,         0xF7};
    Deliver(m);
    EXPECT_EQ(Answers(), (std::vector<Answer>{{0x7E, 1}}));
    EXPECT_EQ(Received(0).bytes[kPackedLinearChannel], 0);
    // One byte short of the checksum and F7 as well.
    std::vector<uint8_t> shortOne = {0xF0, 0x00, 0x20, 0x08, kTestGroupId, 0x7F,
                                     0x02, 0x01, 2,    1,    0xF7};
    Deliver(shortOne);
    EXPECT_EQ(gTransfer.retriesReceived, 0u);
    EXPECT_EQ(SentMessages().size(), 2u);
}

TEST_F(SysexParserTest, IgnoredWithoutAnyEffect) {
    Request();
    std::vector<std::vector<uint8_t>> ignored = {
        {0xF0, 0x00, 0x20, 0x08, 0x10, 0x7F, 0x7F, 0xF7},                    // 8 bytes
        {0xF0, 0x00, 0x20, 0x08, 0x10, 0x7F, 0x7F, 0x01, 0x00},              // no F7 at the end
        {0xF0, 0x00, 0x21, 0x08, 0x10, 0x7F, 0x02, 0x01, 0x00, 0x7D, 0xF7},  // other maker
        {0xF1, 0x00, 0x20, 0x08, 0x10, 0x7F, 0x7F, 0x01, 0xF7},
    };
    for (const auto& m : ignored) Deliver(m);
    // A sound data message of another model (its Group ID): another connected
    // device's dump, which this model's layout would garble.
    std::vector<uint8_t> otherModel = DeviceDataMessage(2, 1, {5, 5});
    otherModel[4] = kTestGroupId + 1;
    Deliver(otherModel);
    EXPECT_EQ(Received(1).bytes[0], 0);
    std::vector<uint8_t> overlong(kMaxIncomingSysEx + 1, 0x01);
    overlong[0] = 0xF0;
    overlong.back() = 0xF7;
    Deliver(overlong);
    EXPECT_TRUE(SentMessages().empty());
    EXPECT_EQ(gTransfer.acksReceived, 0u);
    EXPECT_EQ(gTransfer.lastType, kNoDataType);
}

TEST_F(SysexParserTest, ADumpIsCompleteOnlyWhenEveryMessageOfEveryPresetArrived) {
    PackedPreset image;
    for (int i = 0; i < kPackedPresetSize; i++) image.bytes[i] = (uint8_t)(i % 100 + 1);
    Request();
    DeliverDump(image, 2, 10);
    EXPECT_EQ(gTransfer.downloadComplete, 1);
    EXPECT_EQ(gTransfer.receiving, 0);
    EXPECT_EQ(gTransfer.handshakeActive, 0);
    // The final message is acknowledged like the others.
    EXPECT_EQ(Answers().size(), 20u);
    EXPECT_EQ(Answers().back(), (Answer{0x7F, 2}));
    static PackedBank taken;
    DumpResult dump;
    ASSERT_TRUE(TakeDumpResult(&dump, &taken));
    EXPECT_EQ(dump.outcome, DumpOutcome::Complete);
    EXPECT_EQ(dump.presetsArrived, 2);
    EXPECT_EQ(taken.presets[1].bytes[kPackedLinearChannel + 3],
              image.bytes[kPackedLinearChannel + 3]);
    EXPECT_FALSE(TakeDumpResult(&dump, &taken));  // handed over once

    // A later dump nobody asked for, one message short: it begins on a cleared
    // slot, ends at its last message as incomplete and names what is missing.
    HeadlessClockSet(50000);
    PackedPreset other = image;
    other.bytes[kPackedButtonMidiCc] = 0x42;
    DeliverDump(other, 2, 10, 2, 5);
    EXPECT_EQ(gTransfer.downloadComplete, 0);
    ASSERT_TRUE(TakeDumpResult(&dump, &taken));
    EXPECT_EQ(dump.outcome, DumpOutcome::Incomplete);
    EXPECT_EQ(dump.requested, 0);
    EXPECT_EQ(dump.presetsArrived, 1);
    EXPECT_EQ(dump.messagesArrived, 19);
    EXPECT_EQ(dump.messageCount, 20);
    EXPECT_EQ(dump.missingPreset, 2);
    EXPECT_EQ(dump.missingType, 7);
    EXPECT_EQ(Received(1).bytes[kPackedButtonMidiCc], 0);  // not the first dump's 0x42 or value
    EXPECT_EQ(Received(0).bytes[kPackedButtonMidiCc], 0x42);
}

TEST_F(SysexParserTest, ADumpRunsByTheModelItBeganWith) {
    PackedPreset image;
    memset(image.bytes, 5, sizeof image.bytes);
    Request();
    DeliverDump(image, 1, 10);
    // Another model is published while the dump arrives (the bank on screen
    // changed): the dump still ends by its own, two presets without zones.
    UseTestModel(4, 3, 2, 4, 3);
    for (int i = 0; i < 10; i++) {
        EXPECT_EQ(gTransfer.downloadComplete, 0);
        Deliver(DumpMessage(image, i, 2));
    }
    DumpResult dump;
    ASSERT_TRUE(TakeDumpResult(&dump, nullptr));
    EXPECT_EQ(dump.outcome, DumpOutcome::Complete);
    EXPECT_EQ(dump.presetCount, 2);
    EXPECT_EQ(dump.pid, kTestPid);
}

// After a dump, only its own model's messages keep the wait for stragglers
// going: another model's every 2 s do not keep out this model's next dump.
TEST_F(SysexParserTest, AnotherModelsMessagesDoNotProlongTheWaitAfterADump) {
    PackedPreset image;
    memset(image.bytes, 5, sizeof image.bytes);
    DeliverDump(image, 2, 10);
    ASSERT_EQ(gTransfer.downloadComplete, 1);
    std::vector<uint8_t> otherModel = DeviceDataMessage(2, 1, {5, 5});
    otherModel[4] = kTestGroupId + 1;
    for (uint32_t at = 3000; at <= 7000; at += 2000) {
        HeadlessClockSet(at);
        Deliver(otherModel);
    }
    HeadlessClockSet(9000);
    Deliver(DumpMessage(image, 0, 1));
    EXPECT_EQ(gTransfer.receiving, 1);
}

// Zone messages of a model without zones are stored, but not awaited.
TEST_F(SysexParserTest, WithZonesTheDumpAwaitsTypes12To19) {
    PackedPreset image;
    memset(image.bytes, 7, sizeof image.bytes);
    Deliver(DeviceDataMessage(12, 2, {7, 7}));  // zone field 0 for preset 2, stored
    EXPECT_EQ(Received(1).bytes[PackedZoneOffset(0, 0)], 7);
    UseTestModel(4, 3, 2, 4, 1);
    HeadlessClockSet(100000);  // the first dump went silent long ago
    CheckDumpTimeouts(MilliClock());
    DeliverDump(image, 1, 17);
    EXPECT_EQ(gTransfer.downloadComplete, 0);
    Deliver(DumpMessage(image, 17, 1));
    EXPECT_EQ(gTransfer.downloadComplete, 1);
}

// Every way a dump ends leaves a result the user-interface thread reports.
TEST_F(SysexParserTest, EveryEndOfADumpLeavesItsResult) {
    DumpResult dump;
    Request();
    CheckDumpTimeouts(1000 + kReceiveSilenceMs);
    EXPECT_FALSE(TakeDumpResult(&dump, nullptr));
    CheckDumpTimeouts(1001 + kReceiveSilenceMs);
    ASSERT_TRUE(TakeDumpResult(&dump, nullptr));
    EXPECT_EQ(dump.outcome, DumpOutcome::NotAnswered);
    EXPECT_EQ(gTransfer.handshakeActive, 0);  // later strays are not answered
    Deliver(DeviceDataMessage(2, 1, {1, 2, 3, 4}));
    EXPECT_TRUE(SentMessages().empty());

    // The device cancels; what it still sends right after is swallowed.
    HeadlessClockSet(20000);
    Request();
    Deliver(DeviceDataMessage(2, 1, {1, 2, 3, 4}));
    Deliver(DeviceShortMessage(0x7D, 1));
    ASSERT_TRUE(TakeDumpResult(&dump, nullptr));
    EXPECT_EQ(dump.outcome, DumpOutcome::DeviceCancelled);
    HeadlessMidiClearLog();
    Deliver(DeviceDataMessage(3, 1, {0, 1, 0, 2, 0, 3, 0, 4}));
    EXPECT_EQ(gTransfer.receiving, 0);
    EXPECT_TRUE(SentMessages().empty());

    // The third bad message in a row: cancel, and the dump is over. A dump
    // the user then starts on the device at once is read.
    HeadlessClockSet(40000);
    Request();
    Deliver(DeviceDataMessage(2, 1, {1, 2, 3, 4}));
    auto bad = DeviceDataMessage(5, 1, {1, 2, 3, 4});
    bad[bad.size() - 2] ^= 0x01;
    for (int i = 0; i < 3; i++) Deliver(bad);
    ASSERT_TRUE(TakeDumpResult(&dump, nullptr));
    EXPECT_EQ(dump.outcome, DumpOutcome::DamagedCancelled);
    HeadlessClockSet(41000);
    Deliver(DeviceDataMessage(2, 1, {5, 6, 7, 8}));
    EXPECT_EQ(gTransfer.receiving, 1);
    CheckDumpTimeouts(41001 + kReceiveSilenceMs);
    ASSERT_TRUE(TakeDumpResult(&dump, nullptr));

    // Silence part-way.
    HeadlessClockSet(60000);
    Deliver(DeviceDataMessage(2, 1, {1, 2, 3, 4}));
    EXPECT_EQ(gTransfer.receiving, 1);
    CheckDumpTimeouts(60001 + kReceiveSilenceMs);
    ASSERT_TRUE(TakeDumpResult(&dump, nullptr));
    EXPECT_EQ(dump.outcome, DumpOutcome::Incomplete);
    EXPECT_EQ(dump.messagesArrived, 1);
    EXPECT_EQ(gTransfer.receiving, 0);

    // While an upload runs, what the device sends is no dump.
    gTransfer.sending = 1;
    Deliver(DeviceDataMessage(2, 1, {1, 2, 3, 4}));
    EXPECT_EQ(gTransfer.receiving, 0);
}

TEST_F(SysexParserTest, IdentityRepliesOfAcceptedFamilies) {
    uint8_t reply[kIdentityReplySize];
    BuildIdentityReply(0x7F, 0x0A4D, 0x0123, reply);
    EXPECT_TRUE(CheckIdentityReply(reply, kIdentityReplySize));
    BuildIdentityReply(0x7F, 0x0763, 0x0123, reply);
    EXPECT_TRUE(CheckIdentityReply(reply, kIdentityReplySize));
    BuildIdentityReply(0x7F, 0x0E63, 0x0123, reply);
    EXPECT_TRUE(CheckIdentityReply(reply, kIdentityReplySize));
    BuildIdentityReply(0x7F, 0x0A4E, 0x0123, reply);
    EXPECT_FALSE(CheckIdentityReply(reply, kIdentityReplySize));
    BuildIdentityReply(0x7F, 0x0A4D, 0x0123, reply);
    reply[6] = 0x21;  // another manufacturer
    EXPECT_FALSE(CheckIdentityReply(reply, kIdentityReplySize));
    BuildIdentityReply(0x7F, 0x0A4D, 0x0123, reply);
    EXPECT_FALSE(CheckIdentityReply(reply, 12));  // too short to hold the member code
}

TEST_F(SysexParserTest, IdentityRepliesAreRecordedOnlyWhileIdentifying) {
    uint8_t reply[kIdentityReplySize];
    BuildIdentityReply(0, 0x0A4D, 0x0123, reply);
    DeliverSysExMessage(reply, kIdentityReplySize);
    EXPECT_EQ(IdentifiedDeviceCount(), 0);
    gTransfer.identifying = 1;
    SetMidiCurrentOutput(0);
    DeliverSysExMessage(reply, kIdentityReplySize);
    DeliverSysExMessage(reply, kIdentityReplySize);  // the same pair once
    ASSERT_EQ(IdentifiedDeviceCount(), 1);
    EXPECT_EQ(IdentifiedDeviceAt(0).pid, 0x0123);
    EXPECT_EQ(IdentifiedDeviceAt(0).port, 0);
    for (int pid = 1; pid < 40; pid++) {
        BuildIdentityReply(0, 0x0A4D, pid, reply);
        DeliverSysExMessage(reply, kIdentityReplySize);
    }
    EXPECT_EQ(IdentifiedDeviceCount(), kMaxIdentified);
    EXPECT_TRUE(SentMessages().empty());  // identity replies are never answered
}

TEST_F(SysexParserTest, IdentityDeviceNumberTest) {
    gDeviceNumber = 3;
    uint8_t reply[kIdentityReplySize];
    BuildIdentityReply(5, 0x0A4D, 0x0123, reply);
    EXPECT_FALSE(CheckIdentityReply(reply, kIdentityReplySize));
    BuildIdentityReply(3, 0x0A4D, 0x0123, reply);
    EXPECT_TRUE(CheckIdentityReply(reply, kIdentityReplySize));
    BuildIdentityReply(0x7F, 0x0A4D, 0x0123, reply);
    EXPECT_TRUE(CheckIdentityReply(reply, kIdentityReplySize));
    gDeviceNumber = kAllDevices;
    BuildIdentityReply(5, 0x0A4D, 0x0123, reply);
    EXPECT_TRUE(CheckIdentityReply(reply, kIdentityReplySize));
}

// Random and mutated input: the parser may answer or ignore, but never reads
// or writes outside the message and the reception slot (the sanitizers watch).
TEST_F(SysexParserTest, SurvivesRandomAndMutatedInput) {
    UseTestModel(40, 30, 16, 8, 128);
    Request();
    std::mt19937 random(1234);
    PackedPreset image;
    for (int i = 0; i < kPackedPresetSize; i++) image.bytes[i] = (uint8_t)random();
    for (int round = 0; round < 3000; round++) {
        uint8_t m[kMaxDataMessageSize + 8];
        const SysexTypeLayout& layout = kSysexTypes[random() % kSysexTypeCount];
        int n = BuildDataMessage(image, layout, 1 + random() % 40, 1 + random() % 128, kTestGroupId,
                                 0x7F, m);
        const int flips = random() % 3;
        for (int f = 0; f < flips; f++) m[random() % n] = (uint8_t)random();
        if (random() % 4 == 0) n = 1 + random() % n;
        std::vector<uint8_t> bytes(m, m + n);
        Deliver(bytes);
    }
    SUCCEED();
}

}  // namespace
