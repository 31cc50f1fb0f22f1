// Conversions between the single-byte names the program keeps (each byte one character,
// U+0000-U+00FF) and the UTF-8 that documents store.

#include <cstddef>
#include <cstdint>

#include "plist/plist_xml.h"

int ToUtf8(const char* text, char* out, size_t size) {
    if (!out || size == 0) return 0;
    size_t length = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text ? text : ""); *p;
         p++) {
        size_t need = *p < 0x80 ? 1 : 2;
        if (length + need >= size) break;  // a character that does not fit ends the text
        if (need == 1) {
            out[length++] = static_cast<char>(*p);
        } else {
            out[length++] = static_cast<char>(0xc0 | (*p >> 6));
            out[length++] = static_cast<char>(0x80 | (*p & 0x3f));
        }
    }
    out[length] = '\0';
    return static_cast<int>(length);
}

// Decodes the character at p; returns its byte count (1 for a byte that does not start a
// well-formed sequence, which is then taken as the character of its own code).
static size_t DecodeUtf8(const unsigned char* p, uint32_t* code) {
    unsigned char lead = p[0];
    size_t count;
    uint32_t value;
    uint32_t minimum;  // smallest code of this length: shorter encodings are overlong
    if (lead < 0x80) {
        *code = lead;
        return 1;
    } else if (lead >= 0xc0 && lead < 0xe0) {
        count = 2, value = lead & 0x1f, minimum = 0x80;
    } else if (lead >= 0xe0 && lead < 0xf0) {
        count = 3, value = lead & 0x0f, minimum = 0x800;
    } else if (lead >= 0xf0 && lead < 0xf5) {
        count = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        *code = lead;
        return 1;
    }
    // The zero byte ends the text and is no continuation byte, so this never reads past it.
    for (size_t i = 1; i < count; i++) {
        if ((p[i] & 0xc0) != 0x80) {
            *code = lead;
            return 1;
        }
        value = (value << 6) | (p[i] & 0x3f);
    }
    if (value < minimum || value > 0x10ffff) {
        *code = lead;
        return 1;
    }
    *code = value;
    return count;
}

void FromUtf8(const char* utf8, char* out, size_t size) {
    if (!out || size == 0) return;
    size_t length = 0;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8 ? utf8 : "");
    while (*p && length + 1 < size) {
        uint32_t code;
        p += DecodeUtf8(p, &code);
        // A character whose low 8 bits are 0 (U+0100, U+3000...) would end
        // the text there, and what follows would be lost with the next save.
        out[length++] = (code & 0xff) != 0 ? static_cast<char>(code & 0xff) : '?';
    }
    out[length] = '\0';
}
