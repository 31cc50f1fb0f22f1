// Export as SysEx and the ".syx" import (syx_commands.h).
#include "shell/syx_commands.h"

#include <memory>
#include <string>
#include <vector>

#include "banks/bank_commands.h"
#include "banks/bank_model.h"
#include "banks/discovery.h"
#include "banks/sxl_file.h"
#include "banks/undo_history.h"
#include "base/app_state.h"
#include "base/messages.h"
#include "base/whole_file.h"
#include "midi/exchange_model.h"
#include "midi/syx_file.h"
#include "midi/transfer_state.h"
#include "shell/export_file.h"
#include "shell/syx_dialog.h"

namespace {

// Where the last export went; the next export's dialog starts there.
char gLastExportFolder[kPathLen];

int SelectedPresetCount(int presets) {
    int selected = 0;
    for (int p = 0; p < presets && p < kMaxPresets; p++) selected += gSelection.presets[p] != 0;
    return selected;
}

// What a file with nothing usable holds, for message 106.
void DescribeSurvey(const CaptureSurvey& s, char* out, int size) {
    char format[kMaxShortText + 1] = "";
    CopyStringById(format, kStrSyxFound);
    const FormatArg counts[] = {s.messages, s.dataMessages, s.shortMessages, s.universal,
                                s.otherMakers};
    FormatText(out, size, format, counts, 5);
}

}  // namespace

int ExportSyxCommand() {
    const BankEntry* entry = BankAt(gBanks.current);
    if (!entry || !entry->data) return 0;
    // The bank's own model; it is the loaded one whenever the bank is shown.
    const DeviceDefinition* model = ModelOfPid(entry->pid);
    if (!model) model = &gDevice;
    const int presets = model->presetCount;
    const uint8_t* only = nullptr;
    const int selected = SelectedPresetCount(presets);
    if (selected > 1 && MessageBoxFormat(gMainWindow, kStrAskExportSelected, selected,
                                         kMbYesNoQuestion) == kIdYes) {
        only = gSelection.presets;
    }

    char path[kPathLen];
    CopyText(path, (UsableFileName(BankTitle(gBanks.current)) + ".syx").c_str());
    if (!ShowExportSyxDialog(path, sizeof path, ExportStartFolder(gLastExportFolder))) return 0;
    if (!MayExportTo(path)) return 0;
    std::vector<uint8_t> bytes;
    BuildSyxExport(*model, *entry->data, only, gDeviceNumber, &bytes);
    return WriteExportFile(path, bytes.data(), bytes.size(), gLastExportFolder);
}

int ImportSyxFile(const char* path) {
    // The reception is lent to the file: a device's dump must not lose it.
    if (!DumpReceptionIdle() || gTransfer.sending) {
        StatusMessage(kStrSyxWaitForDevice, path);
        return kSxlNotRead;
    }
    const long long size = WholeFileSize(path);
    if (size < 0) {
        StatusMessage(kStrCannotOpenFile, path);
        return kSxlNotRead;
    }
    if (size > kMaxSyxFileSize) {
        StatusMessage(kStrSyxTooLarge, path);
        return kSxlNotRead;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size) + 1);
    size_t got = 0;
    SetStatusPopupText(kStrReading, path);
    ShowStatusPopup(1);
    const bool read = ReadWholeFile(path, bytes.data(), static_cast<size_t>(size), &got);
    std::unique_ptr<PackedBank> images(new PackedBank);  // too large for the stack
    SyxImport import;
    const SyxVerdict verdict =
        read ? ReadSyxBytes(bytes.data(), got, -1, &import, images.get()) : SyxVerdict{};
    ShowStatusPopup(0);
    if (!read) {
        StatusMessage(kStrCannotOpenFile, path);
        return kSxlNotRead;
    }

    switch (verdict) {
        case SyxVerdict::UnknownModel:
            StatusMessage2(kStrSyxUnknownModel, path, import.groupId);
            return kSxlNoBank;
        case SyxVerdict::NothingUsable: {
            char found[kMaxMessageText + 1];
            DescribeSurvey(import.survey, found, sizeof found);
            StatusMessage2(kStrSyxNothingUsable, path, found);
            return kSxlNoBank;
        }
        case SyxVerdict::Partial:
            if (MessageBoxFormat2(gMainWindow, kStrAskImportPartial, path,
                                  import.dump.presetsArrived, kMbYesNoQuestion) != kIdYes)
                return kSxlNoBank;
            break;
        case SyxVerdict::Whole:
            break;
    }
    if (gBanks.count >= kMaxBanks) {
        StatusMessage(kStrTooManyBanks, path);
        return kSxlNoBank;
    }
    // The new bank is made by its own model (its defaults fill what the file
    // lacks); showing it keeps that model loaded.
    if (gDevice.pid != import.pid && !SwitchDevice(import.pid)) {
        StatusMessage2(kStrSyxUnknownModel, path, import.groupId);
        return kSxlNoBank;
    }
    char name[kDisplayNameLen];
    ImportedBankName(path, name, sizeof name);
    RecordUndoSnapshot(UndoKind::Loading, UndoScope::Bank, gBanks.count, 0);
    const int index = AddSyxBank(name, import, *images);
    FinishUndoStep();
    if (index < 0) {
        // The current bank's model comes back.
        SelectBank(gBanks.current);
        StatusMessage(kStrShortOfMemory);
        return kSxlNoBank;
    }
    // A file of several dumps (or of several models) gives one bank: what
    // else it holds was not read, and the user is told rather than left to
    // think the file is in the bank. (A message sent twice within the dump,
    // as after a retry, is no second bank.)
    if (import.dump.unreadMessages > 0) {
        StatusMessage(kStrSyxMoreThanOneBank, path);
    }
    return index;
}
