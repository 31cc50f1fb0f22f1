// Reading control library files: list libraries in file order, and the
// controller-number library placed by MIDICC.
#include <cstring>

#include "devices/control_library.h"
#include "devices/document_cache.h"
#include "plist/plist_node.h"
#include "devices/key_reading.h"
#include "plist/plist_xml.h"

namespace {

// A UTF-8 name from the file as 8-bit text, as bank names are kept.
template <size_t N>
void DecodedText(const PlistNode* dict, const char* key, char (&field)[N]) {
    const PlistNode* node = FindChild(dict, key, 0);
    if (!node) return;
    if (TypeOf(node) == PlistType::String || TypeOf(node) == PlistType::Data)
        FromUtf8(TextOf(node), field, N);
    else
        field[0] = '\0';
}

// Short names are shown run together with the name, so a non-empty one
// carries one trailing blank (the last character makes way when full).
template <size_t N>
void AppendBlank(char (&field)[N]) {
    size_t len = strlen(field);
    if (len == 0) return;
    if (len > N - 2) len = N - 2;
    field[len] = ' ';
    field[len + 1] = '\0';
}

// The fields every library control has, whichever library it is read for.
void ReadControlTexts(LibraryControl* c, const PlistNode* node) {
    Text(node, "desc", c->desc);
    Text(node, "labels", c->labels);
    Text(node, "control", c->control);
    Text(node, "editor", c->editor);
    Text(node, "Button", c->button);
    Text(node, "Pad", c->pad);
    Text(node, "ctrl_type", c->ctrlType);
}

void ReadListControl(LibraryControl* c, const PlistNode* node) {
    c->midiCc = NumberOr(node, "MIDICC", 0);
    DecodedText(node, "name", c->name);
    const PlistNode* shortName = FindChild(node, "short name", 0);
    // 1 without a short name; a number written in its place is kept as the
    // number (and the text stays empty); a text gives 0.
    c->shortNumber = shortName ? GetIntOfChild(node, "short name") : 1;
    DecodedText(node, "short name", c->shortName);
    AppendBlank(c->shortName);
    ReadControlTexts(c, node);
}

}  // namespace

int ReadListLibraryFromTree(PlistNode* root, LibraryData* lib) {
    memset(lib, 0, sizeof *lib);
    const PlistNode* library = FindChild(root, "library", 0);
    if (TypeOf(library) != PlistType::Dict) return 0;
    DecodedText(library, "name", lib->name);
    DecodedText(library, "short name", lib->shortName);
    AppendBlank(lib->shortName);
    lib->priority = NumberOr(library, "priority", 0);
    lib->pid = NumberOr(library, "PID", 0);
    lib->vid = NumberOr(library, "VID", 0);
    lib->uniqueId = NumberOr(library, "unique id", 0);
    const PlistNode* controls = FindChild(library, "controls", 0);
    uint32_t n = ChildCount(controls);
    for (uint32_t i = 0; i < n && lib->controlCount < kLibraryFileControls; ++i)
        ReadListControl(&lib->controls[lib->controlCount++], ChildAt(controls, i));
    return 1;
}

int ReadListLibrary(const char* path, LibraryData* lib, std::string* problem) {
    std::string report;
    PlistNode* root = path ? SharedDocument(path, nullptr, &report) : nullptr;
    if (problem) *problem = report;
    // What the parser built before an error is part of a library: its
    // controls would seem to be all there are.
    if (!root || !report.empty()) {
        memset(lib, 0, sizeof *lib);
        return 0;
    }
    return ReadListLibraryFromTree(root, lib);
}

// --- The controller-number library ----------------------------------------

CcLibrary gCcLibrary;

void CcLibraryClear(CcLibrary* lib) {
    memset(lib, 0, sizeof *lib);
}

int CcLibraryPlace(CcLibrary* lib, const LibraryControl* control) {
    int n = control->midiCc;
    if (n < 0 || n >= kLibraryFileControls) return 0;  // no slot for it
    LibraryControl* slot = &lib->controls[n];
    // A slot holding MIDICC 0 never counts as taken, so controller 0 is
    // simply replaced by the next control that names it.
    if (slot->midiCc != 0) {
        slot->hasSecond = 1;
        slot = &lib->controls[kLibraryFileControls + n];
    }
    uint8_t hasSecond = slot->hasSecond;
    *slot = *control;
    slot->hasSecond = hasSecond;
    return 1;
}

int CcLibraryMergeTree(CcLibrary* lib, PlistNode* root) {
    const PlistNode* library = FindChild(root, "library", 0);
    if (!library) return 0;
    // The name is kept as the file has it: this library is never listed.
    Text(library, "name", lib->name);
    lib->uniqueId = NumberOr(library, "unique id", 0);
    const PlistNode* controls = FindChild(library, "controls", 0);
    uint32_t n = ChildCount(controls);
    int read = 0;
    for (uint32_t i = 0; i < n && read < kLibraryFileControls; ++i, ++read) {
        const PlistNode* node = ChildAt(controls, i);
        LibraryControl c;
        memset(&c, 0, sizeof c);
        c.midiCc = NumberOr(node, "MIDICC", 0);
        Text(node, "name", c.name);
        ReadControlTexts(&c, node);
        CcLibraryPlace(lib, &c);
    }
    lib->controlCount = read;
    return 1;
}

int CcLibraryMergeFile(CcLibrary* lib, const char* path) {
    PlistNode* root = path ? SharedDocument(path) : nullptr;
    if (!root) return 0;
    return CcLibraryMergeTree(lib, root);
}
