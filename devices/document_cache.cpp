// The kept documents (see document_cache.h). Used from the user-interface
// thread only, as every reader of definitions and libraries is.
#include "devices/document_cache.h"

#include <unordered_map>

#include "base/file_stamp.h"
#include "plist/plist_node.h"
#include "plist/plist_xml.h"

namespace {

struct KeptDocument {
    bool parsed = false;        // stamp, generation and root are set
    uint64_t generation = 0;    // numbers the readings of files
    FileStamp stamp;            // of the file when it was parsed
    PlistNode* root = nullptr;  // owned; none for a file that could not be read
    std::string problem;        // the parser's report of an XML error, if any

    KeptDocument() = default;
    KeptDocument(const KeptDocument&) = delete;
    KeptDocument& operator=(const KeptDocument&) = delete;
    ~KeptDocument() { DestroyTree(root); }
};

std::unordered_map<std::string, KeptDocument>& Kept() {
    static std::unordered_map<std::string, KeptDocument> kept;
    return kept;
}

uint64_t gLastGeneration = 0;

}  // namespace

PlistNode* SharedDocument(const std::string& path, uint64_t* generation, std::string* problem) {
    const FileStamp stamp = StampOfFile(path.c_str());
    KeptDocument& document = Kept()[path];
    if (!document.parsed || !StampStillHolds(document.stamp, stamp)) {
        DestroyTree(document.root);
        PlistNode* error = Create(nullptr, PlistType::None);
        document.root = LoadPlistFile(path.c_str(), error);
        // Bytes after the root element's end spoil nothing the document holds.
        const bool broken = TypeOf(error) != PlistType::None && !PlistErrorAfterDocument(error);
        document.problem = broken ? TextOf(error) : "";
        DestroyTree(error);
        document.stamp = stamp;
        document.generation = ++gLastGeneration;
        document.parsed = true;
    }
    if (generation) *generation = document.generation;
    if (problem) *problem = document.problem;
    return document.root;
}

void ClearSharedDocuments() {
    Kept().clear();
    ClearKeptDefinitions();
    ClearKeptCcLibraries();
}
