// Helpers shared by the ostrel-cli commands: the program folder, reading a
// bank file against its device with a one-line diagnosis when it cannot be
// read, and JSON text.
#pragma once

#include <cstdio>
#include <string>

// The program folder given by --root (or the executable's folder), with a
// trailing separator.
const std::string& CliRoot();
void CliSetRoot(const std::string& root);

// Why path cannot be read as a bank file: "" when it can (so far as a look at
// the document tells), else the problem in a few words.
std::string DiagnoseBankFile(const char* path);

// Reads a bank file into the read scratch, switching to its device model.
// On failure prints one line naming the file and the problem and returns 0.
int CliReadBankFile(const char* path);

// Loads the device model with this PID; 0 (after a line naming the Devices
// folder) when none has it.
int CliLoadDevice(int pid);
// Loads the first valid device model of the Devices folder; 0 when none.
int CliLoadFirstDevice();

// Reads a number option's value; false when it is not a whole number from
// low to high (decimal, or hexadecimal with 0x).
bool CliParseNumber(const char* text, int low, int high, int* value);

// The arguments "[--pid N] IN OUT" of a conversion command; pid stays as it
// was when no --pid is given. False on anything else (a usage error).
bool CliParsePidInOut(int argc, char** argv, int* pid, const char** in, const char** out);

// The name the program gives a bank from its file's path (DisplayNameFromPath),
// in the 8-bit text names are kept in: the other systems' paths are UTF-8.
void CliNameFromPath(const char* path, char* out, size_t size);

// Whether out names the very file in is (after a line saying so): a command
// writing its result there would destroy what it reads.
bool CliOutputIsInput(const char* in, const char* out);
// Whether OUT is a bank file marked read only or ROM, which Save As would
// refuse to replace too (one line on stderr when so).
bool CliOutputIsProtected(const char* out);
// Whether OUT is a bank file, which an export of another kind (SysEx, a
// picture) must not take the place of (one line on stderr when so): the
// program's exports refuse the banks it has open, and ask about any other file.
bool CliOutputIsABank(const char* out);

// Whether path ends in ext (".sxl"), ignoring the case of letters.
bool CliHasExtension(const char* path, const char* ext);

// JSON string literal of 8-bit (Latin-1) text: UTF-8, quoted and escaped.
std::string JsonString(const char* latin1);

// While alive, the standard error stream goes nowhere: the property-list
// reader's own error line would otherwise come before ours.
class StderrSilencer {
  public:
    StderrSilencer();
    ~StderrSilencer();
    StderrSilencer(const StderrSilencer&) = delete;
    StderrSilencer& operator=(const StderrSilencer&) = delete;

  private:
    int saved_;
};
