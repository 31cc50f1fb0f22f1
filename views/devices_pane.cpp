// DevicesPane's mouse handling. (Placeholder until the pane is built: it handles
// nothing.)
#include "views/devices_pane.h"

DevicesPane gDevicesPane;

int DevicesPane::Mouse(PaneWindow, int, int, int, int) { return kMouseNotHandled; }
