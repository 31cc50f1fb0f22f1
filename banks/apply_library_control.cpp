// Applying a library control to a device control: the end of a drag from the
// library window. The caller has taken the undo snapshot.
#include <cstdint>

#include "banks/bank_model.h"
#include "base/messages.h"
#include "devices/control_library.h"
#include "devices/device_definition.h"

namespace {

constexpr int32_t kMaxChannelValue = 16;  // the value editor's channel range
constexpr int32_t kMaxByteValue = 127;

}  // namespace

int LibraryControlFits(const LibraryControl& source, int controlIndex) {
    const ControlDef& target = gDevice.controls[controlIndex];
    if (source.ctrlType[0] && !CtrlTypeFits(source.ctrlType, target.typeName)) {
        StatusMessage2(kStrWrongControlType, source.name, target.name);
        return 0;
    }
    LibraryAssignment a;
    LibraryAssignmentParse(&a, source.control);
    // Without a MIDICC the control keeps its own, which it accepts already.
    if (a.midiCcSet && !ControlAcceptsCc(controlIndex, a.midiCc)) {
        StatusMessage(kStrCcOutOfRange);
        return 0;
    }
    auto outside = [](bool set, int32_t value, int32_t max) {
        return set && (value < 0 || value > max);
    };
    if (outside(a.channelSet, a.channel, kMaxChannelValue) ||
        outside(a.programSet, a.program, kMaxByteValue) || outside(a.msbSet, a.msb, kMaxByteValue) ||
        outside(a.lsbSet, a.lsb, kMaxByteValue)) {
        StatusMessage(kStrLibraryValueOutOfRange);
        return 0;
    }
    return 1;
}

int LibraryFitsDevice(const LibraryData& library) {
    if (library.pid == 0 || library.pid == gDevice.pid) return 1;
    StatusMessage(kStrLibraryOfOtherModel, library.name);
    return 0;
}

int ApplyLibraryControl(const LibraryData* library, int libraryControlIndex, int bank, int preset,
                        int controlIndex) {
    if (!library || libraryControlIndex < 0 || libraryControlIndex >= kLibrarySlots) return 0;
    if (controlIndex < 0 || controlIndex >= gDevice.controlCount) return 0;
    if (preset < 0 || preset >= kMaxPresets) return 0;
    BankEntry* entry = BankAt(bank);
    if (!entry || !entry->data) return 0;
    if (!CheckWritable(bank)) return 0;

    const LibraryControl& source = library->controls[libraryControlIndex];
    if (!LibraryFitsDevice(*library) || !LibraryControlFits(source, controlIndex)) return 0;
    const ControlDef& target = gDevice.controls[controlIndex];
    LibraryAssignment a;
    LibraryAssignmentParse(&a, source.control);

    PresetRecord& p = entry->data->presets[preset];
    PresetControl& c = p.controls[controlIndex];
    c.origin = LibraryOrigin(library->uniqueId, libraryControlIndex);
    if (a.channelSet) c.channel = a.channel;
    if (a.midiCcSet) c.midiCc = a.midiCc;
    if (a.msbSet) c.msb = a.msb;
    if (a.lsbSet) c.lsb = a.lsb;
    if (a.programSet && TypeHasProgram(gDevice, target.typeIndex)) c.program = a.program;
    ++p.changed;
    ++entry->changeCount;
    return 1;
}
