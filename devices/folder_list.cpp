// Folder listing on opendir/readdir, which both the C library here and the
// mingw runtime provide (there on the ANSI find functions). Names pass
// through as 8-bit bytes, exactly as the program's paths hold them; no
// conversion can fail and nothing throws.
#include "devices/folder_list.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstring>

namespace {

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool NameBefore(const FolderItem& a, const FolderItem& b) {
    size_t n = std::min(a.name.size(), b.name.size());
    for (size_t i = 0; i < n; ++i) {
        char x = FoldCase(a.name[i]), y = FoldCase(b.name[i]);
        if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    }
    if (a.name.size() != b.name.size()) return a.name.size() < b.name.size();
    return a.name < b.name;
}

bool IsFolder(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

int ListFolder(const std::string& folder, std::vector<FolderItem>* items) {
    items->clear();
    if (folder.empty()) return 0;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return 0;
    while (struct dirent* entry = readdir(dir)) {
        const char* name = entry->d_name;
        if (strcmp(name, ".") == 0 || strcmp(name, "..") == 0) continue;
        items->push_back({name, IsFolder(JoinPath(folder, name))});
    }
    closedir(dir);
    std::sort(items->begin(), items->end(), NameBefore);
    return 1;
}

bool EndsWithNoCase(const std::string& name, const char* suffix) {
    size_t n = strlen(suffix);
    if (name.size() < n) return false;
    return EqualsNoCase(name.substr(name.size() - n), suffix);
}

bool EqualsNoCase(const std::string& a, const char* b) {
    size_t n = strlen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (FoldCase(a[i]) != FoldCase(b[i])) return false;
    return true;
}

std::string WithSeparator(const std::string& folder) {
    if (folder.empty()) return folder;
    char last = folder.back();
    if (last == '/' || last == '\\') return folder;
    return folder + kPathSeparator;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return WithSeparator(folder) + name;
}
