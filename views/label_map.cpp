// The label map grammar of library controls (see label_map.h).
#include "views/label_map.h"

#include <cstring>

#include "views/list_columns.h"

namespace {

// Copies text[begin, end) into a label field, cut to fit.
void CopyRange(char (&dst)[kNameLen], const char* begin, const char* end) {
    size_t n = static_cast<size_t>(end - begin);
    if (n > kNameLen - 1) n = kNameLen - 1;
    std::memcpy(dst, begin, n);
    dst[n] = '\0';
}

bool KeyIs(const char* begin, const char* end, const char* key) {
    size_t n = static_cast<size_t>(end - begin);
    return std::strlen(key) == n && std::strncmp(begin, key, n) == 0;
}

}  // namespace

int ParseLabelMap(const char* text, ValueLabels* labels) {
    if (text == nullptr) return 0;
    // Anything before a ">" is a prefix the map does not use; the ">" stays
    // with the key that follows it.
    const char* p = std::strchr(text, '>');
    if (p == nullptr) p = text;
    int set = 0;
    while (*p != '\0') {
        const char* pairEnd = std::strchr(p, ':');
        if (pairEnd == nullptr) pairEnd = p + std::strlen(p);
        const char* equals = static_cast<const char*>(std::memchr(p, '=', pairEnd - p));
        if (equals != nullptr) {
            char(*target)[kNameLen] = nullptr;
            if (KeyIs(p, equals, "program")) target = &labels->program;
            if (KeyIs(p, equals, "msb")) target = &labels->msb;
            if (KeyIs(p, equals, "lsb")) target = &labels->lsb;
            if (target != nullptr) {
                CopyRange(*target, equals + 1, pairEnd);
                ++set;
            }
        }
        p = *pairEnd == ':' ? pairEnd + 1 : pairEnd;
    }
    return set;
}

void ResolveValueLabels(const char* libraryLabels, ValueLabels* labels) {
    std::memset(labels, 0, sizeof *labels);
    if (libraryLabels != nullptr && libraryLabels[0] != '\0' &&
        ParseLabelMap(libraryLabels, labels) > 0) {
        labels->fromLibrary = 1;
        return;
    }
    std::memset(labels, 0, sizeof *labels);
    ParseLabelMap(kDefaultLabelMap, labels);
}

const char* ValueLabelFor(const ValueLabels& labels, int subkind) {
    switch (subkind) {
        case kValueProgram:
            return labels.program;
        case kValueMsb:
            return labels.msb;
        case kValueLsb:
            return labels.lsb;
        default:
            return nullptr;
    }
}
