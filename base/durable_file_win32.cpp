// The replacement step of WriteFileDurably on Windows.
#include <windows.h>

#include "base/durable_file.h"

int ReplaceFileAtomically(const char* tempPath, const char* path) {
    // A target marked read only is refused. Windows' rename refuses it by
    // itself, but Wine's replaces it whenever the folder is writable, and the
    // user who marked the file meant it to stay.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    // MOVEFILE_WRITE_THROUGH returns only once the rename is on the disk, so the
    // old file is never gone before the new one is complete. A target held open
    // by another program is refused here.
    return MoveFileExA(tempPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
