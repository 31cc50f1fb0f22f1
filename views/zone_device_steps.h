// The control editor's and the zone editor's part of a device load.
#pragma once

// Before the definition is replaced: the zone keyboard picture goes.
void ReleaseZoneEditorPictures();
// After the definition is read: the zone keyboard picture of the new device.
void BuildZoneEditorPictures();
// After the selections start again: zone 0, the editor's current field,
// variable and zone field back in range, and "Zone Data" only where it exists.
void ResetEditorForDevice();
