// The text of a column for one control of a preset: the list view's cells
// and the control editor's Control Details fields show the same texts.
#pragma once

#include "banks/bank_model.h"
#include "views/list_columns.h"

// The text of `column` for control `control` of `preset`; "" for a program
// when the control's type has none.
void ColumnCellText(const ColumnDef& column, int control, const PresetRecord& preset, char* out,
                    int size);
