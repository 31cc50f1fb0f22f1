// The transfer engine end to end: the real port tables, the reception parser,
// the simulated device behind its link, discovery and the bank list. Every
// wait is the engine's own, on the virtual clock; one test runs the link on
// its own thread.
#include "midi/transfer_engine.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <memory>
#include <thread>

#include "banks/bank_commands.h"
#include "banks/bank_model.h"
#include "base/platform.h"
#include "devices/device_definition.h"
#include "devices/document_cache.h"
#include "banks/discovery.h"
#include "banks/undo_history.h"
#include "headless/clock_headless.h"
#include "headless/dialogs_headless.h"
#include "headless/messages_headless.h"
#include "headless/midi_system_headless.h"
#include "headless/transfer_view_headless.h"
#include "banks/bank_packing.h"
#include "midi/dump_reception.h"
#include "midi/exchange_model.h"
#include "midi/midi_ports.h"
#include "midi/transfer_state.h"
#include "midi/virtual_link.h"
#include "shell/dialog_midi_setup.h"
#include "shell/joins.h"
#include "shell/settings.h"
#include "tests/midi/midi_test_support.h"
#include "tests/midi/transfer_test_support.h"
#include "views/bank_selection.h"
#include "views/drag.h"
#include "views/drops.h"
#include "views/edit_value.h"
#include "views/in_place_edit.h"
#include "views/list_columns.h"
#include "views/value_spinner.h"

namespace {

constexpr int kPresets = 128;
constexpr int kControls = kTransferTestLinear + kTransferTestButtons;

// Values every message type can carry: raw fields stay below 128, nibble
// fields use the whole byte, signed where they come back signed.
void FillPreset(PresetRecord& r, int p, int seed) {
    for (int c = 0; c < kControls; c++) {
        PresetControl& control = r.controls[c];
        control.channel = (p + c + seed) % 16;
        control.midiCc = (p * 7 + c * 13 + seed) % 256;
        control.program = c < kTransferTestLinear ? -1 : (p + c + seed) % 128;
        control.msb = (p + 2 * c + seed) % 128;
        control.lsb = (3 * p + c + seed) % 128;
    }
    for (int v = 0; v < kTransferTestVariables; v++)
        r.variables[v] = (p * 5 + v + seed) % 256 - 128;
    for (int z = 0; z < kTransferTestZones; z++)
        for (int f = 0; f < 8; f++)
            r.zones[z][f] =
                f < 6 ? (p + z * 8 + f + seed) % 128 : (p * 3 + z + f + seed) % 256 - 128;
}

::testing::AssertionResult SamePreset(const PresetRecord& a, const PresetRecord& b, int p) {
    for (int c = 0; c < kControls; c++) {
        const PresetControl &x = a.controls[c], &y = b.controls[c];
        if (x.channel != y.channel || x.midiCc != y.midiCc || x.program != y.program ||
            x.msb != y.msb || x.lsb != y.lsb)
            return ::testing::AssertionFailure() << "preset " << p << " control " << c;
    }
    for (int v = 0; v < kTransferTestVariables; v++)
        if (a.variables[v] != b.variables[v])
            return ::testing::AssertionFailure() << "preset " << p << " variable " << v;
    for (int z = 0; z < kTransferTestZones; z++)
        for (int f = 0; f < 8; f++)
            if (a.zones[z][f] != b.zones[z][f])
                return ::testing::AssertionFailure() << "preset " << p << " zone " << z << "/" << f;
    return ::testing::AssertionSuccess();
}

bool PopupShown(const char* text) {
    for (const std::string& shown : HeadlessMessages().popupsShown)
        if (shown == text) return true;
    return false;
}

// A download has ended and been said: the popup of a filled bank, or a status
// text other than the request's and the progress's.
bool DumpReported() {
    if (PopupShown("SysEx Received")) return true;
    const std::vector<std::string>& said = HeadlessMessages().statusTexts;
    return !said.empty() && said.back().rfind("Asking ", 0) != 0 &&
           said.back().rfind("Receiving preset ", 0) != 0;
}

// The wire steps with the virtual clock: each read moves time on by 1 ms and
// delivers what the device has due by then, on the reading thread.
void PumpLink(unsigned now) {
    VirtualLinkPump(now);
}

// Runs the main window's timer tick every 50 virtual ms until `done` or the
// virtual time is up.
bool TickUntil(const std::function<bool()>& done, int timeoutMs) {
    for (int elapsed = 0; elapsed < timeoutMs; elapsed += 50) {
        OnTransferTimer();
        if (done()) return true;
        for (int i = 0; i < 50; i++) MilliClock();
    }
    return false;
}

// The engine end to end with the simulated device, in virtual time: the link
// runs on the test's thread, in step with the clock, so every time-out is
// exact and takes no real time.
class TransferEngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.Write("Devices/Test.eld/definition.xml",
                     TestDefinitionXml("Test Keys", kTransferTestPid, kTransferTestLinear,
                                       kTransferTestButtons, kTransferTestVariables,
                                       kTransferTestZones, kPresets));
        DiscoverySetProgramFolder(folder.Folder().c_str());
        ResetBankList();
        InitUndoHistory();
        gInitialisePresetNames = 0;
        ResetMidiForTest(0, 0);
        StartWithVirtualDevice();
    }

    void TearDown() override {
        StopMidi();
        HeadlessClockSetReadHook(nullptr);
        HeadlessClockUseReal();
        SetVirtualPortsRequested(0);
        ResetBankList();
        ClearUndoHistory();
        DiscoverySetProgramFolder(nullptr);
    }

    virtual void StartClockAndLink() {
        HeadlessClockUseVirtual(1000, 1);
        HeadlessClockSetReadHook(PumpLink);
        VirtualLinkRunOnCaller(1);
    }

    void StartWithVirtualDevice() {
        StartClockAndLink();
        SetVirtualPortsRequested(1);
        VirtualLinkSetMemoryPath(folder.Path("device-memory.bin").c_str());
        InitMidiPorts();
        StartMidi();
        device = FindDeviceBank();
        ASSERT_GE(device, 0) << "the simulated device was not identified";
        ASSERT_EQ(gBanks.current, device);
        ASSERT_EQ(gDevice.pid, kTransferTestPid);
        HeadlessTransferViewReset();
    }

    BankData& DeviceBank() { return *gBanks.entries[device].data; }

    // A second model in the program's Devices folder, with 4 presets.
    static constexpr int kOtherPid = 0x0457;
    void WriteOtherModel() {
        folder.Write("Devices/Other.eld/definition.xml",
                     TestDefinitionXml("Other Pads", kOtherPid, 3, 2, 1, 0, 4));
    }

    void FillDeviceBank(int seed) {
        for (int p = 0; p < kPresets; p++) FillPreset(DeviceBank().presets[p], p, seed);
    }

    // The device's memory, unpacked by the loaded model.
    std::unique_ptr<BankData> DeviceMemory() {
        std::unique_ptr<VirtualDevice> snapshot(new VirtualDevice);
        EXPECT_TRUE(VirtualLinkSnapshot(snapshot.get()));
        gPackedStore.slots[4] = snapshot->memory;
        std::unique_ptr<BankData> bank(new BankData);
        memset(bank.get(), 0, sizeof *bank);
        UnpackBank(4, bank.get());
        return bank;
    }

    ::testing::AssertionResult DeviceBankIsDeviceMemory() {
        auto memory = DeviceMemory();
        for (int p = 0; p < kPresets; p++) {
            auto same = SamePreset(DeviceBank().presets[p], memory->presets[p], p);
            if (!same) return same;
        }
        return ::testing::AssertionSuccess();
    }

    int DeviceCounter(int VirtualDevice::*counter) {
        std::unique_ptr<VirtualDevice> snapshot(new VirtualDevice);
        VirtualLinkSnapshot(snapshot.get());
        return (*snapshot).*counter;
    }

    // Faults from a blank set, changed by `change`.
    void SetFaults(const std::function<void(VirtualDeviceFaults&)>& change) {
        VirtualDeviceFaults faults = VirtualNoFaults();
        change(faults);
        VirtualLinkSetFaults(faults);
    }

    // Marks one preset of the device bank as edited.
    void EditPreset(int p, int seed) {
        FillPreset(DeviceBank().presets[p], p, seed);
        DeviceBank().presets[p].changed = 1;
        gBanks.entries[device].changeCount++;
    }

    // Downloads until the download ended and was reported, one way or another.
    bool Download() {
        HeadlessMessages().popupsShown.clear();
        HeadlessMessages().statusTexts.clear();
        DownloadFromDevice();
        return TickUntil(DumpReported, 60000);
    }

    TransferTestFolder folder;
    int device = -1;
};

TEST_F(TransferEngineTest, SendAndDownloadAWholeBankWithZones) {
    FillDeviceBank(1);
    HeadlessMessages().statusTexts.clear();
    SendCurrentBank();
    EXPECT_TRUE(PopupShown("SysEx Sent"));
    // The status display follows the send and says how it ended.
    const std::vector<std::string>& said = HeadlessMessages().statusTexts;
    const std::string model = gDevice.name;
    ASSERT_EQ(said.size(), 129u);
    EXPECT_EQ(said[36], "Sending preset 37 of 128 to " + model);
    EXPECT_EQ(said.back(), "128 presets sent to " + model);
    EXPECT_EQ(gTransfer.sending, 0);
    // 128 presets of 18 messages, one indicator step each.
    EXPECT_EQ(HeadlessTransferView().frames.size(), 2304u);
    // The animation goes round all the way: step 2303 shows the last frame, not the first.
    EXPECT_EQ(HeadlessTransferView().frames[2302], 23);
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    EXPECT_EQ(DeviceCounter(&VirtualDevice::dataMessagesReceived), 2304);
    EXPECT_TRUE(DeviceBankIsDeviceMemory());

    // Forget the bank, then download it back.
    std::unique_ptr<BankData> sent(new BankData);
    *sent = DeviceBank();
    strcpy(DeviceBank().presets[0].name, "Kept Name");
    FillDeviceBank(50);
    const int undoBefore = gUndo.top;
    ASSERT_TRUE(Download());
    EXPECT_TRUE(PopupShown("SysEx Received"));
    EXPECT_EQ(HeadlessLastStatus(), "128 presets received from " + model);
    for (int p = 0; p < kPresets; p++)
        ASSERT_TRUE(SamePreset(DeviceBank().presets[p], sent->presets[p], p));
    EXPECT_STREQ(DeviceBank().presets[0].name, "Kept Name");  // the preference is off
    EXPECT_EQ(DeviceBank().presets[0].controls[0].origin, -1);
    EXPECT_EQ(DeviceBank().pid, kTransferTestPid);
    // The bank holds what the device holds: nothing of it waits to be sent.
    EXPECT_EQ(gBanks.entries[device].changeCount, 0);
    EXPECT_EQ(gUndo.top, undoBefore + 1);
    EXPECT_EQ(gUndo.entries[gUndo.top].kind, UndoKind::SysexReceipt);
    EXPECT_EQ(gTransfer.handshakeActive, 0);
    EXPECT_EQ(gTransfer.downloadComplete, 0);
    EXPECT_GT(HeadlessTransferView().controlRedraws, 0);
    // The finished dump also sits in the exchange slot, named by number.
    char name[32];
    GetPackedPresetName(gPackedStore.slots[kExchangeSlot].presets[127], name, sizeof name);
    EXPECT_STREQ(name, "Memory Received 128");
}

TEST_F(TransferEngineTest, AWholeBankSendAsksFirstUntilToldNotTo) {
    gAskBeforeBankSend = 1;
    gHeadlessSendQuestions.clear();
    gHeadlessSendAnswer = 0;
    gHeadlessSendDontAsk = 0;
    const int before = DeviceCounter(&VirtualDevice::dataMessagesReceived);
    JoinSendCurrentBank();
    ASSERT_EQ(gHeadlessSendQuestions.size(), 1u);
    EXPECT_EQ(gHeadlessSendQuestions[0], std::string("Send ") + gDevice.name + " to " +
                                             gDevice.name +
                                             "? It replaces every preset in the device.");
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    EXPECT_EQ(DeviceCounter(&VirtualDevice::dataMessagesReceived), before);  // No: nothing sent

    gHeadlessSendAnswer = 1;
    gHeadlessSendDontAsk = 1;
    JoinSendCurrentBank();
    EXPECT_TRUE(PopupShown("SysEx Sent"));
    EXPECT_EQ(gAskBeforeBankSend, 0);
    JoinSendCurrentBank();
    EXPECT_EQ(gHeadlessSendQuestions.size(), 2u);  // not asked again
    gAskBeforeBankSend = 1;
    gHeadlessSendAnswer = 0;
    gHeadlessSendDontAsk = 0;
}

TEST_F(TransferEngineTest, DownloadWithTheNamePreferenceNamesThePresetsByNumber) {
    gInitialisePresetNames = 1;
    strcpy(DeviceBank().presets[0].name, "Old");
    ASSERT_TRUE(Download());
    EXPECT_STREQ(DeviceBank().presets[0].name, "Memory Received 1");
    EXPECT_STREQ(DeviceBank().presets[9].name, "Memory Received 10");
}

TEST_F(TransferEngineTest, UploadSendsOnlyTheChangedPresets) {
    EditPreset(3, 7);
    EditPreset(100, 9);
    SendChanges();
    EXPECT_TRUE(PopupShown("SysEx Sent"));
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    EXPECT_EQ(DeviceCounter(&VirtualDevice::dataMessagesReceived), 36);
    EXPECT_EQ(DeviceBank().presets[3].changed, 0);
    EXPECT_EQ(DeviceBank().presets[100].changed, 0);
    EXPECT_EQ(gBanks.entries[device].changeCount, 0);
    auto memory = DeviceMemory();
    EXPECT_TRUE(SamePreset(memory->presets[3], DeviceBank().presets[3], 3));
    EXPECT_TRUE(SamePreset(memory->presets[100], DeviceBank().presets[100], 100));
}

// Two devices of one model: the bank of the second, shown but not the one the
// exchange remembers, goes to the second device, never into the first.
TEST_F(TransferEngineTest, ABankOfAnotherDeviceOfTheModelIsNotSentToThisOne) {
    const int second = AddDeviceBank(folder.Path("Devices/Test.eld/").c_str(), kTransferTestPid, 5);
    ASSERT_GE(second, 0);
    device = FindDeviceBankByPid(kTransferTestPid);
    ASSERT_NE(second, device);
    SelectBank(second);
    ASSERT_EQ(FindDeviceBank(), device) << "a row click leaves the remembered device bank";
    FillPreset(gBanks.entries[second].data->presets[3], 3, 7);
    gBanks.entries[second].data->presets[3].changed = 1;
    gBanks.entries[second].changeCount = 1;
    const int received = DeviceCounter(&VirtualDevice::dataMessagesReceived);
    SendChanges();
    SendCurrentBank();
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    EXPECT_EQ(DeviceCounter(&VirtualDevice::dataMessagesReceived), received);
    EXPECT_NE(gBanks.entries[second].changeCount, 0) << "no device took it";
    EXPECT_EQ(FindDeviceBank(), second);

    // Back on the first device's bank, a download comes from the first device,
    // and lands there even when the other's icon is clicked meanwhile.
    SelectBank(device);
    FillDeviceBank(9);
    const PresetRecord secondsOwn = gBanks.entries[second].data->presets[3];
    HeadlessMessages().popupsShown.clear();
    DownloadFromDevice();
    SetDeviceBank(second);
    ASSERT_TRUE(TickUntil(DumpReported, 60000));
    EXPECT_TRUE(DeviceBankIsDeviceMemory());
    EXPECT_TRUE(SamePreset(gBanks.entries[second].data->presets[3], secondsOwn, 3));
    EXPECT_TRUE(PopupShown("SysEx Received"));
}

TEST_F(TransferEngineTest, AnEditUndoneAfterSendingIsSentAgain) {
    FillDeviceBank(1);
    SendCurrentBank();
    const PresetRecord before = DeviceBank().presets[3];
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, device, 3);
    FillPreset(DeviceBank().presets[3], 3, 7);
    FinishUndoStep();
    SendChanges();
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    EXPECT_FALSE(CanSendChangesNow());

    // The device holds the edit, the bank no longer does.
    Undo();
    EXPECT_EQ(DeviceBank().presets[3].changed, 1);
    ASSERT_TRUE(CanSendChangesNow());
    HeadlessMessages().popupsShown.clear();
    const int received = DeviceCounter(&VirtualDevice::dataMessagesReceived);
    SendChanges();
    EXPECT_TRUE(PopupShown("SysEx Sent"));
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    EXPECT_EQ(DeviceCounter(&VirtualDevice::dataMessagesReceived), received + 18);
    EXPECT_TRUE(SamePreset(DeviceMemory()->presets[3], before, 3));
}

TEST_F(TransferEngineTest, SendingTheDeviceBankMarksItSentButNotAUserBank) {
    EditPreset(2, 5);
    SendCurrentBank();
    EXPECT_EQ(gBanks.entries[device].changeCount, 0);
    EXPECT_EQ(DeviceBank().presets[2].changed, 0);
    EXPECT_FALSE(CanSendChangesNow());

    const int user = AddNewUserBank("Mine");
    ASSERT_GE(user, 0);
    gBanks.current = user;
    gBanks.entries[user].changeCount = 3;
    gBanks.entries[user].data->presets[0].changed = 1;
    ASSERT_TRUE(CanSendCurrentBank());
    HeadlessMessages().popupsShown.clear();
    SendCurrentBank();
    EXPECT_TRUE(PopupShown("SysEx Sent"));
    EXPECT_EQ(gBanks.entries[user].changeCount, 3);  // still not saved to its file
    EXPECT_EQ(gBanks.entries[user].data->presets[0].changed, 1);
}

TEST_F(TransferEngineTest, UploadIsOnlyPossibleWithChangesAndNoDumpUnderWay) {
    EXPECT_FALSE(CanSendChangesNow());
    SendChanges();
    EXPECT_FALSE(PopupShown("SysEx Sent"));
    EditPreset(0, 1);
    EXPECT_TRUE(CanSendChangesNow());
    EXPECT_TRUE(CanSendCurrentBank());
    EXPECT_TRUE(CanDownloadFromDevice());
    // The answers of a send would mix with a dump's messages.
    DownloadFromDevice();
    EXPECT_FALSE(CanSendChangesNow());
    EXPECT_FALSE(CanSendCurrentBank());
    ASSERT_TRUE(TickUntil([] { return PopupShown("SysEx Received"); }, 60000));
    EXPECT_TRUE(CanSendCurrentBank());
}

TEST_F(TransferEngineTest, RetryThenAcknowledgeGoesOn) {
    SetFaults([](VirtualDeviceFaults& f) { f.retryAnswers = 1; });
    EditPreset(5, 3);
    SendChanges();
    EXPECT_TRUE(PopupShown("SysEx Sent"));
    EXPECT_EQ(HeadlessLastStatus(), std::string("1 preset sent to ") + gDevice.name);
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    EXPECT_EQ(DeviceCounter(&VirtualDevice::dataMessagesReceived), 18);
    EXPECT_TRUE(SamePreset(DeviceMemory()->presets[5], DeviceBank().presets[5], 5));
}

TEST_F(TransferEngineTest, ThreeSilentSendsMeanTheDeviceIsNotResponding) {
    SetFaults([](VirtualDeviceFaults& f) { f.drop = {0, 3}; });
    EditPreset(5, 3);
    const unsigned start = HeadlessClockPeek();
    SendChanges();
    EXPECT_GE(HeadlessClockPeek() - start, 3 * kHandshakeWaitMs);
    EXPECT_EQ(HeadlessLastStatus(), "The device is not responding");
    EXPECT_FALSE(PopupShown("SysEx Sent"));
    EXPECT_EQ(DeviceBank().presets[5].changed, 1);
    EXPECT_NE(gBanks.entries[device].changeCount, 0);
    EXPECT_EQ(gTransfer.sending, 0);
    // The upload stopped at its first message.
    EXPECT_EQ(DeviceCounter(&VirtualDevice::dataMessagesReceived), 3);
}

// The wait lasts until the clock has passed send time + 1000: an answer at
// that very millisecond still counts.
TEST_F(TransferEngineTest, AnAnswerAtTheLastMillisecondOfTheWaitCounts) {
    SetFaults([](VirtualDeviceFaults& f) {
        f.late = {0, 1};
        f.lateMs = kHandshakeWaitMs;
    });
    EditPreset(5, 3);
    SendChanges();
    EXPECT_EQ(HeadlessLastStatus(), std::string("1 preset sent to ") + gDevice.name);
}

TEST_F(TransferEngineTest, AnAcknowledgementAfterTwoSilentSendsIsSuccess) {
    SetFaults([](VirtualDeviceFaults& f) { f.drop = {0, 2}; });
    EditPreset(5, 3);
    SendChanges();
    EXPECT_EQ(HeadlessLastStatus(), std::string("1 preset sent to ") + gDevice.name);
    EXPECT_TRUE(PopupShown("SysEx Sent"));
    EXPECT_EQ(gBanks.entries[device].changeCount, 0);
}

TEST_F(TransferEngineTest, CancelStopsTheUpload) {
    SetFaults([](VirtualDeviceFaults& f) { f.cancelAnswers = 1; });
    EditPreset(5, 3);
    EditPreset(6, 3);
    SendChanges();
    EXPECT_EQ(HeadlessLastStatus(), "The device cancelled the operation");
    EXPECT_FALSE(PopupShown("SysEx Sent"));
    EXPECT_EQ(DeviceBank().presets[5].changed, 1);
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    EXPECT_EQ(DeviceCounter(&VirtualDevice::dataMessagesReceived), 0);
}

TEST_F(TransferEngineTest, ADeviceThatOnlyAsksForRetriesIsGivenUpOn) {
    SetFaults([](VirtualDeviceFaults& f) { f.retryAnswers = 1000; });
    EditPreset(5, 3);
    SendChanges();
    EXPECT_EQ(HeadlessLastStatus(), "The device did not receive the data");
    EXPECT_FALSE(PopupShown("SysEx Sent"));
    EXPECT_EQ(DeviceBank().presets[5].changed, 1);
}

TEST_F(TransferEngineTest, CorruptedDumpMessagesAreAskedForAgain) {
    FillDeviceBank(4);
    SendCurrentBank();
    FillDeviceBank(90);
    SetFaults([](VirtualDeviceFaults& f) { f.corrupt = {0, 2}; });
    ASSERT_TRUE(Download());
    EXPECT_TRUE(PopupShown("SysEx Received"));
    EXPECT_TRUE(DeviceBankIsDeviceMemory());
}

// Every other end of a download says why in the status display and leaves
// the device bank as it was; the handshake is over, so later strays are not
// answered. The last case is a device that carries on after the program
// cancelled: the rest of its dump must not fill the bank.
TEST_F(TransferEngineTest, EveryFailedDownloadSaysWhyAndLeavesTheBank) {
    FillDeviceBank(4);
    SendCurrentBank();
    ASSERT_TRUE(VirtualLinkWaitIdle(2000));
    FillDeviceBank(77);
    std::unique_ptr<BankData> before(new BankData);
    *before = DeviceBank();
    struct Case {
        std::function<void(VirtualDeviceFaults&)> faults;
        const char* status;
    };
    const Case cases[] = {
        {[](VirtualDeviceFaults& f) { f.silentAt = 0; }, "The device is not responding"},
        {[](VirtualDeviceFaults& f) { f.silentAt = 1000; },
         "Only 55 of the 128 presets were received; the device bank is unchanged"},
        {[](VirtualDeviceFaults& f) {
             f.drop = {40, 1};
         },
         "The device cancelled the operation"},
        {[](VirtualDeviceFaults& f) {
             f.corrupt = {40, 3};
         },
         "The device sent damaged data; the download was cancelled"},
        {[](VirtualDeviceFaults& f) {
             f.corrupt = {40, 3};
             f.carryOnAfterCancel = 1;
         },
         "The device sent damaged data; the download was cancelled"},
    };
    for (const Case& c : cases) {
        SetFaults(c.faults);
        ASSERT_TRUE(Download()) << c.status;
        EXPECT_EQ(HeadlessLastStatus(), c.status);
        EXPECT_FALSE(PopupShown("SysEx Received")) << c.status;
        EXPECT_EQ(memcmp(&DeviceBank(), before.get(), sizeof(BankData)), 0) << c.status;
        EXPECT_EQ(gTransfer.handshakeActive, 0) << c.status;
        // Whatever the device still sends ends before the next case.
        ASSERT_TRUE(TickUntil([] { return VirtualLinkWaitIdle(0) == 1; }, 10000));
        TickUntil([] { return false; }, kReceiveSilenceMs + 100);
        EXPECT_FALSE(PopupShown("SysEx Received")) << c.status;
    }

    SetFaults([](VirtualDeviceFaults&) {});
    ASSERT_TRUE(Download());
    EXPECT_TRUE(PopupShown("SysEx Received"));
    EXPECT_TRUE(DeviceBankIsDeviceMemory());
}

TEST_F(TransferEngineTest, UnrequestedDumpArrivesWithoutAnswers) {
    FillDeviceBank(4);
    SendCurrentBank();
    FillDeviceBank(11);
    HeadlessMessages().popupsShown.clear();
    VirtualLinkStartUnrequestedDump();
    ASSERT_TRUE(TickUntil([] { return PopupShown("SysEx Received"); }, 20000));
    EXPECT_TRUE(DeviceBankIsDeviceMemory());

    // A setting changed on the device and the dump started again a second
    // later: the second dump is read too, not taken for the tail of the first.
    std::unique_ptr<VirtualDevice> changed(new VirtualDevice);
    ASSERT_TRUE(VirtualLinkSnapshot(changed.get()));
    changed->memory.presets[0].bytes[kPackedLinearMidiCc] ^= 0x11;
    VirtualLinkSetMemory(changed->memory);
    HeadlessClockAdvance(1000);
    HeadlessMessages().popupsShown.clear();
    VirtualLinkStartUnrequestedDump();
    // Ended but not landed yet (the timer has not ticked): a send would be
    // landed over, so none starts until it has.
    for (int i = 0; i < 60000 && !gTransfer.downloadComplete; i++) MilliClock();
    ASSERT_EQ(gTransfer.downloadComplete, 1);
    EXPECT_FALSE(CanStartSending());
    ASSERT_TRUE(TickUntil([] { return PopupShown("SysEx Received"); }, 20000));
    EXPECT_TRUE(DeviceBankIsDeviceMemory());
    EXPECT_TRUE(CanStartSending());
}

// The device's user starts a dump while a bank of another model is shown: the
// dump is received and unpacked by the device bank's own model, and only a
// filled bank is announced.
TEST_F(TransferEngineTest, ADumpIsReceivedByTheDeviceBanksModelWhateverIsShown) {
    WriteOtherModel();
    FillDeviceBank(4);
    SendCurrentBank();
    FillDeviceBank(23);
    ASSERT_TRUE(SwitchDevice(kOtherPid));
    const int other = AddNewUserBank("Pads");
    ASSERT_GE(other, 0);
    gBanks.current = other;
    ASSERT_EQ(gDevice.presetCount, 4);
    HeadlessMessages().popupsShown.clear();
    VirtualLinkStartUnrequestedDump();
    ASSERT_TRUE(TickUntil([] { return PopupShown("SysEx Received"); }, 20000));
    // Named by the device bank, not by the model on screen.
    EXPECT_EQ(HeadlessLastStatus(), "128 presets received from Test Keys");
    ASSERT_TRUE(SwitchDevice(kTransferTestPid));
    EXPECT_TRUE(DeviceBankIsDeviceMemory());

    // Another model's device is connected too, and its bank is the one last chosen: the dump
    // of this device, told apart by its Group ID, still fills this device's bank.
    std::string xml = TestDefinitionXml("Other Pads", kOtherPid, 3, 2, 1, 0, 4);
    const std::string group = "<key>Group ID</key><integer>33</integer>";
    ASSERT_NE(xml.find(group), std::string::npos);
    xml.replace(xml.find(group), group.size(), "<key>Group ID</key><integer>34</integer>");
    folder.Write("Devices/Other.eld/definition.xml", xml);
    ClearSharedDocuments();
    ForgetExchangeModels();
    ASSERT_GE(AddDeviceBank(folder.Path("Devices/Other.eld/").c_str(), kOtherPid, 5), 0);
    SelectBank(FindDeviceBankByPid(kOtherPid));
    FillDeviceBank(31);
    HeadlessClockAdvance(4000);  // the first dump's silence is over
    HeadlessMessages().statusTexts.clear();
    SetFaults([](VirtualDeviceFaults& f) {  // slow enough for the status line to follow it
        f.late = {0, 1000000};
        f.lateMs = 5;
    });
    VirtualLinkStartUnrequestedDump();
    ASSERT_TRUE(TickUntil(
        [] { return HeadlessLastStatus() == "128 presets received from Test Keys"; }, 60000));
    int following = 0;
    for (const std::string& said : HeadlessMessages().statusTexts) {
        if (said.rfind("Receiving preset ", 0) != 0) continue;
        following++;
        EXPECT_NE(said.find(" of 128 from Test Keys"), std::string::npos) << said;
    }
    EXPECT_GT(following, 0);
    ASSERT_TRUE(SwitchDevice(kTransferTestPid));
    EXPECT_TRUE(DeviceBankIsDeviceMemory());
}

// The user turns to another model's device bank while the dump asked for is
// on its way: it still fills the bank of the model that sent it.
TEST_F(TransferEngineTest, ADumpAskedForFillsItsOwnModelsDeviceBankWhicheverIsShown) {
    WriteOtherModel();
    FillDeviceBank(4);
    SendCurrentBank();
    FillDeviceBank(9);
    ASSERT_GE(AddDeviceBank(folder.Path("Devices/Other.eld/").c_str(), kOtherPid, 5), 0);
    device = FindDeviceBankByPid(kTransferTestPid);
    SelectBank(device);
    DownloadFromDevice();
    SelectBank(FindDeviceBankByPid(kOtherPid));
    ASSERT_TRUE(TickUntil(DumpReported, 60000));
    EXPECT_EQ(HeadlessLastStatus(), "128 presets received from Test Keys");
    ASSERT_TRUE(SwitchDevice(kTransferTestPid));
    EXPECT_TRUE(DeviceBankIsDeviceMemory());
}

// Asked again while the first request is awaited, after the icon of another device of the
// model was pressed: the dump still lands in the bank it was asked for, and no other.
TEST_F(TransferEngineTest, ADownloadAskedAgainStaysWithTheBankItWasAskedFor) {
    FillDeviceBank(4);
    SendCurrentBank();
    const int silent = AddDeviceBank(folder.Path("Devices/Test.eld/").c_str(), kTransferTestPid, 5);
    ASSERT_GE(silent, 0);
    device = FindDeviceBankByPid(kTransferTestPid);
    ASSERT_NE(silent, device);
    FillPreset(gBanks.entries[silent].data->presets[3], 3, 77);
    const PresetRecord own = gBanks.entries[silent].data->presets[3];
    SelectBank(silent);
    DownloadFromDevice();  // nothing answers on port 5
    SetDeviceBank(device);
    SelectBank(device);
    DownloadFromDevice();
    TickUntil(DumpReported, 60000);
    EXPECT_TRUE(SamePreset(gBanks.entries[silent].data->presets[3], own, 3));
}

// Asked for while a dump the device started unasked arrives: there is no bank asked for yet,
// and the request goes to the device bank as for a first one.
TEST_F(TransferEngineTest, ADownloadAskedDuringAnUnaskedDumpIsSent) {
    gTransfer.receiving = 1;
    HeadlessMessages().statusTexts.clear();
    DownloadFromDevice();
    EXPECT_EQ(gTransfer.handshakeActive, 1);
    EXPECT_NE(HeadlessLastStatus().find("Test Keys"), std::string::npos) << HeadlessLastStatus();
}

// The layout a dump the device starts unasked is read by follows the device
// bank the moment it changes, not at some later tick.
TEST_F(TransferEngineTest, ThePublishedLayoutFollowsTheDeviceBankAtOnce) {
    WriteOtherModel();
    int published = 0;
    ASSERT_TRUE(SwitchDevice(kOtherPid));
    PublishedSysexSizes(&published);
    EXPECT_EQ(published, kTransferTestPid) << "the device bank still names the device's model";
    RemoveDeviceBanks();
    const SysexSizes sizes = PublishedSysexSizes(&published);
    EXPECT_EQ(published, kOtherPid) << "with no device bank the loaded model is the exchange's";
    EXPECT_EQ(sizes.presetCount, 4);
    ASSERT_GE(AddDeviceBank(folder.Path("Devices/Test.eld/").c_str(), kTransferTestPid, 0), 0);
    EXPECT_EQ(PublishedSysexSizes(&published).presetCount, kPresets);
    EXPECT_EQ(published, kTransferTestPid);
}

// What is being typed into a preset of the device bank belongs to what the
// bank held: a download landing under it closes the editor unread, or the
// next command would write the old text over what the device sent.
TEST_F(TransferEngineTest, ADownloadLandingUnderAnOpenEditorClosesIt) {
    FillDeviceBank(1);
    SendCurrentBank();
    FillDeviceBank(2);
    const PaneRect cell = {10, 20, 30, 13};
    BeginEditValue(nullptr, nullptr, device, 1, 0, kValueChannel, 0, kFormatDecimal, &cell);
    ASSERT_TRUE(InPlaceEditorOpen());
    ASSERT_TRUE(Download());
    EXPECT_FALSE(InPlaceEditorOpen());
    EXPECT_TRUE(DeviceBankIsDeviceMemory());

    // A value spinner held on it ends too, rather than stepping on in what
    // the device sent outside any undo step.
    ASSERT_GT(gDevice.variableCount, 0);
    gDevice.variables[0].valueMin = 0;
    gDevice.variables[0].valueMax = 100;
    DeviceBank().presets[1].variables[0] = 50;
    StartValueSpinner(nullptr, kRightDown, device, 1, kSpinVariable, 0, 0, 0);
    ASSERT_TRUE(ValueSpinnerActive());
    ASSERT_TRUE(Download());
    EXPECT_FALSE(ValueSpinnerActive());
}

TEST_F(TransferEngineTest, TheDeviceMemoryOutlivesTheProgram) {
    FillDeviceBank(21);
    SendCurrentBank();
    std::unique_ptr<BankData> sent(new BankData);
    *sent = DeviceBank();

    StopMidi();  // saves the device's memory, as at quit
    ResetBankList();
    ResetMidiForTest(0, 0);
    StartWithVirtualDevice();
    FillDeviceBank(0);
    ASSERT_TRUE(Download());
    for (int p = 0; p < kPresets; p++)
        ASSERT_TRUE(SamePreset(DeviceBank().presets[p], sent->presets[p], p));
}

TEST_F(TransferEngineTest, QuitTimeSendGoesToTheDeviceBanksPort) {
    FillDeviceBank(33);
    gBanks.entries[device].changeCount = 1;
    SetMidiCurrentOutput(3);  // the user's choice: it comes back after the send
    ASSERT_TRUE(SendDeviceBankAtQuit(device));
    auto memory = DeviceMemory();
    EXPECT_TRUE(SamePreset(memory->presets[127], DeviceBank().presets[127], 127));
    EXPECT_EQ(MidiCurrentOutput(), 3);

    // The device bank of another model was looked at last, then a user bank
    // of this model: the bank is still sent whole, in its own model's layout.
    WriteOtherModel();
    const int user = AddNewUserBank("Keys Bank");
    ASSERT_GE(user, 0);
    const int other = AddDeviceBank(folder.Path("Devices/Other.eld/").c_str(), kOtherPid, 0);
    ASSERT_GE(other, 0);
    device = FindDeviceBankByPid(kTransferTestPid);
    SelectBank(device);
    SelectBank(other);             // the device bank the exchange remembers now
    SelectBank(gBanks.count - 1);  // the user bank, last in the list
    ASSERT_EQ(gDevice.pid, kTransferTestPid);
    FillDeviceBank(9);
    gBanks.entries[device].changeCount = 1;
    ASSERT_TRUE(SendDeviceBankAtQuit(device));
    EXPECT_TRUE(DeviceBankIsDeviceMemory());

    // A dump asked for and not yet arrived: no send and no refresh of the
    // ports under it, and the reason.
    DownloadFromDevice();
    EXPECT_FALSE(SendDeviceBankAtQuit(device));
    EXPECT_EQ(HeadlessLastStatus(), "The device is still sending its presets.");
    HeadlessMessages().statusTexts.clear();
    RefreshDevices();
    EXPECT_EQ(HeadlessLastStatus(), "The device is still sending its presets.");
    HeadlessMessages().statusTexts.clear();
    SendCurrentBank();  // Yes to Send to Device's question, the dump asked for under it
    EXPECT_EQ(HeadlessLastStatus(), "The device is still sending its presets.");
    HeadlessMessages().statusTexts.clear();
    MidiSetupChoice c = CurrentMidiSetup();
    c.inputSelected[gMidiPorts.inputCount] = 1;  // no port: a change all the same
    c.outputSelected[gMidiPorts.outputCount] = 1;
    const int number = gDeviceNumber;
    c.deviceNumber = number == 5 ? 6 : 5;
    EXPECT_EQ(ApplyMidiSetup(c), MidiSetupVerdict::kKept);
    EXPECT_EQ(HeadlessLastStatus(), "The device is still sending its presets.");
    EXPECT_EQ(gDeviceNumber, number) << "the dump's messages name the number it was asked with";
    ASSERT_TRUE(TickUntil(DumpReported, 60000));
    EXPECT_EQ(HeadlessLastStatus(), "128 presets received from Test Keys");
}

// Drops onto the device bank send at once; under a dump asked for, they say
// why they did not (the dump then lands over what was dropped).
TEST_F(TransferEngineTest, DropsOnTheDeviceBankUnderAnAwaitedDumpSayWhyNothingWasSent) {
    const int user = AddNewUserBank("Keys Bank");
    ASSERT_GE(user, 0);
    device = FindDeviceBankByPid(kTransferTestPid);
    SelectBank(device);
    strcpy(gBanks.entries[user].data->presets[0].name, "Dropped");
    DownloadFromDevice();  // asked for; the device has not begun
    ASSERT_FALSE(CanStartSending());
    gDrag = DragState();
    gDrag.sourceBank = user;
    gDrag.sourcePreset = 0;
    gDrag.copyMode = 1;
    memset(gSelection.savedPresets, 0, sizeof gSelection.savedPresets);
    gSelection.savedPresets[0] = 1;
    HeadlessMessages().statusTexts.clear();
    ASSERT_EQ(DropPresetsOnBank(device), 1);
    ASSERT_STREQ(DeviceBank().presets[0].name, "Dropped");
    EXPECT_EQ(HeadlessLastStatus(), "The device is still sending its presets.");
    HeadlessMessages().statusTexts.clear();
    ASSERT_EQ(DropBankOnBank(device), 1);
    EXPECT_EQ(HeadlessLastStatus(), "The device is still sending its presets.");
}

// MIDI Setup without the device's port: its bank goes as at Refresh Devices,
// after the send question for its unsent changes (Cancel keeps all as it was).
TEST_F(TransferEngineTest, MidiSetupWithoutTheDevicesPortGivesItsBankUp) {
    StopMidi();
    ResetBankList();
    HeadlessMidiPort out0, in0;
    out0.name = "Other Out";
    in0.name = "Other In";
    HeadlessMidiSetPorts({out0}, {in0});
    StartWithVirtualDevice();
    const int deviceOut = gBanks.entries[device].connection;
    MidiSetupChoice c = CurrentMidiSetup();
    c.outputSelected[0] = 1;
    c.outputSelected[deviceOut] = 0;
    gBanks.entries[device].changeCount = 1;
    const int number = gDeviceNumber;
    c.deviceNumber = number == 5 ? 6 : 5;
    HeadlessQueueAnswer(kIdCancel);
    EXPECT_EQ(ApplyMidiSetup(c), MidiSetupVerdict::kKept);
    EXPECT_EQ(gDeviceNumber, number);
    c.deviceNumber = number;
    EXPECT_EQ(gMidiPorts.outputs[deviceOut].enabled.load(), 1);
    EXPECT_EQ(FindDeviceBank(), device);

    // The question does not block the dialog: its OK pressed again meanwhile is let go.
    MidiSetupVerdict nested = MidiSetupVerdict::kReopened;
    HeadlessMessages().whileBoxUp = [&] { nested = ApplyMidiSetup(c); };
    HeadlessQueueAnswer(kIdNo);
    EXPECT_EQ(ApplyMidiSetup(c), MidiSetupVerdict::kReopened);
    EXPECT_EQ(nested, MidiSetupVerdict::kKept);
    EXPECT_EQ(FindDeviceBank(), -1);
    EXPECT_FALSE(CanDownloadFromDevice());
}

TEST_F(TransferEngineTest, RefreshDevicesFindsTheDeviceAgainWithItsBankAsItWas) {
    // What the device does not have yet survives: the same device answers.
    strcpy(DeviceBank().presets[3].name, "Not sent yet");
    gBanks.entries[device].changeCount = 1;
    EXPECT_EQ(RefreshDevices(), 0);
    EXPECT_EQ(FindDeviceBank(), device);
    EXPECT_EQ(gBanks.count, 1);
    EXPECT_STREQ(DeviceBank().presets[3].name, "Not sent yet");
    EXPECT_EQ(gBanks.entries[device].changeCount, 1);
    const auto& frames = HeadlessTransferView().frames;
    ASSERT_GE(frames.size(), 2u);
    EXPECT_EQ(frames.front(), 0);
    EXPECT_EQ(frames.back(), kIdleIndicatorFrame);

    // Another interface plugged in before it: the device answers on another
    // port, and its bank is still the one with the changes.
    const int connectionBefore = gBanks.entries[device].connection;
    HeadlessMidiPort out0, in0;
    out0.name = "New Interface Out";
    in0.name = "New Interface In";
    HeadlessMidiSetPorts({out0}, {in0});
    HeadlessQueueAnswer(kIdNo);  // "... has changed. Do you want to send it to the device?"
    JoinRefreshDevices();
    const int again = FindDeviceBankByPid(kTransferTestPid);
    ASSERT_GE(again, 0);
    EXPECT_NE(gBanks.entries[again].connection, connectionBefore);
    EXPECT_STREQ(gBanks.entries[again].data->presets[3].name, "Not sent yet");
    EXPECT_NE(gBanks.entries[again].changeCount, 0);
}

// A device that no longer answers takes its bank with it: the bank shown in
// its place is shown from the top, not in the gone bank's place.
TEST_F(TransferEngineTest, RefreshShowsTheBankThatTookTheGoneDeviceBanksPlaceAfresh) {
    const int user = AddNewUserBank("Keys Bank");
    ASSERT_GE(user, 0);
    device = FindDeviceBankByPid(kTransferTestPid);
    ShowBank(device);
    SetCurrentControl(2);
    SetFaults([](VirtualDeviceFaults& f) { f.silentAt = 0; });
    JoinRefreshDevices();
    EXPECT_EQ(FindDeviceBankByPid(kTransferTestPid), -1);
    ASSERT_EQ(gBanks.count, 1);
    EXPECT_EQ(CurrentControl(), 0);
}

// The same exchange on real threads: the device behind its link thread, the
// parser on it, the engine on this one. The device is found in real time;
// then time stands still (the clock is virtual and not stepped), so no
// time-out can cut in whatever the machine's load. This is the test the
// ThreadSanitizer build runs for the reception and transfer code.
class TransferThreadsTest : public TransferEngineTest {
  protected:
    void StartClockAndLink() override {}
};

TEST_F(TransferThreadsTest, WholeBanksBothWaysOnRealThreads) {
    HeadlessClockUseVirtual(1000, 0);
    FillDeviceBank(1);
    SendCurrentBank();
    EXPECT_TRUE(PopupShown("SysEx Sent"));
    EXPECT_EQ(HeadlessLastStatus(), std::string("128 presets sent to ") + gDevice.name);
    FillDeviceBank(50);
    HeadlessMessages().popupsShown.clear();
    DownloadFromDevice();
    // The engine's timer, in real time, until the dump was reported (a minute
    // at the most, where it takes a fraction of a second).
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!DumpReported() && std::chrono::steady_clock::now() < end) {
        OnTransferTimer();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(PopupShown("SysEx Received")) << HeadlessLastStatus();
    EXPECT_TRUE(DeviceBankIsDeviceMemory());
}

// Identification without the simulated device: a scripted answer that comes
// late lands while the next port is probed, and is recorded with that port.
class IdentifyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder.Write("Devices/Test.eld/definition.xml",
                     TestDefinitionXml("Test Keys", kTransferTestPid, 4, 4, 2, 0, 8));
        DiscoverySetProgramFolder(folder.Folder().c_str());
        ResetBankList();
        ResetMidiForTest(0, 0);
    }
    void TearDown() override {
        if (answer.joinable()) answer.join();
        HeadlessMidiOnSend(nullptr);
        StopMidi();
        ResetBankList();
        DiscoverySetProgramFolder(nullptr);
    }
    TransferTestFolder folder;
    std::thread answer;
};

TEST_F(IdentifyTest, LateReplyIsRecordedWithThePortBeingProbed) {
    HeadlessMidiPort out0, out1, in0;
    out0.name = "Slow";
    out1.name = "Other";
    in0.name = "In";
    HeadlessMidiSetPorts({out0, out1}, {in0});
    HeadlessMidiOnSend([this](int id, const uint8_t* bytes, int length) {
        if (id != 0 || length != 6 || bytes[1] != 0x7E) return;
        answer = std::thread([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(kIdentifyWaitMs + 150));
            uint8_t reply[kIdentityReplySize];
            BuildIdentityReply(0, 0x0A4D, kTransferTestPid, reply);
            HeadlessMidiReceive(0, reply, kIdentityReplySize);
        });
    });
    InitMidiPorts();
    StartMidi();
    const int bank = FindDeviceBank();
    ASSERT_GE(bank, 0);
    EXPECT_EQ(gBanks.entries[bank].connection, 1);
    const auto log = HeadlessMidiLogCopy();
    ASSERT_EQ(log.sent.size(), 2u);  // one identity request per output
    EXPECT_EQ(log.sent[0].id, 0);
    EXPECT_EQ(log.sent[1].id, 1);
}

// The wait on a port ends with its answer. The clock stands still until the answer is in, then
// runs a millisecond a read: a wait to the deadline would take the whole 500 ms.
TEST_F(IdentifyTest, APortThatHasAnsweredIsNotWaitedOnAnyLonger) {
    HeadlessMidiPort out0, in0;
    out0.name = "Keys";
    in0.name = "In";
    HeadlessMidiSetPorts({out0}, {in0});
    HeadlessClockUseVirtual(1000, 0);
    HeadlessMidiOnSend([this](int id, const uint8_t* bytes, int length) {
        if (id != 0 || length != 6 || bytes[1] != 0x7E) return;
        answer = std::thread([] {
            uint8_t reply[kIdentityReplySize];
            BuildIdentityReply(0, 0x0A4D, kTransferTestPid, reply);
            HeadlessMidiReceive(0, reply, kIdentityReplySize);
            HeadlessClockSetStep(1);
        });
    });
    InitMidiPorts();
    StartMidi();
    const unsigned waited = HeadlessClockPeek() - 1000;
    HeadlessClockUseReal();
    EXPECT_GE(FindDeviceBank(), 0);
    EXPECT_LT(waited, kIdentifyWaitMs / 2);
}

TEST_F(IdentifyTest, NoEnabledOutputFindsNothing) {
    HeadlessMidiSetPorts({}, {});
    InitMidiPorts();
    StartMidi();
    EXPECT_EQ(FindDeviceBank(), -1);
    EXPECT_TRUE(HeadlessMidiLogCopy().sent.empty());
    // Without a device bank every transfer command does nothing.
    DownloadFromDevice();
    SendCurrentBank();
    EXPECT_EQ(gTransfer.handshakeActive, 0);
    EXPECT_FALSE(CanDownloadFromDevice());
}

}  // namespace
