// The label map of a library control: the texts the control editor shows
// beside a control's program, bank MSB and bank LSB values, written as
// "program=Patch:msb=Bank:lsb=Sub" in the library file's `labels`.
//
// Grammar: pairs key "=" label separated by ":", the last pair ending at the
// end of the text. Keys are matched exactly; unknown keys are ignored. When
// the text holds a ">", everything before the first ">" is skipped and the
// ">" itself begins the next key. A pair without "=" sets nothing.
#pragma once

#include "devices/device_definition.h"

constexpr char kDefaultLabelMap[] = "program=Program:msb=MSB:lsb=LSB";

struct ValueLabels {
    char program[kNameLen];
    char msb[kNameLen];
    char lsb[kNameLen];
    int fromLibrary;  // 1: the library control's own map gave them; 0: the default map
};

// Parses `text` into labels (which are not cleared first). Returns how many
// of the three labels it set.
int ParseLabelMap(const char* text, ValueLabels* labels);

// The labels for a library control's `labels` text (null or "" for none):
// its own map when that sets any of the three, else the default map.
void ResolveValueLabels(const char* libraryLabels, ValueLabels* labels);

// The label of value subkind 2 (program), 3 (msb) or 4 (lsb); null otherwise.
const char* ValueLabelFor(const ValueLabels& labels, int subkind);
