// Renamer: the portable half of the in-place name editor, for bank names,
// preset names and the comments of control assignments.
#pragma once

#include <cstdint>

#include "views/pane.h"

struct BankEntry;

constexpr int kRenamerControlId = 10001;
constexpr int kRenamerMaxChars = 47;  // a 48-byte field

// Undo kinds a rename records.
constexpr int kRenameKindRenaming = 0;
constexpr int kRenameKindEdit = 1;

struct RenamerState {
    PaneWindow edit = nullptr;
    PaneWindow parent = nullptr;
    PaneRect rect = {0, 0, 0, 0};
    BankEntry* bankEntry = nullptr;  // set when a bank's name is edited
    int bank = 0;
    int32_t bankSerial = 0;  // which bank, should the list change while it is open
    int preset = 0;
    int kind = 0;
    char* text = nullptr;  // the 48-byte field being edited
    int active = 0;
};
extern RenamerState gRenamer;

// Enter: takes the typed text. A bank keeps its name for an empty text or
// its current name; a preset name or comment changes only when the text
// differs, with an undo step and both change counters raised. Returns 1 when
// something changed.
int RenamerStore(const RenamerState& state, const char* typed);
