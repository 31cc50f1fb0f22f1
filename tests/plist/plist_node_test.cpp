// The property-list tree: keys, values, membership in several containers, change tracking.

#include "plist/plist_node.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Owns a root for the duration of a test.
struct Tree {
    PlistNode* root;
    explicit Tree(PlistType type = PlistType::Dict) : root(Create(nullptr, type)) {}
    ~Tree() { DestroyTree(root); }
};

PlistNode* Child(PlistNode* parent, const char* key, PlistType type) {
    PlistNode* node = Create(parent, type);
    SetKey(node, key, 0);
    return node;
}

TEST(PlistKeyHash, FoldsAsciiCaseAndTreatsBytesAsSigned) {
    EXPECT_EQ(KeyHash(0, "ab", 2), 9800u);
    EXPECT_EQ(KeyHash(0, "AB", 2), 9800u);
    EXPECT_EQ(KeyHash(0, "aB", 2), KeyHash(0, "Ab", 2));
    // 0xC3 is -61 as a signed byte: (-61 + 1) * (0 + 1) wraps to 2^32 - 60.
    EXPECT_EQ(KeyHash(0, "\xC3", 1), 4294967236u);
    // Second byte 0x89 (-119) after 0xC3: adds (-118) * (-60) = 7080.
    EXPECT_EQ(KeyHash(0, "\xC3\x89", 2), 4294967236u + 7080u);
    EXPECT_EQ(KeyHash(7, "", 0), 7u);
}

TEST(PlistFindChild, MatchesAsciiCaseInsensitivelyOnly) {
    Tree t;
    PlistNode* name = Child(t.root, "name", PlistType::String);
    PlistNode* lower = Child(t.root, "\xC3\xA9t\xC3\xA9", PlistType::Integer);  // "été"
    EXPECT_EQ(FindChild(t.root, "Name", 0), name);
    EXPECT_EQ(FindChild(t.root, "NAME", 0), name);
    EXPECT_EQ(FindChild(t.root, "\xC3\xA9T\xC3\xA9", 0), lower);
    // "ÉTÉ": differs only in the case of non-ASCII letters, so it is another key.
    EXPECT_EQ(FindChild(t.root, "\xC3\x89T\xC3\x89", 0), nullptr);
    EXPECT_EQ(FindChild(t.root, "names", 0), nullptr);
    EXPECT_EQ(FindChild(t.root, "namexyz", 4), name);  // counted key
    EXPECT_EQ(FindChild(t.root, "", 0), nullptr);
    EXPECT_EQ(FindChild(name, "name", 0), nullptr);  // not a container
}

TEST(PlistFindChild, ReturnsFirstMatchAndSearchesArraysToo) {
    Tree t(PlistType::Array);
    PlistNode* keyless = Create(t.root, PlistType::Dict);
    PlistNode* first = Child(t.root, "x", PlistType::Integer);
    Child(t.root, "X", PlistType::String);
    EXPECT_EQ(FindChild(t.root, "x", 0), first);
    EXPECT_NE(FindChild(t.root, "x", 0), keyless);
}

TEST(PlistFindKeys, FindsWhatFindKeyFindsForEveryKeyInOneWalk) {
    Tree t;
    PlistNode* b = Child(t.root, "b", PlistType::Integer);
    PlistNode* a = Child(t.root, "A", PlistType::Integer);
    Child(t.root, "a", PlistType::String);  // a later duplicate is not the one found
    const PlistKey keys[] = {MakeKey("a"), MakeKey("missing"), MakeKey("B"), MakeKey("")};
    PlistNode* found[4];
    FindKeys(t.root, keys, 4, found);
    for (int k = 0; k < 4; k++) EXPECT_EQ(found[k], FindKey(t.root, keys[k])) << k;
    EXPECT_EQ(found[0], a);
    EXPECT_EQ(found[2], b);
    FindKeys(b, keys, 4, found);  // not a container: nothing found
    for (PlistNode* node : found) EXPECT_EQ(node, nullptr);
}

TEST(PlistSetKey, EmptyOrNullRemovesTheKey) {
    Tree t;
    PlistNode* node = Child(t.root, "abc", PlistType::String);
    EXPECT_STREQ(KeyOf(node), "abc");
    EXPECT_EQ(node->keyHash, KeyHash(0, "abc", 3));
    SetKey(node, "abcdef", 2);
    EXPECT_STREQ(KeyOf(node), "ab");
    SetKey(node, "", 0);
    EXPECT_EQ(KeyLength(node), 0u);
    EXPECT_EQ(node->keyHash, 0u);
    SetKey(node, "k", 0);
    SetKey(node, nullptr, 5);
    EXPECT_EQ(KeyLength(node), 0u);
    EXPECT_FALSE(IsDirty(node));  // keys are not values
}

TEST(PlistSetText, StringAppendsDataReplaces) {
    Tree t;
    PlistNode* s = Create(t.root, PlistType::String);
    SetText(s, "ab", 0);
    SetText(s, "cd", 0);
    EXPECT_STREQ(TextOf(s), "abcd");
    SetText(s, "efgh", 1);
    EXPECT_STREQ(TextOf(s), "abcde");
    PlistNode* d = Create(t.root, PlistType::Data);
    SetText(d, "ab", 0);
    SetText(d, "cd", 0);
    EXPECT_STREQ(TextOf(d), "cd");
    EXPECT_EQ(TypeOf(d), PlistType::Data);
}

TEST(PlistSetText, IntegerUsesAutomaticBaseAndSaturates) {
    Tree t;
    PlistNode* n = Create(t.root, PlistType::Integer);
    struct Case {
        const char* text;
        int32_t value;
    } const kCases[] = {
        {"0x10", 16},
        {"0X1f", 31},
        {"010", 8},
        {"019", 1},  // octal stops at 9
        {"  -42abc", -42},
        {"+7", 7},
        {"\n\t 12\n", 12},
        {"", 0},
        {"abc", 0},
        {"0x", 0},
        {"0xg", 0},
        {"-0x10", -16},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-99999999999999999999999", INT32_MIN},
        {"0xFFFFFFFFFF", INT32_MAX},
    };
    for (const Case& c : kCases) {
        SetInteger(n, 12345);
        SetText(n, c.text, 0);
        EXPECT_EQ(IntegerOf(n), c.value) << "text \"" << c.text << "\"";
    }
    // Counted text: the digits beyond the length are not read.
    SetText(n, "12345", 2);
    EXPECT_EQ(IntegerOf(n), 12);
}

TEST(PlistSetText, BooleanIsTrueOnlyForTrueInAnyCase) {
    Tree t;
    PlistNode* b = Create(t.root, PlistType::Boolean);
    SetText(b, "trueish", 0);
    EXPECT_TRUE(BooleanOf(b));
    SetText(b, "yes", 0);
    EXPECT_FALSE(BooleanOf(b));
    SetText(b, "TRUE", 0);
    EXPECT_TRUE(BooleanOf(b));
    SetText(b, "tru", 0);
    EXPECT_FALSE(BooleanOf(b));
    SetText(b, "1", 0);
    EXPECT_FALSE(BooleanOf(b));
    SetText(b, " true", 0);
    EXPECT_FALSE(BooleanOf(b));
}

TEST(PlistSetText, RealIsSinglePrecisionAndKeptWhenUnreadable) {
    Tree t;
    PlistNode* r = Create(t.root, PlistType::Real);
    SetText(r, "0.1", 0);
    EXPECT_EQ(RealOf(r), 0.1f);
    SetText(r, "  -12", 0);
    EXPECT_EQ(RealOf(r), -12.0f);
    SetText(r, "abc", 0);
    EXPECT_EQ(RealOf(r), -12.0f);
    SetText(r, "\n", 0);
    EXPECT_EQ(RealOf(r), -12.0f);
    SetText(r, "1.5e3xyz", 0);
    EXPECT_EQ(RealOf(r), 1500.0f);
    SetText(r, "2.25", 3);  // counted: "2.2"
    EXPECT_EQ(RealOf(r), 2.2f);
}

// The writer's decimals ("%f", six places) are read without strtof where that is exact; every
// one must still read as strtof reads it, up to the last bit.
TEST(PlistSetText, PlainDecimalsReadExactlyAsStrtof) {
    Tree t;
    PlistNode* r = Create(t.root, PlistType::Real);
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const char* fixed[] = {"16777215",  "16777216", "0.0000000001", "9999999.5",
                           "0.3000001", "-0.0",     "+.5",          "5.",
                           "1.2.3",     "0x10",     "1e3",          "007.250000"};
    for (int i = 0; i < 20000 + 12; i++) {
        char text[40];
        if (i < 12) {
            snprintf(text, sizeof text, "%s", fixed[i]);
        } else {
            int places = static_cast<int>(next() >> 8) % 11;
            float value = static_cast<float>(static_cast<int32_t>(next() >> 4) % 20000000) /
                          static_cast<float>(1 + next() % 1000);
            snprintf(text, sizeof text, "%.*f", places, static_cast<double>(value));
        }
        SetText(r, text, 0);
        float expected = strtof(text, nullptr);
        ASSERT_EQ(memcmp(&r->value.real, &expected, sizeof expected), 0) << text;
    }
}

TEST(PlistSetText, ContainersIgnoreTextButAreMarkedDirty) {
    Tree t;
    PlistNode* d = Create(t.root, PlistType::Dict);
    MarkDirty(t.root, false);
    SetText(d, "hello", 0);
    EXPECT_EQ(TypeOf(d), PlistType::Dict);
    EXPECT_EQ(ChildCount(d), 0u);
    EXPECT_TRUE(IsDirty(d));
    EXPECT_TRUE(IsDirty(t.root));
}

TEST(PlistTypedSetters, MarkDirtyOnlyOnChange) {
    Tree t;
    PlistNode* n = Child(t.root, "n", PlistType::Integer);
    MarkDirty(t.root, false);
    SetInteger(n, 0);  // same type, same value
    EXPECT_FALSE(IsDirty(t.root));
    SetInteger(n, 5);
    EXPECT_TRUE(IsDirty(n));
    EXPECT_TRUE(IsDirty(t.root));

    MarkDirty(t.root, false);
    SetBoolean(n, false);  // type changes: a change even though the word is 0
    EXPECT_EQ(TypeOf(n), PlistType::Boolean);
    EXPECT_TRUE(IsDirty(t.root));
    MarkDirty(t.root, false);
    SetBoolean(n, false);
    EXPECT_FALSE(IsDirty(t.root));

    SetReal(n, 1.5f);
    MarkDirty(t.root, false);
    SetReal(n, 1.5f);
    EXPECT_FALSE(IsDirty(t.root));
    SetReal(n, -1.5f);
    EXPECT_TRUE(IsDirty(t.root));

    SetString(n, "abc", 0);
    MarkDirty(t.root, false);
    SetString(n, "abc", 0);
    EXPECT_FALSE(IsDirty(t.root));
    SetString(n, "abd", 0);
    EXPECT_STREQ(TextOf(n), "abd");
    EXPECT_TRUE(IsDirty(t.root));
}

TEST(PlistSetType, SameTypeDoesNothingOtherTypeClearsValue) {
    Tree t;
    PlistNode* s = Create(t.root, PlistType::String);
    SetText(s, "abc", 0);
    EXPECT_FALSE(SetType(s, PlistType::String));
    EXPECT_STREQ(TextOf(s), "abc");
    EXPECT_TRUE(SetType(s, PlistType::Data));
    EXPECT_EQ(TextLength(s), 0u);
    EXPECT_EQ(TypeOf(s), PlistType::Data);
}

TEST(PlistMembership, NodeInTwoContainersSurvivesUntilBothRelease) {
    PlistNode* a = Create(nullptr, PlistType::Dict);
    PlistNode* b = Create(nullptr, PlistType::Array);
    PlistNode* shared = Create(a, PlistType::String);
    SetText(shared, "shared", 0);
    Append(b, shared);
    EXPECT_EQ(shared->refCount, 2u);
    EXPECT_EQ(ParentCount(shared), 2u);
    EXPECT_EQ(ParentAt(shared, 0), a);
    EXPECT_EQ(ParentAt(shared, 1), b);

    DestroyTree(a);
    EXPECT_EQ(shared->refCount, 1u);
    EXPECT_EQ(ParentCount(shared), 1u);
    EXPECT_EQ(ParentAt(shared, 0), b);
    EXPECT_STREQ(TextOf(ChildAt(b, 0)), "shared");
    DestroyTree(b);  // frees shared too (LeakSanitizer checks)
}

TEST(PlistMembership, RemovingATwiceAppendedChildRemovesFirstOccurrence) {
    Tree t(PlistType::Array);
    PlistNode* x = Create(t.root, PlistType::Integer);
    PlistNode* y = Create(t.root, PlistType::Integer);
    Append(t.root, x);
    ASSERT_EQ(ChildCount(t.root), 3u);
    EXPECT_EQ(x->refCount, 2u);
    Remove(t.root, x);
    EXPECT_EQ(x->refCount, 1u);
    ASSERT_EQ(ChildCount(t.root), 2u);
    EXPECT_EQ(ChildAt(t.root, 0), y);
    EXPECT_EQ(ChildAt(t.root, 1), x);
}

TEST(PlistMembership, AppendAndRemoveIgnoreWhatTheyCannotDo) {
    Tree t;
    PlistNode* child = Create(t.root, PlistType::Dict);
    PlistNode* grandchild = Create(child, PlistType::Array);
    PlistNode* leaf = Create(grandchild, PlistType::String);
    PlistNode* other = Create(nullptr, PlistType::Integer);
    MarkDirty(t.root, false);

    Append(leaf, other);  // not a container
    EXPECT_EQ(other->refCount, 0u);
    Remove(child, other);  // not in it
    EXPECT_FALSE(IsDirty(t.root));
    // A container inside itself, or above itself, would make every walk endless.
    Append(t.root, t.root);
    Append(grandchild, t.root);
    Append(grandchild, child);
    EXPECT_EQ(ChildCount(t.root), 1u);
    EXPECT_EQ(ChildCount(grandchild), 1u);
    EXPECT_EQ(t.root->refCount, 0u);
    // A sibling subtree is fine, shared or not.
    Append(grandchild, other);
    EXPECT_EQ(ChildCount(grandchild), 2u);
    Append(t.root, grandchild);
    EXPECT_EQ(grandchild->refCount, 2u);
}

TEST(PlistMembership, ClearValueReleasesChildrenInOrder) {
    Tree t;
    PlistNode* d = Create(t.root, PlistType::Dict);
    PlistNode* kept = Create(d, PlistType::Integer);
    Append(t.root, kept);
    Create(d, PlistType::String);
    MarkDirty(t.root, false);
    ClearValue(d);
    EXPECT_EQ(TypeOf(d), PlistType::None);
    EXPECT_EQ(ChildCount(d), 0u);
    EXPECT_EQ(kept->refCount, 1u);
    EXPECT_EQ(ParentAt(kept, 0), t.root);
    EXPECT_TRUE(IsDirty(d));
}

TEST(PlistMembership, DestroyTreeLeavesHeldNodesAlone) {
    Tree t;
    PlistNode* child = Create(t.root, PlistType::String);
    DestroyTree(child);  // still held: must not be freed under its container
    EXPECT_EQ(ChildAt(t.root, 0), child);
    EXPECT_EQ(TypeOf(child), PlistType::String);
}

TEST(PlistDirty, VolatileChildrenNeverDirtyTheDocument) {
    Tree t;
    PlistNode* scratch = Create(nullptr, PlistType::Dict);
    SetVolatile(scratch, true);
    MarkDirty(t.root, false);
    Append(t.root, scratch);
    EXPECT_FALSE(IsDirty(t.root));
    PlistNode* inner = Child(scratch, "inner", PlistType::Integer);
    SetInteger(inner, 3);
    EXPECT_TRUE(IsDirty(inner));
    EXPECT_FALSE(IsDirty(scratch));
    EXPECT_FALSE(IsDirty(t.root));
    Remove(t.root, scratch);
    EXPECT_FALSE(IsDirty(t.root));
    EXPECT_EQ(ChildCount(t.root), 0u);
}

TEST(PlistDirty, MarkingClimbsThroughEveryParent) {
    Tree a;
    Tree b;
    PlistNode* aMiddle = Create(a.root, PlistType::Dict);
    PlistNode* bMiddle = Create(b.root, PlistType::Array);
    PlistNode* shared = Create(aMiddle, PlistType::Integer);
    Append(bMiddle, shared);
    MarkDirty(a.root, false);
    MarkDirty(b.root, false);
    MarkDirty(shared, true);
    EXPECT_TRUE(IsDirty(aMiddle));
    EXPECT_TRUE(IsDirty(a.root));
    EXPECT_TRUE(IsDirty(bMiddle));
    EXPECT_TRUE(IsDirty(b.root));
}

TEST(PlistDirty, MarkingOffClearsTheWholeSubtreeOnly) {
    Tree t;
    PlistNode* d = Create(t.root, PlistType::Dict);
    PlistNode* leaf = Create(d, PlistType::Integer);
    SetInteger(leaf, 9);
    ASSERT_TRUE(IsDirty(t.root));
    MarkDirty(d, false);
    EXPECT_FALSE(IsDirty(d));
    EXPECT_FALSE(IsDirty(leaf));
    EXPECT_TRUE(IsDirty(t.root));
    EXPECT_EQ(CountChildren(t.root, true), 1u);
}

TEST(PlistChildren, CountWithAndWithoutVolatile) {
    Tree t(PlistType::Array);
    Create(t.root, PlistType::Integer);
    PlistNode* v = Create(nullptr, PlistType::Integer);
    SetVolatile(v, true);
    Append(t.root, v);
    Create(t.root, PlistType::Integer);
    EXPECT_EQ(ChildCount(t.root), 3u);
    EXPECT_EQ(CountChildren(t.root, true), 3u);
    EXPECT_EQ(CountChildren(t.root, false), 2u);
    EXPECT_EQ(ChildAt(t.root, 1), v);
    EXPECT_EQ(ChildAt(t.root, 3), nullptr);
    EXPECT_EQ(ChildCount(v), 0u);
}

TEST(PlistGetters, GetIntConvertsNumbersAndDefaultsTheRest) {
    Tree t;
    SetBoolean(Child(t.root, "b", PlistType::None), true);
    SetInteger(Child(t.root, "i", PlistType::None), -17);
    SetReal(Child(t.root, "r", PlistType::None), -2.7f);
    SetReal(Child(t.root, "big", PlistType::None), 1e20f);
    SetString(Child(t.root, "s", PlistType::None), "42", 0);
    EXPECT_EQ(GetInt(t.root, "b", 99), 1);
    EXPECT_EQ(GetInt(t.root, "i", 99), -17);
    EXPECT_EQ(GetInt(t.root, "r", 99), -2);
    EXPECT_EQ(GetInt(t.root, "big", 99), INT32_MAX);
    EXPECT_EQ(GetInt(t.root, "s", 99), 99);
    EXPECT_EQ(GetInt(t.root, "missing", 99), 99);
    EXPECT_EQ(GetInt(nullptr, "i", 99), 99);

    EXPECT_EQ(GetIntOfChild(t.root, "B"), 1);
    EXPECT_EQ(GetIntOfChild(t.root, "r"), -2);
    EXPECT_EQ(GetIntOfChild(t.root, "s"), 0);
    EXPECT_EQ(GetIntOfChild(t.root, "missing"), -1);
}

TEST(PlistGetters, GetTextAlwaysFitsAndTerminates) {
    Tree t;
    PlistNode* s = Child(t.root, "s", PlistType::String);
    SetText(s, "abcdef", 0);
    char buffer[8];
    EXPECT_EQ(GetText(s, buffer, sizeof buffer), 6);
    EXPECT_STREQ(buffer, "abcdef");

    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(GetText(s, buffer, 4), 3);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(buffer[4], 'x');  // nothing written past the given size

    EXPECT_EQ(GetText(s, buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
    buffer[0] = 'q';
    EXPECT_EQ(GetText(s, buffer, 0), 0);
    EXPECT_EQ(buffer[0], 'q');

    // "aé€" is a, C3 A9, E2 82 AC: a cut never splits a character.
    SetString(s, "a\xC3\xA9\xE2\x82\xAC", 0);
    EXPECT_EQ(GetText(s, buffer, 3), 1);
    EXPECT_STREQ(buffer, "a");
    EXPECT_EQ(GetText(s, buffer, 6), 3);
    EXPECT_STREQ(buffer, "a\xC3\xA9");
    EXPECT_EQ(GetText(s, buffer, 7), 6);

    PlistNode* i = Child(t.root, "i", PlistType::Integer);
    strcpy(buffer, "old");
    EXPECT_EQ(GetText(i, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
}

TEST(PlistGetters, GetTextOfChildLeavesBufferAloneWhenMissing) {
    Tree t;
    SetString(Child(t.root, "name", PlistType::None), "Piano", 0);
    SetText(Child(t.root, "blob", PlistType::Data), "QUJD", 0);
    char buffer[16] = "untouched";
    EXPECT_EQ(GetTextOfChild(t.root, "missing", buffer, sizeof buffer), -1);
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_EQ(GetTextOfChild(t.root, "NAME", buffer, sizeof buffer), 5);
    EXPECT_STREQ(buffer, "Piano");
    EXPECT_EQ(GetTextOfChild(t.root, "blob", buffer, sizeof buffer), 4);
    EXPECT_STREQ(buffer, "QUJD");
}

TEST(PlistNullSafety, EveryOperationAcceptsNone) {
    char buffer[4] = "abc";
    SetKey(nullptr, "a", 0);
    EXPECT_FALSE(SetType(nullptr, PlistType::Dict));
    ClearValue(nullptr);
    SetText(nullptr, "a", 0);
    EXPECT_EQ(SetBoolean(nullptr, true), nullptr);
    EXPECT_EQ(SetInteger(nullptr, 1), nullptr);
    EXPECT_EQ(ChildCount(nullptr), 0u);
    EXPECT_EQ(ChildAt(nullptr, 0), nullptr);
    EXPECT_EQ(FindChild(nullptr, "a", 0), nullptr);
    Append(nullptr, nullptr);
    Remove(nullptr, nullptr);
    MarkDirty(nullptr, true);
    EXPECT_EQ(Lookup(nullptr, "a.b", kLookupCreate), nullptr);
    EXPECT_EQ(GetText(nullptr, buffer, sizeof buffer), 0);
    EXPECT_EQ(GetTextOfChild(nullptr, "a", buffer, sizeof buffer), -1);
    EXPECT_EQ(GetIntOfChild(nullptr, "a"), -1);
    DestroyTree(nullptr);
    Tree t;
    SetText(Create(t.root, PlistType::String), nullptr, 0);
    EXPECT_EQ(TextLength(ChildAt(t.root, 0)), 0u);
}

}  // namespace
