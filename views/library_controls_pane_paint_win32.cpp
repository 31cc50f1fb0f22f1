// LibraryControlsPane's painting. (Placeholder until the pane is built: it draws nothing.)
#include <windows.h>

#include "views/library_controls_pane.h"

void LibraryControlsPane::Paint(PaneDc) {}
