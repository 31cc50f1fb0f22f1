// The platform seam under the MIDI port tables: the few operations on the
// system's MIDI ports that the portable port rules (midi_ports.cpp) need.
// Implemented on WinMM by midi/midi_system_win32.cpp and by a scriptable
// double in headless/midi_system_headless.cpp for the native tests.
//
// Ports are addressed by the system's device index. Results follow WinMM:
// 0 is success, anything else an MMRESULT error code.
//
// Input: once an input is open and its buffers are queued, the platform
// collects the SysEx bytes it receives on a thread of its own, reassembles
// messages that span buffers (SysExAssembler) and hands each complete message
// to DeliverSysExMessage (midi/sysex_parser.h).
#pragma once

#include <cstdint>

constexpr int kMidiNoError = 0;
constexpr int kMidiErrorAllocated = 4;  // MMSYSERR_ALLOCATED: the port is in use

// The port technologies the rules look at (wTechnology of MIDIOUTCAPS).
constexpr int kTechnologyMidiPort = 1;  // MOD_MIDIPORT: a hardware port
constexpr int kTechnologyMapper = 5;    // MOD_MAPPER: the MIDI Mapper

constexpr int kMidiSystemNameLen = 32;  // MAXPNAMELEN

int MidiSystemOutputCount();
int MidiSystemInputCount();

// The port's name (kMidiSystemNameLen bytes) and, for outputs, its technology.
// Returns 0 on success.
int MidiSystemOutputCaps(int id, char* name, int* technology);
int MidiSystemInputCaps(int id, char* name);

// Opens an output (no callback). Returns 0 or the error code.
int MidiSystemOpenOutput(int id);
// Resets and closes an open output.
void MidiSystemCloseOutput(int id);
// Opens an input, resets and starts it. Returns 0 or the error code.
int MidiSystemOpenInput(int id);
// Stops, resets and closes an open input; buffers the driver hands back on the
// way are not queued again.
void MidiSystemCloseInput(int id);

// Prepares and queues the receive buffers of an open input / takes them back.
void MidiSystemQueueInput(int id);
void MidiSystemUnqueueInput(int id);

// Sends one complete SysEx message on an open output. The result is not
// reported: a failed send shows as a missing answer.
void MidiSystemSendLong(int id, const uint8_t* bytes, int length);

// The system's text for an error code (output or input side) into text
// (size bytes). Returns 0 on success, nonzero when the text cannot be had.
int MidiSystemErrorText(int input, int code, char* text, int size);
