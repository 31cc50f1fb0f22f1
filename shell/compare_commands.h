// The commands of Compare (Edit menu) and of Export Preset Sheet (File menu),
// as the command table runs them: each does its work (views/comparison.h,
// shell/preset_sheet_export.h), then brings the menu and the windows up to
// date. The main window's paint keeps the status display's count.
#pragma once

void CompareWithCommand();            // 18 "Co&mpare with...": the Compare With dialog
void CompareWithDeviceBankCommand();  // 19 "Compare with De&vice Bank"
void ClearComparisonCommand();        // 20 "Clear Compariso&n"
void ExportPresetSheetMenuCommand();  // 41 "Export &Preset Sheet..."

// Enables Clear Comparison while a comparison is set, greys it otherwise.
void UpdateCompareMenu();

// Keeps the status display saying "n differences from <bank>: <preset>"
// while a comparison is made (views/comparison.h), and takes the text away
// when it ends. Another message in the display is left alone (a click clears
// it, and the next call shows the count again). The main window's paint calls
// it.
void ShowComparisonStatus();

// Compare with Device Bank: follows the current preset in the device bank of
// the current bank's model. Without one, the status display says so
// (message 77) and nothing changes. Returns 1 when the comparison started.
int CompareWithDeviceBank();
