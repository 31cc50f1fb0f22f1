// PresetsPane's painting. (Placeholder until the pane is built: it draws nothing.)
#include <windows.h>

#include "views/presets_pane.h"

void PresetsPane::Paint(PaneDc) {}
