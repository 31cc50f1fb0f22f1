// The simulated device's protocol side (see virtual_device.h).
#include "midi/virtual_device.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "base/durable_file.h"

static const char kMemoryFileTag[8] = {'O', 'S', 'T', 'R', 'V', 'D', 'M', '1'};

void VirtualDeviceFactoryMemory(VirtualDevice* device) {
    memset(&device->memory, 0, sizeof device->memory);
    for (int p = 0; p < kPackedPresetsPerBank; p++) {
        PackedPreset& image = device->memory.presets[p];
        char name[kPackedNameSize];
        snprintf(name, sizeof name, "Factory %d", p + 1);
        SetPackedPresetName(image, name);
        for (int i = 0; i < kPackedControlGroupSize; i++) {
            image.bytes[kPackedLinearChannel + i] = (uint8_t)(p % 16);
            image.bytes[kPackedLinearMidiCc + i] = (uint8_t)((16 + i + p) % 120);
            image.bytes[kPackedButtonChannel + i] = (uint8_t)(p % 16);
            image.bytes[kPackedButtonMidiCc + i] = (uint8_t)((64 + i) % 120);
            image.bytes[kPackedButtonProgram + i] = (uint8_t)(p % 128);
        }
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
