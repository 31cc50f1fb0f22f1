// The simulated device's protocol side (see virtual_device.h).
#include "midi/virtual_device.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "base/durable_file.h"

static const char kMemoryFileTag[8] = {'O', 'S', 'T', 'R', 'V', 'D', 'M', '1'};

namespace {

// Knobs and faders: filter, envelope, effects, then the mixer.
const uint8_t kLinearCcs[] = {74, 71, 73, 72, 75, 76, 91, 93, 7, 10, 1, 11, 5, 84, 70, 77};
// Buttons and pads: the pedals and switches, then the general-purpose ones.
const uint8_t kButtonCcs[] = {64, 65, 66, 67, 68, 69, 80, 81, 82, 83, 85, 86, 87, 88, 89, 90};

const char* const kFactoryNames[] = {
    "Studio Split", "Piano and Strings", "Bass and Lead", "Organ Layers",
    "Pad Sweep",    "Drum Pads",         "Mixer Faders",  "Four Zones",
    "Synth Brass",  "Electric Piano",    "Choir Split",   "Arpeggio",
    "Mono Lead",    "Ambient",           "Live Set",      "Plain Keys",
};
constexpr int kFactoryNameCount = sizeof kFactoryNames / sizeof kFactoryNames[0];

// Splits the keyboard into `zones` equal parts, zone z on channel z + 1, and
// enables the first `enabled` of them.
void FactoryZones(const VirtualZoneLayout& layout, int zones, int enabled, uint8_t* bytes) {
    if (zones <= 0 || zones > kPackedZoneCount || layout.keyCount <= 0) return;
    const int span = layout.keyCount / zones > 0 ? layout.keyCount / zones : 1;
    uint8_t enable = 0;
    for (int z = 0; z < zones; z++) {
        // In 64 bits: a definition may give any base note; a note is a byte here.
        const long long low = static_cast<long long>(layout.lowestNote) + z * span;
        const long long high = z == zones - 1
                                   ? static_cast<long long>(layout.lowestNote) + layout.keyCount - 1
                                   : low + span - 1;
        if (layout.lowField >= 0) bytes[PackedZoneOffset(z, layout.lowField)] = (uint8_t)low;
        if (layout.highField >= 0) bytes[PackedZoneOffset(z, layout.highField)] = (uint8_t)high;
        if (layout.channelField >= 0)
            bytes[PackedZoneOffset(z, layout.channelField)] = (uint8_t)(z + 1);
        if (z < enabled) enable |= layout.enableMasks[z];
    }
    if (layout.enableSlot >= 0 && layout.enableSlot < kPackedVariableSlots)
        bytes[kPackedVariables + layout.enableSlot] = enable;
}

}  // namespace

void VirtualDeviceFactoryMemory(VirtualDevice* device) {
    memset(&device->memory, 0, sizeof device->memory);
    const VirtualDeviceProfile& profile = device->profile;
    const int zones =
        profile.sizes.zoneLimit < kPackedZoneCount ? profile.sizes.zoneLimit : kPackedZoneCount;
    for (int p = 0; p < kPackedPresetsPerBank; p++) {
        PackedPreset& image = device->memory.presets[p];
        char name[kPackedNameSize];
        if (p < kFactoryNameCount) {
            snprintf(name, sizeof name, "%s", kFactoryNames[p]);
        } else {
            snprintf(name, sizeof name, "%s %d", kFactoryNames[p % kFactoryNameCount],
                     p / kFactoryNameCount + 1);
        }
        SetPackedPresetName(image, name);
        // Channel 1 everywhere (stored as 0); each preset shifts the knobs
        // by one, so that no two neighbours are alike.
        for (int i = 0; i < kPackedControlGroupSize; i++) {
            const int n = (int)sizeof kLinearCcs;
            image.bytes[kPackedLinearMidiCc + i] = kLinearCcs[(i + p) % n];
            image.bytes[kPackedButtonMidiCc + i] = kButtonCcs[i % (int)sizeof kButtonCcs];
            image.bytes[kPackedButtonProgram + i] = (uint8_t)((p + i) % 128);
        }
        if (zones > 0) FactoryZones(profile.zones, zones, 1 + p % zones, image.bytes);
    }
    device->memoryDirty = 0;
}

VirtualDeviceFaults VirtualNoFaults() {
    VirtualDeviceFaults faults;
    memset(&faults, 0, sizeof faults);
    faults.silentAt = -1;
    faults.unaskedDumpAt = -1;
    return faults;
}

void VirtualDeviceInit(VirtualDevice* device, const VirtualDeviceProfile& profile) {
    memset(device, 0, sizeof *device);
    device->profile = profile;
    device->faults = VirtualNoFaults();
    device->random = 0x2545F491;
    device->dumpState = VirtualDumpState::Idle;
    VirtualDeviceFactoryMemory(device);
}

void VirtualDeviceSetFaults(VirtualDevice* device, const VirtualDeviceFaults& faults) {
    device->faults = faults;
    device->sentSinceFaults = 0;
    device->silent = 0;
}

static bool InRun(const VirtualFaultRun& run, int number) {
    return run.count > 0 && number >= run.at && number - run.at < run.count;
}

static uint32_t NextRandom(VirtualDevice* device) {
    uint32_t x = device->random ? device->random : 1;  // xorshift32
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    device->random = x;
    return x;
}

// A data message loses its checksum; any other message its byte 7 (a short
// message's preset number, an identity reply's manufacturer id).
static void Damage(uint8_t* message, int length) {
    const bool data = length >= kDataMessageOverhead && message[6] >= kFirstDataType &&
                      message[6] <= kLastDataType;
    if (data)
        message[length - 2] ^= 0x01;
    else if (length > 8)
        message[7] ^= 0x01;
}

// Appends to the outbox. Nothing overtakes on the cable: a message is never due
// before the one ahead of it. A full outbox drops the newest: the host sees silence.
static void Queue(VirtualDevice* device, const uint8_t* bytes, int length, uint32_t due) {
    if (device->outboxCount >= kVirtualOutboxSize || length > kMaxDataMessageSize) return;
    if (device->outboxCount > 0) {
        const int last = (device->outboxHead + device->outboxCount - 1) % kVirtualOutboxSize;
        if ((int32_t)(due - device->outbox[last].due) < 0) due = device->outbox[last].due;
    }
    const int slot = (device->outboxHead + device->outboxCount) % kVirtualOutboxSize;
    VirtualOutput& out = device->outbox[slot];
    out.due = due;
    out.length = length;
    memcpy(out.bytes, bytes, length);
    device->outboxCount++;
}

static void StartDump(VirtualDevice* device, int requested, uint32_t now);

// Sends one message of the device's, through the faults. Returns the time it
// leaves (for a lost one, when it would have left).
static uint32_t Emit(VirtualDevice* device, const uint8_t* bytes, int length, uint32_t now) {
    if (device->silent) return now;
    const int number = device->sentSinceFaults++;
    const VirtualDeviceFaults& faults = device->faults;
    VirtualFaultCounts& counts = device->faultCounts;
    if (faults.silentAt >= 0 && number >= faults.silentAt) {
        device->silent = 1;
        device->dumpState = VirtualDumpState::Idle;
        counts.silenced++;
        return now;
    }
    uint32_t due = now + device->latencyMs;
    if (device->jitterMs > 0) due += NextRandom(device) % device->jitterMs;
    if (InRun(faults.late, number)) {
        due += faults.lateMs;
        counts.delayed++;
    }
    if (InRun(faults.drop, number)) {
        counts.dropped++;
    } else {
        uint8_t copy[kMaxDataMessageSize];
        if (length > kMaxDataMessageSize) return due;
        memcpy(copy, bytes, length);
        if (InRun(faults.corrupt, number)) {
            Damage(copy, length);
            counts.corrupted++;
        }
        Queue(device, copy, length, due);
        if (InRun(faults.duplicate, number)) {
            Queue(device, copy, length, due);
            counts.duplicated++;
        }
    }
    if (number == faults.unaskedDumpAt && device->dumpState == VirtualDumpState::Idle) {
        counts.unaskedDumps++;
        StartDump(device, 0, now);
    }
    return due;
}

static void EmitShort(VirtualDevice* device, uint8_t command, uint8_t preset, uint32_t now) {
    uint8_t message[kShortMessageSize];
    const int length = BuildShortMessage(command, preset, device->profile.sizes.groupId,
                                         device->profile.deviceId, message);
    Emit(device, message, length, now);
}

static void EndDump(VirtualDevice* device) {
    device->dumpState = VirtualDumpState::Idle;
}

// The device gives up on its dump and says so.
static void CancelDump(VirtualDevice* device, uint32_t now) {
    EndDump(device);
    device->faultCounts.cancelsSent++;
    EmitShort(device, kCommandCancel, (uint8_t)(device->dumpPreset + 1), now);
}

// Sends the data message the dump is at; its answer is awaited from when it leaves.
static void EmitDumpMessage(VirtualDevice* device, uint32_t now) {
    const SysexSizes& sizes = device->profile.sizes;
    const SysexTypeLayout& layout = kSysexTypes[device->dumpTypeIndex];
    uint8_t message[kMaxDataMessageSize];
    const int length = BuildDataMessage(device->memory.presets[device->dumpPreset], layout,
                                        SysexValueCount(layout, sizes), device->dumpPreset + 1,
                                        sizes.groupId, device->profile.deviceId, message);
    device->dumpWaitStart = Emit(device, message, length, now);
}

// Moves the dump to its next message. Returns 0 when the dump is over.
static int AdvanceDump(VirtualDevice* device) {
    const SysexSizes& sizes = device->profile.sizes;
    device->dumpRetries = 0;
    if (++device->dumpTypeIndex >= SysexMessagesPerPreset(sizes)) {
        device->dumpTypeIndex = 0;
        if (++device->dumpPreset >= sizes.presetCount) {
            device->dumpsCompleted++;
            EndDump(device);
            return 0;
        }
    }
    return 1;
}

static void StartDump(VirtualDevice* device, int requested, uint32_t now) {
    if (device->silent || device->profile.sizes.presetCount < 1) return;
    device->dumpPreset = 0;
    device->dumpTypeIndex = 0;
    device->dumpRetries = 0;
    if (requested) {
        device->dumpState = VirtualDumpState::AwaitingAck;
        EmitDumpMessage(device, now);
    } else {
        // Streamed lazily by VirtualDevicePopOutput, as fast as it is taken.
        device->dumpState = VirtualDumpState::Streaming;
    }
}

void VirtualDeviceStartDump(VirtualDevice* device, int requested, uint32_t now) {
    StartDump(device, requested, now);
}

static bool AddressedToDevice(const VirtualDevice* device, uint8_t deviceByte) {
    return deviceByte == 0x7F || deviceByte == device->profile.deviceId;
}

static void ReceiveData(VirtualDevice* device, const uint8_t* m, int length, uint32_t now) {
    const int preset = m[7];
    const SysexTypeLayout* layout = FindSysexType(m[6]);
    const int count = SysexDataMessageIntact(m, length);
    if (!layout || preset < 1 || preset > device->profile.sizes.presetCount || count < 0) {
        device->badMessagesReceived++;
        if (++device->badRun >= kVirtualFailingRun) {
            device->badRun = 0;
            device->faultCounts.cancelsSent++;
            EmitShort(device, kCommandCancel, m[7], now);
        } else {
            EmitShort(device, kCommandRetry, m[7], now);
        }
        return;
    }
    device->badRun = 0;
    VirtualDeviceFaults& faults = device->faults;
    if (faults.retryAnswers > 0) {
        faults.retryAnswers--;
        EmitShort(device, kCommandRetry, m[7], now);
        return;
    }
    if (faults.cancelAnswers > 0) {
        faults.cancelAnswers--;
        EmitShort(device, kCommandCancel, m[7], now);
        return;
    }
    StoreSysexPayload(device->memory.presets[preset - 1], *layout, m + 9, count);
    device->memoryDirty = 1;
    device->dataMessagesReceived++;
    EmitShort(device, kCommandAcknowledge, m[7], now);
}

// An answer to the dump message in flight: the host names its preset.
static bool AnswersDumpMessage(const VirtualDevice* device, const uint8_t* m) {
    return device->dumpState == VirtualDumpState::AwaitingAck && m[7] == device->dumpPreset + 1;
}

static void ReceiveCancel(VirtualDevice* device, uint32_t now) {
    if (device->dumpState == VirtualDumpState::Idle) return;
    if (!device->faults.carryOnAfterCancel) {
        EndDump(device);
        return;
    }
    device->faultCounts.carriedOn++;
    if (device->dumpState == VirtualDumpState::AwaitingAck && AdvanceDump(device))
        EmitDumpMessage(device, now);
}

void VirtualDeviceReceive(VirtualDevice* device, const uint8_t* m, int length, uint32_t now) {
    if (device->silent) return;
    if (!m || length < 6 || m[0] != kSysExStart || m[length - 1] != kSysExEnd) return;

    if (length == kIdentityRequestSize && m[1] == 0x7E && m[3] == 0x06 && m[4] == 0x01) {
        if (!AddressedToDevice(device, m[2])) return;
        device->identityRequests++;
        uint8_t reply[kIdentityReplySize];
        const int n = BuildIdentityReply(device->profile.deviceId, kVirtualDeviceFamily,
                                         device->profile.pid, reply);
        Emit(device, reply, n, now);
        return;
    }

    if (length < kShortMessageSize || memcmp(m + 1, kManufacturerId, 3) != 0) return;
    if (m[4] != device->profile.sizes.groupId || !AddressedToDevice(device, m[5])) return;

    switch (m[6]) {
        case kCommandDumpRequest:
            if (length == kShortMessageSize) StartDump(device, 1, now);
            return;
        case kCommandAcknowledge:
            if (AnswersDumpMessage(device, m) && AdvanceDump(device)) EmitDumpMessage(device, now);
            return;
        case kCommandRetry:
            if (!AnswersDumpMessage(device, m)) return;
            if (++device->dumpRetries >= kVirtualFailingRun)
                CancelDump(device, now);
            else
                EmitDumpMessage(device, now);
            return;
        case kCommandCancel:
            ReceiveCancel(device, now);
            return;
        default:
            if (m[6] >= kFirstDataType && m[6] <= kLastDataType)
                ReceiveData(device, m, length, now);
            return;
    }
}

void VirtualDeviceTick(VirtualDevice* device, uint32_t now) {
    if (device->dumpState == VirtualDumpState::AwaitingAck &&
        (int32_t)(now - device->dumpWaitStart) >= (int32_t)kVirtualAnswerWaitMs)
        CancelDump(device, now);
}

int VirtualDeviceHasOutput(const VirtualDevice* device, uint32_t* due) {
    if (device->outboxCount > 0) {
        if (due) *due = device->outbox[device->outboxHead].due;
        return 1;
    }
    return 0;
}

int VirtualDeviceIdle(const VirtualDevice* device) {
    return device->outboxCount == 0 && device->dumpState == VirtualDumpState::Idle;
}

int VirtualDevicePopOutput(VirtualDevice* device, uint32_t now, uint8_t* out) {
    // A stream goes one message ahead of the cable (a lost one is not waited for).
    while (device->outboxCount == 0 && device->dumpState == VirtualDumpState::Streaming) {
        EmitDumpMessage(device, now);
        if (device->dumpState == VirtualDumpState::Streaming && !AdvanceDump(device)) break;
    }
    if (device->outboxCount == 0) return 0;
    VirtualOutput& head = device->outbox[device->outboxHead];
    if ((int32_t)(now - head.due) < 0) return 0;
    const int length = head.length;
    memcpy(out, head.bytes, length);
    device->outboxHead = (device->outboxHead + 1) % kVirtualOutboxSize;
    device->outboxCount--;
    return length;
}

int VirtualDeviceLoadMemory(VirtualDevice* device, const char* path) {
    FILE* file = fopen(path, "rb");
    if (!file) return 0;
    char tag[8];
    uint8_t pid[4];
    std::unique_ptr<PackedBank> loaded(new PackedBank);  // too large for the stack
    const bool ok = fread(tag, 1, 8, file) == 8 && memcmp(tag, kMemoryFileTag, 8) == 0 &&
                    fread(pid, 1, 4, file) == 4 &&
                    fread(loaded.get(), 1, sizeof *loaded, file) == sizeof *loaded;
    fclose(file);
    const int filePid = pid[0] | pid[1] << 8 | pid[2] << 16 | pid[3] << 24;
    if (!ok || filePid != device->profile.pid) return 0;
    memcpy(&device->memory, loaded.get(), sizeof *loaded);
    device->memoryDirty = 0;
    return 1;
}

static int FillMemoryFile(FILE* file, void* context) {
    const VirtualDevice* device = static_cast<const VirtualDevice*>(context);
    const uint32_t pid = (uint32_t)device->profile.pid;
    const uint8_t pidBytes[4] = {(uint8_t)pid, (uint8_t)(pid >> 8), (uint8_t)(pid >> 16),
                                 (uint8_t)(pid >> 24)};
    const bool ok =
        fwrite(kMemoryFileTag, 1, 8, file) == 8 && fwrite(pidBytes, 1, 4, file) == 4 &&
        fwrite(&device->memory, 1, sizeof device->memory, file) == sizeof device->memory;
    return ok ? 0 : 5;
}

int VirtualDeviceSaveMemory(const VirtualDevice* device, const char* path) {
    return WriteFileDurably(path, FillMemoryFile, const_cast<VirtualDevice*>(device)) == 0;
}
