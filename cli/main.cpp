// ostrel-cli: the companion command-line program for scripting and batch work
// on bank files, using the program's own core code.
//
//   ostrel-cli [--root DIR] GROUP COMMAND [ARGUMENTS]
//   ostrel-cli [GROUP [COMMAND]] --help     the commands, or one command's usage
//   ostrel-cli --version
//
// DIR is the program folder (default: the folder of this executable); the
// device definitions come from its "Devices" folder. Exit codes: 0 success,
// 1 bad input (one line on standard error naming the file and the problem),
// 2 usage.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "banks/bank_model.h"
#include "base/working_blocks.h"
#include "cli/cli_support.h"
#include "cli/commands.h"
#include "devices/folder_list.h"
#include "banks/undo_history.h"
#include "headless/messages_headless.h"
#include "ostrel_version.h"

static std::vector<const CliCommand*>& Registry() {
    // A function-local table: registrars in other files may run first.
    static std::vector<const CliCommand*> commands;
    return commands;
}

CliCommandRegistrar::CliCommandRegistrar(const CliCommand* commands, size_t count) {
    for (size_t i = 0; i < count; i++) Registry().push_back(&commands[i]);
}

// The commands of one group, or all of them when group is null.
static void PrintUsage(FILE* out, const char* group = nullptr) {
    fprintf(out,
            "usage: ostrel-cli [--root DIR] COMMAND...\n"
            "       ostrel-cli [COMMAND] --help | --version\n\ncommands:\n");
    for (const CliCommand* c : Registry()) {
        if (group && strcmp(c->group, group) != 0) continue;
        fprintf(out, "  %s %s %s\n      %s\n", c->group, c->name, c->usage, c->summary);
    }
    fprintf(out,
            "\n--root DIR  the program folder whose \"Devices\" folder holds the device\n"
            "            definitions (default: the folder of ostrel-cli)\n"
            "exit codes: 0 success, 1 bad input, 2 usage\n");
}

static std::string ExecutableFolder(const char* argv0) {
    std::string path;
#ifdef _WIN32
    char buffer[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buffer, sizeof buffer);
    if (n > 0 && n < sizeof buffer) path.assign(buffer, n);
#else
    char buffer[4096];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n > 0) path.assign(buffer, static_cast<size_t>(n));
#endif
    if (path.empty() && argv0) path = argv0;
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string(".") : path.substr(0, cut + 1);
}

static const CliCommand* FindCommand(const char* group, const char* name) {
    for (const CliCommand* c : Registry()) {
        if (strcmp(c->group, group) == 0 && strcmp(c->name, name) == 0) return c;
    }
    return nullptr;
}

static void PrintCommandUsage(FILE* out, const CliCommand* c) {
    fprintf(out, "usage: ostrel-cli [--root DIR] %s %s %s\n", c->group, c->name, c->usage);
}

// --help after a command's words: that command's usage; after a group's
// word: the group's commands; else all of them.
static int PrintHelp(const std::vector<char*>& words) {
    const CliCommand* command = words.size() >= 2 ? FindCommand(words[0], words[1]) : nullptr;
    if (command) {
        PrintCommandUsage(stdout, command);
        printf("    %s\n", command->summary);
        return kCliOk;
    }
    const char* group = nullptr;
    for (const CliCommand* c : Registry()) {
        if (!words.empty() && strcmp(c->group, words[0]) == 0) group = c->group;
    }
    PrintUsage(stdout, group);
    return kCliOk;
}

// What was printed must have reached its place (a full disk, a closed pipe):
// otherwise the result is lost, and that is no success.
static int OutputWritten(int result) {
    if ((fflush(stdout) != 0 || ferror(stdout)) && result == kCliOk) {
        fprintf(stderr, "ostrel-cli: standard output: cannot write\n");
        return kCliBadInput;
    }
    return result;
}

int main(int argc, char** argv) {
    // The message functions would print every message box and status text;
    // the commands say what went wrong in one line of their own instead.
    HeadlessMessages().quiet = 1;

    std::string root = ExecutableFolder(argc > 0 ? argv[0] : nullptr);
    std::vector<char*> args;
    bool help = false;
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--root") == 0) {
            if (i + 1 >= argc) {
                fprintf(stderr, "ostrel-cli: --root needs a folder\n");
                return kCliUsage;
            }
            root = argv[++i];
        } else if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0) {
            help = true;
        } else if (strcmp(argv[i], "--version") == 0) {
            printf("ostrel-cli %s\n", OSTREL_VERSION);
            return OutputWritten(kCliOk);
        } else {
            args.push_back(argv[i]);
        }
    }
    if (help) return OutputWritten(PrintHelp(args));
    if (args.size() < 2) {
        PrintUsage(stderr);
        return kCliUsage;
    }
    const CliCommand* command = FindCommand(args[0], args[1]);
    if (!command) {
        fprintf(stderr, "ostrel-cli: unknown command \"%s %s\"\n", args[0], args[1]);
        PrintUsage(stderr);
        return kCliUsage;
    }

    AllocWorkingBlocks();
    std::string exe = WithSeparator(root) + "ostrel-cli";
    ComputeProgramPaths(exe.c_str());
    CliSetRoot(root);
    InitUndoHistory();

    std::vector<char*> rest(args.begin() + 2, args.end());
    rest.push_back(nullptr);
    int result = command->run(static_cast<int>(rest.size()) - 1, rest.data());
    if (result == kCliUsage) PrintCommandUsage(stderr, command);
    result = OutputWritten(result);

    ClearUndoHistory();
    ResetBankList();
    FreeWorkingBlocks();
    return result;
}
