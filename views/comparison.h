// Compare with...: the current preset shown against another preset of the same
// model, in any open bank (the device bank too). The list view marks each
// differing cell and shows the other preset's value beside it, the graphic
// view marks each differing control, and the status display counts the
// differences (shell/compare_commands.h). Which values count is decided by
// banks/preset_diff.h.
//
// The target stays while the user moves between presets and banks, until it
// is cleared (Clear Comparison) or its bank is closed. It is either one fixed
// preset, or "follow": the preset of the current one's number in the target
// bank (how Compare with Device Bank shows, preset by preset, what sending the
// current bank would change). While the current bank is of another model the
// target is kept but nothing is compared.
//
// State transitions (user-interface thread only):
//   none     --StartComparison-->        set
//   set      --StartComparison-->        set (another target)
//   set      --ClearComparison-->        none
//   set      --its bank closed, noticed by ForgetClosedComparison-->  none
#pragma once

#include <cstdint>

#include "views/list_columns.h"

// Room between a value and the other preset's value beside it in the list.
constexpr int kComparedValueGap = 6;

// Compares from now on with preset `preset` of bank `bank`, or with the
// current preset's number in that bank when follow is 1. Ignored for a bank
// that is not open.
void StartComparison(int bank, int preset, int follow);
void ClearComparison();
// 1 while a target is chosen (Clear Comparison is enabled by it).
int ComparisonSet();
// 1 when the target follows the current preset.
int ComparisonFollows();

// Ends the comparison when its bank is no longer open. ShowBank runs it after
// every change to the bank list, before a new bank could be given the closed
// one's memory and be taken for it.
void ForgetClosedComparison();

// The target for the current bank and preset: 1 with its bank and preset
// when a comparison can be made now; 0 when none is set, the current bank is
// of another model, or there is no current preset (or its bank was closed,
// which ends the comparison).
int ComparisonNow(int* bank, int* preset);

// The differing values of control `control` against the target (kDiff* bits
// of banks/preset_diff.h); 0 when nothing is compared now.
uint8_t ComparedControl(int control);
// Whether the list view's cell of `column` for `control` differs: a value or
// the comment that differs, and the "Parameter" of a MIDICC that differs.
int ComparedCellDiffers(const ColumnDef& column, int control);
// The target preset's text of that cell ("" when nothing is compared now).
void ComparedCellText(const ColumnDef& column, int control, char* out, int size);
// The width a list column gains while a comparison is made: a value column
// doubles, so that the other value fits beside its own; 0 otherwise.
int ComparisonColumnExtra(const ColumnDef& column);

// All differences of the current preset against the target; -1 when nothing
// is compared now.
int ComparisonCount();
