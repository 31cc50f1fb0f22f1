// Reassembly of incoming SysEx messages from the pieces a MIDI input hands
// over. A driver fills one receive buffer at a time; a long message can span
// several buffers, and one buffer can end one message and begin the next.
// The assembler collects bytes from F0 to F7 and hands over each complete
// message once, whole.
//
// Rules: F0 starts a message (an unfinished one before it is dropped); F7 ends
// it; real-time bytes (F8..FF) may be interleaved and are left out; data bytes
// outside a message are ignored. Other bytes with the top bit set stay in the
// message: the device numbers its presets 1..128 in one byte, so preset 128
// arrives as 80 inside its messages, and the parser judges such bytes. A message longer than
// kMaxIncomingSysEx is dropped whole: the bytes up to its F7 are skipped.
#pragma once

#include <cstdint>

#include "midi/sysex_parser.h"

struct SysExAssembler {
    uint8_t message[kMaxIncomingSysEx];
    int length;      // bytes collected of the message in progress
    int collecting;  // 1 between an F0 and its F7
    int overflow;    // the message in progress outgrew the buffer
};

void ResetSysExAssembler(SysExAssembler* assembler);

// Feeds `count` received bytes; calls deliver(message, length) for every
// message they complete. Returns the number of messages delivered.
int FeedSysExAssembler(SysExAssembler* assembler, const uint8_t* bytes, int count,
                       void (*deliver)(const uint8_t* message, int length));
