// Headless help seam: records the page instead of starting a browser.
#include "headless/help_headless.h"

#include <cstdio>

#include "shell/help_platform.h"

int gHeadlessHelpOpenCount = 0;
int gHeadlessHelpOpenResult = 1;
char gHeadlessHelpLastUrl[kHeadlessHelpUrlSize];
char gHeadlessHelpLastPath[kHeadlessHelpUrlSize];

int PlatformOpenHelpPage(const char* url, const char* path) {
    gHeadlessHelpOpenCount++;
    std::snprintf(gHeadlessHelpLastUrl, sizeof gHeadlessHelpLastUrl, "%s", url);
    std::snprintf(gHeadlessHelpLastPath, sizeof gHeadlessHelpLastPath, "%s", path);
    std::fprintf(stderr, "help: %s\n", url);
    return gHeadlessHelpOpenResult;
}

// The native build's 8-bit texts are Latin-1: each byte is the character of
// that number.
void PlatformPathToUtf8(const char* path, char* out, int size) {
    int n = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(path); *p; p++) {
        int need = *p < 0x80 ? 1 : 2;
        if (n + need >= size) break;
        if (need == 1) {
            out[n++] = static_cast<char>(*p);
        } else {
            out[n++] = static_cast<char>(0xC0 | (*p >> 6));
            out[n++] = static_cast<char>(0x80 | (*p & 0x3F));
        }
    }
    if (size > 0) out[n] = '\0';
}
