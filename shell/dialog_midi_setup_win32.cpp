// "MIDI Setup": the device number and the two port lists (DevicesDlgProc).
#include <windows.h>

#include <cstdio>

#include "base/app_state.h"
#include "base/messages.h"
#include "shell/dialog_ids.h"
#include "shell/dialog_midi_setup.h"
#include "shell/dialog_win32.h"
#include "shell/dialogs.h"
#include "shell/help.h"

namespace {

// Longer than any typed number needs, short enough that a paste stays sane;
// ParseDeviceNumber saturates whatever is there.
constexpr int kDeviceNumberTextLimit = 12;

void FillPortList(HWND list, int entries, int output) {
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < entries; i++) {
        const char* name =
            output ? gMidiPorts.outputs[i].displayName : gMidiPorts.inputs[i].displayName;
        int enabled = output ? gMidiPorts.outputs[i].enabled.load() : gMidiPorts.inputs[i].enabled;
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
        if (enabled) SendMessageA(list, LB_SETSEL, TRUE, i);
    }
}

void ReadSelection(HWND list, unsigned char* selected) {
    for (int i = 0; i < kMaxMidiPorts; i++) {
        // LB_ERR (-1) past the end of the list counts as not selected.
        selected[i] = SendMessageA(list, LB_GETSEL, i, 0) > 0 ? 1 : 0;
    }
}

void InitDevicesDialog(HWND dialog) {
    FillPortList(GetDlgItem(dialog, IDC_DEVICE_INPUTS), MidiSetupInputEntries(), 0);
    FillPortList(GetDlgItem(dialog, IDC_DEVICE_OUTPUTS), MidiSetupOutputEntries(), 1);
    SendDlgItemMessageA(dialog, IDC_DEVICE_NUMBER, EM_LIMITTEXT, kDeviceNumberTextLimit, 0);
    SetDlgItemInt(dialog, IDC_DEVICE_NUMBER, static_cast<UINT>(CurrentMidiSetup().deviceNumber),
                  FALSE);
}

void OnDevicesOk(HWND dialog) {
    MidiSetupChoice choice;
    char text[kDeviceNumberTextLimit + 8] = "";
    GetDlgItemTextA(dialog, IDC_DEVICE_NUMBER, text, sizeof text);
    choice.deviceNumber = ParseDeviceNumber(text);
    ReadSelection(GetDlgItem(dialog, IDC_DEVICE_OUTPUTS), choice.outputSelected);
    ReadSelection(GetDlgItem(dialog, IDC_DEVICE_INPUTS), choice.inputSelected);

    // The question about a changed device bank, and the send it may start,
    // belong to the main window and would leave this dialog open to the
    // pointer: a Cancel pressed under them ended a dialog whose OK then went
    // on to change the ports all the same.
    EnableWindow(dialog, FALSE);
    MidiSetupVerdict verdict = ApplyMidiSetup(choice);
    EnableWindow(dialog, TRUE);
    // A box closed while the dialog and its owner were both disabled handed
    // the activation to some other program's window: it comes back here,
    // for the dialog that stays and for the main window after it.
    SetForegroundWindow(dialog);
    if (verdict == MidiSetupVerdict::kNeedPorts) {
        DialogMessageBoxById(dialog, kMbIconHand, kStrOpenInAndOut);
        return;  // the dialog stays, with the user's choices
    }
    if (verdict == MidiSetupVerdict::kKept) return;  // Cancel to a send question
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK DevicesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            InitDevicesDialog(dialog);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    OnDevicesOk(dialog);
                    return TRUE;
                case IDCANCEL:  // also Escape and Alt+F4
                    EndDialog(dialog, 0);
                    return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

const DialogDescriptor kDevicesDialog = {kHelpMidiSetup, "DEVICES_DLG", DevicesDlgProc, 1};

}  // namespace

int ShowMidiSetupDialog() {
    return RunDialog(&kDevicesDialog, static_cast<HWND>(gMainWindow)) == 1 ? 1 : 0;
}
