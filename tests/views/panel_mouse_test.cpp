// The panels: hit tests and enabling of their items, character units, and
// the mouse dispatch's press feedback, actions and hand-off to the panes.
#include "views/panel_mouse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "devices/device_definition.h"
#include "views/drag.h"
#include "views/editor_tabs.h"
#include "headless/view_platform_headless.h"
#include "midi/transfer_engine.h"
#include "midi/transfer_state.h"
#include "shell/commands.h"
#include "views/pane_layout.h"
#include "views/panel.h"
#include "views/tooltip.h"
#include "views/view_state.h"

namespace {

PaneWindow Window(int n) {
    return reinterpret_cast<PaneWindow>(static_cast<uintptr_t>(n));
}

// A pane that records the messages it gets and handles those inside its
// rectangle.
class RecordingPane : public Pane {
  public:
    void Paint(PaneDc) override {}
    int Mouse(PaneWindow, int x, int y, int message, int) override {
        messages.push_back(message);
        bool inside =
            x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
        return inside ? kMouseHandled : kMouseNotHandled;
    }
    std::vector<int> messages;
};

class PanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HeadlessViewReset();
        ResetTransferState();
        DeviceDefinitionReset(&gDevice);
        gViewMode = ViewMode::kGraphic;
        gDrag = DragState();
        LayoutPanes(Window(1), Window(2), Window(3));
        ResetTooltip();
    }
    void TearDown() override {
        ResetTooltip();
        LayoutPanes(nullptr, nullptr, nullptr);
        ResetTransferState();
        gViewMode = ViewMode::kGraphic;
    }
    static PanelItem& Item(int type) { return *FindPanelItem(gMainPanel, type); }
    static void Click(int x, int y) {
        PanelMouse(gMainPanel, x, y, kLeftDown, kKeyFlagLeft);
        PanelMouse(gMainPanel, x, y, kLeftUp, 0);
    }
};

TEST_F(PanelTest, HitTestIncludesTopLeftExcludesFarEdges) {
    const PanelItem& send = Item(kItemSend);  // 91, 23, 50 x 27
    int index = static_cast<int>(&send - gMainPanel.items);
    EXPECT_EQ(HitTestPanel(gMainPanel, 91, 23), index);
    EXPECT_EQ(HitTestPanel(gMainPanel, 140, 49), index);
    EXPECT_EQ(HitTestPanel(gMainPanel, 141, 30), -1);
    EXPECT_EQ(HitTestPanel(gMainPanel, 100, 50), -1);
    EXPECT_EQ(HitTestPanel(gMainPanel, 90, 30), -1);
    EXPECT_EQ(HitTestPanel(gLibraryPanel, 20, 20), -1);  // a panel without items
}

TEST_F(PanelTest, ZoneTabExistsOnlyForDevicesWithZoneDataFields) {
    EXPECT_EQ(HitTestPanel(gEditorPanel, 235, 10), 1);  // "Extra Variables", drawn 115 wide
    EXPECT_EQ(HitTestPanel(gEditorPanel, 123 + 115, 10), -1);
    EXPECT_EQ(HitTestPanel(gEditorPanel, 240, 10), -1);
    EXPECT_FALSE(PanelItemEnabled(*FindPanelItem(gEditorPanel, kItemTabZones)));
    gDevice.zoneFieldCount = 3;
    EXPECT_EQ(HitTestPanel(gEditorPanel, 240, 10), 2);
    EXPECT_EQ(HitTestPanel(gEditorPanel, 229, 10), 1);
    EXPECT_TRUE(PanelItemEnabled(*FindPanelItem(gEditorPanel, kItemTabZones)));
    EXPECT_EQ(FindPanelItem(gEditorPanel, kItemTabDetails)->pressed, 1);  // shown at start
}

TEST_F(PanelTest, TransferButtonsFollowTheEngineAndRefreshWaitsForATransfer) {
    // Nothing connected: the three transfer buttons are off, the rest on.
    EXPECT_FALSE(PanelItemEnabled(Item(kItemSend)));
    EXPECT_FALSE(PanelItemEnabled(Item(kItemUpload)));
    EXPECT_FALSE(PanelItemEnabled(Item(kItemDownload)));
    EXPECT_TRUE(PanelItemEnabled(Item(kItemRescan)));
    EXPECT_TRUE(PanelItemEnabled(Item(kItemLibrary)));
    EXPECT_FALSE(PanelItemEnabled(Item(kItemIndicator)));
    gTransfer.receiving = 1;
    EXPECT_FALSE(PanelItemEnabled(Item(kItemRescan)));
    Click(60, 500);  // the refresh button
    EXPECT_TRUE(HeadlessView().commands.empty());
    gTransfer.receiving = 0;
    gTransfer.handshakeActive = 1;  // a dump asked for, not arrived yet
    EXPECT_FALSE(PanelItemEnabled(Item(kItemRescan)));
    gTransfer.handshakeActive = 0;

    // Whenever the menu takes the rules again, the buttons are drawn again.
    HeadlessView().invalidatedRects.clear();
    UpdateTransferMenu();
    for (int type : {kItemSend, kItemUpload, kItemDownload, kItemRescan}) {
        const PanelItem& button = Item(type);
        const std::vector<PaneRect>& drawn = HeadlessView().invalidatedRects;
        EXPECT_TRUE(std::any_of(drawn.begin(), drawn.end(), [&](const PaneRect& r) {
            return r.x == button.x && r.y == button.y && r.width == button.width;
        })) << type;
    }
}

TEST_F(PanelTest, CharacterUnitsScaleAndNegativeValuesArePixels) {
    PaneRect r = CharacterUnitsToPixels(2, 1, 50, -30, 7, 13);
    EXPECT_EQ(r.x, 14);
    EXPECT_EQ(r.y, 13);
    EXPECT_EQ(r.width, 350);
    EXPECT_EQ(r.height, 30);
    ApplyMessagePanelUnits(6, 13);
    EXPECT_EQ(gMessagePanel.layout.width, 300);
    EXPECT_EQ(gMessagePanel.layout.height, 26);
    EXPECT_EQ(gMessagePanel.items[0].width, 300);
    EXPECT_EQ(gMessagePanel.items[0].height, 26);
    ApplyMessagePanelUnits(8, 16);  // applied again: from the layout, not compounded
    EXPECT_EQ(gMessagePanel.items[0].width, 400);
}

TEST_F(PanelTest, PressMoveOffReleaseRunsNothingMoveBackRunsTheButton) {
    PanelItem& info = Item(kItemInfo);
    int x = info.x + 5;
    int y = info.y + 5;
    PanelMouse(gMainPanel, x, y, kLeftDown, kKeyFlagLeft);
    EXPECT_EQ(info.pressed, 1);
    EXPECT_EQ(HeadlessView().captured, Window(1));
    EXPECT_EQ(HeadlessView().confined, 1);
    PanelMouse(gMainPanel, 400, 300, kMouseMove, kKeyFlagLeft);
    EXPECT_EQ(info.pressed, 0);
    PanelMouse(gMainPanel, 400, 300, kLeftUp, 0);
    EXPECT_TRUE(HeadlessView().commands.empty());
    EXPECT_EQ(HeadlessView().captured, nullptr);
    EXPECT_EQ(HeadlessView().confined, 0);
    EXPECT_EQ(gMainPanel.pressedItem, -1);

    PanelMouse(gMainPanel, x, y, kLeftDown, kKeyFlagLeft);
    PanelMouse(gMainPanel, 400, 300, kMouseMove, kKeyFlagLeft);
    PanelMouse(gMainPanel, x + 1, y, kMouseMove, kKeyFlagLeft);
    EXPECT_EQ(info.pressed, 1);
    PanelMouse(gMainPanel, x + 1, y, kLeftUp, 0);
    ASSERT_EQ(HeadlessView().commands.size(), 1u);
    EXPECT_EQ(HeadlessView().commands[0], kCmdEditorWindow);
    EXPECT_EQ(info.pressed, 0);
    // Each change of the picture repainted the button's rectangle.
    ASSERT_FALSE(HeadlessView().invalidatedRects.empty());
    const PaneRect& last = HeadlessView().invalidatedRects.back();
    EXPECT_EQ(last.x, info.x);
    EXPECT_EQ(last.width, info.width);
}

TEST_F(PanelTest, LosingTheCaptureReleasesAPressWithoutItsAction) {
    PanelItem& library = Item(kItemLibrary);
    PanelMouse(gMainPanel, library.x + 2, library.y + 2, kLeftDown, kKeyFlagLeft);
    ASSERT_EQ(library.pressed, 1);
    HeadlessView().captured = Window(9);  // another window took it
    PanelCaptureLost(gMainPanel);
    EXPECT_EQ(HeadlessView().captured, Window(9));  // and keeps it
    EXPECT_EQ(library.pressed, 0);
    EXPECT_EQ(gMainPanel.pressedItem, -1);
    EXPECT_EQ(HeadlessView().confined, 0);
    PanelMouse(gMainPanel, library.x + 2, library.y + 2, kLeftUp, 0);
    EXPECT_TRUE(HeadlessView().commands.empty());

    // Its release lost (the mouse is ignored while a transfer runs): the next
    // move without the button ends it, and the next click is a click.
    PanelMouse(gMainPanel, library.x + 2, library.y + 2, kLeftDown, kKeyFlagLeft);
    PanelMouse(gMainPanel, 400, 300, kMouseMove, 0);
    EXPECT_EQ(HeadlessView().confined, 0);
    EXPECT_EQ(library.pressed, 0);
    PanelItem& info = Item(kItemInfo);
    PanelMouse(gMainPanel, library.x + 2, library.y + 2, kLeftDown, kKeyFlagLeft);
    Click(info.x + 3, info.y + 3);  // straight after, without a move
    EXPECT_EQ(HeadlessView().commands, std::vector<int>{kCmdEditorWindow});

    // A tab's press, ended either way, leaves the shown tab shown.
    SelectEditorTab(kEditorTabDetails);
    PanelItem& details = *FindPanelItem(gEditorPanel, kItemTabDetails);
    PanelMouse(gEditorPanel, details.x + 3, details.y + 3, kLeftDown, kKeyFlagLeft);
    PanelMouse(gEditorPanel, details.x + 30, details.y + 60, kMouseMove, 0);
    EXPECT_EQ(details.pressed, 1);
    PanelMouse(gEditorPanel, details.x + 3, details.y + 3, kLeftDown, kKeyFlagLeft);
    PanelMouse(gEditorPanel, details.x + 3, details.y + 3, kLeftUp, 0);
    EXPECT_EQ(details.pressed, 1);
}

TEST_F(PanelTest, ButtonsRunTheirCommands) {
    Click(Item(kItemView).x + 3, Item(kItemView).y + 3);
    Click(Item(kItemLibrary).x + 3, Item(kItemLibrary).y + 3);
    Click(Item(kItemNew).x + 3, Item(kItemNew).y + 3);
    Click(Item(kItemRescan).x + 3, Item(kItemRescan).y + 3);
    gViewMode = ViewMode::kList;
    Click(Item(kItemView).x + 3, Item(kItemView).y + 3);
    Click(Item(kItemSend).x + 3, Item(kItemSend).y + 3);        // disabled: nothing
    Click(Item(kItemLogoTop).x + 3, Item(kItemLogoTop).y + 3);  // a static: nothing
    std::vector<int> expected = {kCmdListView, kCmdLibraryWindow, kCmdNewBank, kCmdRefreshDevices,
                                 kCmdGraphicView};
    EXPECT_EQ(HeadlessView().commands, expected);
}

TEST_F(PanelTest, PanesGetTheMessageInTurnUntilOneHandlesIt) {
    RecordingPane first;
    RecordingPane second;
    first.rect = {0, 100, 100, 100};
    second.rect = {0, 0, 400, 400};
    Pane* const panes[] = {&first, &second};
    Panel panel = {{"Test", 0, 0, 0, 0, 0, 1, 1}, nullptr, 0, nullptr, panes, panes, 2};
    panel.window = Window(5);
    EXPECT_EQ(PanelMouse(panel, 50, 150, kLeftDown, kKeyFlagLeft), kMouseHandled);
    EXPECT_EQ(first.messages.size(), 1u);
    EXPECT_EQ(second.messages.size(), 0u);
    EXPECT_EQ(PanelMouse(panel, 300, 300, kRightUp, 0), kMouseHandled);
    EXPECT_EQ(first.messages.size(), 2u);
    EXPECT_EQ(second.messages.size(), 1u);
    EXPECT_EQ(PanelMouse(panel, 500, 500, kMouseMove, 0), kMouseNotHandled);
    EXPECT_EQ(second.messages.size(), 2u);
    // A right double-click reaches the panes as the right press it is.
    PanelMouse(panel, 300, 300, kRightDoubleClick, kKeyFlagRight);
    ASSERT_EQ(second.messages.size(), 3u);
    EXPECT_EQ(second.messages.back(), kRightDown);

    // A toolbar press is the button's own: the panes see none of it.
    first.messages.clear();
    PanelMouse(gMainPanel, Item(kItemLibrary).x + 1, Item(kItemLibrary).y + 1, kLeftDown,
               kKeyFlagLeft);
    PanelMouse(gMainPanel, 300, 300, kMouseMove, kKeyFlagLeft);
    PanelMouse(gMainPanel, 300, 300, kLeftUp, 0);
    EXPECT_TRUE(first.messages.empty());
}

TEST_F(PanelTest, EveryLeftReleaseEndsTheDragWhicheverPaneTookIt) {
    RecordingPane pane;
    pane.rect = {0, 0, 10, 10};
    pane.window = Window(5);
    Pane* const panes[] = {&pane};
    Panel panel = {{"Test", 0, 0, 0, 0, 0, 1, 1}, nullptr, 0, nullptr, panes, panes, 1};
    gDrag.armed = 1;
    PanelMouse(panel, 300, 300, kLeftUp, 0);
    EXPECT_EQ(gDrag.armed, 0);
    EXPECT_EQ(gDrag.dragging, 0);

    // A running drag holds the capture, so that a release over another
    // window comes back; a pane that takes the release without a drop of
    // its own (as the keyboard does) still ends it.
    ArmDrag(&pane, 0, 0, 0, 0, 0);
    StartDrag();
    ASSERT_EQ(gDrag.dragging, 1);
    EXPECT_EQ(HeadlessView().captured, Window(5));
    EXPECT_EQ(PanelMouse(panel, 5, 5, kLeftUp, 0), kMouseHandled);
    EXPECT_EQ(gDrag.dragging, 0);
    EXPECT_EQ(HeadlessView().captured, nullptr);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kArrow);

    // A drag holds the capture from the press: its first move may already
    // be over another window. A release without a move lets it go again.
    ArmDrag(&pane, 0, 0, 0, 1, 0);
    EXPECT_EQ(HeadlessView().captured, Window(5));
    PanelMouse(panel, 5, 5, kLeftUp, 0);
    EXPECT_EQ(gDrag.armed, 0);
    EXPECT_EQ(HeadlessView().captured, nullptr);

    // A release no window saw: the next tick finds the button up.
    ArmDrag(&pane, 0, 0, 0, 0, 0);
    StartDrag();
    HeadlessView().leftButtonHeld = 1;
    DragTick(Window(5));
    EXPECT_EQ(gDrag.dragging, 1);
    HeadlessView().leftButtonHeld = 0;
    DragTick(Window(5));
    EXPECT_EQ(gDrag.dragging, 0);
    EXPECT_EQ(HeadlessView().timers[0], 0);

    // A press whose release no pane saw (a transfer held the input): the next
    // press is the one dragged, and a move without the button lets it go.
    RecordingPane other;
    other.window = Window(5);
    ArmDrag(&pane, 0, 1, 0, 0, 0);
    ArmDrag(&other, 0, 2, 0, 0, 0);
    EXPECT_EQ(gDrag.sourcePane, &other);
    EXPECT_EQ(gDrag.sourcePreset, 2);
    PanelMouse(panel, 5, 5, kMouseMove, 0);
    EXPECT_EQ(gDrag.armed, 0);
    EXPECT_EQ(gDrag.dragging, 0);
    EXPECT_EQ(HeadlessView().captured, nullptr);
    // A left press that arms nothing of its own ends the old arm too; a right
    // press, which may come while the left button holds the drag, does not.
    ArmDrag(&pane, 0, 1, 0, 0, 0);
    PanelMouse(panel, 5, 5, kRightDown, kKeyFlagLeft | kKeyFlagRight);
    EXPECT_EQ(gDrag.armed, 1);
    PanelMouse(panel, 5, 5, kRightDown, kKeyFlagRight);  // the left button is up
    EXPECT_EQ(gDrag.armed, 0);
    ArmDrag(&pane, 0, 1, 0, 0, 0);
    PanelMouse(panel, 5, 5, kLeftDown, kKeyFlagLeft);
    PanelMouse(panel, 6, 6, kMouseMove, kKeyFlagLeft);
    EXPECT_EQ(gDrag.dragging, 0);
}

TEST_F(PanelTest, ClickingAnItemHidesTheTooltip) {
    PanelItem& library = Item(kItemLibrary);
    PanelMouse(gMainPanel, library.x + 2, library.y + 2, kMouseMove, 0);
    ASSERT_GE(gTooltip.pending, 0);
    PanelMouse(gMainPanel, library.x + 2, library.y + 2, kLeftDown, kKeyFlagLeft);
    EXPECT_EQ(gTooltip.pending, -1);
    PanelMouse(gMainPanel, library.x + 2, library.y + 2, kLeftUp, 0);
}

}  // namespace
