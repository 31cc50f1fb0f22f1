// Formatting of string-table texts: wsprintf's conversions, always bounded.
#include "base/text_format.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
std::string Format(const char* format, FormatArg a = FormatArg(), FormatArg b = FormatArg()) {
    char out[256];
    FormatText2(out, sizeof out, format, a, b);
    return out;
}
}  // namespace

TEST(TextFormat, ConversionsOfTheStringTable) {
    EXPECT_EQ(Format("Cannot open file %s", "C:\\Banks\\a.xml"),
              "Cannot open file C:\\Banks\\a.xml");
    EXPECT_EQ(Format("%d Presets from ", 12), "12 Presets from ");
    EXPECT_EQ(Format("Can not drag %s to %s.  It", "Knob 1", "Pad 3"),
              "Can not drag Knob 1 to Pad 3.  It");
    EXPECT_EQ(Format("%d", -2147483647 - 1), "-2147483648");
    EXPECT_EQ(Format("100%% %s", "done"), "100% done");
}

TEST(TextFormat, WidthPrecisionAndFlags) {
    EXPECT_EQ(Format("[%5d]", 42), "[   42]");
    EXPECT_EQ(Format("[%-5d]", 42), "[42   ]");
    EXPECT_EQ(Format("[%05d]", -42), "[-0042]");
    EXPECT_EQ(Format("[%.3d]", 7), "[007]");
    EXPECT_EQ(Format("[%.2s]", "abc"), "[ab]");
    EXPECT_EQ(Format("[%x %X]", 255, 255), "[ff FF]");
    EXPECT_EQ(Format("[%lu]", 7), "[7]");
    EXPECT_EQ(Format("[%u]", -1), "[4294967295]");
    EXPECT_EQ(Format("[%c]", 'A'), "[A]");
}

TEST(TextFormat, ArgumentOfTheOtherKindOrMissing) {
    // Texts from files must never be read as numbers or the other way round.
    EXPECT_EQ(Format("%d items", "seven"), "seven items");
    EXPECT_EQ(Format("file %s", 3), "file 3");
    EXPECT_EQ(Format("%s and %s", "one"), "one and ");
    EXPECT_EQ(Format("%s", static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(Format("100% sure %q"), "100% sure %q");
    EXPECT_EQ(Format("ends with %"), "ends with %");
}

TEST(TextFormat, OutputNeverPassesTheBuffer) {
    char out[8];
    std::memset(out, 'x', sizeof out);
    int length = FormatText1(out, 6, "Reading %s", "long path");
    EXPECT_EQ(length, 5);
    EXPECT_STREQ(out, "Readi");
    EXPECT_EQ(out[6], 'x');  // untouched past the given size

    std::string huge(5000, 'p');
    char big[kMaxFormattedText + 1];
    length = FormatText1(big, sizeof big, "%s!", huge.c_str());
    EXPECT_EQ(length, kMaxFormattedText);
    EXPECT_EQ(big[kMaxFormattedText], '\0');

    // A silly width is capped rather than padded for ever.
    length = FormatText1(big, sizeof big, "%999999999d", 1);
    EXPECT_LE(length, kMaxFormattedText);

    EXPECT_EQ(FormatText1(out, 0, "abc", FormatArg()), 0);
    EXPECT_EQ(FormatText1(out, 1, "abc", FormatArg()), 0);
    EXPECT_STREQ(out, "");
}
