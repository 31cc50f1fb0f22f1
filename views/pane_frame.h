// The frame every pane draws around itself: the textured title strip above
// the pane with its title and optional file icon, the white body, the black
// outlines and the shadow lines. Windows build only.
#pragma once

#include "views/pane.h"

constexpr int kNoFileIcon = -1;
// Draws the strip and the body of `pane`. `fileIcon` indexes the file icons
// (kNoFileIcon for none); with `centredTitle` 0 the title starts at x + 2.
void DrawPaneFrame(PaneDc dc, const Pane& pane, int fileIcon, int centredTitle);
