// LibraryList: the control libraries found at start-up under "Devices" and
// "Library" (at most 256), sorted by priority then display name. Filled once
// by ScanLibraries, freed at shutdown. User-interface thread only.
#pragma once

#include <cstdint>

#include "devices/control_library.h"

constexpr int kMaxLibraries = 256;
constexpr int kLibraryDisplayNameLen = 256;

// Where a library was found.
constexpr int32_t kLibrarySourceDevices = 3;
constexpr int32_t kLibrarySourceLibrary = 4;

struct LibraryListEntry {
    char path[kPathLen];
    char displayName[kLibraryDisplayNameLen];  // the library's `name`
    int32_t source;                            // kLibrarySourceDevices or kLibrarySourceLibrary
    LibraryData* data;                         // owned; freed by LibraryListClear
};

struct LibraryList {
    LibraryListEntry entries[kMaxLibraries];
    int32_t count;
    int32_t current;  // index of the current library (meaningless while count is 0)
};

extern LibraryList gLibraryList;

// A zero-filled library block from the program's allocator; null (and the
// memory message shown) when memory runs short.
LibraryData* AllocLibraryData();
void FreeLibraryData(LibraryData* data);

// Frees every entry's contents and empties the list.
void LibraryListClear(LibraryList* list);
// Takes ownership of data; 0 (and data freed) when the list is full.
int LibraryListAdd(LibraryList* list, const char* path, int32_t source, LibraryData* data);
// Ascending priority, equal priorities by display name in byte order; the
// current index follows its entry.
void LibraryListSort(LibraryList* list);
// The entry whose library has this unique id, -1 when none.
int LibraryListFindUniqueId(const LibraryList* list, int32_t uniqueId);
