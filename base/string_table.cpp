// The string table, built from the same list as the resource script's
// STRINGTABLE so the two builds cannot drift apart.
#include "base/string_table.h"

const StringEntry kStringTable[] = {
#define STRING_ENTRY(id, text) {id, text},
#include "resources/string_table.inc"
#undef STRING_ENTRY
};
const int kStringCount = sizeof(kStringTable) / sizeof(kStringTable[0]);

const char* FindString(int id) {
    // Ids rise through the table (a unit test checks it): binary search.
    int low = 0;
    int high = kStringCount - 1;
    while (low <= high) {
        int mid = (low + high) / 2;
        if (kStringTable[mid].id == id) return kStringTable[mid].text;
        if (kStringTable[mid].id < id) {
            low = mid + 1;
        } else {
            high = mid - 1;
        }
    }
    return nullptr;
}
