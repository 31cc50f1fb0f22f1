// Shared set-up of the MIDI tests (midi_test_support.h).
#include "tests/midi/midi_test_support.h"

#include <cstring>

#include "base/messages.h"
#include "devices/device_definition.h"
#include "headless/clock_headless.h"
#include "headless/messages_headless.h"
#include "headless/midi_system_headless.h"
#include "headless/transfer_view_headless.h"
#include "midi/midi_ports.h"
#include "midi/sysex_parser.h"
#include "midi/transfer_state.h"

void UseTestModel(int linear, int buttons, int variables, int zones, int presets) {
    DeviceDefinitionReset(&gDevice);
    strcpy(gDevice.name, "Test Model");
    gDevice.pid = kTestPid;
    gDevice.groupId = kTestGroupId;
    gDevice.presetCount = presets;
    gDevice.linearControlCount = linear;
    gDevice.buttonControlCount = buttons;
    gDevice.controlCount = linear + buttons;
    gDevice.variableLimit = variables;
    gDevice.variableSlots = variables;
    gDevice.variableCount = variables;
    for (int i = 0; i < variables && i < kMaxVariables; i++) gDevice.variables[i].target = i;
    gDevice.zoneLimit = zones;
    PublishTransferLayout();
}

void ResetMidiForTest(int outputs, int inputs) {
    HeadlessClockUseReal();
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    gPopupMinimumMs = 0;  // the popup's display time is the shell's to test
    HeadlessTransferViewReset();
    ResetTransferState();
    ResetSysExParser();
    gDeviceNumber = kAllDevices;
    std::vector<HeadlessMidiPort> outs(outputs), ins(inputs);
    for (int i = 0; i < outputs; i++) outs[i].name = "Out " + std::to_string(i);
    for (int i = 0; i < inputs; i++) ins[i].name = "In " + std::to_string(i);
    HeadlessMidiSetPorts(outs, ins);
    HeadlessMidiOnSend(nullptr);
    SetVirtualPortsRequested(0);
    InitMidiPorts();
    RefreshMidiPorts();
    QueueInputBuffers();
    HeadlessMidiClearLog();
}

std::vector<std::vector<uint8_t>> SentMessages() {
    std::vector<std::vector<uint8_t>> messages;
    for (const HeadlessMidiSent& sent : HeadlessMidiLogCopy().sent) messages.push_back(sent.bytes);
    return messages;
}

std::vector<uint8_t> DeviceDataMessage(int type, int preset, const std::vector<uint8_t>& data,
                                       int deviceNumber) {
    std::vector<uint8_t> m = {0xF0,
                              0x00,
                              0x20,
                              0x08,
                              kTestGroupId,
                              (uint8_t)deviceNumber,
                              (uint8_t)type,
                              (uint8_t)preset,
                              (uint8_t)data.size()};
    m.insert(m.end(), data.begin(), data.end());
    m.push_back(SysexChecksum(m.data() + 6, (int)m.size() - 6));
    m.push_back(0xF7);
    return m;
}

std::vector<uint8_t> DeviceShortMessage(uint8_t command, int preset, int deviceNumber) {
    return {0xF0, 0x00, 0x20, 0x08, kTestGroupId, (uint8_t)deviceNumber, command, (uint8_t)preset,
            0xF7};
}

void Deliver(const std::vector<uint8_t>& message) {
    DeliverSysExMessage(message.data(), (int)message.size());
}
