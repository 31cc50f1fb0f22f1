// The simulated device's side of the protocol, driven by hand without threads.
#include "midi/virtual_device.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

#include "midi/virtual_link.h"
#include "tests/midi/midi_test_support.h"

namespace {

using Bytes = std::vector<uint8_t>;

class VirtualDeviceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        VirtualDeviceProfile profile{};
        profile.pid = 0x0321;
        profile.deviceId = 2;
        profile.sizes = SysexSizes{kTestGroupId, 3, 2, 2, 2, 0};
        device.reset(new VirtualDevice);
        VirtualDeviceInit(device.get(), profile);
    }

    void Receive(const Bytes& m, uint32_t now = 0) {
        VirtualDeviceReceive(device.get(), m.data(), (int)m.size(), now);
    }
    std::vector<Bytes> Drain(uint32_t now = 0) {
        std::vector<Bytes> out;
        uint8_t m[kMaxDataMessageSize];
        int n;
        while ((n = VirtualDevicePopOutput(device.get(), now, m)) > 0) out.emplace_back(m, m + n);
        return out;
    }
    Bytes Short(uint8_t command, int preset = 1) { return DeviceShortMessage(command, preset); }

    std::unique_ptr<VirtualDevice> device;
};

TEST_F(VirtualDeviceTest, AnswersTheIdentityRequestAddressedToIt) {
    Receive({0xF0, 0x7E, 0x05, 0x06, 0x01, 0xF7});  // another device number
    EXPECT_TRUE(Drain().empty());
    Receive({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7});
    auto out = Drain();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].size(), (size_t)kIdentityReplySize);
    EXPECT_EQ(out[0][2], 2);
    EXPECT_EQ(out[0][9] * 128 + out[0][8], kVirtualDeviceFamily);
    EXPECT_EQ(out[0][11] * 128 + out[0][10], 0x0321);
}

TEST_F(VirtualDeviceTest, StoresGoodDataAndRefusesBadData) {
    Receive(DeviceDataMessage(6, 2, {4, 5}));
    auto bad = DeviceDataMessage(7, 2, {0, 1, 0, 2});
    bad[bad.size() - 2] ^= 1;
    Receive(bad);
    Receive(DeviceDataMessage(6, 4, {4, 5}));  // preset beyond its 3
    auto out = Drain();
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0][6], kCommandAcknowledge);
    EXPECT_EQ(out[0][7], 2);
    EXPECT_EQ(out[1][6], kCommandRetry);
    EXPECT_EQ(out[2][6], kCommandRetry);
    EXPECT_EQ(device->memory.presets[1].bytes[kPackedButtonChannel + 1], 5);
    EXPECT_EQ(device->dataMessagesReceived, 1);
    EXPECT_EQ(device->badMessagesReceived, 2);
    EXPECT_EQ(device->memoryDirty, 1);
}

TEST_F(VirtualDeviceTest, IgnoresOtherModelsAndDevices) {
    Bytes other = DeviceDataMessage(6, 1, {4, 5});
    other[4] = kTestGroupId + 1;
    Receive(other);
    Receive(DeviceDataMessage(6, 1, {4, 5}, 3));
    EXPECT_TRUE(Drain().empty());
}

TEST_F(VirtualDeviceTest, RequestedDumpWaitsForEachAcknowledgementOfItsPreset) {
    Receive(Short(kCommandDumpRequest, 0), 100);
    auto out = Drain(100);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0][6], 2);
    EXPECT_EQ(out[0][7], 1);
    Receive(Short(kCommandRetry), 110);
    out = Drain(110);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0][6], 2);                      // the same message again
    Receive(Short(kCommandAcknowledge, 2), 115);  // names another preset: not its answer
    EXPECT_TRUE(Drain(115).empty());
    int messages = 2, preset = 1;
    for (;;) {
        Receive(Short(kCommandAcknowledge, preset), 120);
        out = Drain(120);
        if (out.empty()) break;
        preset = out[0][7];
        messages++;
    }
    EXPECT_EQ(messages, 2 + 3 * 10 - 1);
    EXPECT_EQ(device->dumpsCompleted, 1);
    EXPECT_EQ(device->dumpState, VirtualDumpState::Idle);
}

// A real device ends a failing exchange with cancel: a dump message nobody
// answers, a dump message asked for three times, a third bad message in a row.
TEST_F(VirtualDeviceTest, AFailingExchangeEndsWithCancel) {
    Receive(Short(kCommandDumpRequest, 0), 100);
    Drain(100);
    VirtualDeviceTick(device.get(), 100 + kVirtualAnswerWaitMs - 1);
    EXPECT_TRUE(Drain(100 + kVirtualAnswerWaitMs - 1).empty());
    VirtualDeviceTick(device.get(), 100 + kVirtualAnswerWaitMs);
    auto out = Drain(100 + kVirtualAnswerWaitMs);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0][6], kCommandCancel);
    EXPECT_EQ(device->dumpState, VirtualDumpState::Idle);

    Receive(Short(kCommandDumpRequest, 0), 2000);
    Receive(Short(kCommandRetry), 2000);
    Receive(Short(kCommandRetry), 2000);
    Receive(Short(kCommandRetry), 2000);
    out = Drain(2000);
    ASSERT_EQ(out.size(), 4u);  // the message, twice again, then cancel
    EXPECT_EQ(out[2][6], 2);
    EXPECT_EQ(out[3][6], kCommandCancel);
    EXPECT_EQ(device->dumpState, VirtualDumpState::Idle);

    auto bad = DeviceDataMessage(6, 1, {1, 1});
    bad[bad.size() - 2] ^= 1;
    for (int i = 0; i < 3; i++) Receive(bad);
    out = Drain();
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[1][6], kCommandRetry);
    EXPECT_EQ(out[2][6], kCommandCancel);
    EXPECT_EQ(device->faultCounts.cancelsSent, 3);
}

TEST_F(VirtualDeviceTest, CancelEndsADumpUnlessTheDeviceCarriesOn) {
    Receive(Short(kCommandDumpRequest, 0));
    Drain();
    Receive(Short(kCommandCancel));
    EXPECT_EQ(device->dumpState, VirtualDumpState::Idle);
    Receive(Short(kCommandAcknowledge));
    EXPECT_TRUE(Drain().empty());

    VirtualDeviceFaults faults = VirtualNoFaults();
    faults.carryOnAfterCancel = 1;
    VirtualDeviceSetFaults(device.get(), faults);
    Receive(Short(kCommandDumpRequest, 0));
    Drain();
    Receive(Short(kCommandCancel));
    auto out = Drain();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0][6], 3);  // the next message, as if acknowledged
    EXPECT_EQ(device->faultCounts.carriedOn, 1);
}

TEST_F(VirtualDeviceTest, UnrequestedDumpStreamsEverything) {
    VirtualDeviceStartDump(device.get(), 0, 0);
    auto out = Drain();
    EXPECT_EQ(out.size(), 30u);
    EXPECT_EQ(out.back()[6], 11);
    EXPECT_EQ(out.back()[7], 3);
    EXPECT_EQ(device->dumpsCompleted, 1);
}

TEST_F(VirtualDeviceTest, RefusalFaultsActAndAreUsedUp) {
    device->faults.retryAnswers = 2;
    device->faults.cancelAnswers = 1;
    const Bytes data = DeviceDataMessage(6, 1, {1, 1});
    for (int i = 0; i < 4; i++) Receive(data);
    auto out = Drain();
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0][6], kCommandRetry);
    EXPECT_EQ(out[1][6], kCommandRetry);
    EXPECT_EQ(out[2][6], kCommandCancel);
    EXPECT_EQ(out[3][6], kCommandAcknowledge);
}

// The faults strike the device's own messages by number, counted from when
// they were set: a stream of 30 makes each visible.
TEST_F(VirtualDeviceTest, MessageFaultsStrikeTheirNumbers) {
    VirtualDeviceFaults faults = VirtualNoFaults();
    faults.drop = {2, 1};
    faults.duplicate = {4, 1};
    faults.corrupt = {6, 2};
    faults.late = {8, 1};
    faults.lateMs = 500;
    faults.silentAt = 20;
    VirtualDeviceSetFaults(device.get(), faults);
    VirtualDeviceStartDump(device.get(), 0, 0);
    auto out = Drain(0);
    ASSERT_EQ(out.size(), 8u);  // 0..7 but 2 lost and 4 twice; 8 holds back the rest
    EXPECT_EQ(out[2][6], 5);    // message 2 (type 4) is gone
    EXPECT_EQ(out[3], out[4]);  // message 4 twice
    EXPECT_GE(SysexDataMessageIntact(out[5].data(), (int)out[5].size()), 0);
    EXPECT_LT(SysexDataMessageIntact(out[6].data(), (int)out[6].size()), 0);
    EXPECT_LT(SysexDataMessageIntact(out[7].data(), (int)out[7].size()), 0);
    out = Drain(500);
    ASSERT_EQ(out.size(), 12u);  // 8 .. 19, then silence
    EXPECT_EQ(device->silent, 1);
    Receive({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}, 600);
    EXPECT_TRUE(Drain(600).empty());  // a silent device does not listen either
    EXPECT_EQ(device->faultCounts.dropped, 1);
    EXPECT_EQ(device->faultCounts.duplicated, 1);
    EXPECT_EQ(device->faultCounts.corrupted, 2);
    EXPECT_EQ(device->faultCounts.delayed, 1);
    EXPECT_EQ(device->faultCounts.silenced, 1);

    // New faults wake it; a dump nobody asked for starts after message 0.
    faults = VirtualNoFaults();
    faults.unaskedDumpAt = 0;
    VirtualDeviceSetFaults(device.get(), faults);
    Receive({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}, 700);
    out = Drain(700);
    ASSERT_EQ(out.size(), 31u);
    EXPECT_EQ(out[0].size(), (size_t)kIdentityReplySize);
    EXPECT_EQ(device->faultCounts.unaskedDumps, 1);
}

TEST_F(VirtualDeviceTest, LatencyDelaysAnswers) {
    device->latencyMs = 40;
    Receive({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}, 1000);
    uint32_t due = 0;
    ASSERT_TRUE(VirtualDeviceHasOutput(device.get(), &due));
    EXPECT_EQ(due, 1040u);
    EXPECT_TRUE(Drain(1039).empty());
    EXPECT_EQ(Drain(1040).size(), 1u);
}

TEST_F(VirtualDeviceTest, MalformedHostMessagesAreIgnored) {
    Receive({0xF0});
    Receive({0xF0, 0x7E, 0x7F, 0x06, 0x01});
    Receive(
        {0xF0, 0x00, 0x20, 0x08, kTestGroupId, 0x7F, 0x02, 0x01, 0x7F, 0xF7});  // length past end
    auto out = Drain();
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0][6], kCommandRetry);
}

TEST_F(VirtualDeviceTest, MemoryFileRoundTripsAndRefusesOtherModels) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("ostrel-vd-" + std::to_string(getpid())))
            .string();
    device->memory.presets[5].bytes[kPackedButtonProgram] = 99;
    ASSERT_TRUE(VirtualDeviceSaveMemory(device.get(), path.c_str()));

    std::unique_ptr<VirtualDevice> other(new VirtualDevice);
    VirtualDeviceInit(other.get(), device->profile);
    ASSERT_TRUE(VirtualDeviceLoadMemory(other.get(), path.c_str()));
    EXPECT_EQ(other->memory.presets[5].bytes[kPackedButtonProgram], 99);

    VirtualDeviceProfile foreign = device->profile;
    foreign.pid = 0x0999;
    VirtualDeviceInit(other.get(), foreign);
    EXPECT_FALSE(VirtualDeviceLoadMemory(other.get(), path.c_str()));
    EXPECT_EQ(other->memory.presets[5].bytes[kPackedButtonProgram], 5);  // factory contents

    FILE* f = fopen(path.c_str(), "wb");
    fputs("OSTRVDM1", f);
    fclose(f);
    EXPECT_FALSE(VirtualDeviceLoadMemory(device.get(), path.c_str()));
    remove(path.c_str());
    EXPECT_FALSE(VirtualDeviceLoadMemory(device.get(), path.c_str()));
}

// A newcomer's first download shows real content: the shipped model's zones
// laid out over its keyboard, each on its own channel, and controllers that
// synthesisers commonly answer.
TEST(VirtualDeviceFactory, TheFirstMemoryHoldsSensiblePresets) {
    VirtualDeviceProfile profile{};
    ASSERT_TRUE(VirtualProfileFromDevices(
        (std::string(OSTREL_SOURCE_DIR) + "/data/Devices").c_str(), &profile));
    const VirtualZoneLayout& zones = profile.zones;
    ASSERT_GE(zones.lowField, 0);
    ASSERT_GE(zones.highField, 0);
    ASSERT_GE(zones.channelField, 0);
    ASSERT_GE(zones.enableSlot, 0);
    ASSERT_GT(zones.keyCount, 0);
    ASSERT_GE(profile.sizes.zoneLimit, 2);
    std::unique_ptr<VirtualDevice> device(new VirtualDevice);
    VirtualDeviceInit(device.get(), profile);

    const uint8_t* first = device->memory.presets[0].bytes;
    EXPECT_EQ(first[kPackedLinearMidiCc], 74);  // the filter cutoff on the first knob
    EXPECT_EQ(first[kPackedLinearChannel], 0);  // channel 1
    int previousHigh = zones.lowestNote - 1;
    for (int z = 0; z < profile.sizes.zoneLimit; z++) {
        int low = first[PackedZoneOffset(z, zones.lowField)];
        int high = first[PackedZoneOffset(z, zones.highField)];
        EXPECT_EQ(low, previousHigh + 1) << "zone " << z;  // side by side, none piled up
        EXPECT_GE(high, low) << "zone " << z;
        EXPECT_EQ(first[PackedZoneOffset(z, zones.channelField)], z + 1);
        previousHigh = high;
    }
    EXPECT_EQ(previousHigh, zones.lowestNote + zones.keyCount - 1);
    // Preset 1 plays one zone, preset 2 two of them.
    EXPECT_EQ(first[kPackedVariables + zones.enableSlot], zones.enableMasks[0]);
    const uint8_t* second = device->memory.presets[1].bytes;
    EXPECT_EQ(second[kPackedVariables + zones.enableSlot],
              zones.enableMasks[0] | zones.enableMasks[1]);
}

}  // namespace
