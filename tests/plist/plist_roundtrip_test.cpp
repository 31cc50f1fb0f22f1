// Documents written by the program read back node for node, and rewrite to the same bytes.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plist/plist_xml.h"

namespace {

PlistNode* Child(PlistNode* parent, const char* key, PlistType type) {
    PlistNode* node = Create(parent, type);
    SetKey(node, key, 0);
    return node;
}

// Compares two trees node for node; the first difference is reported with its place.
::testing::AssertionResult SameTree(const PlistNode* a, const PlistNode* b,
                                    const std::string& where = "root") {
    if (TypeOf(a) != TypeOf(b)) return ::testing::AssertionFailure() << where << ": type";
    if (KeyLength(a) != KeyLength(b) || memcmp(KeyOf(a), KeyOf(b), KeyLength(a)) != 0) {
        return ::testing::AssertionFailure()
               << where << ": key \"" << KeyOf(a) << "\" vs \"" << KeyOf(b) << "\"";
    }
    bool same = true;
    switch (TypeOf(a)) {
        case PlistType::String:
        case PlistType::Data:
            same =
                TextLength(a) == TextLength(b) && memcmp(TextOf(a), TextOf(b), TextLength(a)) == 0;
            break;
        case PlistType::Boolean:
            same = BooleanOf(a) == BooleanOf(b);
            break;
        case PlistType::Integer:
            same = IntegerOf(a) == IntegerOf(b);
            break;
        case PlistType::Real: {
            float x = RealOf(a), y = RealOf(b);
            same = x == y || (x != x && y != y);
            break;
        }
        default:
            break;
    }
    if (!same) return ::testing::AssertionFailure() << where << ": value";
    if (ChildCount(a) != ChildCount(b)) {
        return ::testing::AssertionFailure()
               << where << ": child count " << ChildCount(a) << " vs " << ChildCount(b);
    }
    for (uint32_t i = 0; i < ChildCount(a); i++) {
        ::testing::AssertionResult r =
            SameTree(ChildAt(a, i), ChildAt(b, i), where + "/" + std::to_string(i));
        if (!r) return r;
    }
    return ::testing::AssertionSuccess();
}

std::string Write(const PlistNode* root) {
    std::string out;
    PlistSink sink = PlistStringSink(&out);
    EXPECT_EQ(WritePlist(root, &sink, kWriteDocument), 0);
    return out;
}

// A bank-like tree using every type and every text the writer has to take care of.
PlistNode* RichTree() {
    PlistNode* root = Create(nullptr, PlistType::Dict);
    SetString(Child(root, "name", PlistType::None), "Caf\xC3\xA9 \xE2\x82\xAC & <Co>", 0);
    SetBoolean(Child(root, "read only", PlistType::None), true);
    SetReal(Child(root, "scale", PlistType::None), 0.25f);
    SetReal(Child(root, "negative", PlistType::None), -1234.5f);
    SetInteger(Child(root, "min", PlistType::None), INT32_MIN);
    SetInteger(Child(root, "max", PlistType::None), INT32_MAX);
    SetText(Child(root, "blob", PlistType::Data), "AAECAwQF/w==", 0);
    SetString(Child(root, "lines", PlistType::None), "one\ntwo\r\nthree\rfour\ttab", 0);
    SetString(Child(root, "quotes \"'&<>", PlistType::None), "'\"", 0);
    SetString(Child(root, "spaces", PlistType::None), "  padded  ", 0);
    Child(root, "empty string", PlistType::String);
    Child(root, "empty dict", PlistType::Dict);
    Child(root, "empty array", PlistType::Array);
    std::string longText(40000, 'x');
    for (size_t i = 0; i < longText.size(); i += 97) longText[i] = '&';
    SetString(Child(root, "long", PlistType::None), longText.c_str(), 0);
    std::string longKey(17000, 'k');
    SetInteger(Child(root, longKey.c_str(), PlistType::None), 5);

    PlistNode* presets = Child(root, "presets", PlistType::Array);
    for (int p = 0; p < 3; p++) {
        PlistNode* preset = Create(presets, PlistType::Dict);
        SetInteger(Child(preset, "channel", PlistType::None), p + 1);
        PlistNode* zones = Child(preset, "zones", PlistType::Array);
        for (int z = 0; z < p; z++) SetInteger(Create(zones, PlistType::None), z * 12);
        PlistNode* nested = Create(zones, PlistType::Array);
        SetBoolean(Create(nested, PlistType::None), false);
    }
    return root;
}

TEST(PlistRoundTrip, WrittenTreesReadBackNodeForNodeAndRewriteIdentically) {
    PlistNode* original = RichTree();
    std::string first = Write(original);
    PlistNode* read = ParsePlist(first.data(), first.size(), "round trip", nullptr);
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(SameTree(original, read));
    EXPECT_EQ(Write(read), first);
    DestroyTree(read);
    DestroyTree(original);
}

TEST(PlistRoundTrip, VolatileNodesDoNotComeBack) {
    PlistNode* original = RichTree();
    PlistNode* scratch = Lookup(original, "presets[0].scratch", kLookupCreateVolatile);
    SetInteger(scratch, 99);
    std::string first = Write(original);
    Lookup(original, "presets[0].scratch", kLookupRemove);
    PlistNode* read = ParsePlist(first.data(), first.size(), nullptr, nullptr);
    EXPECT_TRUE(SameTree(original, read));
    DestroyTree(read);
    DestroyTree(original);
}

TEST(PlistRoundTrip, DocumentsInTheSavedLayoutRewriteByteForByte) {
    const std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple Computer//DTD PLIST 1.0//EN\" "
        "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\r\n"
        "<plist version=\"1.0\">\r\n"
        "<dict>\r\n"
        "\t<key>name</key><string>Untitled</string>\r\n"
        "\t<key>read only</key><false/>\r\n"
        "\t<key>presets</key><array>\r\n"
        "\t\t<dict>\r\n"
        "\t\t\t<key>channel</key><integer>1</integer>\r\n"
        "\t\t\t<key>gain</key><real>0.100000</real>\r\n"
        "\t\t</dict>\r\n"
        "\t\t<dict/>\r\n"
        "\t</array>\r\n"
        "</dict>\r\n"
        "</plist>\r\n";
    PlistNode* root = ParsePlist(text.data(), text.size(), nullptr, nullptr);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(Write(root), text);
    DestroyTree(root);
}

}  // namespace
