#include "imaging/bitmap_font.h"

#include <cstring>

#include "imaging/pixel_draw.h"

namespace {

#include "imaging/bitmap_font_glyphs.inc"

}  // namespace

const BitmapGlyph& GlyphOf(char c) {
    unsigned code = static_cast<unsigned char>(c);
    if (code >= 0x20 && code < 0x7F) return kAsciiGlyphs[code - 0x20];
    if (code >= 0xA0) return kLatinGlyphs[code - 0xA0];
    if (c == kEllipsis) return kEllipsisGlyph;
    return kAsciiGlyphs['?' - 0x20];
}

int BitmapTextWidth(const char* text, int scale) {
    return BitmapTextWidth(static_cast<int>(std::strlen(text)), scale);
}

void DrawBitmapText(const Pixels24& dst, int x, int y, const char* text, int scale,
                    ColourFill colour, bool bold) {
    if (scale <= 0) return;
    for (int i = 0; text[i] != '\0'; ++i) {
        const BitmapGlyph& glyph = GlyphOf(text[i]);
        int left = x + i * kFontCellWidth * scale;
        for (int row = 0; row < 11; ++row) {
            uint8_t bits = glyph.rows[row];
            // Runs of set columns are filled at once.
            for (int column = 0; column < 5;) {
                if (!(bits & (0x10 >> column))) {
                    ++column;
                    continue;
                }
                int run = 1;
                while (column + run < 5 && (bits & (0x10 >> (column + run)))) ++run;
                Pixels24FillSolid(dst, left + column * scale, y + row * scale,
                                  run * scale + (bold ? 1 : 0), scale, colour);
                column += run;
            }
        }
    }
}

int FitBitmapText(const char* text, int maxWidth, int scale, char* out, int size) {
    if (size <= 0) return 0;
    out[0] = '\0';
    int length = static_cast<int>(std::strlen(text));
    int room = scale > 0 ? maxWidth / (kFontCellWidth * scale) : 0;
    if (room > size - 1) room = size - 1;
    if (room <= 0) return 0;
    if (length <= room) {
        std::memcpy(out, text, static_cast<size_t>(length) + 1);
        return length;
    }
    // The cut falls before trailing blanks, so "Filter Cut…" and not "Filter …".
    int kept = room - 1;
    while (kept > 0 && text[kept - 1] == ' ') --kept;
    std::memcpy(out, text, static_cast<size_t>(kept));
    out[kept] = kEllipsis;
    out[kept + 1] = '\0';
    return kept;
}
