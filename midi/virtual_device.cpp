// The simulated device's protocol side (see virtual_device.h).
#include "midi/virtual_device.h"

#include <cstdio>
#include <cstring>
#include <memory>

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
        const int low = layout.lowestNote + z * span;
        const int high = z == zones - 1 ? layout.lowestNote + layout.keyCount - 1 : low + span - 1;
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

void VirtualDeviceInit(VirtualDevice* device, const VirtualDeviceProfile& profile) {
    memset(device, 0, sizeof *device);
    device->profile = profile;
    device->faults.silentAfter = -1;
    device->dumpState = VirtualDumpState::Idle;
    VirtualDeviceFactoryMemory(device);
}

// Queues a message for the host, due after the device's latency; the drop
// fault swallows it. A full outbox drops the newest: the host sees silence.
static void Emit(VirtualDevice* device, const uint8_t* bytes, int length, uint32_t now) {
    if (device->faults.dropAnswers > 0) {
        device->faults.dropAnswers--;
        return;
    }
    if (device->outboxCount >= kVirtualOutboxSize || length > kMaxDataMessageSize) return;
    const int slot = (device->outboxHead + device->outboxCount) % kVirtualOutboxSize;
    VirtualOutput& out = device->outbox[slot];
    out.due = now + device->latencyMs;
    out.length = length;
    memcpy(out.bytes, bytes, length);
    device->outboxCount++;
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

// Sends the data message the dump is at. Returns 0 when the dump went silent.
static int EmitDumpMessage(VirtualDevice* device, uint32_t now) {
    const VirtualDeviceFaults& faults = device->faults;
    if (faults.silentAfter >= 0 && device->dumpSent >= faults.silentAfter) {
        EndDump(device);
        return 0;
    }
    const SysexSizes& sizes = device->profile.sizes;
    const SysexTypeLayout& layout = kSysexTypes[device->dumpTypeIndex];
    uint8_t message[kMaxDataMessageSize];
    const int length = BuildDataMessage(device->memory.presets[device->dumpPreset], layout,
                                        SysexValueCount(layout, sizes), device->dumpPreset + 1,
                                        sizes.groupId, device->profile.deviceId, message);
    if (device->faults.corruptData > 0) {
        device->faults.corruptData--;
        message[length - 2] ^= 0x01;  // the checksum no longer matches
    }
    device->dumpSent++;
    device->dumpWaitStart = now;
    Emit(device, message, length, now);
    return 1;
}

// Moves the dump to its next message. Returns 0 when the dump is over.
static int AdvanceDump(VirtualDevice* device) {
    const SysexSizes& sizes = device->profile.sizes;
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

void VirtualDeviceStartDump(VirtualDevice* device, int requested, uint32_t now) {
    if (device->profile.sizes.presetCount < 1) return;
    device->dumpPreset = 0;
    device->dumpTypeIndex = 0;
    device->dumpSent = 0;
    if (requested) {
        device->dumpState = VirtualDumpState::AwaitingAck;
        EmitDumpMessage(device, now);
    } else {
        // Streamed lazily by VirtualDevicePopOutput, as fast as it is taken.
        device->dumpState = VirtualDumpState::Streaming;
    }
}

static bool AddressedToDevice(const VirtualDevice* device, uint8_t deviceByte) {
    return deviceByte == 0x7F || deviceByte == device->profile.deviceId;
}

static void ReceiveData(VirtualDevice* device, const uint8_t* m, int length, uint32_t now) {
    const int preset = m[7];
    const int count = m[8];
    const SysexTypeLayout* layout = FindSysexType(m[6]);
    bool good = layout && preset >= 1 && preset <= device->profile.sizes.presetCount &&
                9 + count + 2 <= length;
    if (good) {
        uint8_t sum = 0;
        for (int i = 6; i <= 9 + count; i++) sum = (uint8_t)(sum + m[i]);
        good = (sum & 0x7F) == 0;
    }
    if (!good) {
        device->badMessagesReceived++;
        EmitShort(device, kCommandRetry, m[7], now);
        return;
    }
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

void VirtualDeviceReceive(VirtualDevice* device, const uint8_t* m, int length, uint32_t now) {
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
            if (length == kShortMessageSize) VirtualDeviceStartDump(device, 1, now);
            return;
        case kCommandAcknowledge:
            if (device->dumpState == VirtualDumpState::AwaitingAck && AdvanceDump(device))
                EmitDumpMessage(device, now);
            return;
        case kCommandRetry:
            if (device->dumpState == VirtualDumpState::AwaitingAck) {
                device->dumpSent--;  // a repeat is not a further step of the dump
                EmitDumpMessage(device, now);
            }
            return;
        case kCommandCancel:
            if (device->dumpState != VirtualDumpState::Idle) EndDump(device);
            return;
        default:
            if (m[6] >= kFirstDataType && m[6] <= kLastDataType)
                ReceiveData(device, m, length, now);
            return;
    }
}

void VirtualDeviceTick(VirtualDevice* device, uint32_t now) {
    if (device->dumpState == VirtualDumpState::AwaitingAck &&
        now - device->dumpWaitStart >= kVirtualAnswerWaitMs)
        EndDump(device);
}

int VirtualDeviceHasOutput(const VirtualDevice* device, uint32_t* due) {
    if (device->outboxCount > 0) {
        if (due) *due = device->outbox[device->outboxHead].due;
        return 1;
    }
    return 0;
}

int VirtualDevicePopOutput(VirtualDevice* device, uint32_t now, uint8_t* out) {
    if (device->outboxCount == 0 && device->dumpState == VirtualDumpState::Streaming) {
        const int more = EmitDumpMessage(device, now);
        if (more && !AdvanceDump(device)) device->dumpState = VirtualDumpState::Idle;
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

int VirtualDeviceSaveMemory(const VirtualDevice* device, const char* path) {
    char temporary[1024];
    if (snprintf(temporary, sizeof temporary, "%s.tmp", path) >= (int)sizeof temporary) return 0;
    FILE* file = fopen(temporary, "wb");
    if (!file) return 0;
    const uint32_t pid = (uint32_t)device->profile.pid;
    const uint8_t pidBytes[4] = {(uint8_t)pid, (uint8_t)(pid >> 8), (uint8_t)(pid >> 16),
                                 (uint8_t)(pid >> 24)};
    bool ok = fwrite(kMemoryFileTag, 1, 8, file) == 8 && fwrite(pidBytes, 1, 4, file) == 4 &&
              fwrite(&device->memory, 1, sizeof device->memory, file) == sizeof device->memory;
    ok = fclose(file) == 0 && ok;
    if (!ok) {
        remove(temporary);
        return 0;
    }
#ifdef _WIN32
    remove(path);  // rename does not replace an existing file there
#endif
    if (rename(temporary, path) != 0) {
        remove(temporary);
        return 0;
    }
    return 1;
}
