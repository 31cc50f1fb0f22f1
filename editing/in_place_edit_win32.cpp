// In-place editors on Win32. (Placeholder until they are built.)
#include <windows.h>

#include "editing/in_place_edit.h"

void BeginEditValue(const Pane*, PaneWindow, int, int, int, int, int, int, const PaneRect*) {}
void BeginRename(const Pane*, int, PaneWindow, BankEntry*, int, int, int, char*, const PaneRect*) {}
void CommitEditValue() {}
void CloseInPlaceEditors() {}
int InPlaceEditorOpen() { return 0; }
