// Property-list XML reader: expat's element and character-data handlers that build the tree.
//
// The reader keeps one slot per nesting level. A slot holds the node that the current
// element types and fills; it is emptied when that node's value element ends, so that the
// next element starts a new node. "<key>a</key><integer>5</integer>" therefore builds one node:
// "key" leaves it untyped with the key a, "integer" types that same node.
//
// Choices for input the format does not cover:
//  - Text is gathered until the next element boundary and handed over whole: expat splits text
//    at entity references and line breaks, and a key "a&amp;b" or an integer written over
//    several lines must not keep only its last piece.
//  - A dict or array that would open a 65th level stops the parse as a malformed document
//    would: the tree read so far is returned and the error is reported.
//  - Keys and strings of any length are read whole; the document's own size is the limit.
//  - Elements at the top level after the root's (a second root) are read and thrown away.

#include <expat.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "plist/plist_xml.h"

static const char kTooDeepMessage[] = "document nested too deeply";

// The elements of the format. Names are matched without regard to letter case.
enum class Element { Other, Plist, Key, Dict, Array, Integer, Real, String, Data, True, False };

struct ReaderLevel {
    PlistNode* node;   // node receiving the current element's type and text, or none
    bool acceptsText;  // the element open at this level takes text
};

struct Reader {
    XML_Parser parser;
    PlistNode* root;                 // first node created; none at first
    std::vector<PlistNode*> strays;  // top-level nodes after the root, destroyed at the end
    int level;                       // index into levels
    bool tooDeep;                    // parse stopped by the nesting limit
    bool textHandler;                // the character-data handler is set
    std::vector<Element> open;       // the elements open in the document, innermost last
    std::string text;                // text gathered for levels[level].node
    ReaderLevel levels[kReaderLevels];
};

static void XMLCALL OnCharacterData(void* data, const XML_Char* text, int length);

// Hands the gathered text to the node it was gathered for: an untyped node takes it as its
// key, a typed one as its value.
static void FlushText(Reader* r) {
    if (r->text.empty()) return;
    PlistNode* node = r->levels[r->level].node;
    if (node) {
        const uint32_t length = static_cast<uint32_t>(r->text.size());
        if (TypeOf(node) == PlistType::None) {
            SetKey(node, r->text.data(), length);
        } else {
            SetText(node, r->text.data(), length);
        }
    }
    r->text.clear();
}

static char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

// Whether name (lower-cased as it goes) continues with the lower-case rest and ends there.
static bool RestIs(const char* name, const char* rest) {
    for (; *rest; name++, rest++) {
        if (Lower(*name) != *rest) return false;
    }
    return *name == '\0';
}

// Called for every start and end tag: the first letter picks the one candidate to compare.
static Element Classify(const char* name) {
    const char* rest = name + 1;
    switch (Lower(name[0])) {
        case 'a':
            return RestIs(rest, "rray") ? Element::Array : Element::Other;
        case 'd':
            if (Lower(name[1]) == 'i') return RestIs(rest, "ict") ? Element::Dict : Element::Other;
            return RestIs(rest, "ata") ? Element::Data : Element::Other;
        case 'f':
            return RestIs(rest, "alse") ? Element::False : Element::Other;
        case 'i':
            return RestIs(rest, "nteger") ? Element::Integer : Element::Other;
        case 'k':
            return RestIs(rest, "ey") ? Element::Key : Element::Other;
        case 'p':
            return RestIs(rest, "list") ? Element::Plist : Element::Other;
        case 'r':
            return RestIs(rest, "eal") ? Element::Real : Element::Other;
        case 's':
            return RestIs(rest, "tring") ? Element::String : Element::Other;
        case 't':
            return RestIs(rest, "rue") ? Element::True : Element::Other;
        default:
            return Element::Other;
    }
}

// Text is only wanted inside key and value elements; between elements (the indentation of
// every line) expat is told not to deliver it at all.
static void AcceptText(Reader* r, ReaderLevel* level, bool on) {
    level->acceptsText = on;
    if (r->textHandler != on) {
        r->textHandler = on;
        XML_SetCharacterDataHandler(r->parser, on ? OnCharacterData : nullptr);
    }
}

static void XMLCALL OnStartElement(void* data, const XML_Char* name, const XML_Char** attributes) {
    (void)attributes;  // nodes read from a file are never volatile; dirty bits are cleared
    Reader* r = static_cast<Reader*>(data);
    FlushText(r);
    ReaderLevel* level = &r->levels[r->level];
    if (!level->node) {
        PlistNode* parent = r->level > 0 ? r->levels[r->level - 1].node : nullptr;
        PlistNode* node = Create(parent, PlistType::None);
        if (!r->root) {
            r->root = node;
        } else if (node->refCount == 0) {
            r->strays.push_back(node);
        }
        level->node = node;
        AcceptText(r, level, false);
    }
    PlistNode* node = level->node;
    const Element element = Classify(name);
    r->open.push_back(element);  // so that the end tag need not be classified again
    switch (element) {
        case Element::Plist:
            AcceptText(r, level, false);
            break;
        case Element::Key:
            AcceptText(r, level, true);
            break;
        case Element::Dict:
        case Element::Array:
            if (r->level + 1 >= kReaderLevels) {
                r->tooDeep = true;
                XML_StopParser(r->parser, XML_FALSE);
                return;
            }
            SetType(node, element == Element::Dict ? PlistType::Dict : PlistType::Array);
            r->level++;
            r->levels[r->level].node = nullptr;
            AcceptText(r, &r->levels[r->level], false);
            break;
        case Element::Integer:
            AcceptText(r, level, true);
            SetType(node, PlistType::Integer);
            break;
        case Element::Real:
            AcceptText(r, level, true);
            SetType(node, PlistType::Real);
            break;
        case Element::String:
            AcceptText(r, level, true);
            SetType(node, PlistType::String);
            break;
        case Element::Data:
            AcceptText(r, level, true);
            SetType(node, PlistType::Data);
            break;
        case Element::True:
            SetBoolean(node, true);
            break;
        case Element::False:
            SetBoolean(node, false);
            break;
        case Element::Other:
            break;
    }
}

static void XMLCALL OnEndElement(void* data, const XML_Char* name) {
    (void)name;  // the element was classified when it started
    Reader* r = static_cast<Reader*>(data);
    FlushText(r);
    Element element = Element::Other;
    if (!r->open.empty()) {
        element = r->open.back();
        r->open.pop_back();
    }
    if ((element == Element::Plist || element == Element::Dict || element == Element::Array) &&
        r->level > 0) {
        r->level--;
    }
    ReaderLevel* level = &r->levels[r->level];
    AcceptText(r, level, false);
    if (level->node && TypeOf(level->node) != PlistType::None) level->node = nullptr;
}

static void XMLCALL OnCharacterData(void* data, const XML_Char* text, int length) {
    Reader* r = static_cast<Reader*>(data);
    const ReaderLevel& level = r->levels[r->level];
    if (level.node && level.acceptsText && length > 0) r->text.append(text, length);
}

// Reports a failed parse on stderr and, when asked, in the error node.
static void ReportError(const char* name, unsigned long line, const char* message,
                        PlistNode* errorNode) {
    int lineNumber = line > static_cast<unsigned long>(INT_MAX) ? INT_MAX : static_cast<int>(line);
    if (errorNode) {
        SetType(errorNode, PlistType::String);
        char number[24];
        snprintf(number, sizeof number, "%d", lineNumber);
        SetText(errorNode, "XML Load Error \"", 0);
        SetText(errorNode, message, 0);
        SetText(errorNode, "\" line ", 0);
        SetText(errorNode, number, 0);
    }
#ifndef OSTREL_FUZZ_BUILD
    fprintf(stderr, "%s:%d: %s\n", name ? name : "XML Load Error", lineNumber, message);
#else
    // A fuzzer feeds mostly malformed documents: one line each would cost it
    // more time than the parse.
    (void)name;
#endif
}

PlistNode* ParsePlist(const char* bytes, size_t length, const char* name, PlistNode* errorNode) {
    if (!bytes) return nullptr;
    if (length == 0) length = strlen(bytes);

    Reader* r = new Reader;
    r->parser = XML_ParserCreate(nullptr);
    r->root = nullptr;
    r->level = 0;
    r->tooDeep = false;
    r->textHandler = false;
    r->levels[0] = {nullptr, false};
    if (!r->parser) {
        delete r;
        return nullptr;
    }
    XML_SetUserData(r->parser, r);
    XML_SetElementHandler(r->parser, OnStartElement, OnEndElement);

    // One call with the whole document, in pieces only when it exceeds expat's int length.
    const size_t kMaxPiece = 1u << 30;
    XML_Status status = XML_STATUS_OK;
    do {
        size_t piece = length < kMaxPiece ? length : kMaxPiece;
        length -= piece;
        status = XML_Parse(r->parser, bytes, static_cast<int>(piece), length == 0);
        bytes += piece;
    } while (status == XML_STATUS_OK && length > 0);

    if (status != XML_STATUS_OK) {
        const char* message =
            r->tooDeep ? kTooDeepMessage : XML_ErrorString(XML_GetErrorCode(r->parser));
        if (!message) message = "unknown error";
        ReportError(name, XML_GetCurrentLineNumber(r->parser), message, errorNode);
    }
    // Text gathered before an error still belongs to the tree read so far.
    FlushText(r);
    XML_ParserFree(r->parser);

    for (PlistNode* stray : r->strays) DestroyTree(stray);
    PlistNode* root = r->root;
    delete r;
    MarkDirty(root, false);
    return root;
}

PlistNode* LoadPlistFile(const char* path, PlistNode* errorNode) {
    if (!path) return nullptr;
    FILE* file = fopen(path, "rb");
    if (!file) return nullptr;
    // Read in growing steps rather than trusting a size from seeking: that also works for
    // files that change size or cannot seek, and fails cleanly on a directory.
    char* buffer = nullptr;
    size_t used = 0;
    size_t capacity = 0;
    bool failed = false;
    for (;;) {
        // One byte is always kept spare for the terminating zero.
        if (used + 1 >= capacity) {
            size_t grown = capacity == 0 ? 65536 : capacity * 2;
            char* larger = static_cast<char*>(realloc(buffer, grown));
            if (!larger) {
                failed = true;
                break;
            }
            buffer = larger;
            capacity = grown;
        }
        size_t count = fread(buffer + used, 1, capacity - used - 1, file);
        used += count;
        if (count == 0) {
            failed = ferror(file) != 0;
            break;
        }
    }
    fclose(file);
    PlistNode* root = nullptr;
    if (!failed) {
        // Zero-terminated, so that an empty file (length 0 means "up to the zero") is parsed
        // as the empty document it is, and reported as such.
        buffer[used] = '\0';
        root = ParsePlist(buffer, used, path, errorNode);
    }
    free(buffer);
    return root;
}
