// Reception of a dump: the device's data messages collected into the reception
// slot of the packed store, a record of which (preset, type) messages arrived,
// and how the dump ended. A dump is complete only when every message of every
// preset of its model has arrived; then, and only then, its images are handed
// to the user-interface thread to fill the device bank.
//
// A dump runs by one model from its first message to its end: the layout the
// transfer state publishes when it begins (the device bank's own model), not
// whatever is loaded while it arrives.
//
// Phases and the function that performs each transition:
//
//   Idle      -> Awaiting   BeginRequestedDump (the dump request; slot cleared)
//   Idle      -> Receiving  ReceiveDumpMessage: a good data message nobody asked
//                           for (the device's user started a dump; slot cleared)
//   Awaiting  -> Receiving  ReceiveDumpMessage: the first good data message
//   Awaiting,
//   Receiving -> Draining   ReceiveDumpMessage: every message arrived (Complete),
//                           or the last message came with some missing
//                           (Incomplete), or the third bad message in a row of a
//                           requested dump (DamagedCancelled);
//                           DumpCancelledByDevice (DeviceCancelled)
//   Awaiting  -> Idle       CheckDumpTimeouts: nothing for kReceiveSilenceMs
//                           after the request (NotAnswered)
//   Receiving -> Idle       CheckDumpTimeouts: kReceiveSilenceMs of silence
//                           (Incomplete); EndDumpNow (Incomplete)
//   Draining  -> Idle       kReceiveSilenceMs without a data message
//
// Draining swallows what a device still sends after its dump ended (a repeat,
// the rest of a dump the program cancelled), so that it does not begin a
// dump of its own. Every end leaves one DumpResult for TakeDumpResult.
//
// Threads: the parser calls ReceiveDumpMessage and DumpCancelledByDevice on
// an input thread, the user-interface thread the others. One lock guards the
// record, the reception slot and the hand-over; it is never held while a
// message is sent.
#pragma once

#include <cstdint>

#include "banks/packed_image.h"
#include "midi/sysex_format.h"

enum class DumpOutcome {
    Complete,          // every message of every preset arrived
    Incomplete,        // the dump ended with messages missing
    DamagedCancelled,  // the third bad message in a row: the program cancelled
    DeviceCancelled,   // the device sent cancel
    NotAnswered,       // a requested dump never began
};

struct DumpResult {
    DumpOutcome outcome;
    int requested;        // the program asked for it
    int pid;              // the model the dump was received by
    int presetCount;      // that model's presets
    int presetsArrived;   // presets every message of which arrived
    int messagesArrived;  // distinct messages that arrived
    int messageCount;     // messages in a whole dump
    int missingPreset;    // 1-based preset and type of the first missing message;
    int missingType;      // 0 when none is missing
    int unreadMessages;   // a file's data messages left out: after the dump was whole,
                          // or of another model
    // 1 for each preset every message of which arrived (a file of single
    // presets is taken preset by preset).
    uint8_t presetWhole[kPackedPresetsPerBank];
};

// What the parser sends back for a data message.
enum class DumpAnswer { None, Acknowledge, Retry, Cancel };

// The dump request goes out: a new dump by the layout published now.
void BeginRequestedDump(uint32_t now);
// One data message (byte 6 not a handshake command) that passed the parser's
// header and device checks. Ignored while an upload runs (what the device
// sends then is no dump of the program's).
DumpAnswer ReceiveDumpMessage(const uint8_t* message, int length, uint32_t now);
// The device sent cancel: a dump awaited or arriving ends.
void DumpCancelledByDevice();
// The time-outs: a request not answered, a dump that fell silent, the end of draining.
void CheckDumpTimeouts(uint32_t now);
// A dump awaited or arriving ends at once (the input ended: a capture, shutdown).
void EndDumpNow();

// The result of the last dump that ended, once; for a complete or incomplete
// dump its images go to `images` (may be null): of an incomplete one only the
// presets marked whole in the result hold what the device sent. Returns false
// when none waits.
bool TakeDumpResult(DumpResult* result, PackedBank* images);

// No dump awaited, arriving or draining, and no result waiting to be taken:
// the reception may be lent to a file (sysex_capture.h) without losing a
// device's dump.
bool DumpReceptionIdle();
// Whether a dump has ended and its result waits for the timer to take it.
bool DumpResultWaiting();
// The model a dump arriving now is read by, and its preset count; false when
// none arrives (it may be another connected model than the device bank's).
bool ArrivingDumpModel(int* pid, int* presets);

// Back to Idle with nothing waiting (start-up, tests); no longer reading a file.
void ResetDumpReception();
// The messages that follow come from a file, not from a device: a dump ends
// when it is whole or when the file ends, whatever order its presets are in.
void SetDumpReceptionFromFile(bool fromFile);
