// Shared set-up of the MIDI tests: a synthetic device model in gDevice, pretend
// ports that record what is sent, and the transfer state back at its start.
#pragma once

#include <cstdint>
#include <vector>

#include "midi/sysex_format.h"

constexpr int kTestPid = 0x4242;
constexpr int kTestGroupId = 0x21;

// Loads a model of that shape into gDevice (variables target their own slot)
// and publishes it to the transfer state.
void UseTestModel(int linear, int buttons, int variables, int zones, int presets);

// Puts the MIDI side back to its start: transfer state, parser, port tables,
// device number 127, the clock in real time, message and view logs cleared.
// Then opens `outputs` pretend outputs and `inputs` pretend inputs.
void ResetMidiForTest(int outputs = 1, int inputs = 1);

// The messages sent on pretend outputs since the last reset or clear.
std::vector<std::vector<uint8_t>> SentMessages();

// A data message as a device would send it, with a correct checksum.
std::vector<uint8_t> DeviceDataMessage(int type, int preset, const std::vector<uint8_t>& data,
                                       int deviceNumber = 0x7F);
// A short message (ack 7F, retry 7E, cancel 7D) as the device sends it.
std::vector<uint8_t> DeviceShortMessage(uint8_t command, int preset, int deviceNumber = 0x7F);

// Hands a message to the parser as an input would.
void Deliver(const std::vector<uint8_t>& message);
