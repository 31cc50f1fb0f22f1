// Formatting of string-table texts with their arguments, with the
// conversions the platform's wsprintf offers (%s, %d, %i, %u, %x, %X, %c, %%,
// with "-", "0", a width, a precision and the "l"/"h" size prefixes).
//
// The formats come from the string table but the arguments often come from
// files (bank names, paths), so formatting is done here rather than by the C
// library: the output is always bounded by the buffer, a conversion whose
// argument is of the other kind prints that argument sensibly instead of
// reading garbage, and a conversion with no argument left prints nothing.
#pragma once

// One argument for a format: a text or a number. Constructed implicitly, so
// callers write StatusMessage(kStrCannotOpenFile, path) or
// FormatStringById(buf, kStrPresetsFrom, count).
struct FormatArg {
    enum class Kind { kNone, kText, kNumber };
    Kind kind = Kind::kNone;
    const char* text = nullptr;  // kText; nullptr prints as ""
    long number = 0;             // kNumber

    FormatArg() = default;
    FormatArg(const char* t) : kind(Kind::kText), text(t) {}
    FormatArg(int n) : kind(Kind::kNumber), number(n) {}
    FormatArg(unsigned n) : kind(Kind::kNumber), number(static_cast<long>(n)) {}
    FormatArg(long n) : kind(Kind::kNumber), number(n) {}
    FormatArg(unsigned long n) : kind(Kind::kNumber), number(static_cast<long>(n)) {}
    FormatArg(long long n) : kind(Kind::kNumber), number(static_cast<long>(n)) {}
    FormatArg(unsigned long long n) : kind(Kind::kNumber), number(static_cast<long>(n)) {}
};

// The most that one formatted text may hold (wsprintf's own limit), without
// the terminating NUL.
constexpr int kMaxFormattedText = 1023;

// Writes `format` with `args` into `out` (capacity `size` bytes, always NUL
// terminated when size > 0). Returns the length written.
int FormatText(char* out, int size, const char* format, const FormatArg* args, int argCount);

// The common one- and two-argument forms.
int FormatText1(char* out, int size, const char* format, FormatArg arg);
int FormatText2(char* out, int size, const char* format, FormatArg arg1, FormatArg arg2);
