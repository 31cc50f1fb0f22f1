// Dotted-path look-ups with their create/volatile/remove options, and the tree walks.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plist/plist_node.h"

namespace {

struct Tree {
    PlistNode* root;
    Tree() : root(Create(nullptr, PlistType::Dict)) {}
    ~Tree() { DestroyTree(root); }
};

PlistNode* Child(PlistNode* parent, const char* key, PlistType type) {
    PlistNode* node = Create(parent, type);
    SetKey(node, key, 0);
    return node;
}

TEST(PlistLookup, FollowsKeysAndIndexes) {
    Tree t;
    PlistNode* midi = Child(t.root, "MIDI", PlistType::Dict);
    PlistNode* cc = Child(midi, "supported cc", PlistType::Array);
    Create(cc, PlistType::Integer);
    PlistNode* second = Create(cc, PlistType::Dict);
    PlistNode* name = Child(second, "name", PlistType::String);

    EXPECT_EQ(Lookup(t.root, "MIDI.supported cc", 0), cc);
    EXPECT_EQ(Lookup(t.root, "midi.SUPPORTED CC", 0), cc);
    EXPECT_EQ(Lookup(t.root, "MIDI.supported cc[1].name", 0), name);
    EXPECT_EQ(Lookup(t.root, "MIDI.supported cc[1]name", 0), name);  // no dot after ]
    EXPECT_EQ(Lookup(t.root, "MIDI.supported cc[1.name", 0), name);  // ] is optional
    EXPECT_EQ(Lookup(t.root, "..MIDI..supported cc.", 0), cc);       // empty segments
    EXPECT_EQ(Lookup(cc, "[1]", 0), second);
    EXPECT_EQ(Lookup(t.root, "", 0), t.root);
    EXPECT_EQ(Lookup(t.root, nullptr, 0), t.root);
    EXPECT_EQ(Lookup(t.root, "MIDI.missing", 0), nullptr);
    EXPECT_EQ(Lookup(t.root, "MIDI.supported cc[2]", 0), nullptr);
    EXPECT_EQ(Lookup(t.root, "MIDI.supported cc[99999999999999999999]", 0), nullptr);
    EXPECT_EQ(Lookup(t.root, "MIDI[0]", 0), cc);  // indexes work in dicts too
    EXPECT_EQ(Lookup(name, "[0]", 0), nullptr);   // not a container
}

TEST(PlistLookup, MissingIndexStopsNavigation) {
    Tree t;
    PlistNode* a = Child(t.root, "a", PlistType::Array);
    Create(a, PlistType::Dict);
    // Nothing behind a failed selector is looked at, so "b" is not searched in a or root.
    Child(t.root, "b", PlistType::Integer);
    EXPECT_EQ(Lookup(t.root, "a[3].b", 0), nullptr);
    EXPECT_EQ(ChildCount(a), 1u);
}

TEST(PlistLookup, CreateBuildsArraysOfDictsAndKeys) {
    Tree t;
    MarkDirty(t.root, false);
    PlistNode* name = Lookup(t.root, "presets[3].name", kLookupCreate);
    ASSERT_NE(name, nullptr);
    PlistNode* presets = FindChild(t.root, "presets", 0);
    ASSERT_NE(presets, nullptr);
    EXPECT_EQ(TypeOf(presets), PlistType::Array);
    ASSERT_EQ(ChildCount(presets), 4u);
    for (uint32_t i = 0; i < 4; i++) EXPECT_EQ(TypeOf(ChildAt(presets, i)), PlistType::Dict);
    EXPECT_EQ(ParentAt(name, 0), ChildAt(presets, 3));
    EXPECT_STREQ(KeyOf(name), "name");
    EXPECT_EQ(TypeOf(name), PlistType::None);
    EXPECT_FALSE(IsVolatile(name));
    EXPECT_TRUE(IsDirty(t.root));
    // A second look-up finds what the first created.
    EXPECT_EQ(Lookup(t.root, "presets[3].name", kLookupCreate), name);
    EXPECT_EQ(ChildCount(presets), 4u);
}

TEST(PlistLookup, CreateThroughAStringMakesItADict) {
    Tree t;
    PlistNode* s = Child(t.root, "s", PlistType::String);
    SetText(s, "discarded", 0);
    PlistNode* x = Lookup(t.root, "s.x", kLookupCreate);
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(TypeOf(s), PlistType::Dict);
    EXPECT_EQ(ChildCount(s), 1u);
    EXPECT_EQ(ChildAt(s, 0), x);
    EXPECT_EQ(TextLength(s), 0u);
}

TEST(PlistLookup, CreateVolatileLeavesTheDocumentClean) {
    Tree t;
    PlistNode* a = Child(t.root, "a", PlistType::Integer);
    MarkDirty(t.root, false);
    PlistNode* third = Lookup(t.root, "a[2]", kLookupCreateVolatile);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(TypeOf(a), PlistType::Array);
    ASSERT_EQ(ChildCount(a), 3u);
    EXPECT_EQ(ChildAt(a, 2), third);
    for (uint32_t i = 0; i < 3; i++) {
        EXPECT_TRUE(IsVolatile(ChildAt(a, i)));
        EXPECT_EQ(TypeOf(ChildAt(a, i)), PlistType::Dict);
    }
    EXPECT_FALSE(IsDirty(t.root));
    EXPECT_FALSE(IsDirty(a));
}

TEST(PlistLookup, CreateVolatileMarksOnlyTheLastKey) {
    Tree t;
    PlistNode* y = Lookup(t.root, "x.y.", kLookupCreateVolatile);
    ASSERT_NE(y, nullptr);
    PlistNode* x = FindChild(t.root, "x", 0);
    EXPECT_FALSE(IsVolatile(x));
    EXPECT_TRUE(IsVolatile(y));
    EXPECT_EQ(Lookup(t.root, "x.y", 0), y);
}

TEST(PlistLookup, CreateRefusesAbsurdIndexes) {
    Tree t;
    EXPECT_EQ(Lookup(t.root, "list[4000000000]", kLookupCreate), nullptr);
    EXPECT_EQ(ChildCount(FindChild(t.root, "list", 0)), 0u);
}

TEST(PlistLookup, RemoveDetachesAndReturnsNone) {
    Tree t;
    PlistNode* d = Child(t.root, "d", PlistType::Dict);
    Child(d, "gone", PlistType::Integer);
    PlistNode* scratch = Child(d, "scratch", PlistType::Integer);
    SetVolatile(scratch, true);
    MarkDirty(t.root, false);

    EXPECT_EQ(Lookup(t.root, "d.scratch", kLookupRemove), nullptr);
    EXPECT_EQ(ChildCount(d), 1u);
    EXPECT_FALSE(IsDirty(d));  // volatile: no change to the document

    EXPECT_EQ(Lookup(t.root, "d.gone", kLookupRemove), nullptr);
    EXPECT_EQ(ChildCount(d), 0u);
    EXPECT_TRUE(IsDirty(d));
    EXPECT_TRUE(IsDirty(t.root));

    EXPECT_EQ(Lookup(t.root, "d.absent", kLookupRemove), nullptr);
    // Without a segment there is no parent on the path: the node itself comes back.
    EXPECT_EQ(Lookup(t.root, "..", kLookupRemove), t.root);
}

// The key of each node a walk yields, "-" for keyless ones.
std::vector<std::string> Walk(PlistNode* root, IteratorMode mode) {
    std::vector<std::string> keys;
    PlistIterator it = Iterator(root, mode);
    while (PlistNode* node = IteratorNext(&it)) {
        keys.push_back(KeyLength(node) ? KeyOf(node) : "-");
    }
    // Finished walks stay finished.
    EXPECT_EQ(IteratorNext(&it), nullptr);
    return keys;
}

TEST(PlistIterator, SubtreeIsPreOrderChildrenIsOneLevel) {
    Tree t;
    PlistNode* a = Child(t.root, "a", PlistType::Dict);
    Child(a, "a1", PlistType::Integer);
    PlistNode* a2 = Child(a, "a2", PlistType::Array);
    Child(a2, "a2x", PlistType::String);
    Child(a, "a3", PlistType::Dict);  // empty container
    Child(t.root, "b", PlistType::Integer);
    Append(a2, ChildAt(t.root, 1));  // shared: met once per container

    std::vector<std::string> expected = {"-", "a", "a1", "a2", "a2x", "b", "a3", "b"};
    EXPECT_EQ(Walk(t.root, IteratorMode::Subtree), expected);
    std::vector<std::string> children = {"a", "b"};
    EXPECT_EQ(Walk(t.root, IteratorMode::Children), children);
    EXPECT_EQ(Walk(ChildAt(a, 0), IteratorMode::Children).size(), 0u);
    EXPECT_EQ(Walk(ChildAt(a, 0), IteratorMode::Subtree).size(), 1u);
    EXPECT_EQ(Walk(nullptr, IteratorMode::Subtree).size(), 0u);
}

TEST(PlistIterator, DeepTreesEndAtTheStackLimit) {
    Tree t;
    PlistNode* node = t.root;
    for (int i = 0; i < 100; i++) node = Create(node, PlistType::Array);
    // The root plus one node for each of the 64 levels the walk can enter.
    EXPECT_EQ(Walk(t.root, IteratorMode::Subtree).size(), size_t(kIteratorDepth + 1));
}

}  // namespace
