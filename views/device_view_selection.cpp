// The control selection as both faces of the device view change it. The
// flags are the bank model's (copy, paste and drags use them); the current
// control is kept in the bank list and in the editor document alike.
#include <cstring>

#include "banks/bank_model.h"
#include "views/bank_selection.h"
#include "views/device_view.h"
#include "views/editor_document.h"

namespace {

void SelectAlone(int control) {
    std::memset(gSelection.controls, 0, sizeof gSelection.controls);
    gSelection.controls[control] = 1;
}

}  // namespace

int FirstSelectedControl() {
    for (int i = 0; i < ControlCount(); ++i) {
        if (gSelection.controls[i]) return i;
    }
    return -1;
}

void FirstSelectedBecomesCurrent() {
    int first = FirstSelectedControl();
    SetCurrentControl(first < 0 ? 0 : first);
}

void PressSelectControl(int control, int keyFlags) {
    if (control < 0 || control >= ControlCount()) return;
    int first = FirstSelectedControl();
    if ((keyFlags & kKeyFlagShift) && first >= 0) {
        int from = control < first ? control : first + 1;
        int to = control < first ? first - 1 : control;
        for (int i = from; i <= to; ++i) gSelection.controls[i] = 1;
    } else if (!gSelection.controls[control]) {
        SelectAlone(control);
    }
    FirstSelectedBecomesCurrent();
}

void ReleaseSelectControl(int control, int keyFlags) {
    if (control < 0 || control >= ControlCount()) return;
    if (keyFlags & kKeyFlagControl) {
        gSelection.controls[control] = gSelection.controls[control] ? 0 : 1;
        FirstSelectedBecomesCurrent();
    } else if (!(keyFlags & kKeyFlagShift)) {
        SelectAlone(control);
        SetCurrentControl(control);
    }
}

int ComputeSelectionChanges() {
    int changed = 0;
    for (int i = 0; i < kDocMaxControls; ++i) {
        gDocument.changed[i] =
            (gSelection.controls[i] != 0) != (gDocument.paintedSelection[i] != 0);
        changed += gDocument.changed[i];
    }
    return changed;
}

void RememberPaintedSelection() {
    for (int i = 0; i < kDocMaxControls; ++i) {
        gDocument.paintedSelection[i] = gSelection.controls[i] ? 1 : 0;
        gDocument.changed[i] = 0;
    }
}
