// DevicesPane's painting. (Placeholder until the pane is built: it draws nothing.)
#include <windows.h>

#include "views/devices_pane.h"

void DevicesPane::Paint(PaneDc) {}
