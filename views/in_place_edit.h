// In-place editing: a small edit control laid over a list cell or value box,
// EditValue for one number of a preset and Renamer for a name. Each commits
// on Enter, closes without committing on Escape, and closes when it loses
// the focus. The views decide which cell is meant.
#pragma once

#include "views/pane.h"

struct BankEntry;

// Value formats.
constexpr int kFormatDecimal = 0;
constexpr int kFormatNoteName = 7;

// Value targets: control >= 0 with field 0 channel, 1 MIDICC, 2 program,
// 3 msb, 4 lsb; kEditVariable with field = the variable's index;
// kEditZoneField with field = the zone field's index in `zone`.
constexpr int kEditVariable = -1;
constexpr int kEditZoneField = -2;

// Opens the value editor over `rect` (client pixels of `parent`), or, when
// rect is null, over the cell of row `preset`/`control` found from `list`.
void BeginEditValue(const Pane* list, PaneWindow parent, int bank, int preset, int control,
                    int field, int zone, int format, const PaneRect* rect);

// Opens the renamer over a row of `list` (or `rect`): a bank's name when
// `bankEntry` is given, else the 48-byte `text` of preset `preset` of bank
// `bank`; `kind` is the undo kind it records (0 renaming, 1 edit).
void BeginRename(const Pane* list, int row, PaneWindow parent, BankEntry* bankEntry, int bank,
                 int preset, int kind, char* text, const PaneRect* rect);

// Takes what was typed into an open value editor, as Enter would (a click
// elsewhere commits).
void CommitEditValue();
// Takes what was typed into whichever editor is open, as Enter would, and
// closes it: a press elsewhere in the program's panes, or a scroll of the
// rows under it, ends the typing as the user left it.
void CommitInPlaceEditors();
// Closes whichever editor is open, without committing.
void CloseInPlaceEditors();
// Closes, without committing, an editor open on bank `index`, whose contents
// were replaced whole from outside (a download landed): what was typed
// belongs to what the bank held before.
void CloseEditorsOfReplacedBank(int index);
// 1 while either editor is open.
int InPlaceEditorOpen();
