// Reading a definition's and a library's keys into their records: the one
// home of the helpers both readers use.
#pragma once

#include <cstddef>
#include <cstdint>

#include "plist/plist_xml.h"

// The key's number, or whenMissing when the key is missing (or holds -1).
inline int32_t NumberOr(const PlistNode* dict, const char* key, int32_t whenMissing) {
    int32_t v = GetIntOfChild(dict, key);
    return v == -1 ? whenMissing : v;
}

// A text key into its field; a missing key leaves the field as it is.
template <size_t N>
void Text(const PlistNode* dict, const char* key, char (&field)[N]) {
    GetTextOfChild(dict, key, field, N);
}
