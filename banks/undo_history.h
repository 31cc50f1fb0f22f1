// The undo and redo history: every operation that changes a bank records,
// just before it changes anything, a snapshot of what it is about to change
// (one preset, or one whole bank with its bank-list entry). Undo puts the
// snapshot back and keeps what it replaced, so that Redo can put that back.
//
// The history is linear and holds at most `levels` entries (1..100). Entries
// 0..top are stored, index 0 the oldest; entry `current` is what the next Undo
// restores, entries current + 1 .. top can be redone.
//
// Entries name their bank by its serial number (BankEntry::serial), never by
// its place in the list, which refresh, the ROM preference and new device
// banks change without a step. A step whose bank has gone that way cannot be
// undone or redone: it is dropped with message 89.
//
// A step is made in two halves: RecordUndoSnapshot before the operation
// changes anything, FinishUndoStep once it is done. Only a step that changed
// something enters the history; one that changed nothing leaves the history
// (and what could be redone) as it was. Either way the bank's change state is
// then set from its saved state (RefreshChangeState), and so is it after every
// undo and redo.
//
// A bank taken out of the list (deleted, or its creation undone) has its file
// set aside (banks/bank_aside.h) while the entry that can bring it back holds
// it; that entry owns the file and removes it for good when it is dropped. A
// step that cannot be undone or redone (no room for the bank, its file cannot
// go back) leaves its entry and the banks as they were and says why.
//
// Transitions:
//   begin    finish an open step, snapshot into pending  RecordUndoSnapshot
//   finish   pending changed something: drop entries current+1..top, drop
//            entry 0 when full, current + 1, store; else drop pending
//                                                     FinishUndoStep
//   undo     current >= 0: swap entry current with the live state, current - 1
//                                                     Undo
//   redo     current < top: swap entry current + 1 with the live state,
//            current + 1                              Redo
//   shrink   keep the newest `levels` entries         SetUndoLevels
//   clear    top = current = -1                       ClearUndoHistory
// Undo, Redo, SetUndoLevels and ClearUndoHistory finish an open step first.
//
// User-interface thread only (a finished download is completed there too).
#pragma once

#include <cstdint>

#include "banks/bank_model.h"
#include "banks/compact_bank.h"

constexpr int kMaxUndoLevels = 100;
constexpr int kUndoMenuTextLen = 32;   // prefix and suffix: at most 31 characters
constexpr int kUndoMenuItemLen = 128;  // the whole menu text: at most 127 characters
constexpr int kUndoCommandId = 11;
constexpr int kRedoCommandId = 12;

// What the change is; the number is the kind word's index and what the
// operations pass.
enum class UndoKind : int32_t {
    Renaming = 0,           // "Renaming of": a bank or preset rename
    Edit = 1,               // "Edit of": value edits, spinner, drops of banks and presets
    LibraryAssignment = 2,  // "Library Assignment to": a library control dropped on a control
    Paste = 3,              // "Paste to"
    Creation = 4,           // "Creation of": New User Preset Bank
    Deletion = 5,           // "Deletion of": Delete User Preset Bank
    Loading = 6,            // "Loading of": recorded by nothing
    Reloading = 7,          // "Reloading of": Reload Bank
    SysexReceipt = 8,       // "Receipt of Sysex to": a completed dump from the device
};

// What a snapshot holds.
enum class UndoScope : int32_t {
    Nothing = 0,
    Bank = 1,    // the whole bank: its bank-list entry and its contents
    Preset = 2,  // one preset record
};

struct UndoEntry {
    UndoKind kind;
    UndoScope scope;
    int32_t serial;  // the bank's serial; 0 when there was no bank (a creation to come)
    int32_t bank;    // its index when filled: where it goes back when no neighbour is open
    // Scope Bank: the serials of the whole list when filled (the bank itself
    // at index `bank`), so that a bank put back returns between the same
    // banks even when its next neighbours have gone since.
    int32_t listSerials[kMaxBanks];
    int32_t listCount;
    int32_t preset;        // preset index (scope Preset)
    char title[kNameLen];  // BankTitle when filled: the name to give when the bank has gone
    PresetRecord* record;  // scope Preset: copy of the preset; null when allocation failed
    BankEntry* entry;      // scope Bank: copy of the bank-list entry (its data pointer is not used)
    CompactBank* contents;  // scope Bank: the contents, kept compactly; null when the bank had none
    char* asidePath;       // the bank's file set aside while this entry holds the bank out of
                           // the list (heap text); removed for good when the entry is dropped
};

struct UndoHistory {
    int32_t levels;   // maximum number of entries, 1..100
    int32_t top;      // last stored entry, -1 when empty
    int32_t current;  // entry the next Undo restores, -1 when none
    UndoEntry entries[kMaxUndoLevels];
    UndoEntry scratch;                  // the live state taken while Undo and Redo swap
    char undoPrefix[kUndoMenuTextLen];  // the Undo item's text before its first character below 33
    char undoSuffix[kUndoMenuTextLen];  // ... and from that character on (the tab and shortcut)
    char redoPrefix[kUndoMenuTextLen];
    char redoSuffix[kUndoMenuTextLen];
    UndoEntry pending;     // the step being made, between RecordUndoSnapshot and FinishUndoStep
    int32_t pendingOpen;   // 1 while pending holds a step
    int32_t pendingCount;  // the number of banks when it began (a creation adds one)
};

extern UndoHistory gUndo;

// Start-up: 100 levels, empty, and the two menu items' texts split into
// prefix and suffix.
void InitUndoHistory();
// Snapshots what the operation is about to change; call before changing it.
// For a creation, bank is the index the new bank will have (gBanks.count).
void RecordUndoSnapshot(UndoKind kind, UndoScope scope, int bank, int preset);
// Ends the step begun by RecordUndoSnapshot: kept when it changed something,
// and the bank's change state set. Nothing happens when no step is open.
void FinishUndoStep();
// Whether the open step holds a whole copy of its bank (a deletion must not
// go ahead without one: it could not be undone).
bool UndoStepHoldsBank();
// Gives the open step the file its bank's deletion set aside; false when no
// step is open or memory runs short (the file then has no keeper).
bool SetUndoStepAsideFile(const char* aside);
// Edit menu item 11 (Ctrl+Z) and item 12 (Ctrl+Shift+Z).
void Undo();
void Redo();
// Applies the preference "Undo Levels (1 - 100)"; the oldest entries beyond
// the new number are dropped. Values outside 1..100 are brought into it.
void SetUndoLevels(int levels);
// Drops every entry (start-up and shutdown).
void ClearUndoHistory();
// Rebuilds the text of menu item 11 or 12 and enables or greys it.
void UpdateUndoMenu(int item);

// The menu text UpdateUndoMenu gives item 11 or 12 (at most 127 characters);
// returns whether the item is enabled.
bool UndoMenuText(int item, char* out, int size);
// The word of a kind ("Edit of"), "" for an unknown kind.
const char* UndoKindWord(UndoKind kind);
// Splits a menu item text at its first character below 33.
void SplitMenuText(const char* text, char* prefix, char* suffix, int size);
