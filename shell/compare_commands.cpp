#include "shell/compare_commands.h"

#include <cstdio>
#include <cstring>

#include "banks/bank_model.h"
#include "base/menu.h"
#include "base/messages.h"
#include "shell/commands.h"
#include "shell/dialogs.h"
#include "shell/preset_sheet_export.h"
#include "views/comparison.h"

namespace {

// The text ShowComparisonStatus last put in the status display ("" none).
char gShownText[kMaxMessageText + 1];

}  // namespace

void ShowComparisonStatus() {
    // What the display should say: "3 differences from Live: Lead", or nothing.
    char text[kMaxMessageText + 1] = "";
    int id = -1;
    FormatArg first;
    FormatArg second;
    char title[kDisplayNameLen + kNameLen + 4] = "";
    int bank = -1;
    int preset = -1;
    int count = ComparisonCount();
    if (count >= 0 && ComparisonNow(&bank, &preset)) {
        const BankEntry& entry = gBanks.entries[bank];
        std::snprintf(title, sizeof title, "%s: %s", entry.displayName,
                      entry.data->presets[preset].name);
        id = count == 0 ? kStrNoDifferences : count == 1 ? kStrOneDifference : kStrDifferences;
        first = count > 1 ? FormatArg(count) : FormatArg(title);
        second = count > 1 ? FormatArg(title) : FormatArg();
        char format[kMaxMessageText + 1] = "";
        CopyStringById(format, id);
        FormatText2(text, sizeof text, format, first, second);
    }
    const bool ours =
        gStatusShown && gShownText[0] && std::strcmp(gLastStatusText, gShownText) == 0;
    if (!text[0]) {
        if (ours) ClearStatus();
        gShownText[0] = '\0';
        return;
    }
    if (gStatusShown && !ours) return;  // another message is up: it stays until a click
    if (ours && std::strcmp(text, gShownText) == 0) return;
    StatusMessage2(id, first, second);
    std::snprintf(gShownText, sizeof gShownText, "%s", gLastStatusText);
}

int CompareWithDeviceBank() {
    const BankEntry* current = BankAt(gBanks.current);
    // The device bank the bank would be sent to: the one remembered when it
    // is of the bank's model (with two devices of one model, the one chosen).
    int device = current ? FindDeviceBank() : -1;
    if (device >= 0 && gBanks.entries[device].pid != current->pid) device = -1;
    if (device < 0 && current) device = FindDeviceBankByPid(current->pid);
    if (device < 0) {
        StatusMessage(kStrNoDeviceBankToCompare, gDevice.name);
        return 0;
    }
    StartComparison(device, gBanks.currentPreset, 1);
    return 1;
}

void UpdateCompareMenu() {
    EnableMenuCommand(kCmdClearComparison, ComparisonSet());
}

void CompareWithCommand() {
    if (ShowCompareDialog() != 1) return;
    UpdateCompareMenu();
    RepaintMainWindow();
}

void CompareWithDeviceBankCommand() {
    if (!CompareWithDeviceBank()) return;
    UpdateCompareMenu();
    RepaintMainWindow();
}

void ClearComparisonCommand() {
    ClearComparison();
    UpdateCompareMenu();
    RepaintMainWindow();
}

void ExportPresetSheetMenuCommand() {
    ExportPresetSheetCommand();
}
