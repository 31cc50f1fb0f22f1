// Reading and writing a file in one piece: the settings file and the SysEx
// Librarian files use these. Paths are the program's 8-bit text.
#pragma once

#include <cstddef>

// Longest path the program handles (the platform's MAX_PATH).
constexpr int kWholeFileMaxPath = 260;

// Size in bytes of an existing file, or -1 when it cannot be opened for reading.
long long WholeFileSize(const char* path);

// Opens the file for reading without sharing it and reads it from the start into
// `buffer`, at most `capacity` bytes; *bytesRead (may be null) receives the count.
// 1 on success (also when the file is longer than `capacity`: the rest is not
// read); 0 when the file cannot be opened or a read fails.
int ReadWholeFile(const char* path, void* buffer, size_t capacity, size_t* bytesRead);

// Writes `size` bytes as the whole new content of `path`, through the durable
// write of base/durable_file.h: a failed or interrupted write leaves the old
// file as it was. 1 on success, 0 when anything failed.
int WriteWholeFile(const char* path, const void* data, size_t size);
