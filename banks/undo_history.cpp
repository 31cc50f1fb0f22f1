// The undo and redo history (see undo_history.h for the transitions).
//
// Undo and Redo swap: before an entry is put back, the live state of the same
// target is taken into the scratch entry, which then replaces the entry. So
// one entry always holds "the other side" of its step, whichever way the
// history was last walked; a bank taken out of the list leaves its file set
// aside with the entry that can bring it back.
#include "banks/undo_history.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "banks/bank_aside.h"
#include "banks/bank_commands.h"
#include "base/messages.h"
#include "base/text_format.h"

UndoHistory gUndo = {kMaxUndoLevels, -1, -1, {}, {}, "", "", "", "", {}, 0, 0};

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

static char* CopyHeapText(const char* text) {
    return static_cast<char*>(CopyBlock(text, strlen(text) + 1));
}

// Dropping an entry ends what it could bring back: a file it holds aside goes
// for good.
static void ReleaseEntry(UndoEntry* e) {
    if (e->asidePath) RemoveBankFileAside(e->asidePath);
    free(e->asidePath);
    free(e->record);
    free(e->entry);
    FreeCompactBank(e->contents);
    memset(e, 0, sizeof *e);
}

// The compact contents of the newest step of the bank with this serial: a new
// snapshot shares with it every preset the bank has not changed since.
static const CompactBank* NewestContents(int32_t serial) {
    const UndoHistory& h = gUndo;
    for (int i = h.top; i >= 0 && serial != 0; i--) {
        if (h.entries[i].serial == serial && h.entries[i].contents) return h.entries[i].contents;
    }
    return nullptr;
}

// Snapshots the live state of bank index into e (which must be empty).
static void FillEntry(UndoEntry* e, UndoKind kind, UndoScope scope, int bank, int preset) {
    e->kind = kind;
    e->scope = scope;
    e->bank = bank;
    e->preset = preset;
    BankEntry* live = BankAt(bank);
    if (!live || scope == UndoScope::Nothing) return;
    e->serial = BankSerial(bank);
    CopyText(e->title, BankTitle(bank));
    if (scope == UndoScope::Preset) {
        if (live->data && preset >= 0 && preset < kMaxPresets) {
            e->record = static_cast<PresetRecord*>(
                CopyBlock(&live->data->presets[preset], sizeof(PresetRecord)));
        }
    } else if (scope == UndoScope::Bank) {
        e->listCount = gBanks.count;
        for (int i = 0; i < gBanks.count; i++) e->listSerials[i] = BankSerial(i);
        e->entry = static_cast<BankEntry*>(CopyBlock(live, sizeof(BankEntry)));
        if (live->data) e->contents = CompactBankOf(*live->data, NewestContents(e->serial));
    }
}

// Only a renaming takes the bank's names (and its file's) back and forth.
// Every other step of a whole bank puts back its contents alone: a bank saved
// for the first time since keeps the file the user chose.
static bool NamesTravel(const UndoEntry& e) {
    return e.kind == UndoKind::Renaming && e.entry->kind != BankKind::Device;
}

// The bank name an entry shows: the bank's own name, or for a device bank
// (and a bank without contents) the entry's display name.
static const char* StoredBankTitle(const UndoEntry& e) {
    if (!e.entry) return e.title;
    if (e.entry->kind == BankKind::Device || !e.contents) return e.entry->displayName;
    return CompactBankName(*e.contents);
}

// Whether the step changes a bank in and out of the list (kinds 4, 5, 6).
static bool TakesBankOut(const UndoEntry& e, int direction) {
    if (e.scope != UndoScope::Bank) return false;
    if (e.kind == UndoKind::Deletion) return direction > 0;
    if (e.kind == UndoKind::Creation || e.kind == UndoKind::Loading) return direction < 0;
    return false;
}

static bool PutsBankBack(const UndoEntry& e, int direction) {
    if (e.scope != UndoScope::Bank) return false;
    if (e.kind == UndoKind::Deletion) return direction < 0;
    if (e.kind == UndoKind::Creation || e.kind == UndoKind::Loading) return direction > 0;
    return false;
}

// Takes bank index out of the list; for a deletion done again, a user bank's
// file goes aside, held by `keeper`. False (the bank stays) when the file
// cannot be set aside. A creation or an import undone leaves a file its saves
// made where it is: the user saved it, and the next start finds it.
static bool TakeBankOut(int index, UndoEntry* keeper, bool deletion) {
    BankEntry& live = gBanks.entries[index];
    // Device and ROM files are not ours to move, and a bank never saved did
    // not make the file that may have its name.
    if (deletion && live.kind == BankKind::User && live.hasFile && PathTaken(live.path)) {
        std::string aside;
        if (!SetBankFileAside(live.path, &aside)) return false;
        keeper->asidePath = CopyHeapText(aside.c_str());
        if (!keeper->asidePath) {
            // Nothing would remember the file: put it back and give up.
            PutBankFileBack(aside.c_str(), live.path);
            return false;
        }
    }
    RemoveBank(index);
    return true;
}

// The bank of `serial` does not own the file at its path: no step of its
// history may bind it to that file again (an earlier reload undone would,
// and its next save would replace that file without a question).
static void ForgetFileInSteps(int32_t serial) {
    for (int i = 0; i <= gUndo.top; i++) {
        UndoEntry& step = gUndo.entries[i];
        if (step.serial == serial && step.entry) step.entry->hasFile = 0;
    }
}

// Where a bank put back goes: before the first of the banks that followed it
// that is still open, else after the nearest of those before it, else at its
// old index; never before a device bank (they come first, and the banks put
// back are user banks).
static int PutBackIndex(const UndoEntry& e) {
    int index = -1;
    for (int i = e.bank + 1; i < e.listCount && index < 0; i++) {
        index = FindBankBySerial(e.listSerials[i]);
    }
    for (int i = e.bank - 1; i >= 0 && i < e.listCount && index < 0; i--) {
        int before = FindBankBySerial(e.listSerials[i]);
        if (before >= 0) index = before + 1;
    }
    if (index < 0) index = e.bank < gBanks.count ? e.bank : gBanks.count;
    if (e.entry && e.entry->kind != BankKind::Device) {
        while (index < gBanks.count && gBanks.entries[index].kind == BankKind::Device) index++;
    }
    return index;
}

// Puts the bank of e back into the list with its file. False, with the
// reason shown and the list and the files as they were, when it cannot.
static bool PutBankBack(UndoEntry& e) {
    if (gBanks.count >= kMaxBanks) {
        StatusMessage(kStrTooManyBanksToRestore, StoredBankTitle(e));
        return false;
    }
    int current = gBanks.current;
    const BankData* contents = e.contents ? ExpandedView(*e.contents) : nullptr;
    if (e.contents && !contents) return false;  // no memory: the allocator has said so
    int index = InsertBank(PutBackIndex(e), *e.entry, contents);
    if (index < 0) return false;  // no memory: the allocator has said so
    BankEntry& back = gBanks.entries[index];
    // A deletion sets its bank's file aside, so a file at its path now is
    // not the bank's (a creation undone leaves its own file in place).
    const bool strangerAtPath = e.kind == UndoKind::Deletion && PathTaken(back.path);
    if (back.hasFile && (FileHeldByOpenBank(back.path, index) || strangerAtPath)) {
        // Another open bank holds its file now (a device bank of that device
        // folder, a bank saved as that file), or another file has its name (a
        // bank saved there since, its creation undone; or its own file had
        // gone before the deletion): it comes back without a file, changed,
        // and its next save asks for one. Refused instead, the bank would be
        // lost with the step at Quit, for nothing the user does in the program
        // gets that file out of the way without a step of its own that Undo
        // takes back first. A file set aside for it goes with the step; the
        // bank holds what the file held.
        back.hasFile = 0;
        back.savedHeader = kNeverSaved;
        RefreshChangeState(index);
        ForgetFileInSteps(back.serial);
        return true;
    }
    if (e.asidePath) {
        if (!PutBankFileBack(e.asidePath, gBanks.entries[index].path)) {
            RemoveBank(index);
            gBanks.current = current;
            return false;
        }
        free(e.asidePath);
        e.asidePath = nullptr;
    }
    return true;
}

// Exchanges two blocks of memory, a piece at a time.
static void SwapBytes(void* a, void* b, size_t size) {
    unsigned char piece[4096];
    unsigned char* x = static_cast<unsigned char*>(a);
    unsigned char* y = static_cast<unsigned char*>(b);
    while (size > 0) {
        size_t n = size < sizeof piece ? size : sizeof piece;
        memcpy(piece, x, n);
        memcpy(x, y, n);
        memcpy(y, piece, n);
        x += n;
        y += n;
        size -= n;
    }
}

// The path of bank `live` under another name, in the folder it is in now.
static bool RenamedPath(const BankEntry& live, const char* name, char* out, size_t size) {
    char folder[kPathLen];
    FolderOfPath(live.path, folder, sizeof folder);
    int n = snprintf(out, size, "%s%s.xml", folder, name);
    return n > 0 && static_cast<size_t>(n) < size;
}

// What putting a step back came to. Refused leaves everything as it was and
// the step where it is, to be tried again (memory ran short, the system would
// not rename the file); NameTaken is a renaming whose other name another
// file or bank has taken since, which no retry can mend.
enum class SwapOutcome { Swapped, Refused, BankGone, NameTaken };

// Exchanges what entry e holds with bank index: the preset, the bank's
// contents, or for a renaming the bank's names alone (its file renamed with
// them), its contents left as they are. Afterwards e holds what the bank
// held, which is the other side of its step.
// Refused or NameTaken (message 32) when the file cannot be renamed back,
// Refused when memory runs short for the bank's contents; nothing has changed
// then.
static SwapOutcome ExchangeWithBank(UndoEntry& e, int index) {
    BankEntry& live = gBanks.entries[index];
    if (e.scope == UndoScope::Preset) {
        if (e.record && live.data && e.preset >= 0 && e.preset < kMaxPresets) {
            SwapBytes(e.record, &live.data->presets[e.preset], sizeof(PresetRecord));
        }
        return SwapOutcome::Swapped;
    }
    const bool renaming = e.entry && NamesTravel(e);
    // The bank's contents as they are now, kept before anything changes.
    CompactBank* was = nullptr;
    if (e.contents && live.data) {
        was = CompactBankOf(*live.data, e.contents);
        if (!was) return SwapOutcome::Refused;
    }
    if (renaming) {
        // The other name, in the folder the bank is in now: the first save of
        // a new bank may have put it elsewhere since the step.
        char want[kPathLen];
        if (!RenamedPath(live, e.entry->displayName, want, sizeof want) ||
            FileHeldByOpenBank(want, index)) {
            StatusMessage(kStrCouldNotRename, live.path);
            FreeCompactBank(was);
            return SwapOutcome::NameTaken;
        }
        if (strcmp(live.path, want) != 0 && live.hasFile) {
            // A taken name is refused even when the bank's own file has gone:
            // its saves, which ask nothing of a bank with a file, would write
            // over the other file. A change of letter case only is the same
            // file on Windows.
            bool taken = PathTaken(want) && !SameTextNoCase(want, live.path);
            if (taken || (PathTaken(live.path) && rename(live.path, want) != 0)) {
                StatusMessage(kStrCouldNotRename, live.path);
                FreeCompactBank(was);
                return taken ? SwapOutcome::NameTaken : SwapOutcome::Refused;
            }
        }
        // Whole fields, so that the entry comes back byte for byte.
        BankEntry before = live;
        memset(live.path, 0, sizeof live.path);
        CopyText(live.path, want);
        memcpy(live.displayName, e.entry->displayName, sizeof live.displayName);
        *e.entry = before;
        e.entry->data = nullptr;
    }
    // A reload binds a bank never saved to the file of its name: undone, the
    // bank has no file again, and its first save asks before replacing it.
    if (e.kind == UndoKind::Reloading && e.entry) {
        const int32_t hasFile = live.hasFile;
        live.hasFile = e.entry->hasFile;
        e.entry->hasFile = hasFile;
        // A file another open bank took since (the device bank of the folder
        // it was read from, whether or not it could read the file) stays that
        // bank's: this one's next save asks.
        if (live.hasFile && FileHeldByOpenBank(live.path, index)) live.hasFile = 0;
    }
    if (was) {
        if (renaming) {
            // The name inside the file goes back with the file's; the rest of
            // the contents stays as it is now.
            CopyText(live.data->name, CompactBankName(*e.contents));
        } else if (e.kind == UndoKind::Reloading) {
            // A reload took the file's name, unique id and creation text
            // with its contents: they go back together. The name only while
            // the bank is still called as it was: a renaming since that could
            // not be undone left it its new name.
            char name[kNameLen];
            CopyText(name, live.data->name);
            ExpandCompactBank(*e.contents, live.data);
            if (e.entry && strcmp(e.entry->displayName, live.displayName) != 0) {
                CopyText(live.data->name, name);
            }
        } else {
            // The contents go back; what a save gives the bank (its name from
            // the file's, its unique id and creation text) stays: the file
            // keeps them, and the bank is called by them until its next save.
            const BankOwnFields own = KeepOwnFields(*live.data);
            ExpandCompactBank(*e.contents, live.data);
            RestoreOwnFields(own, live.data);
        }
        FreeCompactBank(e.contents);
        e.contents = was;
    }
    return SwapOutcome::Swapped;
}

// Takes the bank of e out of the list or puts it back (kinds 4, 5 and 6);
// a bank taken out leaves its file with `keeper`. False when nothing was
// changed.
static bool MoveBank(UndoEntry& e, int direction, UndoEntry* keeper) {
    if (PutsBankBack(e, direction)) return PutBankBack(e);
    return TakeBankOut(FindBankBySerial(e.serial), keeper, e.kind == UndoKind::Deletion);
}

static void UpdateBothMenuItems() {
    UpdateUndoMenu(kUndoCommandId);
    UpdateUndoMenu(kRedoCommandId);
}

// Stores e as the newest step: what could be redone ends, and a full history
// drops its oldest step.
static void PushEntry(const UndoEntry& e) {
    UndoHistory& h = gUndo;
    if (h.levels < 1) h.levels = 1;
    while (h.current >= h.levels - 1) {
        ReleaseEntry(&h.entries[0]);
        memmove(&h.entries[0], &h.entries[1], (kMaxUndoLevels - 1) * sizeof(UndoEntry));
        memset(&h.entries[kMaxUndoLevels - 1], 0, sizeof(UndoEntry));
        h.top--;
        h.current--;
    }
    while (h.top > h.current) {
        ReleaseEntry(&h.entries[h.top]);
        h.top--;
    }
    h.current++;
    if (h.top < h.current) h.top = h.current;
    h.entries[h.current] = e;
}

// What entry e holds of its bank's contents, expanded (valid until the next
// expansion); null for a preset step or when memory runs short.
static const BankData* Contents(const UndoEntry& e) {
    return e.contents ? ExpandedView(*e.contents) : nullptr;
}

// Sets the change state of bank index after a step or its undo or redo:
// the presets that are not as they were `before` (counters included, which
// the operations raise as they go), and the bank's count.
static void RefreshChanged(int index, const UndoEntry& e, const BankData* before) {
    BankEntry* live = BankAt(index);
    if (!live || !live->data) return;
    if (e.scope == UndoScope::Preset) {
        RefreshPresetChange(index, e.preset);
    } else if (!before) {
        RefreshChangeState(index);
    } else {
        bool any = false;
        for (int p = 0; p < kMaxPresets; p++) {
            if (memcmp(&before->presets[p], &live->data->presets[p], sizeof(PresetRecord)) != 0) {
                RefreshPresetChange(index, p);
                any = true;
            }
        }
        if (!any) RefreshPresetChange(index, -1);
    }
}

// Whether the open step changed anything. A creation learns here which bank
// it made.
static bool StepChangedSomething(UndoEntry& e) {
    if (e.scope == UndoScope::Nothing) return true;
    if (e.scope == UndoScope::Bank &&
        (e.kind == UndoKind::Creation || e.kind == UndoKind::Loading)) {
        if (gBanks.count <= gUndo.pendingCount || !BankAt(e.bank)) return false;
        e.serial = BankSerial(e.bank);
        return true;
    }
    int index = FindBankBySerial(e.serial);
    if (e.kind == UndoKind::Deletion && e.scope == UndoScope::Bank) {
        return e.serial != 0 && index < 0;
    }
    BankEntry* live = BankAt(index);
    if (!live || !live->data) return false;
    if (e.scope == UndoScope::Preset) {
        return !e.record || e.preset < 0 || e.preset >= kMaxPresets ||
               !SamePresetContents(*e.record, live->data->presets[e.preset]);
    }
    if (!e.entry || !e.contents) return true;
    if (NamesTravel(e) &&
        memcmp(e.entry->displayName, live->displayName, sizeof live->displayName) != 0) {
        return true;
    }
    const BankData* before = ExpandedView(*e.contents);
    return !before || !SameBankContents(*before, *live->data);
}

void RecordUndoSnapshot(UndoKind kind, UndoScope scope, int bank, int preset) {
    UndoHistory& h = gUndo;
    FinishUndoStep();
    FillEntry(&h.pending, kind, scope, bank, preset);
    h.pendingOpen = 1;
    h.pendingCount = gBanks.count;
}

void FinishUndoStep() {
    UndoHistory& h = gUndo;
    if (!h.pendingOpen) return;
    h.pendingOpen = 0;
    UndoEntry e = h.pending;
    memset(&h.pending, 0, sizeof h.pending);
    bool changed = StepChangedSomething(e);
    // Counted or not, the bank's change state follows what it now holds.
    int index = FindBankBySerial(e.serial);
    if (index >= 0) RefreshChanged(index, e, Contents(e));
    if (changed) {
        PushEntry(e);
    } else {
        ReleaseEntry(&e);
    }
    UpdateBothMenuItems();
}

bool UndoStepHoldsBank() {
    const UndoHistory& h = gUndo;
    return h.pendingOpen && h.pending.entry && h.pending.contents;
}

bool SetUndoStepAsideFile(const char* aside) {
    UndoHistory& h = gUndo;
    if (!h.pendingOpen || !aside || !aside[0]) return false;
    free(h.pending.asidePath);
    h.pending.asidePath = CopyHeapText(aside);
    return h.pending.asidePath != nullptr;
}

// Drops entry i from the history; the entries after it close the gap.
static void DropEntry(int i) {
    UndoHistory& h = gUndo;
    ReleaseEntry(&h.entries[i]);
    memmove(&h.entries[i], &h.entries[i + 1], (kMaxUndoLevels - 1 - i) * sizeof(UndoEntry));
    memset(&h.entries[kMaxUndoLevels - 1], 0, sizeof(UndoEntry));
    h.top--;
}

// Puts entry i back (direction -1 undo, +1 redo) and keeps what it replaced,
// so that the entry then holds the other side of its step.
static SwapOutcome SwapEntry(int i, int direction) {
    UndoHistory& h = gUndo;
    UndoEntry& e = h.entries[i];
    if (e.scope == UndoScope::Nothing) return SwapOutcome::Swapped;
    bool putsBack = PutsBankBack(e, direction);
    int index = FindBankBySerial(e.serial);
    if (!putsBack && !TakesBankOut(e, direction)) {
        if (index < 0) return SwapOutcome::BankGone;
        const SwapOutcome exchanged = ExchangeWithBank(e, index);
        if (exchanged != SwapOutcome::Swapped) return exchanged;
        // e now holds what the bank was: the presets that differ from it
        // take their change state afresh.
        RefreshChanged(index, e, Contents(e));
        CopyText(e.title, BankTitle(index));
        return SwapOutcome::Swapped;
    }
    // Without its copy the bank cannot come back, and it must not come twice.
    if (putsBack ? !e.entry || index >= 0 : index < 0) return SwapOutcome::BankGone;
    // A bank taken out is snapshotted before it goes, one put back once it
    // is there again; a bank put back comes with its own change state.
    UndoEntry& other = h.scratch;
    if (!putsBack) FillEntry(&other, e.kind, e.scope, index, e.preset);
    if (!MoveBank(e, direction, &other)) {
        ReleaseEntry(&other);
        return SwapOutcome::Refused;
    }
    if (putsBack) FillEntry(&other, e.kind, e.scope, FindBankBySerial(e.serial), e.preset);
    ReleaseEntry(&e);
    e = other;
    memset(&other, 0, sizeof other);
    return SwapOutcome::Swapped;
}

// A step whose bank has gone by other means than the history is dropped.
static void ReportGone(int i) {
    StatusMessage(kStrBankNoLongerOpen, StoredBankTitle(gUndo.entries[i]));
    DropEntry(i);
}

void Undo() {
    UndoHistory& h = gUndo;
    FinishUndoStep();
    if (h.current < 0) return;
    SwapOutcome outcome = SwapEntry(h.current, -1);
    if (outcome == SwapOutcome::BankGone) ReportGone(h.current);
    // A renaming that can no longer go back (its message given) goes, as a
    // step whose bank has gone does: kept, it would refuse every Undo and
    // hold every step before it out of reach.
    if (outcome == SwapOutcome::NameTaken) DropEntry(h.current);
    if (outcome != SwapOutcome::Refused) h.current--;
    UpdateBothMenuItems();
    SelectBank(gBanks.current);
}

void Redo() {
    UndoHistory& h = gUndo;
    FinishUndoStep();
    int i = h.current + 1;
    if (i > h.top) return;
    SwapOutcome outcome = SwapEntry(i, +1);
    if (outcome == SwapOutcome::BankGone) ReportGone(i);
    // As for Undo: the steps after it come within reach of the next Redo.
    if (outcome == SwapOutcome::NameTaken) DropEntry(i);
    if (outcome == SwapOutcome::Swapped) h.current = i;
    UpdateBothMenuItems();
    SelectBank(gBanks.current);
}

void SetUndoLevels(int levels) {
    UndoHistory& h = gUndo;
    FinishUndoStep();
    if (levels < 1) levels = 1;
    if (levels > kMaxUndoLevels) levels = kMaxUndoLevels;
    int stored = h.top + 1;
    if (stored > levels) {
        // The oldest steps go first, but only those that can be undone: each
        // redo step needs every one before it, so when steps that can be
        // redone must go too, they go from the newest end. Dropping the
        // oldest of them would let Redo skip straight past them.
        int drop = std::min(stored - levels, h.current + 1);
        for (int i = 0; i < drop; i++) ReleaseEntry(&h.entries[i]);
        const int kept = stored - drop;
        memmove(&h.entries[0], &h.entries[drop], kept * sizeof(UndoEntry));
        h.current -= drop;
        for (int i = levels; i < kept; i++) ReleaseEntry(&h.entries[i]);
        memset(&h.entries[levels], 0, (kMaxUndoLevels - levels) * sizeof(UndoEntry));
        h.top = levels - 1;
    }
    h.levels = levels;
    UpdateBothMenuItems();
}

void ClearUndoHistory() {
    UndoHistory& h = gUndo;
    FinishUndoStep();
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

// A name as a menu item shows it: "&" marks the next letter as the item's key
// unless it is doubled.
static std::string MenuName(const char* name) {
    std::string shown;
    for (const char* c = name; *c; c++) {
        if (*c == '&') shown += '&';
        shown += *c;
    }
    return shown;
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
            const std::string bank = created ? "Preset Bank" : MenuName(StoredBankTitle(e));
            FormatArg args[] = {prefix, word, bank.c_str(), suffix};
            FormatText(text, sizeof text, "%s %s %s%s", args, 4);
        } else if (e.scope == UndoScope::Preset) {
            int live = FindBankBySerial(e.serial);
            const std::string preset = MenuName(e.record ? e.record->name : "");
            const std::string bank = MenuName(live >= 0 ? BankTitle(live) : e.title);
            FormatArg args[] = {prefix, word, preset.c_str(), bank.c_str(), suffix};
            FormatText(text, sizeof text, "%s %s %s (%s)%s", args, 5);
        } else {
            FormatArg args[] = {prefix, word, suffix};
            FormatText(text, sizeof text, "%s %s%s", args, 3);
        }
    }
    CopyText(out, static_cast<size_t>(size), text);
    return enabled;
}
