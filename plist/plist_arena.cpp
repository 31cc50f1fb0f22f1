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

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <new>

#include "plist/plist_build.h"

namespace {

constexpr size_t kBlockBytes = 16384;
// The first node starts here, past the header, aligned for a node.
constexpr size_t kFirstNode =
    (sizeof(uint32_t) * 3 + alignof(PlistNode) - 1) / alignof(PlistNode) * alignof(PlistNode);
constexpr uint32_t kNodesPerBlock =
    static_cast<uint32_t>((kBlockBytes - kFirstNode) / sizeof(PlistNode));
static_assert(kNodesPerBlock >= 64, "a block holds too few nodes to be worth it");

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

static void FreeBlock(PlistArenaBlock* block) {
    ::operator delete(static_cast<void*>(block), std::align_val_t(kBlockBytes));
}

static void Seal(PlistArenaBlock* block) {
    block->sealed = 1;
    if (block->live == 0) FreeBlock(block);
}

PlistNode* ArenaNewNode(PlistArena* arena) {
    PlistArenaBlock* block = arena->current;
    if (!block || block->used == kNodesPerBlock) {
        if (block) Seal(block);
        block = static_cast<PlistArenaBlock*>(
            ::operator new(kBlockBytes, std::align_val_t(kBlockBytes)));
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
}

void ArenaFreeNode(PlistNode* node) {
    assert(node->flags & kPlistInArena);
    PlistArenaBlock* block = BlockOf(node);
    node->~PlistNode();
    assert(block->live > 0);
    block->live--;
    if (block->live == 0 && block->sealed) FreeBlock(block);
}
