// Property-list tree: dotted-path navigation (Lookup) and the children/subtree walks.
//
// Path grammar, read left to right:
//   key segment     text up to the next '.' or '[' or the end; empty segments are skipped
//   index selector  '[' decimal digits, then an optional ']'; a '.' right after ']' is skipped
// e.g. "device.name", "presets[3].name", "zones[0]low".

#include <cstring>

#include "plist/plist_node.h"

// True when nothing but separators follows: the segment just read is the path's last.
static bool AtPathEnd(const char* p) {
    while (*p == '.') p++;
    return *p == '\0';
}

// Reads "[digits]" at p (p just past '['); returns the index, saturated so that it can never
// wrap around to a small number, and moves p past the optional ']' and one '.'.
static uint32_t ReadIndex(const char** cursor) {
    const char* p = *cursor;
    uint64_t index = 0;
    while (*p >= '0' && *p <= '9') {
        index = index * 10 + static_cast<uint64_t>(*p - '0');
        if (index > UINT32_MAX) index = UINT32_MAX;
        p++;
    }
    if (*p == ']') {
        p++;
        if (*p == '.') p++;
    }
    *cursor = p;
    return static_cast<uint32_t>(index);
}

PlistNode* Lookup(PlistNode* node, const char* path, uint32_t options) {
    if (!node || !path || !*path) return node;
    const bool create = (options & (kLookupCreate | kLookupCreateVolatile)) != 0;
    const bool makeVolatile = (options & kLookupCreateVolatile) != 0;
    PlistNode* current = node;
    PlistNode* parent = node;
    const char* p = path;
    while (*p) {
        if (*p == '.') {
            p++;
            continue;
        }
        if (*p == '[') {
            p++;
            uint32_t index = ReadIndex(&p);
            if (IsContainer(current) && index < ChildCount(current)) {
                parent = current;
                current = ChildAt(current, index);
                continue;
            }
            if (!create || index > kLookupIndexLimit) return nullptr;
            if (ChildCount(current) == 0) SetType(current, PlistType::Array);
            while (ChildCount(current) <= index) {
                PlistNode* entry = Create(nullptr, PlistType::Dict);
                if (makeVolatile) SetVolatile(entry, true);
                Append(current, entry);
            }
            parent = current;
            current = ChildAt(current, index);
            continue;
        }
        size_t length = strcspn(p, ".[");
        PlistNode* child = FindChild(current, p, static_cast<uint32_t>(length));
        if (!child) {
            if (!create) return nullptr;
            if (TypeOf(current) != PlistType::Dict) {
                ClearValue(current);
                SetType(current, PlistType::Dict);
            }
            child = Create(nullptr, PlistType::None);
            SetKey(child, p, static_cast<uint32_t>(length));
            if (makeVolatile && AtPathEnd(p + length)) SetVolatile(child, true);
            Append(current, child);
        }
        parent = current;
        current = child;
        p += length;
    }
    if ((options & kLookupRemove) && current != node) {
        Remove(parent, current);
        return nullptr;
    }
    return current;
}

PlistIterator Iterator(PlistNode* root, IteratorMode mode) {
    PlistIterator it;
    it.root = root;
    it.mode = mode;
    return it;
}

PlistNode* IteratorNext(PlistIterator* it) {
    if (!it || !it->root) return nullptr;
    if (!it->started) {
        it->started = true;
        if (it->mode == IteratorMode::Subtree) {
            it->last = it->root;
            return it->root;
        }
        it->stack[0] = {it->root, 0};
        it->depth = 1;
    } else if (it->mode == IteratorMode::Subtree && it->last) {
        // Descend into the node yielded last, unless the stack is full: a tree built deeper
        // than the reader allows has its deepest children left out of the walk.
        if (ChildCount(it->last) > 0 && it->depth < kIteratorDepth) {
            it->stack[it->depth++] = {it->last, 0};
        }
    }
    while (it->depth > 0) {
        PlistIterator::Level& level = it->stack[it->depth - 1];
        if (level.next < ChildCount(level.container)) {
            it->last = ChildAt(level.container, level.next++);
            return it->last;
        }
        it->depth--;
    }
    it->last = nullptr;
    return nullptr;
}
