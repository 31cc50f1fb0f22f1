// The library list: owning entries, the sort the library window shows them
// in, and look-up by unique id.
#include "devices/library_list.h"

#include <algorithm>
#include <cstring>

#include "base/memory.h"

LibraryList gLibraryList = {{}, 0, 0};

namespace {

void CopyField(char* dst, size_t size, const char* src) {
    if (!src) src = "";
    size_t n = strlen(src);
    if (n >= size) n = size - 1;
    memcpy(dst, src, n);
    dst[n] = '\0';
}

bool ListsBefore(const LibraryListEntry& a, const LibraryListEntry& b) {
    if (a.data->priority != b.data->priority) return a.data->priority < b.data->priority;
    return strcmp(a.displayName, b.displayName) < 0;
}

}  // namespace

LibraryData* AllocLibraryData() {
    return static_cast<LibraryData*>(AllocBlock(sizeof(LibraryData)));
}

void FreeLibraryData(LibraryData* data) {
    if (data) FreeBlock(data);
}

void LibraryListClear(LibraryList* list) {
    for (int i = 0; i < list->count; ++i) {
        FreeLibraryData(list->entries[i].data);
        list->entries[i].data = nullptr;
    }
    list->count = 0;
    list->current = 0;
}

int LibraryListAdd(LibraryList* list, const char* path, int32_t source, LibraryData* data) {
    if (!data) return 0;
    if (list->count >= kMaxLibraries) {
        FreeLibraryData(data);
        return 0;
    }
    LibraryListEntry* e = &list->entries[list->count++];
    CopyField(e->path, sizeof e->path, path);
    CopyField(e->displayName, sizeof e->displayName, data->name);
    e->source = source;
    e->data = data;
    return 1;
}

void LibraryListSort(LibraryList* list) {
    if (list->count < 2) return;
    // The current index follows its entry: remember which library it was.
    const LibraryData* current = (list->current >= 0 && list->current < list->count)
                                     ? list->entries[list->current].data
                                     : nullptr;
    // Stable, so libraries that compare equal keep the order they were found in.
    std::stable_sort(list->entries, list->entries + list->count, ListsBefore);
    if (current) {
        for (int i = 0; i < list->count; ++i)
            if (list->entries[i].data == current) list->current = i;
    }
}

int LibraryListFindUniqueId(const LibraryList* list, int32_t uniqueId) {
    // Compared as a control's origin keeps it (control_library.h: 16 bits),
    // so that an origin finds the library it came from whatever its id.
    for (int i = 0; i < list->count; ++i) {
        const LibraryData* data = list->entries[i].data;
        if (data && OriginUniqueId(LibraryOrigin(data->uniqueId, 0)) == uniqueId) return i;
    }
    return -1;
}
