// The reception parser. The checks run in a fixed order; "ignore" means return
// with no effect at all, a "bad" data message is answered with retry (cancel
// after the third in a row of one type) while a download handshake is active.
//
// Invariants:
//   1. Nothing is read outside message[0 .. length-1]: a length byte that points
//      past the checksum makes the message bad before anything is summed or
//      stored, and identity fields are read only from messages long enough.
//   2. The reception slot is written only here, on the input thread, under
//      gParserLock; the hand-over buffer only under gHandOverLock.
//   3. downloadComplete is set only after the hand-over buffer holds the dump.
#include "midi/sysex_parser.h"

#include <cstring>
#include <mutex>

#include "midi/midi_ports.h"
#include "midi/sysex_format.h"
#include "midi/sysex_send.h"
#include "midi/transfer_state.h"
#include "shell/platform.h"

static std::mutex gParserLock;
static std::mutex gHandOverLock;
static PackedBank gHandOver;           // the finished dump, until the UI thread takes it
static int gHandOverCount = -1;        // presets in gHandOver; -1 = none waiting
static uint8_t gReplyDeviceId = 0x7F;  // the identity pattern's device-id byte

void DeliverSysExMessage(const uint8_t* message, int length) {
    std::lock_guard<std::mutex> hold(gParserLock);
    ParseIncomingSysEx(message, length);
}

void ResetSysExParser() {
    std::lock_guard<std::mutex> hold(gParserLock);
    std::lock_guard<std::mutex> handOver(gHandOverLock);
    gReplyDeviceId = 0x7F;
    gHandOverCount = -1;
}

int TakeCompletedDump(PackedBank* out) {
    std::lock_guard<std::mutex> hold(gHandOverLock);
    const int count = gHandOverCount;
    if (count < 0) return -1;
    memcpy(out->presets, gHandOver.presets, sizeof(PackedPreset) * count);
    gHandOverCount = -1;
    return count;
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

// Third bad message in a row of one type: give up on it with cancel.
static void BadDataMessage(uint8_t presetByte) {
    TransferState& t = gTransfer;
    const uint32_t run = t.errorRun + 1;
    if (run >= 3) {
        t.lastType = kNoDataType;
        t.errorRun = 0;
        SendShortMessage(ShortMessageKind::Cancel, presetByte);
    } else {
        t.errorRun = run;
        SendShortMessage(ShortMessageKind::Retry, presetByte);
    }
}

static void HandOverDump(int presetCount) {
    std::lock_guard<std::mutex> hold(gHandOverLock);
    memcpy(gHandOver.presets, gPackedStore.slots[kReceptionSlot].presets,
           sizeof(PackedPreset) * presetCount);
    gHandOverCount = presetCount;
}

static void AcceptDataMessage(const uint8_t* m, int type, int preset, int dataCount) {
    TransferState& t = gTransfer;
    t.progressCounter.fetch_sub(1);
    t.lastPresetNumber = (uint32_t)preset;
    t.receiving = 1;
    t.receiveDeadline = MilliClock() + kReceiveSilenceMs;

    if (const SysexTypeLayout* layout = FindSysexType(type)) {
        if (type == 2 && preset == 1) t.progressCounter = 0;
        PackedPreset& target = gPackedStore.slots[kReceptionSlot].presets[preset - 1];
        StoreSysexPayload(target, *layout, m + 9, dataCount);
    }

    const int presetCount = t.presetCount;
    const int lastType = t.zoneLimit != 0 ? kLastDataType : 11;
    if (!(type == lastType && preset == presetCount)) {
        SendShortMessage(ShortMessageKind::Acknowledge, (uint8_t)preset);
        return;
    }
    // The last message of the last preset: the dump is complete.
    SendShortMessage(ShortMessageKind::Acknowledge, (uint8_t)preset);
    HandOverDump(presetCount);
    t.receiving = 0;
    t.handshakeActive = 0;
    t.downloadComplete = 1;
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
            t.cancelsReceived.fetch_add(1);
            return;
        case kCommandRetry:
            t.retriesReceived.fetch_add(1);
            return;
        case kCommandAcknowledge:
            t.acksReceived.fetch_add(1);
            return;
        default:
            break;
    }

    const int type = m[6];
    if (type != t.lastType) t.errorRun = 0;
    t.lastType = type;

    const int preset = m[7];
    const int dataCount = m[8];
    if (preset < 1 || preset > t.presetCount) return BadDataMessage(m[7]);
    // Data, checksum and F7 must all lie within the message.
    if (9 + dataCount + 2 > length) return BadDataMessage(m[7]);
    uint8_t sum = 0;
    for (int i = 6; i <= 9 + dataCount; i++) sum = (uint8_t)(sum + m[i]);
    if ((sum & 0x7F) != 0) return BadDataMessage(m[7]);
    AcceptDataMessage(m, type, preset, dataCount);
}
