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

// The loaded device's name for the window title ("" when none is loaded).
const char* LoadedDeviceName();
