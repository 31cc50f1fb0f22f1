// Panels: the static layout of buttons, tabs, logos, the status display and
// the popup's label that each of the four windows draws over its textured
// background, beneath its panes. The layouts are fixed tables; the window
// re-layout (views/pane_layout.h) moves the items of the main panel when the
// window is resized, and the panels' mouse dispatch (views/panel_mouse.h)
// gives the buttons their press feedback and their commands.
#pragma once

#include "views/pane.h"

// Item types. Each type names one item of one panel.
constexpr int kItemLabel = 1;          // the "Message" panel's text
constexpr int kItemRescan = 2;         // refresh MIDI and devices (command 33)
constexpr int kItemNew = 3;            // new user bank (command 1)
constexpr int kItemIndicator = 4;      // the SysEx activity indicator
constexpr int kItemSend = 5;           // send the current bank
constexpr int kItemUpload = 6;         // send the changes of the device bank
constexpr int kItemDownload = 7;       // download the device
constexpr int kItemView = 8;           // graphic / list view (commands 21, 22)
constexpr int kItemLibrary = 9;        // library window (command 23)
constexpr int kItemInfo = 10;          // control editor window (command 24)
constexpr int kItemTabDetails = 11;    // "Control Details"
constexpr int kItemTabVariables = 12;  // "Extra Variables"
constexpr int kItemTabZones = 13;      // "Zone Data"
constexpr int kItemLogoTop = 14;
constexpr int kItemLogoName = 15;
constexpr int kItemLogoBottom = 16;
constexpr int kItemStatusDisplay = 17;

// Item kinds.
constexpr int kKindStatic = 0;
constexpr int kKindButton = 1;
constexpr int kKindTab = 2;

constexpr int kNoTooltip = -1;
constexpr int kFirstTooltipString = 128;  // an item's tooltip text is string 128 + index

// One item of a panel, its fields in the order of the layout tables.
struct PanelItem {
    int type;           // kItem*; 0 ends a layout
    int kind;           // kKind*
    const char* label;  // type 1 only: the text, set at run time
    int x;              // window client pixels (character units in the "Message"
    int y;              // panel's layout until start-up converts them)
    int width;
    int height;
    int image;    // buttons and tabs: the normal image in gButtonImages (pressed
                  // is the next); logos: gLogoImages; type 1: the font index
    int tooltip;  // string kFirstTooltipString + tooltip, or kNoTooltip
    int pressed;  // 1: drawn pressed; for tabs, the shown tab
};

// The header of a panel's layout.
struct PanelLayout {
    const char* title;
    int spare;
    int x;  // window rectangle: the "Message" panel's only (character units
    int y;  // converted at start-up)
    int width;
    int height;
    int fontIndex;  // the font whose metrics make the character units
    int frameMode;  // 0 none, 1 raised, 2 or more sunken
};

// A window's panel: its layout, its items as laid out now, the window it
// paints and its panes in painting order and in mouse order.
struct Panel {
    PanelLayout layout;
    PanelItem* items;
    int itemCount;
    const PanelItem* designItems;  // the items of the design layout
    Pane* const* paintPanes;       // in the order of the pane table
    Pane* const* mousePanes;       // in the order the mouse dispatch asks them
    int paneCount;
    PaneWindow window = nullptr;
    // Button press feedback: the item pressed by the left button (-1 none)
    // and whether the pointer is still on it.
    int pressedItem = -1;
    int pressedInside = 0;
};

extern Panel gMainPanel;     // "Ostrel": toolbar, indicator, status display, logos
extern Panel gLibraryPanel;  // "Library": panes only
extern Panel gEditorPanel;   // "Editor": the three tabs
extern Panel gMessagePanel;  // "Message": the status popup's label

// Puts every panel's items back to the design layout, releases every
// pressed button (the tabs keep "Control Details" shown) and records each
// panel's window. Start-up and the tests.
void ResetPanels(PaneWindow mainWindow, PaneWindow libraryWindow, PaneWindow editorWindow);

// The index of the item of `panel` under the client point, the first in
// list order (x <= px < x + width, y <= py < y + height); -1 for none.
// Statics are hit as well: the tooltip shows theirs.
int HitTestPanel(const Panel& panel, int x, int y);

// The item of a given type, or null.
PanelItem* FindPanelItem(Panel& panel, int type);
const PanelItem* FindPanelItem(const Panel& panel, int type);

// 1 when the item takes clicks now: a button or tab that its enabling rule
// allows (the three transfer buttons by the transfer engine's rules; the
// "Zone Data" tab only for a device with zone data fields).
int PanelItemEnabled(const PanelItem& item);

// Tabs: 1 when the loaded device has zone data fields, so that the third
// tab exists.
int DeviceHasZoneTab();

// Character units of the "Message" panel's layout: x * average width,
// y and height * character height, width * average width; a negative value
// is taken as pixels (its absolute value).
PaneRect CharacterUnitsToPixels(int x, int y, int width, int height, int averageWidth,
                                int charHeight);
// Converts the "Message" panel's layout and label to pixels with the font's
// metrics (start-up, once the fonts exist).
void ApplyMessagePanelUnits(int averageWidth, int charHeight);
