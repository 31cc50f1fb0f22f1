// Reception of a dump (phases in the header).
//
// Invariants:
//   1. The reception slot, the arrival record and the hand-over are touched
//      only under gLock.
//   2. The slot and the record are cleared whenever a dump begins, so a
//      message that does not arrive leaves nothing of an earlier dump behind.
//   3. A Complete result means every expected bit of `arrived` is set for
//      every preset of the dump's model; only a Complete result fills a bank
//      whole. An Incomplete one hands its images over too, with presetWhole
//      saying which of them may be used.
//   4. receiveDeadline is written before receiving is set, so the user-
//      interface thread never sees a dump arriving with a stale deadline.
#include "midi/dump_reception.h"

#include <cstring>
#include <mutex>

#include "midi/transfer_state.h"

namespace {

enum class DumpPhase { Idle, Awaiting, Receiving, Draining };

struct Reception {
    DumpPhase phase = DumpPhase::Idle;
    int requested = 0;   // answers are sent
    SysexSizes sizes{};  // the dump's model, fixed when it began
    int pid = 0;
    uint32_t deadline = 0;  // Awaiting: request + 3000; later: last message + 3000
    uint32_t arrived[kPackedPresetsPerBank] = {};  // bit i: type kSysexTypes[i] arrived
    int messagesArrived = 0;
    int unreadMessages = 0;  // a file's data messages left out (DumpResult)
    bool anotherDump = false;  // a file's: a dump of the model began again after this one
    int lastType = 0;          // type and preset of the last message taken in, 0 before one
    int lastPreset = 0;
    bool resultWaiting = false;
    DumpResult result{};
    // A file's messages (sysex_capture.h): its presets may come in any order,
    // so the last preset's last message does not end the dump; the end of
    // the file does (EndDumpNow).
    bool fromFile = false;
};

std::mutex gLock;
Reception gReception;
PackedBank gHandOver;  // a complete dump's images, until the UI thread takes them

int PresetsOf(const SysexSizes& sizes) {
    const int count = sizes.presetCount;
    return count < 0 ? 0 : count > kPackedPresetsPerBank ? kPackedPresetsPerBank : count;
}

uint32_t FullPresetMask(const SysexSizes& sizes) {
    return (1u << SysexMessagesPerPreset(sizes)) - 1;
}

int TypeIndex(int type) {
    for (int i = 0; i < kSysexTypeCount; i++)
        if (kSysexTypes[i].type == type) return i;
    return -1;
}

void SetFlags(const Reception& r) {
    TransferState& t = gTransfer;
    const bool open = r.phase == DumpPhase::Awaiting || r.phase == DumpPhase::Receiving;
    t.handshakeActive = open && r.requested;
    t.receiving = r.phase == DumpPhase::Receiving;
}

void Begin(Reception& r, int requested, DumpPhase phase, uint32_t now) {
    r.phase = phase;
    r.requested = requested;
    r.sizes = PublishedSysexSizes(&r.pid);
    r.deadline = now + kReceiveSilenceMs;
    memset(r.arrived, 0, sizeof r.arrived);
    r.messagesArrived = 0;
    r.unreadMessages = 0;
    r.anotherDump = false;
    r.lastType = 0;
    r.lastPreset = 0;
    memset(&gPackedStore.slots[kReceptionSlot], 0, sizeof(PackedBank));
    gTransfer.lastType = kNoDataType;
    gTransfer.errorRun = 0;
    // The deadline first (invariant 4), then the flags.
    gTransfer.receiveDeadline = r.deadline;
    SetFlags(r);
}

void End(Reception& r, DumpOutcome outcome, DumpPhase next) {
    const int presets = PresetsOf(r.sizes);
    const uint32_t full = FullPresetMask(r.sizes);
    DumpResult& result = r.result;
    result = DumpResult{};
    result.outcome = outcome;
    result.requested = r.requested;
    result.pid = r.pid;
    result.presetCount = presets;
    result.messagesArrived = r.messagesArrived;
    result.messageCount = presets * SysexMessagesPerPreset(r.sizes);
    for (int p = 0; p < presets; p++) {
        const uint32_t missing = full & ~r.arrived[p];
        if (missing == 0) {
            result.presetsArrived++;
            result.presetWhole[p] = 1;
        } else if (result.missingPreset == 0) {
            int i = 0;
            while (!(missing & (1u << i))) i++;
            result.missingPreset = p + 1;
            result.missingType = kSysexTypes[i].type;
        }
    }
    if (outcome == DumpOutcome::Complete || outcome == DumpOutcome::Incomplete)
        memcpy(gHandOver.presets, gPackedStore.slots[kReceptionSlot].presets,
               sizeof(PackedPreset) * presets);
    r.resultWaiting = true;
    r.phase = next;
    SetFlags(r);
    if (outcome == DumpOutcome::Complete) gTransfer.downloadComplete = 1;
}

// Whether message m is of the model whose layout sizes is (its Group ID).
bool OfModel(const uint8_t* m, const SysexSizes& sizes) {
    return m[4] == (sizes.groupId & 0x7F);
}

bool Passed(uint32_t now, uint32_t deadline) {
    return (int32_t)(now - deadline) > 0;
}

// A bad message: retry while the program asked for the dump, and at the third
// in a row of one type cancel, which ends the dump. A dump nobody asked for
// just goes without it.
DumpAnswer BadMessage(Reception& r, bool requested) {
    TransferState& t = gTransfer;
    const uint32_t run = t.errorRun + 1;
    if (run < 3) {
        t.errorRun = run;
        return requested ? DumpAnswer::Retry : DumpAnswer::None;
    }
    t.lastType = kNoDataType;
    t.errorRun = 0;
    if (!requested) return DumpAnswer::None;
    End(r, DumpOutcome::DamagedCancelled, DumpPhase::Draining);
    return DumpAnswer::Cancel;
}

void Accept(Reception& r, const uint8_t* m, int type, int preset, int count, uint32_t now) {
    TransferState& t = gTransfer;
    r.deadline = now + kReceiveSilenceMs;
    t.receiveDeadline = r.deadline;
    r.phase = DumpPhase::Receiving;
    SetFlags(r);
    StepProgress(-1);
    t.lastPresetNumber = (uint32_t)preset;

    r.lastType = type;
    r.lastPreset = preset;
    const int index = TypeIndex(type);
    if (index >= 0) {
        if (type == kFirstDataType && preset == 1) t.progressCounter = 0;
        PackedPreset& target = gPackedStore.slots[kReceptionSlot].presets[preset - 1];
        StoreSysexPayload(target, kSysexTypes[index], m + 9, count);
        // Zone types of a model without zones are stored but not awaited.
        const uint32_t bit = 1u << index;
        if ((FullPresetMask(r.sizes) & bit) && !(r.arrived[preset - 1] & bit)) {
            r.arrived[preset - 1] |= bit;
            r.messagesArrived++;
        }
    }
    const int presets = PresetsOf(r.sizes);
    if (r.messagesArrived == presets * SysexMessagesPerPreset(r.sizes))
        End(r, DumpOutcome::Complete, DumpPhase::Draining);
    else if (!r.fromFile && type == SysexLastTypeOfPreset(r.sizes) && preset == presets)
        End(r, DumpOutcome::Incomplete, DumpPhase::Draining);
}

}  // namespace

void BeginRequestedDump(uint32_t now) {
    std::lock_guard<std::mutex> hold(gLock);
    Begin(gReception, 1, DumpPhase::Awaiting, now);
}

DumpAnswer ReceiveDumpMessage(const uint8_t* m, int length, uint32_t now) {
    std::lock_guard<std::mutex> hold(gLock);
    Reception& r = gReception;
    TransferState& t = gTransfer;
    if (t.sending) return DumpAnswer::None;
    if (r.phase == DumpPhase::Draining) {
        // A file goes on past its dump: another bank follows once a dump of
        // the model begins again (a message of the dump sent again, as after
        // a retry, is none), or another model's messages do.
        const bool ours = OfModel(m, r.sizes);
        if (r.fromFile && TypeIndex(m[6]) >= 0) {
            if (ours && m[6] == kFirstDataType && m[7] == 1) r.anotherDump = true;
            if (!ours || r.anotherDump) r.unreadMessages++;
        }
        // What the device of the dump still sends is swallowed until it has
        // been silent a while. Another connected model's messages are not its:
        // they neither prolong the wait nor are swallowed, for they may begin
        // a dump of their own.
        // The first message of a dump is none of those: a dump ends on its
        // last message or on a cancel, after which the device sends the first
        // one only when the user has started the next dump on the device.
        const bool nextDump = !r.fromFile && ours && m[6] == kFirstDataType && m[7] == 1;
        if (Passed(now, r.deadline) || nextDump) {
            r.phase = DumpPhase::Idle;
        } else if (r.fromFile || ours) {
            r.deadline = now + kReceiveSilenceMs;
            return DumpAnswer::None;
        }
    }

    const bool open = r.phase == DumpPhase::Awaiting || r.phase == DumpPhase::Receiving;
    const bool requested = open && r.requested;
    SysexSizes sizes = open ? r.sizes : PublishedSysexSizes();
    // A dump the user starts on a connected device of another model than the
    // device bank's: read by that model (a file keeps to the model it is read by).
    int otherModel = 0;
    if (!open && !r.fromFile && !OfModel(m, sizes)) {
        SysexSizes other;
        if (ConnectedLayoutOfGroup(m[4], &other, &otherModel)) sizes = other;
    }
    // Only the messages of the model the dump is read by count: another
    // connected model's device may start a dump of its own, and a file may
    // hold the messages of several models one after another. Read by this
    // model's layout, theirs would fill its bank with garbled presets.
    if (!OfModel(m, sizes)) {
        if (r.fromFile && TypeIndex(m[6]) >= 0) r.unreadMessages++;
        return DumpAnswer::None;
    }

    const int type = m[6];
    const int preset = m[7];
    // The message last taken in, again: sent again after a retry (damaged
    // copies rejected in between do not count).
    const bool again = type == r.lastType && preset == r.lastPreset;
    if (type != t.lastType) t.errorRun = 0;
    t.lastType = type;
    const int count =
        preset >= 1 && preset <= PresetsOf(sizes) ? SysexDataMessageIntact(m, length) : -1;
    if (count < 0) return BadMessage(r, requested);

    if (!open) {
        // Only a message that carries preset data begins a dump.
        if (TypeIndex(type) < 0) return DumpAnswer::None;
        Begin(r, 0, DumpPhase::Receiving, now);
        if (otherModel != 0) {
            r.sizes = sizes;
            r.pid = otherModel;
        }
        // Begin forgot the type just checked; the run it starts is this type's.
        t.lastType = type;
    }
    // In a file, a message of preset 1 already read, or the first message of
    // a dump once preset 1 is partly read, not sent again at once (as after
    // a retry), begins the model's dump anew while this one still lacks
    // messages: a download tried again, or another bank. The reading starts
    // afresh with it, so that the later dump is not filled into the earlier
    // one. (Presets in any order, as a file of single presets holds them,
    // begin no dump anew; a preset other than 1 read twice keeps its later
    // copy.)
    const int index = TypeIndex(type);
    const bool readBefore = preset == 1 && index >= 0 && (r.arrived[0] & (1u << index));
    const bool dumpBegins = type == kFirstDataType && preset == 1 && r.arrived[0] != 0;
    if (open && r.fromFile && !again && (readBefore || dumpBegins)) {
        const int unread = r.unreadMessages;
        Begin(r, r.requested, DumpPhase::Receiving, now);
        r.unreadMessages = unread;
        t.lastType = type;
    }
    Accept(r, m, type, preset, count, now);
    return requested ? DumpAnswer::Acknowledge : DumpAnswer::None;
}

void DumpCancelledByDevice() {
    std::lock_guard<std::mutex> hold(gLock);
    Reception& r = gReception;
    // A file holds what a capture caught of an exchange, handshakes too: they
    // answered that exchange, not this reading.
    if (r.fromFile) return;
    if (r.phase == DumpPhase::Awaiting || r.phase == DumpPhase::Receiving)
        End(r, DumpOutcome::DeviceCancelled, DumpPhase::Draining);
}

void CheckDumpTimeouts(uint32_t now) {
    std::lock_guard<std::mutex> hold(gLock);
    Reception& r = gReception;
    if (!Passed(now, r.deadline)) return;
    switch (r.phase) {
        case DumpPhase::Awaiting:
            End(r, DumpOutcome::NotAnswered, DumpPhase::Idle);
            break;
        case DumpPhase::Receiving:
            End(r, DumpOutcome::Incomplete, DumpPhase::Idle);
            break;
        case DumpPhase::Draining:
            r.phase = DumpPhase::Idle;
            break;
        case DumpPhase::Idle:
            break;
    }
}

void EndDumpNow() {
    std::lock_guard<std::mutex> hold(gLock);
    Reception& r = gReception;
    if (r.phase == DumpPhase::Awaiting)
        End(r, DumpOutcome::NotAnswered, DumpPhase::Idle);
    else if (r.phase == DumpPhase::Receiving)
        End(r, DumpOutcome::Incomplete, DumpPhase::Idle);
}

bool TakeDumpResult(DumpResult* result, PackedBank* images) {
    std::lock_guard<std::mutex> hold(gLock);
    Reception& r = gReception;
    if (!r.resultWaiting) return false;
    *result = r.result;
    result->unreadMessages = r.unreadMessages;
    const bool handedOver =
        result->outcome == DumpOutcome::Complete || result->outcome == DumpOutcome::Incomplete;
    if (handedOver && images)
        memcpy(images->presets, gHandOver.presets, sizeof(PackedPreset) * result->presetCount);
    if (result->outcome == DumpOutcome::Complete) gTransfer.downloadComplete = 0;
    r.resultWaiting = false;
    return true;
}

bool ArrivingDumpModel(int* pid, int* presets) {
    std::lock_guard<std::mutex> hold(gLock);
    if (gReception.phase != DumpPhase::Receiving) return false;
    *pid = gReception.pid;
    *presets = PresetsOf(gReception.sizes);
    return true;
}

bool DumpResultWaiting() {
    std::lock_guard<std::mutex> hold(gLock);
    return gReception.resultWaiting;
}

bool DumpReceptionIdle() {
    std::lock_guard<std::mutex> hold(gLock);
    return gReception.phase == DumpPhase::Idle && !gReception.resultWaiting;
}

void SetDumpReceptionFromFile(bool fromFile) {
    std::lock_guard<std::mutex> hold(gLock);
    gReception.fromFile = fromFile;
}

void ResetDumpReception() {
    std::lock_guard<std::mutex> hold(gLock);
    gReception.fromFile = false;
    gReception.phase = DumpPhase::Idle;
    gReception.requested = 0;
    gReception.resultWaiting = false;
    gReception.deadline = 0;
    gReception.unreadMessages = 0;
    gReception.anotherDump = false;
}
