// Finding library controls: what a controller number means on a control, and
// where a preset control's assignment came from.
#include <cstring>
#include <string>

#include "devices/control_library.h"
#include "devices/discovery.h"
#include "devices/folder_list.h"
#include "devices/library_list.h"

void LoadCcLibrary(const char* deviceFolder) {
    CcLibraryClear(&gCcLibrary);
    std::string general = JoinPath(DiscoveryProgramFolder(), "Library");
    general = JoinPath(JoinPath(general, "GM.ell"), "definition.xml");
    CcLibraryMergeFile(&gCcLibrary, general.c_str());
    if (deviceFolder && *deviceFolder)
        CcLibraryMergeFile(&gCcLibrary, JoinPath(deviceFolder, "MIDICC.xml").c_str());
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
    if (origin < 0) return nullptr;  // -1: the assignment came from no library
    int entry = LibraryListFindUniqueId(&gLibraryList, origin / 65536);
    if (entry < 0) return nullptr;
    const LibraryListEntry& e = gLibraryList.entries[entry];
    int index = origin % 65536;
    if (index >= e.data->controlCount) return nullptr;
    if (libraryShortName) *libraryShortName = e.data->shortName;
    if (source) *source = e.source;
    return &e.data->controls[index];
}
