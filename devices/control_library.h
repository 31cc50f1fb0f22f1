// Control libraries: files of ready-made control assignments. A library is a
// property-list document whose root holds a `library` dictionary with a name
// and a `controls` array. List libraries (".ell" folders, read in file order)
// fill the library window; the controller-number library of the loaded device
// (gCcLibrary: "Library/GM.ell" merged with the device's "MIDICC.xml") is
// indexed by controller number and names what a control sends.
#pragma once

#include <string>

#include <cstdint>

#include "devices/device_definition.h"

constexpr int kLibraryFileControls = 256;  // controls read from one file
constexpr int kLibrarySlots = 512;         // n and 256 + n in the CcLibrary
constexpr int kLibraryLabelsLen = 64;
constexpr int kLibraryCtrlTypeLen = 128;

struct LibraryControl {
    int32_t midiCc;
    char name[kNameLen];
    char shortName[kNameLen];
    int32_t shortNumber;  // 1: no short name; 0: empty; else the number given instead of a text
    char desc[kNameLen];
    char labels[kLibraryLabelsLen];
    char control[kNameLen];  // assignment text: "channel=2 midicc=74"
    char editor[kNameLen];
    char button[kNameLen];
    char pad[kNameLen];
    char ctrlType[kLibraryCtrlTypeLen];  // type filter; "" fits all, "!..." reverses
    uint8_t hasSecond;                   // CcLibrary only: slot 256 + n holds a second entry
};

struct LibraryData {
    int32_t controlCount;
    int32_t priority;
    int32_t pid;
    int32_t vid;
    int32_t uniqueId;  // origin of a preset control = uniqueId * 65536 + control index
    char name[kNameLen];
    char shortName[kNameLen];
    LibraryControl controls[kLibrarySlots];
};

// The controller-number library is one LibraryData block indexed by MIDICC.
using CcLibrary = LibraryData;
extern CcLibrary gCcLibrary;

// What an assignment text gives; each *Set is 1 when its key was present.
struct LibraryAssignment {
    int32_t channel, midiCc, program, msb, lsb;
    uint8_t channelSet, midiCcSet, programSet, msbSet, lsbSet;
};
void LibraryAssignmentParse(LibraryAssignment* out, const char* text);

// Whether a library control with type filter ctrlType fits a device control
// whose controller type is named typeName.
int CtrlTypeFits(const char* ctrlType, const char* typeName);

// Reads a list library into lib (cleared first). 0 when the file does not
// parse or has no `library`; a file with an XML error is refused whole, and
// problem (when given) gets the parser's report of it.
int ReadListLibrary(const char* path, LibraryData* lib, std::string* problem = nullptr);
struct PlistNode;
int ReadListLibraryFromTree(PlistNode* root, LibraryData* lib);

// Clears gCcLibrary and reads programFolder's "Library/GM.ell/definition.xml"
// then deviceFolder + "MIDICC.xml" into it. The program folder comes from
// DiscoveryProgramFolder().
void LoadCcLibrary(const char* deviceFolder);
void CcLibraryClear(CcLibrary* lib);
// Merges one controller-number library file into lib; 0 when unreadable.
int CcLibraryMergeFile(CcLibrary* lib, const char* path);
int CcLibraryMergeTree(CcLibrary* lib, PlistNode* root);
// Places one control by its MIDICC (the slot rule); 0 when it has no slot.
int CcLibraryPlace(CcLibrary* lib, const LibraryControl* control);

// The entry that names controller n on device control controlIndex, or null.
const LibraryControl* CcLibraryEntryFor(int controlIndex, int n);
const LibraryControl* CcLibraryEntryForIn(const CcLibrary* lib, const DeviceDefinition* def,
                                          int controlIndex, int n);

// A preset control's origin: the library's unique id in the high 16 bits and
// the control's index in the low 16, taken as unsigned bits, so that a huge id
// from a file wraps rather than overflows (-1: no library).
inline int32_t LibraryOrigin(int32_t uniqueId, int controlIndex) {
    return static_cast<int32_t>(static_cast<uint32_t>(uniqueId) * 65536u +
                                static_cast<uint32_t>(controlIndex));
}
inline int32_t OriginUniqueId(int32_t origin) {
    return static_cast<int32_t>(static_cast<uint32_t>(origin) >> 16);
}
inline int OriginControlIndex(int32_t origin) {
    return static_cast<int>(static_cast<uint32_t>(origin) & 0xFFFFu);
}

// Finds a preset control's origin in the library list: null when none, else
// the control, with the library's short name and list source when asked.
const LibraryControl* FindLibraryControl(int32_t origin, const char** libraryShortName,
                                         int* source);

// The drop of control libraryControlIndex of library onto control
// controlIndex of a preset: refuses a read-only bank, a control of another
// type (message 54) and a MIDICC the control does not accept (message 39);
// otherwise sets the values the assignment text gives (program only for a
// type that has one) and the origin, and counts the change. 1 when applied.
int ApplyLibraryControl(const LibraryData* library, int libraryControlIndex, int bank, int preset,
                        int controlIndex);

// The checks of ApplyLibraryControl that depend on the control only: its
// type, the MIDICC the assignment text sets, and the other values it sets,
// which must be ones a preset can hold (channel 0..16; program, msb and lsb
// 0..127, the bytes the device keeps). 1 when the library control fits; else
// the status display says why and 0.
int LibraryControlFits(const LibraryControl& source, int controlIndex);
// A library made for one device model (a PID other than 0) fits that model
// only. 1 when it fits the loaded device; else message 113 and 0.
int LibraryFitsDevice(const LibraryData& library);
