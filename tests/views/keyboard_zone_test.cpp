// The keyboard zone editor: key layout from the octave template, zone bars,
// hit tests, the drag rules, zone twins and the pane's mouse table.
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <utility>

#include "base/shell_hooks.h"
#include "devices/folder_list.h"
#include "devices/library_list.h"
#include "tests/support/png_writer.h"
#include "tests/views/editor_test_support.h"
#include "views/devices_pane.h"
#include "views/library_controls_pane.h"
#include "views/pane_keys.h"
#include "views/presets_pane.h"
#include "views/zone_device_steps.h"
#include "views/zone_select.h"

namespace {

using editor_test::SetText;
using editor_test::ZonerTest;

class KeyboardZoneTest : public ZonerTest {
  protected:
    void Layout() {
        LayoutZoneKeys(gKeyboardPane.rect);
        LayoutZoneBars(gKeyboardPane.rect, &Preset());
    }
    int Down(int x, int y) { return gKeyboardPane.Mouse(Window(), x, y, kLeftDown, 0); }
    int Double(int x, int y) { return gKeyboardPane.Mouse(Window(), x, y, kLeftDoubleClick, 0); }
    int Move(int x, int y) { return gKeyboardPane.Mouse(Window(), x, y, kMouseMove, kKeyFlagLeft); }
    int Up(int x, int y) { return gKeyboardPane.Mouse(Window(), x, y, kLeftUp, 0); }
    // The middle of key `note` horizontally, at the height of zone z's bar.
    int KeyX(int note) {
        const KeyRect& k = gZoneKeyboard.keys[note - 36];
        return (k.left + k.right) / 2;
    }
    int BarY(int zone) {
        return (gZoneKeyboard.bars[zone].top + gZoneKeyboard.bars[zone].bottom) / 2;
    }
    PaneWindow Window() { return reinterpret_cast<PaneWindow>(this); }
};

TEST_F(KeyboardZoneTest, KeysFollowTheOctaveTemplateAndRepeatEachOctave) {
    Layout();
    ASSERT_EQ(gZoneKeyboard.keyCount, 25);
    const KeyRect& c = gZoneKeyboard.keys[0];  // C: white 3..23 shifted to the pane's left
    EXPECT_EQ(c.left, 202);
    EXPECT_EQ(c.right, 222);
    EXPECT_EQ(c.top, 398);
    EXPECT_EQ(c.bottom, 476);
    const KeyRect& cSharp = gZoneKeyboard.keys[1];  // C#: black 17..29
    EXPECT_EQ(cSharp.left, 216);
    EXPECT_EQ(cSharp.bottom, 445);
    const KeyRect& f = gZoneKeyboard.keys[5];  // F: the fourth white key
    EXPECT_EQ(f.left, 262);
    for (int i = 0; i + 12 < 25; ++i) {
        EXPECT_EQ(gZoneKeyboard.keys[i + 12].left - gZoneKeyboard.keys[i].left, 140) << i;
    }
}

TEST_F(KeyboardZoneTest, AKeyboardStartingOnABlackKeyStillStartsAtThePaneEdge) {
    gDevice.lowestNote = 37;
    gDevice.keyboardSize = 3;
    Layout();
    EXPECT_EQ(gZoneKeyboard.keys[0].left, 202);              // C# template moved to the left edge
    EXPECT_EQ(gZoneKeyboard.keys[1].left, 202 + (23 - 17));  // D, from its white template
    EXPECT_EQ(gZoneKeyboard.firstNote, 37);
}

TEST_F(KeyboardZoneTest, KeyLayoutScalesWithThePane) {
    gKeyboardPane.rect = {199, 395, 293, 42};  // half the picture
    Layout();
    EXPECT_EQ(gZoneKeyboard.keys[0].left, 199 + 2);    // trunc(1.5 + 199 + 0.5)
    EXPECT_EQ(gZoneKeyboard.keys[0].right, 199 + 12);  // trunc(11.5 + 199 + 0.5)
    EXPECT_EQ(gZoneKeyboard.keys[12].left - gZoneKeyboard.keys[0].left, 70);
}

TEST_F(KeyboardZoneTest, KeyUnderAPointTakesTheFirstKeyInIndexOrder) {
    Layout();
    EXPECT_EQ(ZoneKeyNoteAt(205), 36);
    EXPECT_EQ(ZoneKeyNoteAt(218), 36);  // C's rectangle comes before C#'s
    EXPECT_EQ(ZoneKeyNoteAt(225), 37);  // past C: C# before D
    EXPECT_EQ(ZoneKeyNoteAt(235), 38);
    EXPECT_EQ(ZoneKeyNoteAt(100), -1);
    EXPECT_EQ(ZoneKeyNoteAt(700), -1);
}

TEST_F(KeyboardZoneTest, BarsShareTheBoundsHeightWithQuarterGaps) {
    Layout();
    ASSERT_EQ(gZoneKeyboard.zoneCount, 4);
    // Rows of (81 - 3) / 4 = 19; gap 4.75; bars trunc(19 - 4.75 + 0.5) = 14 high.
    EXPECT_EQ(gZoneKeyboard.bars[0].top, 400);  // trunc(3 + 2.375 + 395 + 0.5)
    EXPECT_EQ(gZoneKeyboard.bars[0].bottom, 414);
    EXPECT_EQ(gZoneKeyboard.bars[1].top, 419);
    EXPECT_EQ(gZoneKeyboard.bars[3].top, 457);
    // Zone 1 covers notes 36..41: from C's left to F's right + 1.
    EXPECT_EQ(gZoneKeyboard.bars[0].left, 202);
    EXPECT_EQ(gZoneKeyboard.bars[0].right, 283);
    EXPECT_EQ(ZoneBarAt(240, 405), 0);
    EXPECT_EQ(ZoneBarAt(240, 416), -1);  // the gap between two bars
    EXPECT_EQ(ZoneBarAt(290, 425), 1);
}

// Six pixels a character, as a small font would measure.
static int SixPerCharacter(const char* text, void*) {
    return 6 * static_cast<int>(std::strlen(text));
}

TEST_F(KeyboardZoneTest, ZoneNamesStayInsideTheirBars) {
    ZoneLabel label;
    // Wide enough for the whole name: centred in the bar.
    ASSERT_EQ(ZoneBarLabel(2, KeyRect{100, 40, 200, 56}, 13, SixPerCharacter, nullptr, &label), 1);
    EXPECT_STREQ(label.text, "Zone 3");
    EXPECT_EQ(label.left, 100 + (100 - 36) / 2);
    EXPECT_EQ(label.top, 41);
    // A bar over a few keys: the number alone.
    ASSERT_EQ(ZoneBarLabel(2, KeyRect{100, 40, 120, 56}, 13, SixPerCharacter, nullptr, &label), 1);
    EXPECT_STREQ(label.text, "3");
    EXPECT_GE(label.left, 100 + kZoneLabelMargin);
    // One narrow key, or a bar lower than the text: no name at all, so four
    // zones on the lowest key are not piled up over it.
    EXPECT_EQ(ZoneBarLabel(2, KeyRect{100, 40, 104, 56}, 13, SixPerCharacter, nullptr, &label), 0);
    EXPECT_EQ(ZoneBarLabel(2, KeyRect{100, 40, 200, 50}, 13, SixPerCharacter, nullptr, &label), 0);
}

TEST_F(KeyboardZoneTest, NotesOffTheKeyboardOrUpsideDownStillDrawOverTheKeys) {
    Preset().zones[0][1] = -20;
    Preset().zones[0][2] = 300;
    Preset().zones[1][1] = 50;  // low above high
    Preset().zones[1][2] = 40;
    Layout();
    EXPECT_EQ(gZoneKeyboard.bars[0].left, gZoneKeyboard.keys[0].left);
    EXPECT_EQ(gZoneKeyboard.bars[0].right, gZoneKeyboard.keys[24].right + 1);
    EXPECT_EQ(gZoneKeyboard.bars[1].left, gZoneKeyboard.keys[40 - 36].left);
    EXPECT_EQ(gZoneKeyboard.bars[1].right, gZoneKeyboard.keys[50 - 36].right + 1);
    EXPECT_LE(gZoneKeyboard.bars[0].right, gKeyboardPane.rect.x + gKeyboardPane.rect.width);
    // The extremes a file can hold: drawn on the end keys, no overflow.
    Preset().zones[0][1] = INT32_MIN;
    Preset().zones[0][2] = INT32_MAX;
    Layout();
    EXPECT_EQ(gZoneKeyboard.bars[0].left, gZoneKeyboard.keys[0].left);
}

TEST_F(KeyboardZoneTest, MissingPictureOrBoundsNeverLayOutOutsideThePane) {
    gZoneKeyboard.pictureWidth = 0;  // the picture could not be read
    gZoneKeyboard.pictureHeight = 0;
    Layout();
    EXPECT_EQ(gZoneKeyboard.keyCount, 25);  // the bounds stand in: 583 + 3 wide
    EXPECT_LE(gZoneKeyboard.keys[24].right, gKeyboardPane.rect.x + gKeyboardPane.rect.width);

    gDevice.zoneKeyboardRect = {0, 0, 0, 0};
    Layout();
    EXPECT_EQ(gZoneKeyboard.keyCount, 0);
    EXPECT_EQ(gZoneKeyboard.zoneCount, 0);
    EXPECT_EQ(ZoneBarAt(300, 420), -1);
    EXPECT_EQ(Down(300, 420), kMouseHandled);  // a click on nothing changes nothing
    EXPECT_EQ(gDocument.currentZone, 0);
}

TEST_F(KeyboardZoneTest, ThePictureIsReadFromTheGraphicsFolderAndScaledToThePane) {
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / ("zoner_" + std::to_string(getpid()));
    fs::create_directories(folder / "graphics");
    std::vector<uint8_t> rgba(293 * 42 * 4, 200);
    std::vector<uint8_t> png = WriteRgbaPng(293, 42, rgba);
    std::ofstream(folder / "graphics" / "keys.png", std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    SetText(gDevice.directory, (folder.string() + kPathSeparator).c_str());
    SetText(gDevice.zoneKeyboardBackground, "keys.png");
    LoadZoneKeyboardPicture();
    EXPECT_EQ(gZoneKeyboard.pictureWidth, 293);
    EXPECT_EQ(gZoneKeyboard.pictureHeight, 42);
    Layout();  // the pane is twice the picture: keys twice the template
    EXPECT_EQ(gZoneKeyboard.keys[0].right - gZoneKeyboard.keys[0].left, 40);
    EXPECT_EQ(gZoneKeyboard.scaled.width, 586);
    EXPECT_EQ(gZoneKeyboard.scaled.height, 84);

    // A missing or damaged picture leaves none; the bounds stand in.
    SetText(gDevice.zoneKeyboardBackground, "missing.png");
    LoadZoneKeyboardPicture();
    EXPECT_TRUE(ImageBitmapIsEmpty(gZoneKeyboard.original));
    EXPECT_EQ(gZoneKeyboard.pictureWidth, 0);
    std::ofstream(folder / "graphics" / "bad.png") << "not a picture";
    SetText(gDevice.zoneKeyboardBackground, "bad.png");
    LoadZoneKeyboardPicture();
    EXPECT_TRUE(ImageBitmapIsEmpty(gZoneKeyboard.original));
    Layout();
    EXPECT_EQ(gZoneKeyboard.keys[0].right - gZoneKeyboard.keys[0].left, 20);
    ReleaseZoneKeyboardPicture();
    fs::remove_all(folder);
}

TEST_F(KeyboardZoneTest, KeyboardsLargerThanTheTableAreCut) {
    gDevice.keyboardSize = 500;
    Layout();
    EXPECT_EQ(gZoneKeyboard.keyCount, kMaxZoneKeys);
    // A base note at the top of the range: every key still has a note.
    gDevice.lowestNote = INT_MAX;
    Layout();
    EXPECT_EQ(gZoneKeyboard.keyCount, kMaxZoneKeys);
    EXPECT_EQ(gZoneKeyboard.firstNote + (kMaxZoneKeys - 1), INT_MAX);
}

TEST_F(KeyboardZoneTest, DragRulesKeepTheZoneOnTheKeyboard) {
    int32_t low = 50, high = 55;
    DragZoneMove(70, 2, 36, 60, &low, &high);  // past the right end
    EXPECT_EQ(high, 60);
    EXPECT_EQ(low, 55);  // the width is kept
    DragZoneMove(30, 0, 36, 60, &low, &high);
    EXPECT_EQ(low, 36);
    EXPECT_EQ(high, 41);

    low = 40, high = 45;
    DragZoneLowEdge(50, 36, &low, &high);  // beyond the high note
    EXPECT_EQ(low, 45);
    EXPECT_EQ(high, 45);
    DragZoneHighEdge(30, &low, &high);
    EXPECT_EQ(high, 45);

    low = 50, high = 20;  // stored upside down
    DragZoneMove(40, 0, 36, 60, &low, &high);
    EXPECT_EQ(low, 40);
    EXPECT_EQ(high, 40);
    low = 0, high = 127;  // wider than the keyboard
    DragZoneMove(40, 0, 36, 60, &low, &high);
    EXPECT_EQ(low, 36);
    EXPECT_EQ(high, 60);
}

TEST_F(KeyboardZoneTest, ClickingAnotherZoneMovesSelectedControlsToTheirTwins) {
    gSelection.controls[1] = 1;  // the wheel of zone 1
    gSelection.controls[5] = 1;  // a pad of zone 0: shown in every zone
    gBanks.currentControl = 1;
    // The new current control came from a library: the library window follows it.
    LibraryData* lib = AllocLibraryData();
    ASSERT_NE(lib, nullptr);
    lib->uniqueId = 9;
    lib->controlCount = 4;
    ASSERT_TRUE(LibraryListAdd(&gLibraryList, "Wheels.ell", kLibrarySourceLibrary, lib));
    Preset().controls[3].origin = 9 * 65536 + 2;
    gLibraryList.current = -1;
    Layout();
    EXPECT_EQ(Down(KeyX(50), BarY(2)), kMouseHandled);
    EXPECT_EQ(gDocument.currentZone, 2);
    EXPECT_EQ(gSelection.controls[5], 1);
    EXPECT_EQ(gSelection.controls[1], 0);
    EXPECT_EQ(gSelection.controls[3], 1);  // the wheel of zone 3
    EXPECT_EQ(gBanks.currentControl, 3);
    EXPECT_EQ(gLibraryList.current, 0);
    EXPECT_EQ(gLibraryControlsPane.current, 2);
    LibraryListClear(&gLibraryList);
    EXPECT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kNone);  // choosing does not drag
    EXPECT_NE(HeadlessView().invalidatedPanes.size(), 0u);
}

TEST_F(KeyboardZoneTest, SelectZoneWithNothingSelectedKeepsTheCurrentControlVisible) {
    gBanks.currentControl = 2;  // the wheel of zone 2
    EXPECT_EQ(SelectZone(3), 1);
    EXPECT_EQ(gBanks.currentControl, 4);
    EXPECT_EQ(SelectZone(3), 0);  // already current
    EXPECT_EQ(SelectZone(4), 0);  // no zone 5
    EXPECT_EQ(SelectZone(-1), 0);
    EXPECT_EQ(gDocument.currentZone, 3);
}

TEST_F(KeyboardZoneTest, DraggingTheMiddleMovesTheZoneWithTheMoveCursor) {
    Layout();
    ASSERT_EQ(Down(KeyX(38), BarY(0)), kMouseHandled);  // zone 1 is 36..41
    EXPECT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kMove);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kZoneMove);
    EXPECT_EQ(HeadlessView().captured, Window());
    EXPECT_EQ(HeadlessView().confinedRect.x, 204);
    EXPECT_EQ(HeadlessView().confinedRect.width, 576);

    EXPECT_EQ(Move(KeyX(45), 470), kMouseHandled);  // anywhere in height: only x counts
    EXPECT_EQ(Preset().zones[0][1], 43);
    EXPECT_EQ(Preset().zones[0][2], 48);
    EXPECT_FALSE(HeadlessView().alonePanes.empty());
    Move(KeyX(60), BarY(0));
    EXPECT_EQ(Preset().zones[0][2], 60);
    EXPECT_EQ(Preset().zones[0][1], 55);

    HeadlessView().invalidatedPanes.clear();
    EXPECT_EQ(Up(KeyX(60), BarY(0)), kMouseHandled);
    EXPECT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kNone);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kArrow);
    EXPECT_EQ(HeadlessView().captured, nullptr);
    EXPECT_EQ(HeadlessView().confined, 0);
    // A range drag is one undo step and one change of the preset, which
    // both lists show in bold at once.
    EXPECT_EQ(gUndo.top, 0);
    EXPECT_EQ(Preset().changed, 1);
    EXPECT_EQ(Entry().changeCount, 1);
    const std::vector<const Pane*>& repainted = HeadlessView().invalidatedPanes;
    EXPECT_NE(std::find(repainted.begin(), repainted.end(), &gPresetsPane), repainted.end());
    EXPECT_NE(std::find(repainted.begin(), repainted.end(), &gDevicesPane), repainted.end());
    EXPECT_EQ(Move(KeyX(40), BarY(0)), kMouseNotHandled);  // no drag: moves pass on
    Undo();
    EXPECT_EQ(Preset().zones[0][1], 36);
    EXPECT_EQ(Preset().zones[0][2], 41);
}

TEST_F(KeyboardZoneTest, AZoneOffTheKeyboardIsDraggedAsItsBarShowsIt) {
    Preset().zones[0][1] = 0;  // drawn from the first key, 36
    Layout();
    Down(KeyX(38), BarY(0));
    Move(KeyX(45), BarY(0));
    EXPECT_EQ(Preset().zones[0][1], 43);  // follows the pointer, keeps the width shown
    EXPECT_EQ(Preset().zones[0][2], 48);
    Up(0, 0);
    EXPECT_EQ(Entry().changeCount, 1);

    // Pressed and let go where they are shown, zones stored off the keyboard (an empty preset's
    // 0 .. 0) or upside down (50 .. 40) are not changed at all.
    for (const auto& stored : {std::make_pair(0, 0), std::make_pair(50, 40)}) {
        Preset().zones[0][1] = stored.first;
        Preset().zones[0][2] = stored.second;
        Layout();
        const int key = stored.first == 0 ? 36 : 50;
        Down(KeyX(key), BarY(0));
        Move(KeyX(key), BarY(0));
        Up(0, 0);
        EXPECT_EQ(Preset().zones[0][1], stored.first);
        EXPECT_EQ(Preset().zones[0][2], stored.second);
        EXPECT_EQ(Entry().changeCount, 1);
    }
    // The upside-down zone's low end dragged keeps the other end where the bar shows it.
    Down(KeyX(40), BarY(0));
    Move(KeyX(38), BarY(0));
    Up(0, 0);
    EXPECT_EQ(Preset().zones[0][1], 38);
    EXPECT_EQ(Preset().zones[0][2], 50);
    // One end of a zone wider than the keyboard dragged leaves the other end as stored.
    Preset().zones[0][1] = 0;
    Preset().zones[0][2] = 127;
    Layout();
    Down(KeyX(36), BarY(0));
    Move(KeyX(40), BarY(0));
    Up(0, 0);
    EXPECT_EQ(Preset().zones[0][1], 40);
    EXPECT_EQ(Preset().zones[0][2], 127);
}

TEST_F(KeyboardZoneTest, LosingTheCaptureEndsTheDrag) {
    Layout();
    KeyboardPaneCaptureLost();  // no drag: nothing to end
    EXPECT_TRUE(HeadlessView().invalidatedPanes.empty());
    Down(KeyX(38), BarY(0));
    ASSERT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kMove);
    KeyboardPaneCaptureLost();
    EXPECT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kNone);
    EXPECT_EQ(HeadlessView().captured, nullptr);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kArrow);
    EXPECT_EQ(Move(KeyX(50), BarY(0)), kMouseNotHandled);
    EXPECT_EQ(Preset().zones[0][1], 36);  // not moved

    // A release no window saw (mouse input waits while a dump arrives): the
    // next move, without the button, ends the drag where it was.
    Down(KeyX(38), BarY(0));
    Move(KeyX(40), BarY(0));
    gKeyboardPane.Mouse(Window(), KeyX(50), BarY(0), kMouseMove, 0);
    EXPECT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kNone);
    EXPECT_EQ(Preset().zones[0][1], 38);
    EXPECT_EQ(HeadlessView().confined, 0);

    // A download landing under a drag lets it go, the notes as sent.
    Down(KeyX(40), BarY(0));
    ASSERT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kMove);
    Preset().zones[0][1] = 50;
    Preset().zones[0][2] = 55;
    gShellHooks.bankContentsReplaced(gBanks.current);
    Move(KeyX(42), BarY(0));
    EXPECT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kNone);
    EXPECT_EQ(Preset().zones[0][1], 50);
    EXPECT_EQ(Preset().zones[0][2], 55);

    // One landing in another bank ends the drag's undo step with its own; the
    // drag goes on under a step of its own, and no Undo of an earlier edit
    // takes the zone back with it.
    RecordUndoSnapshot(UndoKind::Edit, UndoScope::Preset, gBanks.current, gBanks.currentPreset);
    Preset().variables[2] = 99;
    FinishUndoStep();
    Down(KeyX(52), BarY(0));
    FinishUndoStep();  // as the landing's step does
    gShellHooks.bankContentsReplaced(gBanks.current + 1);
    Move(KeyX(54), BarY(0));
    Up(KeyX(54), BarY(0));
    ASSERT_EQ(Preset().zones[0][1], 52);
    Undo();
    EXPECT_EQ(Preset().zones[0][1], 50);
    EXPECT_EQ(Preset().variables[2], 99);

    // The window resized under a drag: the pictures are built again, and the drag ends as let
    // go there, its move counted as a change.
    Layout();
    ClearChanges(0);
    Down(KeyX(52), BarY(0));
    Move(KeyX(54), BarY(0));
    BuildZoneEditorPictures();
    EXPECT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kNone);
    EXPECT_EQ(HeadlessView().confined, 0);
    EXPECT_NE(Entry().changeCount, 0);

    // Held still across a landing in another bank and let go, a zone stored wider
    // than the keyboard: no Undo then sets the notes the bar showed, never stored.
    Preset().zones[0][1] = 0;
    Preset().zones[0][2] = 127;
    Layout();
    Down(KeyX(36), BarY(0));
    FinishUndoStep();
    gShellHooks.bankContentsReplaced(gBanks.current + 1);
    Up(KeyX(36), BarY(0));
    Undo();
    EXPECT_EQ(Preset().zones[0][1], 0);
    EXPECT_EQ(Preset().zones[0][2], 127);
}

TEST_F(KeyboardZoneTest, RowKeysWaitWhileAZoneIsDragged) {
    // Down would choose the next preset, and the drag would go on in it.
    Layout();
    SetFocusPane(&gPresetsPane, 0);
    int preset = gBanks.currentPreset;
    Down(KeyX(38), BarY(0));
    ASSERT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kMove);
    EXPECT_EQ(PaneKeyDown(kVkDown), 0);
    EXPECT_EQ(gBanks.currentPreset, preset);
    Up(0, 0);
    EXPECT_EQ(PaneKeyDown(kVkDown), 1);
    EXPECT_EQ(gBanks.currentPreset, preset + 1);
}

TEST_F(KeyboardZoneTest, EdgesResizeAndAOneKeyZoneResizesFromItsLowEdge) {
    Layout();
    Down(KeyX(41), BarY(0));  // zone 1's high note
    EXPECT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kHighEdge);
    EXPECT_EQ(HeadlessView().cursor, ViewCursor::kZoneSize);
    Move(KeyX(33 + 3), BarY(0));  // below the low note
    EXPECT_EQ(Preset().zones[0][2], 36);
    Up(0, 0);

    Preset().zones[0][1] = 40;
    Preset().zones[0][2] = 40;
    Layout();
    Down(KeyX(40), BarY(0));
    EXPECT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kLowEdge);
    Move(KeyX(50), BarY(0));
    EXPECT_EQ(Preset().zones[0][1], 40);  // never past the high note
    Move(KeyX(37), BarY(0));
    EXPECT_EQ(Preset().zones[0][1], 37);
    Up(0, 0);
}

TEST_F(KeyboardZoneTest, DoubleClickOnTheCurrentZoneSwitchesItUnlessReadOnly) {
    Layout();
    EXPECT_EQ(ZoneEnabled(&Preset(), 0), 1);
    Double(KeyX(38), BarY(0));
    EXPECT_EQ(ZoneEnabled(&Preset(), 0), 0);
    EXPECT_EQ(Preset().variables[0], 0x4);
    EXPECT_EQ(gUndo.top, 0);
    EXPECT_EQ(Preset().changed, 1);

    Entry().data->readOnly = 1;
    Double(KeyX(38), BarY(0));
    EXPECT_EQ(ZoneEnabled(&Preset(), 0), 0);
    EXPECT_NE(HeadlessLastStatus().find("Read Only"), std::string::npos);
    Down(KeyX(38), BarY(0));  // nor may it be dragged
    EXPECT_EQ(gZoneKeyboard.dragMode, ZoneDragMode::kNone);
}

TEST_F(KeyboardZoneTest, ThePaneTakesNoInputInListViewOrWithoutZonesOrOutsideIt) {
    Layout();
    gViewMode = ViewMode::kList;
    EXPECT_EQ(Down(KeyX(50), BarY(2)), kMouseNotHandled);
    gViewMode = ViewMode::kGraphic;
    EXPECT_EQ(Down(KeyX(50), 395), kMouseNotHandled);  // the top two rows belong to no pane
    EXPECT_EQ(Down(KeyX(50), 300), kMouseNotHandled);
    gDevice.zoneLimit = 0;
    EXPECT_EQ(Down(KeyX(50), BarY(2)), kMouseNotHandled);
    EXPECT_FALSE(KeyboardPaneShown());
    EXPECT_EQ(gDocument.currentZone, 0);
}

}  // namespace
