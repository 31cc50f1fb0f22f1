// Note names as the zone editor and the value editors spell them.
#include "views/zone_notes.h"

#include <cstdio>

#include "views/in_place_edit.h"

namespace {

// The spelling the program writes, by pitch class.
const char* const kNoteNames[12] = {"C ", "C#", "D ", "Eb", "E ", "F ",
                                    "F#", "G ", "G#", "A ", "Bb", "B "};

int FloorDiv12(int value) {
    // In 64 bits: 11 - value overflows for the most negative int a file can hold.
    const long long v = value;
    return static_cast<int>(v >= 0 ? v / 12 : -((11 - v) / 12));
}

}  // namespace

void FormatNoteName(int value, char* out, int size) {
    if (size <= 0) return;
    int octave = FloorDiv12(value);
    int pitch = static_cast<int>(value - static_cast<long long>(octave) * 12);
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
