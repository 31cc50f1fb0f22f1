// The graphic view: the scale for a view, the rounding of the control
// rectangles, pictures built from the shipped demo device, hit tests by zone,
// the rubber band's selection, the CC/Ch labels, and the selection rules of
// presses and releases driven through the pane.
#include "views/device_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "views/device_view_steps.h"
#include "views/drag.h"
#include "headless/bitmap_store_headless.h"
#include "headless/view_platform_headless.h"
#include "imaging/image_bitmap.h"
#include "views/editor_document.h"
#include "views/graphic_geometry.h"
#include "views/graphic_pictures.h"
#include "views/keyboard_pane.h"
#include "views/view_state.h"

namespace {

constexpr int kViewWidth = 586;
constexpr int kViewHeight = 409;

DeviceDefinition MakeBounds(int width, int height) {
    DeviceDefinition def = {};
    def.bounds[2] = width;
    def.bounds[3] = height;
    return def;
}

TEST(GraphicScale, WidePicturesScrollUnlessFitted) {
    DeviceDefinition def = MakeBounds(2000, 200);
    float scale = 0;
    int scroll = -1;
    ComputeGraphicScale(def, kViewWidth, kViewHeight, 0, 16, &scale, &scroll);
    // The height decides: (409 - 8 - 16) / 200.
    EXPECT_FLOAT_EQ(scale, 385.0f / 200.0f);
    EXPECT_EQ(scroll, 1);
    ComputeGraphicScale(def, kViewWidth, kViewHeight, 1, 16, &scale, &scroll);
    EXPECT_FLOAT_EQ(scale, 578.0f / 2000.0f);
    EXPECT_EQ(scroll, 0);
}

TEST(GraphicScale, SmallPicturesAreEnlargedAtMostTwiceUnlessFitted) {
    DeviceDefinition def = MakeBounds(100, 100);
    float scale = 0;
    int scroll = -1;
    ComputeGraphicScale(def, kViewWidth, kViewHeight, 0, 16, &scale, &scroll);
    EXPECT_FLOAT_EQ(scale, 2.0f);
    EXPECT_EQ(scroll, 0);
    ComputeGraphicScale(def, kViewWidth, kViewHeight, 1, 16, &scale, &scroll);
    EXPECT_FLOAT_EQ(scale, 401.0f / 100.0f);
    // Below 0.5, but the picture fits the width at the bar-less height's
    // scale: it is shown whole, without scrolling.
    def = MakeBounds(1200, 900);
    ComputeGraphicScale(def, kViewWidth, kViewHeight, 0, 16, &scale, &scroll);
    EXPECT_FLOAT_EQ(scale, 401.0f / 900.0f);
    EXPECT_EQ(scroll, 0);
}

TEST(GraphicScale, DefinitionsWithoutBoundsOrRoomStillGetAScale) {
    DeviceDefinition def = MakeBounds(0, 0);
    float scale = 0;
    int scroll = -1;
    ComputeGraphicScale(def, kViewWidth, kViewHeight, 0, 16, &scale, &scroll);
    EXPECT_FLOAT_EQ(scale, 1.0f);
    def = MakeBounds(300, 200);
    ComputeGraphicScale(def, 0, 0, 0, 16, &scale, &scroll);
    EXPECT_GT(scale, 0.0f);
}

TEST(GraphicGeometry, RectanglesRoundHalvesAfterScaling) {
    // Centre 11, width 5 at 0.5: (8.5 * 0.5 + 0.5) = 4.75 -> 4; (13.5 * 0.5 + 0.5) -> 7.
    DocRect r = ScaledCentredRect(11, 20, 5, 4, 0.5f);
    EXPECT_EQ(r.left, 4);
    EXPECT_EQ(r.right, 7);
    EXPECT_EQ(r.top, 9);
    EXPECT_EQ(r.bottom, 11);
    r = ScaledCentredRect(10, 10, 3, 3, 1.0f);  // 8.5 + 0.5 -> 9 and 11.5 + 0.5 -> 12
    EXPECT_EQ(r.left, 9);
    EXPECT_EQ(r.right, 12);
    EXPECT_EQ(ScaleLength(99, 0.5f), 50);
    EXPECT_EQ(ScaleLength(98, 0.5f), 49);
    // A centre far out, as a definition file may give it: kept in an int.
    EXPECT_GT(ScaleLength(1e12, 1.0f), 0);
    EXPECT_LT(ScaleLength(-1e12, 1.0f), 0);
}

TEST(GraphicLabels, CcAndChannelTexts) {
    char text[16];
    EXPECT_FALSE(FormatCcChLabel(255, 0, 1.0f, text, sizeof text));
    ASSERT_TRUE(FormatCcChLabel(255, 3, 1.0f, text, sizeof text));
    EXPECT_STREQ(text, "3");
    ASSERT_TRUE(FormatCcChLabel(7, 0, 1.0f, text, sizeof text));
    EXPECT_STREQ(text, "7");
    ASSERT_TRUE(FormatCcChLabel(7, 3, 1.0f, text, sizeof text));
    EXPECT_STREQ(text, "7/3");
    ASSERT_TRUE(FormatCcChLabel(7, 3, 0.5f, text, sizeof text));
    EXPECT_STREQ(text, "7");
    EXPECT_FALSE(FormatCcChLabel(255, 3, 0.5f, text, sizeof text));
}

// Six pixels a character, as the small font would measure.
static int SixPerCharacter(const char* text, void*) {
    return 6 * static_cast<int>(std::strlen(text));
}

TEST(GraphicLabels, ALabelStaysInsideItsControlOrGoesBesideIt) {
    CcChLabel label;
    // A knob: the whole label, centred.
    ASSERT_TRUE(
        PlaceCcChLabel(21, 2, 1.0f, {100, 50, 40, 40}, 12, SixPerCharacter, nullptr, &label));
    EXPECT_STREQ(label.text, "21/2");
    EXPECT_EQ(label.box.x, 100 + (40 - 26) / 2);
    EXPECT_EQ(label.box.y, 64);
    // A small button: the controller number alone, inside it.
    ASSERT_TRUE(
        PlaceCcChLabel(45, 10, 1.0f, {100, 50, 16, 14}, 12, SixPerCharacter, nullptr, &label));
    EXPECT_STREQ(label.text, "45");
    EXPECT_GE(label.box.x, 100);
    EXPECT_LE(label.box.x + label.box.width, 116);
    // Too small even for that: the number just below it, centred.
    ASSERT_TRUE(
        PlaceCcChLabel(120, 3, 1.0f, {100, 50, 10, 14}, 12, SixPerCharacter, nullptr, &label));
    EXPECT_STREQ(label.text, "120");
    EXPECT_EQ(label.box.x, 100 + (10 - 20) / 2);
    EXPECT_EQ(label.box.y, 65);
    EXPECT_FALSE(
        PlaceCcChLabel(255, 0, 1.0f, {100, 50, 40, 40}, 12, SixPerCharacter, nullptr, &label));
}

// A document of three controls on a hand-made layout: control 0 and 2 in
// every zone, control 1 in zone 2 only; type 1 has no background picture.
class GraphicHitTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc_ = new EditorDocument();
        ASSERT_TRUE(ImageBitmapAllocate(&doc_->types[0].background, 4, 4));
        doc_->controls[0] = Place(0, 0, {10, 10, 30, 30}, {12, 12, 20, 20});
        doc_->controls[1] = Place(2, 0, {40, 10, 60, 30}, {42, 12, 50, 20});
        doc_->controls[2] = Place(0, 1, {70, 10, 90, 30}, {72, 12, 80, 20});
    }
    void TearDown() override {
        ImageBitmapRelease(&doc_->types[0].background);
        delete doc_;
    }
    static DocControl Place(int zone, int type, DocRect back, DocRect over) {
        DocControl c = {};
        c.zone = zone;
        c.type = type;
        c.backgroundRect = back;
        c.overlayRect = over;
        return c;
    }
    EditorDocument* doc_ = nullptr;
};

TEST_F(GraphicHitTest, EdgesAndOrder) {
    EXPECT_EQ(HitGraphicControl(*doc_, 3, 10, 10), 0);
    EXPECT_EQ(HitGraphicControl(*doc_, 3, 29, 29), 0);
    EXPECT_EQ(HitGraphicControl(*doc_, 3, 30, 29), -1) << "right edge is outside";
    EXPECT_EQ(HitGraphicControl(*doc_, 3, 5, 5), -1);
    EXPECT_EQ(HitGraphicControl(*doc_, 2, 75, 15), -1) << "beyond the control count";
}

TEST_F(GraphicHitTest, ControlsOfOtherZonesAreNotHitButBandsTakeThem) {
    doc_->currentZone = 0;
    EXPECT_EQ(HitGraphicControl(*doc_, 3, 45, 15), -1);
    doc_->currentZone = 1;
    EXPECT_EQ(HitGraphicControl(*doc_, 3, 45, 15), 1);
    doc_->currentZone = 0;
    uint8_t selected[kDocMaxControls] = {};
    EXPECT_EQ(SelectControlsInBand(*doc_, 3, 95, 35, 5, 5, selected), 3);  // corners either way
    EXPECT_EQ(selected[1], 1);
}

TEST_F(GraphicHitTest, WithoutABackgroundPictureOnlyTheOverlayCounts) {
    EXPECT_EQ(HitGraphicControl(*doc_, 3, 71, 11), -1);
    EXPECT_EQ(HitGraphicControl(*doc_, 3, 73, 13), 2);
    // The band needs only the overlay inside it for such a control...
    uint8_t selected[kDocMaxControls] = {};
    EXPECT_EQ(SelectControlsInBand(*doc_, 3, 71, 11, 81, 21, selected), 1);
    EXPECT_EQ(selected[2], 1);
    // ... and the whole background for the others.
    std::memset(selected, 0, sizeof selected);
    EXPECT_EQ(SelectControlsInBand(*doc_, 3, 11, 10, 30, 30, selected), 0);
}

TEST_F(GraphicHitTest, ScrollModeMapsPointsBySrollPosition) {
    doc_->offX = 100;
    doc_->offY = 50;
    int x = 0;
    int y = 0;
    PanePointToPicture(*doc_, 30, 120, 70, &x, &y);
    EXPECT_EQ(x, 16);
    EXPECT_EQ(y, 16);
    doc_->scrollMode = 1;
    PanePointToPicture(*doc_, 30, 120, 70, &x, &y);
    EXPECT_EQ(x, 146);
    EXPECT_EQ(y, 66);
}

// The shipped demo device, its pictures built for the design layout.
class DemoDeviceView : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessViewReset();
        gDeviceView.rect = {199, 70, kViewWidth, kViewHeight};
        gKeyboardPane.rect = {199, 395, 586, 84};
        gFitMode = 0;
        gViewMode = ViewMode::kGraphic;
        std::string folder = std::string(OSTREL_SOURCE_DIR) + "/data/Devices/Meridian 49.eld/";
        LoadDeviceDefinition(folder.c_str());
        ASSERT_GT(gDevice.controlCount, 4);
        BuildGraphicPictures();
        ResetBankList();
        bank_ = AddTestBank();
        std::memset(gSelection.controls, 0, sizeof gSelection.controls);
        gDocument.currentZone = 0;
    }
    void TearDown() override {
        ReleaseGraphicPictures();
        ResetBankList();
    }
    static int AddTestBank() {
        BankEntry& entry = gBanks.entries[0];
        entry = BankEntry{};
        entry.data = AllocBankData();
        entry.kind = BankKind::User;
        CopyText(entry.displayName, "Test");
        gBanks.count = 1;
        gBanks.current = 0;
        gBanks.currentPreset = 0;
        return 0;
    }
    // The client point at the middle of a control's overlay.
    static void ControlPoint(int control, int* x, int* y) {
        const DocControl& c = gDocument.controls[control];
        *x = gDeviceView.rect.x + kPictureMargin + gDocument.offX +
             (c.overlayRect.left + c.overlayRect.right) / 2;
        *y = gDeviceView.rect.y + kPictureMargin + gDocument.offY +
             (c.overlayRect.top + c.overlayRect.bottom) / 2;
    }
    int Click(int control, int flags) {
        int x = 0;
        int y = 0;
        ControlPoint(control, &x, &y);
        gDeviceView.Mouse(nullptr, x, y, kLeftDown, flags);
        int handled = gDeviceView.Mouse(nullptr, x, y, kLeftUp, flags);
        gDrag.armed = 0;  // as the window's dispatch does
        return handled;
    }
    int FirstSharedControl() const {
        for (int i = 0; i < gDevice.controlCount; ++i) {
            if (gDocument.controls[i].zone == 0) return i;
        }
        return -1;
    }
    int bank_ = 0;
};

TEST_F(DemoDeviceView, PicturesAndRectanglesFollowTheScale) {
    int pictureHeight = DeviceViewPictureHeight();
    EXPECT_EQ(pictureHeight, 317);
    float expected = 0;
    int scroll = 0;
    ComputeGraphicScale(gDevice, kViewWidth, pictureHeight, 0, 16, &expected, &scroll);
    EXPECT_FLOAT_EQ(gDocument.scale, expected);
    EXPECT_FALSE(ImageBitmapIsEmpty(gDocument.background));
    EXPECT_EQ(gDocument.backgroundWidth, ScaleLength(gDevice.bounds[2], gDocument.scale));
    EXPECT_EQ(gDocument.offX, (kViewWidth - gDocument.backgroundWidth - 8) / 2);
    for (int i = 0; i < gDevice.controlCount; ++i) {
        const DocControl& c = gDocument.controls[i];
        const TypePictures& t = gDocument.types[c.type];
        DocRect want = ScaledCentredRect(c.secondCentreX - gDevice.bounds[0],
                                         c.secondCentreY - gDevice.bounds[1], t.unscaledWidth[2],
                                         t.unscaledHeight[2], gDocument.scale);
        EXPECT_EQ(c.overlayRect.left, want.left) << i;
        EXPECT_EQ(c.overlayRect.bottom, want.bottom) << i;
        EXPECT_EQ(gDevice.controls[i].overlayRect.right, want.right) << i;
        EXPECT_GT(t.unscaledWidth[2], 0) << "every demo type has its picture";
        EXPECT_EQ(t.normal.width, ScaleLength(t.unscaledWidth[2], gDocument.scale));
    }
}

TEST_F(DemoDeviceView, AResizedViewKeepsItsScrollPositionInsideThePicture) {
    std::string folder = std::string(OSTREL_SOURCE_DIR) + "/data/Devices/Sprite 25.eld/";
    LoadDeviceDefinition(folder.c_str());
    BuildGraphicPictures();
    ASSERT_EQ(gDocument.scrollMode, 1);
    int page = kViewWidth - 2 * kPictureMargin;
    ASSERT_GT(gDocument.backgroundWidth, page);
    gDeviceView.horizontal.position = gDocument.backgroundWidth - page;  // scrolled to the end
    gDeviceView.rect.width = kViewWidth + 150;
    ASSERT_EQ(RefitGraphicPictures(), 1);
    page = gDeviceView.rect.width - 2 * kPictureMargin;
    EXPECT_GE(gDeviceView.horizontal.position, 0);
    EXPECT_LE(gDeviceView.horizontal.position, std::max(0, gDocument.backgroundWidth - page));

    // A resize builds the pictures at once, before any paint: the position is inside already.
    gDeviceView.rect.width = kViewWidth;
    gDeviceView.rect.height -= 60;
    BuildGraphicPictures();
    gDeviceView.horizontal.position = 100000;
    gDeviceView.rect.height += 60;
    BuildGraphicPictures();
    page = gDeviceView.rect.width - 2 * kPictureMargin;
    EXPECT_LE(gDeviceView.horizontal.position, std::max(0, gDocument.backgroundWidth - page));

    // Rebuilt smaller while the list view shows: back inside when the picture shows again.
    gDeviceView.horizontal.position = gDocument.backgroundWidth - page;
    gViewMode = ViewMode::kList;
    DeviceViewModeChanged();
    gDeviceView.rect.height -= 100;
    BuildGraphicPictures();
    gViewMode = ViewMode::kGraphic;
    DeviceViewModeChanged();
    EXPECT_LE(gDeviceView.horizontal.position, std::max(0, gDocument.backgroundWidth - page));

    // A device laid out anew while the list view shows: the picture starts at its left edge.
    gDeviceView.horizontal.position = 40;
    gViewMode = ViewMode::kList;
    DeviceViewModeChanged();
    LayoutDeviceViews();
    gViewMode = ViewMode::kGraphic;
    DeviceViewModeChanged();
    EXPECT_EQ(gDeviceView.horizontal.position, 0);
}

TEST_F(DemoDeviceView, FitModeAndReleaseRebuildCleanly) {
    int live = HeadlessLiveBitmapCount();
    gFitMode = 1;
    DeviceViewFitModeChanged();
    EXPECT_EQ(HeadlessLiveBitmapCount(), live) << "the old pictures were released";
    EXPECT_EQ(gDocument.scrollMode, 0);
    ReleaseGraphicPictures();
    EXPECT_LT(HeadlessLiveBitmapCount(), live);
    EXPECT_EQ(DeviceViewControlAt(400, 200), -1) << "no pictures: nothing is hit";
    gFitMode = 0;
}

TEST_F(DemoDeviceView, ClicksSelectControls) {
    int a = FirstSharedControl();
    ASSERT_GE(a, 0);
    int b = a + 1;
    while (b < gDevice.controlCount && gDocument.controls[b].zone != 0) ++b;
    ASSERT_LT(b, gDevice.controlCount);
    EXPECT_EQ(Click(a, 0), kMouseHandled);
    EXPECT_EQ(gSelection.controls[a], 1);
    EXPECT_EQ(gBanks.currentControl, a);
    EXPECT_EQ(Click(b, kKeyFlagControl), kMouseHandled);
    EXPECT_EQ(gSelection.controls[a], 1);
    EXPECT_EQ(gSelection.controls[b], 1);
    EXPECT_EQ(Click(a, kKeyFlagControl), kMouseHandled);
    EXPECT_EQ(gSelection.controls[a], 0);
    EXPECT_EQ(gBanks.currentControl, b);
    Click(a, 0);
    EXPECT_EQ(gSelection.controls[b], 0) << "a plain click selects that control alone";
    // Shift: the range from the first selected control to the clicked one.
    Click(b + 2 < gDevice.controlCount ? b + 2 : b, kKeyFlagShift);
    for (int i = a; i <= b; ++i) EXPECT_EQ(gSelection.controls[i], 1) << i;
}

TEST_F(DemoDeviceView, PressOnASelectedControlKeepsTheSelectionForADrag) {
    int a = FirstSharedControl();
    gSelection.controls[a] = 1;
    gSelection.controls[a + 1] = 1;
    int x = 0;
    int y = 0;
    ControlPoint(a, &x, &y);
    gDeviceView.Mouse(nullptr, x, y, kLeftDown, 0);
    EXPECT_EQ(gSelection.controls[a + 1], 1);
    EXPECT_EQ(gDrag.armed, 1);
    EXPECT_EQ(gDrag.sourceControl, a);
    gDrag.armed = 0;
}

TEST_F(DemoDeviceView, RubberBandSelectsWhatItEncloses) {
    // A band round the whole picture, from empty space at the top left.
    int left = gDeviceView.rect.x + 2;
    int top = gDeviceView.rect.y + 3;
    ASSERT_EQ(DeviceViewControlAt(left, top), -1);
    gSelection.controls[0] = 1;
    EXPECT_EQ(gDeviceView.Mouse(nullptr, left, top, kLeftDown, 0), kMouseHandled);
    ASSERT_TRUE(gRubberBand.active);
    int right = gDeviceView.rect.x + gDeviceView.rect.width - 2;
    int bottom = gDeviceView.rect.y + DeviceViewPictureHeight() - 2;
    gDeviceView.Mouse(nullptr, right, bottom, kMouseMove, 0);
    gDeviceView.Mouse(nullptr, right, bottom, kLeftUp, 0);
    EXPECT_FALSE(gRubberBand.active);
    int selected = 0;
    for (int i = 0; i < gDevice.controlCount; ++i) selected += gSelection.controls[i];
    EXPECT_EQ(selected, gDevice.controlCount) << "zones are not tested by the band";
    EXPECT_EQ(gBanks.currentControl, 0);
}

TEST_F(DemoDeviceView, RubberBandWithoutMovementChangesNothing) {
    int left = gDeviceView.rect.x + 2;
    int top = gDeviceView.rect.y + 3;
    gSelection.controls[3] = 1;
    gDeviceView.Mouse(nullptr, left, top, kLeftDown, 0);
    gDeviceView.Mouse(nullptr, left, top, kLeftUp, 0);
    EXPECT_FALSE(gRubberBand.active);
    EXPECT_EQ(gSelection.controls[3], 1);
    // Below the picture (over the keyboard) no band starts.
    gDeviceView.Mouse(nullptr, left + 10, gDeviceView.rect.y + 350, kLeftDown, 0);
    EXPECT_FALSE(gRubberBand.active);
}

TEST_F(DemoDeviceView, DoubleClickOpensTheControlEditor) {
    gEditorShown = 0;
    int a = FirstSharedControl();
    int x = 0;
    int y = 0;
    ControlPoint(a, &x, &y);
    gDeviceView.Mouse(nullptr, x, y, kLeftDoubleClick, 0);
    ASSERT_FALSE(HeadlessView().commands.empty());
    EXPECT_EQ(HeadlessView().commands.back(), 24);
}

TEST_F(DemoDeviceView, QuickRedrawSettlesTheChangedFlags) {
    RememberPaintedSelection();
    gSelection.controls[2] = 1;
    EXPECT_EQ(ComputeSelectionChanges(), 1);
    EXPECT_EQ(gDocument.changed[2], 1);
    QuickRedrawDeviceView();
    EXPECT_EQ(ComputeSelectionChanges(), 0);
}

}  // namespace
