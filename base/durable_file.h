// Writing a file so that, whatever happens meanwhile (a full disk, a crash, a
// power cut, the process killed), the file on disk is either the old one or
// the new one, whole. Every file the program writes goes through here: the
// settings, the bank files, the property-list writer and the command-line
// tool's outputs.
//
// The steps, in this order:
//   1. the bytes go to a temporary file beside the target, named target +
//      kDurableTempSuffix (same folder, so the rename never crosses volumes);
//   2. the temporary file is flushed and committed to the disk (fsync,
//      _commit), so that a power cut after step 3 cannot leave an empty file;
//   3. it replaces the target in one step (ReplaceFileAtomically);
//   4. on POSIX the folder is committed too, so the rename itself survives.
// Any failure before step 3 removes the temporary file and leaves the target
// as it was. A temporary file left by a killed process is simply overwritten
// by the next write; nothing reads it.
//
// The bottom layer: it uses nothing of the program's own.
#pragma once

#include <cstdio>

constexpr char kDurableTempSuffix[] = ".new";

// Fills the temporary file. Returns 0, or an error number (errno style) that
// WriteFileDurably hands back.
using DurableFill = int (*)(FILE* stream, void* context);

// Writes the target through the steps above. Returns 0 when the target holds
// the new content; otherwise an error number (errno, or 5 when the system gave
// none), with the target untouched and no temporary file left.
int WriteFileDurably(const char* path, DurableFill fill, void* context);

// `size` bytes as the whole new content of `path`, through WriteFileDurably.
int WriteBytesDurably(const char* path, const void* data, size_t size);

// Platform seam, step 3: replaces `path` by `tempPath` in one step, also when
// `path` exists (MoveFileEx with write-through on Windows, rename on POSIX).
// 1 on success; 0 on failure, when `tempPath` is still there. Implemented in
// base/durable_file_win32.cpp for the program and by headless/ for the tests
// and the command-line tool.
int ReplaceFileAtomically(const char* tempPath, const char* path);
