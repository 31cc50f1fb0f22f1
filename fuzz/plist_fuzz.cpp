// Fuzz target for the property-list reader, and through it the writer and path look-ups.
//
// Besides "no crash, no leak, no overrun" it checks two properties that matter for bank
// files: whatever tree the reader builds, the writer turns it into a document that reads back
// without error, and writing that re-read tree again gives the same bytes (the saved layout is
// a fixed point).

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "plist/plist_xml.h"

static std::string Write(const PlistNode* root, uint32_t options) {
    std::string out;
    PlistSink sink = PlistStringSink(&out);
    if (WritePlist(root, &sink, options) != 0) abort();
    return out;
}

// Reads a document the writer produced; the writer must never produce a malformed one.
static PlistNode* ReadBack(const std::string& text) {
    PlistNode* error = Create(nullptr, PlistType::String);
    PlistNode* root = ParsePlist(text.data(), text.size(), "rewritten", error);
    if (TextLength(error) != 0) abort();
    DestroyTree(error);
    return root;
}

// Keys of the document used as paths: they hold whatever bytes the input had, dots and
// brackets included.
static void ExerciseLookups(PlistNode* root) {
    char buffer[8];
    std::string paths[32];
    int count = 0;
    PlistIterator it = Iterator(root, IteratorMode::Subtree);
    while (PlistNode* node = IteratorNext(&it)) {
        GetText(node, buffer, 1 + KeyLength(node) % sizeof buffer);
        if (KeyLength(node) > 0 && count < 32) paths[count++].assign(KeyOf(node), KeyLength(node));
    }
    for (int i = 0; i < count; i++) {
        const char* path = paths[i].c_str();
        Lookup(root, path, 0);
        GetInt(root, path, -7);
        GetIntOfChild(root, path);
        GetTextOfChild(root, path, buffer, sizeof buffer);
    }
    if (count > 0) {
        Lookup(root, paths[0].c_str(), kLookupCreateVolatile);
        Lookup(root, paths[count - 1].c_str(), kLookupRemove);
        Lookup(root, paths[count / 2].c_str(), kLookupCreate);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;  // length 0 would mean "zero-terminated"
    PlistNode* error = Create(nullptr, PlistType::Integer);
    PlistNode* root = ParsePlist(reinterpret_cast<const char*>(data), size, "fuzz", error);

    if (root) {
        const std::string first = Write(root, kWriteDocument | kWriteVolatile);
        Write(root, kWriteAttributes);  // the fragment form, with attributes
        PlistNode* second = ReadBack(first);
        const std::string again = Write(second, kWriteDocument | kWriteVolatile);
        PlistNode* third = ReadBack(again);
        if (Write(third, kWriteDocument | kWriteVolatile) != again) abort();
        DestroyTree(third);
        DestroyTree(second);

        ExerciseLookups(root);
        Write(root, kWriteDocument);
        MarkDirty(root, false);
    }
    DestroyTree(root);
    DestroyTree(error);
    return 0;
}
