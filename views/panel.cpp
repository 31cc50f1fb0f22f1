// The four panels' static layouts, their reset, hit tests and the enabling
// rules of their buttons and tabs.
#include "views/panel.h"

#include <cstring>
#include <initializer_list>

#include "base/string_ids.h"
#include "devices/device_definition.h"
#include "midi/transfer_engine.h"
#include "views/device_view.h"
#include "views/devices_pane.h"
#include "views/editor_pane.h"
#include "views/editor_tabs.h"
#include "views/keyboard_pane.h"
#include "views/library_controls_pane.h"
#include "views/library_files_pane.h"
#include "views/presets_pane.h"

namespace {

// Button images come in pairs (normal, pressed) in this order in the string
// table, so a button's normal image is twice its position in the list.
constexpr int kImgRescan = 0;
constexpr int kImgNew = 2;
constexpr int kImgSend = 4;
constexpr int kImgUpload = 6;
constexpr int kImgDownload = 8;
constexpr int kImgView = 10;
constexpr int kImgLibrary = 12;
constexpr int kImgInfo = 14;
constexpr int kImgTabLeft = 18;
constexpr int kImgTabMid = 20;
constexpr int kImgTabRight = 22;
// Logo images.
constexpr int kImgLogoTop = 0;
constexpr int kImgLogoName = 1;
constexpr int kImgLogoBottom = 2;
constexpr int kImgDisplayPanel = 3;

// The main window's toolbar in the design layout (client 792 x 526), in
// item type order.
const PanelItem kMainItems[] = {
    {kItemRescan, kKindButton, nullptr, 47, 492, 52, 26, kImgRescan, 0, 0},
    {kItemNew, kKindButton, nullptr, 9, 492, 33, 26, kImgNew, 1, 0},
    {kItemIndicator, kKindStatic, nullptr, 160, 17, 29, 29, 0, 2, 0},
    {kItemSend, kKindButton, nullptr, 91, 23, 50, 27, kImgSend, 3, 0},
    {kItemUpload, kKindButton, nullptr, 51, 23, 36, 26, kImgUpload, 4, 0},
    {kItemDownload, kKindButton, nullptr, 9, 23, 38, 26, kImgDownload, 5, 0},
    {kItemView, kKindButton, nullptr, 727, 494, 57, 24, kImgView, 6, 0},
    {kItemLibrary, kKindButton, nullptr, 736, 23, 48, 26, kImgLibrary, 7, 0},
    {kItemInfo, kKindButton, nullptr, 662, 494, 57, 24, kImgInfo, 8, 0},
    {kItemLogoTop, kKindStatic, nullptr, 630, 4, 79, 47, kImgLogoTop, kNoTooltip, 0},
    {kItemLogoName, kKindStatic, nullptr, 727, 5, 58, 13, kImgLogoName, kNoTooltip, 0},
    {kItemLogoBottom, kKindStatic, nullptr, 296, 495, 200, 23, kImgLogoBottom, kNoTooltip, 0},
    {kItemStatusDisplay, kKindStatic, nullptr, 199, 12, 414, 38, kImgDisplayPanel, kNoTooltip, 0},
};
constexpr int kMainItemCount = sizeof kMainItems / sizeof kMainItems[0];

// The control editor's tabs; "Control Details" is shown at start.
const PanelItem kEditorItems[] = {
    {kItemTabDetails, kKindTab, nullptr, 8, 8, 115, 18, kImgTabLeft, 9, 1},
    {kItemTabVariables, kKindTab, nullptr, 123, 8, 107, 18, kImgTabMid, 10, 0},
    {kItemTabZones, kKindTab, nullptr, 230, 8, 115, 18, kImgTabRight, 11, 0},
};
constexpr int kEditorItemCount = sizeof kEditorItems / sizeof kEditorItems[0];

// The status popup's label: 50 average characters by 2 character heights,
// in the bold panel font (font index 1).
const PanelItem kMessageItems[] = {
    {kItemLabel, kKindStatic, nullptr, 0, 0, 50, 2, 1, kNoTooltip, 0},
};
constexpr int kMessageItemCount = 1;

const PanelLayout kMessageLayout = {"Message", 0, 0, 0, 50, 2, 1, 0};

PanelItem gMainItems[kMainItemCount];
PanelItem gEditorItems[kEditorItemCount];
PanelItem gMessageItems[kMessageItemCount];

Pane* const kMainPaintPanes[] = {&gDevicesPane, &gPresetsPane, &gDeviceView, &gKeyboardPane};
Pane* const kMainMousePanes[] = {&gDevicesPane, &gPresetsPane, &gKeyboardPane, &gDeviceView};
Pane* const kLibraryPanes[] = {&gLibraryFilesPane, &gLibraryControlsPane};
Pane* const kEditorPanes[] = {&gEditorPane};

void CopyItems(PanelItem* to, const PanelItem* from, int count) {
    std::memcpy(to, from, sizeof(PanelItem) * count);
}

int ToPixels(int value, int unit) {
    return value < 0 ? -value : value * unit;
}

}  // namespace

Panel gMainPanel = {{"Ostrel", 0, 0, 0, 0, 0, 1, 1},
                    gMainItems,
                    kMainItemCount,
                    kMainItems,
                    kMainPaintPanes,
                    kMainMousePanes,
                    4};
Panel gLibraryPanel = {
    {"Library", 0, 0, 0, 0, 0, 1, 1}, nullptr, 0, nullptr, kLibraryPanes, kLibraryPanes, 2};
Panel gEditorPanel = {{"Editor", 0, 0, 0, 0, 0, 1, 1},
                      gEditorItems,
                      kEditorItemCount,
                      kEditorItems,
                      kEditorPanes,
                      kEditorPanes,
                      1};
Panel gMessagePanel = {
    kMessageLayout, gMessageItems, kMessageItemCount, kMessageItems, nullptr, nullptr, 0};

void ResetPanels(PaneWindow mainWindow, PaneWindow libraryWindow, PaneWindow editorWindow) {
    CopyItems(gMainItems, kMainItems, kMainItemCount);
    CopyItems(gEditorItems, kEditorItems, kEditorItemCount);
    CopyItems(gMessageItems, kMessageItems, kMessageItemCount);
    gMessagePanel.layout = kMessageLayout;
    gMainPanel.window = mainWindow;
    gLibraryPanel.window = libraryWindow;
    gEditorPanel.window = editorWindow;
    for (Panel* panel : {&gMainPanel, &gLibraryPanel, &gEditorPanel, &gMessagePanel}) {
        panel->pressedItem = -1;
        panel->pressedInside = 0;
    }
}

int HitTestPanel(const Panel& panel, int x, int y) {
    for (int i = 0; i < panel.itemCount; ++i) {
        const PanelItem& item = panel.items[i];
        if (item.type == kItemTabZones && !DeviceHasZoneTab()) continue;
        int width = item.width;
        if (item.kind == kKindTab) {
            // The last tab is drawn wider: it answers where it is drawn.
            int image = 0;
            EditorTabAppearance(item.type, item.width, item.image, &width, &image);
        }
        if (x >= item.x && x < item.x + width && y >= item.y && y < item.y + item.height) {
            return i;
        }
    }
    return -1;
}

PanelItem* FindPanelItem(Panel& panel, int type) {
    for (int i = 0; i < panel.itemCount; ++i) {
        if (panel.items[i].type == type) return &panel.items[i];
    }
    return nullptr;
}

const PanelItem* FindPanelItem(const Panel& panel, int type) {
    return FindPanelItem(const_cast<Panel&>(panel), type);
}

int DeviceHasZoneTab() {
    return gDevice.zoneFieldCount > 0 ? 1 : 0;
}

int PanelItemEnabled(const PanelItem& item) {
    if (item.kind == kKindStatic) return 0;
    switch (item.type) {
        case kItemSend:
            return CanSendCurrentBank() ? 1 : 0;
        case kItemUpload:
            return CanSendChangesNow() ? 1 : 0;
        case kItemDownload:
            return CanDownloadFromDevice() ? 1 : 0;
        // Refreshing closes the ports under a running transfer, or under a
        // dump asked for and not yet arrived.
        case kItemRescan:
            return CanStartSending() ? 1 : 0;
        case kItemTabZones:
            return DeviceHasZoneTab();
        default:
            return 1;
    }
}

PaneRect CharacterUnitsToPixels(int x, int y, int width, int height, int averageWidth,
                                int charHeight) {
    return {ToPixels(x, averageWidth), ToPixels(y, charHeight), ToPixels(width, averageWidth),
            ToPixels(height, charHeight)};
}

void ApplyMessagePanelUnits(int averageWidth, int charHeight) {
    PanelLayout& layout = gMessagePanel.layout;
    PaneRect window =
        CharacterUnitsToPixels(kMessageLayout.x, kMessageLayout.y, kMessageLayout.width,
                               kMessageLayout.height, averageWidth, charHeight);
    layout.x = window.x;
    layout.y = window.y;
    layout.width = window.width;
    layout.height = window.height;
    for (int i = 0; i < gMessagePanel.itemCount; ++i) {
        const PanelItem& design = kMessageItems[i];
        PaneRect r = CharacterUnitsToPixels(design.x, design.y, design.width, design.height,
                                            averageWidth, charHeight);
        PanelItem& item = gMessageItems[i];
        item.x = r.x;
        item.y = r.y;
        item.width = r.width;
        item.height = r.height;
    }
}
