// The undo property run: random sequences of the operations that change
// banks (edit a value, paste, drop presets and controls, rename, new, delete,
// load, reload, refresh the device, show and hide the ROM banks, save) mixed
// with Undo and Redo, on a temporary program folder, with invariants checked
// after every step:
//   1. undo of everything, then redo of everything, gives back the state
//      before, byte for byte: every bank in memory (entry and contents, change
//      counters included) and every file under the temporary folder;
//   2. undo of everything gives what it gave before the step, when the step
//      was an undoable one (or, when the history was full, what one redo from
//      there gave); after a step undo cannot take back (save, load, refresh,
//      the ROM preference) the same, for every bank and file that step did not
//      touch;
//   3. a step that changed nothing left the history as it was, and one that
//      changed something added exactly one step;
//   4. every bank counts as changed exactly when it differs from what was last
//      saved, loaded or received, preset by preset;
//   5. no bank is lost or duplicated: serials and files are unique, every file
//      set aside belongs to exactly one step, and none is left once the
//      history is cleared;
//   6. nothing is written outside the temporary folder (the working folder,
//      where a relative path would land, stays empty).
// The refresh is the bank list's half of Refresh Devices: the device banks
// removed, then the device's answer (or none) as identification hands it on.
//
// Used by the unit tests (a few thousand steps) and by the undo_soak program
// (make soak-undo, a million). Seeded and deterministic.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct UndoPropertyConfig {
    uint64_t seed = 1;
    long steps = 1000;
    int levels = 6;  // the undo levels preference, 1..100
    // Called with the number of steps done every progressEvery steps (0: never).
    std::function<void(long)> progress;
    long progressEvery = 0;
};

struct UndoPropertyOutcome {
    long steps = 0;       // steps done with every invariant holding
    std::string failure;  // empty when all held; else the invariant, the step and its operation
    std::string summary;  // how often each operation ran and changed something
};

UndoPropertyOutcome RunUndoProperty(const UndoPropertyConfig& config);
