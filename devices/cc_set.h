// CcSet: the set of controller numbers (0..255) a control may use, read from a
// text such as "0-31, 64, 0x66-0x77". Blanks and tabs are ignored; an item is
// a number or a range "a-b" (both ends included, either order); a number is
// decimal, or hexadecimal after "0x"; numbers above 255 count as 255.
#pragma once

#include <cstdint>

constexpr int kCcSetSize = 256;

struct CcSet {
    uint8_t bits[kCcSetSize / 8];
};

// Parses text into set (cleared first). Garbage items add nothing; parsing
// always ends. A null text gives the empty set.
void CcSetParse(CcSet* set, const char* text);
int CcSetHas(const CcSet* set, int cc);  // 1 when cc (0..255) is a member
void CcSetAdd(CcSet* set, int cc);
int CcSetIsEmpty(const CcSet* set);
int CcSetMin(const CcSet* set);  // smallest member, -1 when empty
int CcSetMax(const CcSet* set);  // largest member, -1 when empty

// Smallest and largest member of the set written in text; returns 0 and
// leaves *min and *max alone when the set is empty, else 1.
int CcSetRange(const char* text, int* min, int* max);
