// Window sizes and placements from the system metrics.
#include "shell/window_geometry.h"

#include <gtest/gtest.h>

namespace {
SystemMetricsCache Metrics(int fullW) {
    SystemMetricsCache m = {};
    m.frameX = 4;
    m.frameY = 4;
    m.dlgFrameX = 3;
    m.dlgFrameY = 3;
    m.caption = 19;
    m.menu = 19;
    m.fullW = fullW;
    m.fullH = 700;
    return m;
}
}  // namespace

TEST(WindowGeometry, MainWindowHasAClientOf792By526AtTheOrigin) {
    WindowRect r = MainWindowRect(Metrics(1280));
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.width, 800);
    EXPECT_EQ(r.height, 526 + 19 + 19 + 8);
}

TEST(WindowGeometry, EditorWindowBelowTheMainMenu) {
    WindowRect r = EditorWindowRect(Metrics(1280));
    EXPECT_EQ(r.x, 5);
    EXPECT_EQ(r.y, 3 + 19 + 19 + 2);
    EXPECT_EQ(r.width, 610);
    EXPECT_EQ(r.height, 115 + 19 + 8);
}

TEST(WindowGeometry, LibraryBesideTheMainWindowWhenThereIsRoom) {
    // Plenty of room: beside the main window, 250 wide at most, full height.
    WindowRect r = LibraryWindowRect(Metrics(1280));
    EXPECT_EQ(r.x, 800);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.width, 250);
    EXPECT_EQ(r.height, 526 + 19 + 19 + 8);
    // Just enough room: widened to the edge only.
    r = LibraryWindowRect(Metrics(1030));
    EXPECT_EQ(r.x, 800);
    EXPECT_EQ(r.width, 230);
}

TEST(WindowGeometry, LibraryAtTheRightEdgeOfASmallScreen) {
    // 1000 - 208 = 792 < 800: no room beside the main window.
    WindowRect r = LibraryWindowRect(Metrics(1000));
    EXPECT_EQ(r.x, 792);
    EXPECT_EQ(r.y, 3 + 19 + 19 + 2);
    EXPECT_EQ(r.width, 208);
    EXPECT_EQ(r.height, 470 + 19 + 8);
    // Exactly at the boundary the smaller of the two is the main edge itself.
    r = LibraryWindowRect(Metrics(1008));
    EXPECT_EQ(r.x, 800);
    EXPECT_EQ(r.y, 0);
    EXPECT_EQ(r.width, 208);
}

TEST(WindowGeometry, AMaximiseEndsTheMinimisedState) {
    EXPECT_EQ(MinimisedAfterSize(0, kSizeMinimized), 1);
    // Straight from minimised to maximised: laid out again from then on.
    EXPECT_EQ(MinimisedAfterSize(1, kSizeMaximized), 0);
    EXPECT_EQ(MinimisedAfterSize(1, kSizeRestored), 0);
    EXPECT_EQ(MinimisedAfterSize(1, 3), 1);  // another window was maximised
}
