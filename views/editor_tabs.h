// The control editor's three tabs: "Control Details", "Extra Variables" and
// "Zone Data" (the last only for devices with zone data fields).
#pragma once

// Tabs by their panel item type.
constexpr int kEditorTabDetails = 11;
constexpr int kEditorTabVariables = 12;
constexpr int kEditorTabZones = 13;

// The shown tab's item type (11 at start; kept while the window is hidden).
extern int gCurrentTab;

// Releases the three tab items, presses `tab`'s, makes it the shown tab and
// repaints the editor pane.
void SelectEditorTab(int tab);

// A click on a tab: shows it unless it is shown already; "Zone Data" does
// nothing when the device has no zone data fields. Returns 1 when it switched.
int ClickEditorTab(int tab);

// After another bank's device is loaded: "Zone Data" gives way to "Control
// Details" when the new device has no zone data fields.
void EditorTabsDeviceChanged();

// The tab layout rule: with no "Zone Data" tab, "Extra Variables" is drawn
// 115 wide with the right-hand pictures. Fills the width and the first image
// of the tab item of `type` (its normal picture; pressed is the next), from
// its design width and image.
void EditorTabAppearance(int type, int designWidth, int designImage, int* width, int* image);
