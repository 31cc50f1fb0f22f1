// The System Exclusive messages exchanged with a Corvanith device, byte by byte:
// the data messages that carry one field group of one preset, the four short
// handshake messages, and the universal identity request and reply. Both the
// program and the simulated device build and decode messages with these
// functions, so the two sides cannot drift apart.
//
// Data message (n data bytes, n + 11 bytes in all):
//
//   byte     value
//   -------  ---------------------------------------------------------
//   0-3      F0 00 20 08      (SysEx start and the manufacturer id)
//   4        group id         (the model byte, `Group ID` of the definition)
//   5        device number    (7F addresses every device)
//   6        message type     (2..19, see kSysexTypes)
//   7        preset number    (1-based; preset 128 is 80, the one byte that
//                              may have its top bit set)
//   8        n                (number of data bytes that follow)
//   9..8+n   data             (raw: one byte per value; nibble: two per value)
//   9+n      checksum         (makes the 7-bit sum of bytes 6..9+n zero)
//   10+n     F7
//
// Worked example: type 2, preset 1, one value 05 sums to 2 + 1 + 1 + 5 = 9, so the
// checksum is -9 & 7F = 77 and the message is F0 00 20 08 gg dd 02 01 01 05 77 F7.
//
// Short message (9 bytes): F0 00 20 08 gg dd command parameter F7, where command
// is 00 dump request, 7D cancel, 7E retry, 7F acknowledge.
//
// Identity request (6 bytes): F0 7E dd 06 01 F7. Identity reply (17 bytes):
// F0 7E dd 06 02 00 20 08 f0 f1 m0 m1 r0 r1 r2 r3 F7 with the 14-bit family code
// f1 * 128 + f0 and member code (the model's PID) m1 * 128 + m0.
#pragma once

#include <cstdint>

#include "banks/packed_image.h"

constexpr uint8_t kSysExStart = 0xF0;
constexpr uint8_t kSysExEnd = 0xF7;
constexpr uint8_t kManufacturerId[3] = {0x00, 0x20, 0x08};

constexpr uint8_t kCommandDumpRequest = 0x00;
constexpr uint8_t kCommandCancel = 0x7D;
constexpr uint8_t kCommandRetry = 0x7E;
constexpr uint8_t kCommandAcknowledge = 0x7F;

constexpr int kFirstDataType = 2;
constexpr int kLastDataType = 19;
constexpr int kDataMessageOverhead = 11;  // header, type, preset, length, checksum, F7
constexpr int kShortMessageSize = 9;
constexpr int kIdentityRequestSize = 6;
constexpr int kIdentityReplySize = 17;
constexpr int kAllDevices = 127;

// The largest data message: 128 raw values.
constexpr int kMaxDataMessageSize = kDataMessageOverhead + 128;

// A length byte is a 7-bit data byte, so a nibble group carries at most 63 values
// (126 nibbles). Larger groups are cut to this when sent.
constexpr int kMaxNibbleValues = 63;

// The device families that answer for Corvanith models (14-bit family codes).
constexpr int kCorvanithFamilies[] = {0x0A4D, 0x0763, 0x0E63};

enum class SysexPacking { Raw, Nibble };
// Which size of the definition says how many values of a type are sent.
enum class SysexGroup { Linear, Button, Variables, Zones };

// Where one message type's values live in the packed image and how they travel.
struct SysexTypeLayout {
    int type;          // message type, byte 6
    int offset;        // first byte of the field in the PackedPreset
    int maxValues;     // size of the field in the image
    SysexGroup group;  // which count of the definition applies
    SysexPacking packing;
};

// In sending order. Types 12..19 exist only for devices with zones.
constexpr SysexTypeLayout kSysexTypes[] = {
    {2, kPackedLinearChannel, 128, SysexGroup::Linear, SysexPacking::Raw},
    {3, kPackedLinearMidiCc, 128, SysexGroup::Linear, SysexPacking::Nibble},
    {4, kPackedLinearMsb, 128, SysexGroup::Linear, SysexPacking::Raw},
    {5, kPackedLinearLsb, 128, SysexGroup::Linear, SysexPacking::Raw},
    {6, kPackedButtonChannel, 128, SysexGroup::Button, SysexPacking::Raw},
    {7, kPackedButtonMidiCc, 128, SysexGroup::Button, SysexPacking::Nibble},
    {8, kPackedButtonProgram, 128, SysexGroup::Button, SysexPacking::Raw},
    {9, kPackedButtonMsb, 128, SysexGroup::Button, SysexPacking::Raw},
    {10, kPackedButtonLsb, 128, SysexGroup::Button, SysexPacking::Raw},
    {11, kPackedVariables, 16, SysexGroup::Variables, SysexPacking::Nibble},
    {12, PackedZoneOffset(0, 0), 8, SysexGroup::Zones, SysexPacking::Raw},
    {13, PackedZoneOffset(0, 1), 8, SysexGroup::Zones, SysexPacking::Raw},
    {14, PackedZoneOffset(0, 2), 8, SysexGroup::Zones, SysexPacking::Raw},
    {15, PackedZoneOffset(0, 3), 8, SysexGroup::Zones, SysexPacking::Raw},
    {16, PackedZoneOffset(0, 4), 8, SysexGroup::Zones, SysexPacking::Raw},
    {17, PackedZoneOffset(0, 5), 8, SysexGroup::Zones, SysexPacking::Raw},
    {18, PackedZoneOffset(0, 6), 8, SysexGroup::Zones, SysexPacking::Nibble},
    {19, PackedZoneOffset(0, 7), 8, SysexGroup::Zones, SysexPacking::Nibble},
};
constexpr int kSysexTypeCount = sizeof(kSysexTypes) / sizeof(kSysexTypes[0]);
constexpr int kTypesWithoutZones = 10;  // types 2..11

// The sizes of one model that shape its messages, taken from its definition.
struct SysexSizes {
    int groupId;        // byte 4 of every message
    int presetCount;    // 1..128
    int linearCount;    // L
    int buttonCount;    // N
    int variableLimit;  // V
    int zoneLimit;      // Z; 0 = no zone messages
};

// The layout of a message type, nullptr for types that carry no preset data.
const SysexTypeLayout* FindSysexType(int type);

// How many values of this type a model sends: its group's count, cut to the
// image's field and, for nibble types, to what a length byte can express.
int SysexValueCount(const SysexTypeLayout& layout, const SysexSizes& sizes);

// The number of data messages per preset: 10 without zones, 18 with.
int SysexMessagesPerPreset(const SysexSizes& sizes);
// The type that ends a preset: 19 with zones, else 11.
int SysexLastTypeOfPreset(const SysexSizes& sizes);

// Checksum over bytes [first, first + count): the low 7 bits of the negated
// 8-bit sum.
uint8_t SysexChecksum(const uint8_t* first, int count);

// Whether a data message of `length` bytes is whole: its length byte (byte 8)
// leaves room for the data, the checksum and F7 inside the message, and the
// checksum makes the 7-bit sum of bytes 6 .. 9 + n zero. Returns n, the number
// of data bytes, or -1 for a damaged message. Both sides of the exchange judge
// data messages with it.
int SysexDataMessageIntact(const uint8_t* message, int length);

// Builds the data message of `layout` for one preset image into out (at least
// kMaxDataMessageSize bytes). Returns its length, F7 included. Raw values above
// 127 are sent as 127: a byte with the top bit set would end the message early.
int BuildDataMessage(const PackedPreset& image, const SysexTypeLayout& layout, int valueCount,
                     int presetNumber, int groupId, int deviceNumber, uint8_t* out);

// Builds message `index` (0 .. SysexMessagesPerPreset - 1, in sending order)
// of the preset with 0-based index presetIndex by a model's sizes. Send to
// Device and a ".syx" export build every data message through this.
int BuildPresetMessage(const PackedPreset& image, const SysexSizes& sizes, int index,
                       int presetIndex, int deviceNumber, uint8_t* out);

// Builds a 9-byte short message. Returns 9.
int BuildShortMessage(uint8_t command, uint8_t parameter, int groupId, int deviceNumber,
                      uint8_t* out);

// Builds the 6-byte identity request. Returns 6.
int BuildIdentityRequest(int deviceNumber, uint8_t* out);

// Builds an identity reply as a device of that family and member code sends
// it. Returns kIdentityReplySize.
int BuildIdentityReply(int deviceId, int family, int member, uint8_t* out);

// Writes the data bytes of a message of `layout` into the image's field: raw,
// as many as count but at most the field's size, stopping before a byte with
// the top bit set; nibble, count / 2 pairs at most, stopping at a pair that holds
// such a byte. Bytes of the field beyond those written keep their contents.
// Returns the number of values written.
int StoreSysexPayload(PackedPreset& image, const SysexTypeLayout& layout, const uint8_t* data,
                      int count);
