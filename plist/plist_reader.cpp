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
//    several lines must not keep only its last piece. Each run of text between two boundaries
//    replaces a key, and adds to a string.
//  - A dict or array that would open a 65th level stops the parse as a malformed document
//    would: the tree read so far is returned and the error is reported.
//  - Keys and strings of any length are read whole; the document's own size is the limit.
//  - Elements at the top level after the root's (a second root) are read and thrown away.
//  - An unknown element that encloses known ones is passed over as if its tags were not there.
//
// Speed: nodes come from an arena (plist_build.h) and are linked, typed and filled directly,
// without change tracking, so the tree needs no second walk to come out clean. Only the
// retyping of a node that already holds children or text (which a well-formed document never
// asks for) goes through the public setters; such a document gets the clearing walk after all.

#include <expat.h>
#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "plist/plist_build.h"
#include "plist/plist_xml.h"

static const char kTooDeepMessage[] = "document nested too deeply";
// The key an error node gets when the error came after the root element ended.
static const char kAfterDocument[] = "after document";

// The elements of the format. Names are matched without regard to letter case.
enum class Element { Other, Plist, Key, Dict, Array, Integer, Real, String, Data, True, False };

// Keys and strings, nearly all of a document's text, go straight into their node; only the
// text of the other types is gathered first, to be parsed whole.
enum class TextRun { None, Key, String, Gathered };

struct ReaderLevel {
    PlistNode* node;   // node receiving the current element's type and text, or none
    bool acceptsText;  // the element open at this level takes text
};

struct Reader {
    XML_Parser parser;
    PlistArena arena;                // where the document's nodes come from
    bool marked;                     // a public setter may have marked nodes dirty
    PlistNode* root;                 // first node created; none at first
    std::vector<PlistNode*> strays;  // top-level nodes after the root, destroyed at the end
    int level;                       // index into levels
    bool tooDeep;                    // parse stopped by the nesting limit
    bool ended;                      // the root element has ended: the document is whole
    bool textHandler;                // the character-data handler is set
    std::vector<Element> open;       // the elements open in the document, innermost last
    TextRun run;                     // where the text since the last boundary went
    std::string text;                // a number's or data's text, gathered for levels[level].node
    ReaderLevel levels[kReaderLevels];
};

static void XMLCALL OnCharacterData(void* data, const XML_Char* text, int length);

// TypeOf for a node known to exist, inline: the reader asks at every element.
static PlistType TypeBits(const PlistNode* node) {
    return static_cast<PlistType>(node->flags & kPlistTypeMask);
}

// Ends the run of text at an element boundary: a key gets its hash, gathered text is handed to
// its node as its value.
static void FlushText(Reader* r) {
    const TextRun run = r->run;
    if (run == TextRun::None) return;
    r->run = TextRun::None;
    PlistNode* node = r->levels[r->level].node;
    if (run == TextRun::Key) {
        node->keyHash = KeyHash(0, node->key.data(), node->key.size());
    } else if (run == TextRun::Gathered) {
        StoreText(node, r->text.data(), static_cast<uint32_t>(r->text.size()));
        r->text.clear();
    }
}

// Whether name continues with rest (lower-case letters) in any letter case and ends there.
// c | 0x20 equals a lower-case letter exactly when c is that letter in either case.
static bool RestIs(const char* name, const char* rest) {
    for (; *rest; name++, rest++) {
        if ((*name | 0x20) != *rest) return false;
    }
    return *name == '\0';
}

// Called for every start tag: the first letter picks the one candidate to compare.
static Element Classify(const char* name) {
    const char* rest = name + 1;
    switch (name[0] | 0x20) {
        case 'a':
            return RestIs(rest, "rray") ? Element::Array : Element::Other;
        case 'd':
            if ((name[1] | 0x20) == 'i') return RestIs(rest, "ict") ? Element::Dict : Element::Other;
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

// A new node of type none, appended to parent as Append would (a parent that is no container
// leaves it a root), but without change tracking.
static PlistNode* NewNode(Reader* r, PlistNode* parent) {
    PlistNode* node = ArenaNewNode(&r->arena);
    const PlistType type = parent ? TypeBits(parent) : PlistType::None;
    if (type == PlistType::Dict || type == PlistType::Array) {
        node->refCount = 1;
        node->parent = parent;
        // Most dicts of a document hold a handful of entries: one allocation for the first
        // eight instead of one per doubling.
        if (parent->children.capacity() == 0) parent->children.reserve(8);
        parent->children.push_back(node);
    }
    return node;
}

// SetType for the reader: a node that owns nothing yet is typed in place; one that does is
// cleared through the public setter, which may mark nodes dirty.
static void TypeNode(Reader* r, PlistNode* node, PlistType type) {
    if (TypeBits(node) == type) return;
    if (node->children.empty() && node->text.empty()) {
        node->value.integer = 0;
        node->flags = (node->flags & ~kPlistTypeMask) | static_cast<uint32_t>(type);
        return;
    }
    SetType(node, type);
    r->marked = true;
}

static void XMLCALL OnStartElement(void* data, const XML_Char* name, const XML_Char** attributes) {
    (void)attributes;  // nodes read from a file are never volatile; dirty bits are cleared
    Reader* r = static_cast<Reader*>(data);
    FlushText(r);
    const Element element = Classify(name);
    r->open.push_back(element);  // so that the end tag need not be classified again
    ReaderLevel* level = &r->levels[r->level];
    // An unknown element adds nothing: inside the document it opens no node of its own (one
    // left untyped would stay behind as an empty entry when nothing follows it to fill it).
    if (element == Element::Other && !level->node && r->root) return;
    if (!level->node) {
        PlistNode* parent = r->level > 0 ? r->levels[r->level - 1].node : nullptr;
        PlistNode* node = NewNode(r, parent);
        if (!r->root) {
            r->root = node;
        } else if (node->refCount == 0) {
            r->strays.push_back(node);
        }
        level->node = node;
        AcceptText(r, level, false);
    }
    PlistNode* node = level->node;
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
            TypeNode(r, node, element == Element::Dict ? PlistType::Dict : PlistType::Array);
            r->level++;
            r->levels[r->level].node = nullptr;
            AcceptText(r, &r->levels[r->level], false);
            break;
        case Element::Integer:
            AcceptText(r, level, true);
            TypeNode(r, node, PlistType::Integer);
            break;
        case Element::Real:
            AcceptText(r, level, true);
            TypeNode(r, node, PlistType::Real);
            break;
        case Element::String:
            AcceptText(r, level, true);
            TypeNode(r, node, PlistType::String);
            break;
        case Element::Data:
            AcceptText(r, level, true);
            TypeNode(r, node, PlistType::Data);
            break;
        case Element::True:
            TypeNode(r, node, PlistType::Boolean);
            node->value.boolean = 1;
            break;
        case Element::False:
            TypeNode(r, node, PlistType::Boolean);
            node->value.boolean = 0;
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
        if (r->open.empty()) r->ended = true;
    }
    if ((element == Element::Plist || element == Element::Dict || element == Element::Array) &&
        r->level > 0) {
        r->level--;
    }
    ReaderLevel* level = &r->levels[r->level];
    AcceptText(r, level, false);
    if (level->node && TypeBits(level->node) != PlistType::None) level->node = nullptr;
}

static void XMLCALL OnCharacterData(void* data, const XML_Char* text, int length) {
    Reader* r = static_cast<Reader*>(data);
    const ReaderLevel& level = r->levels[r->level];
    PlistNode* node = level.node;
    if (!node || !level.acceptsText || length <= 0) return;
    if (r->run == TextRun::None) {
        switch (TypeBits(node)) {
            case PlistType::None:
                r->run = TextRun::Key;
                node->key.clear();
                break;
            case PlistType::String:
                r->run = TextRun::String;
                break;
            default:
                r->run = TextRun::Gathered;
                break;
        }
    }
    switch (r->run) {
        case TextRun::Key:
            node->key.append(text, length);
            break;
        case TextRun::String:
            node->text.append(text, length);
            break;
        default:
            r->text.append(text, length);
            break;
    }
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

// A reader with its parser, or none when expat cannot make one.
static Reader* BeginReading() {
    Reader* r = new Reader;
    r->parser = XML_ParserCreate(nullptr);
    r->marked = false;
    r->root = nullptr;
    r->level = 0;
    r->tooDeep = false;
    r->ended = false;
    r->textHandler = false;
    r->run = TextRun::None;
    r->levels[0] = {nullptr, false};
    if (!r->parser) {
        delete r;
        return nullptr;
    }
    XML_SetUserData(r->parser, r);
    XML_SetElementHandler(r->parser, OnStartElement, OnEndElement);
    return r;
}

// Ends the reading: reports a failed parse (status), frees the reader and returns the tree,
// or, when keep is false (the input could not be read whole), destroys the tree and returns
// none without a word.
static PlistNode* EndReading(Reader* r, XML_Status status, bool keep, const char* name,
                             PlistNode* errorNode) {
    if (keep && status != XML_STATUS_OK) {
        const char* message =
            r->tooDeep ? kTooDeepMessage : XML_ErrorString(XML_GetErrorCode(r->parser));
        if (!message) message = "unknown error";
        ReportError(name, XML_GetCurrentLineNumber(r->parser), message, errorNode);
        if (errorNode && r->ended) SetKey(errorNode, kAfterDocument, 0);
    }
    // Text gathered before an error still belongs to the tree read so far.
    FlushText(r);
    XML_ParserFree(r->parser);

    for (PlistNode* stray : r->strays) DestroyTree(stray);
    ArenaFinish(&r->arena);
    PlistNode* root = r->root;
    if (r->marked) MarkDirty(root, false);
    delete r;
    if (!keep) {
        DestroyTree(root);
        return nullptr;
    }
    return root;
}

bool PlistErrorAfterDocument(const PlistNode* errorNode) {
    return TypeOf(errorNode) == PlistType::String && strcmp(KeyOf(errorNode), kAfterDocument) == 0;
}

PlistNode* ParsePlist(const char* bytes, size_t length, const char* name, PlistNode* errorNode) {
    if (!bytes) return nullptr;
    if (length == 0) length = strlen(bytes);
    Reader* r = BeginReading();
    if (!r) return nullptr;

    // One call with the whole document, in pieces only when it exceeds expat's int length.
    const size_t kMaxPiece = 1u << 30;
    XML_Status status = XML_STATUS_OK;
    do {
        size_t piece = length < kMaxPiece ? length : kMaxPiece;
        length -= piece;
        status = XML_Parse(r->parser, bytes, static_cast<int>(piece), length == 0);
        bytes += piece;
    } while (status == XML_STATUS_OK && length > 0);
    return EndReading(r, status, true, name, errorNode);
}

PlistNode* LoadPlistFile(const char* path, PlistNode* errorNode) {
    if (!path) return nullptr;
    FILE* file = fopen(path, "rb");
    if (!file) return nullptr;
    Reader* r = BeginReading();
    if (!r) {
        fclose(file);
        return nullptr;
    }
    // The file is read straight into expat's buffer: no copy of the whole document. Its size
    // is only a hint for the first piece, one byte larger so that the end of the file shows in
    // the same read: the whole file is then parsed in one final call (expat counts lines and
    // columns after every call that is not final, a walk over every byte). A file that turns
    // out longer (or cannot tell its size) goes on in pieces; one that cannot be read to its
    // end gives none and no message, as if it had not been parsed at all, so after a parse
    // error the rest is still read, unparsed, to find out. Directories fail cleanly.
    const size_t kPiece = 65536;
    struct stat info;
    size_t piece = kPiece;
    if (fstat(fileno(file), &info) == 0 && info.st_size > 0 &&
        static_cast<uint64_t>(info.st_size) < (1u << 30)) {
        piece = static_cast<size_t>(info.st_size) + 1;
    }
    XML_Status status = XML_STATUS_OK;
    bool failed = false;
    bool parsedToTheEnd = false;
    char spare[4096];
    for (;;) {
        char* buffer = spare;
        size_t room = sizeof spare;
        if (status == XML_STATUS_OK) {
            buffer = static_cast<char*>(XML_GetBuffer(r->parser, static_cast<int>(piece)));
            room = piece;
            if (!buffer) {
                failed = true;  // no memory
                break;
            }
        }
        size_t count = fread(buffer, 1, room, file);
        if (count < room && ferror(file)) {
            failed = true;
            break;
        }
        const bool end = count < room;
        if (status == XML_STATUS_OK) {
            status = XML_ParseBuffer(r->parser, static_cast<int>(count), end);
            parsedToTheEnd = end;
        }
        if (end) break;
        piece = kPiece;
    }
    fclose(file);
    if (!failed && !parsedToTheEnd && status == XML_STATUS_OK) {
        status = XML_ParseBuffer(r->parser, 0, XML_TRUE);
    }
    return EndReading(r, status, !failed, path, errorNode);
}
