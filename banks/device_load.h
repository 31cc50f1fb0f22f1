// A whole device load, in its fixed order: the previous device's pictures are
// released, the definition is read, the new pictures are built, the
// controller-number library is read, the selections start again at preset 0
// and control 0, and the views are laid out again.
#pragma once

void LoadDevice(const char* deviceFolder);
// How many device loads have run: the views compare it with the count they
// last showed to tell a change of model from a bank of the same model.
int DeviceLoadCount();

// The steps that belong to the views, and the redraw after a device change,
// are called through the shell's hook table (base/shell_hooks.h).

// While one lives, device loads leave the new device's pictures unbuilt, and
// the last one to end builds them once for the device loaded then. Reading the
// banks found at start-up switches the model to and fro (each bank is read
// against its own model's definition), and only the pictures of the model
// loaded last are ever shown. Nothing may paint the device while one lives.
class DevicePicturesDeferred {
  public:
    DevicePicturesDeferred();
    ~DevicePicturesDeferred();
    DevicePicturesDeferred(const DevicePicturesDeferred&) = delete;
    DevicePicturesDeferred& operator=(const DevicePicturesDeferred&) = delete;
};

// The loaded device's name for the window title ("" when none is loaded).
const char* LoadedDeviceName();
