#include "views/comparison.h"

#include <cstdio>
#include <cstring>

#include "banks/bank_model.h"
#include "banks/preset_diff.h"
#include "views/column_text.h"

namespace {

struct ComparisonTarget {
    // The compared bank by its serial: it stays with the bank while the list
    // is reordered, the bank renamed or saved under another name, and is
    // never found again once the bank is closed. 0: no comparison.
    int32_t serial = 0;
    int preset = 0;
    int follow = 0;
};

ComparisonTarget gTarget;
int FindTargetBank() {
    return FindBankBySerial(gTarget.serial);
}

// The two presets compared now, or false.
bool ComparedPresets(const PresetRecord** current, const PresetRecord** other) {
    int bank = -1;
    int preset = -1;
    if (!ComparisonNow(&bank, &preset)) return false;
    *current = &gBanks.entries[gBanks.current].data->presets[gBanks.currentPreset];
    *other = &gBanks.entries[bank].data->presets[preset];
    return true;
}

// The difference a cell shows. The "Parameter" cell names what the MIDICC
// does, so it shows the other preset's name where the MIDICC differs.
int CellBit(const ColumnDef& column) {
    if (column.kind == kColumnValue && column.subkind >= 0 && column.subkind < 5) {
        return 1 << column.subkind;
    }
    if (column.kind == kColumnParameter) return kDiffMidiCc;
    return column.kind == kColumnComment ? kDiffComment : 0;
}

}  // namespace

void StartComparison(int bank, int preset, int follow) {
    const BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data) return;
    gTarget.serial = BankSerial(bank);
    gTarget.preset = preset >= 0 && preset < kMaxPresets ? preset : 0;
    gTarget.follow = follow ? 1 : 0;
}

void ClearComparison() {
    gTarget = ComparisonTarget{};
}

int ComparisonSet() {
    return gTarget.serial != 0;
}

int ComparisonFollows() {
    return gTarget.serial != 0 && gTarget.follow;
}

void ForgetClosedComparison() {
    if (gTarget.serial != 0 && FindTargetBank() < 0) ClearComparison();
}

int ComparisonNow(int* bank, int* preset) {
    if (gTarget.serial == 0) return 0;
    int found = FindTargetBank();
    if (found < 0) {
        ClearComparison();
        return 0;
    }
    const BankEntry* current = BankAt(gBanks.current);
    if (!current || !current->data || current->pid != gBanks.entries[found].pid) return 0;
    int currentPreset = gBanks.currentPreset;
    if (currentPreset < 0 || currentPreset >= kMaxPresets) return 0;
    *bank = found;
    *preset = gTarget.follow ? currentPreset : gTarget.preset;
    return 1;
}

uint8_t ComparedControl(int control) {
    const PresetRecord* current = nullptr;
    const PresetRecord* other = nullptr;
    if (!ComparedPresets(&current, &other)) return 0;
    return DiffControl(gDevice, *current, *other, control);
}

int ComparedCellDiffers(const ColumnDef& column, int control) {
    int bit = CellBit(column);
    return bit != 0 && (ComparedControl(control) & bit) != 0;
}

void ComparedCellText(const ColumnDef& column, int control, char* out, int size) {
    if (size <= 0) return;
    out[0] = '\0';
    const PresetRecord* current = nullptr;
    const PresetRecord* other = nullptr;
    if (ComparedPresets(&current, &other)) ColumnCellText(column, control, *other, out, size);
}

int ComparisonColumnExtra(const ColumnDef& column) {
    if (column.kind != kColumnValue) return 0;
    int bank = -1;
    int preset = -1;
    return ComparisonNow(&bank, &preset) ? column.nominalWidth + kComparedValueGap : 0;
}

int ComparisonCount() {
    const PresetRecord* current = nullptr;
    const PresetRecord* other = nullptr;
    if (!ComparedPresets(&current, &other)) return -1;
    PresetDiff diff;
    return DiffPresets(gDevice, *current, *other, &diff);
}
