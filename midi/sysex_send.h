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
// while no download handshake is active; the dump request makes it active.
// Safe from the input thread (the parser answers with it).
void SendShortMessage(ShortMessageKind kind, int parameter);
