// Property-list tree: the typed, keyed tree in which every document of the program (device
// definitions, the editors file, control libraries, preset banks) is held in memory.
//
// A node is a typed value, optionally named by a key; dicts and arrays hold ordered lists of
// children. A node may sit in several containers at once: its reference count is the number of
// containers that hold it, and it is destroyed when the last one releases it. A node with count 0
// is a root and belongs to whoever created it (release it with DestroyTree).
//
// Change tracking: every value setter marks its node dirty, and marking climbs through every
// parent up to the roots, stopping at nodes that are already dirty or volatile. Volatile nodes
// are scratch data that is never saved and never becomes dirty, so a change inside a volatile
// subtree never dirties the saved document.
//
// Every function accepts a null node and then does nothing (or returns none / the default), so
// loaders can chain look-ups without checking each step.

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Type codes, as stored in bits 0-3 of the flags.
enum class PlistType : uint32_t {
    None = 0,     // fresh node, or a key whose value element was not read yet
    String = 1,   // UTF-8 text
    Boolean = 2,  // true / false
    Integer = 3,  // signed 32-bit
    Real = 4,     // single precision
    Dict = 5,     // keyed children
    Array = 6,    // ordered children, normally without keys
    Data = 7,     // text stored as written (base64 in practice)
};

// Flag bits beside the type code.
constexpr uint32_t kPlistTypeMask = 0x0f;
constexpr uint32_t kPlistDirty = 16;     // changed since loaded or saved
constexpr uint32_t kPlistVolatile = 32;  // scratch data: never saved, never dirty

// LookupOptions: bit flags for Lookup.
enum LookupOptions : uint32_t {
    kLookupCreate = 1,          // create what is missing
    kLookupCreateVolatile = 2,  // create what is missing, the created leaf volatile
    kLookupRemove = 4,          // remove the node found from its parent and return none
};

// Index selectors above this are "not found" even when creating: a path such as
// "presets[4000000000]" must not allocate four billion nodes.
constexpr uint32_t kLookupIndexLimit = 65535;

struct PlistNode {
    uint32_t refCount = 0;  // containers holding this node; 0 for a root
    uint32_t flags = 0;     // type code | kPlistDirty | kPlistVolatile
    uint32_t keyHash = 0;   // KeyHash(0, key), 0 without key
    union {
        int32_t integer;
        float real;
        uint8_t boolean;  // 0 false, nonzero true
    } value = {0};
    // The containers holding this node, once per append, in order: the first one inline
    // (nearly every node has exactly one), the others in moreParents, which exists only
    // while there are others. Use ParentCount/ParentAt. (Kept this small so that a node fits
    // the allocator's fast bins: reading and freeing documents is mostly allocation.)
    PlistNode* parent = nullptr;
    std::unique_ptr<std::vector<PlistNode*>> moreParents;
    std::string key;                   // empty when the node has no key
    std::string text;                  // String and Data values
    std::vector<PlistNode*> children;  // Dict and Array values, in order
};

// --- Creating and destroying ---------------------------------------------------------------

// New node of the given type, no key, clean; appended to parent when parent is not none.
PlistNode* Create(PlistNode* parent, PlistType type);
// Destroys a root (reference count 0) and releases its whole tree; children still held by
// another container survive. A node that is still held by a container is left alone (release
// it with Remove instead). Null is ignored.
void DestroyTree(PlistNode* root);

// --- Reading the node itself ---------------------------------------------------------------

PlistType TypeOf(const PlistNode* node);  // PlistType::None for null
bool IsDirty(const PlistNode* node);
bool IsVolatile(const PlistNode* node);
bool IsContainer(const PlistNode* node);  // dict or array
// The key (zero-terminated, "" when none) and its length.
const char* KeyOf(const PlistNode* node);
uint32_t KeyLength(const PlistNode* node);
// String or data text (zero-terminated, "" for other types) and its length.
const char* TextOf(const PlistNode* node);
uint32_t TextLength(const PlistNode* node);
// Raw values; meaningful only for nodes of the matching type (0 / false otherwise).
bool BooleanOf(const PlistNode* node);
int32_t IntegerOf(const PlistNode* node);
float RealOf(const PlistNode* node);

// --- Setting --------------------------------------------------------------------------------

// Length 0 means the bytes are zero-terminated. A null or empty key removes the key.
// Does not mark dirty.
void SetKey(PlistNode* node, const char* bytes, uint32_t length);
// Changes the type, clearing the old value first; returns false when the type was already
// this one (nothing done). Does not mark dirty itself (removing old children does).
bool SetType(PlistNode* node, PlistType type);
// Releases the value (text, or every child first to last) and makes the node type none.
void ClearValue(PlistNode* node);
// The setter for parsed text (length 0: zero-terminated). By type: string appends; data
// replaces; integer parses with automatic base (0x hex, leading 0 octal), saturating at the
// 32-bit limits, 0 when there are no digits; real parses a decimal number and keeps the old
// value when there is none; boolean is true exactly when the text starts with "true" in any
// letter case; none, dict and array ignore the text. Always marks the node dirty.
void SetText(PlistNode* node, const char* text, uint32_t length);
// Typed setters: set the type if needed (clearing the old value), store the value, and mark
// dirty unless type and value were already the same. Return the node.
PlistNode* SetBoolean(PlistNode* node, bool value);
PlistNode* SetInteger(PlistNode* node, int32_t value);
PlistNode* SetReal(PlistNode* node, float value);
// Replaces the whole text of a string node (length 0: zero-terminated).
PlistNode* SetString(PlistNode* node, const char* text, uint32_t length);
// Sets or clears the volatile bit. A node made volatile loses its dirty bit.
void SetVolatile(PlistNode* node, bool on);

// --- Children -------------------------------------------------------------------------------

// Number of children of a dict or array; 0 for other types.
uint32_t ChildCount(const PlistNode* node);
// Child number index of a dict or array, or none.
PlistNode* ChildAt(const PlistNode* node, uint32_t index);
// ChildCount with includeVolatile; otherwise only the children whose volatile bit is clear.
uint32_t CountChildren(const PlistNode* node, bool includeVolatile);
// First child whose key matches (length 0: zero-terminated; ASCII letters match in any case).
// An empty key matches nothing.
PlistNode* FindChild(const PlistNode* node, const char* key, uint32_t length);
// A key prepared once for look-ups repeated over many nodes (the readers of big documents ask
// every element for the same few keys): FindKey(node, key) is FindChild(node, key.bytes,
// key.length) without working out the key's length and hash again.
struct PlistKey {
    const char* bytes;
    uint32_t length;
    uint32_t hash;  // KeyHash(0, bytes, length)
};
PlistKey MakeKey(const char* zeroTerminated);
PlistNode* FindKey(const PlistNode* node, const PlistKey& key);
// FindKey for count different keys in one walk over the children: found[k] is FindKey(node,
// keys[k]). A reader that wants most entries of a dict visits each entry once instead of once
// per key.
void FindKeys(const PlistNode* node, const PlistKey* keys, int count, PlistNode** found);
// Appends child to a dict or array (ignored for other types, and when the child is the
// container itself or one of its ancestors, which would make the tree a loop). Marks the
// container dirty unless the child is volatile.
void Append(PlistNode* container, PlistNode* child);
// Removes the first occurrence of child from container (ignored when absent); the child is
// destroyed when no container holds it any more. Marks the container dirty unless the child
// was volatile.
void Remove(PlistNode* container, PlistNode* child);
// Number of containers holding the node, and the one at index (in the order of the appends).
uint32_t ParentCount(const PlistNode* node);
PlistNode* ParentAt(const PlistNode* node, uint32_t index);

// --- Change tracking ------------------------------------------------------------------------

// on: marks the node and, through every parent, its ancestors dirty (stops at dirty or
// volatile nodes). off: clears the dirty bit of the node and all its descendants.
void MarkDirty(PlistNode* node, bool on);

// --- Paths and typed getters ----------------------------------------------------------------

// Dotted path navigation: "MIDI.supported cc", "presets[3].name". An absent or empty path gives
// the node itself. Options (LookupOptions): create what is missing (a non-dict on the way is
// turned into a dict for a key, into an array of dicts for an index), volatile creation, or
// removal of the node found. Returns the node found or none.
PlistNode* Lookup(PlistNode* node, const char* path, uint32_t options);
// Value at path: boolean 0/1, integer, real truncated toward zero; the default when missing
// or of another type.
int32_t GetInt(PlistNode* node, const char* path, int32_t defaultValue);
// Value of the child keyed key: -1 when missing, boolean/integer/real as GetInt, 0 otherwise.
int32_t GetIntOfChild(const PlistNode* node, const char* key);
// Copies the string or data text into buffer (size bytes), always zero-terminated; text that
// does not fit is cut at the last whole UTF-8 character that fits. Returns the bytes stored
// (without the zero); other types and empty texts give "" and 0. Nothing is stored when size
// is 0.
int GetText(const PlistNode* node, char* buffer, size_t size);
// GetText of the child keyed key; -1 and the buffer untouched when there is no such child.
int GetTextOfChild(const PlistNode* node, const char* key, char* buffer, size_t size);

// --- Keys -----------------------------------------------------------------------------------

// Key hash used to speed up FindChild: ASCII letters folded to lower case, each byte c (signed)
// adds (c + 1) * (p + 1) where p is the previous folded byte. KeyHash(0, "ab", 2) == 9800.
uint32_t KeyHash(uint32_t seed, const char* bytes, size_t length);

// --- Iteration ------------------------------------------------------------------------------

enum class IteratorMode {
    Children,  // the direct children of the root, in order
    Subtree,   // the root and all its descendants, pre-order
};

// Nesting the subtree iterator follows; the children of nodes deeper than this are not
// visited (documents read from XML are never deeper).
constexpr int kIteratorDepth = 64;

// The state of one walk. Do not destroy a container that the walk is inside of.
struct PlistIterator {
    PlistNode* root = nullptr;
    IteratorMode mode = IteratorMode::Subtree;
    PlistNode* last = nullptr;  // node yielded last: the subtree walk descends into it next
    bool started = false;
    int depth = 0;  // used entries of stack
    struct Level {
        PlistNode* container;
        uint32_t next;  // index of the next child to yield
    } stack[kIteratorDepth];
};

// Starts a walk: for (PlistIterator it = Iterator(root, mode); PlistNode* n = IteratorNext(&it);)
PlistIterator Iterator(PlistNode* root, IteratorMode mode);
// The next node of the walk, or none when it is over.
PlistNode* IteratorNext(PlistIterator* it);
