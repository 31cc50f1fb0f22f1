// Geometry of the status display and the status popup, kept portable so the
// rules (word wrap, the display panel's three-piece drawing, the popup's
// width and clamping) are tested natively. The Win32 files only draw.
#pragma once

struct StatusRect {
    int x;
    int y;
    int width;
    int height;
};

// The status display item of the main panel. Starts at the design rectangle
// (199, 12, 414 x 38); the main window's re-layout widens it with the window.
extern StatusRect gStatusDisplayRect;
constexpr StatusRect kStatusDisplayDesignRect = {199, 12, 414, 38};

// The text box inside the display item: x + 5 .. x + w - 5, y + 6 .. y + h - 2.
struct TextBox {
    int left;
    int top;
    int right;
    int bottom;
};
TextBox StatusTextBox(StatusRect item);

// One line of wrapped text: `length` characters from `start`.
struct TextLine {
    int start;
    int length;
};

// Measures the width in pixels of `length` characters of `text`.
using MeasureTextFn = int (*)(const char* text, int length, void* context);

// Breaks `text` into lines no wider than `boxWidth`: from the start of the
// remaining text, the rest is shortened to its last blank (within the line)
// while it is too wide; the next line starts after that blank. A single word
// wider than the box cannot be broken at a blank: it stays alone on its line
// (to be clipped), and the text after it wraps as usual. Returns the number of
// lines written to `lines` (at most maxLines; the rest of a text that needs
// more is dropped, as it would lie below the display anyway).
int WrapStatusText(const char* text, int boxWidth, MeasureTextFn measure, void* context,
                   TextLine* lines, int maxLines);

// The display panel image (414 x 38) drawn into an item of another width:
// its left 8 columns, then its columns 8..405 in pieces of at most 398
// columns until 8 columns are left, then its last 8 columns. One piece when
// the widths match.
struct ImagePiece {
    int sourceX;
    int width;
    int destX;  // relative to the item's left edge
};
constexpr int kDisplayPanelWidth = 414;
constexpr int kDisplayPanelHeight = 38;
constexpr int kDisplayPanelEdge = 8;
constexpr int kMaxDisplayPieces = 64;
int DisplayPanelPieces(int itemWidth, ImagePiece* pieces, int maxPieces);

// The status popup's width for a text `textWidth` pixels wide: at least 300,
// plus one tenth (integer division): 100 -> 330, 500 -> 550.
int StatusPopupWidth(int textWidth);

// The popup's left edge: centred on the main window, moved left so it ends at
// the work area's right edge if it would pass it, and to 0 if it would start
// left of the screen.
int StatusPopupLeft(int mainLeft, int mainWidth, int popupWidth, int workRight);

// Start-up's popup geometry: a client area 50 average characters wide and one
// character high, plus the window frame, centred on the work area.
struct PopupGeometry {
    int x;
    int y;
    int width;
    int height;
};
PopupGeometry StatusPopupStartGeometry(int averageCharWidth, int charHeight, int frameWidth,
                                       int frameHeight, int workWidth, int workHeight);
extern PopupGeometry gPopupGeometry;
