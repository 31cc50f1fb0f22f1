// Arena blocks for the nodes of parsed documents (see plist_build.h).
//
// Invariants:
//  1. A block is kBlockBytes long and aligned to kBlockBytes, so the block of a node is found by
//     clearing the low bits of the node's address; nodes never cross the block's end.
//  2. live is the number of nodes handed out from the block and not yet freed. A block is freed
//     when live is 0 and its arena has given it up (sealed), never while the arena may still
//     hand out nodes from it.
//  3. A node slot is used once: freed slots are not handed out again (documents are freed
//     whole, soon after they are read).
//  4. A freed block goes to the pool of spare blocks, and the next reader takes its blocks from
//     there first. The pool never holds more blocks than the last document read used (nor
//     more than kMaxSpareBlocks): returning the memory of every document to the system, only
//     to have it zeroed and mapped in again page by page for the next one, cost a third of the
//     reading time.

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <new>
#include <vector>

#include "plist/plist_build.h"

namespace {

constexpr size_t kBlockBytes = 16384;
// The first node starts here, past the header, aligned for a node.
constexpr size_t kFirstNode =
    (sizeof(uint32_t) * 3 + alignof(PlistNode) - 1) / alignof(PlistNode) * alignof(PlistNode);
constexpr uint32_t kNodesPerBlock =
    static_cast<uint32_t>((kBlockBytes - kFirstNode) / sizeof(PlistNode));
static_assert(kNodesPerBlock >= 64, "a block holds too few nodes to be worth it");

// 16 MiB: the nodes of a full bank of 128 presets.
constexpr size_t kMaxSpareBlocks = 1024;

}  // namespace

struct PlistArenaBlock {
    uint32_t live;    // nodes handed out and not yet freed
    uint32_t used;    // slots handed out
    uint32_t sealed;  // 1 once the arena gave the block up
};

static_assert(sizeof(PlistArenaBlock) <= kFirstNode, "the header overlaps the first node");

static PlistArenaBlock* BlockOf(const PlistNode* node) {
    return reinterpret_cast<PlistArenaBlock*>(reinterpret_cast<uintptr_t>(node) &
                                              ~static_cast<uintptr_t>(kBlockBytes - 1));
}

// The spare blocks. Trees are freed on whichever thread holds them, so the pool has a lock.
struct SpareBlocks {
    std::mutex lock;
    std::vector<PlistArenaBlock*> blocks;
    size_t limit = 0;  // blocks the last document read used, at most kMaxSpareBlocks
};

// Never destroyed: trees kept in static storage elsewhere are freed at exit, after any
// destructor of this file's statics would have run.
static SpareBlocks& Spares() {
    static SpareBlocks* spares = new SpareBlocks;
    return *spares;
}

static void FreeBlock(PlistArenaBlock* block) {
    SpareBlocks& spares = Spares();
    {
        std::lock_guard<std::mutex> hold(spares.lock);
        if (spares.blocks.size() < spares.limit) {
            spares.blocks.push_back(block);
            return;
        }
    }
    ::operator delete(static_cast<void*>(block), std::align_val_t(kBlockBytes));
}

static PlistArenaBlock* NewBlock() {
    SpareBlocks& spares = Spares();
    {
        std::lock_guard<std::mutex> hold(spares.lock);
        if (!spares.blocks.empty()) {
            PlistArenaBlock* block = spares.blocks.back();
            spares.blocks.pop_back();
            return block;
        }
    }
    return static_cast<PlistArenaBlock*>(
        ::operator new(kBlockBytes, std::align_val_t(kBlockBytes)));
}

// A reader used blocks blocks: the pool keeps no more than that from now on.
static void LimitSpares(size_t blocks) {
    SpareBlocks& spares = Spares();
    std::vector<PlistArenaBlock*> surplus;
    {
        std::lock_guard<std::mutex> hold(spares.lock);
        spares.limit = blocks < kMaxSpareBlocks ? blocks : kMaxSpareBlocks;
        while (spares.blocks.size() > spares.limit) {
            surplus.push_back(spares.blocks.back());
            spares.blocks.pop_back();
        }
    }
    for (PlistArenaBlock* block : surplus) {
        ::operator delete(static_cast<void*>(block), std::align_val_t(kBlockBytes));
    }
}

static void Seal(PlistArenaBlock* block) {
    block->sealed = 1;
    if (block->live == 0) FreeBlock(block);
}

PlistNode* ArenaNewNode(PlistArena* arena) {
    PlistArenaBlock* block = arena->current;
    if (!block || block->used == kNodesPerBlock) {
        if (block) Seal(block);
        block = NewBlock();
        arena->blocks++;
        block->live = 0;
        block->used = 0;
        block->sealed = 0;
        arena->current = block;
    }
    char* slot = reinterpret_cast<char*>(block) + kFirstNode + block->used * sizeof(PlistNode);
    block->used++;
    block->live++;
    PlistNode* node = new (slot) PlistNode;
    node->flags = kPlistInArena;
    return node;
}

void ArenaFinish(PlistArena* arena) {
    if (arena->current) Seal(arena->current);
    arena->current = nullptr;
    LimitSpares(arena->blocks);
}

void ArenaFreeNode(PlistNode* node) {
    assert(node->flags & kPlistInArena);
    PlistArenaBlock* block = BlockOf(node);
    node->~PlistNode();
    assert(block->live > 0);
    block->live--;
    if (block->live == 0 && block->sealed) FreeBlock(block);
}
