// Headless help seam: records the page instead of starting a browser.
#include "headless/help_headless.h"

#include <cstdio>

#include "shell/help_platform.h"

int gHeadlessHelpOpenCount = 0;
char gHeadlessHelpLastUrl[kHeadlessHelpUrlSize];
char gHeadlessHelpLastPath[kHeadlessHelpUrlSize];

int PlatformOpenHelpPage(const char* url, const char* path) {
    gHeadlessHelpOpenCount++;
    std::snprintf(gHeadlessHelpLastUrl, sizeof gHeadlessHelpLastUrl, "%s", url);
    std::snprintf(gHeadlessHelpLastPath, sizeof gHeadlessHelpLastPath, "%s", path);
    std::fprintf(stderr, "help: %s\n", url);
    return 1;
}
