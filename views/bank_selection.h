// What choosing a bank, a preset or a control does in the views: the
// selections and current items reset or set, the scroll positions, the
// windows repainted, and the library window following the current control's
// library origin.
#pragma once

// The views' part of showing bank `index` (ShowBank calls it after the bank
// list has selected the bank and loaded its device). The user's place (the
// current preset, the selections, the current control and zone, the scroll
// positions) starts again when another model was loaded since the views last
// showed a bank, or when `otherBank` says the user turned to another bank:
// the current preset kept when the device has it, else 0, and selected
// alone; control 0 selected and current; zone 0; the presets list and both
// faces of the device view scrolled back to the start. Otherwise (undo, redo,
// reload, a refresh) the place stays, as far as the bank still has it. Both
// ways the control editor leaves "Zone Data" when the device has no zone
// fields, the panes repaint and the library follows.
void BankShownInViews(int index, bool otherBank);

// Makes `preset` of the current bank current (the preset selection is left
// to the caller): the presets list, the device view and the control editor
// repaint, and the library follows.
void SelectPreset(int preset);

// Makes `control` the current control. Its one home is gBanks.currentControl
// (which the bank model's own operations also set); the device view's row
// follows it here.
void SetCurrentControl(int control);
// The current control (of the device view and the control editor).
int CurrentControl();

// When the current control's assignment came from a library that is open,
// that library and that control become current in the library window and
// are scrolled into view (repainted while the window is shown).
void LibraryFollow();
