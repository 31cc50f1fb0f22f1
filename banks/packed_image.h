// The device's own picture of its memory: one fixed 1264-byte image per preset,
// 128 images per bank, and the five bank slots through which banks travel to and
// from the device (and from SysEx Librarian files).
//
// Every value of a preset occupies one byte of its image: the low byte of the
// corresponding 32-bit field of the preset record. The layout is fixed by the
// device's firmware, not by the device definition; the definition only says how
// many entries of each group are in use.
//
// PackedPreset layout (offsets in bytes):
//
//   offset  size  contents                                       message type
//   ------  ----  ---------------------------------------------  ------------
//      0     32   preset name, NUL-terminated (never sent)            -
//     32    128   channel of linear control i                          2
//    160    128   midiCc of linear control i                           3
//    288    128   msb of linear control i                              4
//    416    128   lsb of linear control i                              5
//    544    128   channel of button control j                          6
//    672    128   midiCc of button control j                           7
//    800    128   program of button control j                          8
//    928    128   msb of button control j                              9
//   1056    128   lsb of button control j                             10
//   1184     16   variable slot s                                     11
//   1200     64   zone z field f at 1200 + 8f + z (field-major)     12 + f
//
// Worked example: the midiCc of the third button control (j = 2) is byte
// 672 + 2 = 674; field 6 of zone 3 is byte 1200 + 48 + 3 = 1251.
#pragma once

#include <cstdint>

constexpr int kPackedPresetSize = 1264;
constexpr int kPackedPresetsPerBank = 128;
constexpr int kPackedStoreSlots = 5;

// The slots the exchange uses; 1, 3 and 4 are spare.
constexpr int kExchangeSlot = 0;   // packed before sending; a finished download lands here
constexpr int kReceptionSlot = 2;  // incoming data messages are written here

constexpr int kPackedNameOffset = 0;
constexpr int kPackedNameSize = 32;
constexpr int kPackedLinearChannel = 32;
constexpr int kPackedLinearMidiCc = 160;
constexpr int kPackedLinearMsb = 288;
constexpr int kPackedLinearLsb = 416;
constexpr int kPackedButtonChannel = 544;
constexpr int kPackedButtonMidiCc = 672;
constexpr int kPackedButtonProgram = 800;
constexpr int kPackedButtonMsb = 928;
constexpr int kPackedButtonLsb = 1056;
constexpr int kPackedVariables = 1184;
constexpr int kPackedZones = 1200;

constexpr int kPackedControlGroupSize = 128;  // entries per control field group
constexpr int kPackedVariableSlots = 16;
constexpr int kPackedZoneCount = 8;
constexpr int kPackedZoneFields = 8;

// Byte of zone z, zone field f (field-major: the 8 zones of field 0 come first).
constexpr int PackedZoneOffset(int zone, int field) {
    return kPackedZones + kPackedZoneFields * field + zone;
}

struct PackedPreset {
    uint8_t bytes[kPackedPresetSize];
};

struct PackedBank {
    PackedPreset presets[kPackedPresetsPerBank];
};

struct PackedStore {
    PackedBank slots[kPackedStoreSlots];
};

static_assert(sizeof(PackedPreset) == 1264, "the device image of a preset is 1264 bytes");
static_assert(sizeof(PackedBank) == 161792, "a packed bank is 128 images back to back");
static_assert(sizeof(PackedStore) == 808960, "the store holds five packed banks");

// The process-wide store: zero-filled at start-up (static storage), never freed.
// Ownership: slot kReceptionSlot belongs to the dump reception and is touched
// only under its lock (midi/dump_reception.h; the input thread writes it, the
// user-interface thread clears it when it asks for a dump); every other slot
// belongs to the user-interface thread.
extern PackedStore gPackedStore;

// Image `preset` (0-based) of slot `slot`; both must be in range.
PackedPreset& PackedStorePreset(int slot, int preset);

// Writes `name` into the image's name field: at most 31 characters, NUL-terminated,
// the rest of the field zero.
void SetPackedPresetName(PackedPreset& image, const char* name);

// Copies the image's name field into `out` (size bytes), always NUL-terminated,
// even when the image holds 32 characters without a terminator.
void GetPackedPresetName(const PackedPreset& image, char* out, int size);
