// The commands of Compare (Edit menu) and of Export Preset Sheet (File menu),
// as the command table runs them: each does its work (views/comparison.h,
// views/preset_sheet_export.h), then brings the menu and the windows up to
// date. The main window's paint keeps the status display's count.
#pragma once

void CompareWithCommand();            // 18 "Co&mpare with...": the Compare With dialog
void CompareWithDeviceBankCommand();  // 19 "Compare with De&vice Bank"
void ClearComparisonCommand();        // 20 "Clear Compariso&n"
void ExportPresetSheetMenuCommand();  // 41 "Export &Preset Sheet..."

// Enables Clear Comparison while a comparison is set, greys it otherwise.
void UpdateCompareMenu();
