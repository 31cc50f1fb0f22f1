// The packed preset images and the five-slot store they travel through.
#include "banks/packed_image.h"

#include <cassert>
#include <cstring>

PackedStore gPackedStore;

PackedPreset& PackedStorePreset(int slot, int preset) {
    assert(slot >= 0 && slot < kPackedStoreSlots);
    assert(preset >= 0 && preset < kPackedPresetsPerBank);
    return gPackedStore.slots[slot].presets[preset];
}

void SetPackedPresetName(PackedPreset& image, const char* name) {
    uint8_t* field = image.bytes + kPackedNameOffset;
    memset(field, 0, kPackedNameSize);
    if (!name) return;
    for (int i = 0; i < kPackedNameSize - 1 && name[i]; i++) field[i] = (uint8_t)name[i];
}

void GetPackedPresetName(const PackedPreset& image, char* out, int size) {
    if (!out || size <= 0) return;
    const uint8_t* field = image.bytes + kPackedNameOffset;
    int n = 0;
    while (n < kPackedNameSize && n < size - 1 && field[n]) {
        out[n] = (char)field[n];
        n++;
    }
    out[n] = '\0';
}
