// PresetsPane's mouse handling. (Placeholder until the pane is built: it handles
// nothing.)
#include "views/presets_pane.h"

PresetsPane gPresetsPane;

int PresetsPane::Mouse(PaneWindow, int, int, int, int) { return kMouseNotHandled; }
