// Finding the connected devices: the identity request on every enabled output
// in turn, and the device banks of the models that answered; and the start,
// stop and refresh of the whole MIDI side.
#include <thread>

#include "banks/bank_commands.h"
#include "banks/bank_model.h"
#include "base/messages.h"
#include "base/platform.h"
#include "banks/discovery.h"
#include "midi/midi_ports.h"
#include "midi/sysex_parser.h"
#include "midi/sysex_send.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"
#include "midi/transfer_view.h"
#include "midi/virtual_link.h"

void FinishIdentification() {
    if (!gTransfer.identifying.exchange(0)) return;
    const int count = IdentifiedDeviceCount();
    for (int i = 0; i < count; i++) {
        const IdentifiedDevice device = IdentifiedDeviceAt(i);
        DeviceConnected(device.pid, device.port);
    }
}

// Each port is waited on until it has answered or the wait is over: a
// Corvanith device sits alone on its USB port and answers once, so nothing
// more can come from a port that has answered. An answer that comes late is
// recorded with the port probed at that moment, which is what the device bank
// binds to, and ends that port's wait as well.
void IdentifyDevices() {
    TransferState& t = gTransfer;
    t.identifiedCount = 0;
    t.identifying = 1;
    for (int port = 0; port < kMaxMidiPorts; port++) {
        if (!gMidiPorts.outputs[port].enabled) continue;
        const uint32_t deadline = MilliClock() + kIdentifyWaitMs;
        t.receiveDeadline = deadline;
        const int answersBefore = t.identifiedCount;
        SetMidiCurrentOutput(port);
        SendShortMessage(ShortMessageKind::IdentityRequest, 0);
        while ((int32_t)(MilliClock() - deadline) < 0 && t.identifiedCount == answersBefore) {
            std::this_thread::yield();
        }
    }
    FinishIdentification();
}

int RefreshDevices() {
    if (TransferBusy()) return 0;
    // A dump asked for and not yet arrived would lose its port and its
    // answers to the identity requests.
    if (!CanStartSendingOrSay()) return 0;
    const int before = gBanks.current;
    DrawActivityIndicator(0);
    UnqueueInputBuffers();
    CloseMidiPorts();
    // A device that answers again keeps its bank and what it holds unsent,
    // also on another port: the ports are listed anew.
    BeginDeviceBankRefresh(true);
    gMidiPorts.defaultOutputMarker = kEmptyPort;
    RefreshMidiPorts();
    QueueInputBuffers();
    IdentifyDevices();
    EndDeviceBankRefresh();
    DrawActivityIndicator(kIdleIndicatorFrame);
    return gBanks.current != before;
}

void StartMidi() {
    gSendBankAtQuit = SendDeviceBankAtQuit;
    gMidiPorts.defaultOutputMarker = kEmptyPort;
    RefreshMidiPorts();
    QueueInputBuffers();
    IdentifyDevices();
}

void StopMidi() {
    UnqueueInputBuffers();
    CloseMidiPorts();
    VirtualLinkShutdown();
}
