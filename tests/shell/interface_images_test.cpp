// The resource-name runs behind the interface picture tables.
#include "imaging/interface_images.h"

#include <gtest/gtest.h>

TEST(ResourceNameRuns, ReadUpToTheBangAndSkipMissingIds) {
    const char* names[kMaxRunSpan];
    ASSERT_EQ(ReadResourceNameRun(kStrFirstButtonImage, names, kMaxRunSpan), 24);
    EXPECT_STREQ(names[0], "PNG_BUT_RESCAN");
    EXPECT_STREQ(names[23], "PNG_TAB_RIGHT_PR");
    ASSERT_EQ(ReadResourceNameRun(kStrFirstLogoImage, names, kMaxRunSpan), 4);
    EXPECT_STREQ(names[kLogoDisplayPanel], "PNG_DISPLAY_PANEL");
    ASSERT_EQ(ReadResourceNameRun(kStrFirstFileIcon, names, kMaxRunSpan), 4);
    EXPECT_STREQ(names[3], "PNG_FILE_ROM");
}

TEST(ResourceNameRuns, StayWithinTheTableAndEndWithoutABang) {
    const char* names[kMaxRunSpan];
    // A full table keeps its first names and still stops at the run's end.
    EXPECT_EQ(ReadResourceNameRun(kStrFirstButtonImage, names, 3), 3);
    EXPECT_STREQ(names[2], "PNG_BUT_NEW");
    // Starting inside a run reads its rest; starting on the bang reads nothing.
    EXPECT_EQ(ReadResourceNameRun(466, names, kMaxRunSpan), 2);
    EXPECT_EQ(ReadResourceNameRun(468, names, kMaxRunSpan), 0);
    // No bang at all (ids with no entries): the scan gives up.
    EXPECT_EQ(ReadResourceNameRun(1000, names, kMaxRunSpan), 0);
    EXPECT_EQ(ReadResourceNameRun(0, names, 0), 0);
}
