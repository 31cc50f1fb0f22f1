// Sending presets to the device with the acknowledge/retry/cancel handshake.
//
// The waits are busy loops on the millisecond clock, as the protocol was
// designed around: nothing else runs on the user-interface thread while a
// message is in flight, and the windows ignore input while `sending` is set.
#include <thread>

#include "banks/bank_model.h"
#include "base/messages.h"
#include "base/platform.h"
#include "devices/device_definition.h"
#include "banks/bank_packing.h"
#include "midi/exchange_model.h"
#include "midi/midi_ports.h"
#include "midi/sysex_format.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"
#include "midi/transfer_view.h"

static int gLastExchangeFailed = 0;

int LastExchangeFailed() {
    return gLastExchangeFailed;
}

void DrawProgress() {
    DrawActivityIndicator(ProgressFrame(gTransfer.progressCounter));
}

// Waits for the device's answer to one send. Returns 1 when an acknowledge or
// retry came, 0 on cancel or time-out (timedOut tells which).
static int AwaitAnswer(uint32_t sentAt) {
    TransferState& t = gTransfer;
    for (;;) {
        if (t.cancelsReceived != 0) return 0;
        if (t.acksReceived != 0 || t.retriesReceived != 0) return 1;
        if (MilliClock() - sentAt > kHandshakeWaitMs) {  // the clock has passed the wait
            t.timedOut = 1;
            return 0;
        }
        std::this_thread::yield();
    }
}

// The device acknowledges, asks for the message again (retry) or gives up
// (cancel); silence counts as a lost message. A retry is always honoured, up
// to kMaxRetriedSends sends, so a device that never stops asking cannot hold
// the program forever; an acknowledgement on any send means the device has
// the data. Only answers that name this message's preset count (the parser
// checks them against awaitedPreset); the protocol's answers carry nothing
// more, so an answer to an earlier message of the same preset still does.
int SendWithHandshake(const uint8_t* message, int length) {
    TransferState& t = gTransfer;
    int sends = 0;
    // Answers that name another preset belong to an earlier message.
    t.awaitedPreset = length > 7 ? message[7] : 0;
    for (;;) {
        t.acksReceived = 0;
        t.retriesReceived = 0;
        t.cancelsReceived = 0;
        t.timedOut = 0;
        SendOnCurrentOutput(message, length);
        sends++;
        AwaitAnswer(MilliClock());
        if (t.cancelsReceived != 0) break;
        const bool unanswered = t.acksReceived == 0;
        if (sends < kHandshakeAttempts && unanswered) continue;
        if (t.retriesReceived != 0 && sends < kMaxRetriedSends) continue;
        break;
    }
    t.awaitedPreset = 0;

    gLastExchangeFailed = 1;
    if (t.timedOut) {
        StatusMessage(kStrDeviceNotResponding);
        return 0;
    }
    if (t.cancelsReceived != 0) {
        StatusMessage(kStrDeviceCancelled);
        return 0;
    }
    if (t.acksReceived == 0) {  // still asking for retries after kMaxRetriedSends
        StatusMessage(kStrDeviceDidNotReceive);
        return 0;
    }
    gLastExchangeFailed = 0;
    StepProgress(1);
    DrawProgress();
    t.cancelsReceived = 0;
    return 1;
}

int SendPreset(int slot, int presetIndex) {
    if (slot < 0 || slot >= kPackedStoreSlots || presetIndex < 0 ||
        presetIndex >= kPackedPresetsPerBank)
        return 0;
    const SysexSizes sizes = PublishedSysexSizes();
    const PackedPreset& image = gPackedStore.slots[slot].presets[presetIndex];
    const int types = SysexMessagesPerPreset(sizes);
    uint8_t message[kMaxDataMessageSize];
    for (int i = 0; i < types; i++) {
        const int length = BuildPresetMessage(image, sizes, i, presetIndex, gDeviceNumber, message);
        if (!SendWithHandshake(message, length)) return 0;
    }
    return 1;
}

static void ShowSysExSent(int sent) {
    if (sent == 1) {
        StatusMessage(kStrOnePresetSent, gDevice.name);
    } else {
        StatusMessage2(kStrPresetsSent, sent, gDevice.name);
    }
    SetStatusPopupText(kStrSysExSent);
    ShowStatusPopup(1);
    ShowStatusPopup(0);
}

// A whole bank takes a while: the status display says which preset is on
// its way (the display draws at once, inside the send loop).
static void ShowSending(int preset, int presets) {
    StatusMessage3(kStrSendingPreset, preset + 1, presets, gDevice.name);
}

static int PresetsToSend() {
    const int count = gTransfer.presetCount;
    return count < 0 ? 0 : count > kPackedPresetsPerBank ? kPackedPresetsPerBank : count;
}

int SendAllPresets(int slot) {
    gTransfer.progressCounter = 0;
    gTransfer.sending = 1;
    const int presets = PresetsToSend();
    for (int p = 0; p < presets; p++) {
        ShowSending(p, presets);
        if (!SendPreset(slot, p)) break;
    }
    gTransfer.sending = 0;
    TransferRedrawMainWindow();
    if (gLastExchangeFailed) return 0;
    ShowSysExSent(presets);
    return 1;
}

// With no changed preset nothing is sent, and the outcome is that of the last
// exchange: the bank is then marked sent unless that exchange failed.
int SendChangedPresets(int slot, int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data) return 0;
    gTransfer.progressCounter = 0;
    gTransfer.sending = 1;
    const int presets = PresetsToSend();
    int sent = 0;
    for (int p = 0; p < presets; p++) {
        PresetRecord& preset = entry->data->presets[p];
        if (preset.changed == 0) continue;
        ShowSending(p, presets);
        if (!SendPreset(slot, p)) break;
        ClearPresetChange(bank, p);
        sent++;
    }
    gTransfer.sending = 0;
    TransferRedrawMainWindow();
    if (gLastExchangeFailed) return 0;
    ClearChanges(bank);
    ShowSysExSent(sent);
    return 1;
}

// The device bank's connection is the output its device answered on: every
// exchange goes there.
static int FindConnectedDeviceBank() {
    const int device = FindDeviceBank();
    if (device >= 0) SetMidiCurrentOutput(gBanks.entries[device].connection);
    return device;
}

bool TransferCompatible() {
    // The bank a transfer command would remember and go to (the menus ask
    // before any command has run).
    const int device = DeviceBankForCurrent();
    const BankData* current = BankDataAt(gBanks.current);
    const BankData* deviceData = BankDataAt(device);
    if (device < 0 || gBanks.count == 0 || !current || !deviceData) return false;
    return deviceData->pid == current->pid;
}

bool CanSendCurrentBank() {
    return CanStartSending() && TransferCompatible();
}

bool CanSendChangesNow() {
    return CanStartSending() && CanSendChanges();
}

bool CanDownloadFromDevice() {
    return !gTransfer.sending && TransferCompatible();
}

bool TransferBusy() {
    return gTransfer.sending || gTransfer.receiving;
}

// Once the device holds the whole device bank, the bank has no changes the
// device lacks. Another bank sent to the device keeps its counters: they say
// what is not yet saved to its file.
static void MarkDeviceBankSent(int bank) {
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data || entry->kind != BankKind::Device) return;
    ClearChanges(bank);
}

// Sending a bank of another model would put another model's layout into the
// device, so the command keeps to its enable rule even when called directly.
void SendCurrentBank() {
    // Its question's box lets a dump begin under it: the Yes is answered.
    if (!CanStartSendingOrSay()) return;
    RememberCurrentDeviceBank();
    if (FindConnectedDeviceBank() < 0 || !TransferCompatible()) {
        UpdateTransferMenu();
        return;
    }
    PackBankAs(ExchangeModel(), BankDataAt(gBanks.current), kExchangeSlot);
    if (SendAllPresets(kExchangeSlot)) MarkDeviceBankSent(gBanks.current);
    UpdateTransferMenu();
}

void SendChanges() {
    // The drops that change the device bank send at once, whatever the
    // transfers are doing: one that cannot says why.
    if (!CanStartSendingOrSay()) return;
    if (!CanSendChangesNow()) return;
    RememberCurrentDeviceBank();
    FindConnectedDeviceBank();
    PackBankAs(ExchangeModel(), BankDataAt(gBanks.current), kExchangeSlot);
    SendChangedPresets(kExchangeSlot, gBanks.current);
    UpdateTransferMenu();
}

int SendDeviceBankAtQuit(int bank) {
    const BankData* data = BankDataAt(bank);
    if (!data || bank < 0) return 0;
    // A dump awaited or arriving: a send now would mix with it, and the
    // device would cancel both. The question's box says why it stopped.
    if (!CanStartSendingOrSay()) return 0;
    // The bank sent becomes the exchange's device bank: the device bank of
    // another model may be the one remembered, whose layout the bank would
    // otherwise be packed and sent by.
    // The user's own choice of output comes back after it.
    const int output = MidiCurrentOutput();
    SetDeviceBank(bank);
    SetMidiCurrentOutput(gBanks.entries[bank].connection);
    // The bank is packed by its device's model, whichever model is loaded.
    PackBankAs(ExchangeModel(), data, kExchangeSlot);
    const int sent = SendAllPresets(kExchangeSlot);
    SetMidiCurrentOutput(output);
    if (!sent) return 0;
    MarkDeviceBankSent(bank);
    return 1;
}
