// Path texts of bank files: folder and name parts, the display name, and the
// extension the file dialogs' filters impose. Both separators count, so a
// path written by the Windows program reads the same in the native tools.
#include <cstring>
#include <string>
#include <vector>

#include "banks/bank_commands.h"
#include "banks/bank_model.h"
#include "banks/file_dialogs.h"

const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; p++) {
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    }
    return name;
}

// The path's text as SameFilePath compares it.
static std::string ComparablePath(const char* path) {
    std::string text(path);
    // One separator, and letters of one case (ASCII, as SameTextNoCase).
    for (char& c : text) {
        if (c == '\\') c = '/';
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    // A leading "//" (a network path) stays; the rest is taken apart.
    const size_t start = text.compare(0, 2, "//") == 0 ? 2 : (text[0] == '/' ? 1 : 0);
    std::vector<std::string> parts;
    size_t at = start;
    while (at <= text.size()) {
        size_t end = text.find('/', at);
        if (end == std::string::npos) end = text.size();
        std::string part = text.substr(at, end - at);
        // ".." takes back the folder before it, but never a drive ("c:").
        const bool folderBefore =
            !parts.empty() && parts.back() != ".." && parts.back().find(':') == std::string::npos;
        if (part == ".." && folderBefore) {
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        at = end + 1;
    }
    std::string out = text.substr(0, start);
    for (size_t i = 0; i < parts.size(); i++) out += (i ? "/" : "") + parts[i];
    return out;
}

bool SameFilePath(const char* a, const char* b) {
    if (!a || !b) return a == b;
    if (SameTextNoCase(a, b)) return true;
    // Files of different names are different files, whatever the folders:
    // the common answer, found without taking the paths apart.
    const char* nameA = FileNamePart(a);
    const char* nameB = FileNamePart(b);
    const bool plain = strcmp(nameA, ".") != 0 && strcmp(nameA, "..") != 0 && *nameA &&
                       strcmp(nameB, ".") != 0 && strcmp(nameB, "..") != 0 && *nameB;
    if (plain && !SameTextNoCase(nameA, nameB)) return false;
    return ComparablePath(a) == ComparablePath(b);
}

void FolderOfPath(const char* path, char* out, size_t size) {
    if (!path) path = "";
    size_t n = static_cast<size_t>(FileNamePart(path) - path);
    if (size == 0) return;
    if (n >= size) n = size - 1;
    memcpy(out, path, n);
    out[n] = 0;
}

void DisplayNameFromPath(const char* path, char* out, size_t size) {
    const char* name = FileNamePart(path ? path : "");
    size_t n = strlen(name);
    n = n > 4 ? n - 4 : 0;
    if (size == 0) return;
    if (n >= size) n = size - 1;
    memcpy(out, name, n);
    out[n] = 0;
}

int LoadFilterForName(const char* path, int shownFilter) {
    const char* dot = strrchr(FileNamePart(path ? path : ""), '.');
    if (dot) {
        if (SameTextNoCase(dot + 1, "xml")) return kFilterBankFile;
        if (SameTextNoCase(dot + 1, "sxl")) return kFilterSxlFile;
        if (SameTextNoCase(dot + 1, "syx")) return kFilterSyxFile;
    }
    return shownFilter;
}

int ReplaceExtensionForFilter(char* path, size_t size, int filter) {
    const char* extension = filter == kFilterSxlFile   ? "sxl"
                            : filter == kFilterSyxFile ? "syx"
                                                       : "xml";
    char* name = const_cast<char*>(FileNamePart(path));
    char* dot = strrchr(name, '.');
    size_t stem = dot ? static_cast<size_t>(dot - path) : strlen(path);
    if (stem + 1 + strlen(extension) + 1 > size) return 0;
    path[stem] = '.';
    strcpy(path + stem + 1, extension);
    return 1;
}

bool CharFitsFileName(char c) {
    return static_cast<unsigned char>(c) >= 0x20 && !strchr("\\/:*?\"<>|", c);
}

std::string UsableFileName(std::string name) {
    for (char& c : name) {
        if (!CharFitsFileName(c)) c = '_';
    }
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
    return name;
}
