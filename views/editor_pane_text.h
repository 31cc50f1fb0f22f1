// The texts of the control editor's Control Details tab: each field's value
// as the list view shows its cell.
#pragma once

#include "banks/bank_model.h"
#include "views/list_columns.h"

// The text of `field` for control `control` of `preset`; "" for a program
// when the control's type has none.
void DetailFieldText(const ColumnDef& field, int control, const PresetRecord& preset, char* out,
                     int size);
