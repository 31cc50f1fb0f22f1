// The two small grammars of library controls: the assignment text ("channel=2
// midicc=74") and the controller-type filter ("!Button").
#include <cctype>
#include <cstring>

#include "devices/control_library.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
// Between pairs, library authors write blanks and sometimes ":" or "," or ";"
// (as in the label maps); none of them can begin a key.
bool IsPairSeparator(char c) {
    return IsBlank(c) || c == ':' || c == ',' || c == ';';
}

bool KeyIs(const char* key, int len, const char* name) {
    if (static_cast<int>(strlen(name)) != len) return false;
    for (int i = 0; i < len; ++i)
        if (tolower(static_cast<unsigned char>(key[i])) != name[i]) return false;
    return true;
}

}  // namespace

void LibraryAssignmentParse(LibraryAssignment* out, const char* text) {
    memset(out, 0, sizeof *out);
    if (!text) return;
    const char* p = text;
    while (*p) {
        while (*p && IsPairSeparator(*p)) ++p;
        if (!*p) break;
        // The key runs up to "="; blanks inside it are dropped.
        char key[16];
        int keyLen = 0;
        while (*p && *p != '=' && !IsDigit(*p)) {
            if (!IsBlank(*p) && keyLen < static_cast<int>(sizeof key)) key[keyLen++] = *p;
            ++p;
        }
        if (*p != '=') {
            // No "=" before the digits (or the end): skip the digits and go on.
            while (IsDigit(*p)) ++p;
            continue;
        }
        ++p;
        while (IsBlank(*p)) ++p;
        if (!IsDigit(*p)) continue;  // a key without a value sets nothing
        int64_t value = 0;
        while (IsDigit(*p)) {
            if (value < INT32_MAX) value = value * 10 + (*p - '0');
            ++p;
        }
        if (value > INT32_MAX) value = INT32_MAX;
        int32_t v = static_cast<int32_t>(value);
        if (KeyIs(key, keyLen, "channel")) {
            out->channel = v;
            out->channelSet = 1;
        } else if (KeyIs(key, keyLen, "midicc")) {
            out->midiCc = v;
            out->midiCcSet = 1;
        } else if (KeyIs(key, keyLen, "program")) {
            out->program = v;
            out->programSet = 1;
        } else if (KeyIs(key, keyLen, "msb")) {
            out->msb = v;
            out->msbSet = 1;
        } else if (KeyIs(key, keyLen, "lsb")) {
            out->lsb = v;
            out->lsbSet = 1;
        }
    }
}

int CtrlTypeFits(const char* ctrlType, const char* typeName) {
    if (!ctrlType || !*ctrlType) return 1;
    if (!typeName) typeName = "";
    if (ctrlType[0] == '!') return strstr(ctrlType + 1, typeName) == nullptr;
    return strstr(ctrlType, typeName) != nullptr;
}
