#include "shell/dialog_compare.h"

#include "banks/bank_model.h"
#include "views/comparison.h"

int CompareDialogBanks(int* banks, int capacity) {
    const BankEntry* current = BankAt(gBanks.current);
    if (!current) return 0;
    int count = 0;
    for (int i = 0; i < gBanks.count && count < capacity; ++i) {
        if (gBanks.entries[i].data && gBanks.entries[i].pid == current->pid) banks[count++] = i;
    }
    return count;
}

CompareChoice InitialCompareChoice() {
    CompareChoice choice = {gBanks.current, 0, 0};
    int bank = -1;
    int preset = -1;
    if (ComparisonNow(&bank, &preset)) {
        return CompareChoice{bank, preset, ComparisonFollows()};
    }
    int banks[kMaxBanks];
    int count = CompareDialogBanks(banks, kMaxBanks);
    const int currentPreset = gBanks.currentPreset >= 0 ? gBanks.currentPreset : 0;
    for (int i = 0; i < count; ++i) {
        if (banks[i] != gBanks.current) return CompareChoice{banks[i], currentPreset, 1};
    }
    const int presets = gDevice.presetCount > 0 && gDevice.presetCount <= kMaxPresets
                            ? gDevice.presetCount
                            : kMaxPresets;
    choice.preset = (currentPreset + 1) % presets;
    return choice;
}

void ApplyCompareChoice(const CompareChoice& choice) {
    StartComparison(choice.bank, choice.preset, choice.follow);
}
