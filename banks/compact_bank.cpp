// Compact banks (see compact_bank.h).
//
// A packed preset is a list of pieces, each a count of zero bytes left out
// followed by a count of bytes kept and those bytes. A run of zeros shorter
// than a piece's two counts is kept as it is, so every piece but the first
// pays for itself and no preset grows by more than one piece's counts.
#include "banks/compact_bank.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/messages.h"
#include "base/string_ids.h"

namespace {

constexpr size_t kHeaderBytes = offsetof(BankData, presets);
constexpr size_t kPieceHead = 2 * sizeof(uint32_t);

struct SharedPreset {
    uint32_t refs;
    uint32_t size;  // bytes of pieces that follow
    // unsigned char pieces[size];
};

size_t gBytesInUse = 0;

unsigned char* PiecesOf(SharedPreset* preset) {
    return reinterpret_cast<unsigned char*>(preset + 1);
}
const unsigned char* PiecesOf(const SharedPreset* preset) {
    return reinterpret_cast<const unsigned char*>(preset + 1);
}

void PutCount(unsigned char* at, uint32_t value) {
    memcpy(at, &value, sizeof value);
}
uint32_t GetCount(const unsigned char* at) {
    uint32_t value;
    memcpy(&value, at, sizeof value);
    return value;
}

size_t ZerosAt(const unsigned char* bytes, size_t at, size_t end) {
    size_t n = 0;
    while (at + n < end && bytes[at + n] == 0) n++;
    return n;
}

// Packs size bytes into out (room for size + kPieceHead bytes at least);
// returns the packed length.
size_t PackBytes(const unsigned char* bytes, size_t size, unsigned char* out) {
    size_t length = 0;
    size_t at = 0;
    while (at < size) {
        size_t zeros = ZerosAt(bytes, at, size);
        size_t start = at + zeros;
        size_t end = start;
        // Kept bytes run on until a run of zeros long enough to pay for a piece.
        while (end < size) {
            size_t run = ZerosAt(bytes, end, size);
            if (run > kPieceHead) break;
            end += run > 0 ? run : 1;
        }
        PutCount(out + length, static_cast<uint32_t>(zeros));
        PutCount(out + length + sizeof(uint32_t), static_cast<uint32_t>(end - start));
        memcpy(out + length + kPieceHead, bytes + start, end - start);
        length += kPieceHead + (end - start);
        at = end;
    }
    return length;
}

void UnpackBytes(const unsigned char* pieces, size_t length, unsigned char* out, size_t size) {
    size_t at = 0;
    size_t read = 0;
    while (read + kPieceHead <= length && at < size) {
        size_t zeros = GetCount(pieces + read);
        size_t kept = GetCount(pieces + read + sizeof(uint32_t));
        read += kPieceHead;
        memset(out + at, 0, zeros);
        at += zeros;
        memcpy(out + at, pieces + read, kept);
        at += kept;
        read += kept;
    }
    memset(out + at, 0, size - at);
}

void* Allocate(size_t size) {
    void* block = malloc(size);
    if (!block) MessageBoxById(nullptr, kAppName, kMbIconHand, kStrShortOfMemory);
    return block;
}

void Release(SharedPreset* preset) {
    if (preset && --preset->refs == 0) {
        gBytesInUse -= sizeof(SharedPreset) + preset->size;
        free(preset);
    }
}

}  // namespace

struct CompactBank {
    unsigned char header[kHeaderBytes];
    SharedPreset* presets[kMaxPresets];
};

CompactBank* CompactBankOf(const BankData& data, const CompactBank* like) {
    CompactBank* packed = static_cast<CompactBank*>(Allocate(sizeof(CompactBank)));
    if (!packed) return nullptr;
    gBytesInUse += sizeof(CompactBank);
    memcpy(packed->header, &data, kHeaderBytes);
    memset(packed->presets, 0, sizeof packed->presets);
    static unsigned char scratch[sizeof(PresetRecord) + kPieceHead];
    static PresetRecord likePreset;
    for (int p = 0; p < kMaxPresets; p++) {
        const unsigned char* bytes = reinterpret_cast<const unsigned char*>(&data.presets[p]);
        // Unpacking is a few copies, packing a scan of every byte: what is
        // shared is found by unpacking.
        SharedPreset* same = like ? like->presets[p] : nullptr;
        if (same) {
            UnpackBytes(PiecesOf(same), same->size, reinterpret_cast<unsigned char*>(&likePreset),
                        sizeof likePreset);
            if (memcmp(&likePreset, bytes, sizeof likePreset) == 0) {
                same->refs++;
                packed->presets[p] = same;
                continue;
            }
        }
        size_t length = PackBytes(bytes, sizeof(PresetRecord), scratch);
        SharedPreset* own = static_cast<SharedPreset*>(Allocate(sizeof(SharedPreset) + length));
        if (!own) {
            FreeCompactBank(packed);
            return nullptr;
        }
        own->refs = 1;
        own->size = static_cast<uint32_t>(length);
        memcpy(PiecesOf(own), scratch, length);
        gBytesInUse += sizeof(SharedPreset) + length;
        packed->presets[p] = own;
    }
    return packed;
}

void FreeCompactBank(CompactBank* packed) {
    if (!packed) return;
    for (SharedPreset* preset : packed->presets) Release(preset);
    gBytesInUse -= sizeof(CompactBank);
    free(packed);
}

void ExpandCompactBank(const CompactBank& packed, BankData* out) {
    memcpy(out, packed.header, kHeaderBytes);
    for (int p = 0; p < kMaxPresets; p++) {
        const SharedPreset* preset = packed.presets[p];
        UnpackBytes(PiecesOf(preset), preset->size,
                    reinterpret_cast<unsigned char*>(&out->presets[p]), sizeof(PresetRecord));
    }
}

const BankData* ExpandedView(const CompactBank& packed) {
    static BankData* scratch = nullptr;
    if (!scratch) scratch = static_cast<BankData*>(Allocate(sizeof(BankData)));
    if (!scratch) return nullptr;
    ExpandCompactBank(packed, scratch);
    return scratch;
}

const char* CompactBankName(const CompactBank& packed) {
    return reinterpret_cast<const char*>(packed.header + offsetof(BankData, name));
}

size_t CompactBankBytesInUse() {
    return gBytesInUse;
}
