// SysEx Librarian files (".SXL", read only): a whole bank in the device's own
// packed form, imported through exchange slot 0 of the PackedStore and then
// unpacked into a new user bank named after the file.
//
// File layout (little-endian):
//
//   offset  size   contents
//   0       4      magic "syx2" (current) or "syx1" (older)
//   4       4      anything; ignored
//   8       4      header length, must be 12
//   12      ...    syx2: 128 PackedPreset images of 1264 bytes (161,804 bytes in all)
//                  syx1: 33 records of 238 bytes (7,866 bytes in all), converted:
//
//   syx1 record offset  size  PackedPreset offset  contents
//   0                   32    0                    preset name
//   32                  33    32                   channel of linear controls 0..32
//   65                  33    160                  MIDICC of linear controls
//   98                  33    288                  msb of linear controls
//   131                 33    416                  lsb of linear controls
//   164                 14    544                  channel of button controls 0..13
//   178                 14    672                  MIDICC of button controls
//   192                 14    800                  program of button controls
//   206                 14    928                  msb of button controls
//   220                 14    1056                 lsb of button controls
//   234                 4     1184                 variable slots 0..3
//
// Worked example: the MIDICC of button control 2 of syx1 record 5 is file byte
// 12 + 5 * 238 + 178 + 2 = 1382 and lands in preset 5 of the slot at byte 674.
// Files shorter than their generation's size are refused as not being
// SysEx Librarian files; bytes past it are ignored.
#pragma once

#include <cstddef>
#include <cstdint>

#include "banks/bank_model.h"
#include "banks/packed_image.h"

constexpr int kSxlHeaderSize = 12;
constexpr int kSxl2FileSize = kSxlHeaderSize + 128 * kPackedPresetSize;  // 161,804
constexpr int kSxl1RecordSize = 238;
constexpr int kSxl1RecordCount = 33;
constexpr int kSxl1FileSize = kSxlHeaderSize + kSxl1RecordCount * kSxl1RecordSize;  // 7,866

// ReadSxlFile results.
constexpr int kSxlRead = 0;      // the presets are in the slot
constexpr int kSxlNotSxl = 1;    // wrong magic, header length or size: message 27
constexpr int kSxlNotRead = -1;  // the file could not be opened or read, or no memory

// ImportSxlFile's answer when the presets were read but no bank was made.
constexpr int kSxlNoBank = -2;

// What the older generation holds of a preset; the rest of an older file's
// presets, and its presets past the 33rd, it does not hold at all.
constexpr int kSxl1LinearControls = 33;
constexpr int kSxl1ButtonControls = 14;
constexpr int kSxl1VariableSlots = 4;

// The generation of a file that was read.
enum class SxlGeneration { Older, Current };

// Checks and converts a file image into out. Returns kSxlRead or kSxlNotSxl;
// out (and generation, when given) is written only when the image is accepted.
int ParseSxlImage(const uint8_t* bytes, size_t size, PackedBank* out,
                  SxlGeneration* generation = nullptr);

// Reads the file at path into PackedStore slot `slot`. Shows "Cannot open
// file %s" when a file that exists cannot be read, message 27 for a file that
// is not a SysEx Librarian file.
int ReadSxlFile(const char* path, int slot, SxlGeneration* generation = nullptr);

// Unpacks store slot `slot`, read from a file of `generation`, into `bank`,
// which holds a new bank's presets: a current file gives every preset of the
// model, an older one only what it holds (names, the first 33 linear and 14
// button controls, variable slots 0 to 3 of its first 33 presets), and the
// rest stays as the new bank has it rather than turning into zeros.
void UnpackSxlBank(int slot, SxlGeneration generation, BankData* bank);

// The Load command's ".sxl" branch: "Reading %s", ReadSxlFile into exchange
// slot 0, then a new user bank named after the file (undoable as "Loading
// of"), current and changed, with the presets unpacked into it. Returns the
// new bank's index, kSxlNotRead when nothing was read, kSxlNoBank when the
// presets were read but no bank could be made (64 banks open, or no device
// definition loaded: message 33).
int ImportSxlFile(const char* path);
