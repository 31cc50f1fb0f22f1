// Downloads: the dump request, the timer tick that watches a dump arrive and
// end, and the completion that moves a complete dump into the device bank.
//
// The reception ends a dump on the input thread but leaves the banks alone:
// it hands the result (and a complete dump's images) over. The completion and
// the word to the user run here, on the user-interface thread, between two
// ticks of its timer, so they never overlap the painting and editing that use
// the same banks.
#include <cstdio>

#include "banks/bank_model.h"
#include "base/messages.h"
#include "base/platform.h"
#include "base/preferences.h"
#include "base/shell_hooks.h"
#include "devices/device_definition.h"
#include "banks/undo_history.h"
#include "banks/bank_packing.h"
#include "midi/dump_reception.h"
#include "midi/exchange_model.h"
#include "midi/midi_ports.h"
#include "midi/sysex_parser.h"
#include "midi/sysex_send.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"
#include "midi/transfer_view.h"

// Where a taken dump waits while it is completed (too large for the stack).
static PackedBank gTakenDump;

// A dump is awaited or arriving: the sends wait (their answers would mix with
// the dump's) and a second request would only start it again.
static bool DumpUnderWay() {
    return gTransfer.handshakeActive || gTransfer.receiving;
}

// The device bank a dump was asked for (its serial; 0 when none is awaited):
// the remembered device bank may change while the dump is on its way (a
// click on another device bank's icon, a turn to another model's).
static int32_t gAskedBankSerial = 0;

void DownloadFromDevice() {
    if (gTransfer.sending) return;
    // A dump already on its way lands in the bank it was asked for, and is
    // asked for again of that bank's device, whichever bank is shown now.
    const bool fresh = !DumpUnderWay();
    if (fresh) RememberCurrentDeviceBank();
    // (A dump the device started unasked has no bank asked for.)
    const int device =
        fresh || gAskedBankSerial == 0 ? FindDeviceBank() : FindBankBySerial(gAskedBankSerial);
    if (device < 0 || !TransferCompatible()) {
        UpdateTransferMenu();
        return;
    }
    if (fresh) gAskedBankSerial = BankSerial(device);
    SetMidiCurrentOutput(gBanks.entries[device].connection);
    gTransfer.downloadSlot = kExchangeSlot;
    // The request begins the dump (and the handshake) before it leaves.
    SendShortMessage(ShortMessageKind::DumpRequest, 0);
    StatusMessage(kStrAskingForDump, gBanks.entries[device].displayName);
    UpdateTransferMenu();
}

// While a dump arrives the status display follows it, preset by preset.
static void ShowReceiving() {
    static uint32_t shown = 0;
    const uint32_t preset = gTransfer.lastPresetNumber;
    if (preset == shown || preset == 0) return;
    shown = preset;
    // Named by the model the dump is read by: a dump the user started on the
    // device of another connected model fills that model's device bank.
    int pid = 0;
    int presets = gTransfer.presetCount.load();
    const int device = ArrivingDumpModel(&pid, &presets) ? DeviceBankOfModel(pid) : FindDeviceBank();
    StatusMessage3(kStrReceivingPreset, static_cast<int>(preset), presets,
                   device >= 0 ? gBanks.entries[device].displayName : gDevice.name);
}

// The device bank a dump goes into: the one it was asked for, else (a dump
// the device started) its model's.
static int DumpDeviceBank(const DumpResult& dump) {
    const int asked = dump.requested ? FindBankBySerial(gAskedBankSerial) : -1;
    if (asked >= 0 && gBanks.entries[asked].pid == dump.pid) return asked;
    return DeviceBankOfModel(dump.pid);
}

int CompleteDownload(const DumpResult& dump, const PackedBank& images) {
    if (dump.outcome != DumpOutcome::Complete) return 0;
    const int device = DumpDeviceBank(dump);
    if (device < 0) return 0;
    BankEntry& entry = gBanks.entries[device];
    // The dump was received by the device bank's model; it is unpacked by the
    // same one, whichever model the bank on screen belongs to.
    const DeviceDefinition* model = ModelOfPid(dump.pid);
    if (!entry.data || entry.pid != dump.pid || !model) return 0;
    SetMidiCurrentOutput(entry.connection);

    CopyBank(-1, device);
    RecordUndoSnapshot(UndoKind::SysexReceipt, UndoScope::Bank, device, 0);

    int presets = model->presetCount < dump.presetCount ? model->presetCount : dump.presetCount;
    if (presets < 0) presets = 0;
    const int slot = (int)gTransfer.downloadSlot % kPackedStoreSlots;
    for (int i = 0; i < presets; i++) {
        PackedPreset& image = gPackedStore.slots[slot].presets[i];
        image = images.presets[i];
        char name[kPackedNameSize];
        snprintf(name, sizeof name, "Memory Received %d", i + 1);
        SetPackedPresetName(image, name);
    }
    UnpackBankAs(*model, slot, &gReadScratch);
    gReadScratch.pid = model->pid;

    const bool keepNames = !gInitialisePresetNames;
    if (keepNames)
        for (int i = 0; i < kMaxPresets; i++)
            CopyText(gNameScratch.presets[i].name, entry.data->presets[i].name);
    CopyBank(device, -1);
    if (keepNames)
        for (int i = 0; i < kMaxPresets; i++)
            CopyText(entry.data->presets[i].name, gNameScratch.presets[i].name);
    // The bank now holds what the device holds: nothing of it waits to be sent.
    ClearChanges(device);
    FinishUndoStep();
    if (gShellHooks.bankContentsReplaced) gShellHooks.bankContentsReplaced(device);
    return 1;
}

// Every end of a dump is said: the popup when a bank was filled, else why not.
static void ReportDump(const DumpResult& dump) {
    switch (dump.outcome) {
        case DumpOutcome::Complete:
            if (CompleteDownload(dump, gTakenDump)) {
                const int device = DumpDeviceBank(dump);
                StatusMessage2(kStrPresetsReceived, dump.presetCount,
                               device >= 0 ? gBanks.entries[device].displayName : gDevice.name);
                TransferRedrawMainWindow();
                TransferRedrawControlWindow();
                UpdateTransferMenu();
                SetStatusPopupText(kStrSysExReceived);
                ShowStatusPopup(1);
                ShowStatusPopup(0);
                return;
            }
            StatusMessage(kStrDumpNotStored);
            break;
        case DumpOutcome::Incomplete:
            StatusMessage2(kStrDumpIncomplete, dump.presetsArrived, dump.presetCount);
            break;
        case DumpOutcome::DamagedCancelled:
            StatusMessage(kStrDumpDamaged);
            break;
        case DumpOutcome::DeviceCancelled:
            StatusMessage(kStrDeviceCancelled);
            break;
        case DumpOutcome::NotAnswered:
            StatusMessage(kStrDeviceNotResponding);
            break;
    }
    TransferRedrawMainWindow();
    UpdateTransferMenu();
}

void OnTransferTimer() {
    TransferState& t = gTransfer;
    if (t.identifying) {
        FinishIdentification();
        TransferRedrawMainWindow();
        return;
    }
    CheckDumpTimeouts(MilliClock());
    DumpResult dump;
    if (TakeDumpResult(&dump, &gTakenDump)) {
        ReportDump(dump);
        // What changed while it was on its way now counts: the device bank
        // remembered, the layout and Group ID its messages are read by.
        gAskedBankSerial = 0;
        PublishTransferLayout();
        return;
    }
    if (t.receiving) {
        DrawProgress();
        ShowReceiving();
    }
}

bool CanStartSending() {
    // A dump that has ended but not yet landed (the next tick takes it) would
    // land over what is sent now, and mark the bank as the device holds it.
    return !gTransfer.sending && !DumpUnderWay() && !DumpResultWaiting();
}

bool CanStartSendingOrSay() {
    if (CanStartSending()) return true;
    StatusMessage(kStrDeviceStillSending);
    return false;
}
