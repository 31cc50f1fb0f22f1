// EditorPane's painting. (Placeholder until the pane is built: it draws nothing.)
#include <windows.h>

#include "views/editor_pane.h"

void EditorPane::Paint(PaneDc) {}
