// Folder walks of discovery. Folder names are compared without regard to case
// (a folder "X.ELD" is a device folder), as the file system does.
#include "devices/discovery_walk.h"

#include <algorithm>
#include <cstring>

#include "devices/device_definition.h"
#include "devices/folder_list.h"

bool HasUserBankExtension(const std::string& name) {
    size_t dot = name.find('.');
    if (dot == std::string::npos) return false;
    return EqualsNoCase(name.substr(dot), ".xml");
}

int CollectUserBankNames(const std::string& folder, std::vector<std::string>* names) {
    names->clear();
    std::vector<FolderItem> items;
    if (!ListFolder(folder, &items)) return 0;
    for (const FolderItem& item : items) {
        if (item.isFolder) continue;
        if (item.name.size() >= static_cast<size_t>(kPathLen)) continue;
        if (HasUserBankExtension(item.name)) names->push_back(item.name);
    }
    // Byte order, case-sensitive: "A.xml" before "a.XML" before "b.xml".
    std::sort(names->begin(), names->end(), [](const std::string& a, const std::string& b) {
        return strcmp(a.c_str(), b.c_str()) < 0;
    });
    return 1;
}

namespace {

void WalkRomBanks(const std::string& folder, int depth, std::vector<std::string>* paths) {
    if (depth > kMaxWalkDepth) return;
    std::vector<FolderItem> items;
    if (!ListFolder(folder, &items)) return;
    for (const FolderItem& item : items) {
        if (item.isFolder) {
            if (EndsWithNoCase(item.name, ".eld"))
                WalkRomBanks(JoinPath(folder, item.name), depth + 1, paths);
            continue;
        }
        if (item.name.size() <= 4 || !EndsWithNoCase(item.name, ".xml")) continue;
        if (EqualsNoCase(item.name, "rom.xml") || EqualsNoCase(item.name, "definition.xml") ||
            EqualsNoCase(item.name, "midicc.xml"))
            continue;
        std::string path = JoinPath(folder, item.name);
        if (path.size() < static_cast<size_t>(kPathLen)) paths->push_back(path);
    }
}

void WalkLibraries(const std::string& folder, int depth, std::vector<std::string>* paths) {
    if (depth > kMaxWalkDepth) return;
    std::vector<FolderItem> items;
    if (!ListFolder(folder, &items)) return;
    for (const FolderItem& item : items) {
        if (item.isFolder) {
            if (EndsWithNoCase(item.name, ".eld") || EndsWithNoCase(item.name, ".ell"))
                WalkLibraries(JoinPath(folder, item.name), depth + 1, paths);
            continue;
        }
        if (!EqualsNoCase(item.name, "definition.xml") && !EqualsNoCase(item.name, "midicc.xml"))
            continue;
        std::string path = JoinPath(folder, item.name);
        if (path.size() < static_cast<size_t>(kPathLen)) paths->push_back(path);
    }
}

}  // namespace

void CollectRomBankCandidates(const std::string& devicesFolder, std::vector<std::string>* paths) {
    paths->clear();
    WalkRomBanks(devicesFolder, 0, paths);
}

void CollectLibraryFiles(const std::string& folder, std::vector<std::string>* paths) {
    paths->clear();
    WalkLibraries(folder, 0, paths);
}
