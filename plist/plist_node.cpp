// Property-list tree: node life cycle, multi-parent membership and change tracking.
//
// Invariants:
//  1. A node's refCount equals the length of its parent list (parent, then moreParents), and
//     each container appears in a child's parent list exactly as many times as the child
//     appears in its children list. A node with parents has parent set.
//  2. Only dict and array nodes have children; only string and data nodes have text.
//  3. The tree has no loops: Append refuses a child that is the container or one of its
//     ancestors, so recursive walks (clearing, writing, dirty marking) always end.
//  4. A volatile node never has its dirty bit set.
//  5. A node read from a document lives in an arena block (kPlistInArena) and goes back to it;
//     every other node was allocated with new.

#include "plist/plist_node.h"

#include <cassert>
#include <cstring>

#include "plist/plist_build.h"

static PlistType TypeBits(const PlistNode* node) {
    return static_cast<PlistType>(node->flags & kPlistTypeMask);
}

static void SetTypeBits(PlistNode* node, PlistType type) {
    node->flags = (node->flags & ~kPlistTypeMask) | static_cast<uint32_t>(type);
}

static void ReleaseChild(PlistNode* container, PlistNode* child);

// Frees a node that no container holds any more, releasing its children first to last. Unlike
// ClearValue it marks nothing dirty: nobody can see the node any more.
static void DestroyNode(PlistNode* node) {
    assert(node->refCount == 0);
    for (PlistNode* child : node->children) ReleaseChild(node, child);
    if (node->flags & kPlistInArena) {
        ArenaFreeNode(node);
    } else {
        delete node;
    }
}

PlistNode* Create(PlistNode* parent, PlistType type) {
    PlistNode* node = new PlistNode;
    if (static_cast<uint32_t>(type) <= static_cast<uint32_t>(PlistType::Data)) {
        SetTypeBits(node, type);
    }
    if (parent) Append(parent, node);
    return node;
}

void DestroyTree(PlistNode* root) {
    if (!root || root->refCount != 0) return;
    DestroyNode(root);
}

PlistType TypeOf(const PlistNode* node) {
    return node ? TypeBits(node) : PlistType::None;
}

bool IsDirty(const PlistNode* node) {
    return node && (node->flags & kPlistDirty);
}

bool IsVolatile(const PlistNode* node) {
    return node && (node->flags & kPlistVolatile);
}

bool IsContainer(const PlistNode* node) {
    PlistType type = TypeOf(node);
    return type == PlistType::Dict || type == PlistType::Array;
}

const char* KeyOf(const PlistNode* node) {
    return node ? node->key.c_str() : "";
}

uint32_t KeyLength(const PlistNode* node) {
    return node ? static_cast<uint32_t>(node->key.size()) : 0;
}

static bool HasText(const PlistNode* node) {
    PlistType type = TypeOf(node);
    return type == PlistType::String || type == PlistType::Data;
}

const char* TextOf(const PlistNode* node) {
    return HasText(node) ? node->text.c_str() : "";
}

uint32_t TextLength(const PlistNode* node) {
    return HasText(node) ? static_cast<uint32_t>(node->text.size()) : 0;
}

bool BooleanOf(const PlistNode* node) {
    return TypeOf(node) == PlistType::Boolean && node->value.boolean != 0;
}

int32_t IntegerOf(const PlistNode* node) {
    return TypeOf(node) == PlistType::Integer ? node->value.integer : 0;
}

float RealOf(const PlistNode* node) {
    return TypeOf(node) == PlistType::Real ? node->value.real : 0.0f;
}

void SetKey(PlistNode* node, const char* bytes, uint32_t length) {
    if (!node) return;
    if (bytes && length == 0) length = static_cast<uint32_t>(strlen(bytes));
    if (!bytes || length == 0) {
        node->key.clear();
        node->keyHash = 0;
        return;
    }
    node->key.assign(bytes, length);
    node->keyHash = KeyHash(0, bytes, length);
}

bool SetType(PlistNode* node, PlistType type) {
    if (!node || TypeBits(node) == type) return false;
    if (static_cast<uint32_t>(type) > static_cast<uint32_t>(PlistType::Data)) return false;
    ClearValue(node);
    SetTypeBits(node, type);
    return true;
}

static void AddParent(PlistNode* child, PlistNode* container) {
    if (!child->parent) {
        child->parent = container;
        return;
    }
    if (!child->moreParents) child->moreParents.reset(new std::vector<PlistNode*>);
    child->moreParents->push_back(container);
}

// Takes the first occurrence of container out of the child's parent list, keeping the order
// of the others.
static void DropParent(PlistNode* child, PlistNode* container) {
    std::vector<PlistNode*>* more = child->moreParents.get();
    if (child->parent == container) {
        child->parent = nullptr;
        if (more) {
            child->parent = more->front();
            more->erase(more->begin());
        }
    } else if (more) {
        for (size_t i = 0; i < more->size(); i++) {
            if ((*more)[i] == container) {
                more->erase(more->begin() + i);
                break;
            }
        }
    }
    if (more && more->empty()) child->moreParents.reset();
}

// Takes one occurrence of container out of the child's parent list and releases the child
// when no container holds it any more. The container's own children list is the caller's.
static void ReleaseChild(PlistNode* container, PlistNode* child) {
    DropParent(child, container);
    assert(child->refCount > 0);
    child->refCount--;
    if (child->refCount == 0) DestroyNode(child);
}

void ClearValue(PlistNode* node) {
    if (!node) return;
    if (node->children.empty() && node->text.empty()) {
        // Nothing owned: the common case of a node being typed as it is read.
        node->value.integer = 0;
        SetTypeBits(node, PlistType::None);
        return;
    }
    // Children are released first to last, as Remove would, but the list is taken out
    // whole: removing them one by one from the front costs quadratic time on big arrays.
    std::vector<PlistNode*> children;
    children.swap(node->children);
    bool changed = false;
    for (PlistNode* child : children) {
        if (!(child->flags & kPlistVolatile)) changed = true;
        ReleaseChild(node, child);
    }
    std::string().swap(node->text);
    node->value.integer = 0;
    SetTypeBits(node, PlistType::None);
    if (changed) MarkDirty(node, true);
}

void SetVolatile(PlistNode* node, bool on) {
    if (!node) return;
    if (on) {
        node->flags = (node->flags | kPlistVolatile) & ~kPlistDirty;
    } else {
        node->flags &= ~kPlistVolatile;
    }
}

PlistNode* SetBoolean(PlistNode* node, bool value) {
    if (!node) return node;
    bool same = TypeBits(node) == PlistType::Boolean && (node->value.boolean != 0) == value;
    SetType(node, PlistType::Boolean);
    node->value.boolean = value ? 1 : 0;
    if (!same) MarkDirty(node, true);
    return node;
}

PlistNode* SetInteger(PlistNode* node, int32_t value) {
    if (!node) return node;
    bool same = TypeBits(node) == PlistType::Integer && node->value.integer == value;
    SetType(node, PlistType::Integer);
    node->value.integer = value;
    if (!same) MarkDirty(node, true);
    return node;
}

PlistNode* SetReal(PlistNode* node, float value) {
    if (!node) return node;
    // Bitwise comparison, so that setting NaN twice is no change and 0 vs -0 is one.
    bool same =
        TypeBits(node) == PlistType::Real && memcmp(&node->value.real, &value, sizeof value) == 0;
    SetType(node, PlistType::Real);
    node->value.real = value;
    if (!same) MarkDirty(node, true);
    return node;
}

PlistNode* SetString(PlistNode* node, const char* text, uint32_t length) {
    if (!node) return node;
    if (!text) text = "";
    if (length == 0) length = static_cast<uint32_t>(strlen(text));
    bool same = TypeBits(node) == PlistType::String && node->text.size() == length &&
                memcmp(node->text.data(), text, length) == 0;
    if (same) return node;
    SetType(node, PlistType::String);
    node->text.assign(text, length);
    MarkDirty(node, true);
    return node;
}

uint32_t ChildCount(const PlistNode* node) {
    return IsContainer(node) ? static_cast<uint32_t>(node->children.size()) : 0;
}

PlistNode* ChildAt(const PlistNode* node, uint32_t index) {
    if (index >= ChildCount(node)) return nullptr;
    return node->children[index];
}

uint32_t CountChildren(const PlistNode* node, bool includeVolatile) {
    if (includeVolatile) return ChildCount(node);
    uint32_t count = 0;
    for (uint32_t i = 0; i < ChildCount(node); i++) {
        if (!(node->children[i]->flags & kPlistVolatile)) count++;
    }
    return count;
}

// True when node is target or lies below it, i.e. target is node or one of its ancestors.
static bool HasAncestor(const PlistNode* node, const PlistNode* target) {
    if (node == target) return true;
    if (node->parent && HasAncestor(node->parent, target)) return true;
    if (node->moreParents) {
        for (const PlistNode* parent : *node->moreParents) {
            if (HasAncestor(parent, target)) return true;
        }
    }
    return false;
}

void Append(PlistNode* container, PlistNode* child) {
    if (!container || !child || !IsContainer(container)) return;
    // Only a node with children can be an ancestor of the container (or the container
    // itself); skipping the walk for the rest keeps the reader's appends cheap.
    if (child == container || (!child->children.empty() && HasAncestor(container, child))) {
        return;
    }
    child->refCount++;
    AddParent(child, container);
    // Most dicts of a document hold a handful of entries: one allocation for the first eight
    // instead of one per doubling.
    if (container->children.capacity() == 0) container->children.reserve(8);
    container->children.push_back(child);
    if (!(child->flags & kPlistVolatile)) MarkDirty(container, true);
}

void Remove(PlistNode* container, PlistNode* child) {
    if (!container || !child || !IsContainer(container)) return;
    std::vector<PlistNode*>& children = container->children;
    for (size_t i = 0; i < children.size(); i++) {
        if (children[i] != child) continue;
        children.erase(children.begin() + i);
        bool wasVolatile = (child->flags & kPlistVolatile) != 0;
        ReleaseChild(container, child);  // may destroy the child
        if (!wasVolatile) MarkDirty(container, true);
        return;
    }
}

uint32_t ParentCount(const PlistNode* node) {
    if (!node || !node->parent) return 0;
    return 1 + (node->moreParents ? static_cast<uint32_t>(node->moreParents->size()) : 0);
}

PlistNode* ParentAt(const PlistNode* node, uint32_t index) {
    if (index >= ParentCount(node)) return nullptr;
    return index == 0 ? node->parent : (*node->moreParents)[index - 1];
}

void MarkDirty(PlistNode* node, bool on) {
    if (!node) return;
    if (on) {
        if (node->flags & (kPlistDirty | kPlistVolatile)) return;
        node->flags |= kPlistDirty;
        if (node->parent) MarkDirty(node->parent, true);
        if (node->moreParents) {
            for (PlistNode* parent : *node->moreParents) MarkDirty(parent, true);
        }
        return;
    }
    node->flags &= ~kPlistDirty;
    for (PlistNode* child : node->children) MarkDirty(child, false);
}

uint32_t KeyHash(uint32_t seed, const char* bytes, size_t length) {
    uint32_t hash = seed;
    int32_t previous = 0;
    for (size_t i = 0; i < length; i++) {
        unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 'A' && byte <= 'Z') byte = static_cast<unsigned char>(byte + ('a' - 'A'));
        int32_t c = static_cast<int8_t>(byte);
        hash += static_cast<uint32_t>(c + 1) * static_cast<uint32_t>(previous + 1);
        previous = c;
    }
    return hash;
}

static bool KeysEqual(const char* a, const char* b, size_t length) {
    for (size_t i = 0; i < length; i++) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + ('a' - 'A'));
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + ('a' - 'A'));
        if (x != y) return false;
    }
    return true;
}

PlistKey MakeKey(const char* zeroTerminated) {
    const char* bytes = zeroTerminated ? zeroTerminated : "";
    const uint32_t length = static_cast<uint32_t>(strlen(bytes));
    return PlistKey{bytes, length, KeyHash(0, bytes, length)};
}

static bool KeyMatches(const PlistNode* child, const PlistKey& key) {
    return child->keyHash == key.hash && child->key.size() == key.length &&
           KeysEqual(child->key.data(), key.bytes, key.length);
}

PlistNode* FindKey(const PlistNode* node, const PlistKey& key) {
    if (!key.bytes || key.length == 0 || !IsContainer(node)) return nullptr;
    for (PlistNode* child : node->children) {
        if (KeyMatches(child, key)) return child;
    }
    return nullptr;
}

void FindKeys(const PlistNode* node, const PlistKey* keys, int count, PlistNode** found) {
    for (int k = 0; k < count; k++) found[k] = nullptr;
    if (!IsContainer(node)) return;
    int missing = count;
    for (PlistNode* child : node->children) {
        for (int k = 0; k < count; k++) {
            if (!found[k] && keys[k].bytes && keys[k].length != 0 && KeyMatches(child, keys[k])) {
                found[k] = child;
                missing--;
                break;
            }
        }
        if (missing == 0) break;
    }
}

PlistNode* FindChild(const PlistNode* node, const char* key, uint32_t length) {
    if (!key || !IsContainer(node)) return nullptr;
    if (length == 0) length = static_cast<uint32_t>(strlen(key));
    if (length == 0) return nullptr;
    return FindKey(node, PlistKey{key, length, KeyHash(0, key, length)});
}
