// Helpers for the devices tests: property-list snippets and temporary
// program folders on disk.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "devices/device_definition.h"
#include "plist/plist_node.h"
#include "plist/plist_xml.h"

// A whole document around the given body of the root dictionary.
static inline std::string PlistDocument(const std::string& rootBody) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" +
           rootBody + "\n</dict>\n</plist>\n";
}

// <key>k</key><string>v</string>
static inline std::string KeyString(const std::string& k, const std::string& v) {
    return "<key>" + k + "</key><string>" + v + "</string>";
}
static inline std::string KeyInt(const std::string& k, long v) {
    return "<key>" + k + "</key><integer>" + std::to_string(v) + "</integer>";
}
static inline std::string KeyDict(const std::string& k, const std::string& body) {
    return "<key>" + k + "</key><dict>" + body + "</dict>";
}
static inline std::string KeyArray(const std::string& k, const std::string& body) {
    return "<key>" + k + "</key><array>" + body + "</array>";
}
static inline std::string Dict(const std::string& body) {
    return "<dict>" + body + "</dict>";
}

// Reads a definition document from memory into def (its directory kept).
static inline void ReadDefinitionText(DeviceDefinition* def, const std::string& xml) {
    PlistNode* root = ParsePlist(xml.data(), xml.size(), "test", nullptr);
    DeviceDefinitionRead(def, root);
    DestroyTree(root);
}

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class DevicesTempFolder {
  public:
    DevicesTempFolder() {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::temp_directory_path(ec);
        static int serial = 0;
        for (;;) {
            path_ = base / ("ostrel-devices-" + std::to_string(::getpid()) + "-" +
                            std::to_string(serial++));
            if (std::filesystem::create_directory(path_, ec)) break;
        }
    }
    ~DevicesTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    DevicesTempFolder(const DevicesTempFolder&) = delete;
    DevicesTempFolder& operator=(const DevicesTempFolder&) = delete;

    // The folder with a trailing separator, as program and device folders are given.
    std::string Folder() const { return path_.string() + "/"; }
    // Creates folders on the way and writes the file; returns its full path.
    std::string Write(const std::string& relative, const std::string& contents) const {
        std::filesystem::path p = path_ / relative;
        std::error_code ec;
        std::filesystem::create_directories(p.parent_path(), ec);
        FILE* f = fopen(p.string().c_str(), "wb");
        if (f) {
            fwrite(contents.data(), 1, contents.size(), f);
            fclose(f);
        }
        return p.string();
    }
    void MakeFolder(const std::string& relative) const {
        std::error_code ec;
        std::filesystem::create_directories(path_ / relative, ec);
    }

  private:
    std::filesystem::path path_;
};
