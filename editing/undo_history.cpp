// The undo and redo history (see undo_history.h for the transitions).
//
// Undo and Redo swap: before an entry is put back, the live state of the same
// target is taken into the scratch entry, which then replaces the entry. So
// one entry always holds "the other side" of its step, whichever way the
// history was last walked.
#include "editing/undo_history.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "banks/bank_commands.h"
#include "banks/bank_file.h"
#include "shell/messages.h"
#include "shell/text_format.h"

UndoHistory gUndo = {kMaxUndoLevels, -1, -1, {}, {}, "", "", "", ""};

// The menu's words for each kind, by kind number.
static const char* const kKindWords[] = {
    "Renaming of", "Edit of",      "Library Assignment to",
    "Paste to",    "Creation of",  "Deletion of",
    "Loading of",  "Reloading of", "Receipt of Sysex to",
};
constexpr int kKindCount = static_cast<int>(sizeof kKindWords / sizeof kKindWords[0]);

const char* UndoKindWord(UndoKind kind) {
    int k = static_cast<int>(kind);
    return k >= 0 && k < kKindCount ? kKindWords[k] : "";
}

// A copy of size bytes from the heap; null (after message 3) when memory runs short.
static void* CopyBlock(const void* source, size_t size) {
    void* block = malloc(size);
    if (!block) {
        MessageBoxById(nullptr, kAppName, kMbIconHand, kStrShortOfMemory);
        return nullptr;
    }
    memcpy(block, source, size);
    return block;
}

static void ReleaseEntry(UndoEntry* e) {
    free(e->record);
    free(e->entry);
    free(e->bankData);
    memset(e, 0, sizeof *e);
}

// Snapshots the live state of the target into e (which must be empty).
static void FillEntry(UndoEntry* e, UndoKind kind, UndoScope scope, int bank, int preset) {
    e->kind = kind;
    e->scope = scope;
    e->bank = bank;
    e->preset = preset;
    BankEntry* live = BankAt(bank);
    if (scope == UndoScope::Preset) {
        if (live && live->data && preset >= 0 && preset < kMaxPresets) {
            e->record = static_cast<PresetRecord*>(
                CopyBlock(&live->data->presets[preset], sizeof(PresetRecord)));
        }
    } else if (scope == UndoScope::Bank) {
        // A bank about to be created has nothing to copy yet.
        if (live) {
            e->entry = static_cast<BankEntry*>(CopyBlock(live, sizeof(BankEntry)));
            if (live->data) {
                e->bankData = static_cast<BankData*>(CopyBlock(live->data, sizeof(BankData)));
            }
        }
    }
}

static void CountChange(int bank, int direction) {
    BankEntry* live = BankAt(bank);
    if (live) live->changeCount += direction;
}

static void RestoreBank(const UndoEntry& e, int direction) {
    BankEntry* live = BankAt(e.bank);
    switch (e.kind) {
        case UndoKind::Renaming:
            if (e.entry) RenameBank(e.bank, e.entry->displayName);
            CountChange(e.bank, direction);
            break;
        case UndoKind::Creation:
        case UndoKind::Loading:
            if (direction < 0) {
                RemoveBank(e.bank);
            } else if (e.entry) {
                InsertBank(e.bank, *e.entry, e.bankData);
            }
            break;
        case UndoKind::Deletion:
            if (direction < 0) {
                if (!e.entry) break;
                int index = InsertBank(e.bank, *e.entry, e.bankData);
                if (index >= 0 && e.entry->hasFile) {
                    // Written against the bank's own model, not whichever is loaded.
                    SelectBank(index);
                    WriteBankFile(index);
                }
            } else if (live && live->kind == BankKind::User) {
                // Only ever a user bank's file: the entry at this index may
                // have changed since, and device and ROM files are not ours to delete.
                remove(live->path);
                RemoveBank(e.bank);
            }
            break;
        default:
            if (e.bankData && live && live->data) memcpy(live->data, e.bankData, sizeof(BankData));
            CountChange(e.bank, direction);
            break;
    }
}

static void Restore(const UndoEntry& e, int direction) {
    if (e.scope == UndoScope::Preset) {
        BankEntry* live = BankAt(e.bank);
        if (e.record && live && live->data && e.preset >= 0 && e.preset < kMaxPresets) {
            memcpy(&live->data->presets[e.preset], e.record, sizeof(PresetRecord));
        }
        CountChange(e.bank, direction);
    } else if (e.scope == UndoScope::Bank) {
        RestoreBank(e, direction);
    }
}

static void UpdateBothMenuItems() {
    UpdateUndoMenu(kUndoCommandId);
    UpdateUndoMenu(kRedoCommandId);
}

void RecordUndoSnapshot(UndoKind kind, UndoScope scope, int bank, int preset) {
    UndoHistory& h = gUndo;
    if (h.levels < 1) h.levels = 1;
    // Full: the oldest entry makes room.
    while (h.current >= h.levels - 1) {
        ReleaseEntry(&h.entries[0]);
        memmove(&h.entries[0], &h.entries[1], (kMaxUndoLevels - 1) * sizeof(UndoEntry));
        memset(&h.entries[kMaxUndoLevels - 1], 0, sizeof(UndoEntry));
        h.top--;
        h.current--;
    }
    // A new step ends what could have been redone.
    while (h.top > h.current) {
        ReleaseEntry(&h.entries[h.top]);
        h.top--;
    }
    h.current++;
    if (h.top < h.current) h.top = h.current;
    FillEntry(&h.entries[h.current], kind, scope, bank, preset);
    UpdateBothMenuItems();
}

// Puts entry i back (direction -1 undo, +1 redo) and keeps what it replaced.
// A step that brings a bank back (undoing a deletion, redoing a creation)
// keeps the bank it brought back, so that the entry goes on naming the bank
// its step is about.
static void SwapEntry(int i, int direction) {
    UndoHistory& h = gUndo;
    UndoEntry& e = h.entries[i];
    bool inserts =
        e.scope == UndoScope::Bank &&
        ((e.kind == UndoKind::Deletion && direction < 0) ||
         ((e.kind == UndoKind::Creation || e.kind == UndoKind::Loading) && direction > 0));
    if (!inserts) FillEntry(&h.scratch, e.kind, e.scope, e.bank, e.preset);
    Restore(e, direction);
    if (inserts) FillEntry(&h.scratch, e.kind, e.scope, e.bank, e.preset);
    ReleaseEntry(&e);
    e = h.scratch;
    memset(&h.scratch, 0, sizeof h.scratch);
}

void Undo() {
    UndoHistory& h = gUndo;
    if (h.current < 0) return;
    SwapEntry(h.current, -1);
    h.current--;
    UpdateBothMenuItems();
    SelectBank(gBanks.current);
}

void Redo() {
    UndoHistory& h = gUndo;
    int i = h.current + 1;
    if (i > h.top) return;
    SwapEntry(i, +1);
    h.current = i;
    UpdateBothMenuItems();
    SelectBank(gBanks.current);
}

void SetUndoLevels(int levels) {
    UndoHistory& h = gUndo;
    if (levels < 1) levels = 1;
    if (levels > kMaxUndoLevels) levels = kMaxUndoLevels;
    int stored = h.top + 1;
    if (stored > levels) {
        int drop = stored - levels;
        for (int i = 0; i < drop; i++) ReleaseEntry(&h.entries[i]);
        memmove(&h.entries[0], &h.entries[drop], levels * sizeof(UndoEntry));
        memset(&h.entries[levels], 0, (kMaxUndoLevels - levels) * sizeof(UndoEntry));
        h.top = levels - 1;
        // Entries keep their meaning as they move down: an entry that could
        // be redone must not become one that Undo restores.
        h.current -= drop;
        if (h.current < -1) h.current = -1;
    }
    h.levels = levels;
    UpdateBothMenuItems();
}

void ClearUndoHistory() {
    UndoHistory& h = gUndo;
    for (int i = h.top; i >= 0; i--) ReleaseEntry(&h.entries[i]);
    ReleaseEntry(&h.scratch);
    h.top = -1;
    h.current = -1;
    UpdateBothMenuItems();
}

void SplitMenuText(const char* text, char* prefix, char* suffix, int size) {
    if (size <= 0) return;
    if (!text) text = "";
    size_t cut = 0;
    while (text[cut] && static_cast<unsigned char>(text[cut]) >= 33) cut++;
    size_t keep = cut < static_cast<size_t>(size - 1) ? cut : static_cast<size_t>(size - 1);
    memcpy(prefix, text, keep);
    prefix[keep] = 0;
    CopyText(suffix, static_cast<size_t>(size), text + cut);
}

// The bank name an entry shows: the bank's own name, or for a device bank
// (and a bank without contents) the entry's display name.
static const char* StoredBankTitle(const UndoEntry& e) {
    if (!e.entry) return "";
    if (e.entry->kind == BankKind::Device || !e.bankData) return e.entry->displayName;
    return e.bankData->name;
}

bool UndoMenuText(int item, char* out, int size) {
    const UndoHistory& h = gUndo;
    bool undo = item == kUndoCommandId;
    const char* prefix = undo ? h.undoPrefix : h.redoPrefix;
    const char* suffix = undo ? h.undoSuffix : h.redoSuffix;
    int index = undo ? h.current : h.current + 1;
    char text[kUndoMenuItemLen];
    bool enabled = index >= 0 && index <= h.top;
    // The text is cut to the item's 127 characters, whatever the names hold.
    if (!enabled) {
        FormatText2(text, sizeof text, "%s%s", prefix, suffix);
    } else {
        const UndoEntry& e = h.entries[index];
        const char* word = UndoKindWord(e.kind);
        if (e.scope == UndoScope::Bank) {
            bool created = e.kind == UndoKind::Creation || e.kind == UndoKind::Loading;
            FormatArg args[] = {prefix, word, created ? "Preset Bank" : StoredBankTitle(e), suffix};
            FormatText(text, sizeof text, "%s %s %s%s", args, 4);
        } else if (e.scope == UndoScope::Preset) {
            FormatArg args[] = {prefix, word, e.record ? e.record->name : "", BankTitle(e.bank),
                                suffix};
            FormatText(text, sizeof text, "%s %s %s (%s)%s", args, 5);
        } else {
            FormatArg args[] = {prefix, word, suffix};
            FormatText(text, sizeof text, "%s %s%s", args, 3);
        }
    }
    CopyText(out, static_cast<size_t>(size), text);
    return enabled;
}
