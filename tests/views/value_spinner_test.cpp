// The value spinner: toggling two-valued values, stepping with the timer,
// Shift, clamps, the current zone's low/high coupling, and how it ends.
#include "views/value_spinner.h"

#include <climits>

#include "tests/views/editor_test_support.h"
#include "views/view_platform.h"

namespace {

using editor_test::ZonerTest;

class ValueSpinnerTest : public ZonerTest {
  protected:
    void TearDown() override {
        // Never leave a spinner running into the next test.
        ValueSpinnerButtonUp(kLeftUp);
        ValueSpinnerButtonUp(kRightUp);
        ZonerTest::TearDown();
    }
    PaneWindow Window() { return reinterpret_cast<PaneWindow>(this); }
};

TEST_F(ValueSpinnerTest, TwoValuedVariableTogglesOncePerClickWithOneUndoStepAndOneChange) {
    Preset().variables[3] = 0;
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinVariable, 3, 0, 0);
    EXPECT_EQ(Preset().variables[3], 1);
    EXPECT_EQ(gUndo.top, 0);
    EXPECT_EQ(gUndo.entries[0].preset, 1);
    EXPECT_FALSE(ValueSpinnerActive());
    EXPECT_EQ(HeadlessView().timers[1], 0);
    // A toggle is a change of the preset: Quit offers to save it and Upload
    // to Device sends it.
    EXPECT_EQ(Preset().changed, 1);
    EXPECT_EQ(Entry().changeCount, 1);

    StartValueSpinner(Window(), kRightDown, 0, 1, kSpinVariable, 3, 0, 0);
    EXPECT_EQ(Preset().variables[3], 0);
    EXPECT_EQ(gUndo.top, 1);
}

TEST_F(ValueSpinnerTest, TwoValuedZoneFieldTogglesInTheNamedZone) {
    Preset().zones[2][3] = 1;
    StartValueSpinner(Window(), kLeftDoubleClick, 0, 1, kSpinZoneField, 3, 2, 0);
    EXPECT_EQ(Preset().zones[2][3], 0);
    EXPECT_EQ(Preset().zones[0][3], 0);
    EXPECT_EQ(gUndo.top, 0);
}

TEST_F(ValueSpinnerTest, LeftButtonDecreasesByOneThenRepeatsOnTheTimer) {
    Preset().variables[2] = 50;
    HeadlessView().leftButtonHeld = 1;
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinVariable, 2, 0, 0);
    EXPECT_TRUE(ValueSpinnerActive());
    EXPECT_EQ(Preset().variables[2], 49);  // one step at once
    EXPECT_EQ(HeadlessView().timers[1], 350);
    EXPECT_EQ(HeadlessView().captured, Window());
    EXPECT_EQ(HeadlessView().confined, 1);
    EXPECT_EQ(gUndo.top, -1);  // the step is open until the button goes up

    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kArrow);
    ValueSpinnerTick();
    EXPECT_EQ(HeadlessView().timers[1], 50);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kHidden);
    EXPECT_EQ(Preset().variables[2], 48);
    ValueSpinnerTick();
    EXPECT_EQ(Preset().variables[2], 47);

    // Only the starting button's release ends it.
    ValueSpinnerButtonUp(kRightUp);
    EXPECT_TRUE(ValueSpinnerActive());
    ValueSpinnerButtonUp(kLeftUp);
    EXPECT_FALSE(ValueSpinnerActive());
    EXPECT_EQ(HeadlessView().timers[1], 0);
    EXPECT_EQ(HeadlessView().captured, nullptr);
    EXPECT_EQ(HeadlessView().confined, 0);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kArrow);
    EXPECT_EQ(gUndo.top, 0);  // one undo step for the whole hold
    EXPECT_EQ(Preset().changed, 1);
    EXPECT_EQ(Entry().changeCount, 1);
}

TEST_F(ValueSpinnerTest, RightButtonIncreasesAndBothButtonsOrShiftStepByTen) {
    Preset().variables[2] = 50;
    HeadlessView().rightButtonHeld = 1;
    StartValueSpinner(Window(), kRightDown, 0, 1, kSpinVariable, 2, 0, 0);
    EXPECT_EQ(Preset().variables[2], 51);
    HeadlessView().leftButtonHeld = 1;  // the other button joins in
    ValueSpinnerTick();
    EXPECT_EQ(Preset().variables[2], 61);
    HeadlessView().leftButtonHeld = 0;
    HeadlessView().shiftHeld = 1;
    ValueSpinnerTick();
    EXPECT_EQ(Preset().variables[2], 71);
    HeadlessView().shiftHeld = 0;
    ValueSpinnerTick();
    EXPECT_EQ(Preset().variables[2], 72);
    ValueSpinnerButtonUp(kLeftUp);  // not the starting button
    EXPECT_TRUE(ValueSpinnerActive());
    ValueSpinnerButtonUp(kRightUp);
    EXPECT_FALSE(ValueSpinnerActive());
}

TEST_F(ValueSpinnerTest, BothButtonsDecreaseByTenAndAMissedReleaseEndsAtTheNextTick) {
    Preset().variables[2] = 50;
    HeadlessView().leftButtonHeld = 1;
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinVariable, 2, 0, 0);
    HeadlessView().rightButtonHeld = 1;
    ValueSpinnerTick();
    EXPECT_EQ(Preset().variables[2], 39);
    // The left button went up where the window did not see it.
    HeadlessView().leftButtonHeld = 0;
    ValueSpinnerTick();
    EXPECT_EQ(Preset().variables[2], 39);
    EXPECT_FALSE(ValueSpinnerActive());
    EXPECT_EQ(HeadlessView().timers[1], 0);
    EXPECT_EQ(HeadlessView().captured, nullptr);
    EXPECT_EQ(Entry().changeCount, 1);
}

TEST_F(ValueSpinnerTest, ReachingALimitClampsAndEnds) {
    Preset().variables[2] = 122;
    HeadlessView().shiftHeld = 1;
    StartValueSpinner(Window(), kRightDown, 0, 1, kSpinVariable, 2, 0, 0);
    EXPECT_EQ(Preset().variables[2], 127);
    EXPECT_FALSE(ValueSpinnerActive());
    EXPECT_EQ(HeadlessView().timers[1], 0);
    EXPECT_EQ(Entry().changeCount, 1);

    Preset().variables[2] = 3;
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinVariable, 2, 0, 0);
    EXPECT_EQ(Preset().variables[2], 0);
    EXPECT_FALSE(ValueSpinnerActive());

    // Values a bank file gave at the ends of the range step to the limits.
    Preset().variables[2] = INT_MIN;
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinVariable, 2, 0, 0);
    EXPECT_EQ(Preset().variables[2], 0);
    Preset().variables[2] = INT_MAX;
    StartValueSpinner(Window(), kRightDown, 0, 1, kSpinVariable, 2, 0, 0);
    EXPECT_EQ(Preset().variables[2], 127);
}

TEST_F(ValueSpinnerTest, CurrentZoneLowNoteStepsByAnOctaveAndNeverPassesTheHighNote) {
    gDocument.currentZone = 1;
    Preset().zones[1][1] = 40;
    Preset().zones[1][2] = 58;
    HeadlessView().shiftHeld = 1;
    HeadlessView().rightButtonHeld = 1;
    StartValueSpinner(Window(), kRightDown, 0, 1, kSpinZoneField, 1, 1, 7);
    EXPECT_EQ(Preset().zones[1][1], 52);
    EXPECT_TRUE(ValueSpinnerActive());
    ValueSpinnerTick();
    EXPECT_EQ(Preset().zones[1][1], 58);  // stopped at the high note
    EXPECT_FALSE(ValueSpinnerActive());
}

TEST_F(ValueSpinnerTest, CurrentZoneHighNoteNeverGoesBelowTheLowNote) {
    gDocument.currentZone = 0;
    Preset().zones[0][1] = 40;
    Preset().zones[0][2] = 45;
    HeadlessView().shiftHeld = 1;
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinZoneField, 2, 0, 7);
    EXPECT_EQ(Preset().zones[0][2], 40);
    EXPECT_FALSE(ValueSpinnerActive());
}

TEST_F(ValueSpinnerTest, AnotherZonesNotesStepByTenWithoutCoupling) {
    gDocument.currentZone = 0;
    Preset().zones[2][1] = 40;
    Preset().zones[2][2] = 45;
    HeadlessView().shiftHeld = 1;
    StartValueSpinner(Window(), kRightDown, 0, 1, kSpinZoneField, 1, 2, 7);
    EXPECT_EQ(Preset().zones[2][1], 50);  // not the zone being edited
    EXPECT_TRUE(ValueSpinnerActive());
}

TEST_F(ValueSpinnerTest, MissingTargetsStartNothing) {
    StartValueSpinner(Window(), kLeftDown, 5, 1, kSpinVariable, 2, 0, 0);    // no bank 5
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinVariable, 9, 0, 0);    // no variable 9
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinZoneField, 1, 8, 0);   // no zone 8
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinZoneField, -1, 0, 0);  // no field -1
    StartValueSpinner(Window(), kLeftDown, 0, -1, kSpinVariable, 2, 0, 0);   // no preset -1
    // A variable whose definition gives no range (-1 .. -1): its value stays.
    gDevice.variables[2].valueMin = gDevice.variables[2].valueMax = -1;
    Preset().variables[2] = 7;
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinVariable, 2, 0, 0);
    EXPECT_EQ(Preset().variables[2], 7);
    EXPECT_FALSE(ValueSpinnerActive());
    EXPECT_EQ(gUndo.top, -1);
    EXPECT_EQ(HeadlessView().captured, nullptr);
}

TEST_F(ValueSpinnerTest, ASecondStartWhileSteppingIsIgnored) {
    Preset().variables[2] = 50;
    Preset().zones[0][0] = 5;
    HeadlessView().leftButtonHeld = 1;
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinVariable, 2, 0, 0);
    StartValueSpinner(Window(), kLeftDown, 0, 1, kSpinZoneField, 0, 0, 0);
    EXPECT_EQ(Preset().zones[0][0], 5);
    ValueSpinnerTick();
    EXPECT_EQ(Preset().variables[2], 48);
}

}  // namespace
