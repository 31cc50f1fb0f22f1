// ostrel-cli bank show / bank convert.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "banks/sxl_file.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "banks/bank_packing.h"

static void PrintJson(const BankData& bank) {
    printf("{\n");
    printf("  \"name\": %s,\n", JsonString(bank.name).c_str());
    printf("  \"created\": %s,\n", JsonString(bank.created).c_str());
    printf("  \"pid\": %d,\n  \"vid\": %d,\n  \"groupId\": %d,\n", bank.pid, bank.vid,
           bank.groupId);
    printf("  \"uniqueId\": %d,\n  \"deviceUniqueId\": %d,\n", bank.uniqueId, bank.deviceUniqueId);
    printf("  \"readOnly\": %d,\n  \"rom\": %d,\n", bank.readOnly, bank.rom);
    printf("  \"presetCountInFile\": %d,\n", bank.presetCountInFile);
    printf("  \"presets\": [");
    int presets = std::min(gDevice.presetCount, kMaxPresets);
    int variables = std::min(gDevice.variableCount, kMaxVariables);
    int zones = std::min(gDevice.zoneLimit, kMaxZones);
    int zoneFields = std::min(gDevice.zoneFieldCount, kMaxZoneFields);
    int controls = std::min(gDevice.controlCount, kMaxControls);
    for (int p = 0; p < presets; p++) {
        const PresetRecord& preset = bank.presets[p];
        printf("%s\n    {\n", p ? "," : "");
        printf("      \"name\": %s,\n", JsonString(preset.name).c_str());
        printf("      \"created\": %s,\n", JsonString(preset.created).c_str());
        printf("      \"variables\": [");
        for (int v = 0; v < variables; v++) printf("%s%d", v ? ", " : "", preset.variables[v]);
        printf("],\n      \"zones\": [");
        for (int z = 0; z < zones; z++) {
            printf("%s[", z ? ", " : "");
            for (int f = 0; f < zoneFields; f++) printf("%s%d", f ? ", " : "", preset.zones[z][f]);
            printf("]");
        }
        printf("],\n      \"controls\": [");
        for (int c = 0; c < controls; c++) {
            const PresetControl& control = preset.controls[c];
            printf(
                "%s\n        {\"origin\": %d, \"channel\": %d, \"midiCc\": %d, \"program\": %d, "
                "\"msb\": %d, \"lsb\": %d, \"desc\": %s}",
                c ? "," : "", control.origin, control.channel, control.midiCc, control.program,
                control.msb, control.lsb, JsonString(control.desc).c_str());
        }
        printf("%s]\n    }", controls ? "\n      " : "");
    }
    printf("%s]\n}\n", presets ? "\n  " : "");
}

static const char* YesNo(int flag) {
    return flag ? "yes" : "no";
}

static void PrintText(const char* path, const BankData& bank) {
    printf("%s\n", path);
    printf("  name:      %s\n", JsonString(bank.name).c_str());
    printf("  device:    %s (PID %d, VID %d, Group ID %d)\n", JsonString(gDevice.name).c_str(),
           bank.pid, bank.vid, bank.groupId);
    printf("  created:   %s   unique id: %d   read only: %s   ROM: %s\n", bank.created,
           bank.uniqueId, YesNo(bank.readOnly), YesNo(bank.rom));
    printf("  presets:   %d in the file, %d on the device\n", bank.presetCountInFile,
           gDevice.presetCount);
    int controls = std::min(gDevice.controlCount, kMaxControls);
    for (int p = 0; p < std::min(gDevice.presetCount, kMaxPresets); p++) {
        const PresetRecord& preset = bank.presets[p];
        printf("  %3d %s\n", p + 1, JsonString(preset.name).c_str());
        for (int c = 0; c < controls; c++) {
            const PresetControl& control = preset.controls[c];
            printf("        %-16s ch %-3d cc %-3d prg %-3d msb %-3d lsb %-3d%s%s\n",
                   gDevice.controls[c].name, control.channel, control.midiCc, control.program,
                   control.msb, control.lsb, control.desc[0] ? " " : "",
                   control.desc[0] ? JsonString(control.desc).c_str() : "");
        }
    }
}

static int RunBankShow(int argc, char** argv) {
    bool json = false;
    const char* file = nullptr;
    for (int i = 0; i < argc; i++) {
        if (strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (!file && argv[i][0] != '-') {
            file = argv[i];
        } else {
            return kCliUsage;
        }
    }
    if (!file) return kCliUsage;
    if (!CliReadBankFile(file)) return kCliBadInput;
    if (json) {
        PrintJson(gReadScratch);
    } else {
        PrintText(file, gReadScratch);
    }
    return kCliOk;
}

// The SysEx Librarian file as the user bank an import makes, without its
// questions; its index, or -1 after a line saying why.
static int BankFromSxl(const char* path, int pid) {
    if (!(pid >= 0 ? CliLoadDevice(pid) : CliLoadFirstDevice())) return -1;
    SxlGeneration generation = SxlGeneration::Current;
    int read = ReadSxlFile(path, kExchangeSlot, &generation);
    if (read == kSxlNotRead) {
        CliError(path, "cannot open file");
        return -1;
    }
    if (read == kSxlNotSxl) {
        CliError(path, "not a Corvanith SysEx Librarian File (wrong magic, header length or size)");
        return -1;
    }
    char name[kDisplayNameLen];
    CliNameFromPath(path, name, sizeof name);
    int bank = AddNewUserBank(name);
    if (bank < 0) {
        CliError(path, "not enough memory for a bank");
        return -1;
    }
    UnpackSxlBank(kExchangeSlot, generation, gBanks.entries[bank].data);
    return bank;
}

static int RunBankConvert(int argc, char** argv) {
    int pid = -1;
    const char* in = nullptr;
    const char* out = nullptr;
    if (!CliParsePidInOut(argc, argv, &pid, &in, &out)) return kCliUsage;
    if (CliOutputIsInput(in, out) || CliOutputIsProtected(out)) return kCliBadInput;
    if (strlen(out) >= static_cast<size_t>(kPathLen)) {
        CliError(out, "path too long");
        return kCliBadInput;
    }

    int bank;
    if (CliHasExtension(in, ".sxl")) {
        bank = BankFromSxl(in, pid);
    } else {
        if (!CliReadBankFile(in)) return kCliBadInput;
        bank = AddBankFromData(out, &gReadScratch);
        if (bank < 0) CliError(in, "not enough memory for a bank");
    }
    if (bank < 0) return kCliBadInput;
    // Written as Save writes the bank opened from IN: under its name, to OUT.
    BankEntry& entry = gBanks.entries[bank];
    CliNameFromPath(in, entry.displayName, sizeof entry.displayName);
    CopyText(entry.path, out);
    if (!WriteBankFile(bank)) {
        CliError(out, "cannot write file");
        return kCliBadInput;
    }
    return kCliOk;
}

static const CliCommand kBankCommands[] = {
    {"bank", "show", "[--json] FILE", "print a bank file as read against its device's definition",
     RunBankShow},
    {"bank", "convert", "[--pid N] IN OUT",
     "write IN (a bank file, or a SysEx Librarian .sxl file unpacked by the definition of PID N "
     "or the first device found) as the bank file OUT, exactly as Save writes it",
     RunBankConvert},
};
static CliCommandRegistrar gBankCommands(kBankCommands, std::size(kBankCommands));
