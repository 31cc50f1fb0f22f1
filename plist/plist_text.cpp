// Property-list tree: the text setter (values as the XML reader hands them over) and the
// typed getters that copy values out into callers' fixed-size fields.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "plist/plist_build.h"
#include "plist/plist_node.h"

static bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

static int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

// strtol with base 0, but over a counted text and saturating at the 32-bit limits whatever
// the width of long: "0x10" is 16, "010" is 8, "  -7x" is -7, "x" is 0.
static int32_t ParseInteger(const char* text, size_t length) {
    size_t i = 0;
    while (i < length && IsBlank(text[i])) i++;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        i++;
    }
    int base = 10;
    if (i < length && text[i] == '0') {
        base = 8;
        // "0x" only counts as a prefix when a hex digit follows; "0xg" reads as 0.
        if (i + 2 < length && (text[i + 1] == 'x' || text[i + 1] == 'X') &&
            DigitValue(text[i + 2]) < 16) {
            base = 16;
            i += 2;
        }
    }
    // The magnitude is accumulated up to just past the 32-bit range, then clamped.
    const uint64_t kLimit = negative ? 2147483648u : 2147483647u;
    uint64_t magnitude = 0;
    for (; i < length; i++) {
        int digit = DigitValue(text[i]);
        if (digit >= base) break;
        magnitude = magnitude * base + digit;
        if (magnitude > kLimit) magnitude = kLimit + 1;
    }
    if (magnitude > kLimit) magnitude = kLimit;
    return negative ? static_cast<int32_t>(-static_cast<int64_t>(magnitude))
                    : static_cast<int32_t>(magnitude);
}

// The plain decimals the writer produces ("-12.500000"), without strtof: when the digits form
// an integer below 2^24 and at most ten of them follow the point, both that integer and the
// power of ten are exact floats, so one float division is correctly rounded, as strtof is
// (Clinger's fast path). Anything else (exponents, hex, inf, nan, long digit strings) is left
// to strtof: false.
static bool ParsePlainReal(const char* text, size_t length, float* value) {
    static const float kPowersOfTen[] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                         1e6f, 1e7f, 1e8f, 1e9f, 1e10f};
    size_t i = 0;
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    uint32_t mantissa = 0;
    int digits = 0;
    int decimals = -1;  // digits after the point; -1 before it
    for (; i < length; i++) {
        char c = text[i];
        if (c == '.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9') break;
        mantissa = mantissa * 10 + static_cast<uint32_t>(c - '0');
        if (mantissa >= (1u << 24)) return false;
        digits++;
        if (decimals >= 0 && ++decimals > 10) return false;
    }
    if (digits == 0) return false;
    // Where strtof would read on (an exponent, "0x" hex): not plain.
    if (i < length && (text[i] == 'e' || text[i] == 'E' || text[i] == 'x' || text[i] == 'X')) {
        return false;
    }
    float result = static_cast<float>(mantissa) / kPowersOfTen[decimals < 0 ? 0 : decimals];
    *value = negative ? -result : result;
    return true;
}

// Reads a number as sscanf("%f") would; false when the text holds none.
static bool ParseReal(const char* text, size_t length, float* value) {
    size_t i = 0;
    while (i < length && IsBlank(text[i])) i++;
    if (ParsePlainReal(text + i, length - i, value)) return true;
    // strtof needs a terminated text. Numbers are short, so a bounded copy does: a longer
    // text is cut to 511 characters, far more than any real the program writes ("%f" of the
    // largest float is 46 characters).
    char buffer[512];
    size_t count = length - i;
    if (count >= sizeof buffer) count = sizeof buffer - 1;
    memcpy(buffer, text + i, count);
    buffer[count] = '\0';
    char* end = nullptr;
    float parsed = strtof(buffer, &end);
    if (end == buffer) return false;
    *value = parsed;
    return true;
}

// "true" in any letter case at the start; "yes" or "1" are false, as the format has it.
static bool StartsWithTrue(const char* text, size_t length) {
    static const char kTrue[] = "true";
    if (length < 4) return false;
    for (int i = 0; i < 4; i++) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
        if (c != kTrue[i]) return false;
    }
    return true;
}

void StoreText(PlistNode* node, const char* text, uint32_t length) {
    if (!text) {
        text = "";
        length = 0;
    } else if (length == 0) {
        length = static_cast<uint32_t>(strlen(text));
    }
    switch (TypeOf(node)) {
        case PlistType::String:
            node->text.append(text, length);
            break;
        case PlistType::Boolean:
            node->value.boolean = StartsWithTrue(text, length) ? 1 : 0;
            break;
        case PlistType::Integer:
            node->value.integer = ParseInteger(text, length);
            break;
        case PlistType::Real: {
            float value;
            if (ParseReal(text, length, &value)) node->value.real = value;
            break;
        }
        case PlistType::Data:
            ClearValue(node);
            SetType(node, PlistType::Data);
            node->text.assign(text, length);
            break;
        case PlistType::None:
        case PlistType::Dict:
        case PlistType::Array:
            break;
    }
}

void SetText(PlistNode* node, const char* text, uint32_t length) {
    if (!node) return;
    StoreText(node, text, length);
    MarkDirty(node, true);
}

// The value of a boolean, integer or real node as an integer, or false for other types.
static bool NumberOf(const PlistNode* node, int32_t* value) {
    switch (TypeOf(node)) {
        case PlistType::Boolean:
            *value = node->value.boolean ? 1 : 0;
            return true;
        case PlistType::Integer:
            *value = node->value.integer;
            return true;
        case PlistType::Real: {
            // Truncation toward zero; NaN and values beyond the 32-bit range would be
            // undefined in a plain cast, so they are pinned (NaN reads as 0).
            float real = node->value.real;
            if (!(real == real)) {
                *value = 0;
            } else if (real >= 2147483648.0f) {
                *value = INT32_MAX;
            } else if (real <= -2147483648.0f) {
                *value = INT32_MIN;
            } else {
                *value = static_cast<int32_t>(real);
            }
            return true;
        }
        default:
            return false;
    }
}

int32_t GetInt(PlistNode* node, const char* path, int32_t defaultValue) {
    int32_t value;
    return NumberOf(Lookup(node, path, 0), &value) ? value : defaultValue;
}

int32_t GetIntOfChild(const PlistNode* node, const char* key) {
    PlistNode* child = FindChild(node, key, 0);
    if (!child) return -1;
    int32_t value;
    return NumberOf(child, &value) ? value : 0;
}

int GetText(const PlistNode* node, char* buffer, size_t size) {
    if (!buffer || size == 0) return 0;
    size_t length = TextLength(node);
    if (length >= size) {
        // Cut at a character boundary so that a shortened UTF-8 name stays valid: step back
        // over continuation bytes (at most three) to the lead byte of the cut character.
        length = size - 1;
        const char* text = TextOf(node);
        for (int back = 0; back < 3 && length > 0; back++) {
            if ((static_cast<unsigned char>(text[length]) & 0xc0) != 0x80) break;
            length--;
        }
        if ((static_cast<unsigned char>(text[length]) & 0xc0) == 0x80) length = size - 1;
    }
    memcpy(buffer, TextOf(node), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

int GetTextOfChild(const PlistNode* node, const char* key, char* buffer, size_t size) {
    PlistNode* child = FindChild(node, key, 0);
    if (!child) return -1;
    return GetText(child, buffer, size);
}
