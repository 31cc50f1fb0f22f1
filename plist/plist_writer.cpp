// Property-list XML writer: the fixed layout every bank file is saved in.
//
// Layout of a saved document (-> is one tab; every line ends in CR LF):
//   <?xml version="1.0" encoding="UTF-8"?>
//   <!DOCTYPE plist PUBLIC "-//Apple Computer//DTD PLIST 1.0//EN" "<kPlistDtdUrl>">
//   <plist version="1.0">
//   <dict>
//   -><key>name</key><string>Untitled</string>
//   -><key>presets</key><array>
//   ->-><dict/>
//   -></array>
//   </dict>
//   </plist>
//
// Texts are escaped so that whatever a node holds, the file stays well-formed and reads back
// to the same bytes: the five XML entities, CR as "&#13;" (a reader folds a raw CR into LF),
// LF as CR LF (as a Windows text-mode file stores it; readers fold it back). Bytes that XML
// cannot carry are repaired rather than written raw, because a single one would make the whole
// bank unreadable: control characters other than tab, LF and CR are left out, and bytes that
// are not valid UTF-8 are written as the Latin-1 characters of the same codes.

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/durable_file.h"
#include "plist/plist_build.h"
#include "plist/plist_xml.h"

const char kPlistDtdUrl[] = "http://www.apple.com/DTDs/PropertyList-1.0.dtd";

static const char kXmlHeader[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple Computer//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\r\n"
    "<plist version=\"1.0\">\r\n";
static const char kXmlFooter[] = "</plist>\r\n";

// Output is gathered here and handed to the sink a full buffer at a time, so that a document
// costs a few sink calls instead of several per node. The tree walk and the element-by-element
// writing of plist_xml.h share every piece below, so the layout is written down once.
struct PlistWriter {
    PlistSink* sink;
    uint32_t options;
    int depth;    // nesting of the element-by-element writing
    size_t used;  // bytes of buffer filled
    char buffer[kWriteChunk];
};

static void Flush(PlistWriter* w) {
    if (w->used > 0 && w->sink->error == 0 && w->sink->write) {
        int error = w->sink->write(w->sink, w->buffer, w->used);
        if (error != 0) w->sink->error = error;
    }
    w->used = 0;
}

// The buffer is handed over exactly when it is full, so every chunk but the last is
// kWriteChunk bytes.
static void PutAcross(PlistWriter* w, const char* bytes, size_t length) {
    while (length > 0 && w->sink->error == 0) {
        size_t room = kWriteChunk - w->used;
        size_t count = length < room ? length : room;
        memcpy(w->buffer + w->used, bytes, count);
        w->used += count;
        bytes += count;
        length -= count;
        if (w->used == kWriteChunk) Flush(w);
    }
}

// Nearly every piece fits the buffer's rest; copying it inline, with the length known where it
// is a literal, is most of the writer's speed.
static inline void Put(PlistWriter* w, const char* bytes, size_t length) {
    if (w->used + length < kWriteChunk) {
        memcpy(w->buffer + w->used, bytes, length);
        w->used += length;
        return;
    }
    PutAcross(w, bytes, length);
}

template <size_t N>
static inline void PutLiteral(PlistWriter* w, const char (&text)[N]) {
    Put(w, text, N - 1);
}

static void PutTabs(PlistWriter* w, int depth) {
    static const char kTabs[] = "\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t\t";
    const int kTabCount = static_cast<int>(sizeof kTabs - 1);
    while (depth > 0) {
        int count = depth < kTabCount ? depth : kTabCount;
        Put(w, kTabs, static_cast<size_t>(count));
        depth -= count;
    }
}

// Length of the well-formed UTF-8 character at text[0] that XML accepts (2 to 4 bytes), or 0.
// Overlong forms, surrogates, U+FFFE/U+FFFF and codes above U+10FFFF are refused, as expat
// refuses them.
static size_t Utf8Sequence(const unsigned char* text, size_t length) {
    unsigned char lead = text[0];
    size_t count;
    unsigned char low = 0x80, high = 0xbf;  // allowed range of the second byte
    if (lead >= 0xc2 && lead <= 0xdf) {
        count = 2;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        count = 3;
        if (lead == 0xe0) low = 0xa0;
        if (lead == 0xed) high = 0x9f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        count = 4;
        if (lead == 0xf0) low = 0x90;
        if (lead == 0xf4) high = 0x8f;
    } else {
        return 0;
    }
    if (length < count) return 0;
    if (text[1] < low || text[1] > high) return 0;
    for (size_t i = 2; i < count; i++) {
        if ((text[i] & 0xc0) != 0x80) return 0;
    }
    if (lead == 0xef && text[1] == 0xbf && (text[2] == 0xbe || text[2] == 0xbf)) return 0;
    return count;
}

// Bytes that are written as they are: printable ASCII but the five XML specials, and tab.
struct PlainBytes {
    bool plain[256] = {};
    PlainBytes() {
        for (int c = 0x20; c < 0x80; c++) plain[c] = true;
        for (unsigned char c : {'&', '<', '>', '"', '\''}) plain[c] = false;
        plain[static_cast<unsigned char>('\t')] = true;
    }
};

static void PutEscaped(PlistWriter* w, const char* text, size_t length) {
    static const PlainBytes kPlain;
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t run = 0;  // start of the bytes not yet written that need no escaping
    size_t i = 0;
    while (i < length) {
        unsigned char c = bytes[i];
        if (kPlain.plain[c]) {
            i++;
            continue;
        }
        if (c >= 0x80) {
            size_t count = Utf8Sequence(bytes + i, length - i);
            if (count > 0) {
                i += count;
                continue;
            }
        }
        Put(w, text + run, i - run);
        switch (c) {
            case '&':
                PutLiteral(w, "&amp;");
                break;
            case '<':
                PutLiteral(w, "&lt;");
                break;
            case '>':
                PutLiteral(w, "&gt;");
                break;
            case '"':
                PutLiteral(w, "&quot;");
                break;
            case '\'':
                PutLiteral(w, "&apos;");
                break;
            case '\n':
                PutLiteral(w, "\r\n");
                break;
            case '\r':
                PutLiteral(w, "&#13;");
                break;
            default:
                if (c >= 0x80) {
                    char latin1[2] = {static_cast<char>(0xc0 | (c >> 6)),
                                      static_cast<char>(0x80 | (c & 0x3f))};
                    Put(w, latin1, 2);
                }
                // Other control characters have no XML form at all: left out.
                break;
        }
        i++;
        run = i;
    }
    Put(w, text + run, length - run);
}

// "%ld" of a 32-bit value.
static void PutInteger(PlistWriter* w, int32_t value) {
    char digits[12];
    char* end = digits + sizeof digits;
    char* p = end;
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : value;
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    if (value < 0) *--p = '-';
    Put(w, p, static_cast<size_t>(end - p));
}

// "%f" of a float below 2^31 in magnitude, worked out exactly in integers (the float is
// m * 2^e with m below 2^24, so m * 10^6 / 2^-e rounded half to even is the six decimals
// printf writes). Returns the length, or 0 for values left to snprintf.
static size_t FormatSixDecimals(float value, char* out) {
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    const bool negative = (bits >> 31) != 0;
    const int biased = static_cast<int>((bits >> 23) & 0xff);
    uint64_t mantissa = bits & 0x7fffff;
    int exponent;  // value = mantissa * 2^exponent
    if (biased == 0) {
        exponent = -149;  // subnormal (or zero)
    } else {
        mantissa |= 0x800000;
        exponent = biased - 150;
    }
    if (exponent > 7) return 0;  // 2^31 and above, inf, nan
    uint64_t millionths;         // the value times 10^6, rounded
    if (exponent >= 0) {
        millionths = (mantissa << exponent) * 1000000u;
    } else {
        const int shift = -exponent;
        const uint64_t scaled = mantissa * 1000000u;  // below 2^44
        if (shift >= 45) {
            millionths = 0;  // below half a millionth
        } else {
            millionths = scaled >> shift;
            const uint64_t rest = scaled & ((uint64_t{1} << shift) - 1);
            const uint64_t half = uint64_t{1} << (shift - 1);
            if (rest > half || (rest == half && (millionths & 1))) millionths++;
        }
    }
    const uint64_t whole = millionths / 1000000u;
    uint32_t fraction = static_cast<uint32_t>(millionths % 1000000u);
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    for (int i = 0; i < 6; i++) {
        *--p = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    *--p = '.';
    uint64_t rest = whole;
    do {
        *--p = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest > 0);
    if (negative) *--p = '-';
    const size_t length = static_cast<size_t>(end - p);
    memcpy(out, p, length);
    return length;
}

static void PutRealValue(PlistWriter* w, float value) {
    char text[64];
    size_t length = FormatSixDecimals(value, text);
    if (length == 0) {
        // Non-finite values get fixed spellings: the Windows run-time would print "1.#INF00",
        // which reads back as 1.
        if (std::isnan(value)) {
            snprintf(text, sizeof text, "nan");
        } else if (std::isinf(value)) {
            snprintf(text, sizeof text, "%s", value < 0 ? "-inf" : "inf");
        } else {
            snprintf(text, sizeof text, "%f", static_cast<double>(value));
        }
        length = strlen(text);
    }
    Put(w, text, length);
}

static void PutKey(PlistWriter* w, const char* key, size_t length) {
    PutLiteral(w, "<key>");
    PutEscaped(w, key, length);
    PutLiteral(w, "</key>");
}

// The attribute text of a node (" volatile=\"true\"", then " dirty=\"true\""), "" without
// kWriteAttributes.
struct Attributes {
    char text[48];
    size_t length;
};

static Attributes AttributesOf(const PlistWriter* w, const PlistNode* node) {
    Attributes a;
    a.length = 0;
    if (w->options & kWriteAttributes) {
        a.length =
            static_cast<size_t>(snprintf(a.text, sizeof a.text, "%s%s",
                                         (node->flags & kPlistVolatile) ? " volatile=\"true\"" : "",
                                         (node->flags & kPlistDirty) ? " dirty=\"true\"" : ""));
    }
    return a;
}

// The value parts of a line, after its tabs and key: "<string>text</string>" and so on, with
// the attributes after the element name and the line end.
static void PutStringElement(PlistWriter* w, PlistType type, const Attributes& a, const char* text,
                             size_t length) {
    if (type == PlistType::String) {
        PutLiteral(w, "<string");
        Put(w, a.text, a.length);
        PutLiteral(w, ">");
        PutEscaped(w, text, length);
        PutLiteral(w, "</string>\r\n");
    } else {
        PutLiteral(w, "<data");
        Put(w, a.text, a.length);
        PutLiteral(w, ">");
        PutEscaped(w, text, length);
        PutLiteral(w, "</data>\r\n");
    }
}

static void PutBooleanElement(PlistWriter* w, const Attributes& a, bool value) {
    if (value) {
        PutLiteral(w, "<true");
    } else {
        PutLiteral(w, "<false");
    }
    Put(w, a.text, a.length);
    PutLiteral(w, "/>\r\n");
}

static void PutIntegerElement(PlistWriter* w, const Attributes& a, int32_t value) {
    PutLiteral(w, "<integer");
    Put(w, a.text, a.length);
    PutLiteral(w, ">");
    PutInteger(w, value);
    PutLiteral(w, "</integer>\r\n");
}

static void PutRealElement(PlistWriter* w, const Attributes& a, float value) {
    PutLiteral(w, "<real");
    Put(w, a.text, a.length);
    PutLiteral(w, ">");
    PutRealValue(w, value);
    PutLiteral(w, "</real>\r\n");
}

// "<dict>" or "<array>" with its line end, or the empty element "<dict/>".
static void PutContainerOpen(PlistWriter* w, PlistType type, const Attributes& a, bool empty) {
    if (type == PlistType::Dict) {
        PutLiteral(w, "<dict");
    } else {
        PutLiteral(w, "<array");
    }
    Put(w, a.text, a.length);
    if (empty) {
        PutLiteral(w, "/>\r\n");
    } else {
        PutLiteral(w, ">\r\n");
    }
}

static void PutContainerClose(PlistWriter* w, PlistType type, int depth) {
    PutTabs(w, depth);
    if (type == PlistType::Dict) {
        PutLiteral(w, "</dict>\r\n");
    } else {
        PutLiteral(w, "</array>\r\n");
    }
}

// Whether a dict or array has a child to write (one that is not volatile, or any with
// kWriteVolatile).
static bool HasChildToWrite(const PlistWriter* w, const PlistNode* node) {
    if (w->options & kWriteVolatile) return !node->children.empty();
    for (const PlistNode* child : node->children) {
        if (!(child->flags & kPlistVolatile)) return true;
    }
    return false;
}

static void WriteNode(PlistWriter* w, const PlistNode* node, int depth, bool inArray, bool isRoot) {
    const uint32_t options = w->options;
    if ((node->flags & kPlistVolatile) && !(options & kWriteVolatile)) return;
    const Attributes a = AttributesOf(w, node);
    const PlistType type = static_cast<PlistType>(node->flags & kPlistTypeMask);
    PutTabs(w, depth);
    if (type != PlistType::None && !node->key.empty() && !inArray &&
        !(isRoot && (options & kWriteDocument))) {
        PutKey(w, node->key.data(), node->key.size());
    }
    switch (type) {
        case PlistType::None:
            break;
        case PlistType::String:
        case PlistType::Data:
            PutStringElement(w, type, a, node->text.data(), node->text.size());
            break;
        case PlistType::Boolean:
            PutBooleanElement(w, a, node->value.boolean != 0);
            break;
        case PlistType::Integer:
            PutIntegerElement(w, a, node->value.integer);
            break;
        case PlistType::Real:
            PutRealElement(w, a, node->value.real);
            break;
        case PlistType::Dict:
        case PlistType::Array: {
            const bool empty = !HasChildToWrite(w, node);
            PutContainerOpen(w, type, a, empty);
            if (empty) break;
            for (const PlistNode* child : node->children) {
                if (w->sink->error != 0) break;
                WriteNode(w, child, depth + 1, type == PlistType::Array, false);
            }
            PutContainerClose(w, type, depth);
            break;
        }
    }
}

PlistWriter* BeginPlist(PlistSink* sink, uint32_t options) {
    if (!sink) return nullptr;
    sink->options = options;
    sink->root = nullptr;
    sink->error = 0;
    // The 16 KiB buffer lives on the heap only while the document is written: the writer
    // allocates nothing per node.
    PlistWriter* w = new PlistWriter;
    w->sink = sink;
    w->options = options;
    w->depth = 0;
    w->used = 0;
    if (options & kWriteDocument) PutLiteral(w, kXmlHeader);
    return w;
}

int EndPlist(PlistWriter* w) {
    if (!w) return 5;
    if (w->options & kWriteDocument) PutLiteral(w, kXmlFooter);
    Flush(w);
    const int error = w->sink->error;
    delete w;
    return error;
}

static const Attributes kNoAttributes = {"", 0};

// The tabs and key that start each line of the element-by-element writing.
static void PutLineStart(PlistWriter* w, const char* key) {
    PutTabs(w, w->depth);
    if (key && key[0]) PutKey(w, key, strlen(key));
}

void PlistBeginContainer(PlistWriter* w, const char* key, PlistType type, bool empty) {
    PutLineStart(w, key);
    PutContainerOpen(w, type, kNoAttributes, empty);
    if (!empty) w->depth++;
}

void PlistEndContainer(PlistWriter* w, PlistType type) {
    if (w->depth > 0) w->depth--;
    PutContainerClose(w, type, w->depth);
}

void PlistWriteInteger(PlistWriter* w, const char* key, int32_t value) {
    PutLineStart(w, key);
    PutIntegerElement(w, kNoAttributes, value);
}

void PlistWriteBoolean(PlistWriter* w, const char* key, bool value) {
    PutLineStart(w, key);
    PutBooleanElement(w, kNoAttributes, value);
}

void PlistWriteString(PlistWriter* w, const char* key, const char* text, size_t length) {
    PutLineStart(w, key);
    PutStringElement(w, PlistType::String, kNoAttributes, text, length);
}

int WritePlist(const PlistNode* root, PlistSink* sink, uint32_t options) {
    PlistWriter* w = BeginPlist(sink, options);
    if (!w) return 5;
    sink->root = root;
    if (root) WriteNode(w, root, 0, false, true);
    return EndPlist(w);
}

static int ErrnoOr5() {
    return errno != 0 ? errno : 5;
}

static int WriteToFile(PlistSink* sink, const char* bytes, size_t length) {
    errno = 0;
    if (fwrite(bytes, 1, length, sink->stream) != length) return ErrnoOr5();
    return 0;
}

static int WriteToString(PlistSink* sink, const char* bytes, size_t length) {
    sink->text->append(bytes, length);
    return 0;
}

PlistSink PlistFileSink(FILE* stream) {
    PlistSink sink;
    sink.write = WriteToFile;
    sink.stream = stream;
    return sink;
}

PlistSink PlistStringSink(std::string* text) {
    PlistSink sink;
    sink.write = WriteToString;
    sink.text = text;
    return sink;
}

struct DocumentToWrite {
    const PlistNode* root;
    uint32_t options;
};

static int FillWithDocument(FILE* stream, void* context) {
    const DocumentToWrite* document = static_cast<const DocumentToWrite*>(context);
    PlistSink sink = PlistFileSink(stream);
    return WritePlist(document->root, &sink, document->options | kWriteDocument);
}

int SavePlistFile(const PlistNode* root, const char* path, uint32_t options) {
    if (!path) return 5;
    DocumentToWrite document = {root, options};
    return WriteFileDurably(path, FillWithDocument, &document);
}
