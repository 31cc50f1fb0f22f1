// Property-list XML: reads documents into PlistNode trees (with expat) and writes trees back in
// the program's fixed layout: tab indentation, each key on the line of its value, optional
// volatile/dirty attributes, CR LF line ends on every platform (the layout of a Windows
// text-mode file, so that files are byte-identical whichever build wrote them).

#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "plist/plist_node.h"

// WriteOptions: bit flags for WritePlist and SavePlistFile.
enum WriteOptions : uint32_t {
    kWriteDocument = 1,    // XML header and closing </plist> line; never the root's key
    kWriteAttributes = 2,  // volatile="true" / dirty="true" attributes
    kWriteVolatile = 4,    // include volatile nodes (otherwise skipped with their subtrees)
};

// The system identifier written in the DOCTYPE line.
extern const char kPlistDtdUrl[];

// Nesting the reader supports: one level per open dict or array.
constexpr int kReaderLevels = 64;

// The writer's output. Build one with PlistFileSink or PlistStringSink, or fill in write
// yourself.
struct PlistSink {
    // Takes each chunk of output (at most kWriteChunk bytes); returns 0, or an error code that
    // stops the writer and becomes its result.
    int (*write)(PlistSink* sink, const char* bytes, size_t length) = nullptr;
    uint32_t options = 0;             // the options of the WritePlist call in progress
    const PlistNode* root = nullptr;  // the root being written
    int error = 0;                    // 0 while all is well, else the first failure's code
    FILE* stream = nullptr;           // the open output stream of file sinks
    std::string* text = nullptr;      // the output string of string sinks
    void* context = nullptr;          // free for sinks of the caller's own
};

// Output is formatted into a buffer of this size and handed to the sink when it is full.
constexpr size_t kWriteChunk = 16384;

// A sink writing to an open stream (opened in binary mode: the writer produces CR LF itself).
// A short write gives errno (or 5).
PlistSink PlistFileSink(FILE* stream);
// A sink appending to a string.
PlistSink PlistStringSink(std::string* text);

// Writes the tree at root into the sink with the given options; returns the sink's error code
// (0 on success).
int WritePlist(const PlistNode* root, PlistSink* sink, uint32_t options);
// Writing a document element by element, in exactly the layout WritePlist gives the same tree,
// for writers of big documents that have their values at hand and need no tree (a bank file).
// Each value goes on a line of its own at the current depth, after its key when key is neither
// null nor empty; keys and texts are escaped as in a tree. No attributes are written.
struct PlistWriter;
// Starts writing into sink with the given options (the header with kWriteDocument); none when
// sink is none.
PlistWriter* BeginPlist(PlistSink* sink, uint32_t options);
// A dict or array: empty writes the self-closing element; otherwise its children follow, one
// depth deeper, until PlistEndContainer of the same type.
void PlistBeginContainer(PlistWriter* w, const char* key, PlistType type, bool empty);
void PlistEndContainer(PlistWriter* w, PlistType type);
void PlistWriteInteger(PlistWriter* w, const char* key, int32_t value);
void PlistWriteBoolean(PlistWriter* w, const char* key, bool value);
// length bytes of text (it need not be zero-terminated).
void PlistWriteString(PlistWriter* w, const char* key, const char* text, size_t length);
// Ends the document (the closing line with kWriteDocument), hands the rest to the sink and
// frees the writer; returns the sink's error code (0 on success).
int EndPlist(PlistWriter* w);

// Writes the tree as the whole new content of the file at path, with options plus
// kWriteDocument, through the durable write (base/durable_file.h): the file is the old or
// the new document, whole, whatever happens. Returns 0, or the errno of the failed step
// (5 when errno is 0); the old file is then untouched.
int SavePlistFile(const PlistNode* root, const char* path, uint32_t options);

// Parses a document (length 0: zero-terminated) and returns its root, or none when no node
// was built. On malformed input the tree built up to the error is returned, the line
// "name:line: message" goes to stderr (name "XML Load Error" when none), and when errorNode is
// given it becomes a string node and gets: XML Load Error "message" line N. Nodes read are
// never volatile, and the tree comes back clean (no dirty bits).
PlistNode* ParsePlist(const char* bytes, size_t length, const char* name, PlistNode* errorNode);
// Whether the error an errorNode of ParsePlist holds came after the document's root element
// had ended (bytes after it): the tree returned is then the whole document.
bool PlistErrorAfterDocument(const PlistNode* errorNode);
// Reads the whole file and parses it with its path as the name for messages. A file that
// cannot be opened or read gives none, silently. The caller owns the tree (DestroyTree).
PlistNode* LoadPlistFile(const char* path, PlistNode* errorNode);

// Single-byte text (each byte the character U+0000-U+00FF) to UTF-8 in out (size bytes,
// always zero-terminated; a character that does not fit whole ends the output). Returns the
// length written. A 72-byte name needs 145 bytes.
int ToUtf8(const char* text, char* out, size_t size);
// UTF-8 to single-byte text: the low 8 bits of each character code into out (size bytes,
// always zero-terminated); bytes that are not valid UTF-8 are taken as single characters.
void FromUtf8(const char* utf8, char* out, size_t size);
