// Reassembly of SysEx messages from receive buffers.
#include "midi/sysex_assembler.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

std::vector<std::vector<uint8_t>> gDelivered;

void Collect(const uint8_t* message, int length) {
    gDelivered.emplace_back(message, message + length);
}

class SysExAssemblerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        gDelivered.clear();
        assembler.reset(new SysExAssembler);
        ResetSysExAssembler(assembler.get());
    }
    int Feed(const std::vector<uint8_t>& bytes) {
        return FeedSysExAssembler(assembler.get(), bytes.data(), (int)bytes.size(), Collect);
    }
    std::unique_ptr<SysExAssembler> assembler;
};

TEST_F(SysExAssemblerTest, MessageSpanningBuffers) {
    EXPECT_EQ(Feed({0xF0, 0x00, 0x20}), 0);
    EXPECT_EQ(Feed({0x08, 0x10}), 0);
    EXPECT_EQ(Feed({0x7F, 0x7F, 0x01, 0xF7}), 1);
    ASSERT_EQ(gDelivered.size(), 1u);
    EXPECT_EQ(gDelivered[0],
              (std::vector<uint8_t>{0xF0, 0x00, 0x20, 0x08, 0x10, 0x7F, 0x7F, 0x01, 0xF7}));
}

TEST_F(SysExAssemblerTest, TwoMessagesInOneBufferAndRealTimeBytesBetween) {
    EXPECT_EQ(Feed({0xF0, 0x01, 0xF8, 0x02, 0xF7, 0x05, 0xF0, 0x03, 0xFE, 0xF7}), 2);
    EXPECT_EQ(gDelivered[0], (std::vector<uint8_t>{0xF0, 0x01, 0x02, 0xF7}));
    EXPECT_EQ(gDelivered[1], (std::vector<uint8_t>{0xF0, 0x03, 0xF7}));
}

TEST_F(SysExAssemblerTest, ANewStartCutsAMessageShortOtherHighBytesStay) {
    EXPECT_EQ(Feed({0xF0, 0x01, 0xF0, 0x02, 0xF7}), 1);
    EXPECT_EQ(gDelivered[0], (std::vector<uint8_t>{0xF0, 0x02, 0xF7}));
    // Preset 128 is numbered 80 inside the device's messages.
    EXPECT_EQ(Feed({0xF0, 0x01, 0x80, 0x40, 0xF7}), 1);
    EXPECT_EQ(gDelivered[1], (std::vector<uint8_t>{0xF0, 0x01, 0x80, 0x40, 0xF7}));
    EXPECT_EQ(Feed({0x01, 0x02, 0xF7}), 0);  // data and an end outside any message
}

TEST_F(SysExAssemblerTest, OverlongMessageIsDroppedWholeAndTheNextOneArrives) {
    std::vector<uint8_t> big(kMaxIncomingSysEx + 100, 0x11);
    big[0] = 0xF0;
    EXPECT_EQ(Feed(big), 0);
    EXPECT_EQ(Feed({0x22, 0xF7}), 0);
    EXPECT_EQ(Feed({0xF0, 0x33, 0xF7}), 1);
    EXPECT_EQ(gDelivered[0], (std::vector<uint8_t>{0xF0, 0x33, 0xF7}));
}

TEST_F(SysExAssemblerTest, MessageThatExactlyFillsTheBuffer) {
    std::vector<uint8_t> full(kMaxIncomingSysEx, 0x11);
    full[0] = 0xF0;
    full.back() = 0xF7;
    EXPECT_EQ(Feed(full), 1);
    EXPECT_EQ(gDelivered[0].size(), (size_t)kMaxIncomingSysEx);
}

}  // namespace
