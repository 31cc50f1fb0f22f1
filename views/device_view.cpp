// DeviceView's mouse handling. (Placeholder until the pane is built: it handles
// nothing.)
#include "views/device_view.h"

DeviceView gDeviceView;

int DeviceView::Mouse(PaneWindow, int, int, int, int) { return kMouseNotHandled; }
