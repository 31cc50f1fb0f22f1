// The folder walks of discovery, without reading anything: which files are
// user banks, ROM bank candidates and libraries, and in which order. Kept
// apart from the reading so the rules and orders are tested on their own.
#pragma once

#include <string>
#include <vector>

// Folders are walked at most this deep: a link from a ".eld" folder to
// itself must not recurse for ever.
constexpr int kMaxWalkDepth = 8;

// The user bank names in folder: entries (not folders) whose extension, taken
// from the first ".", is ".xml" in any case, and whose name is shorter than
// kPathLen; sorted in byte order. Returns 0 when the folder does not exist.
int CollectUserBankNames(const std::string& folder, std::vector<std::string>* names);

// Full paths of the ROM bank candidates under devicesFolder: in ".eld"
// folders (walked recursively, in ListFolder's order), files ending in ".xml"
// whose name is longer than four characters and is not "rom.xml". A device
// folder's own "definition.xml" and "MIDICC.xml" are no banks and are left
// out too, so that no start-up reports them as broken bank files.
void CollectRomBankCandidates(const std::string& devicesFolder, std::vector<std::string>* paths);

// Full paths of the library files under folder: in ".eld" and ".ell" folders
// (walked recursively), files named "definition.xml" or "midicc.xml" in any case.
void CollectLibraryFiles(const std::string& folder, std::vector<std::string>* paths);

// Whether name's extension, taken from its first ".", is ".xml" in any case.
bool HasUserBankExtension(const std::string& name);
