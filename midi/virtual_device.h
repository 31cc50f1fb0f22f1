// A simulated Corvanith device: the device side of the SysEx protocol, with a
// memory of 128 preset images, settable answer latency and fault injection.
// No MIDI hardware exists on the machines this program is developed and tested
// on; the simulated device lets the transfer engine be exercised end to end.
//
// This file is the device itself, with no threads and no clock of its own: it
// is fed the host's messages with the time they arrive (VirtualDeviceReceive),
// told the time now and then (VirtualDeviceTick), and asked for the answers
// that are due (VirtualDevicePopOutput). virtual_link.h runs it on a thread of
// its own behind the "Ostrel Virtual Device" port pair.
//
// What the device does with each message from the host:
//
//   message                          answer
//   -------------------------------  ---------------------------------------
//   identity request (to it or 7F)   identity reply: family 0A4D, member PID
//   dump request                     starts a dump: data message 1 of preset 1
//   data message, good               stores it, acknowledge (7F) + preset
//   data message, bad                retry (7E) + preset
//   acknowledge during a dump        the next data message (or the dump ends)
//   retry during a dump              the same data message again
//   cancel during a dump             the dump ends
//
// A dump the host asked for waits for each acknowledgement (up to
// kVirtualAnswerWaitMs, then the device gives up); an unrequested dump
// (VirtualDeviceStartDump with requested = 0) streams all messages at once, as
// a device does when its user starts a dump on the device itself.
#pragma once

#include <cstdint>

#include "midi/packed_image.h"
#include "midi/sysex_format.h"

constexpr int kVirtualOutboxSize = 64;
constexpr uint32_t kVirtualAnswerWaitMs = 1000;
constexpr int kVirtualDeviceFamily = 0x0A4D;

// Faults to inject; each counter is used up as it acts.
struct VirtualDeviceFaults {
    int dropAnswers;    // the next n answers to the host are not sent
    int corruptData;    // the next n data messages of a dump carry a wrong checksum
    int retryAnswers;   // the next n good data messages are answered with retry
    int cancelAnswers;  // the next n good data messages are answered with cancel
    int silentAfter;    // a dump stops dead after this many data messages; -1 = never
};

// What the factory memory needs to know of the model's zones, read from its
// definition: the image fields holding a zone's channel and its low and high
// notes (-1 when the model has none), the keyboard's notes, and the zone
// enable bits (the variable slot, -1 for none, and the mask of zone z). All
// zero (no keys), as a profile starts: the zones are left empty.
struct VirtualZoneLayout {
    int channelField;
    int lowField;
    int highField;
    int lowestNote;
    int keyCount;
    int enableSlot;
    uint8_t enableMasks[kPackedZoneCount];
};

// The model the device pretends to be.
struct VirtualDeviceProfile {
    int pid;       // member code of the identity reply, the model's PID
    int deviceId;  // its own device number (0..127)
    SysexSizes sizes;
    VirtualZoneLayout zones;
};

enum class VirtualDumpState { Idle, AwaitingAck, Streaming };

struct VirtualOutput {
    uint32_t due;  // clock time from which it may be delivered
    int length;
    uint8_t bytes[kMaxDataMessageSize];
};

struct VirtualDevice {
    VirtualDeviceProfile profile;
    PackedBank memory;   // the device's presets
    int memoryDirty;     // memory changed since last saved
    uint32_t latencyMs;  // every answer is due this long after its cause
    VirtualDeviceFaults faults;

    VirtualDumpState dumpState;
    int dumpPreset;          // 0-based preset of the message in flight
    int dumpTypeIndex;       // index into kSysexTypes of the message in flight
    int dumpSent;            // data messages sent in this dump (silentAfter counts these)
    uint32_t dumpWaitStart;  // when the message in flight went out (AwaitingAck)

    // Counters for tests and the benchmark.
    int dataMessagesReceived;  // good data messages stored
    int badMessagesReceived;   // data messages refused with retry
    int identityRequests;
    int dumpsCompleted;

    // Answers waiting for their due time, oldest first (a ring).
    VirtualOutput outbox[kVirtualOutboxSize];
    int outboxHead;
    int outboxCount;
};

// Fills the device: profile, factory memory contents, no faults, no latency.
void VirtualDeviceInit(VirtualDevice* device, const VirtualDeviceProfile& profile);
// The factory contents of the memory, what a newcomer's first download shows:
// named presets on channel 1 with the controller numbers synthesisers
// commonly answer (cutoff, resonance, envelope, effects, volume, pan, the
// pedals), and the keyboard split into zones on their own channels, a
// different number of them enabled from preset to preset.
void VirtualDeviceFactoryMemory(VirtualDevice* device);

// One complete message from the host, arriving at `now`.
void VirtualDeviceReceive(VirtualDevice* device, const uint8_t* message, int length, uint32_t now);
// Lets time pass: a requested dump whose acknowledgement is overdue ends.
void VirtualDeviceTick(VirtualDevice* device, uint32_t now);
// Starts a dump of presets 1..presetCount. requested = 0: without waiting for
// answers (all messages at once).
void VirtualDeviceStartDump(VirtualDevice* device, int requested, uint32_t now);

// The oldest answer due at `now` into out (kMaxDataMessageSize bytes); returns
// its length, 0 when none is due.
int VirtualDevicePopOutput(VirtualDevice* device, uint32_t now, uint8_t* out);
// Whether answers are waiting, and the due time of the oldest.
int VirtualDeviceHasOutput(const VirtualDevice* device, uint32_t* due);

// The memory file: an 8-byte tag, the PID (4 bytes, little-endian) and the 128
// images. Loading keeps the memory unchanged and returns 0 when the file is
// missing, short, foreign or of another model. Saving writes a temporary file
// and renames it over the old one. Both return 1 on success.
int VirtualDeviceLoadMemory(VirtualDevice* device, const char* path);
int VirtualDeviceSaveMemory(const VirtualDevice* device, const char* path);
