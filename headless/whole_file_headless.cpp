// Headless replacement step of WriteWholeFile: POSIX rename replaces an existing
// file atomically. Tests can make the next replacements fail to check that the old
// file survives.
#include "headless/whole_file_headless.h"

#include <cstdio>

#include "shell/whole_file.h"

int gHeadlessReplaceFailures = 0;
int gHeadlessReplaceCalls = 0;

int ReplaceFileAtomically(const char* tempPath, const char* path) {
    gHeadlessReplaceCalls++;
    if (gHeadlessReplaceFailures > 0) {
        gHeadlessReplaceFailures--;
        std::fprintf(stderr, "ReplaceFileAtomically: simulated failure for %s\n", path);
        return 0;
    }
    return std::rename(tempPath, path) == 0;
}
