// ".syx" files (syx_file.h).
#include "midi/syx_file.h"

#include <cstdio>

#include "banks/bank_commands.h"
#include "devices/device_definition.h"
#include "banks/bank_packing.h"
#include "midi/exchange_model.h"
#include "midi/sysex_format.h"

static int PresetsOf(const DeviceDefinition& model) {
    const int count = model.presetCount;
    return count < 0 ? 0 : count > kPackedPresetsPerBank ? kPackedPresetsPerBank : count;
}

void BuildSyxExport(const DeviceDefinition& model, const BankData& bank, const uint8_t* only,
                    int deviceNumber, std::vector<uint8_t>* out) {
    out->clear();
    PackBankAs(model, &bank, kExchangeSlot);
    const SysexSizes sizes = SysexSizesOf(model);
    const int messages = SysexMessagesPerPreset(sizes);
    uint8_t message[kMaxDataMessageSize];
    for (int p = 0; p < PresetsOf(model); p++) {
        if (only && !only[p]) continue;
        const PackedPreset& image = gPackedStore.slots[kExchangeSlot].presets[p];
        for (int i = 0; i < messages; i++) {
            const int n = BuildPresetMessage(image, sizes, i, p, deviceNumber, message);
            out->insert(out->end(), message, message + n);
        }
    }
}

SyxVerdict ReadSyxBytes(const uint8_t* bytes, size_t size, int pid, SyxImport* import,
                        PackedBank* images) {
    *import = SyxImport{};
    SurveyCapture(bytes, size, &import->survey);
    import->groupId = import->survey.firstGroupId;
    const DeviceDefinition* model = nullptr;
    if (pid >= 0) {
        model = ModelOfPid(pid);
    } else if (import->groupId >= 0) {
        model = ModelOfGroupId(import->groupId);
        if (!model) return SyxVerdict::UnknownModel;
    }
    if (!model) return SyxVerdict::NothingUsable;
    import->pid = model->pid;
    if (!ReceiveCaptureAs(*model, bytes, size, &import->dump, images))
        return SyxVerdict::NothingUsable;
    if (import->dump.outcome == DumpOutcome::Complete) return SyxVerdict::Whole;
    if (import->dump.outcome == DumpOutcome::Incomplete && import->dump.presetsArrived > 0)
        return SyxVerdict::Partial;
    return SyxVerdict::NothingUsable;
}

int AddSyxBank(const char* name, const SyxImport& import, const PackedBank& images) {
    const int index = AddNewUserBank(name);
    if (index < 0) return -1;
    BankData* data = gBanks.entries[index].data;
    const bool whole = import.dump.outcome == DumpOutcome::Complete;
    for (int p = 0; p < import.dump.presetCount && p < kMaxPresets; p++) {
        if (!whole && !import.dump.presetWhole[p]) continue;
        PresetRecord& preset = data->presets[p];
        UnpackPreset(images.presets[p], preset);
        char received[kNameLen];
        snprintf(received, sizeof received, "Memory Received %d", p + 1);
        CopyText(preset.name, received);
        // The file says nothing of where a control's assignment came from.
        for (PresetControl& control : preset.controls) control.origin = -1;
    }
    // Nothing of it is in any bank file yet.
    ForgetSavedState(index);
    return index;
}
