// The views' part of a device load (banks/device_load.h calls them through
// the shell's hook table).
#pragma once

void ReleaseDevicePictures();
void BuildDevicePictures();
void LayoutDeviceViews();
