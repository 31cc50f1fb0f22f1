// Whole-file reading, and whole-file writing through the durable write.
#include "base/whole_file.h"

#include <cstdio>
#include <cstring>

#include "base/durable_file.h"

#ifdef _WIN32
#include <io.h>
#include <share.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The settings and SysEx files are the program's own: nobody else should touch
// them while they are read, as on the platform's CreateFile with no sharing.
FILE* OpenExclusive(const char* path, const char* mode) {
#ifdef _WIN32
    return _fsopen(path, mode, _SH_DENYRW);
#else
    return std::fopen(path, mode);
#endif
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
    if (path == nullptr || path[0] == '\0' || std::strlen(path) >= kWholeFileMaxPath) return 0;
    return WriteBytesDurably(path, data, size) == 0;
}
