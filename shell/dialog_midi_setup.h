// What the MIDI Setup dialog decides, apart from its window: the device number
// typed into it, the port choice it shows and the rules of its OK button. The
// dialog itself is in dialog_midi_setup_win32.cpp.
#pragma once

#include "midi/midi_ports.h"

constexpr int kMaxDeviceNumber = 127;

// The device number field as text: its leading digits read as an unsigned
// number (blanks around it are skipped). Values above 127, however long, are
// 127; an empty field, or one without digits, is 0.
int ParseDeviceNumber(const char* text);

// How many entries a port list of the dialog shows: ports in table order up to
// the first one without a display name, at most 64.
int MidiSetupOutputEntries();
int MidiSetupInputEntries();

// What the user chose in the dialog: the device number field and the selection
// of the first 64 entries of each list (entries past a list's end are not
// selected).
struct MidiSetupChoice {
    int deviceNumber;
    unsigned char outputSelected[kMaxMidiPorts];
    unsigned char inputSelected[kMaxMidiPorts];
};

// The choice as the dialog opens: the device number in use and the enabled
// ports selected.
MidiSetupChoice CurrentMidiSetup();

enum class MidiSetupVerdict {
    kNeedPorts,  // the system has outputs (inputs) but none is selected: refuse, stay
    kUnchanged,  // the same ports as now: nothing is reopened
    kReopened,   // the ports were closed, chosen anew, opened, and the devices identified
    kKept,       // unsent changes kept, or a dump on its way: nothing reopened, stay
};

// The OK button. Refuses a choice without an output (when the system has any)
// or without an input (likewise); otherwise stores the device number and, only
// when the port selection differs from the ports in use, closes the ports,
// enables the chosen ones, opens them (falling back to the default choice when
// no output or no input could be opened), queues the input buffers and asks the
// devices to identify themselves, as Refresh Devices does: a changed device
// bank is offered for sending first (Cancel keeps everything), and the bank of
// a device that no longer answers goes.
MidiSetupVerdict ApplyMidiSetup(const MidiSetupChoice& choice);
