// Number lists of definition files ("10, 20, 300, 120"): comma-separated items
// of which only the digits and "-" count, each read as a decimal integer (an
// empty item is 0). Used by `bounds`, `colour`, `position`, `blacks`, `whites`.
#pragma once

#include <cstdint>

#include "devices/device_definition.h"

struct NumberList {
    int32_t count;                        // number of items in the text, may exceed the stored ones
    int32_t values[kMaxNumberListItems];  // the first kMaxNumberListItems items
};

// A null or empty text gives count 0.
void NumberListParse(NumberList* list, const char* text);
// The value of item i, 0 when the text had fewer items (or i is past the stored ones).
int32_t NumberListAt(const NumberList* list, int i);
