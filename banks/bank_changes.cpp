// The change state of banks: whether each preset, and the bank as a whole,
// differs from what was last saved, loaded, sent or received.
//
// The saved state is kept as fingerprints in the entry rather than as a copy
// of the bank (a copy would double the memory of every open bank). Each part
// is fingerprinted over its bytes, leaving out the changed counter and the
// two fields a bank file does not hold (the reader fills them in its own
// way, so a bank read back would otherwise differ from the one written):
//   header   BankData from `name` up to `presets` without `deviceUniqueId`,
//            then the entry's displayName (the name the file is written with)
//   preset   PresetRecord up to `changed` without `created`
// A part that differs from its fingerprint counts as one change; a bank with
// no saved header (never saved) counts as changed as a whole.
#include <cstddef>
#include <cstring>

#include "banks/bank_model.h"

namespace {

// splitmix64's finaliser: every input bit reaches every output bit.
uint64_t Mix(uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

uint64_t Rotate(uint64_t x, int bits) {
    return (x << bits) | (x >> (64 - bits));
}

// Four lanes of xxHash64's round over 32-byte blocks (a whole bank is 1.5 MB
// and is fingerprinted after every undo of a bank step), each lane and the
// tail mixed in at the end: contents that differ anywhere give different
// fingerprints but for a chance of about 2^-64.
uint64_t Fingerprint(const void* bytes, size_t size, uint64_t seed) {
    constexpr uint64_t kPrime1 = 0x9E3779B185EBCA87ULL;
    constexpr uint64_t kPrime2 = 0xC2B2AE3D27D4EB4FULL;
    const unsigned char* p = static_cast<const unsigned char*>(bytes);
    uint64_t lanes[4] = {seed + kPrime1, seed + kPrime2, seed, seed - kPrime1};
    for (; size >= 32; p += 32, size -= 32) {
        for (int i = 0; i < 4; i++) {
            uint64_t word;
            memcpy(&word, p + 8 * i, 8);
            lanes[i] = Rotate(lanes[i] + word * kPrime2, 31) * kPrime1;
        }
    }
    uint64_t h = Mix(lanes[0]) ^ Rotate(Mix(lanes[1]), 17) ^ Rotate(Mix(lanes[2]), 29) ^
                 Rotate(Mix(lanes[3]), 43);
    for (; size >= 8; p += 8, size -= 8) {
        uint64_t word;
        memcpy(&word, p, 8);
        h = Mix(h ^ word);
    }
    uint64_t tail = 0;
    memcpy(&tail, p, size);
    return Mix(h ^ tail ^ (static_cast<uint64_t>(size) << 56));
}

// kNeverSaved stands for "no saved state", so no contents may give it.
uint64_t NotNever(uint64_t h) {
    return h == kNeverSaved ? 1 : h;
}

constexpr size_t kPresetContents = offsetof(PresetRecord, changed);
constexpr size_t kHeaderContents = offsetof(BankData, presets);

// A byte range of a record: [from, to).
template <typename T>
uint64_t FingerprintPart(const T& record, size_t from, size_t to, uint64_t h) {
    return Fingerprint(reinterpret_cast<const unsigned char*>(&record) + from, to - from, h);
}

uint64_t PresetFingerprint(const PresetRecord& preset) {
    uint64_t h = FingerprintPart(preset, 0, offsetof(PresetRecord, created), 0x5072657365745F31ULL);
    return NotNever(
        FingerprintPart(preset, offsetof(PresetRecord, variableCount), kPresetContents, h));
}

uint64_t HeaderFingerprint(const BankEntry& entry) {
    const BankData& data = *entry.data;
    uint64_t h =
        FingerprintPart(data, 0, offsetof(BankData, deviceUniqueId), 0x42616E6B5F5F5F31ULL);
    h = FingerprintPart(data, offsetof(BankData, readOnly), kHeaderContents, h);
    return NotNever(Fingerprint(entry.displayName, sizeof entry.displayName, h));
}

BankEntry* EntryWithData(int bank) {
    BankEntry* entry = BankAt(bank);
    return entry && entry->data ? entry : nullptr;
}

}  // namespace

bool SamePresetContents(const PresetRecord& a, const PresetRecord& b) {
    return memcmp(&a, &b, kPresetContents) == 0;
}

bool SameBankContents(const BankData& a, const BankData& b) {
    if (memcmp(&a, &b, kHeaderContents) != 0) return false;
    for (int p = 0; p < kMaxPresets; p++) {
        if (!SamePresetContents(a.presets[p], b.presets[p])) return false;
    }
    return true;
}

namespace {

void RefreshPreset(BankEntry* entry, int p) {
    PresetRecord& record = entry->data->presets[p];
    record.changed = PresetFingerprint(record) != entry->savedPresets[p] ? 1 : 0;
}

void RefreshCount(BankEntry* entry) {
    int count = HeaderFingerprint(*entry) != entry->savedHeader ? 1 : 0;
    for (int p = 0; p < kMaxPresets; p++) count += entry->data->presets[p].changed != 0 ? 1 : 0;
    entry->changeCount = count;
}

}  // namespace

void RefreshChangeState(int bank) {
    BankEntry* entry = EntryWithData(bank);
    if (!entry) return;
    for (int p = 0; p < kMaxPresets; p++) RefreshPreset(entry, p);
    RefreshCount(entry);
}

void RefreshPresetChange(int bank, int preset) {
    BankEntry* entry = EntryWithData(bank);
    if (!entry) return;
    if (preset >= 0 && preset < kMaxPresets) RefreshPreset(entry, preset);
    RefreshCount(entry);
}

void ClearChanges(int bank) {
    BankEntry* entry = EntryWithData(bank);
    if (!entry) {
        // The read scratch has no entry and so no saved state: only its counters.
        BankData* data = BankDataAt(bank);
        if (data) {
            for (int p = 0; p < kMaxPresets; p++) data->presets[p].changed = 0;
        }
        return;
    }
    entry->savedHeader = HeaderFingerprint(*entry);
    for (int p = 0; p < kMaxPresets; p++) {
        entry->savedPresets[p] = PresetFingerprint(entry->data->presets[p]);
        entry->data->presets[p].changed = 0;
    }
    entry->changeCount = 0;
}

void ClearAllChanges() {
    for (int i = 0; i < gBanks.count; i++) ClearChanges(i);
}

void ClearPresetChange(int bank, int preset) {
    BankEntry* entry = EntryWithData(bank);
    if (!entry || preset < 0 || preset >= kMaxPresets) return;
    entry->savedPresets[preset] = PresetFingerprint(entry->data->presets[preset]);
    RefreshPresetChange(bank, preset);
}

void ForgetSavedState(int bank) {
    BankEntry* entry = EntryWithData(bank);
    if (!entry) return;
    entry->savedHeader = kNeverSaved;
    for (int p = 0; p < kMaxPresets; p++) entry->savedPresets[p] = kNeverSaved;
    RefreshChangeState(bank);
}
