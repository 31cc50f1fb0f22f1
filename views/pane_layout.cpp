// The design layout of the panes and their re-layout with their window.
#include "views/pane_layout.h"

#include <cstdint>

#include "devices/device_definition.h"
#include "views/drag.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_pane.h"
#include "views/keyboard_pane.h"
#include "views/library_controls_pane.h"
#include "views/library_files_pane.h"
#include "views/panel.h"
#include "views/presets_pane.h"
#include "views/status_layout.h"
#include "views/view_platform.h"

const PaneDescriptor kPaneDescriptors[kPaneCount] = {
    {"Devices and Files", 1001, 1002, {9, 70, 182, 134}},
    {"Presets", 1003, 1004, {9, 241, 182, 238}},
    {"", 1005, 1006, {199, 70, 586, 409}},
    {"", 0, 0, {199, 395, 586, 84}},
    {"Files", 1007, 1008, {9, 26, 182, 134}},
    {"Controls", 1009, 1010, {9, 197, 182, 264}},
    {"", 0, 0, {8, 26, 586, 66}},
};

namespace {

Pane* const kPanes[kPaneCount] = {&gDevicesPane,  &gPresetsPane,      &gDeviceView,
                                  &gKeyboardPane, &gLibraryFilesPane, &gLibraryControlsPane,
                                  &gEditorPane};

struct LastLayout {
    int width;
    int height;
};
LastLayout gMainLast = {kMainDesignWidth, kMainDesignHeight};
LastLayout gLibraryLast = {kLibraryDesignWidth, kLibraryDesignHeight};
LastLayout gEditorLast = {kEditorClientDesignWidth, kEditorClientDesignHeight};

Pane* gPaintAlone = nullptr;

const PaneRect& Design(int index) {
    return kPaneDescriptors[index].rect;
}

// value * numerator / denominator, rounded to the nearest integer.
int Scale(int value, int numerator, int denominator) {
    if (denominator <= 0) return value;
    int64_t product = static_cast<int64_t>(value) * numerator * 2;
    int64_t twice = product / denominator;
    return static_cast<int>((twice + (twice >= 0 ? 1 : -1)) / 2);
}

int NonNegative(int value) {
    return value > 0 ? value : 0;
}

// 1 when the size needs a new layout (and records it as the last one).
int TakeNewSize(LastLayout& last, int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    if (width == last.width && height == last.height) return 0;
    last.width = width;
    last.height = height;
    return 1;
}

void MoveItems(int width, int height, int deviceViewLeftChange) {
    int dw = width - kMainDesignWidth;
    int dh = height - kMainDesignHeight;
    for (int i = 0; i < gMainPanel.itemCount; ++i) {
        PanelItem& item = gMainPanel.items[i];
        const PanelItem& design = gMainPanel.designItems[i];
        item.x = design.x;
        item.y = design.y;
        item.width = design.width;
        switch (item.type) {
            case kItemView:
            case kItemInfo:
                item.x += dw;
                item.y += dh;
                break;
            case kItemLibrary:
            case kItemLogoTop:
            case kItemLogoName:
                item.x += dw;
                break;
            case kItemRescan:
            case kItemNew:
                item.y += dh;
                break;
            case kItemLogoBottom:
                item.y += dh;
                item.x += deviceViewLeftChange;
                break;
            case kItemStatusDisplay:
                item.width = NonNegative(design.width + dw);
                break;
            default:
                break;
        }
    }
    const PanelItem* display = FindPanelItem(gMainPanel, kItemStatusDisplay);
    if (display != nullptr) {
        gStatusDisplayRect = {display->x, display->y, display->width, display->height};
    }
}

}  // namespace

Pane& PaneAt(int index) {
    return *kPanes[index];
}

void LayoutPanes(PaneWindow mainWindow, PaneWindow libraryWindow, PaneWindow editorWindow) {
    for (int i = 0; i < kPaneCount; ++i) {
        Pane& pane = *kPanes[i];
        const PaneDescriptor& d = kPaneDescriptors[i];
        pane.title = d.title;
        pane.rect = d.rect;
        pane.horizontal.controlId = d.horizontalBarId;
        pane.vertical.controlId = d.verticalBarId;
        if (i <= kPaneKeyboard) {
            pane.window = mainWindow;
        } else if (i <= kPaneLibraryControls) {
            pane.window = libraryWindow;
        } else {
            pane.window = editorWindow;
        }
    }
    ResetPanels(mainWindow, libraryWindow, editorWindow);
    gStatusDisplayRect = kStatusDisplayDesignRect;
    gMainLast = {kMainDesignWidth, kMainDesignHeight};
    gLibraryLast = {kLibraryDesignWidth, kLibraryDesignHeight};
    gEditorLast = {kEditorClientDesignWidth, kEditorClientDesignHeight};
    gPaintAlone = nullptr;
    // No drag, band or confinement survives into a new start (the GUI tests
    // start the program many times in one process).
    gDrag = DragState();
    gRubberBand = RubberBand();
    ReleasePointer();
}

int RelayoutMainWindow(int width, int height) {
    if (!TakeNewSize(gMainLast, width, height)) return 0;
    const PaneRect& devices = Design(kPaneDevices);
    const PaneRect& presets = Design(kPanePresets);
    const PaneRect& view = Design(kPaneDeviceView);
    const PaneRect& keys = Design(kPaneKeyboard);
    int presetsGap = presets.y - (devices.y + devices.height);
    int bottomMargin = kMainDesignHeight - (presets.y + presets.height);
    int viewGap = view.x - (presets.x + presets.width);
    int rightMargin = kMainDesignWidth - (view.x + view.width);

    PaneRect& d = gDevicesPane.rect;
    d = devices;
    d.width = Scale(devices.width, width, kMainDesignWidth);
    d.height = Scale(devices.height, height, kMainDesignHeight);

    PaneRect& p = gPresetsPane.rect;
    p.x = presets.x;
    p.y = d.y + d.height + presetsGap;
    p.width = Scale(presets.width, width, kMainDesignWidth);
    p.height = NonNegative(height - bottomMargin - p.y);

    PaneRect& v = gDeviceView.rect;
    v.x = p.x + p.width + viewGap;
    v.y = view.y;
    v.width = NonNegative(width - rightMargin - v.x);
    v.height = NonNegative(height - bottomMargin - v.y);

    PaneRect& k = gKeyboardPane.rect;
    k.x = v.x;
    k.width = v.width;
    k.y = keys.y + (v.height - view.height);
    k.height = keys.height;

    MoveItems(width, height, v.x - view.x);
    DestroyPaneScrollBars(gDevicesPane);
    DestroyPaneScrollBars(gPresetsPane);
    DestroyPaneScrollBars(gDeviceView);
    return 1;
}

int RelayoutLibraryWindow(int width, int height) {
    if (!TakeNewSize(gLibraryLast, width, height)) return 0;
    const PaneRect& files = Design(kPaneLibraryFiles);
    const PaneRect& controls = Design(kPaneLibraryControls);
    int sideMargins = kLibraryDesignWidth - files.width;
    int gap = controls.y - (files.y + files.height);
    int bottomMargin = kLibraryDesignHeight - (controls.y + controls.height);

    PaneRect& f = gLibraryFilesPane.rect;
    f = files;
    f.width = NonNegative(width - sideMargins);
    f.height = Scale(files.height, height, kLibraryDesignHeight);

    PaneRect& c = gLibraryControlsPane.rect;
    c.x = controls.x;
    c.y = f.y + f.height + gap;
    c.width = f.width;
    c.height = NonNegative(height - bottomMargin - c.y);

    DestroyPaneScrollBars(gLibraryFilesPane);
    DestroyPaneScrollBars(gLibraryControlsPane);
    return 1;
}

int RelayoutEditorWindow(int width, int height) {
    if (!TakeNewSize(gEditorLast, width, height)) return 0;
    const PaneRect& editor = Design(kPaneEditor);
    PaneRect& e = gEditorPane.rect;
    e = editor;
    e.width = NonNegative(editor.width + width - kEditorClientDesignWidth);
    e.height = NonNegative(editor.height + height - kEditorClientDesignHeight);
    return 1;
}

int EditorContentShift() {
    return (gEditorLast.width - kEditorClientDesignWidth) / 2;
}

int GraphicPictureHeight(int deviceHasZones) {
    const PaneRect& view = Design(kPaneDeviceView);
    if (!deviceHasZones) return gDeviceView.rect.height;
    return NonNegative(kZonedPictureDesignHeight + gDeviceView.rect.height - view.height);
}

PaneRect PaneInvalidRect(const Pane& pane, int barWidth, int barHeight) {
    const PaneRect& r = pane.rect;
    // The keyboard lies inside the device view's body and paints only its
    // own body: repainted alone (a zone drag), anything more of the window
    // would be left unpainted, black.
    if (&pane == &gKeyboardPane) return r;
    int left = r.x;
    int top = r.y - kTitleStripHeight;
    int right = r.x + r.width + 1;
    int bottom = r.y + r.height + 1;
    if (&pane != &gDeviceView) {
        if (pane.vertical.bar != nullptr) right -= barWidth + 2;
        if (pane.horizontal.bar != nullptr) bottom -= barHeight + 2;
    }
    return {left, top, NonNegative(right - left), NonNegative(bottom - top)};
}

PaneRect PaneScrollBarRect(const Pane& pane, int vertical, int barWidth, int barHeight) {
    const PaneRect& r = pane.rect;
    if (vertical)
        return {r.x + r.width - barWidth - 1, r.y + 1, barWidth, NonNegative(r.height - 1)};
    int viewHeight = r.height;
    if (&pane == &gDeviceView && !pane.listMode) {
        viewHeight = GraphicPictureHeight(gDevice.zoneLimit != 0);
    }
    return {r.x + 1, r.y + viewHeight - barHeight - 1, NonNegative(r.width - 1), barHeight};
}

void RequestPaintAlone(Pane& pane) {
    gPaintAlone = &pane;
}

Pane* TakePaintAloneRequest(PaneWindow window) {
    Pane* pane = gPaintAlone;
    if (pane == nullptr || pane->window != window) return nullptr;
    gPaintAlone = nullptr;
    return pane;
}
