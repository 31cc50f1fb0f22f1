// The one write-then-replace routine of the program (see durable_file.h for
// its steps and why each is there).
#include "base/durable_file.h"

#include <cerrno>
#include <cstring>
#include <string>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

int ErrnoOr5() {
    return errno != 0 ? errno : 5;
}

// Nobody else should touch the temporary file while it is written, as with
// the platform's CreateFile without sharing.
FILE* OpenTemporary(const char* path) {
#ifdef _WIN32
    return _fsopen(path, "wb", _SH_DENYRW);
#else
    return std::fopen(path, "wb");
#endif
}

// Step 2: the data reach the disk before the file takes the target's place.
int CommitToDisk(FILE* stream) {
    errno = 0;
    if (std::fflush(stream) != 0) return ErrnoOr5();
#ifdef _WIN32
    if (_commit(_fileno(stream)) != 0) return ErrnoOr5();
#else
    if (fsync(fileno(stream)) != 0) return ErrnoOr5();
#endif
    return 0;
}

// Step 4 (POSIX): a rename is an entry of the folder, which has its own
// buffers. Best effort: some file systems refuse fsync on a folder, and the
// new content is in place either way.
void CommitFolderOf(const char* path) {
#ifndef _WIN32
    std::string folder = path;
    size_t slash = folder.find_last_of('/');
    folder = slash == std::string::npos ? "." : folder.substr(0, slash + 1);
    int fd = open(folder.c_str(), O_RDONLY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
#else
    (void)path;
#endif
}

struct Bytes {
    const void* data;
    size_t size;
};

int WriteBytes(FILE* stream, void* context) {
    const Bytes* bytes = static_cast<const Bytes*>(context);
    errno = 0;
    if (bytes->size > 0 && std::fwrite(bytes->data, 1, bytes->size, stream) != bytes->size) {
        return ErrnoOr5();
    }
    return 0;
}

}  // namespace

int WriteFileDurably(const char* path, DurableFill fill, void* context) {
    if (path == nullptr || path[0] == '\0' || fill == nullptr) return EINVAL;
    std::string temp = std::string(path) + kDurableTempSuffix;

    errno = 0;
    FILE* stream = OpenTemporary(temp.c_str());
    if (stream == nullptr) return ErrnoOr5();
    int error = fill(stream, context);
    if (error == 0) error = CommitToDisk(stream);
    // A full disk often shows only when the last buffer goes out: the close counts too.
    errno = 0;
    if (std::fclose(stream) != 0 && error == 0) error = ErrnoOr5();
    if (error == 0) {
        errno = 0;
        if (ReplaceFileAtomically(temp.c_str(), path)) {
            CommitFolderOf(path);
            return 0;
        }
        error = ErrnoOr5();
    }
    std::remove(temp.c_str());
    return error;
}

int WriteBytesDurably(const char* path, const void* data, size_t size) {
    if (data == nullptr && size > 0) return EINVAL;
    Bytes bytes = {data, size};
    return WriteFileDurably(path, WriteBytes, &bytes);
}
