// The copy and swap operations between banks, presets and controls. The
// editing code calls them after it has taken its undo snapshot and checked
// that the target is writable; they only move data and count the change.
//
// Counting a change: the changed counter of every preset written and the
// changeCount of every bank written go up by one. The count is provisional:
// the end of the undo step that wraps the operation sets both from the
// bank's saved state (RefreshChangeState), so a copy of equal contents
// leaves nothing changed.
#include <cstring>
#include <memory>

#include "banks/bank_model.h"
#include "devices/device_definition.h"

static void CountBankChange(int bank) {
    BankEntry* entry = BankAt(bank);
    if (entry) entry->changeCount++;
}

static bool ValidControl(int control) {
    return control >= 0 && control < kMaxControls;
}

bool CopyControl(int srcBank, int srcPreset, int srcControl, int dstBank, int dstPreset,
                 int dstControl) {
    PresetRecord* src = PresetAt(srcBank, srcPreset);
    if (!src || !ValidControl(srcControl)) return false;
    return PlaceControl(src->controls[srcControl], dstBank, dstPreset, dstControl);
}

bool PlaceControl(const PresetControl& source, int dstBank, int dstPreset, int dstControl) {
    PresetRecord* dst = PresetAt(dstBank, dstPreset);
    if (!dst || !ValidControl(dstControl)) return false;
    if (!ControlAcceptsCc(dstControl, source.midiCc)) return false;
    dst->controls[dstControl] = source;
    dst->changed++;
    CountBankChange(dstBank);
    return true;
}

bool SwapControls(int bankA, int presetA, int controlA, int bankB, int presetB, int controlB) {
    PresetRecord* a = PresetAt(bankA, presetA);
    PresetRecord* b = PresetAt(bankB, presetB);
    if (!a || !b || !ValidControl(controlA) || !ValidControl(controlB)) return false;
    PresetControl& ca = a->controls[controlA];
    PresetControl& cb = b->controls[controlB];
    if (!ControlAcceptsCc(controlA, cb.midiCc) || !ControlAcceptsCc(controlB, ca.midiCc)) {
        return false;
    }
    PresetControl t = ca;
    ca = cb;
    cb = t;
    a->changed++;
    if (b != a) b->changed++;
    CountBankChange(bankA);
    if (bankB != bankA) CountBankChange(bankB);
    return true;
}

static int PresetLimit() {
    return gDevice.presetCount < kMaxPresets ? gDevice.presetCount : kMaxPresets;
}

// A move within one bank: the dragged presets and their targets may overlap
// ({5, 6} dropped on 6), and exchanging pair by pair would then move a
// preset twice. The dragged presets take their targets in order, and the
// presets they displace fill the places the dragged ones left, in order, so
// that the drop reads as the user placed it in either direction.
static int MovePresetsWithinBank(BankData* bank, int startPreset) {
    int limit = PresetLimit();
    int moved[kMaxPresets];
    int count = 0;
    for (int p = 0; p < kMaxPresets && startPreset + count < limit; p++) {
        if (gSelection.presets[p]) moved[count++] = p;
    }
    if (count == 0) return 0;
    std::unique_ptr<BankData> before(new (std::nothrow) BankData);
    if (!before) return 0;
    memcpy(before.get(), bank, sizeof *bank);

    bool isMoved[kMaxPresets] = {};
    bool isTarget[kMaxPresets] = {};
    for (int k = 0; k < count; k++) {
        isMoved[moved[k]] = true;
        isTarget[startPreset + k] = true;
    }
    for (int k = 0; k < count; k++) {
        PresetRecord& to = bank->presets[startPreset + k];
        memcpy(&to, &before->presets[moved[k]], sizeof to);
        to.changed++;
    }
    // As many places were left as presets were displaced.
    int freed = 0;
    for (int p = 0; p < kMaxPresets; p++) {
        if (!isTarget[p] || isMoved[p]) continue;
        while (freed < count && isTarget[moved[freed]]) freed++;
        if (freed == count) break;
        PresetRecord& to = bank->presets[moved[freed++]];
        memcpy(&to, &before->presets[p], sizeof to);
        to.changed++;
    }
    return count;
}

static int MoveSelectedPresets(int srcBank, int dstBank, int startPreset, bool swap) {
    BankData* src = BankDataAt(srcBank);
    BankData* dst = BankDataAt(dstBank);
    if (!src || !dst || startPreset < 0) return 0;
    if (swap && src == dst) {
        int moved = MovePresetsWithinBank(dst, startPreset);
        CountBankChange(dstBank);
        return moved;
    }
    // Pasting a bank's presets into itself must read the presets as they were
    // before the paste, not the ones it has just overwritten.
    std::unique_ptr<BankData> before;
    if (!swap && src == dst) {
        before.reset(new (std::nothrow) BankData);
        if (!before) return 0;
        memcpy(before.get(), src, sizeof *src);
        src = before.get();
    }
    int target = startPreset;
    int limit = PresetLimit();
    int moved = 0;
    for (int p = 0; p < kMaxPresets && target < limit; p++) {
        if (!gSelection.presets[p]) continue;
        PresetRecord& from = src->presets[p];
        PresetRecord& to = dst->presets[target];
        if (swap) {
            PresetRecord t;
            memcpy(&t, &from, sizeof t);
            memcpy(&from, &to, sizeof t);
            memcpy(&to, &t, sizeof t);
            from.changed++;
        } else if (&from != &to) {
            memcpy(&to, &from, sizeof to);
        }
        to.changed++;
        target++;
        moved++;
    }
    CountBankChange(dstBank);
    if (swap && srcBank != dstBank && moved > 0) CountBankChange(srcBank);
    return moved;
}

int PasteSelectedPresets(int srcBank, int dstBank, int startPreset) {
    return MoveSelectedPresets(srcBank, dstBank, startPreset, false);
}

int SwapSelectedPresets(int srcBank, int dstBank, int startPreset) {
    return MoveSelectedPresets(srcBank, dstBank, startPreset, true);
}

BankOwnFields KeepOwnFields(const BankData& bank) {
    BankOwnFields kept;
    CopyText(kept.name, bank.name);
    CopyText(kept.created, bank.created);
    kept.uniqueId = bank.uniqueId;
    kept.deviceUniqueId = bank.deviceUniqueId;
    return kept;
}

void RestoreOwnFields(const BankOwnFields& kept, BankData* bank) {
    CopyText(bank->name, kept.name);
    CopyText(bank->created, kept.created);
    bank->uniqueId = kept.uniqueId;
    bank->deviceUniqueId = kept.deviceUniqueId;
}

void CopyBank(int dstBank, int srcBank) {
    BankData* dst = BankDataAt(dstBank);
    BankData* src = BankDataAt(srcBank);
    if (!dst || !src) return;
    if (dst != src) memcpy(dst, src, sizeof *dst);
    for (int p = 0; p < kMaxPresets; p++) dst->presets[p].changed = 1;
    dst->readOnly = 0;
    dst->rom = 0;
    CountBankChange(dstBank);
}
