// A bank's contents kept compactly, for the undo history: a BankData has
// room for 128 presets of 100 controls, of which a model uses a fraction, and
// one step rarely changes more than a few presets. A compact bank stores each
// preset with its runs of zero bytes left out, and shares every preset that
// is byte for byte the one a related compact bank already holds (the previous
// step of the same bank), so a hundred steps of one bank cost about one bank.
//
// Expanding gives back the very bytes that were kept. User-interface
// thread only (the expansion scratch is one block shared by every caller).
#pragma once

#include <cstddef>

#include "banks/bank_model.h"

struct CompactBank;

// Keeps data compactly; presets equal to those of `like` (may be null) are
// shared with it. Null after the short-of-memory message when memory runs
// short.
CompactBank* CompactBankOf(const BankData& data, const CompactBank* like);
void FreeCompactBank(CompactBank* packed);

// Writes every byte of the compact bank into out.
void ExpandCompactBank(const CompactBank& packed, BankData* out);
// The compact bank expanded into a scratch block that stays valid until the
// next call; null when the scratch cannot be had (after the message).
const BankData* ExpandedView(const CompactBank& packed);

// The bank's own "name" field, without expanding.
const char* CompactBankName(const CompactBank& packed);
// Heap bytes held by every compact bank now alive (shared presets once): what
// the undo history costs, for its benchmark.
size_t CompactBankBytesInUse();
