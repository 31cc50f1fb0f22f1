#include "devices/number_list.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberList, ItemsKeepOnlyDigitsAndMinus) {
    NumberList list;
    NumberListParse(&list, "100, 50, 4, -3");
    ASSERT_EQ(list.count, 4);
    EXPECT_EQ(list.values[0], 100);
    EXPECT_EQ(list.values[1], 50);
    EXPECT_EQ(list.values[2], 4);
    EXPECT_EQ(list.values[3], -3);

    NumberListParse(&list, "x=10,y = 2 0,,w");
    ASSERT_EQ(list.count, 4);
    EXPECT_EQ(list.values[0], 10);
    EXPECT_EQ(list.values[1], 20);  // digits across a blank join up
    EXPECT_EQ(list.values[2], 0);   // empty item
    EXPECT_EQ(list.values[3], 0);   // no digits
}

TEST(NumberList, MinusOnlyLeadsANumber) {
    NumberList list;
    NumberListParse(&list, "1-2,--5,5-");
    ASSERT_EQ(list.count, 3);
    EXPECT_EQ(list.values[0], 1);
    EXPECT_EQ(list.values[1], 0);
    EXPECT_EQ(list.values[2], 5);
}

TEST(NumberList, CountsAllItemsButStoresTen) {
    NumberList list;
    NumberListParse(&list, "1,2,3,4,5,6,7,8,9,10,11,12");
    EXPECT_EQ(list.count, 12);
    EXPECT_EQ(list.values[9], 10);
    EXPECT_EQ(NumberListAt(&list, 9), 10);
    EXPECT_EQ(NumberListAt(&list, 10), 0);
    EXPECT_EQ(NumberListAt(&list, -1), 0);
}

TEST(NumberList, EmptyAndHugeTexts) {
    NumberList list;
    NumberListParse(&list, "");
    EXPECT_EQ(list.count, 0);
    NumberListParse(&list, nullptr);
    EXPECT_EQ(list.count, 0);
    NumberListParse(&list, "99999999999999999999, -99999999999999999999");
    ASSERT_EQ(list.count, 2);
    EXPECT_EQ(list.values[0], INT32_MAX);
    EXPECT_EQ(list.values[1], INT32_MIN);
}

}  // namespace
