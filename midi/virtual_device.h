// A simulated Corvanith device: the device side of the SysEx protocol, with a
// memory of 128 preset images, settable answer latency and the faults real
// devices have. No MIDI hardware exists on the machines this program is
// developed and tested on; the simulated device lets the transfer engine be
// exercised end to end.
//
// This file is the device itself, with no threads and no clock of its own: it
// is fed the host's messages with the time they arrive (VirtualDeviceReceive),
// told the time now and then (VirtualDeviceTick), and asked for the messages
// that are due (VirtualDevicePopOutput). virtual_link.h runs it behind the
// "Ostrel Virtual Device" port pair, for the program and the tests alike.
//
// What the device does with each message from the host:
//
//   message                          answer
//   -------------------------------  ---------------------------------------
//   identity request (to it or 7F)   identity reply: family 0A4D, member PID
//   dump request                     starts a dump: data message 1 of preset 1
//   data message, good               stores it, acknowledge (7F) + preset
//   data message, bad                retry (7E) + preset; the third bad one in
//                                    a row is answered with cancel (7D)
//   acknowledge during a dump        the next data message (or the dump ends)
//   retry during a dump              the same data message again; the third
//                                    retry of one message ends the dump with
//                                    cancel
//   cancel during a dump             the dump ends
//
// A dump the host asked for waits for each acknowledgement; when none comes
// within kVirtualAnswerWaitMs of the message leaving, the device ends the dump
// with cancel, as a real one ends a failing exchange. An unrequested dump
// (VirtualDeviceStartDump with requested = 0) streams all messages without
// waiting, as a device does when its user starts a dump on the device itself.
//
// Messages leave in order, one behind the other, as on a MIDI cable: a message
// that is due later holds back those queued after it.
#pragma once

#include <cstdint>

#include "banks/packed_image.h"
#include "midi/sysex_format.h"

constexpr int kVirtualOutboxSize = 64;
constexpr uint32_t kVirtualAnswerWaitMs = 1000;
constexpr int kVirtualDeviceFamily = 0x0A4D;
// Bad messages in a row, and retries of one dump message, that end an exchange.
constexpr int kVirtualFailingRun = 3;

// A run of the device's own outgoing messages (answers, dump messages,
// identity replies), numbered from 0 since the faults were set: `count`
// messages from number `at` on. count 0 is no run at all.
struct VirtualFaultRun {
    int at;
    int count;
};

// Faults to inject (VirtualDeviceSetFaults). All off is VirtualNoFaults().
struct VirtualDeviceFaults {
    VirtualFaultRun drop;       // lost on the way
    VirtualFaultRun duplicate;  // sent twice, back to back
    VirtualFaultRun corrupt;    // damaged: a data message's checksum, another's byte 7
    VirtualFaultRun late;       // each leaves lateMs later than it would have
    uint32_t lateMs;
    int silentAt;            // from this message on the device neither sends nor
                             // listens, as if it had hung; -1 = never
    int unaskedDumpAt;       // after this message the device starts a dump of its
                             // own (when none runs); -1 = never
    int carryOnAfterCancel;  // 1: a dump goes on after the host's cancel, as if the
                             // message had been acknowledged
    int retryAnswers;        // the next n good data messages are answered with retry
    int cancelAnswers;       // the next n good data messages are answered with cancel
};

VirtualDeviceFaults VirtualNoFaults();

// How often each fault acted: the fault-injection campaign reports these.
struct VirtualFaultCounts {
    int dropped;
    int duplicated;
    int corrupted;
    int delayed;
    int silenced;      // times the device went silent
    int unaskedDumps;  // dumps started without a request
    int carriedOn;     // host cancels ignored
    int cancelsSent;   // exchanges the device ended with cancel
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
    uint32_t latencyMs;  // every message is due this long after its cause...
    uint32_t jitterMs;   // ...plus 0 .. jitterMs - 1 more, drawn for each one
    uint32_t random;     // state of the jitter's generator
    VirtualDeviceFaults faults;
    int sentSinceFaults;  // outgoing messages numbered for the faults
    int silent;           // the silence fault has struck
    VirtualFaultCounts faultCounts;

    VirtualDumpState dumpState;
    int dumpPreset;          // 0-based preset of the message in flight
    int dumpTypeIndex;       // index into kSysexTypes of the message in flight
    int dumpRetries;         // retries of the message in flight
    uint32_t dumpWaitStart;  // when the message in flight left (AwaitingAck)
    int badRun;              // bad data messages from the host in a row

    // Counters for tests and the benchmark.
    int dataMessagesReceived;  // good data messages stored
    int badMessagesReceived;   // data messages refused as damaged
    int identityRequests;
    int dumpsCompleted;

    // Messages waiting for their due time, oldest first (a ring).
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
// Replaces the faults; the device's messages are numbered afresh from 0 and a
// device silenced by the previous faults listens again.
void VirtualDeviceSetFaults(VirtualDevice* device, const VirtualDeviceFaults& faults);

// One complete message from the host, arriving at `now`.
void VirtualDeviceReceive(VirtualDevice* device, const uint8_t* message, int length, uint32_t now);
// Lets time pass: a requested dump whose acknowledgement is overdue ends with cancel.
void VirtualDeviceTick(VirtualDevice* device, uint32_t now);
// Starts a dump of presets 1..presetCount. requested = 0: without waiting for
// answers (all messages at once).
void VirtualDeviceStartDump(VirtualDevice* device, int requested, uint32_t now);

// The oldest message due at `now` into out (kMaxDataMessageSize bytes); returns
// its length, 0 when none is due.
int VirtualDevicePopOutput(VirtualDevice* device, uint32_t now, uint8_t* out);
// Whether messages are waiting, and the due time of the oldest.
int VirtualDeviceHasOutput(const VirtualDevice* device, uint32_t* due);
// Nothing to send, no dump running.
int VirtualDeviceIdle(const VirtualDevice* device);

// The memory file: an 8-byte tag, the PID (4 bytes, little-endian) and the 128
// images. Loading keeps the memory unchanged and returns 0 when the file is
// missing, short, foreign or of another model. Saving goes through the
// durable write (base/durable_file.h). Both return 1 on success.
int VirtualDeviceLoadMemory(VirtualDevice* device, const char* path);
int VirtualDeviceSaveMemory(const VirtualDevice* device, const char* path);
