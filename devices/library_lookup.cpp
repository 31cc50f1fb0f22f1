// Finding library controls: what a controller number means on a control, and
// where a preset control's assignment came from.
#include <cstring>
#include <memory>
#include <string>
#include <unordered_map>

#include "devices/control_library.h"
#include "devices/program_folder.h"
#include "devices/document_cache.h"
#include "devices/folder_list.h"
#include "devices/library_list.h"
#include "base/messages.h"
#include "base/string_ids.h"

namespace {

// The library last merged for each device folder, with the readings of the
// two files it came from: every load of a model after the first is a copy.
struct KeptCcLibrary {
    std::string general;  // the path of the general library it was merged from
    uint64_t generalGeneration = 0;
    uint64_t deviceGeneration = 0;
    std::unique_ptr<CcLibrary> library;
};

std::unordered_map<std::string, KeptCcLibrary>& KeptCcLibraries() {
    static std::unordered_map<std::string, KeptCcLibrary> kept;
    return kept;
}

}  // namespace

void ClearKeptCcLibraries() {
    KeptCcLibraries().clear();
}

void LoadCcLibrary(const char* deviceFolder) {
    std::string general = JoinPath(DiscoveryProgramFolder(), "Library");
    general = JoinPath(JoinPath(general, "GM.ell"), "definition.xml");
    uint64_t generalGeneration = 0;
    std::string generalProblem;
    PlistNode* generalTree = SharedDocument(general, &generalGeneration, &generalProblem);
    const bool hasDevice = deviceFolder && *deviceFolder;
    const std::string deviceFile = hasDevice ? JoinPath(deviceFolder, "MIDICC.xml") : "";
    uint64_t deviceGeneration = 0;
    std::string deviceProblem;
    PlistNode* deviceTree =
        hasDevice ? SharedDocument(deviceFile, &deviceGeneration, &deviceProblem) : nullptr;
    KeptCcLibrary& kept = KeptCcLibraries()[hasDevice ? deviceFolder : ""];
    if (kept.library && kept.general == general && kept.generalGeneration == generalGeneration &&
        kept.deviceGeneration == deviceGeneration) {
        gCcLibrary = *kept.library;
        return;
    }
    CcLibraryClear(&gCcLibrary);
    // A file with an XML error adds nothing rather than part of its names,
    // and is named once, when it is read (not at every switch of model).
    if (!generalProblem.empty()) {
        StatusMessage2(kStrNotXmlFile, general.c_str(), generalProblem.c_str());
    } else if (generalTree) {
        CcLibraryMergeTree(&gCcLibrary, generalTree);
    }
    if (!deviceProblem.empty()) {
        StatusMessage2(kStrNotXmlFile, deviceFile.c_str(), deviceProblem.c_str());
    } else if (deviceTree) {
        CcLibraryMergeTree(&gCcLibrary, deviceTree);
    }
    if (!kept.library) kept.library.reset(new CcLibrary);
    *kept.library = gCcLibrary;
    kept.general = general;
    kept.generalGeneration = generalGeneration;
    kept.deviceGeneration = deviceGeneration;
}

namespace {

bool SlotInUse(const LibraryControl& c) {
    return c.midiCc != 0 || c.name[0] != '\0';
}

}  // namespace

const LibraryControl* CcLibraryEntryForIn(const CcLibrary* lib, const DeviceDefinition* def,
                                          int controlIndex, int n) {
    if (n < 0 || n >= kLibraryFileControls) return nullptr;
    if (controlIndex < 0 || controlIndex >= def->controlCount) return nullptr;
    const char* typeName = def->controls[controlIndex].typeName;
    const LibraryControl& first = lib->controls[n];
    if (!SlotInUse(first)) return nullptr;
    if (CtrlTypeFits(first.ctrlType, typeName)) return &first;
    if (first.hasSecond) {
        const LibraryControl& second = lib->controls[kLibraryFileControls + n];
        // Only a second entry that names its types can stand in for the first.
        if (second.ctrlType[0] && CtrlTypeFits(second.ctrlType, typeName)) return &second;
    }
    return nullptr;
}

const LibraryControl* CcLibraryEntryFor(int controlIndex, int n) {
    return CcLibraryEntryForIn(&gCcLibrary, &gDevice, controlIndex, n);
}

const LibraryControl* FindLibraryControl(int32_t origin, const char** libraryShortName,
                                         int* source) {
    // -1: the assignment came from no library. Any other origin, negative
    // ones too (a unique id of 32768 or more), names one.
    if (origin == -1) return nullptr;
    int entry = LibraryListFindUniqueId(&gLibraryList, OriginUniqueId(origin));
    if (entry < 0) return nullptr;
    const LibraryListEntry& e = gLibraryList.entries[entry];
    int index = OriginControlIndex(origin);
    if (index >= e.data->controlCount) return nullptr;
    if (libraryShortName) *libraryShortName = e.data->shortName;
    if (source) *source = e.source;
    return &e.data->controls[index];
}
