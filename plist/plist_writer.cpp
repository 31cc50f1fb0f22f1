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
#include "plist/plist_xml.h"

const char kPlistDtdUrl[] = "http://www.apple.com/DTDs/PropertyList-1.0.dtd";

static const char kXmlHeader[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple Computer//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\r\n"
    "<plist version=\"1.0\">\r\n";
static const char kXmlFooter[] = "</plist>\r\n";
static const char kNewline[] = "\r\n";

// Output is gathered here and handed to the sink a full buffer at a time, so that a document
// costs a few sink calls instead of several per node.
struct Writer {
    PlistSink* sink;
    uint32_t options;
    size_t used;  // bytes of buffer filled
    char buffer[kWriteChunk];
};

static void Flush(Writer* w) {
    if (w->used > 0 && w->sink->error == 0 && w->sink->write) {
        int error = w->sink->write(w->sink, w->buffer, w->used);
        if (error != 0) w->sink->error = error;
    }
    w->used = 0;
}

static void Put(Writer* w, const char* bytes, size_t length) {
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

static void PutText(Writer* w, const char* text) {
    Put(w, text, strlen(text));
}

static void PutTabs(Writer* w, int depth) {
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

static void PutEscaped(Writer* w, const char* text, size_t length) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t run = 0;  // start of the bytes not yet written that need no escaping
    size_t i = 0;
    while (i < length) {
        unsigned char c = bytes[i];
        if (c >= 0x20 && c < 0x80 && c != '&' && c != '<' && c != '>' && c != '"' && c != '\'') {
            i++;
            continue;
        }
        if (c == '\t') {
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
                PutText(w, "&amp;");
                break;
            case '<':
                PutText(w, "&lt;");
                break;
            case '>':
                PutText(w, "&gt;");
                break;
            case '"':
                PutText(w, "&quot;");
                break;
            case '\'':
                PutText(w, "&apos;");
                break;
            case '\n':
                PutText(w, kNewline);
                break;
            case '\r':
                PutText(w, "&#13;");
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

static void PutRealValue(Writer* w, float value) {
    char text[64];
    // Non-finite values get fixed spellings: the Windows run-time would print "1.#INF00",
    // which reads back as 1.
    if (std::isnan(value)) {
        snprintf(text, sizeof text, "nan");
    } else if (std::isinf(value)) {
        snprintf(text, sizeof text, "%s", value < 0 ? "-inf" : "inf");
    } else {
        snprintf(text, sizeof text, "%f", static_cast<double>(value));
    }
    PutText(w, text);
}

// Writes an element name with its attributes, e.g. "<string" + attributes.
static void PutOpen(Writer* w, const char* name, const char* attributes) {
    PutText(w, "<");
    PutText(w, name);
    PutText(w, attributes);
}

static void WriteNode(Writer* w, const PlistNode* node, int depth, bool inArray, bool isRoot) {
    const uint32_t options = w->options;
    if (IsVolatile(node) && !(options & kWriteVolatile)) return;

    char attributes[48] = "";
    if (options & kWriteAttributes) {
        snprintf(attributes, sizeof attributes, "%s%s",
                 IsVolatile(node) ? " volatile=\"true\"" : "",
                 IsDirty(node) ? " dirty=\"true\"" : "");
    }

    PlistType type = TypeOf(node);
    PutTabs(w, depth);
    if (type != PlistType::None && KeyLength(node) > 0 && !inArray &&
        !(isRoot && (options & kWriteDocument))) {
        PutText(w, "<key>");
        PutEscaped(w, KeyOf(node), KeyLength(node));
        PutText(w, "</key>");
    }

    char number[16];
    switch (type) {
        case PlistType::None:
            break;
        case PlistType::String:
        case PlistType::Data: {
            const char* name = type == PlistType::String ? "string" : "data";
            PutOpen(w, name, attributes);
            PutText(w, ">");
            PutEscaped(w, TextOf(node), TextLength(node));
            PutText(w, "</");
            PutText(w, name);
            PutText(w, ">");
            PutText(w, kNewline);
            break;
        }
        case PlistType::Boolean:
            PutOpen(w, BooleanOf(node) ? "true" : "false", attributes);
            PutText(w, "/>");
            PutText(w, kNewline);
            break;
        case PlistType::Integer:
            PutOpen(w, "integer", attributes);
            snprintf(number, sizeof number, ">%ld", static_cast<long>(IntegerOf(node)));
            PutText(w, number);
            PutText(w, "</integer>");
            PutText(w, kNewline);
            break;
        case PlistType::Real:
            PutOpen(w, "real", attributes);
            PutText(w, ">");
            PutRealValue(w, RealOf(node));
            PutText(w, "</real>");
            PutText(w, kNewline);
            break;
        case PlistType::Dict:
        case PlistType::Array: {
            const char* name = type == PlistType::Dict ? "dict" : "array";
            uint32_t count = CountChildren(node, (options & kWriteVolatile) != 0);
            PutOpen(w, name, attributes);
            if (count == 0) {
                PutText(w, "/>");
                PutText(w, kNewline);
                break;
            }
            PutText(w, ">");
            PutText(w, kNewline);
            for (uint32_t i = 0; i < ChildCount(node) && w->sink->error == 0; i++) {
                WriteNode(w, ChildAt(node, i), depth + 1, type == PlistType::Array, false);
            }
            PutTabs(w, depth);
            PutText(w, "</");
            PutText(w, name);
            PutText(w, ">");
            PutText(w, kNewline);
            break;
        }
    }
}

int WritePlist(const PlistNode* root, PlistSink* sink, uint32_t options) {
    if (!sink) return 5;
    sink->options = options;
    sink->root = root;
    sink->error = 0;
    // The 16 KiB buffer lives on the heap only for the duration of the call: the writer
    // allocates nothing per node.
    Writer* w = new Writer;
    w->sink = sink;
    w->options = options;
    w->used = 0;
    if (options & kWriteDocument) PutText(w, kXmlHeader);
    if (root) WriteNode(w, root, 0, false, true);
    if (options & kWriteDocument) PutText(w, kXmlFooter);
    Flush(w);
    delete w;
    return sink->error;
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
