// The MIDI port tables: one fixed table of output ports and one of input ports,
// filled from the system, with the rules that decide which ports are used, and
// the one send path every outgoing SysEx message takes.
//
// A port record is empty (deviceId -2), known (enumerated, disabled), chosen
// (enabled, closed) or open (enabled and open). A refresh resets every record
// and enables all of them before enumerating, so each start and each Refresh
// Devices uses every eligible port again:
//
//   transition             performed by
//   ---------------------  -------------------------------------------------
//   any -> empty           ResetMidiPorts (first step of RefreshMidiPorts)
//   empty -> known         EnumerateMidiPorts
//   known -> chosen        RefreshMidiPorts (all), OpenMidiPorts (default rule),
//                          the MIDI Setup dialog
//   chosen -> open         OpenMidiPorts
//   chosen -> known        OpenMidiPorts when opening fails
//   open -> chosen         CloseMidiPorts
//
// When the environment variable OSTREL_VIRTUAL_DEVICE is "1", the tables end
// with one more output and input, "Ostrel Virtual Device", wired to the
// simulated device (midi/virtual_link.h).
//
// Threads: everything here runs on the user-interface thread, except the send
// path, which the reception parser also uses from an input thread to answer
// the device; sends and port openings are serialised by one lock.
#pragma once

#include <atomic>
#include <cstdint>

#include "midi/midi_system.h"

constexpr int kMaxMidiPorts = 64;
constexpr int kEmptyPort = -2;  // deviceId of an empty record, and "not yet picked"
constexpr int kMidiDisplayNameLen = kMidiSystemNameLen + 4;  // "A: " + name
constexpr char kWaveSynthPortName[] = "WaveSynth/WG MIDI";
constexpr char kVirtualPortName[] = "Ostrel Virtual Device";
constexpr unsigned kMbIconExclamation = 48;

struct MidiOutPort {
    char name[kMidiSystemNameLen];          // the system's port name
    int technology;                         // the system's kind of port (kTechnology...)
    char displayName[kMidiDisplayNameLen];  // letter, colon, blank, name
    std::atomic<int> open;                  // 1 while open (the platform keeps the handle)
    int deviceId;                           // system device index; kEmptyPort when empty
    std::atomic<int> enabled;               // the user's (or the default) choice to use it
    int slot;                               // the record's own index
    int isVirtual;                          // 1: the simulated device's port
};

struct MidiInPort {
    char name[kMidiSystemNameLen];
    char displayName[kMidiDisplayNameLen];
    int open;
    int slot;
    int deviceId;
    int enabled;
    int isVirtual;
};

struct MidiPortTables {
    MidiOutPort outputs[kMaxMidiPorts];
    MidiInPort inputs[kMaxMidiPorts];
    int outputCount;  // ports in the table, each capped at 64 (virtual one included)
    int inputCount;
    std::atomic<int> currentOutput;  // the output record that sends
    int firstOpenSilent;             // the very first opening shows no error boxes
    int defaultOutputMarker;         // output the default rule picked; kEmptyPort = not yet
    std::atomic<int> closing;        // set while ports close: buffers are not queued again
    int buffersQueued;               // the receive buffers are prepared and queued
};

extern MidiPortTables gMidiPorts;

// Back to the state before the first start (tests): empty tables, the first
// opening silent again, no default output picked.
void InitMidiPorts();

// Resets every record, enables all of them, enumerates and opens. The caller
// first sets defaultOutputMarker to kEmptyPort.
void RefreshMidiPorts();
// Fills the tables from the system (and appends the virtual port pair).
void EnumerateMidiPorts();
// Applies the eligibility and default rules and opens every enabled port.
void OpenMidiPorts();
// Closes every open port.
void CloseMidiPorts();
// Queue / take back the receive buffers of every open enabled input. Each does
// nothing when the buffers already are in the wanted state.
void QueueInputBuffers();
void UnqueueInputBuffers();

// Sends one SysEx message (up to and including its F7) on output record `port`,
// only when that record is open and enabled.
void SendLongMessage(int port, const uint8_t* bytes, int length);
// The same on the current output.
void SendOnCurrentOutput(const uint8_t* bytes, int length);

// The current output record (any thread).
int MidiCurrentOutput();
void SetMidiCurrentOutput(int port);

// Whether the simulated device's port pair is offered (OSTREL_VIRTUAL_DEVICE=1,
// or switched on by a test or tool).
int VirtualPortsRequested();
void SetVirtualPortsRequested(int on);
