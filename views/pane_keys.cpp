// Up, Down and Enter on the main window's panes.
#include "views/pane_keys.h"

#include "banks/bank_model.h"
#include "devices/device_definition.h"
#include "base/shell_hooks.h"
#include "views/bank_selection.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_pane.h"
#include "views/list_rows.h"
#include "views/panel_mouse.h"
#include "views/presets_pane.h"
#include "views/view_platform.h"

Pane* gFocusPane = nullptr;
int gLastPaneKeyFlags = 0;

void SetFocusPane(Pane* pane, int keyFlags) {
    gFocusPane = pane;
    gLastPaneKeyFlags = keyFlags & (kKeyFlagShift | kKeyFlagControl);
}

// A key moves the row by one, so the pane scrolls by one line when the row
// leaves the rows shown.
static void KeepRowShown(Pane& pane, int row) {
    int capacity = ListRowCapacity(pane);
    int top = pane.vertical.position;
    if (row < top) {
        top = row;
    } else if (capacity > 0 && row >= top + capacity) {
        top = row - capacity + 1;
    }
    if (top == pane.vertical.position) return;
    pane.vertical.position = top;
    SyncPaneScrollBar(pane, 1);
    InvalidatePaneAlone(pane);
}

static int MoveBank(int step) {
    int bank = gBanks.current + step;
    if (bank < 0 || bank >= gBanks.count) return 1;
    gShellHooks.showOtherBank(bank);
    KeepRowShown(gDevicesPane, bank);
    return 1;
}

// A key chooses the row with the Ctrl and Shift state of the last press, as
// a press and release there would.
static void ChooseByKey(unsigned char* flags, int count, int index) {
    int keyFlags = gLastPaneKeyFlags;
    PressSelect(flags, count, index, keyFlags);
    ReleaseSelect(flags, count, index, keyFlags);
}

static int MovePreset(int step) {
    int count = ShownPresetCount();
    int preset = gBanks.currentPreset + step;
    if (preset < 0 || preset >= count) return 1;
    ChooseByKey(gSelection.presets, count, preset);
    SelectPreset(preset);
    KeepRowShown(gPresetsPane, preset);
    return 1;
}

static int MoveControl(int step) {
    int count = gDevice.controlCount < kMaxControls ? gDevice.controlCount : kMaxControls;
    int control = CurrentControl() + step;
    if (control < 0 || control >= count) return 1;
    ChooseByKey(gSelection.controls, count, control);
    SetCurrentControl(control);
    // The device view brings the control into view at its next paint (the
    // list form scrolls; the picture shows every control).
    gDeviceView.scrollIntoView = 1;
    InvalidatePane(gDeviceView);
    InvalidatePane(gEditorPane);
    LibraryFollow();
    return 1;
}

static int MoveInFocusPane(int step) {
    if (gFocusPane == &gDevicesPane) return MoveBank(step);
    if (gFocusPane == &gPresetsPane) return MovePreset(step);
    if (gFocusPane == &gDeviceView) return MoveControl(step);
    return 0;
}

static int RenameInFocusPane() {
    if (gFocusPane == &gDevicesPane) {
        RenameCurrentBank();
        return 1;
    }
    if (gFocusPane == &gPresetsPane) {
        RenameCurrentPreset();
        return 1;
    }
    return 0;
}

int PaneKeyDown(int virtualKey) {
    // A row chosen by key under a held spinner or drag would have it write
    // into another preset or bank.
    if (MouseOperationHeld()) return 0;
    switch (virtualKey) {
        case kVkUp:
            return MoveInFocusPane(-1);
        case kVkDown:
            return MoveInFocusPane(1);
        case kVkReturn:
            return RenameInFocusPane();
        default:
            return 0;
    }
}
