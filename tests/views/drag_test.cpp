// Drags and the rubber band: arming, starting with the right cursor and
// confinement, edge scrolling, ending, and the band following the pointer.
#include <gtest/gtest.h>

#include "tests/views/lists_pane_fixture.h"
#include "views/view_state.h"

using DragTest = ListsTest;

TEST_F(DragTest, APresetDragShowsTheMultipleCursorUntilItEnds) {
    GammaBank("G");
    Press(gPresetsPane, 2);
    EXPECT_EQ(gDrag.armed, 1);
    EXPECT_EQ(gDrag.dragging, 0);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kArrow);
    HeadlessView().controlHeld = 1;
    StartDrag();
    EXPECT_EQ(gDrag.armed, 0);
    EXPECT_EQ(gDrag.dragging, 1);
    EXPECT_EQ(gDrag.copyMode, 1);
    EXPECT_EQ(gDrag.sourcePreset, 2);
    EXPECT_EQ(gSelection.savedPresets[2], 1);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kDragMultiple);
    EXPECT_EQ(HeadlessView().timers[0], 50);
    EXPECT_EQ(HeadlessView().confined, 0);

    // A second press while dragging arms nothing new.
    Press(gPresetsPane, 5);
    EXPECT_EQ(gDrag.sourcePreset, 2);

    EndDrag();
    EXPECT_EQ(gDrag.dragging, 0);
    EXPECT_EQ(gDrag.armed, 0);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kArrow);
    EXPECT_EQ(HeadlessView().timers[0], 0);
}

TEST_F(DragTest, DeviceViewDragsCountTheSelectedControls) {
    GammaBank("G");
    gSelection.controls[1] = 1;
    ArmDrag(&gDeviceView, gBanks.current, 0, 1, 0, 0);
    StartDrag();
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kDragSingle);
    EXPECT_EQ(gDrag.count, 1);
    EndDrag();

    gSelection.controls[3] = 1;
    gSelection.controls[4] = 1;
    ArmDrag(&gDeviceView, gBanks.current, 0, 3, 0, 0);
    StartDrag();
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kDragMultiple);
    EXPECT_EQ(gDrag.count, 3);
    EXPECT_EQ(gDrag.selection[1] + gDrag.selection[3] + gDrag.selection[4], 3);
    EndDrag();

    // Ctrl held at the start selects the control the drag started on.
    memset(gSelection.controls, 0, sizeof gSelection.controls);
    gSelection.controls[0] = 1;
    HeadlessView().controlHeld = 1;
    ArmDrag(&gDeviceView, gBanks.current, 0, 5, 0, 0);
    StartDrag();
    EXPECT_EQ(gSelection.controls[5], 1);
    EXPECT_EQ(gDrag.count, 2);
    EndDrag();
}

TEST_F(DragTest, ABankDragIsConfinedAndScrollsAtTheEdges) {
    for (int i = 0; i < 15; i++) GammaBank(("B" + std::to_string(i)).c_str());
    gDevicesPane.vertical.total = 15;
    gDevicesPane.vertical.page = 10;
    Press(gDevicesPane, 3);
    StartDrag();
    HeadlessView().leftButtonHeld = 1;
    ASSERT_EQ(gDrag.confined, 1);
    EXPECT_EQ(HeadlessView().confined, 1);
    const PaneRect& r = gDevicesPane.rect;
    const PaneRect& c = gDrag.confineRect;
    EXPECT_EQ(c.x, r.x + 1);
    EXPECT_EQ(c.y, r.y + 2);
    // The right edge leaves out the vertical bar (16 wide here).
    EXPECT_EQ(c.x + c.width, r.x + r.width - 1 - 16);
    EXPECT_EQ(c.y + c.height, r.y + r.height - 2);

    // Inside: no scrolling. On the bottom edge: one line per tick.
    HeadlessView().pointerY = c.y + 20;
    DragTick(FakeMainWindow());
    EXPECT_EQ(gDevicesPane.vertical.position, 0);
    HeadlessView().pointerY = c.y + c.height - 1;
    DragTick(FakeMainWindow());
    DragTick(FakeMainWindow());
    EXPECT_EQ(gDevicesPane.vertical.position, 2);
    HeadlessView().pointerY = c.y;
    DragTick(FakeMainWindow());
    EXPECT_EQ(gDevicesPane.vertical.position, 1);

    EndDrag();
    EXPECT_EQ(HeadlessView().confined, 0);
    EXPECT_EQ(gDrag.confined, 0);
    // After the drag, ticks do nothing.
    HeadlessView().pointerY = c.y + c.height - 1;
    DragTick(FakeMainWindow());
    EXPECT_EQ(gDevicesPane.vertical.position, 1);
}

TEST_F(DragTest, APresetDragScrollsItsListOnItsTopEdgeAndFromItsBottomEdgeDown) {
    GammaBank("G");
    gPresetsPane.rect.height = 80;  // 6 rows of the 16 shown
    gPresetsPane.vertical.total = 16;
    gPresetsPane.vertical.page = 6;
    Press(gPresetsPane, 1);
    StartDrag();
    HeadlessView().leftButtonHeld = 1;
    ASSERT_EQ(gDrag.confined, 0);
    const PaneRect& r = gPresetsPane.rect;
    HeadlessView().pointerX = r.x + 50;
    HeadlessView().pointerY = r.y + 40;
    DragTick(FakeMainWindow());
    EXPECT_EQ(gPresetsPane.vertical.position, 0);
    HeadlessView().pointerY = r.y + r.height;
    DragTick(FakeMainWindow());
    DragTick(FakeMainWindow());
    EXPECT_EQ(gPresetsPane.vertical.position, 2);
    // Beside the pane (over the device view) nothing scrolls.
    HeadlessView().pointerX = r.x + r.width + 20;
    DragTick(FakeMainWindow());
    EXPECT_EQ(gPresetsPane.vertical.position, 2);
    // Overshooting the bottom edge still scrolls; well above the top (over
    // the bank list, where the presets may be going) nothing does.
    HeadlessView().pointerX = r.x + 50;
    HeadlessView().pointerY = r.y + r.height + 60;
    DragTick(FakeMainWindow());
    EXPECT_EQ(gPresetsPane.vertical.position, 3);
    HeadlessView().pointerY = r.y - 30;
    DragTick(FakeMainWindow());
    EXPECT_EQ(gPresetsPane.vertical.position, 3);
    HeadlessView().pointerY = r.y - 2;
    DragTick(FakeMainWindow());
    EXPECT_EQ(gPresetsPane.vertical.position, 2);
    EndDrag();
}

TEST_F(DragTest, ALibraryDragIsSingleAndFromTheOtherWindow) {
    int lib = AddLibrary("Synths", 7, kLibrarySourceLibrary, 0, 3);
    gLibraryList.current = lib;
    Press(gLibraryControlsPane, 1);
    StartDrag();
    EXPECT_EQ(gDrag.fromOtherWindow, 1);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kDragSingle);
    // Released back over the library: the drag ends, nothing else.
    EXPECT_EQ(Release(gLibraryControlsPane, 0), kMouseHandled);
    EXPECT_EQ(gDrag.dragging, 0);
    EXPECT_EQ(gDrag.fromOtherWindow, 0);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kArrow);
}

TEST_F(DragTest, StartingWithoutAnArmedDragDoesNothing) {
    StartDrag();
    EXPECT_EQ(gDrag.dragging, 0);
    EXPECT_EQ(HeadlessView().timers[0], 0);
}

TEST_F(DragTest, TheRubberBandSpansFromItsAnchorAndKeepsItThroughScrolling) {
    gDeviceView.listMode = 1;  // the list form: the whole pane
    gDeviceView.vertical.total = 100;
    gDeviceView.vertical.page = 20;
    const PaneRect& r = gDeviceView.rect;
    HeadlessView().leftButtonHeld = 1;
    BeginRubberBand(&gDeviceView, r.x + 100, r.y + 100);
    ASSERT_EQ(gRubberBand.active, 1);
    EXPECT_EQ(HeadlessView().captured, FakeMainWindow());
    EXPECT_EQ(HeadlessView().confined, 1);
    EXPECT_EQ(HeadlessView().timers[0], 50);
    EXPECT_EQ(gRubberBand.bounds.x, r.x + 1);
    EXPECT_EQ(gRubberBand.bounds.y, r.y + 1);
    EXPECT_EQ(gRubberBand.bounds.y + gRubberBand.bounds.height, r.y + r.height);

    UpdateRubberBand(r.x + 50, r.y + 150);
    EXPECT_EQ(gRubberBand.leftOfAnchor, 1);
    EXPECT_EQ(gRubberBand.aboveAnchor, 0);
    EXPECT_EQ(gRubberBand.band.x, r.x + 50);
    EXPECT_EQ(gRubberBand.band.y, r.y + 100);
    EXPECT_EQ(gRubberBand.band.width, 51);
    EXPECT_EQ(gRubberBand.band.height, 51);
    // Every update erases the old band and draws the new one.
    EXPECT_EQ(HeadlessView().focusBandDraws % 2, 1);

    // On the bottom bound the view scrolls 16 steps a tick and the anchor
    // moves up with its content.
    HeadlessView().pointerX = r.x + 50;
    HeadlessView().pointerY = r.y + r.height - 1;
    int paints = HeadlessView().paintsNow;
    RubberBandTick();
    EXPECT_EQ(gDeviceView.vertical.position, 16);
    EXPECT_EQ(gRubberBand.anchorY, r.y + 100 - 16);
    // Taken off before the scrolled view is painted, and drawn again after.
    EXPECT_EQ(HeadlessView().paintsNow, paints + 1);
    EXPECT_EQ(HeadlessView().focusBandDraws % 2, 1);
    // Inside the bounds a tick does nothing.
    int draws = HeadlessView().focusBandDraws;
    HeadlessView().pointerY = r.y + 200;
    RubberBandTick();
    EXPECT_EQ(HeadlessView().focusBandDraws, draws);
    EXPECT_EQ(gDeviceView.vertical.position, 16);

    // A release no window saw (input is blocked while a dump arrives) ends
    // the band at the next tick, as it ends a drag.
    HeadlessView().leftButtonHeld = 0;
    RubberBandTick();
    EXPECT_EQ(gRubberBand.active, 0);
    EXPECT_EQ(HeadlessView().captured, nullptr);
    EXPECT_EQ(HeadlessView().confined, 0);
    EXPECT_EQ(HeadlessView().timers[0], 0);
}

TEST_F(DragTest, TheGraphicViewKeepsItsOwnScrollState) {
    // What the list view of a device with many controls leaves behind.
    gViewMode = ViewMode::kList;
    DeviceViewModeChanged();
    gDeviceView.vertical.total = 100;
    gDeviceView.vertical.page = 20;
    gDeviceView.vertical.position = 30;
    gViewMode = ViewMode::kGraphic;
    DeviceViewModeChanged();

    // A band on the picture's bottom edge scrolls no hidden rows, and its
    // anchor stays on what it enclosed.
    const PaneRect& r = gDeviceView.rect;
    BeginRubberBand(&gDeviceView, r.x + 100, r.y + 100);
    HeadlessView().leftButtonHeld = 1;
    HeadlessView().pointerX = r.x + 100;
    HeadlessView().pointerY = r.y + r.height - 1;
    RubberBandTick();
    EXPECT_EQ(gRubberBand.anchorY, r.y + 100);
    EXPECT_EQ(gDeviceView.vertical.total, 0);
    EndRubberBand();

    gViewMode = ViewMode::kList;
    DeviceViewModeChanged();
    EXPECT_EQ(gDeviceView.vertical.position, 30);
    EXPECT_EQ(gDeviceView.vertical.total, 100);
    gViewMode = ViewMode::kGraphic;
    DeviceViewModeChanged();
}

TEST_F(DragTest, TheBandStopsAtThePictureOverAZoneKeyboard) {
    gDevice.zoneLimit = 2;
    gKeyboardPane.rect = {199, 395, 586, 84};
    const PaneRect& r = gDeviceView.rect;
    BeginRubberBand(&gDeviceView, r.x + 10, r.y + 10);
    EXPECT_EQ(gRubberBand.bounds.y + gRubberBand.bounds.height, r.y + 317);
    UpdateRubberBand(r.x + 10, r.y + 400);  // below the picture: held at its bottom
    EXPECT_EQ(gRubberBand.band.y + gRubberBand.band.height, r.y + 317);
    EndRubberBand();
    gKeyboardPane.rect = {0, 0, 0, 0};
}
