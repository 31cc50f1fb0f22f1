// Number lists of definition files. Only digits and "-" of an item count, as
// in "x=10" reading 10; anything else is skipped, so no text can stall the scan.
#include "devices/number_list.h"

#include <climits>
#include <cstring>

namespace {

// Reads the kept characters of one item (digits and '-') as a decimal integer:
// an optional leading minus, then digits up to the first character that is not
// one. Saturates instead of overflowing.
int32_t ReadItem(const char* begin, const char* end) {
    const char* p = begin;
    auto next = [&p, end]() {
        while (p < end && !(*p == '-' || (*p >= '0' && *p <= '9'))) ++p;
    };
    next();
    bool negative = false;
    if (p < end && *p == '-') {
        negative = true;
        ++p;
        next();
    }
    int64_t value = 0;
    while (p < end && *p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > INT32_MAX) value = static_cast<int64_t>(INT32_MAX) + 1;
        ++p;
        next();
        if (p < end && *p == '-') break;  // a second minus ends the number
    }
    if (negative) value = -value;
    if (value > INT32_MAX) value = INT32_MAX;
    if (value < INT32_MIN) value = INT32_MIN;
    return static_cast<int32_t>(value);
}

}  // namespace

void NumberListParse(NumberList* list, const char* text) {
    memset(list, 0, sizeof *list);
    if (!text || !*text) return;
    const char* start = text;
    for (const char* p = text;; ++p) {
        if (*p == ',' || *p == '\0') {
            if (list->count < kMaxNumberListItems) list->values[list->count] = ReadItem(start, p);
            if (list->count < INT32_MAX) ++list->count;
            if (*p == '\0') break;
            start = p + 1;
        }
    }
}

int32_t NumberListAt(const NumberList* list, int i) {
    if (i < 0 || i >= list->count || i >= kMaxNumberListItems) return 0;
    return list->values[i];
}
