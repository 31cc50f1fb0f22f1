// The control editor's tabs.
#include "views/editor_tabs.h"

#include "devices/device_definition.h"
#include "views/editor_pane.h"
#include "views/editor_pane_layout.h"
#include "views/panel.h"
#include "views/view_platform.h"

int gCurrentTab = kEditorTabDetails;

namespace {

// The "Zone Data" tab's width and pictures, which "Extra Variables" borrows
// when it is the last tab.
constexpr int kRightTabWidth = 115;
constexpr int kRightTabImage = 22;  // "PNG_TAB_RIGHT" in the button images

int HasZoneTab() {
    return gDevice.zoneFieldCount > 0 ? 1 : 0;
}

}  // namespace

void SelectEditorTab(int tab) {
    if (tab < kEditorTabDetails || tab > kEditorTabZones) return;
    for (int type = kEditorTabDetails; type <= kEditorTabZones; ++type) {
        PanelItem* item = FindPanelItem(gEditorPanel, type);
        if (item != nullptr) item->pressed = type == tab ? 1 : 0;
    }
    gCurrentTab = tab;
    gEditorPane.shownTab = tab - kEditorTabDetails;
    InvalidatePane(gEditorPane);
    if (gEditorPanel.window != nullptr) InvalidateWindowRect(gEditorPanel.window, nullptr);
}

int ClickEditorTab(int tab) {
    if (tab == gCurrentTab) return 0;
    if (tab == kEditorTabZones && !HasZoneTab()) return 0;
    SelectEditorTab(tab);
    return 1;
}

void EditorTabsDeviceChanged() {
    if (gCurrentTab == kEditorTabZones && !HasZoneTab()) SelectEditorTab(kEditorTabDetails);
}

void EditorTabAppearance(int type, int designWidth, int designImage, int* width, int* image) {
    *width = designWidth;
    *image = designImage;
    if (type == kEditorTabVariables && !HasZoneTab()) {
        *width = kRightTabWidth;
        *image = kRightTabImage;
    }
}
