// Folder listing on std::filesystem, without exceptions: an unreadable entry
// or folder ends the listing instead of the program.
#include "devices/folder_list.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

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

}  // namespace

int ListFolder(const std::string& folder, std::vector<FolderItem>* items) {
    namespace fs = std::filesystem;
    items->clear();
    std::error_code ec;
    fs::directory_iterator it(fs::path(folder), ec);
    if (ec) return 0;
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) break;
        std::error_code typeEc;
        bool isFolder = it->is_directory(typeEc);
        items->push_back({it->path().filename().string(), isFolder && !typeEc});
    }
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
