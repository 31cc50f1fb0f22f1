// ostrel-cli's shared helpers.
#include "cli/cli_support.h"

#include <fcntl.h>

#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "banks/discovery.h"
#include "base/durable_file.h"
#include "base/whole_file.h"
#include "cli/commands.h"
#include "devices/folder_list.h"
#include "plist/plist_node.h"
#include "plist/plist_xml.h"

#ifdef _WIN32
static const char kNullDevice[] = "NUL";
#else
static const char kNullDevice[] = "/dev/null";
#endif

static std::string gRoot;

const std::string& CliRoot() {
    return gRoot;
}

void CliSetRoot(const std::string& root) {
    gRoot = WithSeparator(root);
    DiscoverySetProgramFolder(gRoot.c_str());
}

void CliError(const char* file, const char* format, ...) {
    fprintf(stderr, "ostrel-cli: %s: ", file);
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
    fputc('\n', stderr);
}

StderrSilencer::StderrSilencer() {
    fflush(stderr);
    saved_ = dup(2);
    int null = open(kNullDevice, O_WRONLY);
    if (null >= 0) {
        dup2(null, 2);
        close(null);
    }
}

StderrSilencer::~StderrSilencer() {
    fflush(stderr);
    if (saved_ >= 0) {
        dup2(saved_, 2);
        close(saved_);
    }
}

bool CliHasExtension(const char* path, const char* ext) {
    return EndsWithNoCase(path ? path : "", ext);
}

static std::string DevicesFolder() {
    return JoinPath(CliRoot(), "Devices");
}

std::string DiagnoseBankFile(const char* path) {
    if (WholeFileSize(path) < 0) return "cannot open file";
    PlistNode* error = Create(nullptr, PlistType::None);
    PlistNode* root;
    {
        StderrSilencer quiet;
        root = LoadPlistFile(path, error);
    }
    std::string problem;
    // Bytes after the document's end do not stop the program reading the bank.
    if (TypeOf(error) != PlistType::None && !PlistErrorAfterDocument(error)) {
        problem = std::string("not a well-formed property list: ") + TextOf(error);
    } else if (TypeOf(FindChild(root, "preset", 0)) != PlistType::Dict) {
        problem = "not a Corvanith SysEx Editor File (it has no preset dictionary)";
    } else {
        int32_t pid = GetIntOfChild(FindChild(root, "preset", 0), "PID");
        char folder[kPathLen];
        if (!FindDeviceFolder(pid, folder, nullptr)) {
            problem = "no device definition with PID " + std::to_string(pid) + " under " +
                      DevicesFolder();
        }
    }
    DestroyTree(root);
    DestroyTree(error);
    return problem;
}

int CliReadBankFile(const char* path) {
    std::string problem = DiagnoseBankFile(path);
    if (problem.empty()) {
        // The reader prints what the parser met (a stray byte after the
        // document, which the bank survives); this tool speaks for itself.
        StderrSilencer quiet;
        if (ReadBankFile(path, &gReadScratch, false)) return 1;
    }
    CliError(path, "%s", problem.empty() ? "cannot be read as a bank file" : problem.c_str());
    return 0;
}

int CliLoadDevice(int pid) {
    if (SwitchDevice(pid) && gDevice.pid == pid) return 1;
    CliError(DevicesFolder().c_str(), "no device definition with PID %d", pid);
    return 0;
}

int CliLoadFirstDevice() {
    std::vector<FolderItem> items;
    ListFolder(DevicesFolder(), &items);
    for (const FolderItem& item : items) {
        if (!item.isFolder || !EndsWithNoCase(item.name, ".eld")) continue;
        int32_t pid;
        std::string folder = WithSeparator(JoinPath(DevicesFolder(), item.name));
        if (ReadDeviceIdentity(folder.c_str(), &pid) && SwitchDevice(pid)) return 1;
    }
    CliError(DevicesFolder().c_str(), "no device definitions found");
    return 0;
}

std::string JsonString(const char* latin1) {
    char utf8[4 * kDisplayNameLen + 1];
    // Plain UTF-8: a control byte is escaped below as itself, not given the
    // picture a bank file writes in its place.
    ToUtf8(latin1, utf8, sizeof utf8);
    std::string out = "\"";
    for (const char* p = utf8; *p; p++) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

bool CliParseNumber(const char* text, int low, int high, int* value) {
    char* end = nullptr;
    // Decimal, or hexadecimal after 0x: a leading zero is padding (a script's
    // "08"), not the octal strtol would read.
    const bool hex = (text[0] == '0' && (text[1] == 'x' || text[1] == 'X'));
    const long number = strtol(text, &end, hex ? 16 : 10);
    if (!end || *end || end == text || number < low || number > high) return false;
    *value = static_cast<int>(number);
    return true;
}

void CliNameFromPath(const char* path, char* out, size_t size) {
#ifdef _WIN32
    DisplayNameFromPath(path, out, size);
#else
    std::vector<char> utf8(size * 4 + 1);
    DisplayNameFromPath(path, utf8.data(), utf8.size());
    NameFromUtf8(utf8.data(), out, size);
#endif
}

bool CliOutputIsInput(const char* in, const char* out) {
    std::error_code error;
    // The result is written through out + kDurableTempSuffix first: an input
    // of that name would be written over, then taken away by the rename.
    const std::string temporary = std::string(out) + kDurableTempSuffix;
    if (!std::filesystem::equivalent(in, out, error) &&
        !std::filesystem::equivalent(in, temporary, error)) {
        return false;
    }
    CliError(out, "is the input file: write the result to another file");
    return true;
}

bool CliOutputIsProtected(const char* out) {
    bool writable = true;
    if (WholeFileSize(out) >= 0) {
        StderrSilencer quiet;  // a file that is no bank at all is simply replaced
        writable = CheckFileWritable(out);
    }
    if (writable) return false;
    CliError(out, "is a bank file marked read only: it is not replaced");
    return true;
}

bool CliOutputIsABank(const char* out) {
    if (WholeFileSize(out) < 0) return false;
    bool bank = false;
    {
        StderrSilencer quiet;  // a file that is no document at all is no bank
        PlistNode* root = LoadPlistFile(out, nullptr);
        bank = TypeOf(FindChild(root, "preset", 0)) == PlistType::Dict;
        DestroyTree(root);
    }
    if (bank) CliError(out, "is a bank file: it is not replaced by an export");
    return bank;
}

bool CliParsePidInOut(int argc, char** argv, int* pid, const char** in, const char** out) {
    const char* files[2] = {nullptr, nullptr};
    int fileCount = 0;
    for (int i = 0; i < argc; i++) {
        if (strcmp(argv[i], "--pid") == 0 && i + 1 < argc) {
            if (!CliParseNumber(argv[++i], 0, 0x7FFFFFFF, pid)) return false;
        } else if (fileCount < 2 && argv[i][0] != '-') {
            files[fileCount++] = argv[i];
        } else {
            return false;
        }
    }
    if (fileCount != 2) return false;
    *in = files[0];
    *out = files[1];
    return true;
}
