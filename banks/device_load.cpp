// The device load order. Pictures are built after the definition (they are
// named by it) and the library after the pictures, so a view that repaints in
// between never meets a picture of another device.
#include "banks/device_load.h"

#include <cstring>

#include "banks/bank_model.h"
#include "devices/control_library.h"
#include "base/shell_hooks.h"
#include "devices/device_definition.h"

namespace {

// Both selections start again: the new device may have fewer presets and
// controls than the old one had selected.
void ResetSelections() {
    memset(gSelection.controls, 0, sizeof gSelection.controls);
    memset(gSelection.presets, 0, sizeof gSelection.presets);
    gSelection.controls[0] = 1;
    gSelection.presets[0] = 1;
    gBanks.currentPreset = 0;
    gBanks.currentControl = 0;
}

int gDeviceLoads = 0;

int gPictureDeferrals = 0;   // DevicePicturesDeferred alive
bool gPicturesOwed = false;  // a load under one of them built no pictures

}  // namespace

int DeviceLoadCount() {
    return gDeviceLoads;
}

void LoadDevice(const char* deviceFolder) {
    gDeviceLoads++;
    gShellHooks.releaseDevicePictures();
    LoadDeviceDefinition(deviceFolder);
    if (gPictureDeferrals > 0) {
        gPicturesOwed = true;
    } else {
        gShellHooks.buildDevicePictures();
    }
    LoadCcLibrary(deviceFolder);
    ResetSelections();
    gShellHooks.layoutDeviceViews();
    DeviceBankChanged();
}

const char* LoadedDeviceName() {
    return gDevice.name;
}

DevicePicturesDeferred::DevicePicturesDeferred() {
    gPictureDeferrals++;
}

DevicePicturesDeferred::~DevicePicturesDeferred() {
    if (--gPictureDeferrals > 0 || !gPicturesOwed) return;
    gPicturesOwed = false;
    gShellHooks.buildDevicePictures();
}
