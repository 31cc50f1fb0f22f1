// ostrel-cli syx: a bank as the SysEx data messages Send to Device sends, and
// a file of SysEx messages (a dump captured from a device) back into a bank.
//
//   syx pack [--device N] BANK.xml OUT.syx
//       packs the bank as a send does and writes the data messages of every
//       preset, in sending order, with device number N (default 127).
//   syx unpack [--pid N] [--partial] IN.syx OUT.xml
//       feeds the messages through the reception as a dump that nobody
//       answers, and writes the received bank as a bank file, its presets named
//       "Memory Received 1", ... The model is the one with PID N, or else the
//       one whose Group ID the first data message carries. A dump with any
//       message missing writes nothing and names the first one missing; with
//       --partial the presets that arrived whole make the bank, the others
//       as a new bank has them (the program's Load asks the same question).
//       A file of more than one bank writes nothing and says so; with
//       --partial its first bank is written, as the program reads it.
//
// Both are the program's Export as SysEx and ".syx" import (midi/syx_file.h).
#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>
#include <vector>

#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "base/durable_file.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "devices/device_definition.h"
#include "midi/midi_ports.h"
#include "midi/sysex_format.h"
#include "midi/syx_file.h"
#include "base/whole_file.h"

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
    if (CliOutputIsInput(files[0], files[1]) || CliOutputIsProtected(files[1]) ||
        CliOutputIsABank(files[1])) {
        return kCliBadInput;
    }
    if (!CliReadBankFile(files[0])) return kCliBadInput;

    // Reading the bank loaded its model: the program's export of it.
    std::vector<uint8_t> out;
    BuildSyxExport(gDevice, gReadScratch, nullptr, deviceNumber, &out);
    if (!WriteWholeFile(files[1], out)) {
        CliError(files[1], "cannot write file");
        return kCliBadInput;
    }
    return kCliOk;
}

// The arguments "[--pid N] [--partial] IN OUT".
bool ParseUnpackArguments(int argc, char** argv, int* pid, bool* partial, const char** in,
                          const char** out) {
    std::vector<char*> rest;
    for (int i = 0; i < argc; i++) {
        if (strcmp(argv[i], "--partial") == 0) {
            *partial = true;
        } else {
            rest.push_back(argv[i]);
        }
    }
    return CliParsePidInOut((int)rest.size(), rest.data(), pid, in, out);
}

int RunSyxUnpack(int argc, char** argv) {
    int pid = -1;
    bool partial = false;
    const char* in = nullptr;
    const char* out = nullptr;
    if (!ParseUnpackArguments(argc, argv, &pid, &partial, &in, &out)) return kCliUsage;
    if (CliOutputIsInput(in, out) || CliOutputIsProtected(out)) return kCliBadInput;
    if (strlen(out) >= (size_t)kPathLen) {
        CliError(out, "path too long");
        return kCliBadInput;
    }
    const long long size = WholeFileSize(in);
    if (size > kMaxSyxFileSize) {
        CliError(in, "is larger than 1 MB: not a dump");
        return kCliBadInput;
    }
    std::vector<uint8_t> bytes;
    if (size < 0 || !ReadWholeFile(in, &bytes)) {
        CliError(in, "cannot open file");
        return kCliBadInput;
    }
    if (pid >= 0 && !CliLoadDevice(pid)) return kCliBadInput;

    // A dump nobody answers: no ports, no handshake.
    InitMidiPorts();
    std::unique_ptr<PackedBank> images(new PackedBank);  // too large for the stack
    SyxImport import;
    const SyxVerdict verdict = ReadSyxBytes(bytes.data(), bytes.size(), pid, &import, images.get());
    const DumpResult& dump = import.dump;
    if (verdict == SyxVerdict::UnknownModel) {
        CliError(in, "no device definition has Group ID %d (0x%02X); name one with --pid",
                 import.groupId, import.groupId);
        return kCliBadInput;
    }
    if (import.survey.dataMessages == 0) {
        CliError(in, "holds no Corvanith data messages (%d SysEx messages)",
                 import.survey.messages);
        return kCliBadInput;
    }
    if (pid < 0 && !CliLoadDevice(import.pid)) return kCliBadInput;
    if (verdict == SyxVerdict::NothingUsable && import.dump.presetCount == 0) {
        CliError(in, "holds no dump for %s", gDevice.name);
        return kCliBadInput;
    }
    if (verdict != SyxVerdict::Whole && !(partial && verdict == SyxVerdict::Partial)) {
        CliError(in,
                 "incomplete dump for %s: preset %d, message type %d is missing (%d of %d "
                 "messages arrived)",
                 gDevice.name, dump.missingPreset, dump.missingType, dump.messagesArrived,
                 dump.messageCount);
        return kCliBadInput;
    }
    // The program reads the first bank of such a file and says so; a script
    // is stopped unless it asked for what can be read.
    if (dump.unreadMessages > 0 && !partial) {
        CliError(in, "holds more than one bank (%d more data messages after the first dump)",
                 dump.unreadMessages);
        return kCliBadInput;
    }
    char bankName[kDisplayNameLen];
    CliNameFromPath(in, bankName, sizeof bankName);
    const int bank = AddSyxBank(bankName, import, *images);
    if (bank < 0) {
        CliError(in, "not enough memory for a bank");
        return kCliBadInput;
    }
    CopyText(gBanks.entries[bank].path, out);
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
    {"syx", "unpack", "[--pid N] [--partial] IN.syx OUT.xml",
     "read a captured dump (SysEx messages) as Download from Device does and write it as the "
     "bank file OUT.xml; the model is PID N or the one whose Group ID the messages carry; with "
     "--partial a file of single presets gives a bank of those, the rest as a new bank has them, "
     "and a file of several banks its first",
     RunSyxUnpack},
};
CliCommandRegistrar gSyxCommands(kSyxCommands, std::size(kSyxCommands));

}  // namespace
