// CcSet parsing. The text comes from definition files, so every item is
// checked: a malformed item adds nothing and the scan always moves forward.
#include "devices/cc_set.h"

#include <cstring>

namespace {

constexpr int kMaxCc = kCcSetSize - 1;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads one number from item[*pos..end), blanks already removed. Values above
// 255 saturate at 255 while reading, so long digit runs cannot overflow.
// A leading zero followed by more digits is still read in base ten: octal
// controller numbers in a definition would be a surprise to whoever wrote it.
bool ReadCcNumber(const char* item, int end, int* pos, int* value) {
    int p = *pos;
    int v = 0;
    int digits = 0;
    if (p + 1 < end && item[p] == '0' && (item[p + 1] == 'x' || item[p + 1] == 'X')) {
        p += 2;
        for (; p < end && HexDigit(item[p]) >= 0; ++p, ++digits) {
            v = v * 16 + HexDigit(item[p]);
            if (v > kMaxCc) v = kMaxCc;
        }
    } else {
        for (; p < end && item[p] >= '0' && item[p] <= '9'; ++p, ++digits) {
            v = v * 10 + (item[p] - '0');
            if (v > kMaxCc) v = kMaxCc;
        }
    }
    if (digits == 0) return false;
    *pos = p;
    *value = v;
    return true;
}

// One comma-free item with its blanks removed: "n" or "a-b".
void AddItem(CcSet* set, const char* item, int len) {
    int pos = 0;
    int first = 0;
    if (!ReadCcNumber(item, len, &pos, &first)) return;
    int last = first;
    if (pos < len && item[pos] == '-') {
        ++pos;
        if (!ReadCcNumber(item, len, &pos, &last)) return;
    }
    if (pos != len) return;  // trailing garbage: the item means nothing
    if (first > last) {
        int t = first;
        first = last;
        last = t;
    }
    for (int cc = first; cc <= last; ++cc) CcSetAdd(set, cc);
}

}  // namespace

void CcSetParse(CcSet* set, const char* text) {
    memset(set, 0, sizeof *set);
    if (!text) return;
    // Items are short; a longer one is garbage anyway and is cut at the
    // buffer's end, which can only make it fail to parse.
    char item[64];
    int len = 0;
    bool overflow = false;
    for (const char* p = text;; ++p) {
        if (*p == ',' || *p == '\0') {
            if (!overflow) AddItem(set, item, len);
            len = 0;
            overflow = false;
            if (*p == '\0') break;
        } else if (!IsBlank(*p)) {
            if (len < static_cast<int>(sizeof item))
                item[len++] = *p;
            else
                overflow = true;
        }
    }
}

int CcSetHas(const CcSet* set, int cc) {
    if (cc < 0 || cc > kMaxCc) return 0;
    return (set->bits[cc >> 3] >> (cc & 7)) & 1;
}

void CcSetAdd(CcSet* set, int cc) {
    if (cc < 0 || cc > kMaxCc) return;
    set->bits[cc >> 3] = static_cast<uint8_t>(set->bits[cc >> 3] | (1u << (cc & 7)));
}

int CcSetIsEmpty(const CcSet* set) {
    return CcSetMin(set) < 0;
}

int CcSetMin(const CcSet* set) {
    for (int cc = 0; cc <= kMaxCc; ++cc)
        if (CcSetHas(set, cc)) return cc;
    return -1;
}

int CcSetMax(const CcSet* set) {
    for (int cc = kMaxCc; cc >= 0; --cc)
        if (CcSetHas(set, cc)) return cc;
    return -1;
}

int CcSetRange(const char* text, int* min, int* max) {
    CcSet set;
    CcSetParse(&set, text);
    int lo = CcSetMin(&set);
    if (lo < 0) return 0;
    *min = lo;
    *max = CcSetMax(&set);
    return 1;
}
