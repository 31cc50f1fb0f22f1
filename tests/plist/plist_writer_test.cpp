// Writing property-list XML: the exact bytes of the layout, escaping, options, sinks, files.

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "base/durable_file.h"
#include "plist/plist_xml.h"
#include "tests/support/test_temp_dir.h"

namespace {

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

std::string Write(const PlistNode* root, uint32_t options) {
    std::string out;
    PlistSink sink = PlistStringSink(&out);
    EXPECT_EQ(WritePlist(root, &sink, options), 0);
    return out;
}

const char kHeader[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple Computer//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\r\n"
    "<plist version=\"1.0\">\r\n";

// The bank skeleton every saved bank starts from.
void BuildBank(PlistNode* root) {
    SetString(Child(root, "name", PlistType::None), "Untitled", 0);
    SetBoolean(Child(root, "read only", PlistType::None), false);
    PlistNode* presets = Child(root, "presets", PlistType::Array);
    PlistNode* first = Create(presets, PlistType::Dict);
    SetInteger(Child(first, "channel", PlistType::None), 1);
    Create(presets, PlistType::Dict);
}

TEST(PlistWriter, SavedDocumentLayoutIsExact) {
    Tree t;
    SetKey(t.root, "root key is never written in a document", 0);
    BuildBank(t.root);
    std::string expected = std::string(kHeader) +
                           "<dict>\r\n"
                           "\t<key>name</key><string>Untitled</string>\r\n"
                           "\t<key>read only</key><false/>\r\n"
                           "\t<key>presets</key><array>\r\n"
                           "\t\t<dict>\r\n"
                           "\t\t\t<key>channel</key><integer>1</integer>\r\n"
                           "\t\t</dict>\r\n"
                           "\t\t<dict/>\r\n"
                           "\t</array>\r\n"
                           "</dict>\r\n"
                           "</plist>\r\n";
    EXPECT_EQ(Write(t.root, kWriteDocument), expected);
}

TEST(PlistWriter, FragmentsWriteTheRootKeyButNeverKeysInArrays) {
    Tree t(PlistType::Array);
    SetKey(t.root, "list", 0);
    SetInteger(Child(t.root, "ignored in an array", PlistType::None), -2147483647 - 1);
    Create(t.root, PlistType::None);  // untyped: only its indentation
    EXPECT_EQ(Write(t.root, 0),
              "<key>list</key><array>\r\n"
              "\t<integer>-2147483648</integer>\r\n"
              "\t</array>\r\n");
}

TEST(PlistWriter, ValuesByType) {
    Tree t;
    SetReal(Child(t.root, "half", PlistType::None), 0.5f);
    SetReal(Child(t.root, "neg", PlistType::None), -12.0f);
    PlistNode* tenth = Child(t.root, "tenth", PlistType::Real);
    SetText(tenth, "0.1", 0);
    SetReal(Child(t.root, "inf", PlistType::None), -std::numeric_limits<float>::infinity());
    SetBoolean(Child(t.root, "yes", PlistType::None), true);
    Child(t.root, "empty", PlistType::String);
    SetText(Child(t.root, "blob", PlistType::Data), "QUJD", 0);
    Child(t.root, "arr", PlistType::Array);
    EXPECT_EQ(Write(t.root, 0),
              "<dict>\r\n"
              "\t<key>half</key><real>0.500000</real>\r\n"
              "\t<key>neg</key><real>-12.000000</real>\r\n"
              "\t<key>tenth</key><real>0.100000</real>\r\n"
              "\t<key>inf</key><real>-inf</real>\r\n"
              "\t<key>yes</key><true/>\r\n"
              "\t<key>empty</key><string></string>\r\n"
              "\t<key>blob</key><data>QUJD</data>\r\n"
              "\t<key>arr</key><array/>\r\n"
              "</dict>\r\n");
}

// Reals and integers are formatted without printf; every one must still come out as "%f" and
// "%ld" write it, ties, subnormals, -0 and the extremes included.
TEST(PlistWriter, NumbersAreWrittenAsPrintfWritesThem) {
    Tree t(PlistType::Array);
    std::string expected = "<array>\r\n";
    const uint32_t fixed[] = {0x00000000u, 0x80000000u, 0x00000001u, 0x3c000000u, 0x3cc00000u,
                              0x34c00000u, 0x4effffffu, 0x4f000000u, 0xcf000000u, 0x7f7fffffu};
    uint32_t seed = 7;
    for (int i = 0; i < 20000; i++) {
        uint32_t bits = i < 10 ? fixed[i] : (seed = seed * 1664525u + 1013904223u);
        // Most random patterns are huge or tiny: half the time keep the exponent near 1.
        if (i >= 10 && (i & 1)) bits = (bits & 0x807fffffu) | ((bits >> 8 & 0x1f) + 112) << 23;
        float value;
        memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        char text[80];
        snprintf(text, sizeof text, "\t<real>%f</real>\r\n", static_cast<double>(value));
        expected += text;
        SetReal(Create(t.root, PlistType::None), value);
        int32_t integer = static_cast<int32_t>(bits);
        if (i < 10) integer = i < 5 ? INT32_MIN + i : INT32_MAX - i;
        snprintf(text, sizeof text, "\t<integer>%ld</integer>\r\n", static_cast<long>(integer));
        expected += text;
        SetInteger(Create(t.root, PlistType::None), integer);
    }
    EXPECT_EQ(Write(t.root, 0), expected + "</array>\r\n");
}

TEST(PlistWriter, VolatileNodesAreSkippedUnlessAsked) {
    Tree t;
    PlistNode* d = Child(t.root, "d", PlistType::Dict);
    PlistNode* scratch = Child(nullptr, "scratch", PlistType::Integer);
    SetVolatile(scratch, true);
    Append(d, scratch);
    EXPECT_EQ(Write(t.root, 0),
              "<dict>\r\n"
              "\t<key>d</key><dict/>\r\n"
              "</dict>\r\n");
    EXPECT_EQ(Write(t.root, kWriteVolatile),
              "<dict>\r\n"
              "\t<key>d</key><dict>\r\n"
              "\t\t<key>scratch</key><integer>0</integer>\r\n"
              "\t</dict>\r\n"
              "</dict>\r\n");
    EXPECT_EQ(Write(scratch, 0), "");
    EXPECT_EQ(Write(scratch, kWriteDocument), std::string(kHeader) + "</plist>\r\n");
}

TEST(PlistWriter, AttributesShowVolatileThenDirty) {
    Tree t;
    PlistNode* flag = Child(t.root, "flag", PlistType::Boolean);
    SetBoolean(flag, true);
    EXPECT_EQ(Write(t.root, kWriteAttributes),
              "<dict dirty=\"true\">\r\n"
              "\t<key>flag</key><true dirty=\"true\"/>\r\n"
              "</dict>\r\n");
    // Both bits at once cannot come from the setters; set them directly to see the order.
    MarkDirty(t.root, false);
    flag->flags |= kPlistVolatile | kPlistDirty;
    EXPECT_EQ(Write(t.root, kWriteAttributes | kWriteVolatile),
              "<dict>\r\n"
              "\t<key>flag</key><true volatile=\"true\" dirty=\"true\"/>\r\n"
              "</dict>\r\n");
    EXPECT_EQ(Write(t.root, kWriteVolatile),
              "<dict>\r\n"
              "\t<key>flag</key><true/>\r\n"
              "</dict>\r\n");
}

TEST(PlistWriter, EscapesKeysStringsAndData) {
    Tree t;
    PlistNode* s = Child(t.root, "a&b<c>\"d'", PlistType::String);
    SetText(s, "1 < 2 & 3 > \"4\" '5'", 0);
    SetText(Child(t.root, "d", PlistType::Data), "x<y", 0);
    EXPECT_EQ(Write(t.root, 0),
              "<dict>\r\n"
              "\t<key>a&amp;b&lt;c&gt;&quot;d&apos;</key>"
              "<string>1 &lt; 2 &amp; 3 &gt; &quot;4&quot; &apos;5&apos;</string>\r\n"
              "\t<key>d</key><data>x&lt;y</data>\r\n"
              "</dict>\r\n");
}

TEST(PlistWriter, TextIsRepairedSoTheFileStaysReadable) {
    Tree t(PlistType::Array);
    // Line ends as a text-mode file stores them; CR as a reference so that it survives.
    SetText(Create(t.root, PlistType::String), "a\nb\r\nc\td", 0);
    // Control characters XML cannot carry are left out.
    SetString(Create(t.root, PlistType::String), "x\x01y\x1f", 0);
    // Valid UTF-8 passes; stray high bytes become the Latin-1 characters of their codes.
    SetText(Create(t.root, PlistType::String), "\xC3\xA9|\xE9|\xC3|\xED\xA0\x80|\xEF\xBF\xBE", 0);
    EXPECT_EQ(Write(t.root, 0),
              "<array>\r\n"
              "\t<string>a\r\nb&#13;\r\nc\td</string>\r\n"
              "\t<string>xy</string>\r\n"
              "\t<string>\xC3\xA9|\xC3\xA9|\xC3\x83|\xC3\xAD\xC2\xA0\xC2\x80|"
              "\xC3\xAF\xC2\xBF\xC2\xBE</string>\r\n"
              "</array>\r\n");
}

// A sink that records each chunk and fails from a given call on.
struct Recorder {
    std::vector<size_t> chunks;
    std::string bytes;
    size_t failAt = SIZE_MAX;
};

int RecordChunk(PlistSink* sink, const char* bytes, size_t length) {
    Recorder* r = static_cast<Recorder*>(sink->context);
    if (r->chunks.size() >= r->failAt) return 28;
    r->chunks.push_back(length);
    r->bytes.append(bytes, length);
    return 0;
}

PlistNode* BigTree() {
    PlistNode* root = Create(nullptr, PlistType::Array);
    for (int i = 0; i < 3000; i++) SetString(Create(root, PlistType::None), "some text", 0);
    return root;
}

TEST(PlistSinks, OutputComesInBoundedChunks) {
    PlistNode* root = BigTree();
    Recorder r;
    PlistSink sink;
    sink.write = RecordChunk;
    sink.context = &r;
    EXPECT_EQ(WritePlist(root, &sink, kWriteDocument), 0);
    EXPECT_GT(r.chunks.size(), 2u);
    for (size_t length : r.chunks) EXPECT_LE(length, kWriteChunk);
    EXPECT_EQ(r.bytes, Write(root, kWriteDocument));
    EXPECT_EQ(sink.root, root);
    EXPECT_EQ(sink.options, uint32_t(kWriteDocument));
    DestroyTree(root);
}

TEST(PlistSinks, AnErrorStopsTheWriterAndIsReturned) {
    PlistNode* root = BigTree();
    Recorder r;
    r.failAt = 1;
    PlistSink sink;
    sink.write = RecordChunk;
    sink.context = &r;
    EXPECT_EQ(WritePlist(root, &sink, kWriteDocument), 28);
    EXPECT_EQ(sink.error, 28);
    EXPECT_EQ(r.chunks.size(), 1u);
    DestroyTree(root);
}

std::string TempPath(const char* name) {
    return TestTempDir() + "plist_writer_" + name;
}

std::string ReadFile(const std::string& path) {
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file) return "<missing>";
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, count);
    fclose(file);
    return bytes;
}

TEST(PlistSaveFile, WritesTheDocumentInBinaryLayout) {
    Tree t;
    BuildBank(t.root);
    std::string path = TempPath("bank.xml");
    EXPECT_EQ(SavePlistFile(t.root, path.c_str(), 0), 0);
    EXPECT_EQ(ReadFile(path), Write(t.root, kWriteDocument));
    remove(path.c_str());
}

TEST(PlistSaveFile, OpenFailureReturnsErrnoAndWritesNothing) {
    Tree t;
    std::string path = TempPath("no-such-folder/bank.xml");
    EXPECT_EQ(SavePlistFile(t.root, path.c_str(), 0), ENOENT);
    EXPECT_EQ(ReadFile(path), "<missing>");
    EXPECT_NE(SavePlistFile(t.root, testing::TempDir().c_str(), 0), 0);
    EXPECT_EQ(SavePlistFile(t.root, nullptr, 0), 5);
}

TEST(PlistSaveFile, FullDiskIsReported) {
    FILE* full = fopen("/dev/full", "wb");
    if (!full) GTEST_SKIP() << "no /dev/full";
    PlistNode* root = BigTree();
    PlistSink sink = PlistFileSink(full);
    int error = WritePlist(root, &sink, kWriteDocument);
    if (fclose(full) != 0 && error == 0) error = errno;
    EXPECT_EQ(error, ENOSPC);
    DestroyTree(root);
}

TEST(PlistSaveFile, SaveReplacesOrLeavesTheOldFile) {
    Tree t;
    BuildBank(t.root);
    std::string path = TempPath("atomic.xml");
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fputs("old contents", file);
    fclose(file);
    EXPECT_EQ(SavePlistFile(t.root, path.c_str(), 0), 0);
    EXPECT_EQ(ReadFile(path), Write(t.root, kWriteDocument));
    EXPECT_EQ(ReadFile(path + kDurableTempSuffix), "<missing>");

    std::string bad = TempPath("no-such-folder/atomic.xml");
    EXPECT_NE(SavePlistFile(t.root, bad.c_str(), 0), 0);
    EXPECT_EQ(ReadFile(bad + kDurableTempSuffix), "<missing>");
    remove(path.c_str());
}

}  // namespace
