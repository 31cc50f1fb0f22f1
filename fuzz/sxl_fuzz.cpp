// Fuzz target for the SysEx Librarian import: any bytes as a ".sxl" file taken
// through the Load command's branch (ImportSxlFile: read into the exchange
// slot, a new user bank, the presets unpacked by the loaded model). Besides
// "no crash, no overrun": a file is either refused with nothing added, or
// imported as exactly one bank whose counts stay inside the tables and whose
// names are terminated.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "banks/bank_commands.h"
#include "banks/bank_model.h"
#include "banks/sxl_file.h"
#include "base/messages.h"
#include "base/working_blocks.h"
#include "banks/discovery.h"
#include "banks/undo_history.h"
#include "headless/messages_headless.h"

static std::string gInput;

// 128 presets of 3 linear controls and 2 buttons, 4 variables, 8 zones.
static const char kModel[] =
    "<plist><dict><key>device</key><dict><key>name</key><string>Alpha</string>"
    "<key>PID</key><integer>100</integer><key>graphic</key><dict/>"
    "<key>preset</key><dict><key>count</key><integer>128</integer></dict>"
    "<key>MIDI</key><dict><key>limits</key><dict><key>zones</key><integer>8</integer>"
    "<key>variables</key><integer>4</integer></dict></dict>"
    "<key>controls</key><array><dict><key>type</key><string>k</string></dict>"
    "<dict><key>type</key><string>k</string></dict><dict><key>type</key><string>k</string></dict>"
    "<dict><key>type</key><string>b</string></dict><dict><key>type</key><string>b</string></dict>"
    "</array><key>controller types</key><array><dict><key>name</key><string>k</string>"
    "<key>linear</key><true/></dict><dict><key>name</key><string>b</string>"
    "<key>linear</key><false/><key>MIDI</key><dict><key>program</key><integer>1</integer>"
    "</dict></dict></array>"
    "<key>variables</key><array><dict><key>name</key><string>v</string>"
    "<key>target</key><string>[2]</string></dict><dict><key>name</key><string>w</string>"
    "<key>target</key><string>[9]</string></dict></array></dict></dict></plist>";

static void WriteBytes(const std::string& path, const void* bytes, size_t size) {
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) abort();
    fwrite(bytes, 1, size, f);
    fclose(f);
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    char pattern[] = "/tmp/ostrel-sxl-fuzz-XXXXXX";
    if (!mkdtemp(pattern)) abort();
    const std::string folder = std::string(pattern) + "/";
    mkdir((folder + "Devices").c_str(), 0700);
    mkdir((folder + "Devices/Alpha.eld").c_str(), 0700);
    mkdir((folder + "User Preset Banks").c_str(), 0700);
    WriteBytes(folder + "Devices/Alpha.eld/definition.xml", kModel, strlen(kModel));
    gInput = folder + "input.sxl";
    HeadlessMessages().quiet = 1;
    gPopupMinimumMs = 0;  // the "Reading" popup would hold every input for a second
    AllocWorkingBlocks();
    DiscoverySetProgramFolder(folder.c_str());
    if (!SwitchDevice(100)) abort();
    InitUndoHistory();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteBytes(gInput, data, size);
    const int before = gBanks.count;
    const int index = ImportSxlFile(gInput.c_str());
    if (index < 0) {
        if (gBanks.count != before) abort();
    } else {
        if (gBanks.count != before + 1 || index >= gBanks.count) abort();
        const BankData* bank = gBanks.entries[index].data;
        if (!bank || bank->presetCountInFile < 0 || bank->presetCountInFile > kMaxPresets) abort();
        for (int p = 0; p < kMaxPresets; p++) {
            const PresetRecord& preset = bank->presets[p];
            if (preset.controlCount > kMaxControls || preset.variableCount > kMaxVariables ||
                memchr(preset.name, 0, kNameLen) == nullptr)
                abort();
        }
        RemoveBank(index);
    }
    ClearUndoHistory();
    InitUndoHistory();
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    gPopupMinimumMs = 0;
    return 0;
}
