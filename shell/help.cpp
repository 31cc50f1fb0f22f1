// Opening help pages: context to page, page to file URL, URL to the browser.
#include "shell/help.h"

#include <cstdio>
#include <cstring>

#include "base/messages.h"
#include "base/whole_file.h"
#include "base/working_blocks.h"
#include "shell/help_platform.h"

namespace {

// A file: URL can be six times as long as its 8-bit path: each character
// may take two bytes of UTF-8, and each byte three characters to escape.
constexpr int kHelpUrlSize = 6 * kWholeFileMaxPath + 64;

// Unreserved URL characters plus the separators a path keeps as they are.
int KeptInUrl(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::strchr("-._~/:", c) != nullptr;
}

// Appends to out[*len] within size, keeping one byte for the NUL.
int Append(char* out, int size, int* len, const char* text) {
    int n = static_cast<int>(std::strlen(text));
    if (*len + n >= size) return 0;
    std::memcpy(out + *len, text, n);
    *len += n;
    out[*len] = '\0';
    return 1;
}

int AppendEscaped(char* out, int size, int* len, const char* text) {
    static const char kHex[] = "0123456789ABCDEF";
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; p++) {
        char piece[4];
        unsigned char c = *p == '\\' ? '/' : *p;
        if (KeptInUrl(c)) {
            piece[0] = static_cast<char>(c);
            piece[1] = '\0';
        } else {
            piece[0] = '%';
            piece[1] = kHex[c >> 4];
            piece[2] = kHex[c & 15];
            piece[3] = '\0';
        }
        if (!Append(out, size, len, piece)) return 0;
    }
    return 1;
}

// A page missing, or no browser to show it: the user can still read the
// pages themselves, when told where they are.
int CannotShow(const char* path) {
    char folder[kWholeFileMaxPath];
    if (!BuildHelpPagePath("", folder, sizeof folder)) folder[0] = '\0';
    StatusMessage2(kStrHelpNotShown, path, folder);
    return 0;
}

int OpenTopic(const HelpTopic& topic) {
    char path[kWholeFileMaxPath];
    char utf8[3 * kWholeFileMaxPath];
    char url[kHelpUrlSize];
    if (!BuildHelpPagePath(topic.page, path, sizeof path)) return CannotShow(topic.page);
    if (WholeFileSize(path) < 0) return CannotShow(path);
    // A URL's escapes stand for UTF-8 bytes, not for the code page's.
    PlatformPathToUtf8(path, utf8, sizeof utf8);
    if (!BuildHelpFileUrl(utf8, topic.anchor, url, sizeof url)) return CannotShow(path);
    if (!PlatformOpenHelpPage(url, path)) return CannotShow(path);
    return 1;
}

}  // namespace

int BuildHelpFileUrl(const char* path, const char* anchor, char* out, int size) {
    if (out == nullptr || size <= 0) return 0;
    out[0] = '\0';
    if (path == nullptr || path[0] == '\0') return 0;
    int len = 0;
    int ok;
    if ((path[0] == '\\' && path[1] == '\\') || (path[0] == '/' && path[1] == '/')) {
        // A network path: the server name becomes the URL's host.
        ok = Append(out, size, &len, "file:") && AppendEscaped(out, size, &len, path);
    } else if (path[0] == '/' || path[0] == '\\') {
        ok = Append(out, size, &len, "file://") && AppendEscaped(out, size, &len, path);
    } else {
        ok = Append(out, size, &len, "file:///") && AppendEscaped(out, size, &len, path);
    }
    if (ok && anchor != nullptr && anchor[0] != '\0') {
        ok = Append(out, size, &len, "#") && AppendEscaped(out, size, &len, anchor);
    }
    if (!ok) out[0] = '\0';
    return ok;
}

int BuildHelpPagePath(const char* page, char* out, int size) {
    if (out == nullptr || size <= 0) return 0;
    const char* dir = gProgramDir != nullptr ? gProgramDir : "";
    // The program directory ends in the separator of its platform; the pages
    // follow the same style.
    char separator =
        std::strchr(dir, '/') != nullptr && std::strchr(dir, '\\') == nullptr ? '/' : '\\';
    int n = std::snprintf(out, size, "%s%s%c%s", dir, kHelpFolder, separator, page);
    if (n < 0 || n >= size) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

int ShowHelpContext(int context) {
    const HelpTopic* topic = FindHelpTopic(context);
    if (topic == nullptr) topic = FindHelpTopic(kHelpContents);
    return OpenTopic(*topic);
}

int ShowHelpContents() {
    return OpenTopic(*FindHelpTopic(kHelpContents));
}
