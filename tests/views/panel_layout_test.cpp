// The pane layout: the design rectangles the panes start from, the main,
// library and control editor re-layouts, the rectangles a pane repaints and
// its scroll bars take, and the paint-alone request.
#include <gtest/gtest.h>

#include "devices/device_definition.h"
#include "headless/view_platform_headless.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_pane.h"
#include "views/keyboard_pane.h"
#include "views/library_controls_pane.h"
#include "views/library_files_pane.h"
#include "views/pane_layout.h"
#include "views/panel.h"
#include "views/presets_pane.h"
#include "views/status_layout.h"

namespace {

PaneWindow FakeWindow(int n) {
    return reinterpret_cast<PaneWindow>(static_cast<uintptr_t>(n));
}

bool Same(const PaneRect& a, const PaneRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

::testing::AssertionResult RectIs(const PaneRect& r, int x, int y, int w, int h) {
    if (Same(r, {x, y, w, h})) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "rect is " << r.x << "," << r.y << " " << r.width << "x" << r.height << ", expected "
           << x << "," << y << " " << w << "x" << h;
}

const PanelItem& MainItem(int type) {
    return *FindPanelItem(gMainPanel, type);
}

class PaneLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessViewReset();
        DeviceDefinitionReset(&gDevice);
        gDeviceView.listMode = 0;
        LayoutPanes(FakeWindow(1), FakeWindow(2), FakeWindow(3));
    }
    void TearDown() override {
        LayoutPanes(nullptr, nullptr, nullptr);
        DeviceDefinitionReset(&gDevice);
    }
};

TEST_F(PaneLayoutTest, StartUpGivesEveryPaneItsDesignPlaceWindowAndBars) {
    EXPECT_TRUE(RectIs(gDevicesPane.rect, 9, 70, 182, 134));
    EXPECT_TRUE(RectIs(gPresetsPane.rect, 9, 241, 182, 238));
    EXPECT_TRUE(RectIs(gDeviceView.rect, 199, 70, 586, 409));
    EXPECT_TRUE(RectIs(gKeyboardPane.rect, 199, 395, 586, 84));
    EXPECT_TRUE(RectIs(gLibraryFilesPane.rect, 9, 26, 182, 134));
    EXPECT_TRUE(RectIs(gLibraryControlsPane.rect, 9, 197, 182, 264));
    EXPECT_TRUE(RectIs(gEditorPane.rect, 8, 26, 586, 66));
    EXPECT_STREQ(gDevicesPane.title, "Devices and Files");
    EXPECT_STREQ(gLibraryControlsPane.title, "Controls");
    EXPECT_EQ(gPresetsPane.horizontal.controlId, 1003);
    EXPECT_EQ(gDeviceView.vertical.controlId, 1006);
    EXPECT_EQ(gKeyboardPane.vertical.controlId, 0);
    EXPECT_EQ(gKeyboardPane.window, FakeWindow(1));
    EXPECT_EQ(gLibraryFilesPane.window, FakeWindow(2));
    EXPECT_EQ(gEditorPane.window, FakeWindow(3));
    EXPECT_EQ(gMainPanel.window, FakeWindow(1));
    EXPECT_EQ(gStatusDisplayRect.width, 414);
}

TEST_F(PaneLayoutTest, MainWindowGrowsPanesAndMovesItemsByTheirRules) {
    EXPECT_EQ(RelayoutMainWindow(kMainDesignWidth, kMainDesignHeight), 0);  // unchanged size
    ASSERT_EQ(RelayoutMainWindow(990, 789), 1);  // 1.25 x 1.5 the design size
    // Devices: scaled by the size ratios, rounded, in place.
    EXPECT_TRUE(RectIs(gDevicesPane.rect, 9, 70, 228, 201));  // 182 * 1.25 = 227.5, 134 * 1.5
    // Presets: below the devices with the design gap of 37, down to the bottom margin of 47.
    EXPECT_TRUE(RectIs(gPresetsPane.rect, 9, 70 + 201 + 37, 228, 789 - 47 - 308));
    // The view: 8 right of the presets, to the right margin of 7 and the bottom margin.
    EXPECT_TRUE(RectIs(gDeviceView.rect, 9 + 228 + 8, 70, 990 - 7 - 245, 789 - 47 - 70));
    // The keyboard: the view's left and width, down by the view's growth, same height.
    EXPECT_TRUE(RectIs(gKeyboardPane.rect, 245, 395 + (672 - 409), 738, 84));

    int dw = 990 - kMainDesignWidth;
    int dh = 789 - kMainDesignHeight;
    EXPECT_TRUE(
        RectIs({MainItem(kItemView).x, MainItem(kItemView).y, 57, 24}, 727 + dw, 494 + dh, 57, 24));
    EXPECT_EQ(MainItem(kItemInfo).x, 662 + dw);
    EXPECT_EQ(MainItem(kItemLibrary).x, 736 + dw);
    EXPECT_EQ(MainItem(kItemLibrary).y, 23);
    EXPECT_EQ(MainItem(kItemLogoTop).x, 630 + dw);
    EXPECT_EQ(MainItem(kItemLogoName).y, 5);
    EXPECT_EQ(MainItem(kItemRescan).x, 47);
    EXPECT_EQ(MainItem(kItemRescan).y, 492 + dh);
    EXPECT_EQ(MainItem(kItemNew).y, 492 + dh);
    EXPECT_EQ(MainItem(kItemSend).y, 23);  // the top row stays
    // The bottom logo follows the view's left edge and the bottom.
    EXPECT_EQ(MainItem(kItemLogoBottom).x, 296 + (245 - 199));
    EXPECT_EQ(MainItem(kItemLogoBottom).y, 495 + dh);
    // The status display widens; the shell draws it where the item is.
    EXPECT_EQ(MainItem(kItemStatusDisplay).width, 414 + dw);
    EXPECT_EQ(gStatusDisplayRect.width, 414 + dw);
    EXPECT_EQ(gStatusDisplayRect.x, 199);
}

TEST_F(PaneLayoutTest, ResizingBackAndForthEndsAtTheDesignLayout) {
    const int sizes[][2] = {{801, 533}, {1211, 907}, {600, 400}, {777, 611}, {1023, 401}};
    for (const auto& size : sizes) RelayoutMainWindow(size[0], size[1]);
    ASSERT_EQ(RelayoutMainWindow(kMainDesignWidth, kMainDesignHeight), 1);
    EXPECT_TRUE(RectIs(gDevicesPane.rect, 9, 70, 182, 134));
    EXPECT_TRUE(RectIs(gPresetsPane.rect, 9, 241, 182, 238));
    EXPECT_TRUE(RectIs(gDeviceView.rect, 199, 70, 586, 409));
    EXPECT_TRUE(RectIs(gKeyboardPane.rect, 199, 395, 586, 84));
    for (int i = 0; i < gMainPanel.itemCount; ++i) {
        const PanelItem& now = gMainPanel.items[i];
        const PanelItem& design = gMainPanel.designItems[i];
        EXPECT_TRUE(now.x == design.x && now.y == design.y && now.width == design.width)
            << "item type " << now.type;
    }
}

TEST_F(PaneLayoutTest, MinimisedOrUnchangedSizeLeavesLayoutAndScrollBarsAlone) {
    gPresetsPane.vertical.bar = FakeWindow(9);
    EXPECT_EQ(RelayoutMainWindow(0, 0), 0);
    EXPECT_EQ(RelayoutMainWindow(kMainDesignWidth, kMainDesignHeight), 0);
    EXPECT_EQ(gPresetsPane.vertical.bar, FakeWindow(9));
    EXPECT_TRUE(RectIs(gDevicesPane.rect, 9, 70, 182, 134));
    // A real change drops the bars: the next paint makes them again to fit.
    ASSERT_EQ(RelayoutMainWindow(800, 600), 1);
    EXPECT_EQ(gPresetsPane.vertical.bar, nullptr);
}

TEST_F(PaneLayoutTest, LibraryAndEditorWindowsFollowTheirSizes) {
    ASSERT_EQ(RelayoutLibraryWindow(250, 705), 1);  // 1.5 x the design height
    EXPECT_TRUE(RectIs(gLibraryFilesPane.rect, 9, 26, 250 - 18, 201));
    EXPECT_TRUE(RectIs(gLibraryControlsPane.rect, 9, 26 + 201 + 37, 232, 705 - 9 - 264));
    EXPECT_EQ(RelayoutLibraryWindow(250, 705), 0);

    EXPECT_EQ(EditorContentShift(), 0);
    ASSERT_EQ(RelayoutEditorWindow(702, 135), 1);
    EXPECT_TRUE(RectIs(gEditorPane.rect, 8, 26, 686, 86));
    EXPECT_EQ(EditorContentShift(), 50);
}

TEST_F(PaneLayoutTest, ZonedPictureHeightFollowsTheView) {
    EXPECT_EQ(GraphicPictureHeight(0), 409);
    EXPECT_EQ(GraphicPictureHeight(1), 317);
    RelayoutMainWindow(792, 626);
    EXPECT_EQ(GraphicPictureHeight(0), 509);
    EXPECT_EQ(GraphicPictureHeight(1), 417);
    // The keyboard sits right under the zoned picture.
    EXPECT_EQ(gKeyboardPane.rect.y, gDeviceView.rect.y + 417 + 8);
}

TEST_F(PaneLayoutTest, InvalidRectCoversTitleStripAndShadowLessScrollBars) {
    EXPECT_TRUE(RectIs(PaneInvalidRect(gPresetsPane, 16, 15), 9, 241 - 17, 183, 238 + 17 + 1));
    gPresetsPane.vertical.bar = FakeWindow(7);
    EXPECT_TRUE(RectIs(PaneInvalidRect(gPresetsPane, 16, 15), 9, 224, 183 - 18, 256));
    gPresetsPane.horizontal.bar = FakeWindow(8);
    EXPECT_TRUE(RectIs(PaneInvalidRect(gPresetsPane, 16, 15), 9, 224, 165, 256 - 17));
    // The device view's picture runs under its bars.
    gDeviceView.vertical.bar = FakeWindow(7);
    gDeviceView.horizontal.bar = FakeWindow(8);
    EXPECT_TRUE(RectIs(PaneInvalidRect(gDeviceView, 16, 15), 199, 53, 587, 427));
    // The keyboard, painted alone during a zone drag, paints only its body:
    // a title strip above it would be left black.
    const PaneRect& k = gKeyboardPane.rect;
    EXPECT_TRUE(RectIs(PaneInvalidRect(gKeyboardPane, 16, 15), k.x, k.y, k.width, k.height));
}

TEST_F(PaneLayoutTest, ScrollBarsSitInsideThePaneOrUnderThePicture) {
    EXPECT_TRUE(RectIs(PaneScrollBarRect(gPresetsPane, 1, 16, 15), 9 + 182 - 17, 242, 16, 237));
    EXPECT_TRUE(RectIs(PaneScrollBarRect(gPresetsPane, 0, 16, 15), 10, 241 + 238 - 16, 181, 15));
    // The device view's horizontal bar: under the picture, which is shorter
    // than the pane for a device with zones (the keyboard is below it).
    gDevice.zoneLimit = 8;
    EXPECT_TRUE(RectIs(PaneScrollBarRect(gDeviceView, 0, 16, 15), 200, 70 + 317 - 16, 585, 15));
    gDeviceView.listMode = 1;
    EXPECT_TRUE(RectIs(PaneScrollBarRect(gDeviceView, 0, 16, 15), 200, 70 + 409 - 16, 585, 15));
}

TEST_F(PaneLayoutTest, PaintAloneRequestIsTakenOnceByItsOwnWindow) {
    RequestPaintAlone(gPresetsPane);
    EXPECT_EQ(TakePaintAloneRequest(FakeWindow(2)), nullptr);  // the library window
    EXPECT_EQ(TakePaintAloneRequest(FakeWindow(1)), &gPresetsPane);
    EXPECT_EQ(TakePaintAloneRequest(FakeWindow(1)), nullptr);
}

}  // namespace
