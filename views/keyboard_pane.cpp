// KeyboardPane's mouse handling. (Placeholder until the pane is built: it handles
// nothing.)
#include "views/keyboard_pane.h"

KeyboardPane gKeyboardPane;

int KeyboardPane::Mouse(PaneWindow, int, int, int, int) { return kMouseNotHandled; }
