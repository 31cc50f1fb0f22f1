// Single-byte names to UTF-8 and back.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "plist/plist_xml.h"

namespace {

TEST(PlistUtf8, ToUtf8EncodesEachByteAsItsOwnCharacter) {
    char out[145];
    EXPECT_EQ(ToUtf8("Caf\xE9 \x80\xFF", out, sizeof out), 10);
    EXPECT_STREQ(out, "Caf\xC3\xA9 \xC2\x80\xC3\xBF");
    EXPECT_EQ(ToUtf8("", out, sizeof out), 0);
    EXPECT_STREQ(out, "");
    EXPECT_EQ(ToUtf8(nullptr, out, sizeof out), 0);
}

TEST(PlistUtf8, ToUtf8OfTheLongestNameFillsTheField) {
    std::string name(72, '\xE9');
    char out[145];
    EXPECT_EQ(ToUtf8(name.c_str(), out, sizeof out), 144);
    EXPECT_EQ(strlen(out), 144u);
}

TEST(PlistUtf8, ToUtf8NeverSplitsACharacterOrOverruns) {
    char out[8];
    memset(out, 'z', sizeof out);
    // "ab" + é needs 4 bytes and the zero: a 4-byte field takes "ab" only.
    EXPECT_EQ(ToUtf8("ab\xE9", out, 4), 2);
    EXPECT_STREQ(out, "ab");
    EXPECT_EQ(out[4], 'z');
    EXPECT_EQ(ToUtf8("abc", out, 1), 0);
    EXPECT_STREQ(out, "");
    out[0] = 'q';
    EXPECT_EQ(ToUtf8("abc", out, 0), 0);
    EXPECT_EQ(out[0], 'q');
}

TEST(PlistUtf8, FromUtf8KeepsTheLowEightBits) {
    char out[73];
    FromUtf8("Caf\xC3\xA9", out, sizeof out);
    EXPECT_STREQ(out, "Caf\xE9");
    FromUtf8("\xE2\x82\xAC", out, sizeof out);  // U+20AC
    EXPECT_STREQ(out, "\xAC");
    FromUtf8("\xF0\x9F\x8E\xB9!", out, sizeof out);  // U+1F3B9
    EXPECT_STREQ(out, "\xB9!");
    // Except where they are 0, which would end the text: the rest is kept.
    FromUtf8("Lead\xE3\x80\x80Pad", out, sizeof out);  // U+3000
    EXPECT_STREQ(out, "Lead?Pad");
    FromUtf8("", out, sizeof out);
    EXPECT_STREQ(out, "");
    FromUtf8(nullptr, out, sizeof out);
    EXPECT_STREQ(out, "");
}

TEST(PlistUtf8, FromUtf8TakesBrokenBytesAsThemselves) {
    char out[73];
    // A lone lead byte, a truncated sequence at the end, and an overlong "/".
    FromUtf8("a\xE9z\xC3", out, sizeof out);
    EXPECT_STREQ(out, "a\xE9z\xC3");
    FromUtf8("\xC0\xAF", out, sizeof out);
    EXPECT_STREQ(out, "\xC0\xAF");
}

TEST(PlistUtf8, FromUtf8StopsAtTheFieldSize) {
    char out[4];
    memset(out, 'z', sizeof out);
    FromUtf8("abcdef", out, 3);
    EXPECT_STREQ(out, "ab");
    EXPECT_EQ(out[3], 'z');
}

TEST(PlistUtf8, NamesSurviveTheTripThroughUtf8) {
    char name[73];
    for (int i = 0; i < 72; i++) name[i] = static_cast<char>(i * 3 + 33);
    name[72] = '\0';
    char utf8[145];
    char back[73];
    ToUtf8(name, utf8, sizeof utf8);
    FromUtf8(utf8, back, sizeof back);
    EXPECT_STREQ(back, name);
}

}  // namespace
