// The seven working blocks that start-up allocates first, in this order, and
// that live as long as the process. Paths are Windows paths of at most 259
// characters plus the NUL.
#pragma once

#include <cstdint>

constexpr int kPathSize = 260;

// Block 1: the context shared by every file read or write (settings file,
// bank files, file dialogs).
struct FileIoContext {
    char path[kPathSize];        // file being read or written
    char initialDir[kPathSize];  // where the file dialogs start
    int32_t filterIndex;         // 1 bank files, 2 SysEx Librarian files
    int32_t fileSize;            // bytes in the shared file buffer
    int32_t askWithDialog;       // 1: the path is asked for with a file dialog
    int32_t fileExists;          // set by the save dialog when the file exists
    char spare[80];              // unused; keeps the block at its historical size
};
static_assert(sizeof(FileIoContext) == 616, "block 1 is 616 bytes");

constexpr int kSysexInputBufferSize = 16384;
constexpr int kMidiErrorTextSize = 1024;

extern FileIoContext* gFileIo;      // block 1
extern unsigned char* gSysexInput;  // block 2: SysEx input buffer (16384)
extern char* gMidiErrorText;        // block 3: MIDI port error text (1024)
extern char* gLastBankPath;         // block 4: last bank file loaded or saved
extern char* gProgramDir;           // block 5: program directory, trailing backslash
extern char* gSettingsPath;         // block 6: full path of Settings.cfg
extern char* gLastBankName;         // block 7: file-name part of block 4

// Allocates the seven blocks with AllocBlock in the order above. Each failure
// shows the memory message; the remaining blocks are still attempted. Returns
// 1 when all seven exist, 0 otherwise (gFatal is then set).
int AllocWorkingBlocks();

// Frees them (start-up's early return path and the tests).
void FreeWorkingBlocks();

// Start-up's path step: from the program's own file name, the program
// directory with its trailing backslash (block 5), the file dialogs' initial
// directory (program directory + "User Preset Banks"). A name without any
// backslash or slash
// gives an empty directory. Overlong results are cut to fit.
void ComputeProgramPaths(const char* exePath);
