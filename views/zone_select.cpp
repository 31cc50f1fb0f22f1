// The current zone and the zone twins of selected controls.
#include "views/zone_select.h"

#include <cstring>

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "views/bank_selection.h"
#include "views/device_view.h"
#include "views/editor_document.h"
#include "views/editor_pane.h"
#include "views/keyboard_pane.h"
#include "views/view_platform.h"

namespace {

// The first control with the same ID as `control` that belongs to `zoneNumber`
// (from 1), or -1.
int TwinOf(int control, int zoneNumber) {
    for (int j = 0; j < ControlCount(); ++j) {
        if (gDevice.controls[j].id == gDevice.controls[control].id &&
            gDevice.controls[j].zone == zoneNumber) {
            return j;
        }
    }
    return -1;
}

bool InOtherZone(int control, int zoneNumber) {
    int zone = gDevice.controls[control].zone;
    return zone != 0 && zone != zoneNumber;
}

}  // namespace

int SelectZone(int zone) {
    int zones = gDevice.zoneLimit > kMaxZones ? kMaxZones : gDevice.zoneLimit;
    if (zone < 0 || zone >= zones || zone == gDocument.currentZone) return 0;
    gDocument.currentZone = zone;
    int zoneNumber = zone + 1;
    uint8_t was[kMaxControls];
    std::memcpy(was, gSelection.controls, sizeof was);
    for (int i = 0; i < ControlCount(); ++i) {
        if (!was[i] || !InOtherZone(i, zoneNumber)) continue;
        gSelection.controls[i] = 0;
        int twin = TwinOf(i, zoneNumber);
        if (twin >= 0) gSelection.controls[twin] = 1;
    }
    int first = -1;
    for (int i = 0; i < ControlCount() && first < 0; ++i) {
        if (gSelection.controls[i]) first = i;
    }
    // With nothing selected the current control still must be one the
    // zone shows.
    int current = gBanks.currentControl;
    if (first < 0 && current >= 0 && current < ControlCount() && InOtherZone(current, zoneNumber)) {
        int twin = TwinOf(current, zoneNumber);
        first = twin >= 0 ? twin : current;
    }
    if (first >= 0) {
        SetCurrentControl(first);
        LibraryFollow();
    }
    return 1;
}

void SelectZoneAndRepaint(int zone) {
    if (!SelectZone(zone)) return;
    InvalidatePane(gKeyboardPane);
    InvalidatePane(gDeviceView);
    RepaintEditorPane();
}
