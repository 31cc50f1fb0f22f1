// What the Compare With dialog offers and starts from, apart from its window
// (shell/dialog_compare_win32.cpp): the open banks of the current bank's
// model, the device bank first as the bank list orders it, and the choice it
// opens with.
#pragma once

struct CompareChoice {
    int bank;    // index in the bank list
    int preset;  // 0 .. 127
    int follow;  // 1: the preset of the current one's number
};

// The banks the dialog lists, in list order; returns how many (at most
// capacity).
int CompareDialogBanks(int* banks, int capacity);

// The choice the dialog opens with: the comparison being made, else the
// first listed bank that is not the current one (the device bank when one is
// open), following the current preset; else the current bank at the preset
// after the current one.
CompareChoice InitialCompareChoice();

// OK: starts comparing with the choice.
void ApplyCompareChoice(const CompareChoice& choice);
