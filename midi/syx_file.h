// ".syx" files: a bank as the raw SysEx data messages a device exchanges, the
// form librarians and musicians share. The program's Export as SysEx and the
// Load command's third filter, and `ostrel-cli syx pack` / `syx unpack`, all
// go through these functions, so a file either writes is read the same way.
//
// Export: every preset's data messages as Send to Device sends them, in
// sending order (sysex_format.h), preset after preset. Nothing else is in the
// file: no handshake, no name (the device's messages carry none).
//
// Import: the file is fed through the reception as a dump nobody answers
// (sysex_capture.h), so the parser's checks and the whole-dump rule of a
// download decide what is usable; whatever else lies between the messages
// (identity replies, other makers' messages, stray status bytes) is passed
// over. The model is the one whose Group ID the first data message carries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "banks/bank_model.h"
#include "midi/dump_reception.h"
#include "banks/packed_image.h"
#include "midi/sysex_capture.h"

struct DeviceDefinition;

// A real dump of 128 presets with zones is under 160 KB; a file much larger
// is something else and is not read into memory.
constexpr long long kMaxSyxFileSize = 1024 * 1024;

// The export of `bank` by `model` with device number deviceNumber into *out
// (replaced). The bank is packed into the exchange slot as a send packs it.
// With `only` (kMaxPresets flags), only the presets flagged are written.
void BuildSyxExport(const DeviceDefinition& model, const BankData& bank, const uint8_t* only,
                    int deviceNumber, std::vector<uint8_t>* out);

enum class SyxVerdict {
    Whole,          // every preset of the model arrived
    Partial,        // some presets arrived whole (a file of single presets)
    UnknownModel,   // data messages of a Group ID no definition has
    NothingUsable,  // no preset arrived whole
};

struct SyxImport {
    CaptureSurvey survey;  // what the file holds, message by message
    int pid;               // the model the messages were received by; 0 none
    int groupId;           // the Group ID of the first data message; -1 none
    DumpResult dump;       // how the dump ended (Whole, Partial, NothingUsable)
};

// Reads a file's bytes by the model with PID pid, or with pid < 0 by the model
// whose Group ID the file names (exchange_model.h, ModelOfGroupId). Images of
// a whole or partial dump go to *images. The reception must be idle
// (DumpReceptionIdle).
SyxVerdict ReadSyxBytes(const uint8_t* bytes, size_t size, int pid, SyxImport* import,
                        PackedBank* images);

// A new user bank named `name` (as given) of a whole or partial import, by the
// loaded definition, which must be the import's model: the presets that
// arrived are unpacked in their places and named "Memory Received n" as a
// download names them; the rest are as a new bank has them. Returns the new
// bank's index (current), or -1 when no bank can be added.
int AddSyxBank(const char* name, const SyxImport& import, const PackedBank& images);
