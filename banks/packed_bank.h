// A bank's contents kept compactly, for the undo history: a BankData has
// room for 128 presets of 100 controls, of which a model uses a fraction, and
// one step rarely changes more than a few presets. A packed bank stores each
// preset with its runs of zero bytes left out, and shares every preset that
// is byte for byte the one a related packed bank already holds (the previous
// step of the same bank), so a hundred steps of one bank cost about one bank.
//
// Unpacking gives back the very bytes that were packed. User-interface
// thread only (the unpack scratch is one block shared by every caller).
#pragma once

#include <cstddef>

#include "banks/bank_model.h"

struct PackedBank;

// Packs data; presets equal to those of `like` (may be null) are shared with
// it. Null after the short-of-memory message when memory runs short.
PackedBank* PackBank(const BankData& data, const PackedBank* like);
void FreePackedBank(PackedBank* packed);

// Writes every byte of the packed bank into out.
void UnpackBank(const PackedBank& packed, BankData* out);
// The packed bank unpacked into a scratch block that stays valid until the
// next call; null when the scratch cannot be had (after the message).
const BankData* UnpackedView(const PackedBank& packed);

// The bank's own "name" field, without unpacking.
const char* PackedBankName(const PackedBank& packed);
// Heap bytes held by every packed bank now alive (shared presets once): what
// the undo history costs, for its benchmark.
size_t PackedBankBytesInUse();
