// The replacement step of WriteWholeFile on Windows.
#include <windows.h>

#include "shell/whole_file.h"

int ReplaceFileAtomically(const char* tempPath, const char* path) {
    // MOVEFILE_WRITE_THROUGH returns only once the rename is on the disk, so the
    // old file is never gone before the new one is complete.
    return MoveFileExA(tempPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
