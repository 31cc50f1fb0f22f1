// Reading property-list XML: the tree the reader builds, and what it does with bad input.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <thread>

#include "plist/plist_xml.h"
#include "tests/support/test_temp_dir.h"

namespace {

// Parses a document text and owns the resulting tree.
struct Parsed {
    PlistNode* root;
    explicit Parsed(const std::string& text, PlistNode* errorNode = nullptr,
                    const char* name = "test.xml")
        : root(ParsePlist(text.data(), text.size(), name, errorNode)) {}
    ~Parsed() { DestroyTree(root); }
};

std::string Doc(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body +
           "\n</plist>\n";
}

TEST(PlistReader, KeyThenValueBuildsOneNode) {
    Parsed p(Doc("<dict>\n\t<key>a</key><integer>0x10</integer>\n</dict>"));
    ASSERT_NE(p.root, nullptr);
    EXPECT_EQ(TypeOf(p.root), PlistType::Dict);
    ASSERT_EQ(ChildCount(p.root), 1u);
    PlistNode* a = ChildAt(p.root, 0);
    EXPECT_STREQ(KeyOf(a), "a");
    EXPECT_EQ(TypeOf(a), PlistType::Integer);
    EXPECT_EQ(IntegerOf(a), 16);
    EXPECT_EQ(KeyLength(p.root), 0u);
}

TEST(PlistReader, EveryValueType) {
    Parsed p(
        Doc("<dict><key>s</key><string> two  words </string>"
            "<key>t</key><true/><key>f</key><false/>"
            "<key>i</key><integer>-5</integer><key>r</key><real>0.1</real>"
            "<key>d</key><data>QUJD</data><key>e</key><string></string>"
            "<key>n</key><array><integer>1</integer><integer>2</integer></array></dict>"));
    ASSERT_NE(p.root, nullptr);
    EXPECT_STREQ(TextOf(FindChild(p.root, "s", 0)), " two  words ");
    EXPECT_TRUE(BooleanOf(FindChild(p.root, "t", 0)));
    EXPECT_EQ(TypeOf(FindChild(p.root, "f", 0)), PlistType::Boolean);
    EXPECT_FALSE(BooleanOf(FindChild(p.root, "f", 0)));
    EXPECT_EQ(GetInt(p.root, "i", 0), -5);
    EXPECT_EQ(RealOf(FindChild(p.root, "r", 0)), 0.1f);
    EXPECT_EQ(TypeOf(FindChild(p.root, "d", 0)), PlistType::Data);
    EXPECT_STREQ(TextOf(FindChild(p.root, "d", 0)), "QUJD");
    EXPECT_EQ(TypeOf(FindChild(p.root, "e", 0)), PlistType::String);
    EXPECT_EQ(GetInt(p.root, "n[1]", 0), 2);
    EXPECT_EQ(KeyLength(Lookup(p.root, "n[0]", 0)), 0u);
}

TEST(PlistReader, WhitespaceBetweenElementsNeverReachesANode) {
    Parsed p(
        Doc("<dict>\n\t<key>k</key>\n\t<string>v</string>\n\n\t<key>arr</key>\n"
            "\t<array>\n\t\t<string>x</string>\n\t</array>\n</dict>"));
    ASSERT_NE(p.root, nullptr);
    ASSERT_EQ(ChildCount(p.root), 2u);
    EXPECT_STREQ(KeyOf(ChildAt(p.root, 0)), "k");
    EXPECT_STREQ(TextOf(ChildAt(p.root, 0)), "v");
    PlistNode* arr = ChildAt(p.root, 1);
    EXPECT_STREQ(KeyOf(arr), "arr");
    ASSERT_EQ(ChildCount(arr), 1u);
    EXPECT_STREQ(TextOf(ChildAt(arr, 0)), "x");
}

TEST(PlistReader, ArrayOfEmptyDicts) {
    Parsed p(Doc("<array><dict/><dict></dict><dict/></array>"));
    ASSERT_NE(p.root, nullptr);
    EXPECT_EQ(TypeOf(p.root), PlistType::Array);
    ASSERT_EQ(ChildCount(p.root), 3u);
    for (uint32_t i = 0; i < 3; i++) {
        EXPECT_EQ(TypeOf(ChildAt(p.root, i)), PlistType::Dict);
        EXPECT_EQ(ChildCount(ChildAt(p.root, i)), 0u);
        EXPECT_EQ(KeyLength(ChildAt(p.root, i)), 0u);
    }
}

TEST(PlistReader, RootMayBeAScalar) {
    Parsed p(Doc("<string>alone</string>"));
    ASSERT_NE(p.root, nullptr);
    EXPECT_EQ(TypeOf(p.root), PlistType::String);
    EXPECT_STREQ(TextOf(p.root), "alone");
    Parsed bare("<dict><key>x</key><true/></dict>");  // no plist element at all
    EXPECT_TRUE(BooleanOf(FindChild(bare.root, "x", 0)));
}

TEST(PlistReader, ElementNamesIgnoreCaseAndUnknownOnesAreSkipped) {
    Parsed p(
        Doc("<DICT><KEY>a</KEY><Integer>3</Integer>"
            "<comment>ignored</comment><key>b</key><STRING>x</STRING></DICT>"));
    ASSERT_NE(p.root, nullptr);
    EXPECT_EQ(TypeOf(p.root), PlistType::Dict);
    EXPECT_EQ(GetInt(p.root, "a", 0), 3);
    EXPECT_STREQ(TextOf(FindChild(p.root, "b", 0)), "x");
    // The unknown element's node stayed untyped, so the next key and value filled it.
    EXPECT_EQ(ChildCount(p.root), 2u);

    // Last in its array, with nothing after it to fill a node, it leaves no entry behind.
    Parsed last(Doc("<array><integer>1</integer><date>2020-01-01T00:00:00Z</date></array>"));
    ASSERT_NE(last.root, nullptr);
    EXPECT_EQ(ChildCount(last.root), 1u);
}

TEST(PlistReader, AttributesAreNotReadAndTheTreeComesBackClean) {
    Parsed p(
        Doc("<dict><key>v</key><integer volatile=\"true\" dirty=\"true\">1</integer>"
            "<key>d</key><dict><key>x</key><string>y</string></dict></dict>"));
    ASSERT_NE(p.root, nullptr);
    PlistIterator it = Iterator(p.root, IteratorMode::Subtree);
    int nodes = 0;
    while (PlistNode* node = IteratorNext(&it)) {
        EXPECT_FALSE(IsDirty(node));
        EXPECT_FALSE(IsVolatile(node));
        nodes++;
    }
    EXPECT_EQ(nodes, 4);
    SetString(Lookup(p.root, "d.x", 0), "z", 0);
    EXPECT_TRUE(IsDirty(Lookup(p.root, "d", 0)));
    EXPECT_TRUE(IsDirty(p.root));
    EXPECT_FALSE(IsDirty(Lookup(p.root, "v", 0)));
}

TEST(PlistReader, TextSplitByTheParserIsReadWhole) {
    Parsed p(
        Doc("<dict><key>a&amp;b&lt;c</key><integer>\n  1&#50;\n</integer>"
            "<key>two\nlines</key><data>QU&#74;D\nRUY=</data>"
            "<key>s</key><string>x&amp;y\nz</string></dict>"));
    ASSERT_NE(p.root, nullptr);
    EXPECT_EQ(GetIntOfChild(p.root, "a&b<c"), 12);
    EXPECT_STREQ(TextOf(FindChild(p.root, "two\nlines", 0)), "QUJD\nRUY=");
    EXPECT_STREQ(TextOf(FindChild(p.root, "s", 0)), "x&y\nz");
}

TEST(PlistReader, LongKeysAndStringsAreReadWhole) {
    std::string key(20000, 'k');
    std::string text(100000, 't');
    text[50000] = '&';
    std::string escaped = text;
    escaped.replace(50000, 1, "&amp;");
    Parsed p(Doc("<dict><key>" + key + "</key><string>" + escaped + "</string></dict>"));
    ASSERT_NE(p.root, nullptr);
    PlistNode* node = FindChild(p.root, key.c_str(), 0);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(std::string(TextOf(node), TextLength(node)), text);
}

TEST(PlistReader, MalformedInputKeepsThePartialTreeAndReports) {
    PlistNode* error = Create(nullptr, PlistType::Integer);
    testing::internal::CaptureStderr();
    Parsed p(Doc("<dict>\n<key>a</key><integer>1</integer>\n<key>b</key><string>x</dict>"), error,
             "bank.xml");
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "bank.xml:5: mismatched tag\n");
    EXPECT_EQ(TypeOf(error), PlistType::String);
    EXPECT_STREQ(TextOf(error), "XML Load Error \"mismatched tag\" line 5");
    ASSERT_NE(p.root, nullptr);
    EXPECT_EQ(GetInt(p.root, "a", 0), 1);
    EXPECT_STREQ(TextOf(FindChild(p.root, "b", 0)), "x");
    EXPECT_FALSE(IsDirty(p.root));
    DestroyTree(error);
}

TEST(PlistReader, ErrorTextAccumulatesInAStringErrorNode) {
    PlistNode* error = Create(nullptr, PlistType::String);
    SetText(error, "before; ", 0);
    testing::internal::CaptureStderr();
    Parsed p("", error, nullptr);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(p.root, nullptr);
    EXPECT_EQ(said, "XML Load Error:1: no element found\n");
    EXPECT_STREQ(TextOf(error), "before; XML Load Error \"no element found\" line 1");
    DestroyTree(error);
}

TEST(PlistReader, JunkAfterTheLastElementStillLoadsEverything) {
    testing::internal::CaptureStderr();
    Parsed p(Doc("<dict><key>a</key><integer>7</integer></dict>") + "trailing <junk");
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("test.xml:"), std::string::npos);
    ASSERT_NE(p.root, nullptr);
    EXPECT_EQ(GetInt(p.root, "a", 0), 7);
}

TEST(PlistReader, NestingBeyondTheLevelsStopsCleanly) {
    std::string deep;
    for (int i = 0; i < 200; i++) deep += "<array>";
    deep += "<string>bottom</string>";
    for (int i = 0; i < 200; i++) deep += "</array>";
    PlistNode* error = Create(nullptr, PlistType::String);
    testing::internal::CaptureStderr();
    Parsed p(Doc(deep), error);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("nested too deeply"), std::string::npos);
    EXPECT_NE(std::string(TextOf(error)).find("XML Load Error"), std::string::npos);
    ASSERT_NE(p.root, nullptr);
    int depth = 0;
    for (PlistNode* node = p.root; ChildCount(node) > 0; node = ChildAt(node, 0)) depth++;
    EXPECT_EQ(depth, kReaderLevels - 1);
    DestroyTree(error);
}

TEST(PlistReader, NestingUpToTheLimitIsRead) {
    std::string deep;
    for (int i = 0; i < kReaderLevels - 1; i++) deep += "<array>";
    deep += "<integer>5</integer>";
    for (int i = 0; i < kReaderLevels - 1; i++) deep += "</array>";
    testing::internal::CaptureStderr();
    Parsed p(Doc(deep));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    PlistNode* node = p.root;
    while (ChildCount(node) > 0) node = ChildAt(node, 0);
    EXPECT_EQ(IntegerOf(node), 5);
}

TEST(PlistReader, EncodingsAreCheckedOrConverted) {
    testing::internal::CaptureStderr();
    Parsed bad(Doc("<dict><key>a</key><string>\xff\xfe</string></dict>"));
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("not well-formed"), std::string::npos);
    EXPECT_EQ(ChildCount(bad.root), 1u);  // the key was read before the bad bytes

    Parsed latin("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><string>caf\xe9</string>");
    EXPECT_STREQ(TextOf(latin.root), "caf\xC3\xA9");
}

TEST(PlistReader, ElementsAfterTheRootAreDropped) {
    testing::internal::CaptureStderr();
    Parsed p(
        "<plist><dict><key>a</key><true/></dict><dict><key>b</key><array><dict/></array>"
        "</dict><string>s</string></plist>");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_NE(p.root, nullptr);
    EXPECT_EQ(ChildCount(p.root), 1u);
    EXPECT_EQ(FindChild(p.root, "b", 0), nullptr);
}

// The nodes of a document are allocated together; one kept elsewhere must outlive the rest.
TEST(PlistReader, NodesReadOutliveTheirDocument) {
    std::string body = "<array>";
    for (int i = 0; i < 3000; i++) {
        body += "<dict><key>n</key><integer>" + std::to_string(i) + "</integer></dict>";
    }
    PlistNode* root = ParsePlist(Doc(body + "</array>").c_str(), 0, "test.xml", nullptr);
    ASSERT_EQ(ChildCount(root), 3000u);
    PlistNode* keeper = Create(nullptr, PlistType::Array);
    Append(keeper, ChildAt(root, 7));
    Append(keeper, ChildAt(root, 2999));
    DestroyTree(root);
    EXPECT_EQ(GetInt(ChildAt(keeper, 0), "n", -1), 7);
    EXPECT_EQ(GetInt(ChildAt(keeper, 1), "n", -1), 2999);
    EXPECT_EQ(ParentCount(ChildAt(keeper, 0)), 1u);
    DestroyTree(keeper);
}

TEST(PlistReader, ZeroLengthMeansZeroTerminated) {
    const char* text = "<plist><integer>42</integer></plist>";
    PlistNode* root = ParsePlist(text, 0, nullptr, nullptr);
    EXPECT_EQ(IntegerOf(root), 42);
    DestroyTree(root);
    EXPECT_EQ(ParsePlist(nullptr, 5, nullptr, nullptr), nullptr);
}

std::string TempPath(const char* name) {
    return TestTempDir() + "plist_reader_" + name;
}

TEST(PlistLoadFile, ReadsAFileAndNamesItInMessages) {
    std::string path = TempPath("ok.xml");
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fputs("<plist><dict><key>x</key><integer>3</integer></dict>\n<oops></plist>", file);
    fclose(file);
    testing::internal::CaptureStderr();
    PlistNode* root = LoadPlistFile(path.c_str(), nullptr);
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, path + ":2: mismatched tag\n");
    EXPECT_EQ(GetInt(root, "x", 0), 3);
    DestroyTree(root);
    remove(path.c_str());
}

TEST(PlistLoadFile, UnreadableFilesGiveNoneSilently) {
    PlistNode* error = Create(nullptr, PlistType::String);
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadPlistFile(TempPath("does-not-exist.xml").c_str(), error), nullptr);
    EXPECT_EQ(LoadPlistFile(testing::TempDir().c_str(), error), nullptr);  // a directory
    EXPECT_EQ(LoadPlistFile(nullptr, error), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(TextLength(error), 0u);
    DestroyTree(error);
}

// A file that cannot tell its size (here a pipe) is read and parsed in pieces: the same tree,
// and an error's line counted across the pieces.
TEST(PlistLoadFile, AFileOfUnknownSizeIsReadInPieces) {
    std::string path = TempPath("pipe.xml");
    remove(path.c_str());
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    std::string text = "<plist><array>\n";
    for (int i = 0; i < 20000; i++) text += "<integer>" + std::to_string(i) + "</integer>\n";
    text += "</dict></plist>";  // the error is on line 20002, past several pieces
    std::thread writer([&] {
        FILE* file = fopen(path.c_str(), "wb");
        if (file) {
            fwrite(text.data(), 1, text.size(), file);
            fclose(file);
        }
    });
    testing::internal::CaptureStderr();
    PlistNode* root = LoadPlistFile(path.c_str(), nullptr);
    std::string said = testing::internal::GetCapturedStderr();
    writer.join();
    EXPECT_EQ(said, path + ":20002: mismatched tag\n");
    ASSERT_EQ(ChildCount(root), 20000u);
    EXPECT_EQ(IntegerOf(ChildAt(root, 19999)), 19999);
    DestroyTree(root);
    remove(path.c_str());
}

TEST(PlistLoadFile, AnEmptyFileIsAnEmptyDocument) {
    std::string path = TempPath("empty.xml");
    FILE* file = fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    fclose(file);
    testing::internal::CaptureStderr();
    EXPECT_EQ(LoadPlistFile(path.c_str(), nullptr), nullptr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), path + ":1: no element found\n");
    remove(path.c_str());
}

}  // namespace
