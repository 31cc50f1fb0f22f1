// Note names and the value texts of the control editor: how a zone's notes,
// two-valued fields and plain numbers read on screen.
#pragma once

constexpr int kValueTextLen = 16;

// "C " .. "B " for value mod 12, then the octave value / 12 - 2: 60 is "C 3",
// 0 is "C -2". Negative values count down from C -2 the same way.
void FormatNoteName(int value, char* out, int size);

// The text a value box shows: "On"/"Off" for a field whose range is 0 .. 1,
// a note name for format 7, otherwise the number.
void FormatFieldValue(int value, int min, int max, int format, char* out, int size);
