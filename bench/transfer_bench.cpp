// Send to Device against the simulated device answering at once: how long the
// program itself takes for a whole bank, compared with the time the same bytes
// need on a MIDI cable (31,250 baud, 10 bits a byte: 3,125 bytes a second).
//
// The model is the biggest demo model (most bytes per bank) of data/Devices,
// as shipped, and the same model with a full 128-preset bank. Every message
// goes through the real path: packing, the port tables, the simulated device's
// thread, the reception parser counting the acknowledgement, and the busy
// poll of the handshake.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "banks/bank_model.h"
#include "base/messages.h"
#include "devices/device_definition.h"
#include "banks/discovery.h"
#include "banks/undo_history.h"
#include "headless/messages_headless.h"
#include "banks/bank_packing.h"
#include "midi/midi_ports.h"
#include "midi/sysex_format.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"
#include "midi/virtual_link.h"

namespace fs = std::filesystem;

namespace {

constexpr double kCableBytesPerSecond = 3125.0;

SysexSizes SizesOf(const DeviceDefinition& def, int presets) {
    return SysexSizes{
        def.groupId,       presets,      def.linearControlCount, def.buttonControlCount,
        def.variableLimit, def.zoneLimit};
}

// Bytes of all data messages of a bank of that shape.
long BankBytes(const SysexSizes& sizes) {
    long bytes = 0;
    for (int t = 0; t < SysexMessagesPerPreset(sizes); t++) {
        const SysexTypeLayout& layout = kSysexTypes[t];
        const int values = SysexValueCount(layout, sizes);
        bytes += kDataMessageOverhead + (layout.packing == SysexPacking::Nibble ? 2 : 1) * values;
    }
    return bytes * sizes.presetCount;
}

// The demo model whose shipped bank is the most bytes; its folder and PID.
bool BiggestDemoModel(const std::string& devices, std::string* folder, int* pid) {
    std::unique_ptr<DeviceDefinition> def(new DeviceDefinition);
    long best = -1;
    std::error_code error;
    for (fs::directory_iterator it(devices, error), end; !error && it != end; it.increment(error)) {
        const std::string path = it->path().string() + "/";
        DeviceDefinitionLoad(def.get(), path.c_str());
        if (!def->name[0]) continue;
        const long bytes = BankBytes(SizesOf(*def, def->presetCount));
        if (bytes > best) {
            best = bytes;
            *folder = path;
            *pid = def->pid;
        }
    }
    return best >= 0;
}

void FillBank(BankData* bank) {
    for (int p = 0; p < kMaxPresets; p++) {
        PresetRecord& r = bank->presets[p];
        for (int c = 0; c < kMaxControls; c++) {
            r.controls[c].channel = (p + c) % 16;
            r.controls[c].midiCc = (p * 3 + c) % 128;
            r.controls[c].program = c % 128;
            r.controls[c].msb = 0;
            r.controls[c].lsb = p % 128;
        }
        for (int z = 0; z < kMaxZones; z++)
            for (int f = 0; f < 8; f++) r.zones[z][f] = (z * 12 + f) % 128;
    }
}

void BM_SendToDevice(benchmark::State& state) {
    const bool fullBank = state.range(0) != 0;
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    gPopupMinimumMs = 0;  // the "SysEx Sent" popup's display time is not the program's work

    const std::string data = std::string(OSTREL_SOURCE_DIR) + "/data/";
    std::string folder;
    int pid = 0;
    if (!BiggestDemoModel(data + "Devices", &folder, &pid)) {
        state.SkipWithError("no demo device definitions in data/Devices");
        return;
    }
    DiscoverySetProgramFolder(data.c_str());
    ResetBankList();
    InitUndoHistory();
    SwitchDevice(pid);
    if (fullBank) gDevice.presetCount = kMaxPresets;

    VirtualDeviceProfile profile{};
    profile.pid = pid;
    profile.sizes = SizesOf(gDevice, gDevice.presetCount);
    SetVirtualPortsRequested(1);
    VirtualLinkSetProfile(profile);
    VirtualLinkSetMemoryPath("");
    InitMidiPorts();
    StartMidi();
    if (fullBank) gDevice.presetCount = kMaxPresets;  // identification reloaded the model
    const int device = FindDeviceBank();
    if (device < 0) {
        state.SkipWithError("the simulated device was not identified");
        StopMidi();
        return;
    }
    FillBank(gBanks.entries[device].data);
    gBanks.current = device;

    const long bytes = BankBytes(SizesOf(gDevice, gDevice.presetCount));
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        SendCurrentBank();
        if (LastExchangeFailed()) {
            state.SkipWithError("the send failed");
            break;
        }
    }
    const double elapsed =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double wireSeconds = bytes / kCableBytesPerSecond;
    state.counters["presets"] = gDevice.presetCount;
    state.counters["bytes"] = (double)bytes;
    state.counters["messages"] =
        (double)gDevice.presetCount * SysexMessagesPerPreset(SizesOf(gDevice, 1));
    state.counters["wire_s"] = wireSeconds;
    // The program's own time as a share of the cable's.
    if (state.iterations() > 0)
        state.counters["share_of_wire"] = elapsed / (double)state.iterations() / wireSeconds;

    StopMidi();
    SetVirtualPortsRequested(0);
    ResetBankList();
}

BENCHMARK(BM_SendToDevice)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"full128"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
