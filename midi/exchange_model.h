// The model an exchange with the device runs by: the device bank's own
// definition, whatever model the bank on screen belongs to. The loaded
// definition (gDevice) follows the bank on screen; a dump that the device's
// user starts while a bank of another model is shown must still be received,
// checked and unpacked by the device's own sizes, from its first message to
// the bank it fills. User-interface thread only.
#pragma once

#include "devices/device_definition.h"
#include "midi/sysex_format.h"

// The device bank's model; the loaded definition when there is no device bank
// or its model's folder cannot be read.
const DeviceDefinition& ExchangeModel();

// The definition of the model with this PID: the loaded one when it is that
// model, else one read from the model's folder under "Devices" and kept for
// the next call. nullptr when no folder holds that model.
const DeviceDefinition* ModelOfPid(int pid);

// The model whose messages carry this Group ID: the loaded definition when it
// has it, else the first model under "Devices" (in the folder's order) that
// has it, kept as ModelOfPid keeps it (until the next call of either).
// nullptr when none has it.
const DeviceDefinition* ModelOfGroupId(int groupId);

// Forgets the other model kept by ModelOfPid (start-up, tests: the folders may
// have changed).
void ForgetExchangeModels();

// The sizes that shape a model's messages.
SysexSizes SysexSizesOf(const DeviceDefinition& model);
