// The port tables: enumeration, the eligibility and default rules, opening
// failures and their messages, and the send path.
#include "midi/midi_ports.h"

#include <gtest/gtest.h>

#include "base/string_ids.h"
#include "headless/messages_headless.h"
#include "headless/midi_system_headless.h"
#include "midi/virtual_link.h"
#include "tests/midi/midi_test_support.h"

namespace {

class MidiPortsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetMidiForTest(0, 0);
        InitMidiPorts();
    }
    void TearDown() override {
        CloseMidiPorts();
        SetVirtualPortsRequested(0);
        VirtualLinkShutdown();
    }
    void Start() {
        gMidiPorts.defaultOutputMarker = kEmptyPort;
        RefreshMidiPorts();
        QueueInputBuffers();
    }
};

HeadlessMidiPort Port(const char* name, int technology = kTechnologyMidiPort, int error = 0) {
    HeadlessMidiPort port;
    port.name = name;
    port.technology = technology;
    port.openError = error;
    return port;
}

TEST_F(MidiPortsTest, OnlyTheHardwarePortOfThreeIsUsed) {
    HeadlessMidiSetPorts(
        {Port("USB MIDI"), Port("WaveSynth/WG MIDI", 7), Port("Mapper", kTechnologyMapper)},
        {Port("USB MIDI In")});
    Start();
    EXPECT_EQ(gMidiPorts.outputCount, 3);
    EXPECT_TRUE(gMidiPorts.outputs[0].enabled);
    EXPECT_FALSE(gMidiPorts.outputs[1].enabled);
    EXPECT_FALSE(gMidiPorts.outputs[2].enabled);
    EXPECT_EQ(HeadlessMidiLogCopy().outputsOpened, std::vector<int>{0});
    EXPECT_EQ(gMidiPorts.defaultOutputMarker, 0);
    EXPECT_EQ(MidiCurrentOutput(), 0);
    EXPECT_EQ(HeadlessMidiLogCopy().inputsQueued, std::vector<int>{0});
}

TEST_F(MidiPortsTest, SoftwareSynthsAreNotUsed) {
    HeadlessMidiSetPorts({Port("Soft Synth", 7), Port("Second USB")}, {});
    Start();
    EXPECT_FALSE(gMidiPorts.outputs[0].enabled);
    EXPECT_TRUE(gMidiPorts.outputs[1].enabled);
    EXPECT_EQ(MidiCurrentOutput(), 1);
}

TEST_F(MidiPortsTest, LettersFollowSystemOrderIndependentlyPerTable) {
    HeadlessMidiSetPorts({Port("Out One"), Port("Out Two")},
                         {Port("In One"), Port("In Two"), Port("In Three")});
    Start();
    EXPECT_STREQ(gMidiPorts.outputs[0].displayName, "A: Out One");
    EXPECT_STREQ(gMidiPorts.outputs[1].displayName, "B: Out Two");
    EXPECT_STREQ(gMidiPorts.inputs[2].displayName, "C: In Three");
    EXPECT_EQ(gMidiPorts.outputs[2].deviceId, kEmptyPort);
    EXPECT_EQ(gMidiPorts.inputs[3].deviceId, kEmptyPort);
}

TEST_F(MidiPortsTest, LongNamesFitTheirFields) {
    HeadlessMidiSetPorts({Port("A very long output port name that goes on and on")}, {});
    Start();
    EXPECT_EQ(strlen(gMidiPorts.outputs[0].name), (size_t)kMidiSystemNameLen - 1);
    EXPECT_LT(strlen(gMidiPorts.outputs[0].displayName), (size_t)kMidiDisplayNameLen);
}

TEST_F(MidiPortsTest, PortInUseIsSilentAtFirstAndMessage47AfterARefresh) {
    HeadlessMidiSetPorts({Port("Busy", kTechnologyMidiPort, kMidiErrorAllocated)}, {Port("In")});
    Start();
    EXPECT_TRUE(HeadlessMessages().boxes.empty());
    EXPECT_FALSE(gMidiPorts.outputs[0].enabled);  // back to known
    EXPECT_EQ(MidiCurrentOutput(), 0);

    UnqueueInputBuffers();
    CloseMidiPorts();
    Start();
    ASSERT_EQ(HeadlessMessages().boxes.size(), 1u);
    const RecordedMessageBox& box = HeadlessMessages().boxes[0];
    EXPECT_EQ(box.text,
              "An attempt to open the Busy has failed because it is already in use, possibly by "
              "the MIDI Mapper");
    EXPECT_EQ(box.caption, "Ostrel");
    EXPECT_EQ(box.type, kMbIconExclamation);
}

TEST_F(MidiPortsTest, OtherFailuresShowTheSystemTextCaptionedWithThePort) {
    HeadlessMidiSetPorts({Port("Out", kTechnologyMidiPort, 6)}, {Port("In", 0, 7)});
    Start();
    UnqueueInputBuffers();
    CloseMidiPorts();
    Start();
    ASSERT_EQ(HeadlessMessages().boxes.size(), 2u);
    EXPECT_EQ(HeadlessMessages().boxes[0].caption, "Out");
    EXPECT_EQ(HeadlessMessages().boxes[0].text, "output error 6");
    EXPECT_EQ(HeadlessMessages().boxes[1].caption, "In");
    EXPECT_EQ(HeadlessMessages().boxes[1].text, "input error 7");
}

TEST_F(MidiPortsTest, WithNoInputChosenInputZeroIsOpened) {
    HeadlessMidiSetPorts({Port("Out")}, {Port("In A"), Port("In B")});
    Start();
    UnqueueInputBuffers();
    CloseMidiPorts();
    gMidiPorts.inputs[0].enabled = 0;
    gMidiPorts.inputs[1].enabled = 0;
    HeadlessMidiClearLog();
    OpenMidiPorts();
    QueueInputBuffers();
    EXPECT_TRUE(gMidiPorts.inputs[0].enabled);
    EXPECT_EQ(HeadlessMidiLogCopy().inputsOpened, std::vector<int>{0});
}

TEST_F(MidiPortsTest, NoOutputsMeansNothingIsSent) {
    HeadlessMidiSetPorts({}, {});
    Start();
    EXPECT_EQ(MidiCurrentOutput(), 0);
    const uint8_t m[] = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
    SendOnCurrentOutput(m, sizeof m);
    EXPECT_TRUE(HeadlessMidiLogCopy().sent.empty());
}

TEST_F(MidiPortsTest, SendsOnlyOnOpenEnabledPorts) {
    HeadlessMidiSetPorts({Port("One"), Port("Two")}, {});
    Start();
    const uint8_t m[] = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
    SendLongMessage(1, m, sizeof m);
    SendLongMessage(5, m, sizeof m);  // an empty record
    SendLongMessage(-1, m, sizeof m);
    SendLongMessage(64, m, sizeof m);
    const auto log = HeadlessMidiLogCopy();
    ASSERT_EQ(log.sent.size(), 1u);
    EXPECT_EQ(log.sent[0].id, 1);
    CloseMidiPorts();
    SendLongMessage(1, m, sizeof m);
    EXPECT_EQ(HeadlessMidiLogCopy().sent.size(), 1u);
}

TEST_F(MidiPortsTest, EmptyDriverBuffersAndClosingAreHarmless) {
    HeadlessMidiSetPorts({Port("Out")}, {Port("In")});
    Start();
    EXPECT_EQ(HeadlessMidiReceive(0, nullptr, 0), 0);
    UnqueueInputBuffers();
    const uint8_t ack[] = {0xF0, 0x00, 0x20, 0x08, 0x10, 0x7F, 0x7F, 0x01, 0xF7};
    EXPECT_EQ(HeadlessMidiReceive(0, ack, sizeof ack), 0);  // not queued: not delivered
    QueueInputBuffers();
    EXPECT_EQ(HeadlessMidiReceive(0, ack, sizeof ack), 1);
}

TEST_F(MidiPortsTest, VirtualPortPairIsAppendedWhenAsked) {
    SetVirtualPortsRequested(1);
    VirtualLinkSetMemoryPath("");
    HeadlessMidiSetPorts({Port("USB")}, {Port("USB In")});
    Start();
    EXPECT_EQ(gMidiPorts.outputCount, 2);
    EXPECT_EQ(gMidiPorts.inputCount, 2);
    EXPECT_STREQ(gMidiPorts.outputs[1].displayName, "B: Ostrel Virtual Device");
    EXPECT_STREQ(gMidiPorts.inputs[1].displayName, "B: Ostrel Virtual Device");
    EXPECT_TRUE(gMidiPorts.outputs[1].enabled);
    EXPECT_TRUE(gMidiPorts.outputs[1].open);
    EXPECT_TRUE(gMidiPorts.inputs[1].open);
}

}  // namespace
