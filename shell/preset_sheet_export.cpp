#include "shell/preset_sheet_export.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "banks/bank_commands.h"
#include "banks/bank_model.h"
#include "base/app_state.h"
#include "base/messages.h"
#include "shell/export_file.h"
#include "shell/sheet_dialog.h"
#include "views/preset_sheet.h"

namespace {

// Where the last sheet went; the next export's dialog starts there.
char gLastExportFolder[kPathLen];

}  // namespace

int ExportPresetSheetCommand() {
    const BankEntry* entry = BankAt(gBanks.current);
    const int preset = gBanks.currentPreset;
    if (!entry || !entry->data || preset < 0 || preset >= kMaxPresets) return 0;
    const char* title = BankTitle(gBanks.current);
    char path[kPathLen];
    CopyText(path, PresetSheetFileName(title, preset, entry->data->presets[preset].name).c_str());
    if (!ShowExportSheetDialog(path, sizeof path, ExportStartFolder(gLastExportFolder))) return 0;
    // The dialog adds ".png" to a bare name; a name typed with another
    // extension keeps it, as the user asked.
    if (!MayExportTo(path)) return 0;

    std::unique_ptr<SheetPictures> pictures(new SheetPictures);
    LoadSheetPictures(pictures.get());
    std::vector<uint8_t> png;
    if (!MakePresetSheetPng(*pictures, *entry->data, title, preset, &png)) {
        StatusMessage(kStrShortOfMemory);
        return 0;
    }
    return WriteExportFile(path, png.data(), png.size(), gLastExportFolder);
}
