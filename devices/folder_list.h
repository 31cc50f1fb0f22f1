// Listing one folder's entries: the only place discovery touches the file
// system's enumeration, so its order is decided here.
#pragma once

#include <string>
#include <vector>

#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

struct FolderItem {
    std::string name;  // the entry's name, without the folder
    bool isFolder;
};

// The entries of folder, without "." and "..". Sorted by name without regard
// to case (ties in byte order), whatever order the file system lists them
// in, so that "the first folder found" means the same on every file system. Returns 0 when the folder
// cannot be listed.
int ListFolder(const std::string& folder, std::vector<FolderItem>* items);

// Whether name ends in suffix, ignoring the case of A-Z.
bool EndsWithNoCase(const std::string& name, const char* suffix);
bool EqualsNoCase(const std::string& a, const char* b);
// folder + name, with exactly one separator between them.
std::string JoinPath(const std::string& folder, const std::string& name);
// folder with a trailing separator.
std::string WithSeparator(const std::string& folder);
