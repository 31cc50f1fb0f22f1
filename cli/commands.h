// The subcommand table of ostrel-cli.
//
// Each source file of cli/ that adds commands defines a table of CliCommand
// and registers it with one static CliCommandRegistrar, for example in
// cli/syx_commands.cpp:
//
//   static int RunSyxPack(int argc, char** argv);
//   static const CliCommand kSyxCommands[] = {
//       {"syx", "pack", "[--device N] BANK.xml OUT.syx", "write a bank's data messages",
//       RunSyxPack},
//   };
//   static CliCommandRegistrar gSyxCommands(kSyxCommands, std::size(kSyxCommands));
//
// main() has already handled "--root DIR" (the program folder, whose
// "Devices" folder the device definitions come from) before a command runs.
// A command gets the arguments after its two words (argv[0] is the first of
// them) and returns an exit code: kCliOk, kCliBadInput (after printing one
// line naming the file and the problem with CliError) or kCliUsage (main
// prints the command's usage line).
#pragma once

#include <cstddef>

constexpr int kCliOk = 0;
constexpr int kCliBadInput = 1;
constexpr int kCliUsage = 2;

struct CliCommand {
    const char* group;    // first word: "bank", "plist", "syx"
    const char* name;     // second word: "show", "convert", "check", "pack"
    const char* usage;    // the arguments, for the usage text
    const char* summary;  // one line of help
    int (*run)(int argc, char** argv);
};

struct CliCommandRegistrar {
    CliCommandRegistrar(const CliCommand* commands, size_t count);
};

// Prints "ostrel-cli: FILE: problem" to standard error (printf format).
void CliError(const char* file, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
