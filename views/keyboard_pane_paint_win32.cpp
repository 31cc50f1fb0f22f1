// KeyboardPane's painting. (Placeholder until the pane is built: it draws nothing.)
#include <windows.h>

#include "views/keyboard_pane.h"

void KeyboardPane::Paint(PaneDc) {}
