// Downloads: the dump request, the timer tick that watches a dump arrive, and
// the completion that moves a finished dump into the device bank.
//
// The parser finishes a dump on the input thread but leaves the banks alone:
// it hands the received images over and sets downloadComplete. The completion
// runs here, on the user-interface thread, between two ticks of its timer, so
// it never overlaps the painting and editing that use the same banks.
#include <cstdio>

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "editing/undo_history.h"
#include "midi/bank_packing.h"
#include "midi/midi_ports.h"
#include "midi/sysex_parser.h"
#include "midi/sysex_send.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"
#include "midi/transfer_view.h"
#include "shell/commands.h"
#include "shell/messages.h"
#include "shell/platform.h"
#include "shell/settings.h"

// Where a taken dump waits while it is completed (too large for the stack).
static PackedBank gTakenDump;

void DownloadFromDevice() {
    if (gTransfer.sending) return;
    const int device = FindDeviceBank();
    if (device < 0 || !TransferCompatible()) {
        UpdateTransferMenu();
        return;
    }
    SetMidiCurrentOutput(gBanks.entries[device].connection);
    PublishTransferLayout();
    gTransfer.downloadSlot = kExchangeSlot;
    // The request marks the handshake active before it leaves; setting it
    // again here could undo the end of a dump the input thread has already
    // received in full.
    SendShortMessage(ShortMessageKind::DumpRequest, 0);
    UpdateTransferMenu();
}

int CompleteDownload() {
    const int received = TakeCompletedDump(&gTakenDump);
    if (received < 0) return 0;
    const int device = FindDeviceBank();
    if (device < 0) return 0;
    BankEntry& entry = gBanks.entries[device];
    SetMidiCurrentOutput(entry.connection);
    // The images are unpacked by the loaded definition; a dump that arrives
    // while another model is loaded (the device's user started it) would be
    // read with the wrong layout, so it is left unused like a broken one.
    if (!entry.data || entry.data->pid != gDevice.pid) return 0;

    CopyBank(-1, device);
    RecordUndoSnapshot(UndoKind::SysexReceipt, UndoScope::Bank, device, 0);

    int presets = gDevice.presetCount < received ? gDevice.presetCount : received;
    if (presets < 0) presets = 0;
    const int slot = (int)gTransfer.downloadSlot % kPackedStoreSlots;
    for (int i = 0; i < presets; i++) {
        PackedPreset& image = gPackedStore.slots[slot].presets[i];
        image = gTakenDump.presets[i];
        char name[kPackedNameSize];
        snprintf(name, sizeof name, "Memory Received %d", i + 1);
        SetPackedPresetName(image, name);
    }
    UnpackBank(slot, &gReadScratch);
    gReadScratch.pid = gDevice.pid;

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
    return 1;
}

void OnTransferTimer() {
    TransferState& t = gTransfer;
    PublishTransferLayout();
    if (t.identifying) {
        FinishIdentification();
        TransferRedrawMainWindow();
        return;
    }
    if (t.receiving) {
        if ((int32_t)(MilliClock() - t.receiveDeadline) > 0) {
            // Silence: the dump is abandoned. The device bank is unchanged and
            // what arrived stays in the reception slot, unused.
            t.handshakeActive = 0;
            t.receiving = 0;
            TransferRedrawMainWindow();
        } else {
            DrawProgress();
        }
        return;
    }
    // Cleared before completing, so a dump finishing meanwhile is seen next tick.
    if (t.downloadComplete.exchange(0)) {
        CompleteDownload();
        TransferRedrawMainWindow();
        TransferRedrawControlWindow();
        UpdateTransferMenu();
        SetStatusPopupText(kStrSysExReceived);
        ShowStatusPopup(1);
        ShowStatusPopup(0);
    }
}
