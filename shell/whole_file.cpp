// Whole-file reading and the write-then-replace writing of whole files.
#include "shell/whole_file.h"

#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// Suffix of the temporary file written beside the target; same folder, so the
// final rename never crosses volumes.
constexpr char kTempSuffix[] = ".new";

// The settings and SysEx files are the program's own: nobody else should touch
// them while they are read or written, as on the platform's CreateFile with no
// sharing.
FILE* OpenExclusive(const char* path, const char* mode) {
#ifdef _WIN32
    return _fsopen(path, mode, _SH_DENYRW);
#else
    return std::fopen(path, mode);
#endif
}

// Pushes the file's data to the disk before it replaces the old one; otherwise a
// power cut right after the rename could leave an empty file.
int FlushToDisk(FILE* f) {
    if (std::fflush(f) != 0) return 0;
#ifdef _WIN32
    return _commit(_fileno(f)) == 0;
#else
    return fsync(fileno(f)) == 0;
#endif
}

int MakeTempPath(const char* path, char* out, size_t size) {
    size_t n = std::strlen(path);
    if (n == 0 || n + sizeof kTempSuffix > size) return 0;
    std::memcpy(out, path, n);
    std::memcpy(out + n, kTempSuffix, sizeof kTempSuffix);
    return 1;
}

}  // namespace

long long WholeFileSize(const char* path) {
    if (path == nullptr || path[0] == '\0') return -1;
    FILE* f = OpenExclusive(path, "rb");
    if (f == nullptr) return -1;
#ifndef _WIN32
    // POSIX opens folders for reading too; they have no size worth reading.
    struct stat st;
    if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) {
        std::fclose(f);
        return -1;
    }
#endif
    long long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) {
#ifdef _WIN32
        size = _ftelli64(f);
#else
        size = ftello(f);
#endif
    }
    std::fclose(f);
    return size;
}

int ReadWholeFile(const char* path, void* buffer, size_t capacity, size_t* bytesRead) {
    if (bytesRead != nullptr) *bytesRead = 0;
    if (path == nullptr || path[0] == '\0') return 0;
    if (buffer == nullptr && capacity > 0) return 0;
    FILE* f = OpenExclusive(path, "rb");
    if (f == nullptr) return 0;
    size_t got = capacity > 0 ? std::fread(buffer, 1, capacity, f) : 0;
    int ok = !std::ferror(f);
    std::fclose(f);
    if (bytesRead != nullptr) *bytesRead = got;
    return ok;
}

int WriteWholeFile(const char* path, const void* data, size_t size) {
    if (path == nullptr || (data == nullptr && size > 0)) return 0;
    char temp[kWholeFileMaxPath + sizeof kTempSuffix];
    if (!MakeTempPath(path, temp, sizeof temp)) return 0;

    FILE* f = OpenExclusive(temp, "wb");
    if (f == nullptr) return 0;
    int ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    ok = ok && FlushToDisk(f);
    ok = (std::fclose(f) == 0) && ok;
    if (ok && ReplaceFileAtomically(temp, path)) return 1;
    std::remove(temp);
    return 0;
}
