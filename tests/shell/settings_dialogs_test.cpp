// The rules behind the MIDI Setup and Preferences dialogs and the placement of
// every dialog, against the headless MIDI ports and undo history.
#include <gtest/gtest.h>

#include <algorithm>

#include "banks/bank_commands.h"
#include "banks/bank_model.h"
#include "banks/undo_history.h"
#include "base/messages.h"
#include "headless/clock_headless.h"
#include "headless/messages_headless.h"
#include "headless/midi_system_headless.h"
#include "midi/midi_ports.h"
#include "midi/transfer_state.h"
#include "shell/dialog_layout.h"
#include "shell/dialog_midi_setup.h"
#include "shell/dialog_preferences.h"
#include "shell/joins.h"
#include "views/drag.h"
#include "shell/settings.h"

namespace {

constexpr int kMidiPortError = 4;  // "already in use"

class MidiSetupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessMessagesReset();
        HeadlessMessages().quiet = 1;
        // Identification waits 500 ms per output on the clock; let it run fast.
        HeadlessClockUseVirtual(1000, 25);
        SetVirtualPortsRequested(0);
        ResetTransferState();
        gDeviceNumber = 127;
    }
    void TearDown() override {
        UnqueueInputBuffers();
        CloseMidiPorts();
        HeadlessMidiSetPorts({}, {});
        HeadlessClockUseReal();
    }

    // Start-up's MIDI step with the given pretend ports.
    void Start(const std::vector<HeadlessMidiPort>& outputs,
               const std::vector<HeadlessMidiPort>& inputs) {
        InitMidiPorts();
        HeadlessMidiSetPorts(outputs, inputs);
        gMidiPorts.defaultOutputMarker = kEmptyPort;
        RefreshMidiPorts();
        QueueInputBuffers();
        HeadlessMidiClearLog();
    }

    static size_t IdentityRequests(const HeadlessMidiLog& log, int output) {
        return std::count_if(log.sent.begin(), log.sent.end(), [output](const HeadlessMidiSent& s) {
            return s.id == output && s.bytes.size() > 4 && s.bytes[3] == 0x06 && s.bytes[4] == 0x01;
        });
    }
};

}  // namespace

TEST(DeviceNumberField, ReadAsTheDialogStoresIt) {
    EXPECT_EQ(0, ParseDeviceNumber(""));
    EXPECT_EQ(0, ParseDeviceNumber("   "));
    EXPECT_EQ(0, ParseDeviceNumber(nullptr));
    EXPECT_EQ(0, ParseDeviceNumber("0"));
    EXPECT_EQ(5, ParseDeviceNumber("5"));
    EXPECT_EQ(42, ParseDeviceNumber(" 42 "));
    EXPECT_EQ(127, ParseDeviceNumber("127"));
    EXPECT_EQ(127, ParseDeviceNumber("128"));
    EXPECT_EQ(127, ParseDeviceNumber("200"));
    EXPECT_EQ(127, ParseDeviceNumber("99999999999999999999999999"));
    EXPECT_EQ(12, ParseDeviceNumber("12abc"));
    EXPECT_EQ(0, ParseDeviceNumber("abc"));
    EXPECT_EQ(0, ParseDeviceNumber("-5"));
}

TEST_F(MidiSetupTest, DialogShowsThePortsAndTheirChoice) {
    Start({{"Corvanith 49"}, {"Synth Out", kTechnologyMapper}}, {{"Corvanith 49"}, {"Keys"}});
    EXPECT_EQ(2, MidiSetupOutputEntries());
    EXPECT_EQ(2, MidiSetupInputEntries());
    EXPECT_STREQ("A: Corvanith 49", gMidiPorts.outputs[0].displayName);
    MidiSetupChoice c = CurrentMidiSetup();
    EXPECT_EQ(127, c.deviceNumber);
    EXPECT_EQ(1, c.outputSelected[0]);
    EXPECT_EQ(0, c.outputSelected[1]);  // the mapper is never used
    EXPECT_EQ(1, c.inputSelected[0]);
    EXPECT_EQ(1, c.inputSelected[1]);
    EXPECT_EQ(0, c.inputSelected[2]);
}

TEST_F(MidiSetupTest, OkWithoutChangeReopensNothingAndAsksNoDevice) {
    Start({{"Corvanith 49"}, {"Second"}}, {{"Corvanith 49"}});
    MidiSetupChoice c = CurrentMidiSetup();
    c.deviceNumber = ParseDeviceNumber("200");
    EXPECT_EQ(MidiSetupVerdict::kUnchanged, ApplyMidiSetup(c));
    HeadlessMidiLog log = HeadlessMidiLogCopy();
    EXPECT_TRUE(log.outputsOpened.empty());
    EXPECT_TRUE(log.outputsClosed.empty());
    EXPECT_TRUE(log.inputsUnqueued.empty());
    EXPECT_TRUE(log.sent.empty());
    EXPECT_EQ(127, gDeviceNumber);
}

TEST_F(MidiSetupTest, ChangedChoiceReopensThePortsAndIdentifies) {
    Start({{"Corvanith 49"}, {"Second"}}, {{"Corvanith 49"}, {"Keys"}});
    MidiSetupChoice c = CurrentMidiSetup();
    c.outputSelected[1] = 0;
    c.inputSelected[0] = 0;
    c.deviceNumber = 9;
    EXPECT_EQ(MidiSetupVerdict::kReopened, ApplyMidiSetup(c));

    EXPECT_EQ(9, gDeviceNumber);
    EXPECT_EQ(1, gMidiPorts.outputs[0].enabled);
    EXPECT_EQ(0, gMidiPorts.outputs[1].enabled);
    EXPECT_EQ(0, gMidiPorts.inputs[0].enabled);
    EXPECT_EQ(1, gMidiPorts.inputs[1].enabled);
    HeadlessMidiLog log = HeadlessMidiLogCopy();
    EXPECT_EQ(2u, log.outputsClosed.size());
    EXPECT_EQ(std::vector<int>{0}, log.outputsOpened);
    EXPECT_EQ(std::vector<int>{1}, log.inputsOpened);
    EXPECT_EQ(std::vector<int>{1}, log.inputsQueued);
    EXPECT_EQ(1u, IdentityRequests(log, 0));
    EXPECT_EQ(0u, IdentityRequests(log, 1));
}

// A changed device bank offered before the ports change goes out by the
// device number it was made for, not the one just typed.
TEST_F(MidiSetupTest, ABankSentBeforeTheChangeGoesByTheNumberInForce) {
    Start({{"Corvanith 49"}, {"Second"}}, {{"Corvanith 49"}});
    gDeviceNumber = 5;
    ResetBankList();
    BankEntry& entry = gBanks.entries[0];
    entry.kind = BankKind::Device;
    entry.pid = gDevice.pid;
    entry.changeCount = 1;
    entry.data = AllocBankData();
    gBanks.count = 1;
    static int sentWith;
    sentWith = -1;
    gSendBankAtQuit = [](int) {
        sentWith = gDeviceNumber;
        return 1;
    };
    HeadlessQueueAnswer(kIdYes);
    MidiSetupChoice c = CurrentMidiSetup();
    c.outputSelected[1] = 0;
    c.deviceNumber = 9;
    EXPECT_EQ(MidiSetupVerdict::kReopened, ApplyMidiSetup(c));
    EXPECT_EQ(5, sentWith);
    EXPECT_EQ(9, gDeviceNumber);
    gSendBankAtQuit = nullptr;
    ResetBankList();
}

TEST_F(MidiSetupTest, RefusesAChoiceWithoutAnOutputOrAnInput) {
    Start({{"Corvanith 49"}}, {{"Corvanith 49"}});
    MidiSetupChoice c = CurrentMidiSetup();
    c.outputSelected[0] = 0;
    c.deviceNumber = 3;
    EXPECT_EQ(MidiSetupVerdict::kNeedPorts, ApplyMidiSetup(c));
    c = CurrentMidiSetup();
    c.inputSelected[0] = 0;
    c.deviceNumber = 3;
    EXPECT_EQ(MidiSetupVerdict::kNeedPorts, ApplyMidiSetup(c));
    // Refused means untouched: ports as they were, device number not taken.
    EXPECT_EQ(127, gDeviceNumber);
    EXPECT_EQ(1, gMidiPorts.outputs[0].enabled);
    EXPECT_TRUE(HeadlessMidiLogCopy().outputsClosed.empty());
}

TEST_F(MidiSetupTest, SystemWithoutOutputsAcceptsAnEmptyOutputList) {
    Start({}, {{"Keyboard"}});
    MidiSetupChoice c = CurrentMidiSetup();
    EXPECT_EQ(0, MidiSetupOutputEntries());
    EXPECT_NE(MidiSetupVerdict::kNeedPorts, ApplyMidiSetup(c));
}

TEST_F(MidiSetupTest, ChosenOutputThatFailsToOpenFallsBackToTheDefaultChoice) {
    Start({{"Corvanith 49"}, {"Busy", 1, kMidiPortError}}, {{"Corvanith 49"}});
    ASSERT_EQ(0, gMidiPorts.outputs[1].enabled);  // failed at start, silently
    MidiSetupChoice c = CurrentMidiSetup();
    c.outputSelected[0] = 0;
    c.outputSelected[1] = 1;
    EXPECT_EQ(MidiSetupVerdict::kReopened, ApplyMidiSetup(c));
    EXPECT_EQ(1, gMidiPorts.outputs[0].enabled);
    EXPECT_EQ(1, gMidiPorts.outputs[0].open.load());
    EXPECT_EQ(0, gMidiPorts.outputs[1].enabled);
    EXPECT_EQ(1u, IdentityRequests(HeadlessMidiLogCopy(), 0));
}

// The port open before comes back, not the default rule's pick, which may be
// the very port that failed (said once), or an output the user unticked.
TEST_F(MidiSetupTest, ChosenPortsThatFailToOpenGiveBackThePortsOpenBefore) {
    Start({{"Busy", 1, kMidiPortError}, {"Corvanith 49"}}, {{"Corvanith 49"}});
    ASSERT_EQ(1, gMidiPorts.outputs[1].open.load());  // the first failed at start, silently
    MidiSetupChoice c = CurrentMidiSetup();
    c.outputSelected[0] = 1;
    c.outputSelected[1] = 0;
    EXPECT_EQ(MidiSetupVerdict::kReopened, ApplyMidiSetup(c));
    EXPECT_EQ(1u, HeadlessMessages().boxes.size());
    EXPECT_EQ(1, gMidiPorts.outputs[1].open.load());
    EXPECT_EQ(1u, IdentityRequests(HeadlessMidiLogCopy(), 1));

    UnqueueInputBuffers();
    CloseMidiPorts();
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    Start({{"First"}, {"Corvanith 49"}}, {{"Busy In", 1, kMidiPortError}, {"Corvanith 49"}});
    c = CurrentMidiSetup();
    c.outputSelected[0] = 0;
    c.outputSelected[1] = 1;
    c.inputSelected[0] = 1;
    c.inputSelected[1] = 0;
    EXPECT_EQ(MidiSetupVerdict::kReopened, ApplyMidiSetup(c));
    EXPECT_EQ(1, gMidiPorts.inputs[1].open);
    EXPECT_EQ(0, gMidiPorts.outputs[0].enabled);  // as the user left it
    EXPECT_EQ(0u, IdentityRequests(HeadlessMidiLogCopy(), 0));

    // No input open before: none to try again, and the default rule's pick
    // is tried once more, as a refresh would.
    UnqueueInputBuffers();
    CloseMidiPorts();
    HeadlessMessagesReset();
    HeadlessMessages().quiet = 1;
    Start({{"First"}, {"Corvanith 49"}}, {{"Busy In", 1, kMidiPortError}});
    c = CurrentMidiSetup();
    c.outputSelected[0] = 0;
    c.outputSelected[1] = 1;
    c.inputSelected[0] = 1;
    EXPECT_EQ(MidiSetupVerdict::kReopened, ApplyMidiSetup(c));
    EXPECT_LE(HeadlessMessages().boxes.size(), 2u);
}

// ---------------------------------------------------------------------------

TEST(UndoLevelsField, ReadIntoItsRange) {
    EXPECT_EQ(1, ParseUndoLevels("0", 50));
    EXPECT_EQ(1, ParseUndoLevels("1", 50));
    EXPECT_EQ(64, ParseUndoLevels(" 64", 50));
    EXPECT_EQ(100, ParseUndoLevels("100", 50));
    EXPECT_EQ(100, ParseUndoLevels("101", 50));
    EXPECT_EQ(100, ParseUndoLevels("9999999999999999", 50));
    EXPECT_EQ(50, ParseUndoLevels("", 50));
    EXPECT_EQ(50, ParseUndoLevels("lots", 50));
    EXPECT_EQ(50, ParseUndoLevels(nullptr, 50));
}

TEST(PreferencesDialogRules, OkAppliesTheChoice) {
    SetPreferences(DefaultPreferences());
    PreferencesChoice c = CurrentPreferencesChoice();
    EXPECT_EQ(100, c.undoLevels);
    EXPECT_EQ(0, c.initialisePresetNames);
    EXPECT_EQ(1, c.showAllRomBanks);

    c.undoLevels = 12;
    c.initialisePresetNames = 1;
    EXPECT_EQ(0, ApplyPreferencesChoice(c));  // ROM banks unchanged: no command 26
    EXPECT_EQ(12, gUndoLevels);
    EXPECT_EQ(12, gUndo.levels);
    EXPECT_EQ(1, gInitialisePresetNames);

    c.showAllRomBanks = 0;
    EXPECT_EQ(1, ApplyPreferencesChoice(c));
    // The flag itself is left to the choice made after the dialog, which also
    // rebuilds the bank list.
    EXPECT_EQ(1, gShowAllRomBanks);

    // Chosen while a dump the device began holds the bank list: made at its end.
    ResetTransferState();
    gTransfer.receiving = 1;
    JoinChooseRomBanksShown(0);
    EXPECT_EQ(1, gShowAllRomBanks);
    gTransfer.receiving = 0;
    gDrag.armed = true;  // nor while the mouse holds something of a bank
    JoinTransferTimer();
    EXPECT_EQ(1, gShowAllRomBanks);
    gDrag.armed = false;
    JoinTransferTimer();
    EXPECT_EQ(0, gShowAllRomBanks);
    SetPreferences(DefaultPreferences());
}

// ---------------------------------------------------------------------------

TEST(DialogPlacement, CentredOnTheMainWindowAndKeptOnTheScreen) {
    DialogPlace p = CentreDialog(100, 50, 808, 600, 300, 200, 1280, 1000, 20);
    EXPECT_EQ(100 + 404 - 150, p.left);
    EXPECT_EQ(50 + 300 - 100, p.top);
    // A main window at the right edge: the dialog ends at the work area's edge.
    p = CentreDialog(1100, 0, 808, 600, 400, 200, 1280, 1000, 20);
    EXPECT_EQ(880, p.left);
    // Near the bottom: may reach the caption height below the work area, no further.
    p = CentreDialog(0, 900, 808, 600, 300, 200, 1280, 1000, 20);
    EXPECT_EQ(820, p.top);
    // Off to the top-left: never negative.
    p = CentreDialog(-900, -700, 808, 600, 300, 200, 1280, 1000, 20);
    EXPECT_EQ(0, p.left);
    EXPECT_EQ(0, p.top);
}
