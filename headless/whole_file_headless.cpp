// Headless replacement step of the durable write (base/durable_file.h): POSIX
// rename replaces an existing file atomically; the Windows build of the
// command-line tool needs MoveFileEx for that, since rename there refuses an
// existing target. Tests can make the next replacements fail to check that the
// old file survives.
#include "headless/whole_file_headless.h"

#include <cerrno>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include "base/durable_file.h"

int gHeadlessReplaceFailures = 0;
int gHeadlessReplaceCalls = 0;

int ReplaceFileAtomically(const char* tempPath, const char* path) {
    gHeadlessReplaceCalls++;
    if (gHeadlessReplaceFailures > 0) {
        gHeadlessReplaceFailures--;
        std::fprintf(stderr, "ReplaceFileAtomically: simulated failure for %s\n", path);
        return 0;
    }
    // A target the user marked read-only stays, as the program's own
    // replacement keeps it: rename would replace it whenever the folder is
    // writable (POSIX, and Wine's MoveFileEx).
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return 0;
    return MoveFileExA(tempPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    struct stat info;
    if (stat(path, &info) == 0 && S_ISREG(info.st_mode) &&
        (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        errno = EACCES;
        return 0;
    }
    return std::rename(tempPath, path) == 0;
#endif
}
