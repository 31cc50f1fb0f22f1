// The replacement step of WriteFileDurably on Windows.
#include <windows.h>

#include "base/durable_file.h"

int ReplaceFileAtomically(const char* tempPath, const char* path) {
    // MOVEFILE_WRITE_THROUGH returns only once the rename is on the disk, so the
    // old file is never gone before the new one is complete. A target marked
    // read only, or held open by another program, is refused here.
    return MoveFileExA(tempPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
