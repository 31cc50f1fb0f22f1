// Fuzz target: any bytes as a bank file (ReadBankFile, with the device switch
// between two models) and as a SysEx Librarian file (ReadSxlFile). Neither may
// crash, read past its input or overflow a field; a bank that reads must have
// its counts inside the tables.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "banks/sxl_file.h"
#include "base/working_blocks.h"
#include "banks/discovery.h"
#include "headless/messages_headless.h"

static std::string gFolder;
static std::string gInput;

static const char kAlpha[] =
    "<plist><dict><key>device</key><dict><key>name</key><string>Alpha</string>"
    "<key>PID</key><integer>100</integer><key>graphic</key><dict/>"
    "<key>preset</key><dict><key>count</key><integer>128</integer></dict>"
    "<key>MIDI</key><dict><key>limits</key><dict><key>zones</key><integer>8</integer>"
    "<key>variables</key><integer>16</integer></dict><key>supported cc</key><string>0-127</string>"
    "<key>sysex list</key><array><dict><key>array</key><string>zones</string>"
    "<key>tag name</key><string>note low</string></dict></array></dict>"
    "<key>controls</key><array><dict><key>type</key><string>k</string></dict>"
    "<dict><key>type</key><string>b</string></dict></array>"
    "<key>controller types</key><array><dict><key>name</key><string>k</string>"
    "<key>linear</key><true/></dict><dict><key>name</key><string>b</string>"
    "<key>linear</key><false/><key>MIDI</key><dict><key>program</key><integer>1</integer>"
    "</dict></dict></array>"
    "<key>variables</key><array><dict><key>name</key><string>v</string>"
    "<key>target</key><string>[3]</string></dict></array>"
    "<key>zone data fields</key><array><dict><key>tag name</key><string>note low</string>"
    "<key>ID</key><integer>1</integer></dict></array></dict></dict></plist>";
static const char kBeta[] =
    "<plist><dict><key>device</key><dict><key>name</key><string>Beta</string>"
    "<key>PID</key><integer>200</integer><key>graphic</key><dict/></dict></dict></plist>";

static void WriteText(const std::string& path, const char* text, size_t size) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) abort();
    fwrite(text, 1, size, f);
    fclose(f);
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/ostrel-bank-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) abort();
    gFolder = std::string(pattern) + "/";
    std::string devices = gFolder + "Devices/";
    mkdir(devices.c_str(), 0700);
    mkdir((devices + "Alpha.eld").c_str(), 0700);
    mkdir((devices + "Beta.eld").c_str(), 0700);
    WriteText(devices + "Alpha.eld/definition.xml", kAlpha, strlen(kAlpha));
    WriteText(devices + "Beta.eld/definition.xml", kBeta, strlen(kBeta));
    gInput = gFolder + "input.xml";
    HeadlessMessages().quiet = 1;
    AllocWorkingBlocks();
    DiscoverySetProgramFolder(gFolder.c_str());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Every input starts against the same model, so the switch is exercised.
    if (gDevice.pid != 100) SwitchDevice(100);
    WriteText(gInput, reinterpret_cast<const char*>(data), size);
    if (ReadBankFile(gInput.c_str(), &gReadScratch, true)) {
        if (gReadScratch.presetCountInFile < 0 || gReadScratch.presetCountInFile > kMaxPresets)
            abort();
        for (int p = 0; p < kMaxPresets; p++) {
            const PresetRecord& preset = gReadScratch.presets[p];
            if (preset.controlCount > kMaxControls || preset.variableCount > kMaxVariables ||
                preset.zoneFieldCount > kMaxZoneFields ||
                memchr(preset.name, 0, kNameLen) == nullptr)
                abort();
        }
    }
    ReadSxlFile(gInput.c_str(), kExchangeSlot);
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    return 0;
}
