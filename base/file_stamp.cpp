// File stamps from stat (see file_stamp.h).
#include "base/file_stamp.h"

#include <sys/stat.h>

#include <ctime>

FileStamp StampOfFile(const char* path) {
    FileStamp stamp;
    struct stat info;
    if (path == nullptr || stat(path, &info) != 0) return stamp;
    stamp.exists = true;
    stamp.size = static_cast<int64_t>(info.st_size);
    stamp.seconds = static_cast<int64_t>(info.st_mtime);
#if defined(__linux__)
    stamp.nanoseconds = static_cast<int64_t>(info.st_mtim.tv_nsec);
#endif
    stamp.settled = stamp.seconds + kStampSettleSeconds <= static_cast<int64_t>(time(nullptr));
    return stamp;
}
