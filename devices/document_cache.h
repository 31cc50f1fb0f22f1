// Documents that start-up and every device switch read again and again (the
// device definitions, the controller-number libraries, the control libraries)
// are parsed once and kept by path for as long as their files stay as they
// were (base/file_stamp.h): a start parses each file once, and switching back
// to a model parses nothing. Changing the program folder forgets them all.
#pragma once

#include <cstdint>
#include <string>

struct PlistNode;

// The tree of the document at path, as LoadPlistFile gives it (none when the
// file cannot be read). The tree is shared: read it, never change or destroy
// it; it stays valid until the next SharedDocument of the same path or
// ClearSharedDocuments. When generation is given it gets the number of this
// reading of the file: the same number as last time exactly when the same
// tree is handed out again (numbers are never reused), so what is worked out
// from a tree can be kept beside it. A file with an XML error still gives the
// tree the parser built before the error; when problem is given it gets the
// parser's report of the error (empty for a file without one), so a reader
// that must not work from part of a file can refuse it.
PlistNode* SharedDocument(const std::string& path, uint64_t* generation = nullptr,
                          std::string* problem = nullptr);

// Destroys every kept tree, and every result kept beside one (the loaded
// definitions and controller-number libraries).
void ClearSharedDocuments();

// The results kept beside the trees, by device folder (device_loader.cpp,
// library_lookup.cpp).
void ClearKeptDefinitions();
void ClearKeptCcLibraries();
