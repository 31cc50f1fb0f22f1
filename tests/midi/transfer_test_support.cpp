// The temporary program folder of the transfer tests (transfer_test_support.h).
#include "tests/midi/transfer_test_support.h"

#include <unistd.h>

#include <cstdio>

namespace fs = std::filesystem;

std::string TestDefinitionXml(const char* name, int pid, int linear, int buttons, int variables,
                              int zones, int presets) {
    auto key = [](const std::string& k) { return "<key>" + k + "</key>"; };
    auto integer = [](long v) { return "<integer>" + std::to_string(v) + "</integer>"; };
    auto text = [](const std::string& v) { return "<string>" + v + "</string>"; };
    std::string controls;
    for (int i = 0; i < linear + buttons; i++)
        controls += "<dict>" + key("name") + text("Control " + std::to_string(i + 1)) +
                    key("type") + text(i < linear ? "Knob" : "Button") + "</dict>";
    std::string vars;
    for (int i = 0; i < variables; i++)
        vars += "<dict>" + key("name") + text("Var " + std::to_string(i)) + key("ID") + integer(i) +
                "</dict>";
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n" +
           key("device") + "<dict>" + key("name") + text(name) + key("PID") + integer(pid) +
           key("VID") + integer(0x1234) + key("Group ID") + integer(0x21) + key("graphic") +
           "<dict>" + key("background") + text("device.png") + "</dict>" + key("preset") +
           "<dict>" + key("count") + integer(presets) + "</dict>" + key("MIDI") + "<dict>" +
           key("limits") + "<dict>" + key("zones") + integer(zones) + key("variables") +
           integer(variables) + "</dict></dict>" + key("controls") + "<array>" + controls +
           "</array>" + key("controller types") + "<array><dict>" + key("name") + text("Knob") +
           key("linear") + integer(1) + "</dict><dict>" + key("name") + text("Button") +
           key("linear") + integer(0) + key("MIDI") + "<dict>" + key("program") + integer(1) +
           "</dict></dict></array>" + key("variables") + "<array>" + vars + "</array>" +
           "</dict>\n</dict>\n</plist>\n";
}

TransferTestFolder::TransferTestFolder() {
    static int serial = 0;
    std::error_code error;
    const fs::path base = fs::temp_directory_path(error);
    for (;;) {
        path_ = base / ("ostrel-midi-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
        if (fs::create_directory(path_, error)) break;
    }
}

TransferTestFolder::~TransferTestFolder() {
    std::error_code error;
    fs::remove_all(path_, error);
}

std::string TransferTestFolder::Folder() const {
    return path_.string() + "/";
}

std::string TransferTestFolder::Path(const char* relative) const {
    return (path_ / relative).string();
}

void TransferTestFolder::Write(const std::string& relative, const std::string& contents) const {
    const fs::path file = path_ / relative;
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    FILE* f = fopen(file.string().c_str(), "wb");
    if (!f) return;
    fwrite(contents.data(), 1, contents.size(), f);
    fclose(f);
}
