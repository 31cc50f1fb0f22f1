#include "shell/compare_commands.h"

#include "shell/commands.h"
#include "shell/dialogs.h"
#include "shell/menu.h"
#include "views/comparison.h"
#include "views/preset_sheet_export.h"

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
