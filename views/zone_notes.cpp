// Note names as the zone editor and the value editors spell them.
#include "views/zone_notes.h"

#include <cstdio>

#include "views/in_place_edit.h"

namespace {

// The spelling the program writes, by pitch class.
const char* const kNoteNames[12] = {"C ", "C#", "D ", "Eb", "E ", "F ",
                                    "F#", "G ", "G#", "A ", "Bb", "B "};

int FloorDiv12(int value) {
    return value >= 0 ? value / 12 : -((11 - value) / 12);
}

}  // namespace

void FormatNoteName(int value, char* out, int size) {
    if (size <= 0) return;
    int octave = FloorDiv12(value);
    int pitch = value - octave * 12;
    std::snprintf(out, static_cast<size_t>(size), "%s%d", kNoteNames[pitch], octave - 2);
}

void FormatFieldValue(int value, int min, int max, int format, char* out, int size) {
    if (size <= 0) return;
    if (min == 0 && max == 1) {
        std::snprintf(out, static_cast<size_t>(size), "%s", value ? "On" : "Off");
    } else if (format == kFormatNoteName) {
        FormatNoteName(value, out, size);
    } else {
        std::snprintf(out, static_cast<size_t>(size), "%d", value);
    }
}
