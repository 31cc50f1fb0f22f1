// ostrel-cli plist check.
#include <cstdio>
#include <iterator>

#include "base/whole_file.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "plist/plist_node.h"
#include "plist/plist_xml.h"

static int RunPlistCheck(int argc, char** argv) {
    if (argc != 1) return kCliUsage;
    const char* file = argv[0];
    if (WholeFileSize(file) < 0) {
        CliError(file, "cannot open file");
        return kCliBadInput;
    }
    // The reader prints "file:line: message" itself, as the program does.
    PlistNode* error = Create(nullptr, PlistType::None);
    PlistNode* root = LoadPlistFile(file, error);
    bool wellFormed = root && TypeOf(error) == PlistType::None;
    if (!root && TypeOf(error) == PlistType::None) CliError(file, "cannot read file");
    DestroyTree(root);
    DestroyTree(error);
    return wellFormed ? kCliOk : kCliBadInput;
}

static const CliCommand kPlistCommands[] = {
    {"plist", "check", "FILE", "exit 0 when FILE is a well-formed property list", RunPlistCheck},
};
static CliCommandRegistrar gPlistCommands(kPlistCommands, std::size(kPlistCommands));
