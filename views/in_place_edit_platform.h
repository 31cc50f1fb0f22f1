// The edit controls the in-place editors lay over a cell: the platform makes
// and destroys them and reports Enter and the close back through
// InPlaceEditEnter and InPlaceEditClosed. Implemented by
// views/in_place_edit_win32.cpp (subclassed "edit" controls) and by
// headless/in_place_edit_headless.cpp (a record the tests type into).
#pragma once

#include "views/pane.h"

// Creates a visible single-line edit control with id `controlId` over rect
// (parent's client pixels), holding `text` wholly selected, accepting at most
// maxChars characters, with the focus. Null when it cannot be made.
PaneWindow OpenInPlaceEditControl(int controlId, PaneWindow parent, const PaneRect& rect,
                                  const char* text, int maxChars);
void DestroyInPlaceEditControl(PaneWindow edit);
// What is typed in it now.
void InPlaceEditControlText(PaneWindow edit, char* out, int size);
// Height of a cell editor: the list font's height and twice its leading.
int InPlaceEditLineHeight();

// Called by the platform: Enter was pressed in the editor with that id
// (commits), and the editor's close came (destroys it and refreshes the views).
void InPlaceEditEnter(int controlId);
void InPlaceEditClosed(int controlId);
