// Fuzz target for whole captured dumps through the reception, as `ostrel-cli
// syx unpack` feeds them (ReceiveCapture): reassembled from receive-buffer
// pieces, parsed as a dump nobody answers, ended with the capture. Besides "no
// crash, no overrun": a dump is complete exactly when every message of every
// preset arrived, any other end names the first message missing, and a
// complete dump unpacks into a bank whose counts stay inside the tables.
//
// Input: byte 0 picks the model (bit 0 set: Alpha, 128 presets with zones;
// else Gamma, 16 presets without), the rest is the capture.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "banks/bank_model.h"
#include "base/working_blocks.h"
#include "devices/device_definition.h"
#include "banks/discovery.h"
#include "headless/messages_headless.h"
#include "banks/bank_packing.h"
#include "midi/midi_ports.h"
#include "midi/sysex_capture.h"

namespace {

// Group ID 0x21: 1 linear control, 1 button, 16 variables, 8 zones, 128 presets.
const char kAlpha[] =
    "<plist><dict><key>device</key><dict><key>name</key><string>Alpha</string>"
    "<key>PID</key><integer>100</integer><key>Group ID</key><integer>33</integer>"
    "<key>graphic</key><dict/><key>preset</key><dict><key>count</key><integer>128</integer>"
    "</dict><key>MIDI</key><dict><key>limits</key><dict><key>zones</key><integer>8</integer>"
    "<key>variables</key><integer>16</integer></dict></dict>"
    "<key>controls</key><array><dict><key>type</key><string>k</string></dict>"
    "<dict><key>type</key><string>b</string></dict></array>"
    "<key>controller types</key><array><dict><key>name</key><string>k</string>"
    "<key>linear</key><true/></dict><dict><key>name</key><string>b</string>"
    "<key>linear</key><false/></dict></array></dict></dict></plist>";
// Group ID 0x22: 3 linear controls, 2 buttons, 4 variables, no zones, 16 presets.
const char kGamma[] =
    "<plist><dict><key>device</key><dict><key>name</key><string>Gamma</string>"
    "<key>PID</key><integer>300</integer><key>Group ID</key><integer>34</integer>"
    "<key>graphic</key><dict/><key>preset</key><dict><key>count</key><integer>16</integer>"
    "</dict><key>MIDI</key><dict><key>limits</key><dict><key>zones</key><integer>0</integer>"
    "<key>variables</key><integer>4</integer></dict></dict>"
    "<key>controls</key><array><dict><key>type</key><string>k</string></dict>"
    "<dict><key>type</key><string>k</string></dict><dict><key>type</key><string>k</string></dict>"
    "<dict><key>type</key><string>b</string></dict><dict><key>type</key><string>b</string></dict>"
    "</array><key>controller types</key><array><dict><key>name</key><string>k</string>"
    "<key>linear</key><true/></dict><dict><key>name</key><string>b</string>"
    "<key>linear</key><false/></dict></array></dict></dict></plist>";

void WriteText(const std::string& path, const char* text) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) abort();
    fwrite(text, 1, strlen(text), f);
    fclose(f);
}

PackedBank gImages;
DumpResult gResult;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/ostrel-capture-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) abort();
    const std::string folder = std::string(pattern) + "/";
    mkdir((folder + "Devices").c_str(), 0700);
    mkdir((folder + "Devices/Alpha.eld").c_str(), 0700);
    mkdir((folder + "Devices/Gamma.eld").c_str(), 0700);
    WriteText(folder + "Devices/Alpha.eld/definition.xml", kAlpha);
    WriteText(folder + "Devices/Gamma.eld/definition.xml", kGamma);
    HeadlessMessages().quiet = 1;
    AllocWorkingBlocks();
    DiscoverySetProgramFolder(folder.c_str());
    InitMidiPorts();  // no ports: nothing is answered
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const int pid = (data[0] & 1) ? 100 : 300;
    if (gDevice.pid != pid && !SwitchDevice(pid)) abort();
    if (!ReceiveCapture(data + 1, size - 1, &gResult, &gImages)) return 0;
    const bool whole = gResult.messagesArrived == gResult.messageCount;
    if (whole != (gResult.outcome == DumpOutcome::Complete) ||
        whole != (gResult.missingPreset == 0) || gResult.presetCount != gDevice.presetCount)
        abort();
    if (!whole) return 0;
    gPackedStore.slots[kExchangeSlot] = gImages;
    UnpackBank(kExchangeSlot, &gReadScratch);
    if (gReadScratch.presetCountInFile != gDevice.presetCount) abort();
    for (int p = 0; p < kMaxPresets; p++) {
        const PresetRecord& preset = gReadScratch.presets[p];
        if (preset.controlCount > kMaxControls || preset.variableCount > kMaxVariables) abort();
    }
    return 0;
}
