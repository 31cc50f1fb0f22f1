// Word wrap of the status display, the display panel's pieces and the popup's
// geometry.
#include "views/status_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A fixed-pitch measure: every character 6 pixels wide, and it counts how
// often it was asked (a wrap must not measure without end).
struct Pitch {
    int width = 6;
    int calls = 0;
};

int MeasureFixed(const char*, int length, void* context) {
    Pitch* pitch = static_cast<Pitch*>(context);
    ++pitch->calls;
    return length * pitch->width;
}

std::vector<std::string> Wrap(const char* text, int boxWidth, int maxLines = 16) {
    Pitch pitch;
    TextLine lines[16];
    int count = WrapStatusText(text, boxWidth, MeasureFixed, &pitch, lines, maxLines);
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i) result.emplace_back(text + lines[i].start, lines[i].length);
    return result;
}

}  // namespace

TEST(StatusWrap, TextThatFitsIsOneLine) {
    EXPECT_EQ(Wrap("SysEx Sent", 60), (std::vector<std::string>{"SysEx Sent"}));
    EXPECT_TRUE(Wrap("", 60).empty());
}

TEST(StatusWrap, LongTextBreaksAtTheLastBlankThatFits) {
    // 404 pixels is the text box of the design display item (414 - 10).
    const char* text =
        "That Library Control cannot be used because the MIDICC is out of range of the "
        "Controller you dragged it to.";
    std::vector<std::string> lines = Wrap(text, 404);  // 67 characters a line
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "That Library Control cannot be used because the MIDICC is out of");
    EXPECT_EQ(lines[1], "range of the Controller you dragged it to.");
    for (const std::string& line : lines) EXPECT_LE(line.size() * 6, 404u);
}

TEST(StatusWrap, BreaksInsideTheLineNotAtALaterBlank) {
    EXPECT_EQ(Wrap("aaa bbb ccc ddd", 42), (std::vector<std::string>{"aaa bbb", "ccc ddd"}));
    EXPECT_EQ(Wrap("aaa bbb ccc ddd", 41), (std::vector<std::string>{"aaa", "bbb", "ccc", "ddd"}));
}

TEST(StatusWrap, AWordWiderThanTheBoxStaysAloneAndTheRestWraps) {
    std::vector<std::string> lines =
        Wrap("Cannot open file C:\\Very\\Long\\Path\\Name.xml now", 60);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Cannot");
    EXPECT_EQ(lines[1], "open file");
    EXPECT_EQ(lines[2], "C:\\Very\\Long\\Path\\Name.xml");
    EXPECT_EQ(lines[3], "now");
}

TEST(StatusWrap, DegenerateInputEnds) {
    // No room at all: one word a line, and the loop still ends.
    EXPECT_EQ(Wrap("a b c", 0), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(Wrap("   ", 0).size(), 2u);
    // More lines than the caller holds: the rest is dropped.
    EXPECT_EQ(Wrap("a b c d e f", 6, 3).size(), 3u);
    Pitch pitch;
    TextLine lines[4];
    EXPECT_EQ(WrapStatusText(nullptr, 100, MeasureFixed, &pitch, lines, 4), 0);
    std::string blanks(5000, ' ');
    blanks[0] = 'x';
    TextLine many[16];
    EXPECT_LE(WrapStatusText(blanks.c_str(), 10, MeasureFixed, &pitch, many, 16), 16);
}

TEST(StatusWrap, TextBoxInsideTheDisplayItem) {
    TextBox box = StatusTextBox(kStatusDisplayDesignRect);
    EXPECT_EQ(box.left, 204);
    EXPECT_EQ(box.top, 18);
    EXPECT_EQ(box.right, 608);
    EXPECT_EQ(box.bottom, 48);
}

TEST(DisplayPanel, SameWidthIsOnePiece) {
    ImagePiece pieces[kMaxDisplayPieces];
    ASSERT_EQ(DisplayPanelPieces(414, pieces, kMaxDisplayPieces), 1);
    EXPECT_EQ(pieces[0].sourceX, 0);
    EXPECT_EQ(pieces[0].width, 414);
}

TEST(DisplayPanel, WiderItemRepeatsTheMiddleAndCoversEveryColumnOnce) {
    for (int width : {16, 17, 300, 413, 415, 600, 812, 1000, 2500}) {
        ImagePiece pieces[kMaxDisplayPieces];
        int count = DisplayPanelPieces(width, pieces, kMaxDisplayPieces);
        ASSERT_GE(count, 2) << width;
        EXPECT_EQ(pieces[0].sourceX, 0);
        EXPECT_EQ(pieces[0].width, 8);
        EXPECT_EQ(pieces[count - 1].sourceX, 406);
        EXPECT_EQ(pieces[count - 1].width, 8);
        int next = 0;
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(pieces[i].destX, next) << width << " piece " << i;
            EXPECT_LE(pieces[i].width, 398);
            EXPECT_LE(pieces[i].sourceX + pieces[i].width, 414);
            if (i > 0 && i < count - 1) {
                EXPECT_EQ(pieces[i].sourceX, 8);
            }
            next += pieces[i].width;
        }
        EXPECT_EQ(next, width);
    }
    ImagePiece pieces[kMaxDisplayPieces];
    ASSERT_EQ(DisplayPanelPieces(812, pieces, kMaxDisplayPieces), 4);
    EXPECT_EQ(pieces[1].width, 398);
    EXPECT_EQ(pieces[2].width, 398);
}

TEST(DisplayPanel, NarrowOrEmptyItems) {
    ImagePiece pieces[kMaxDisplayPieces];
    EXPECT_EQ(DisplayPanelPieces(0, pieces, kMaxDisplayPieces), 0);
    EXPECT_EQ(DisplayPanelPieces(-5, pieces, kMaxDisplayPieces), 0);
    int count = DisplayPanelPieces(9, pieces, kMaxDisplayPieces);
    int total = 0;
    for (int i = 0; i < count; ++i) total += pieces[i].width;
    EXPECT_EQ(total, 9);
    // A huge item with few piece slots stays within them.
    EXPECT_LE(DisplayPanelPieces(1000000, pieces, 5), 5);
}

TEST(StatusPopup, WidthIsAtLeast300PlusATenth) {
    EXPECT_EQ(StatusPopupWidth(100), 330);
    EXPECT_EQ(StatusPopupWidth(500), 550);
    EXPECT_EQ(StatusPopupWidth(0), 330);
    EXPECT_EQ(StatusPopupWidth(309), 339);
}

TEST(StatusPopup, CentredOnTheMainWindowAndKeptOnScreen) {
    EXPECT_EQ(StatusPopupLeft(0, 808, 330, 1280), 404 - 165);
    // Would pass the right edge: ends at it.
    EXPECT_EQ(StatusPopupLeft(1000, 808, 330, 1280), 950);
    // Would start left of the screen: at 0.
    EXPECT_EQ(StatusPopupLeft(-700, 808, 330, 1280), 0);
    // Wider than the screen: the left edge wins.
    EXPECT_EQ(StatusPopupLeft(0, 808, 2000, 1280), 0);
}

TEST(StatusPopup, StartGeometryIsCentredOnTheWorkArea) {
    PopupGeometry g = StatusPopupStartGeometry(7, 13, 3, 3, 1280, 1000);
    EXPECT_EQ(g.width, 356);
    EXPECT_EQ(g.height, 19);
    EXPECT_EQ(g.x, (1280 - 356) / 2);
    EXPECT_EQ(g.y, (1000 - 19) / 2);
}
