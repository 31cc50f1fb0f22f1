// The short messages the program sends to the device: the dump request, the
// three handshake answers and the identity request. All of them go to the
// current output port.
#pragma once

#include <cstdint>

enum class ShortMessageKind {
    DumpRequest = 0,      // F0 00 20 08 gg dd 00 00 F7: starts a download
    Cancel = 1,           // ... 7D p: the third bad message in a row
    Retry = 2,            // ... 7E p: a bad message
    Acknowledge = 3,      // ... 7F p: an accepted message
    IdentityRequest = 4,  // F0 7E dd 06 01 F7
};

// Builds and sends one short message. Cancel, retry and acknowledge are dropped
// while no download handshake is active; the dump request begins a requested
// dump (BeginRequestedDump), which makes it active.
void SendShortMessage(ShortMessageKind kind, int parameter);

// The parser's answer to a data message (cancel, retry or acknowledge), sent
// whatever the handshake state is now: the dump reception decided it under its
// lock, and the answer to a dump's last message goes out after the dump ended.
// Safe from the input thread.
void SendHandshakeAnswer(ShortMessageKind kind, int parameter);
