// Fuzz target for device definitions and control libraries: every document is
// read as a definition, as a list library and as a controller-number library,
// and the raw bytes go through the small text grammars (CcSet, number lists,
// assignment texts). Besides "no crash, no overrun" it checks the tables'
// invariants: counts within capacity and every text field terminated.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "devices/cc_set.h"
#include "devices/control_library.h"
#include "devices/device_definition.h"
#include "devices/number_list.h"
#include "plist/plist_xml.h"

namespace {

template <size_t N>
void CheckText(const char (&field)[N]) {
    if (memchr(field, 0, N) == nullptr) abort();
}

void CheckDefinition(const DeviceDefinition& d) {
    if (d.controlCount < 0 || d.controlCount > kMaxControls) abort();
    if (d.typeCount < 0 || d.typeCount > kMaxControllerTypes) abort();
    if (d.variableCount < 0 || d.variableCount > kMaxVariables) abort();
    if (d.variableSlots < 0 || d.variableSlots > kMaxVariables) abort();
    if (d.zoneLimit < 0 || d.zoneLimit > kMaxZones) abort();
    if (d.zoneFieldCount < 0 || d.zoneFieldCount > kMaxZoneFields) abort();
    if (d.controlFieldCount < 0 || d.controlFieldCount > kMaxControlFields) abort();
    if (d.sysexFieldCount < 0 || d.sysexFieldCount > kMaxSysexFields) abort();
    if (d.linearControlCount + d.buttonControlCount > d.controlCount) abort();
    if (d.presetCount < 0 || d.presetCount > kMaxPresetsPerBank) abort();
    CheckText(d.name);
    CheckText(d.background);
    CheckText(d.zoneKeyboardBackground);
    CheckText(d.supportedCc);
    for (const ControlDef& c : d.controls) {
        CheckText(c.name);
        CheckText(c.typeName);
        if (c.typeIndex < 0 || (d.typeCount > 0 && c.typeIndex >= d.typeCount)) abort();
    }
    for (const ControllerType& t : d.types) {
        CheckText(t.supportedCc);
        CheckText(t.selectedImage);
    }
    for (const VariableDef& v : d.variables) {
        if (v.maskCount < 0 || v.maskCount > kMaxVariableMasks) abort();
        if (v.target < 0 || v.target >= kMaxVariables) abort();
        CheckText(v.name);
    }
    for (const SysexFieldDef& f : d.sysexFields) CheckText(f.tagName);
}

void CheckLibrary(const LibraryData& lib, int limit) {
    if (lib.controlCount < 0 || lib.controlCount > limit) abort();
    CheckText(lib.name);
    CheckText(lib.shortName);
    for (const LibraryControl& c : lib.controls) {
        CheckText(c.name);
        CheckText(c.shortName);
        CheckText(c.labels);
        CheckText(c.ctrlType);
    }
}

DeviceDefinition gFuzzDevice;
LibraryData gFuzzLibrary;
CcLibrary gFuzzCcLibrary;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);

    PlistNode* root = ParsePlist(text.data(), text.size(), "fuzz", nullptr);
    DeviceDefinitionRead(&gFuzzDevice, root);
    CheckDefinition(gFuzzDevice);
    for (int i = -1; i <= gFuzzDevice.controlCount; ++i)
        DeviceDefinitionAcceptsCc(&gFuzzDevice, i, i * 3);
    for (int t = 0; t < gFuzzDevice.typeCount; ++t) {
        int lo, hi;
        if (CcSetRange(gFuzzDevice.types[t].supportedCc, &lo, &hi) && (lo > hi || hi > 255))
            abort();
    }
    int low, high;
    DeviceDefinitionZoneNoteFields(&gFuzzDevice, &low, &high);
    const char* tag;
    DeviceDefinitionSysexFieldTag(&gFuzzDevice, "zones", 2, &tag);

    if (ReadListLibraryFromTree(root, &gFuzzLibrary)) {
        CheckLibrary(gFuzzLibrary, kLibraryFileControls);
        for (int i = 0; i < gFuzzLibrary.controlCount; ++i) {
            LibraryAssignment a;
            LibraryAssignmentParse(&a, gFuzzLibrary.controls[i].control);
            CtrlTypeFits(gFuzzLibrary.controls[i].ctrlType, gFuzzDevice.controls[0].typeName);
        }
    }
    CcLibraryClear(&gFuzzCcLibrary);
    CcLibraryMergeTree(&gFuzzCcLibrary, root);
    CcLibraryMergeTree(&gFuzzCcLibrary, root);
    CheckLibrary(gFuzzCcLibrary, kLibraryFileControls);
    for (int n = 0; n < 256; n += 17) CcLibraryEntryForIn(&gFuzzCcLibrary, &gFuzzDevice, 0, n);
    DestroyTree(root);

    // The raw bytes as the short texts of the grammars.
    CcSet set;
    CcSetParse(&set, text.c_str());
    NumberList list;
    NumberListParse(&list, text.c_str());
    if (list.count < 0) abort();
    LibraryAssignment a;
    LibraryAssignmentParse(&a, text.c_str());
    return 0;
}
