#include "devices/cc_set.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Members(const char* text) {
    CcSet set;
    CcSetParse(&set, text);
    std::vector<int> out;
    for (int cc = 0; cc < kCcSetSize; ++cc)
        if (CcSetHas(&set, cc)) out.push_back(cc);
    return out;
}

TEST(CcSet, ItemsRangesAndHex) {
    EXPECT_EQ(Members("0-3, 0x10"), (std::vector<int>{0, 1, 2, 3, 16}));
    EXPECT_EQ(Members("7-5"), (std::vector<int>{5, 6, 7}));
    EXPECT_EQ(Members("300"), (std::vector<int>{255}));
    EXPECT_EQ(Members("0x7F"), (std::vector<int>{127}));
    EXPECT_EQ(Members("0x7f"), (std::vector<int>{127}));
    EXPECT_EQ(Members("250-999"), (std::vector<int>{250, 251, 252, 253, 254, 255}));
    EXPECT_EQ(Members("0x0A - 0x0C"), (std::vector<int>{10, 11, 12}));
}

TEST(CcSet, BlanksAndTabsAreIgnoredEverywhere) {
    EXPECT_EQ(Members(" 1 ,\t2 - 4 , 1 0 "), (std::vector<int>{1, 2, 3, 4, 10}));
}

TEST(CcSet, GarbageItemsAddNothingButOthersStillCount) {
    EXPECT_EQ(Members("abc, 5, 6x, -3, 7-, 0x, 8--9, , 9"), (std::vector<int>{5, 9}));
    EXPECT_TRUE(Members("").empty());
    EXPECT_TRUE(Members(",,,,").empty());
    EXPECT_TRUE(Members(nullptr).empty());
}

TEST(CcSet, HugeNumbersSaturateWithoutOverflow) {
    EXPECT_EQ(Members("99999999999999999999999"), (std::vector<int>{255}));
    EXPECT_EQ(Members("0xFFFFFFFFFFFFFFFFFFFF"), (std::vector<int>{255}));
}

TEST(CcSet, LongItemIsRefusedNotOverrun) {
    std::string text(500, '1');
    text += ",3";
    EXPECT_EQ(Members(text.c_str()), (std::vector<int>{3}));
}

TEST(CcSet, LeadingZeroIsStillDecimal) {
    EXPECT_EQ(Members("010, 09"), (std::vector<int>{9, 10}));
}

TEST(CcSet, RangeReportsSmallestAndLargest) {
    int lo = -5, hi = -5;
    ASSERT_EQ(CcSetRange("0-3, 0x10", &lo, &hi), 1);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 16);
    ASSERT_EQ(CcSetRange("64,12,100", &lo, &hi), 1);
    EXPECT_EQ(lo, 12);
    EXPECT_EQ(hi, 100);
    lo = hi = -5;
    EXPECT_EQ(CcSetRange("junk", &lo, &hi), 0);
    EXPECT_EQ(lo, -5);
    EXPECT_EQ(hi, -5);
}

TEST(CcSet, MembershipOutsideTheSetIsNo) {
    CcSet set;
    CcSetParse(&set, "0-255");
    EXPECT_EQ(CcSetHas(&set, -1), 0);
    EXPECT_EQ(CcSetHas(&set, 256), 0);
    EXPECT_EQ(CcSetHas(&set, 0), 1);
    EXPECT_EQ(CcSetHas(&set, 255), 1);
    EXPECT_EQ(CcSetIsEmpty(&set), 0);
}

}  // namespace
