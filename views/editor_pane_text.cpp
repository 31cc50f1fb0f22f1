// Control Details texts, drawn the way the list view draws its cells.
#include "views/editor_pane_text.h"

#include <cstdio>

#include "devices/control_library.h"

namespace {

void ParameterText(int control, const PresetControl& assignment, char* out, int size) {
    const char* libraryShortName = nullptr;
    int source = 0;
    const LibraryControl* origin =
        assignment.origin != -1 ? FindLibraryControl(assignment.origin, &libraryShortName, &source)
                                : nullptr;
    if (origin != nullptr) {
        const char* prefix = "";
        if (origin->shortNumber != 0) {
            prefix = origin->shortName[0] ? origin->shortName
                                          : (libraryShortName ? libraryShortName : "");
        }
        std::snprintf(out, static_cast<size_t>(size), "%s%s", prefix, origin->name);
        return;
    }
    // Without a library origin the controller number names the assignment.
    const LibraryControl* byCc = CcLibraryEntryFor(control, assignment.midiCc);
    std::snprintf(out, static_cast<size_t>(size), "%s", byCc ? byCc->name : "");
}

}  // namespace

void DetailFieldText(const ColumnDef& field, int control, const PresetRecord& preset, char* out,
                     int size) {
    if (size <= 0) return;
    out[0] = '\0';
    if (control < 0 || control >= kMaxControls || control >= gDevice.controlCount) return;
    const ControlDef& def = gDevice.controls[control];
    const PresetControl& assignment = preset.controls[control];
    switch (field.kind) {
        case kColumnNumber:
            std::snprintf(out, static_cast<size_t>(size), "%d", control + 1);
            break;
        case kColumnName:
            if (def.description[0]) {
                std::snprintf(out, static_cast<size_t>(size), "%s: %s", def.name, def.description);
            } else {
                std::snprintf(out, static_cast<size_t>(size), "%s", def.name);
            }
            break;
        case kColumnValue: {
            int type = def.typeIndex;
            bool hasProgram =
                type >= 0 && type < kMaxControllerTypes && gDevice.types[type].program > 0;
            if (field.subkind == kValueProgram && !hasProgram) break;
            std::snprintf(out, static_cast<size_t>(size), "%d",
                          ColumnValueOf(assignment, field.subkind));
            break;
        }
        case kColumnParameter:
            ParameterText(control, assignment, out, size);
            break;
        case kColumnComment:
            std::snprintf(out, static_cast<size_t>(size), "%s", assignment.desc);
            break;
        default:
            break;
    }
}
