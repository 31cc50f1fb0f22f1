// Bounded wsprintf-style formatting of string-table texts (see text_format.h).
#include "base/text_format.h"

namespace {

// Appends characters while there is room, always leaving space for the NUL.
struct TextSink {
    char* out;
    int size;
    int length;
};

void Put(TextSink& sink, char c) {
    if (sink.length < sink.size - 1) sink.out[sink.length++] = c;
}

void PutRepeated(TextSink& sink, char c, int count) {
    for (int i = 0; i < count; ++i) Put(sink, c);
}

// Spec of one conversion: "%-08.3ld" -> left, zero, width 8, precision 3.
struct Conversion {
    bool left = false;
    bool zero = false;
    int width = 0;
    int precision = -1;
    char type = 0;
};

// A width or precision larger than any text we can hold is pointless and
// would only make the padding loops long.
constexpr int kMaxFieldWidth = 1024;

int ReadNumber(const char*& p) {
    int value = 0;
    while (*p >= '0' && *p <= '9') {
        if (value < kMaxFieldWidth) value = value * 10 + (*p - '0');
        ++p;
    }
    return value < kMaxFieldWidth ? value : kMaxFieldWidth;
}

void PutField(TextSink& sink, const Conversion& conv, const char* text, int textLength,
              bool negative) {
    int digitsPad = 0;
    bool numeric = conv.type != 's' && conv.type != 'c';
    if (numeric && conv.precision > textLength) digitsPad = conv.precision - textLength;
    int body = textLength + digitsPad + (negative ? 1 : 0);
    int pad = conv.width > body ? conv.width - body : 0;
    bool zeroPad = conv.zero && !conv.left && numeric && conv.precision < 0;
    if (!conv.left && !zeroPad) PutRepeated(sink, ' ', pad);
    if (negative) Put(sink, '-');
    if (zeroPad) PutRepeated(sink, '0', pad);
    PutRepeated(sink, '0', digitsPad);
    for (int i = 0; i < textLength; ++i) Put(sink, text[i]);
    if (conv.left) PutRepeated(sink, ' ', pad);
}

void PutNumber(TextSink& sink, const Conversion& conv, long value) {
    char digits[32];
    int count = 0;
    bool negative = false;
    unsigned long magnitude;
    int base = (conv.type == 'x' || conv.type == 'X') ? 16 : 10;
    const char* alphabet = conv.type == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    if (conv.type == 'd' || conv.type == 'i') {
        negative = value < 0;
        magnitude =
            negative ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    } else {
        // wsprintf's %u and %x take the 32-bit pattern of the argument.
        magnitude = static_cast<unsigned long>(static_cast<unsigned int>(value));
    }
    do {
        digits[count++] = alphabet[magnitude % base];
        magnitude /= base;
    } while (magnitude != 0 && count < 31);
    char text[32];
    for (int i = 0; i < count; ++i) text[i] = digits[count - 1 - i];
    PutField(sink, conv, text, count, negative);
}

void PutText(TextSink& sink, const Conversion& conv, const char* text) {
    if (text == nullptr) text = "";
    int length = 0;
    int limit = conv.precision >= 0 ? conv.precision : 0x7fffffff;
    while (length < limit && text[length] != '\0') ++length;
    PutField(sink, conv, text, length, false);
}

// One conversion with its argument (or none: prints nothing, as there is no
// value to show and reading one would be wrong).
void PutArgument(TextSink& sink, const Conversion& conv, const FormatArg* arg) {
    if (arg == nullptr || arg->kind == FormatArg::Kind::kNone) return;
    switch (conv.type) {
        case 's':
            if (arg->kind == FormatArg::Kind::kText) {
                PutText(sink, conv, arg->text);
            } else {
                Conversion asNumber = conv;
                asNumber.type = 'd';
                asNumber.precision = -1;
                PutNumber(sink, asNumber, arg->number);
            }
            break;
        case 'c': {
            char c = arg->kind == FormatArg::Kind::kNumber ? static_cast<char>(arg->number)
                     : arg->text != nullptr                ? arg->text[0]
                                                           : '\0';
            if (c != '\0') PutField(sink, conv, &c, 1, false);
            break;
        }
        default:
            if (arg->kind == FormatArg::Kind::kNumber) {
                PutNumber(sink, conv, arg->number);
            } else {
                PutText(sink, conv, arg->text);
            }
            break;
    }
}

}  // namespace

int FormatText(char* out, int size, const char* format, const FormatArg* args, int argCount) {
    if (out == nullptr || size <= 0) return 0;
    TextSink sink{out, size, 0};
    int next = 0;
    const char* p = format != nullptr ? format : "";
    while (*p != '\0') {
        if (*p != '%') {
            Put(sink, *p++);
            continue;
        }
        const char* start = p++;
        if (*p == '%') {
            Put(sink, '%');
            ++p;
            continue;
        }
        Conversion conv;
        for (;; ++p) {
            if (*p == '-') {
                conv.left = true;
            } else if (*p == '0') {
                conv.zero = true;
            } else if (*p != '#') {
                break;
            }
        }
        conv.width = ReadNumber(p);
        if (*p == '.') {
            ++p;
            conv.precision = ReadNumber(p);
        }
        while (*p == 'l' || *p == 'h') ++p;
        char type = *p;
        if (type == 'd' || type == 'i' || type == 'u' || type == 'x' || type == 'X' ||
            type == 's' || type == 'c') {
            conv.type = type;
            ++p;
            PutArgument(sink, conv, next < argCount ? &args[next] : nullptr);
            ++next;
        } else {
            // Not a conversion wsprintf knows: shown as written.
            while (start < p) Put(sink, *start++);
        }
    }
    out[sink.length] = '\0';
    return sink.length;
}

int FormatText1(char* out, int size, const char* format, FormatArg arg) {
    return FormatText(out, size, format, &arg, 1);
}

int FormatText2(char* out, int size, const char* format, FormatArg arg1, FormatArg arg2) {
    FormatArg args[2] = {arg1, arg2};
    return FormatText(out, size, format, args, 2);
}
