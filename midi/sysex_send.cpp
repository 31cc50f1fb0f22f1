// Building and sending the short messages (layouts in sysex_format.h).
#include "midi/sysex_send.h"

#include "base/platform.h"
#include "midi/dump_reception.h"
#include "midi/midi_ports.h"
#include "midi/sysex_format.h"
#include "midi/transfer_state.h"

static const uint8_t kShortCommands[] = {kCommandDumpRequest, kCommandCancel, kCommandRetry,
                                         kCommandAcknowledge};

void SendHandshakeAnswer(ShortMessageKind kind, int parameter) {
    if (kind == ShortMessageKind::IdentityRequest) return;
    uint8_t message[kShortMessageSize];
    const int length = BuildShortMessage(kShortCommands[(int)kind], (uint8_t)parameter,
                                         gTransfer.groupId, gDeviceNumber, message);
    SendOnCurrentOutput(message, length);
}

void SendShortMessage(ShortMessageKind kind, int parameter) {
    if (kind == ShortMessageKind::IdentityRequest) {
        uint8_t message[kIdentityRequestSize];
        SendOnCurrentOutput(message, BuildIdentityRequest(gDeviceNumber, message));
        return;
    }
    if (kind != ShortMessageKind::DumpRequest && !gTransfer.handshakeActive) return;
    // The dump begins before the request leaves: the first answer may come
    // back on the input thread before this one runs again.
    if (kind == ShortMessageKind::DumpRequest) BeginRequestedDump(MilliClock());
    SendHandshakeAnswer(kind, parameter);
}
