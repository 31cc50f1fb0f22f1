// The views' part of a device load. The graphic view owns the device's
// pictures and the layout of the panes; until it exists there is nothing to
// release, build or lay out, and these do nothing.
#include "devices/device_load.h"

void ReleaseDevicePictures() {}
void BuildDevicePictures() {}
void LayoutDeviceViews() {}
