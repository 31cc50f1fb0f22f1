// The delayed tooltip: where it goes, when it is armed and shown, and what
// hides it.
#include <gtest/gtest.h>

#include "headless/clock_headless.h"
#include "headless/view_platform_headless.h"
#include "views/pane_layout.h"
#include "views/panel.h"
#include "views/tooltip.h"
#include "views/view_state.h"

namespace {

PaneWindow MainWindow() {
    return reinterpret_cast<PaneWindow>(static_cast<uintptr_t>(1));
}

int IndexOf(int type) {
    return static_cast<int>(FindPanelItem(gMainPanel, type) - gMainPanel.items);
}

class TooltipTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessViewReset();
        HeadlessClockUseVirtual(10000, 0);
        gMenuOpen = 0;
        LayoutPanes(MainWindow(), nullptr, nullptr);
        ResetTooltip();
    }
    void TearDown() override {
        ResetTooltip();
        LayoutPanes(nullptr, nullptr, nullptr);
        HeadlessClockUseReal();
    }
    // Rests the pointer on (x, y): a move there, as the window would report.
    void MoveTo(int x, int y) {
        HeadlessView().pointerX = x;
        HeadlessView().pointerY = y;
        TooltipTrack(gMainPanel, x, y);
    }
};

TEST_F(TooltipTest, ShownHalfASecondAfterThePointerSettlesWithoutMoving) {
    MoveTo(20, 30);  // the download button
    EXPECT_EQ(gTooltip.pending, IndexOf(kItemDownload));
    HeadlessClockAdvance(450);
    TooltipTick();
    EXPECT_EQ(HeadlessView().tooltipShows, 0);
    HeadlessClockAdvance(50);
    TooltipTick();  // timer 100: no mouse message needed
    ASSERT_EQ(HeadlessView().tooltipShown, 1);
    EXPECT_EQ(HeadlessView().tooltipText, "Download the Device to the Device Bank");
    EXPECT_EQ(HeadlessView().tooltipParent, MainWindow());
    // Resting on: shown once, not again at every tick.
    HeadlessClockAdvance(1000);
    TooltipTick();
    EXPECT_EQ(HeadlessView().tooltipShows, 1);
}

TEST_F(TooltipTest, MovingToAnotherItemRestartsTheDelay) {
    MoveTo(20, 30);
    HeadlessClockAdvance(400);
    MoveTo(60, 30);  // the upload button, before the download tooltip was due
    EXPECT_EQ(gTooltip.pending, IndexOf(kItemUpload));
    HeadlessClockAdvance(400);
    MoveTo(61, 31);
    EXPECT_EQ(HeadlessView().tooltipShows, 0);
    HeadlessClockAdvance(100);
    MoveTo(61, 31);
    EXPECT_EQ(HeadlessView().tooltipText, "Send Changes in the Device Bank to the Device");

    // Straight onto the next button: the shown one goes, the new one arms.
    MoveTo(100, 30);
    EXPECT_EQ(HeadlessView().tooltipShown, 0);
    EXPECT_EQ(gTooltip.pending, IndexOf(kItemSend));
}

TEST_F(TooltipTest, HiddenTooltipComesBackOnlyAfterThePointerLeftTheItems) {
    MoveTo(20, 30);
    HeadlessClockAdvance(500);
    MoveTo(20, 30);
    ASSERT_EQ(HeadlessView().tooltipShown, 1);
    TooltipHide();  // a click
    EXPECT_EQ(HeadlessView().tooltipShown, 0);
    HeadlessClockAdvance(2000);
    MoveTo(21, 31);
    TooltipTick();
    EXPECT_EQ(HeadlessView().tooltipShown, 0);
    EXPECT_EQ(gTooltip.pending, -1);
    MoveTo(400, 300);  // over the device view: no item
    MoveTo(20, 30);
    HeadlessClockAdvance(500);
    TooltipTick();
    EXPECT_EQ(HeadlessView().tooltipShown, 1);
}

TEST_F(TooltipTest, NotArmedWithButtonHeldInMenusOrWithoutText) {
    HeadlessView().leftButtonHeld = 1;
    MoveTo(20, 30);
    EXPECT_EQ(gTooltip.pending, -1);
    HeadlessView().leftButtonHeld = 0;
    MoveTo(400, 300);
    gMenuOpen = 1;
    MoveTo(20, 30);
    HeadlessClockAdvance(600);
    TooltipTick();
    EXPECT_EQ(gTooltip.pending, -1);
    EXPECT_EQ(HeadlessView().tooltipShows, 0);
    gMenuOpen = 0;
    // The logos have no tooltip; an item whose string is missing gets none.
    MoveTo(650, 20);
    EXPECT_EQ(gTooltip.pending, -1);
    PanelItem& logo = *FindPanelItem(gMainPanel, kItemLogoTop);
    logo.tooltip = 300;  // string 428: no such entry
    MoveTo(400, 300);
    MoveTo(650, 20);
    EXPECT_EQ(gTooltip.pending, -1);
}

TEST_F(TooltipTest, EditorTabTooltipShowsOnTheTickInItsOwnWindow) {
    PaneWindow editor = reinterpret_cast<PaneWindow>(static_cast<uintptr_t>(3));
    LayoutPanes(MainWindow(), nullptr, editor);
    HeadlessView().pointerX = 20;
    HeadlessView().pointerY = 12;
    TooltipTrack(gEditorPanel, 20, 12);  // over "Control Details"
    HeadlessClockAdvance(500);
    TooltipTick();  // the main panel's tick leaves another window's tooltip alone
    EXPECT_EQ(HeadlessView().tooltipShows, 0);
    EXPECT_EQ(gTooltip.pending, 0);
    TooltipTickPanel(gMainPanel);
    EXPECT_EQ(HeadlessView().tooltipShows, 0);
    TooltipTickPanel(gEditorPanel);
    ASSERT_EQ(HeadlessView().tooltipShown, 1);
    EXPECT_EQ(HeadlessView().tooltipParent, editor);
    EXPECT_EQ(HeadlessView().tooltipText, "Show the Control Details");
    // Back in the main window: the editor's tooltip goes.
    MoveTo(400, 300);
    EXPECT_EQ(HeadlessView().tooltipShown, 0);
}

TEST_F(TooltipTest, BottomRowButtonGetsItsTooltipRightAboveIt) {
    const PanelItem& view = *FindPanelItem(gMainPanel, kItemView);
    MoveTo(view.x + 10, view.y + 12);
    HeadlessClockAdvance(500);
    TooltipTick();
    ASSERT_EQ(HeadlessView().tooltipShown, 1);
    const PaneRect& r = HeadlessView().tooltipRect;
    EXPECT_EQ(r.y + r.height, view.y);
    EXPECT_EQ(r.height, HeadlessView().textHeight + 4);
    EXPECT_EQ(r.x + r.width, 792);  // kept inside the client area on the right
}

TEST_F(TooltipTest, PlacementRules) {
    PanelItem top = {kItemSend, kKindButton, nullptr, 91, 23, 50, 27, 4, 3, 0};
    // Below and right of the pointer.
    PaneRect r = TooltipPlacement(100, 30, 60, 13, top, 199, 792, 526);
    EXPECT_EQ(r.x, 96);
    EXPECT_EQ(r.y, 50);
    EXPECT_EQ(r.width, 66);
    EXPECT_EQ(r.height, 17);
    // Never across the status display's left edge: it ends there instead.
    r = TooltipPlacement(180, 30, 60, 13, top, 199, 792, 526);
    EXPECT_EQ(r.x + r.width, 199);
    // Without a display, only the client edges count.
    r = TooltipPlacement(180, 30, 60, 13, top, -1, 792, 526);
    EXPECT_EQ(r.x, 176);
    r = TooltipPlacement(2, 30, 60, 13, top, -1, 792, 526);
    EXPECT_EQ(r.x, 0);
    // Pushed up from the bottom, it never covers the item it explains.
    PanelItem low = {kItemNew, kKindButton, nullptr, 9, 492, 33, 26, 2, 1, 0};
    r = TooltipPlacement(20, 500, 60, 13, low, 199, 792, 526);
    EXPECT_EQ(r.y, 492 - 17);
    // A tiny window: the top stays in the client area.
    r = TooltipPlacement(20, 5, 60, 13, {kItemNew, kKindButton, nullptr, 0, 0, 40, 10, 2, 1, 0}, -1,
                         100, 12);
    EXPECT_EQ(r.y, 0);
}

}  // namespace
