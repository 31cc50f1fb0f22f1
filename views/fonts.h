// The five shared fonts: what start-up creates (step 15) and the character
// metrics it records, which the portable layout code (character units of the
// panels, the status popup) reads.
#pragma once

constexpr int kFontCount = 5;
constexpr int kFontPanel = 0;      // "MS Sans Serif" 9, the panel font
constexpr int kFontPanelBold = 1;  // "MS Sans Serif" 9 bold, the popup's font
constexpr int kFontSmall = 2;      // "Small Fonts" 9
constexpr int kFontLarge = 3;      // "MS Sans Serif" 36
constexpr int kFontFixed = 4;      // "Fixedsys" 9

struct FontSpec {
    const char* face;
    int height;  // character height in pixels (created as a negative height)
    int weight;
    int fixedPitch;  // 1 fixed pitch, 0 variable pitch; swiss family either way
};
extern const FontSpec kFontSpecs[kFontCount];

struct FontMetrics {
    int averageWidth;
    int height;
};
extern FontMetrics gFontMetrics[kFontCount];
