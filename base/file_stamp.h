// What tells whether a file changed since it was last read: whether it is
// there, its size and its modification time (to the nanosecond where the
// system keeps it, to the second on Windows). The caches of parsed documents
// and decoded pictures keep what they made from a file only while its stamp
// stays the same, so a file changed on disk is read again.
//
// A file written just before it was read may be written again within the
// same tick of the file system's clock, keeping size and time: its stamp is
// not settled, and what was made from it is not kept (make and git meet the
// same race the same way).
//
// The bottom layer: it uses nothing of the program's own.
#pragma once

#include <cstdint>

// A file whose modification time is at least this much older than the moment
// it is read cannot change without a later time.
constexpr int64_t kStampSettleSeconds = 3;

struct FileStamp {
    bool exists = false;
    bool settled = false;  // the file was last changed kStampSettleSeconds or more ago
    int64_t size = 0;
    int64_t seconds = 0;      // modification time
    int64_t nanoseconds = 0;  // within the second; 0 where the system keeps none
};

// The stamp of the file at path now (a missing file has a stamp too, never
// settled).
FileStamp StampOfFile(const char* path);

// Whether what was made from the file when its stamp was kept still stands
// for the file whose stamp is now. A file missing then and now is the same
// absence: one that appears in between has a stamp of its own.
inline bool StampStillHolds(const FileStamp& kept, const FileStamp& now) {
    if (!kept.exists && !now.exists) return true;
    return kept.settled && kept.exists == now.exists && kept.size == now.size &&
           kept.seconds == now.seconds && kept.nanoseconds == now.nanoseconds;
}
