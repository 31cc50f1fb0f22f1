// The seven working blocks and the program paths (working_blocks.h).
#include "base/working_blocks.h"

#include <cstring>

#include "base/memory.h"

FileIoContext* gFileIo = nullptr;
unsigned char* gSysexInput = nullptr;
char* gMidiErrorText = nullptr;
char* gLastBankPath = nullptr;
char* gProgramDir = nullptr;
char* gSettingsPath = nullptr;
char* gLastBankName = nullptr;

int AllocWorkingBlocks() {
    // Every block is attempted even after a failure, so the user sees the
    // memory message once per failed block, as before.
    gFileIo = static_cast<FileIoContext*>(AllocBlock(sizeof(FileIoContext)));
    gSysexInput = static_cast<unsigned char*>(AllocBlock(kSysexInputBufferSize));
    gMidiErrorText = static_cast<char*>(AllocBlock(kMidiErrorTextSize));
    gLastBankPath = static_cast<char*>(AllocBlock(kPathSize));
    gProgramDir = static_cast<char*>(AllocBlock(kPathSize));
    gSettingsPath = static_cast<char*>(AllocBlock(kPathSize));
    gLastBankName = static_cast<char*>(AllocBlock(kPathSize));
    return gFileIo && gSysexInput && gMidiErrorText && gLastBankPath && gProgramDir &&
           gSettingsPath && gLastBankName;
}

void FreeWorkingBlocks() {
    FreeBlock(gFileIo);
    FreeBlock(gSysexInput);
    FreeBlock(gMidiErrorText);
    FreeBlock(gLastBankPath);
    FreeBlock(gProgramDir);
    FreeBlock(gSettingsPath);
    FreeBlock(gLastBankName);
    gFileIo = nullptr;
    gSysexInput = nullptr;
    gMidiErrorText = nullptr;
    gLastBankPath = gProgramDir = gSettingsPath = gLastBankName = nullptr;
}

namespace {

// dir + tail into out (kPathSize), cut to fit.
void JoinPath(char* out, const char* dir, const char* tail) {
    size_t dirLength = std::strlen(dir);
    if (dirLength > kPathSize - 1) dirLength = kPathSize - 1;
    std::memmove(out, dir, dirLength);
    size_t tailLength = std::strlen(tail);
    if (tailLength > kPathSize - 1 - dirLength) tailLength = kPathSize - 1 - dirLength;
    std::memcpy(out + dirLength, tail, tailLength);
    out[dirLength + tailLength] = '\0';
}

}  // namespace

void ComputeProgramPaths(const char* exePath) {
    char dir[kPathSize];
    dir[0] = '\0';
    if (exePath != nullptr) {
        // The directory part keeps its separator; Wine and tests may hand us
        // forward slashes too.
        size_t cut = 0;
        for (size_t i = 0; exePath[i] != '\0'; ++i) {
            if (exePath[i] == '\\' || exePath[i] == '/') cut = i + 1;
        }
        if (cut > kPathSize - 1) cut = kPathSize - 1;
        std::memcpy(dir, exePath, cut);
        dir[cut] = '\0';
    }
    if (gProgramDir != nullptr) JoinPath(gProgramDir, dir, "");
    if (gFileIo != nullptr) JoinPath(gFileIo->initialDir, dir, "User Preset Banks");
}
