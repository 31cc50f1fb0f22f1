// A temporary program folder with one device model on disk, for the transfer
// tests that go through discovery, the bank list and the simulated device.
#pragma once

#include <filesystem>
#include <string>

// The model written by TransferTestFolder: 128 presets, 40 linear controls, 20
// buttons, 8 variables and 4 zones, PID kTransferTestPid.
constexpr int kTransferTestPid = 0x0456;
constexpr int kTransferTestLinear = 40;
constexpr int kTransferTestButtons = 20;
constexpr int kTransferTestVariables = 8;
constexpr int kTransferTestZones = 4;

// The definition text of a model of that shape.
std::string TestDefinitionXml(const char* name, int pid, int linear, int buttons, int variables,
                              int zones, int presets);

class TransferTestFolder {
  public:
    TransferTestFolder();
    ~TransferTestFolder();
    TransferTestFolder(const TransferTestFolder&) = delete;
    TransferTestFolder& operator=(const TransferTestFolder&) = delete;

    // The folder with its trailing separator.
    std::string Folder() const;
    std::string Path(const char* relative) const;
    void Write(const std::string& relative, const std::string& contents) const;

  private:
    std::filesystem::path path_;
};
