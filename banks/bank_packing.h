// Packing the presets of a bank into the device's images, and back, by the
// sizes of a model: the loaded device definition (gDevice), or, with the "As"
// forms, a given one (the exchange model of a transfer).
#pragma once

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "banks/packed_image.h"

// Packs the first presetCount presets of `bank` into store slot `slot`. Bytes
// of an image that no value of the model occupies keep what the slot held.
// Also used by the SysEx Librarian file writer.
void PackBank(const BankData* bank, int slot);
void PackBankAs(const DeviceDefinition& model, const BankData* bank, int slot);
// Packs one preset record into one image by the same rules.
void PackPreset(const PresetRecord& preset, PackedPreset& image);

// Writes store slot `slot` into `bank`: presetCount presets with their control
// and variable counts, names, variables, zones and controls; every control's
// origin becomes -1 (none), linear controls' program -1.
void UnpackBank(int slot, BankData* bank);
void UnpackBankAs(const DeviceDefinition& model, int slot, BankData* bank);
// Unpacks one image into one preset record by the same rules (origins aside).
void UnpackPreset(const PackedPreset& image, PresetRecord& preset);
