// The control editor's and the zone editor's part of a device load.
#include "views/zone_device_steps.h"

#include "devices/device_definition.h"
#include "views/bank_selection.h"
#include "views/editor_document.h"
#include "views/editor_pane.h"
#include "views/editor_tabs.h"
#include "views/keyboard_pane.h"
#include "views/view_platform.h"
#include "views/zone_keyboard.h"

// A zone drag runs on the keyboard's picture: it ends before the picture goes.
void ReleaseZoneEditorPictures() {
    EndZoneDrag();
    ReleaseZoneKeyboardPicture();
}

void BuildZoneEditorPictures() {
    EndZoneDrag();
    LoadZoneKeyboardPicture();
}

void ResetEditorForDevice() {
    gDocument.currentZone = 0;
    SetCurrentControl(0);
    if (gEditorPane.currentVariable >= gDevice.variableCount) gEditorPane.currentVariable = 0;
    if (gEditorPane.currentZoneField >= gDevice.zoneFieldCount) gEditorPane.currentZoneField = 0;
    EditorTabsDeviceChanged();
    InvalidatePane(gKeyboardPane);
    RepaintEditorPane();
}
