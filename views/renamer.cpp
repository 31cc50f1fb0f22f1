#include "views/renamer.h"

#include <cstring>

#include "banks/bank_commands.h"
#include "banks/bank_model.h"
#include "banks/undo_history.h"

RenamerState gRenamer;

namespace {

int BankIndexOf(const BankEntry* entry) {
    for (int i = 0; i < gBanks.count; ++i) {
        if (&gBanks.entries[i] == entry) return i;
    }
    return -1;
}

UndoKind KindOf(const RenamerState& state) {
    return state.kind == kRenameKindEdit ? UndoKind::Edit : UndoKind::Renaming;
}

}  // namespace

int RenamerStore(const RenamerState& state, const char* typed) {
    if (state.bankEntry) {
        int bank = BankIndexOf(state.bankEntry);
        if (bank < 0 || typed[0] == '\0') return 0;
        if (std::strcmp(typed, state.bankEntry->displayName) == 0) return 0;
        RecordUndoSnapshot(KindOf(state), UndoScope::Bank, bank, 0);
        int renamed = RenameBank(bank, typed);  // tells the user itself when the file cannot move
        FinishUndoStep();
        return renamed;
    }
    BankEntry* entry = BankAt(state.bank);
    if (!entry || !state.text || state.preset < 0 || state.preset >= kMaxPresets) return 0;
    char text[kNameLen];
    CopyText(text, typed);
    if (std::strcmp(text, state.text) == 0) return 0;
    RecordUndoSnapshot(KindOf(state), UndoScope::Preset, state.bank, state.preset);
    ++entry->data->presets[state.preset].changed;
    ++entry->changeCount;
    CopyText(state.text, kNameLen, text);
    FinishUndoStep();
    return 1;
}
