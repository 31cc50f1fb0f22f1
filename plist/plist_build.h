// Inside the property-list folder only: how the XML reader builds a tree faster than node by
// node through the public setters.
//
// Nodes of a parsed document come from blocks of an arena instead of one heap allocation each:
// reading and freeing documents was mostly allocation. A block is freed when the last of its
// nodes is destroyed, so an arena node behaves like any other: it can be appended elsewhere,
// removed, or outlive the rest of its document. The reader also types and fills nodes without
// change tracking, so that the tree comes out clean without a second walk.

#pragma once

#include <cstddef>
#include <cstdint>

#include "plist/plist_node.h"

// Flag bit beside the type code: the node lives in an arena block (bits 6-31 carry no meaning
// for the rest of the program).
constexpr uint32_t kPlistInArena = 64;

struct PlistArenaBlock;

// The allocator of one reader: hands out nodes from its current block, starting a new block
// when that one is full.
struct PlistArena {
    PlistArenaBlock* current = nullptr;
    size_t blocks = 0;  // blocks handed to this reader
};

// A new node (type none, no key, clean, no parents) from the arena.
PlistNode* ArenaNewNode(PlistArena* arena);
// The reader is done: the current block is given up, so that it is freed with its last node
// (at once when it holds none).
void ArenaFinish(PlistArena* arena);
// Destroys a node with kPlistInArena set; its children are the caller's business.
void ArenaFreeNode(PlistNode* node);

// SetText without marking anything dirty (the reader's tree is clean by construction).
void StoreText(PlistNode* node, const char* text, uint32_t length);
