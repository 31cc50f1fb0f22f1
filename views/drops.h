// What a drop does: the end of a drag of controls, library controls,
// presets or banks. The pane under the pointer at the left-button release
// calls EndDrag (views/drag.h) and then one of these; each checks the
// target, records its undo step first and then changes the bank.
//
// The drag that is dropped is described by gDrag (still readable after
// EndDrag): sourcePane tells what was dragged.
//   from the device view        controls: sourceBank, sourcePreset, and
//                               sourceControl (count 1) or the flags in
//                               selection (count > 1)
//   from the library controls   one library control: sourceBank is its
//                               library's index in gLibraryList and
//                               sourceControl the control in that library
//   from the presets list       the presets of gSelection.savedPresets (the
//                               selection when the drag started) of
//                               sourceBank; sourcePreset the row pressed
//   from the devices list       the bank sourceBank
//
// All return 1 when a bank changed, 0 otherwise.
#pragma once

// The device view's release over control `target` of the current preset of
// the current bank (graphic or list form): dispatches on what was dragged.
int DropOnControl(int target);

// Controls dragged from the device view onto `target`: the k-th dragged
// control (in index order) goes to target + k. Copied with Ctrl or when the
// target preset is another one, moved (exchanged) otherwise. A drop onto the
// very control the drag started from only selects it. Every pair must pass
// the library type filters both ways (message 54 and nothing changes).
int DropControls(int target);

// The library control of the drag onto `target` (undo kind 2): message 30
// for a read-only bank, 54 for a control of the wrong type, 39 for a MIDICC
// the control does not take; otherwise applied, selected and followed.
int DropLibraryControl(int target);

// Presets dragged from the presets list onto preset row `target` of the
// current bank: copied there (moved within one bank without Ctrl). Nothing
// happens when dropped onto the preset the drag started from.
int DropPresetsOnPreset(int target);

// Presets dragged onto bank `target` of the devices list: placed from the
// preset the drag started at; a device bank then sends its changed presets.
int DropPresetsOnBank(int target);

// Bank dragged onto bank `target`: the whole bank is copied into it, when it
// is writable and of the same device (message 34 otherwise); a device bank
// is then sent to the device.
int DropBankOnBank(int target);

// The type-filter test of a control pair in the current preset of `bank`:
// whether what control `from` carries may go to control `to` (the library
// control it came from admits `to`'s type). 1 when it fits.
int ControlOriginFits(int bank, int preset, int from, int to);
