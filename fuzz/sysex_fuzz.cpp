// Fuzz target for the reception parser: whatever a device (or a broken cable)
// sends must be answered or ignored without reading or writing out of bounds.
//
// Input: byte 0 chooses the set-up (device number, a requested dump,
// identification, zones), byte 1 the preset count; the rest is cut after every F7 into the
// messages delivered, and is also delivered whole as one message.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "base/platform.h"
#include "devices/device_definition.h"
#include "midi/dump_reception.h"
#include "midi/midi_ports.h"
#include "midi/sysex_parser.h"
#include "midi/transfer_state.h"

static PackedBank gTaken;
static DumpResult gResult;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    static bool started = false;
    if (!started) {
        InitMidiPorts();  // no ports: answers go nowhere
        started = true;
    }
    const uint8_t setup = data[0];
    gDevice.presetCount = 1 + data[1] % 128;
    gDevice.zoneLimit = (setup & 0x08) ? 4 : 0;
    gDevice.groupId = 0x10;
    PublishTransferLayout();
    gDeviceNumber = (setup & 0x01) ? 3 : kAllDevices;
    if ((setup >> 1) & 1) BeginRequestedDump(MilliClock());
    gTransfer.identifying = (setup >> 2) & 1;
    gTransfer.identifiedCount = (setup & 0x10) ? kMaxIdentified - 1 : 0;

    const uint8_t* bytes = data + 2;
    const size_t count = size - 2;
    size_t start = 0;
    for (size_t i = 0; i < count; i++) {
        if (bytes[i] != 0xF7) continue;
        DeliverSysExMessage(bytes + start, (int)(i + 1 - start));
        start = i + 1;
    }
    if (count <= (size_t)kMaxIncomingSysEx + 8) DeliverSysExMessage(bytes, (int)count);
    EndDumpNow();
    if (TakeDumpResult(&gResult, &gTaken)) {
        // Complete exactly when every message of every preset arrived; any
        // other end names the first one missing.
        const bool whole = gResult.messagesArrived == gResult.messageCount;
        if (whole != (gResult.outcome == DumpOutcome::Complete) ||
            whole != (gResult.missingPreset == 0))
            __builtin_trap();
    }
    ResetTransferState();
    ResetSysExParser();
    return 0;
}
