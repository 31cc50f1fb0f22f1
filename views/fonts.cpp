// The shared fonts: how each is made, and the metrics recorded for it (fonts.h).
#include "views/fonts.h"

const FontSpec kFontSpecs[kFontCount] = {
    {"MS Sans Serif", 9, 400, 0},  {"MS Sans Serif", 9, 700, 0}, {"Small Fonts", 9, 400, 0},
    {"MS Sans Serif", 36, 400, 0}, {"Fixedsys", 9, 400, 1},
};

FontMetrics gFontMetrics[kFontCount] = {};
