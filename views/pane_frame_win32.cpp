// Pane frames. (Placeholder being replaced by the panels: draws nothing.)
#include <windows.h>

#include "views/pane_frame.h"

void DrawPaneFrame(PaneDc, const Pane&, int, int) {}
