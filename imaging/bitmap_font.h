// The program's built-in bitmap font: text drawn on 24-bit pixels without the
// platform, so that a picture made by portable code (the preset sheet, which
// ostrel-cli makes too) needs no font file and looks the same everywhere.
//
// One fixed-width face covering Latin-1, the program's text encoding. Every
// character takes a cell of kFontCellWidth x kFontCellHeight pixels at scale
// 1; drawing at scale n makes each font pixel an n x n square. Within a cell
// (tools/gen_bitmap_font.py draws the glyphs and says more):
//
//     rows 0-1   accents of capitals       rows 9-10  descenders
//     rows 2-8   capitals and digits       row 11     gap between lines
//     columns 0-4 the glyph, column 5 the gap between characters
//
// Worked example: "Hi" at scale 2 is 24 x 24 pixels; the bar of the H is
// font row 5, pixel rows 10-11 of the picture, from pixel column 0 to 9.
//
// Characters without a glyph (control codes) are drawn as "?". Character
// kEllipsis (0x85, a control code in Latin-1 and the ellipsis of the Windows
// code page) is the ellipsis that FitBitmapText ends a shortened text with.
#pragma once

#include <cstdint>

#include "imaging/pixels24.h"
#include "imaging/rgba_image.h"

constexpr int kFontCellWidth = 6;
constexpr int kFontCellHeight = 12;
constexpr char kEllipsis = '\x85';

// Rows 0-10 of one glyph; bit 4 of a row is the leftmost column.
struct BitmapGlyph {
    uint8_t rows[11];
};

// The glyph of a character (the "?" glyph for one without its own).
const BitmapGlyph& GlyphOf(char c);

// Width and height of a text of `length` characters, one line, at `scale`.
inline int BitmapTextWidth(int length, int scale) {
    return length * kFontCellWidth * scale;
}
inline int BitmapLineHeight(int scale) {
    return kFontCellHeight * scale;
}
int BitmapTextWidth(const char* text, int scale);

// Draws text with the top left of its first cell at (x, y), clipped to the
// destination's clip. `bold` doubles each stroke one pixel to the right.
void DrawBitmapText(const Pixels24& dst, int x, int y, const char* text, int scale,
                    ColourFill colour, bool bold = false);

// Copies text into out (size bytes) so that it is at most maxWidth wide at
// scale: unchanged when it fits, else cut and ended by kEllipsis. A width
// that holds no character gives "". Returns the number of characters of text
// that were kept.
int FitBitmapText(const char* text, int maxWidth, int scale, char* out, int size);
