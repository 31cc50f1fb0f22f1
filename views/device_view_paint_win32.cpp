// DeviceView's painting. (Placeholder until the pane is built: it draws nothing.)
#include <windows.h>

#include "views/device_view.h"

void DeviceView::Paint(PaneDc) {}
