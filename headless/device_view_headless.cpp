// The device view's quick redraw draws on a window: natively there is none,
// but the changed flags are still worked out and settled as a paint would.
#include "views/device_view.h"
#include "views/editor_document.h"

void QuickRedrawDeviceView() {
    if (ComputeSelectionChanges() == 0) return;
    RememberPaintedSelection();
}
