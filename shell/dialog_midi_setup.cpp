// The MIDI Setup dialog's rules, on the port tables of midi/midi_ports.h.
#include "shell/dialog_midi_setup.h"

#include "banks/bank_commands.h"
#include "base/messages.h"
#include "base/string_ids.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"

namespace {

int IsBlank(char c) {
    return c == ' ' || c == '\t';
}

int AnySelected(const unsigned char* selected, int count) {
    for (int i = 0; i < count; i++) {
        if (selected[i]) return 1;
    }
    return 0;
}

int AnyOutputEnabled() {
    for (int i = 0; i < gMidiPorts.outputCount && i < kMaxMidiPorts; i++) {
        if (gMidiPorts.outputs[i].enabled) return 1;
    }
    return 0;
}

int AnyInputEnabled() {
    for (int i = 0; i < gMidiPorts.inputCount && i < kMaxMidiPorts; i++) {
        if (gMidiPorts.inputs[i].enabled) return 1;
    }
    return 0;
}

int SelectionDiffers(const MidiSetupChoice& choice) {
    for (int i = 0; i < kMaxMidiPorts; i++) {
        if ((choice.outputSelected[i] != 0) != (gMidiPorts.outputs[i].enabled != 0)) return 1;
        if ((choice.inputSelected[i] != 0) != (gMidiPorts.inputs[i].enabled != 0)) return 1;
    }
    return 0;
}

}  // namespace

int ParseDeviceNumber(const char* text) {
    if (text == nullptr) return 0;
    while (IsBlank(*text)) text++;
    int value = 0;
    for (; *text >= '0' && *text <= '9'; text++) {
        // Saturate instead of overflowing: a pasted run of digits is just "too big".
        value = value * 10 + (*text - '0');
        if (value > kMaxDeviceNumber) value = kMaxDeviceNumber + 1;
    }
    return value > kMaxDeviceNumber ? kMaxDeviceNumber : value;
}

int MidiSetupOutputEntries() {
    int n = 0;
    while (n < kMaxMidiPorts && gMidiPorts.outputs[n].displayName[0] != '\0') n++;
    return n;
}

int MidiSetupInputEntries() {
    int n = 0;
    while (n < kMaxMidiPorts && gMidiPorts.inputs[n].displayName[0] != '\0') n++;
    return n;
}

MidiSetupChoice CurrentMidiSetup() {
    MidiSetupChoice c;
    c.deviceNumber = gDeviceNumber;
    int outputs = MidiSetupOutputEntries();
    int inputs = MidiSetupInputEntries();
    for (int i = 0; i < kMaxMidiPorts; i++) {
        c.outputSelected[i] = i < outputs && gMidiPorts.outputs[i].enabled ? 1 : 0;
        c.inputSelected[i] = i < inputs && gMidiPorts.inputs[i].enabled ? 1 : 0;
    }
    return c;
}

namespace {
// The question about a changed device bank does not block the dialog (the box
// belongs to the main window): an OK pressed again while it is up would close
// the ports and remove banks under the question, whose answer then sends
// whatever bank took the asked one's place.
bool gApplying = false;
}  // namespace

static MidiSetupVerdict ApplyMidiSetupOnce(const MidiSetupChoice& choice);

// Whether ports were open before (`before`) other than those chosen.
static bool OthersWereOpen(const unsigned char* before, const unsigned char* chosen) {
    bool any = false, differs = false;
    for (int i = 0; i < kMaxMidiPorts; i++) {
        any = any || before[i] != 0;
        differs = differs || (before[i] != 0) != (chosen[i] != 0);
    }
    return any && differs;
}

MidiSetupVerdict ApplyMidiSetup(const MidiSetupChoice& choice) {
    if (gApplying) return MidiSetupVerdict::kKept;
    gApplying = true;
    const MidiSetupVerdict verdict = ApplyMidiSetupOnce(choice);
    gApplying = false;
    return verdict;
}

static MidiSetupVerdict ApplyMidiSetupOnce(const MidiSetupChoice& choice) {
    if (gMidiPorts.outputCount > 0 && !AnySelected(choice.outputSelected, kMaxMidiPorts)) {
        return MidiSetupVerdict::kNeedPorts;
    }
    if (gMidiPorts.inputCount > 0 && !AnySelected(choice.inputSelected, kMaxMidiPorts)) {
        return MidiSetupVerdict::kNeedPorts;
    }
    // Taken only from an accepted choice, so that a refused OK followed by
    // Cancel changes nothing.
    int number = choice.deviceNumber;
    number = number < 0 ? 0 : (number > kMaxDeviceNumber ? kMaxDeviceNumber : number);
    const bool portsChange = SelectionDiffers(choice) != 0;
    // A dump asked for and not yet arrived would lose its port and have
    // identity requests sent into it, as at Refresh Devices; a new device
    // number would have its messages passed over and its answers go astray.
    if ((portsChange || number != gDeviceNumber) && !CanStartSendingOrSay()) {
        return MidiSetupVerdict::kKept;
    }
    if (!portsChange) {
        gDeviceNumber = number;
        return MidiSetupVerdict::kUnchanged;
    }
    // A changed device bank offered before the ports change goes to the
    // device it was made for: by the number in force until now.
    if (!ConfirmDeviceBanksBeforeRefresh()) return MidiSetupVerdict::kKept;
    gDeviceNumber = number;

    UnqueueInputBuffers();
    CloseMidiPorts();
    unsigned char outputsBefore[kMaxMidiPorts], inputsBefore[kMaxMidiPorts];
    for (int i = 0; i < kMaxMidiPorts; i++) {
        outputsBefore[i] = gMidiPorts.outputs[i].enabled ? 1 : 0;
        inputsBefore[i] = gMidiPorts.inputs[i].enabled ? 1 : 0;
        gMidiPorts.outputs[i].enabled = choice.outputSelected[i] ? 1 : 0;
        gMidiPorts.inputs[i].enabled = choice.inputSelected[i] ? 1 : 0;
    }
    OpenMidiPorts();
    if (!AnyOutputEnabled() || !AnyInputEnabled()) {
        // The chosen ports of one kind all failed to open (and said so):
        // those of that kind that were open before come back. The ports a
        // refresh would pick come only when they fail too: the default rule
        // may pick the very port that failed, and an output the user unticked.
        const bool outputsFailed = !AnyOutputEnabled(), inputsFailed = !AnyInputEnabled();
        // Only ports other than the ones that just failed are worth a try:
        // none open before, or the same ones, would fail again.
        const bool retry =
            (!outputsFailed || OthersWereOpen(outputsBefore, choice.outputSelected)) &&
            (!inputsFailed || OthersWereOpen(inputsBefore, choice.inputSelected));
        CloseMidiPorts();
        for (int i = 0; i < kMaxMidiPorts && retry; i++) {
            if (outputsFailed) gMidiPorts.outputs[i].enabled = outputsBefore[i];
            if (inputsFailed) gMidiPorts.inputs[i].enabled = inputsBefore[i];
        }
        if (retry) OpenMidiPorts();
        if (!retry || !AnyOutputEnabled() || !AnyInputEnabled()) {
            CloseMidiPorts();
            gMidiPorts.defaultOutputMarker = kEmptyPort;
            OpenMidiPorts();
        }
    }
    QueueInputBuffers();
    // A device left on a port no longer chosen gives its bank up: its
    // transfers would go nowhere.
    BeginDeviceBankRefresh();
    IdentifyDevices();
    EndDeviceBankRefresh();
    return MidiSetupVerdict::kReopened;
}
