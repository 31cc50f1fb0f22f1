// ostrel-cli preset sheet: the program's preset sheet (views/preset_sheet.h)
// made without Windows.
//
//   preset sheet BANK.xml N OUT.png     the sheet of preset N (from 1)
//   preset sheet --all BANK.xml FOLDER  one sheet per preset of the model,
//                                       named as the program offers them
// Every file is written through the program's durable write: a file that
// cannot be written is left as it was, and the command stops there (exit 1).
#include <cstdio>
#include <cstring>
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
#include "banks/discovery.h"
#include "devices/folder_list.h"
#include "views/preset_sheet.h"

namespace {

// What the program shows as the bank's title: its own name, else the file's.
std::string BankTitleOf(const char* path, const BankData& bank) {
    if (bank.name[0]) return bank.name;
    char name[kDisplayNameLen];
    CliNameFromPath(path, name, sizeof name);
    return name;
}

// Names are Latin-1 in memory, as the Windows file functions take them; the
// other systems' file names are UTF-8.
std::string FileSystemName(const std::string& latin1) {
#ifdef _WIN32
    return latin1;
#else
    char utf8[4 * kDisplayNameLen + 1];
    NameToUtf8(latin1.c_str(), utf8, sizeof utf8);
    return utf8;
#endif
}

bool WriteSheet(const SheetPictures& pictures, const std::string& title, int preset,
                const std::string& out) {
    if (CliOutputIsProtected(out.c_str()) || CliOutputIsABank(out.c_str())) return false;
    std::vector<uint8_t> png;
    if (!MakePresetSheetPng(pictures, gReadScratch, title.c_str(), preset, &png)) {
        CliError(out.c_str(), "the picture could not be made (too large, or out of memory)");
        return false;
    }
    if (WriteBytesDurably(out.c_str(), png.data(), png.size()) != 0) {
        CliError(out.c_str(), "cannot write file");
        return false;
    }
    return true;
}

int RunPresetSheet(int argc, char** argv) {
    bool all = false;
    std::vector<const char*> words;
    for (int i = 0; i < argc; i++) {
        if (strcmp(argv[i], "--all") == 0) {
            all = true;
        } else if (argv[i][0] != '-') {
            words.push_back(argv[i]);
        } else {
            return kCliUsage;
        }
    }
    if (words.size() != (all ? 2u : 3u)) return kCliUsage;
    int number = 0;
    if (!all && !CliParseNumber(words[1], 1, kMaxPresets, &number)) return kCliUsage;
    const char* bankPath = words[0];
    if (!all && CliOutputIsInput(bankPath, words.back())) return kCliBadInput;
    if (!CliReadBankFile(bankPath)) return kCliBadInput;
    // Library origins name the parameters, as in the program.
    ScanLibraries();

    const int presets = gDevice.presetCount < kMaxPresets ? gDevice.presetCount : kMaxPresets;
    std::unique_ptr<SheetPictures> pictures(new SheetPictures);
    LoadSheetPictures(pictures.get());
    const std::string title = BankTitleOf(bankPath, gReadScratch);
    if (!all) {
        if (number > presets) {
            CliError(bankPath, "has no preset %d (its model has %d)", number, presets);
            return kCliBadInput;
        }
        return WriteSheet(*pictures, title, number - 1, words.back()) ? kCliOk : kCliBadInput;
    }
    const std::string folder = WithSeparator(words[1]);
    for (int p = 0; p < presets; ++p) {
        std::string name = PresetSheetFileName(title.c_str(), p, gReadScratch.presets[p].name);
        if (!WriteSheet(*pictures, title, p, folder + FileSystemName(name))) return kCliBadInput;
    }
    return kCliOk;
}

const CliCommand kSheetCommands[] = {
    {"preset", "sheet", "[--all] BANK (N OUT.png | FOLDER)",
     "draw preset N of a bank file (from 1) as the program's preset sheet, a PNG picture with a "
     "label at each control; with --all, one picture per preset into FOLDER",
     RunPresetSheet},
};
CliCommandRegistrar gSheetCommands(kSheetCommands, std::size(kSheetCommands));

}  // namespace
