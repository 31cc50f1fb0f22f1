// Reassembly of SysEx messages that span receive buffers (rules in the header).
#include "midi/sysex_assembler.h"

void ResetSysExAssembler(SysExAssembler* assembler) {
    assembler->length = 0;
    assembler->collecting = 0;
    assembler->overflow = 0;
}

int FeedSysExAssembler(SysExAssembler* a, const uint8_t* bytes, int count,
                       void (*deliver)(const uint8_t* message, int length)) {
    int delivered = 0;
    for (int i = 0; i < count; i++) {
        const uint8_t byte = bytes[i];
        if (byte >= 0xF8) continue;  // real-time: may sit anywhere, belongs to no message
        if (byte == 0xF0) {
            a->collecting = 1;
            a->overflow = 0;
            a->message[0] = byte;
            a->length = 1;
            continue;
        }
        if (!a->collecting) continue;
        if (byte == 0xF7) {
            if (!a->overflow && a->length < kMaxIncomingSysEx) {
                a->message[a->length++] = byte;
                deliver(a->message, a->length);
                delivered++;
            }
            ResetSysExAssembler(a);
            continue;
        }
        if (a->overflow) continue;
        // Room is kept for the closing F7.
        if (a->length >= kMaxIncomingSysEx - 1) {
            a->overflow = 1;
            continue;
        }
        a->message[a->length++] = byte;
    }
    return delivered;
}
