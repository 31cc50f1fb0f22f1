// LibraryControlsPane's mouse handling. (Placeholder until the pane is built: it handles
// nothing.)
#include "views/library_controls_pane.h"

LibraryControlsPane gLibraryControlsPane;

int LibraryControlsPane::Mouse(PaneWindow, int, int, int, int) { return kMouseNotHandled; }
