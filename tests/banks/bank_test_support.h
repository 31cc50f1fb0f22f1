// Test support for the banks, undo and command-line tests: a temporary program
// folder with two small device models, and a fixture that starts every test
// from an empty bank list with model Alpha loaded.
//
// Model Alpha (PID 100): 4 presets; controls 0 "Knob 1" and 1 "Knob 2" of the
// linear type "knob" (CCs 0-127), control 2 "Pad" of the button type "pad"
// (CCs 0-63, has a program); variables "Zones" (masks, slot 0) and
// "Transpose" (slot 2, -12..12, default 3); two zones of the fields
// "note low" and "note high" (defaults 0 and 127).
// Model Beta (PID 200): 2 presets, one linear control, no variables or zones.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "banks/bank_model.h"
#include "banks/file_dialogs.h"
#include "base/memory.h"
#include "base/messages.h"
#include "base/working_blocks.h"
#include "devices/device_definition.h"
#include "banks/discovery.h"
#include "banks/undo_history.h"
#include "headless/file_dialogs_headless.h"
#include "headless/menu_headless.h"
#include "headless/messages_headless.h"

constexpr int kAlphaPid = 100;
constexpr int kBetaPid = 200;

inline const char* AlphaDefinition() {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<dict>
	<key>device</key><dict>
		<key>name</key><string>Alpha</string>
		<key>VID</key><integer>7</integer>
		<key>PID</key><integer>100</integer>
		<key>Group ID</key><integer>33</integer>
		<key>graphic</key><dict><key>background</key><string>alpha.png</string></dict>
		<key>preset</key><dict><key>count</key><integer>4</integer></dict>
		<key>MIDI</key><dict>
			<key>limits</key><dict><key>zones</key><integer>2</integer><key>variables</key><integer>3</integer></dict>
			<key>supported cc</key><string>0-127</string>
			<key>sysex list</key><array>
				<dict><key>array</key><string>zones</string><key>tag name</key><string>note low</string></dict>
				<dict><key>array</key><string>zones</string><key>tag name</key><string>note high</string></dict>
			</array>
			<key>default values</key><dict>
				<key>controls</key><dict><key>channel</key><integer>1</integer><key>MIDICC</key><integer>7</integer><key>program</key><integer>0</integer><key>msb</key><integer>0</integer><key>lsb</key><integer>0</integer></dict>
				<key>variables</key><dict><key>Transpose</key><integer>3</integer></dict>
				<key>zones</key><dict><key>note low</key><integer>0</integer><key>note high</key><integer>127</integer></dict>
			</dict>
		</dict>
		<key>controls</key><array>
			<dict><key>name</key><string>Knob 1</string><key>type</key><string>knob</string></dict>
			<dict><key>name</key><string>Knob 2</string><key>type</key><string>knob</string></dict>
			<dict><key>name</key><string>Pad</string><key>type</key><string>pad</string></dict>
		</array>
		<key>controller types</key><array>
			<dict><key>name</key><string>knob</string><key>linear</key><true/><key>MIDI</key><dict><key>program</key><integer>0</integer><key>supported cc</key><string>0-127</string></dict></dict>
			<dict><key>name</key><string>pad</string><key>linear</key><false/><key>MIDI</key><dict><key>program</key><integer>1</integer><key>supported cc</key><string>0-63</string></dict></dict>
		</array>
		<key>variables</key><array>
			<dict><key>name</key><string>Zones</string><key>target</key><string>[0]</string>
				<key>mask</key><array><dict><key>name</key><string>Zone 1</string><key>mask</key><integer>1</integer></dict><dict><key>name</key><string>Zone 2</string><key>mask</key><integer>2</integer></dict></array></dict>
			<dict><key>name</key><string>Transpose</string><key>target</key><string>[2]</string><key>value min</key><integer>-12</integer><key>value max</key><integer>12</integer></dict>
		</array>
		<key>zone data fields</key><array>
			<dict><key>name</key><string>Low</string><key>tag name</key><string>note low</string><key>ID</key><integer>1</integer></dict>
			<dict><key>name</key><string>High</string><key>tag name</key><string>note high</string><key>ID</key><integer>2</integer></dict>
		</array>
	</dict>
</dict>
</plist>
)";
}

inline const char* BetaDefinition() {
    return R"(<?xml version="1.0" encoding="UTF-8"?>
<plist version="1.0">
<dict>
	<key>device</key><dict>
		<key>name</key><string>Beta</string>
		<key>VID</key><integer>7</integer>
		<key>PID</key><integer>200</integer>
		<key>graphic</key><dict><key>background</key><string>beta.png</string></dict>
		<key>preset</key><dict><key>count</key><integer>2</integer></dict>
		<key>MIDI</key><dict><key>supported cc</key><string>0-127</string></dict>
		<key>controls</key><array>
			<dict><key>name</key><string>Fader</string><key>type</key><string>fader</string></dict>
		</array>
		<key>controller types</key><array>
			<dict><key>name</key><string>fader</string><key>linear</key><true/></dict>
		</array>
	</dict>
</dict>
</plist>
)";
}

// A fresh folder under the system's temporary folder, removed with its contents.
class BankTempFolder {
  public:
    BankTempFolder() {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::temp_directory_path(ec);
        static int serial = 0;
        for (;;) {
            path_ = base /
                    ("ostrel-banks-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
            if (std::filesystem::create_directory(path_, ec)) break;
        }
    }
    ~BankTempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    BankTempFolder(const BankTempFolder&) = delete;
    BankTempFolder& operator=(const BankTempFolder&) = delete;

    std::string Folder() const { return path_.string() + "/"; }
    std::string Path(const std::string& relative) const { return (path_ / relative).string(); }
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

  private:
    std::filesystem::path path_;
};

inline std::string ReadFileText(const std::string& path) {
    std::string text;
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) return text;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    fclose(f);
    return text;
}

inline bool FileThere(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

// Writes the two models into folder's "Devices" and makes "User Preset Banks".
inline void WriteDemoDevices(const BankTempFolder& folder) {
    folder.Write("Devices/Alpha.eld/definition.xml", AlphaDefinition());
    folder.Write("Devices/Beta.eld/definition.xml", BetaDefinition());
    std::error_code ec;
    std::filesystem::create_directories(folder.Path("User Preset Banks"), ec);
}

// Every test starts with no banks, an empty undo history, the menu as the
// resource has it, and model Alpha loaded from a temporary program folder.
class BankTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessMessagesReset();
        HeadlessMessages().quiet = 1;
        gPopupMinimumMs = 0;  // the popup's display time is the shell's to test
        HeadlessMenuReset();
        HeadlessFileDialogsReset();
        ownsWorkingBlocks_ = gFileIo == nullptr;
        if (ownsWorkingBlocks_) AllocWorkingBlocks();
        gLastBankPath[0] = 0;
        gFileIo->initialDir[0] = 0;
        WriteDemoDevices(folder_);
        DiscoverySetProgramFolder(folder_.Folder().c_str());
        ResetBankList();
        InitUndoHistory();
        ASSERT_TRUE(SwitchDevice(kAlphaPid));
        ASSERT_EQ(gDevice.pid, kAlphaPid);
        // A device load selects preset 0 and control 0; tests choose their own.
        memset(&gSelection, 0, sizeof gSelection);
    }
    void TearDown() override {
        ClearUndoHistory();
        ResetBankList();
        DiscoverySetProgramFolder(nullptr);
        if (ownsWorkingBlocks_) FreeWorkingBlocks();
    }

    // A new user bank of the loaded model; its index.
    int NewBank() {
        int index = NewUserBank();
        EXPECT_GE(index, 0);
        return index;
    }
    std::string UserBankFile(const std::string& name) const {
        return folder_.Path("User Preset Banks/" + name + ".xml");
    }
    PresetRecord& Preset(int bank, int preset) {
        return gBanks.entries[bank].data->presets[preset];
    }

    BankTempFolder folder_;
    bool ownsWorkingBlocks_ = false;
};
