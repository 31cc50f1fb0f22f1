// The reception parser. The checks run in a fixed order; "ignore" means return
// with no effect at all. Data messages go on to the dump reception
// (dump_reception.h), which judges, stores and records them and says what to
// answer; the answer is sent here, outside the reception's lock.
//
// Invariants:
//   1. Nothing is read outside message[0 .. length-1]: a length byte that points
//      past the checksum makes the message bad before anything is summed or
//      stored, and identity fields are read only from messages long enough.
//   2. Messages are parsed one at a time (gParserLock), whatever input they
//      come from.
//   3. A handshake answer counts for the send in flight only when it names that
//      send's preset: an answer to an earlier message is not credited to it.
#include "midi/sysex_parser.h"

#include <cstring>
#include <mutex>

#include "base/platform.h"
#include "midi/dump_reception.h"
#include "midi/midi_ports.h"
#include "midi/sysex_format.h"
#include "midi/sysex_send.h"
#include "midi/transfer_state.h"

static std::mutex gParserLock;
static uint8_t gReplyDeviceId = 0x7F;  // the identity pattern's device-id byte

void DeliverSysExMessage(const uint8_t* message, int length) {
    std::lock_guard<std::mutex> hold(gParserLock);
    ParseIncomingSysEx(message, length);
}

void ParseFileMessages(const std::function<void()>& feed) {
    std::lock_guard<std::mutex> hold(gParserLock);
    TransferState& t = gTransfer;
    const uint8_t replyDeviceId = gReplyDeviceId;
    const int deviceNumber = gDeviceNumber;
    const int identifying = t.identifying;
    const int32_t progress = t.progressCounter;
    gDeviceNumber = kAllDevices;
    t.identifying = 0;
    feed();
    t.progressCounter = progress;
    t.identifying = identifying;
    gDeviceNumber = deviceNumber;
    gReplyDeviceId = replyDeviceId;
}

void ResetSysExParser() {
    std::lock_guard<std::mutex> hold(gParserLock);
    gReplyDeviceId = 0x7F;
    ResetDumpReception();
}

static bool IsAcceptedFamily(int family) {
    for (int accepted : kCorvanithFamilies)
        if (family == accepted) return true;
    return false;
}

bool CheckIdentityReply(const uint8_t* m, int length) {
    // Bytes 0..11 are examined and the last is F7, so 13 bytes at the least.
    if (length < 13) return false;
    const int deviceNumber = gDeviceNumber;
    if (deviceNumber == kAllDevices || m[2] == 0x7F || m[2] == deviceNumber) gReplyDeviceId = m[2];
    const uint8_t pattern[8] = {
        kSysExStart,       0x7E, gReplyDeviceId, 0x06, 0x02, kManufacturerId[0], kManufacturerId[1],
        kManufacturerId[2]};
    if (memcmp(m, pattern, sizeof pattern) != 0) return false;
    return IsAcceptedFamily(m[9] * 128 + m[8]);
}

static bool AnswersTheSendInFlight(uint8_t presetByte) {
    const int awaited = gTransfer.awaitedPreset;
    return awaited == 0 || presetByte == awaited;
}

static void SendAnswer(DumpAnswer answer, uint8_t presetByte) {
    switch (answer) {
        case DumpAnswer::Acknowledge:
            SendHandshakeAnswer(ShortMessageKind::Acknowledge, presetByte);
            return;
        case DumpAnswer::Retry:
            SendHandshakeAnswer(ShortMessageKind::Retry, presetByte);
            return;
        case DumpAnswer::Cancel:
            SendHandshakeAnswer(ShortMessageKind::Cancel, presetByte);
            return;
        case DumpAnswer::None:
            return;
    }
}

void ParseIncomingSysEx(const uint8_t* m, int length) {
    if (!m || length < 9 || length > kMaxIncomingSysEx) return;
    if (m[length - 1] != kSysExEnd) return;

    if (CheckIdentityReply(m, length)) {
        if (gTransfer.identifying) AddIdentifiedDevice(m[11] * 128 + m[10], MidiCurrentOutput());
        return;
    }

    if (m[0] != kSysExStart || memcmp(m + 1, kManufacturerId, 3) != 0) return;
    const int deviceNumber = gDeviceNumber;
    if (deviceNumber != kAllDevices && m[5] != 0x7F && m[5] != deviceNumber) return;

    TransferState& t = gTransfer;
    switch (m[6]) {
        case kCommandCancel:
            if (AnswersTheSendInFlight(m[7])) t.cancelsReceived.fetch_add(1);
            DumpCancelledByDevice();
            return;
        case kCommandRetry:
            if (AnswersTheSendInFlight(m[7])) t.retriesReceived.fetch_add(1);
            return;
        case kCommandAcknowledge:
            if (AnswersTheSendInFlight(m[7])) t.acksReceived.fetch_add(1);
            return;
        default:
            break;
    }
    SendAnswer(ReceiveDumpMessage(m, length, MilliClock()), m[7]);
}
