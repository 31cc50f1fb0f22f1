// ostrel-cli syx: a bank as the SysEx data messages Send to Device sends, and
// a file of SysEx messages (a dump captured from a device) back into a bank.
//
//   syx pack [--device N] BANK.xml OUT.syx
//       packs the bank as a send does and writes the data messages of every
//       preset, in sending order, with device number N (default 127).
//   syx unpack [--pid N] IN.syx OUT.xml
//       feeds the messages through the reception as a dump that nobody
//       answers, and writes the received bank as a bank file, its presets named
//       "Memory Received 1", ... The model is the one with PID N, or else the
//       first whose Group ID matches the first data message. A dump with any
//       message missing writes nothing and names the first one missing.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "base/durable_file.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "devices/device_definition.h"
#include "banks/bank_packing.h"
#include "midi/midi_ports.h"
#include "midi/sysex_capture.h"
#include "midi/sysex_format.h"
#include "midi/sysex_parser.h"
#include "midi/transfer_state.h"

namespace fs = std::filesystem;

namespace {

// Through the program's durable write: a failed or interrupted write leaves
// whatever was at path before.
bool WriteWholeFile(const char* path, const std::vector<uint8_t>& bytes) {
    return WriteBytesDurably(path, bytes.data(), bytes.size()) == 0;
}

bool ReadWholeFile(const char* path, std::vector<uint8_t>* bytes) {
    FILE* file = fopen(path, "rb");
    if (!file) return false;
    uint8_t chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes->insert(bytes->end(), chunk, chunk + n);
    const bool ok = !ferror(file);
    fclose(file);
    return ok;
}

int RunSyxPack(int argc, char** argv) {
    int deviceNumber = kAllDevices;
    const char* files[2] = {nullptr, nullptr};
    int fileCount = 0;
    for (int i = 0; i < argc; i++) {
        if (strcmp(argv[i], "--device") == 0 && i + 1 < argc) {
            if (!CliParseNumber(argv[++i], 0, 127, &deviceNumber)) return kCliUsage;
        } else if (fileCount < 2 && argv[i][0] != '-') {
            files[fileCount++] = argv[i];
        } else {
            return kCliUsage;
        }
    }
    if (fileCount != 2) return kCliUsage;
    if (!CliReadBankFile(files[0])) return kCliBadInput;

    // Packed and built exactly as Send to Device does it.
    PublishTransferLayout();
    const SysexSizes sizes = PublishedSysexSizes();
    PackBank(&gReadScratch, kExchangeSlot);
    std::vector<uint8_t> out;
    uint8_t message[kMaxDataMessageSize];
    const int presets =
        sizes.presetCount > kPackedPresetsPerBank ? kPackedPresetsPerBank : sizes.presetCount;
    for (int p = 0; p < presets; p++) {
        const PackedPreset& image = gPackedStore.slots[kExchangeSlot].presets[p];
        for (int t = 0; t < SysexMessagesPerPreset(sizes); t++) {
            const SysexTypeLayout& layout = kSysexTypes[t];
            const int n = BuildDataMessage(image, layout, SysexValueCount(layout, sizes), p + 1,
                                           sizes.groupId, deviceNumber, message);
            out.insert(out.end(), message, message + n);
        }
    }
    if (!WriteWholeFile(files[1], out)) {
        CliError(files[1], "cannot write file");
        return kCliBadInput;
    }
    return kCliOk;
}

// The group id of the first message that looks like a data message; -1 if none.
int FirstGroupId(const std::vector<uint8_t>& bytes) {
    for (size_t i = 0; i + 7 < bytes.size(); i++) {
        if (bytes[i] == 0xF0 && memcmp(&bytes[i + 1], kManufacturerId, 3) == 0 &&
            bytes[i + 6] >= kFirstDataType && bytes[i + 6] <= kLastDataType)
            return bytes[i + 4];
    }
    return -1;
}

// The PID of the first model (by folder name) whose Group ID is groupId.
int PidOfGroup(int groupId) {
    const std::string devices = CliRoot() + "Devices";
    std::error_code error;
    std::vector<std::string> folders;
    for (fs::directory_iterator it(devices, error), end; !error && it != end; it.increment(error))
        if (it->is_directory(error)) folders.push_back(it->path().filename().string());
    std::sort(folders.begin(), folders.end());
    std::unique_ptr<DeviceDefinition> def(new DeviceDefinition);
    for (const std::string& name : folders) {
        if (name.size() < 5 || !CliHasExtension(name.c_str(), ".eld")) continue;
        const std::string folder =
            (fs::path(devices) / name).string() + (char)fs::path::preferred_separator;
        DeviceDefinitionLoad(def.get(), folder.c_str());
        if (def->name[0] && def->groupId == groupId) return def->pid;
    }
    return -1;
}

int RunSyxUnpack(int argc, char** argv) {
    int pid = -1;
    const char* in = nullptr;
    const char* out = nullptr;
    if (!CliParsePidInOut(argc, argv, &pid, &in, &out)) return kCliUsage;
    if (strlen(out) >= (size_t)kPathLen) {
        CliError(out, "path too long");
        return kCliBadInput;
    }
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(in, &bytes)) {
        CliError(in, "cannot open file");
        return kCliBadInput;
    }
    if (pid < 0) {
        const int groupId = FirstGroupId(bytes);
        if (groupId < 0) {
            CliError(in, "holds no Corvanith data messages");
            return kCliBadInput;
        }
        pid = PidOfGroup(groupId);
        if (pid < 0) {
            CliError(in, "no device definition has Group ID %d (0x%02X); name one with --pid",
                     groupId, groupId);
            return kCliBadInput;
        }
    }
    if (!CliLoadDevice(pid)) return kCliBadInput;

    // A dump nobody answers: no ports, no handshake.
    InitMidiPorts();
    DumpResult dump;
    if (!ReceiveCapture(bytes.data(), bytes.size(), &dump, &gPackedStore.slots[kExchangeSlot])) {
        CliError(in, "holds no dump for %s", gDevice.name);
        return kCliBadInput;
    }
    if (dump.outcome != DumpOutcome::Complete) {
        CliError(in,
                 "incomplete dump for %s: preset %d, message type %d is missing (%d of %d "
                 "messages arrived)",
                 gDevice.name, dump.missingPreset, dump.missingType, dump.messagesArrived,
                 dump.messageCount);
        return kCliBadInput;
    }
    const int received = dump.presetCount;
    for (int i = 0; i < received; i++) {
        char name[kPackedNameSize];
        snprintf(name, sizeof name, "Memory Received %d", i + 1);
        SetPackedPresetName(gPackedStore.slots[kExchangeSlot].presets[i], name);
    }
    char bankName[kDisplayNameLen];
    DisplayNameFromPath(in, bankName, sizeof bankName);
    const int bank = AddNewUserBank(bankName);
    if (bank < 0) {
        CliError(in, "not enough memory for a bank");
        return kCliBadInput;
    }
    BankEntry& entry = gBanks.entries[bank];
    UnpackBank(kExchangeSlot, entry.data);
    CopyText(entry.path, out);
    if (!WriteBankFile(bank)) {
        CliError(out, "cannot write file");
        return kCliBadInput;
    }
    return kCliOk;
}

const CliCommand kSyxCommands[] = {
    {"syx", "pack", "[--device N] BANK.xml OUT.syx",
     "write the SysEx data messages Send to Device would send for BANK.xml (device number N, "
     "default 127)",
     RunSyxPack},
    {"syx", "unpack", "[--pid N] IN.syx OUT.xml",
     "read a captured dump (SysEx messages) as Download from Device does and write it as the "
     "bank file OUT.xml; the model is PID N or the one whose Group ID the messages carry",
     RunSyxUnpack},
};
CliCommandRegistrar gSyxCommands(kSyxCommands, std::size(kSyxCommands));

}  // namespace
