// Column texts of a control's assignment (column_text.h).
#include "views/column_text.h"

#include <cstdio>

#include "devices/control_library.h"

namespace {

// The "Parameter" text: the library control the assignment came from (with
// its short name, or its library's, in front when it is numbered), else the
// one that names its controller number.
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

void ColumnCellText(const ColumnDef& column, int control, const PresetRecord& preset, char* out,
                    int size) {
    if (size <= 0) return;
    out[0] = '\0';
    if (control < 0 || control >= kMaxControls || control >= gDevice.controlCount) return;
    const ControlDef& def = gDevice.controls[control];
    const PresetControl& assignment = preset.controls[control];
    switch (column.kind) {
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
            bool hasProgram = TypeHasProgram(gDevice, def.typeIndex);
            if (column.subkind == kValueProgram && !hasProgram) break;
            std::snprintf(out, static_cast<size_t>(size), "%d",
                          ColumnValueOf(assignment, column.subkind));
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
