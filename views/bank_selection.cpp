// Choosing a bank, a preset or a control, as the views see it.
#include "views/bank_selection.h"

#include <cstring>

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "banks/device_load.h"
#include "devices/control_library.h"
#include "devices/library_list.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_document.h"
#include "views/editor_pane.h"
#include "views/editor_tabs.h"
#include "views/library_controls_pane.h"
#include "views/library_files_pane.h"
#include "views/list_rows.h"
#include "views/presets_pane.h"
#include "views/view_platform.h"
#include "views/view_state.h"

static int PresetCount() {
    return gDevice.presetCount < kMaxPresets ? gDevice.presetCount : kMaxPresets;
}

void SetCurrentControl(int control) {
    if (control < 0) control = 0;
    gBanks.currentControl = control;
    gDeviceView.current = control;
}

int CurrentControl() {
    return gBanks.currentControl;
}

// The device load the views last showed a bank of (DeviceLoadCount).
static int gShownDeviceLoad = -1;

// Another bank, or another model: the place starts again.
static void ResetPlace() {
    std::memset(gSelection.presets, 0, sizeof gSelection.presets);
    gSelection.presets[gBanks.currentPreset] = 1;
    std::memset(gSelection.controls, 0, sizeof gSelection.controls);
    gSelection.controls[0] = 1;
    SetCurrentControl(0);
    gDocument.currentZone = 0;

    // The new bank may have another device with other rows and another
    // picture width: every list starts again from the top, without bars.
    gPresetsPane.vertical.position = 0;
    DestroyPaneScrollBars(gPresetsPane);
    ResetDeviceViewScroll();
}

// The same bank shown again: what the user was working on stays, unless
// the bank no longer has it.
static void KeepPlace() {
    int control = CurrentControl();
    if (control < 0 || control >= ControlCount()) {
        std::memset(gSelection.controls, 0, sizeof gSelection.controls);
        gSelection.controls[0] = 1;
        control = 0;
    }
    SetCurrentControl(control);
    if (FirstSelected(gSelection.presets, PresetCount()) < 0) {
        gSelection.presets[gBanks.currentPreset] = 1;
    }
}

// The libraries listed follow the open device banks, which may have come or
// gone: the current library's row is found again and both lists redrawn.
static void LibraryListShownAgain() {
    int row = LibraryFilesRowOf(gLibraryList.current);
    // One no longer listed (its device has gone, or it was only the first
    // found at start-up) gives way to the first one listed.
    if (row < 0 && LibraryFilesEntryAt(0) >= 0) {
        gLibraryList.current = LibraryFilesEntryAt(0);
        gLibraryControlsPane.current = 0;
        gLibraryControlsPane.vertical.position = 0;
        row = 0;
    }
    if (row >= 0) gLibraryFilesPane.current = row;
    if (gLibraryFilesPane.vertical.position < 0) gLibraryFilesPane.vertical.position = 0;
    if (gLibraryControlsPane.vertical.position < 0) gLibraryControlsPane.vertical.position = 0;
    InvalidatePane(gLibraryFilesPane);
    InvalidatePane(gLibraryControlsPane);
}

void BankShownInViews(int index, bool otherBank) {
    if (!BankAt(index)) return;
    bool modelChanged = DeviceLoadCount() != gShownDeviceLoad;
    gShownDeviceLoad = DeviceLoadCount();
    int presets = PresetCount();
    if (gBanks.currentPreset < 0 || gBanks.currentPreset >= presets) gBanks.currentPreset = 0;
    if (otherBank || modelChanged) {
        ResetPlace();
    } else {
        KeepPlace();
    }
    gPresetsPane.current = gBanks.currentPreset;
    gDevicesPane.current = index;

    EditorTabsDeviceChanged();
    InvalidatePane(gDevicesPane);
    InvalidatePane(gPresetsPane);
    InvalidatePane(gDeviceView);
    // The zone buttons below the pane show the current zone too.
    RepaintEditorPane();
    LibraryFollow();
    LibraryListShownAgain();
}

void SelectPreset(int preset) {
    if (preset < 0 || preset >= PresetCount()) return;
    gBanks.currentPreset = preset;
    gPresetsPane.current = preset;
    InvalidatePane(gPresetsPane);
    // Only the title of the device view names the preset; its picture shows
    // values only with the CC/Ch labels on.
    InvalidatePane(gDeviceView);
    InvalidatePane(gEditorPane);
    LibraryFollow();
}

void LibraryFollow() {
    BankData* data = BankDataAt(gBanks.current);
    int control = CurrentControl();
    int preset = gBanks.currentPreset;
    if (!data || control < 0 || control >= kMaxControls || preset < 0 || preset >= kMaxPresets) {
        return;
    }
    int32_t origin = data->presets[preset].controls[control].origin;
    if (origin == -1) return;
    int library = LibraryListFindUniqueId(&gLibraryList, OriginUniqueId(origin));
    // A library the window does not list (its device's bank is not open)
    // would leave the window with no library shown at all.
    if (library < 0 || !LibraryListed(library)) return;
    const LibraryData* lib = gLibraryList.entries[library].data;
    int index = OriginControlIndex(origin);
    if (!lib || index >= lib->controlCount) return;

    gLibraryList.current = library;
    int row = LibraryFilesRowOf(library);
    if (row >= 0) {
        gLibraryFilesPane.current = row;
        ScrollListToRow(gLibraryFilesPane, row, LibraryFilesRowCount());
    }
    gLibraryControlsPane.current = index;
    ScrollListToRow(gLibraryControlsPane, index, lib->controlCount);
    if (gLibraryShown) {
        InvalidatePane(gLibraryFilesPane);
        InvalidatePane(gLibraryControlsPane);
    }
}
