// The views' part of a device load: the previous device's pictures go, the
// column tables take the new device's field labels and ranges, the new
// pictures are made at the device view's scale (the zone keyboard's too),
// and the views start again at the left and top with the editors' current
// items back in range.
#include "views/device_view_steps.h"

#include "devices/device_definition.h"
#include "views/device_view.h"
#include "views/graphic_pictures.h"
#include "views/list_columns.h"
#include "views/view_platform.h"
#include "views/zone_device_steps.h"

void ReleaseDevicePictures() {
    ReleaseGraphicPictures();
    ReleaseZoneEditorPictures();
}

void BuildDevicePictures() {
    ResetColumnTables(gDevice);
    BuildGraphicPictures();
    BuildZoneEditorPictures();
}

void LayoutDeviceViews() {
    ResetDeviceViewScroll();  // both faces: the hidden one's too starts at the top left
    if (gDeviceView.window) DestroyPaneScrollBars(gDeviceView);
    ResetEditorForDevice();
}
