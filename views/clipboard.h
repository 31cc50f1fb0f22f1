// The program's own clipboard (the system clipboard is not used): the
// presets copied from the presets list or the controls copied from the
// device view, with the selection they came from, pasted into the bank or
// preset shown now as one undoable "Paste to" step.
//
// Edit menu: 13 Copy (CopySelection), 14 Paste (PasteClipboard; greyed
// until the first copy), 16 Select All Controls (SelectAllControls),
// 17 Describe Clipboard... (DescribeClipboard).
#pragma once

#include <cstdint>

#include "banks/bank_model.h"

constexpr int kClipboardPresets = 1;
constexpr int kClipboardControls = 2;

struct PresetClipboard {
    int valid = 0;                       // something has been copied
    int kind = 0;                        // kClipboardPresets or kClipboardControls
    int bank = 0;                        // bank-list index of the source
    int pid = -1;                        // device model of the source bank
    int preset = 0;                      // source preset (controls only)
    int count = 0;                       // items copied
    int first = -1;                      // first copied item, -1 when none
    uint8_t selected[kMaxPresets] = {};  // the source selection, per preset or per control
    char source[kNameLen] = {};          // the bank's name, or "preset (bank)"
    BankData* bankData = nullptr;        // presets: the whole source bank (owned)
    PresetRecord record = {};            // controls: the source preset
};

extern PresetClipboard gClipboard;

// Empties the clipboard and greys Paste (start-up and shutdown).
void ClearClipboard();
// Copies the focus pane's selection: the presets list's presets or the
// device view's controls; from another pane nothing happens.
void CopySelection();
// Pastes into the current bank (presets) or the current preset (controls);
// message 10 in the status display when nothing has been copied.
void PasteClipboard();
// Every control of the device selected; the device view becomes the focus.
void SelectAllControls();
// The information box "Clipboard Contents" saying what is held.
void DescribeClipboard();
// Its text (what DescribeClipboard shows) into out.
void DescribeClipboardText(char* out, int size);
