// The transfer commands in the running program with the simulated device
// ("Ostrel Virtual Device", as with OSTREL_VIRTUAL_DEVICE=1): start-up finds it
// and adds its device bank; Download from Device fills that bank and says
// "SysEx Received"; Send to Device sends every preset and says "SysEx Sent";
// after one preset is edited, Upload to Device sends only that one.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "banks/bank_model.h"
#include "base/messages.h"
#include "devices/device_definition.h"
#include "gui_harness.h"
#include "gui_steps.h"
#include "banks/bank_packing.h"
#include "midi/midi_ports.h"
#include "midi/sysex_format.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"
#include "midi/transfer_view.h"
#include "midi/virtual_link.h"
#include "shell/commands.h"
#include "shell/dialog_ids.h"
#include "shell/settings.h"

namespace {

// Answers the question before a whole-bank send, from a timer that runs
// inside the dialog's own message loop: "Don't ask again" ticked, then Yes.
bool gSendQuestionSeen = false;
void CALLBACK AnswerSendQuestion(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA("#32770", "Ostrel");
    if (!dialog) return;
    KillTimer(nullptr, timer);
    gSendQuestionSeen = true;
    CheckDlgButton(dialog, IDC_SEND_DONT_ASK, BST_CHECKED);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
}

bool SameControls(const PresetRecord& a, const PresetRecord& b) {
    for (int c = 0; c < gDevice.controlCount; c++) {
        const PresetControl &x = a.controls[c], &y = b.controls[c];
        if (x.channel != y.channel || x.midiCc != y.midiCc || x.msb != y.msb || x.lsb != y.lsb)
            return false;
        if (c >= gDevice.linearControlCount && x.program != y.program) return false;
    }
    return true;
}

class TransferGui : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(InstallDefinitionOnly(folder, "Meridian 49.eld"), 0);
        SetVirtualPortsRequested(1);
        VirtualLinkSetMemoryPath(folder.path("Virtual Device.bin").c_str());
    }
    void TearDown() override { SetVirtualPortsRequested(0); }
    TempProgramFolder folder;
};

TEST_F(TransferGui, DownloadSendAndUploadWithTheVirtualDevice) {
    RunningProgram program(folder);
    ASSERT_EQ(program.result(), StartUpResult::kRunning);
    HWND main = program.main();

    // Start-up identified the simulated device on its port and added its bank.
    EXPECT_STREQ(gMidiPorts.outputs[gMidiPorts.outputCount - 1].displayName + 3,
                 "Ostrel Virtual Device");
    const int device = FindDeviceBank();
    ASSERT_GE(device, 0);
    ASSERT_EQ(gBanks.current, device);
    EXPECT_STREQ(gDevice.name, "Corvanith Meridian 49");
    EXPECT_TRUE(MenuEnabled(main, kCmdDownload));
    EXPECT_TRUE(MenuEnabled(main, kCmdSendToDevice));
    EXPECT_FALSE(MenuEnabled(main, kCmdUpload));  // nothing changed yet

    // Download from Device: the bank takes the device's memory; the timer says so.
    BankData& bank = *gBanks.entries[device].data;
    strcpy(gPopupText, "");
    Command(main, kCmdDownload);
    ASSERT_TRUE(PumpUntil([] { return strcmp(gPopupText, "SysEx Received") == 0; }, 20000));
    EXPECT_EQ(gTransfer.receiving, 0);
    auto memory = DeviceMemory();
    for (int p = 0; p < gDevice.presetCount; p++)
        ASSERT_TRUE(SameControls(bank.presets[p], memory->presets[p])) << "preset " << p;
    WriteWindowPng(main, ScreenshotPath("transfer-after-download.png"));

    // Send to Device: every preset, 18 messages each (the model has zones).
    for (int p = 0; p < gDevice.presetCount; p++)
        for (int c = 0; c < gDevice.controlCount; c++)
            bank.presets[p].controls[c].lsb = (p + c) % 128;
    // It replaces every preset in the device: a question comes first.
    const int before = DeviceMessagesReceived();
    strcpy(gPopupText, "");
    gAskBeforeBankSend = 1;
    gSendQuestionSeen = false;
    SetTimer(nullptr, 0, 100, AnswerSendQuestion);
    Command(main, kCmdSendToDevice);
    EXPECT_TRUE(gSendQuestionSeen);
    EXPECT_EQ(gAskBeforeBankSend, 0);  // "Don't ask again"
    gAskBeforeBankSend = 1;
    EXPECT_STREQ(gPopupText, "SysEx Sent");
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    EXPECT_EQ(DeviceMessagesReceived() - before, gDevice.presetCount * 18);
    memory = DeviceMemory();
    EXPECT_TRUE(SameControls(bank.presets[gDevice.presetCount - 1],
                             memory->presets[gDevice.presetCount - 1]));

    // The activity indicator: its outline with the indicator pen, the frame inside.
    DrawActivityIndicator(kIdleIndicatorFrame);
    EXPECT_EQ(ClientPixel(main, 160, 17), RGB(48, 48, 52));
    EXPECT_EQ(ClientPixel(main, 190, 47), RGB(48, 48, 52));
    EXPECT_NE(ClientPixel(main, 175, 32), RGB(48, 48, 52));  // the frame's picture
    WriteWindowPng(main, ScreenshotPath("transfer-indicator.png"));

    // Edit one preset as the editors do (change counted), then Upload to Device.
    bank.presets[7].controls[0].midiCc = 21;
    bank.presets[7].changed++;
    gBanks.entries[device].changeCount++;
    UpdateTransferMenu();
    EXPECT_TRUE(MenuEnabled(main, kCmdUpload));
    const int beforeUpload = DeviceMessagesReceived();
    strcpy(gPopupText, "");
    Command(main, kCmdUpload);
    EXPECT_STREQ(gPopupText, "SysEx Sent");
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    EXPECT_EQ(DeviceMessagesReceived() - beforeUpload, 18);
    EXPECT_EQ(DeviceMemory()->presets[7].controls[0].midiCc, 21);
    EXPECT_EQ(gBanks.entries[device].changeCount, 0);
    EXPECT_FALSE(MenuEnabled(main, kCmdUpload));
}

}  // namespace
