// EditorPane's mouse handling. (Placeholder until the pane is built: it handles
// nothing.)
#include "views/editor_pane.h"

EditorPane gEditorPane;

int EditorPane::Mouse(PaneWindow, int, int, int, int) { return kMouseNotHandled; }
