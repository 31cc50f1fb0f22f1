// Building and sending the short messages (layouts in sysex_format.h).
#include "midi/sysex_send.h"

#include "midi/midi_ports.h"
#include "midi/sysex_format.h"
#include "midi/transfer_state.h"

static const uint8_t kShortCommands[] = {kCommandDumpRequest, kCommandCancel, kCommandRetry,
                                         kCommandAcknowledge};

void SendShortMessage(ShortMessageKind kind, int parameter) {
    uint8_t message[kShortMessageSize];
    int length;
    if (kind == ShortMessageKind::IdentityRequest) {
        length = BuildIdentityRequest(gDeviceNumber, message);
    } else {
        if (kind != ShortMessageKind::DumpRequest && !gTransfer.handshakeActive) return;
        length = BuildShortMessage(kShortCommands[(int)kind], (uint8_t)parameter, gTransfer.groupId,
                                   gDeviceNumber, message);
        // Active before the request leaves: the first answer may come back on
        // the input thread before this one runs again.
        if (kind == ShortMessageKind::DumpRequest) gTransfer.handshakeActive = 1;
    }
    SendOnCurrentOutput(message, length);
}
