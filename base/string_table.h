// The portable string table (resources/string_table.inc), looked up by id.
#pragma once

struct StringEntry {
    int id;
    const char* text;
};

extern const StringEntry kStringTable[];
extern const int kStringCount;

// The text of string `id`, or null when there is no such entry.
const char* FindString(int id);
