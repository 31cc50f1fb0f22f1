// Headless replacement step of the durable write (base/durable_file.h): POSIX
// rename replaces an existing file atomically; the Windows build of the
// command-line tool needs MoveFileEx for that, since rename there refuses an
// existing target. Tests can make the next replacements fail to check that the
// old file survives.
#include "headless/whole_file_headless.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
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
#ifdef _WIN32
    return MoveFileExA(tempPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(tempPath, path) == 0;
#endif
}
