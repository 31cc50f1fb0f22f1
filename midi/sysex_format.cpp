// Building and decoding the device's SysEx messages (layout in sysex_format.h).
#include "midi/sysex_format.h"

#include <cstring>

const SysexTypeLayout* FindSysexType(int type) {
    for (const SysexTypeLayout& layout : kSysexTypes)
        if (layout.type == type) return &layout;
    return nullptr;
}

static int GroupCount(SysexGroup group, const SysexSizes& sizes) {
    switch (group) {
        case SysexGroup::Linear:
            return sizes.linearCount;
        case SysexGroup::Button:
            return sizes.buttonCount;
        case SysexGroup::Variables:
            return sizes.variableLimit;
        case SysexGroup::Zones:
            return sizes.zoneLimit;
    }
    return 0;
}

int SysexValueCount(const SysexTypeLayout& layout, const SysexSizes& sizes) {
    int count = GroupCount(layout.group, sizes);
    if (count < 0) count = 0;
    // Definitions may claim more than the image holds (a `limits` value above
    // the table size); only what the image holds exists.
    if (count > layout.maxValues) count = layout.maxValues;
    if (layout.packing == SysexPacking::Nibble && count > kMaxNibbleValues)
        count = kMaxNibbleValues;
    return count;
}

int SysexMessagesPerPreset(const SysexSizes& sizes) {
    return sizes.zoneLimit != 0 ? kSysexTypeCount : kTypesWithoutZones;
}

int SysexLastTypeOfPreset(const SysexSizes& sizes) {
    return sizes.zoneLimit != 0 ? kLastDataType : 11;
}

uint8_t SysexChecksum(const uint8_t* first, int count) {
    uint8_t sum = 0;
    for (int i = 0; i < count; i++) sum = (uint8_t)(sum + first[i]);
    return (uint8_t)(-sum & 0x7F);
}

int SysexDataMessageIntact(const uint8_t* m, int length) {
    if (!m || length < kDataMessageOverhead) return -1;
    const int count = m[8];
    if (kDataMessageOverhead + count > length) return -1;
    // The checksum byte counts with its low 7 bits only, as in the sum.
    if (((SysexChecksum(m + 6, count + 3) ^ m[9 + count]) & 0x7F) != 0) return -1;
    // Nor does the sum see the top bit of the type or of a data byte, which
    // no message sets: a byte with it is damaged (or a status byte in the
    // stream). Taken in, a damaged type would be answered and stored nowhere,
    // and a damaged value would store zeros from there to the end of its group.
    if (m[6] & 0x80) return -1;
    for (int i = 0; i < count; i++) {
        if (m[9 + i] & 0x80) return -1;
    }
    return count;
}

static int WriteHeader(int groupId, int deviceNumber, uint8_t* out) {
    out[0] = kSysExStart;
    memcpy(out + 1, kManufacturerId, 3);
    out[4] = (uint8_t)(groupId & 0x7F);
    out[5] = (uint8_t)(deviceNumber & 0x7F);
    return 6;
}

int BuildDataMessage(const PackedPreset& image, const SysexTypeLayout& layout, int valueCount,
                     int presetNumber, int groupId, int deviceNumber, uint8_t* out) {
    if (valueCount < 0) valueCount = 0;
    if (valueCount > layout.maxValues) valueCount = layout.maxValues;
    if (layout.packing == SysexPacking::Nibble && valueCount > kMaxNibbleValues)
        valueCount = kMaxNibbleValues;

    int n = WriteHeader(groupId, deviceNumber, out);
    out[n++] = (uint8_t)layout.type;
    // Preset 128 goes out as 80: the device's protocol numbers presets in a
    // whole byte here, so this one byte may carry the top bit.
    out[n++] = (uint8_t)presetNumber;
    const bool nibble = layout.packing == SysexPacking::Nibble;
    out[n++] = (uint8_t)(nibble ? 2 * valueCount : valueCount);
    const uint8_t* field = image.bytes + layout.offset;
    for (int i = 0; i < valueCount; i++) {
        if (nibble) {
            out[n++] = (uint8_t)(field[i] >> 4);
            out[n++] = (uint8_t)(field[i] & 0x0F);
        } else {
            out[n++] = field[i] > 0x7F ? 0x7F : field[i];
        }
    }
    out[n] = SysexChecksum(out + 6, n - 6);
    n++;
    out[n++] = kSysExEnd;
    return n;
}

int BuildPresetMessage(const PackedPreset& image, const SysexSizes& sizes, int index,
                       int presetIndex, int deviceNumber, uint8_t* out) {
    const SysexTypeLayout& layout = kSysexTypes[index];
    return BuildDataMessage(image, layout, SysexValueCount(layout, sizes), presetIndex + 1,
                            sizes.groupId, deviceNumber, out);
}

int BuildShortMessage(uint8_t command, uint8_t parameter, int groupId, int deviceNumber,
                      uint8_t* out) {
    int n = WriteHeader(groupId, deviceNumber, out);
    out[n++] = (uint8_t)(command & 0x7F);
    out[n++] = parameter;  // a preset number: 80 for preset 128, as in data messages
    out[n++] = kSysExEnd;
    return n;
}

int BuildIdentityRequest(int deviceNumber, uint8_t* out) {
    const uint8_t request[kIdentityRequestSize] = {
        kSysExStart, 0x7E, (uint8_t)(deviceNumber & 0x7F), 0x06, 0x01, kSysExEnd};
    memcpy(out, request, sizeof request);
    return kIdentityRequestSize;
}

int BuildIdentityReply(int deviceId, int family, int member, uint8_t* out) {
    const uint8_t reply[kIdentityReplySize] = {kSysExStart,
                                               0x7E,
                                               (uint8_t)(deviceId & 0x7F),
                                               0x06,
                                               0x02,
                                               kManufacturerId[0],
                                               kManufacturerId[1],
                                               kManufacturerId[2],
                                               (uint8_t)(family & 0x7F),
                                               (uint8_t)((family >> 7) & 0x7F),
                                               (uint8_t)(member & 0x7F),
                                               (uint8_t)((member >> 7) & 0x7F),
                                               0x01,
                                               0x00,
                                               0x00,
                                               0x00,
                                               kSysExEnd};
    memcpy(out, reply, sizeof reply);
    return kIdentityReplySize;
}

int StoreSysexPayload(PackedPreset& image, const SysexTypeLayout& layout, const uint8_t* data,
                      int count) {
    uint8_t* field = image.bytes + layout.offset;
    int written = 0;
    if (layout.packing == SysexPacking::Raw) {
        while (written < count && written < layout.maxValues && !(data[written] & 0x80)) {
            field[written] = data[written];
            written++;
        }
    } else {
        // Only whole pairs of the data bytes count: a lone last nibble and the
        // checksum after it are not a value.
        const int pairs = count / 2;
        while (written < pairs && written < layout.maxValues) {
            const uint8_t high = data[2 * written], low = data[2 * written + 1];
            if ((high | low) & 0x80) break;
            field[written] = (uint8_t)((high << 4) + low);
            written++;
        }
    }
    return written;
}
