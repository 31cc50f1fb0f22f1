// Where the panes and the panel items sit: the design layout of each window
// (main client 792 x 526, library 200 x 470, control editor 602 x 115), the
// placement of the panes at start-up, the re-layout when a window is
// resized, the rectangles a pane repaints and its scroll bars occupy, and
// the request that a pane be painted alone.
#pragma once

#include "views/pane.h"

constexpr int kMainDesignWidth = 792;
constexpr int kMainDesignHeight = 526;
constexpr int kLibraryDesignWidth = 200;
constexpr int kLibraryDesignHeight = 470;
constexpr int kEditorClientDesignWidth = 602;
constexpr int kEditorClientDesignHeight = 115;

// The title strip sits above a pane's rectangle, from y - 17 to y - 2.
constexpr int kTitleStripHeight = 17;

// The design picture height of the graphic view when the device has zones
// (the keyboard pane takes the rest of the device view's height).
constexpr int kZonedPictureDesignHeight = 317;

// The seven panes' design descriptors, in the order of the pane table.
enum PaneIndex {
    kPaneDevices,
    kPanePresets,
    kPaneDeviceView,
    kPaneKeyboard,
    kPaneLibraryFiles,
    kPaneLibraryControls,
    kPaneEditor,
    kPaneCount
};
extern const PaneDescriptor kPaneDescriptors[kPaneCount];
Pane& PaneAt(int index);

// Start-up: every pane gets its title, window, scroll-bar ids and design
// rectangle, the panels their windows and design items, and each window's
// last layout size is its design size.
void LayoutPanes(PaneWindow mainWindow, PaneWindow libraryWindow, PaneWindow editorWindow);

// The re-layouts on a window's new client size. Each does nothing (and
// returns 0) when the size equals that of its last layout, or when the size
// is empty (a minimised window); otherwise it moves the panes and items,
// destroys the scroll bars that the panes recreate at their next paint, and
// returns 1. Positions are computed from the design layout, not from the
// previous one, so that resizing back and forth never drifts.
int RelayoutMainWindow(int width, int height);
int RelayoutLibraryWindow(int width, int height);
int RelayoutEditorWindow(int width, int height);

// The horizontal shift of the control editor's content: half the change of
// the window's width from its design width, so the content stays centred.
int EditorContentShift();

// The graphic view's picture height: for a device with zones the design 317
// changed by the device view's change in height, otherwise the pane height.
int GraphicPictureHeight(int deviceHasZones);

// The client rectangle a pane repaints: its title strip (from y - 17) down
// to its bottom + 1 and right + 1, less the strips of the scroll bars that
// are shown (bar size + 2), except for the device view, whose picture runs
// under its bars. The keyboard, which has no title strip or frame of its own
// (it lies inside the device view), repaints exactly its body.
PaneRect PaneInvalidRect(const Pane& pane, int barWidth, int barHeight);

// Where a pane's scroll bar window goes: a vertical bar at
// (x + width - barWidth - 1, y + 1) of (barWidth, height - 1); a horizontal
// one at (x + 1, y + viewHeight - barHeight - 1) of (width - 1, barHeight),
// where viewHeight is the pane height, or the graphic picture height for the
// device view in graphic view.
PaneRect PaneScrollBarRect(const Pane& pane, int vertical, int barWidth, int barHeight);

// The request that one pane be painted alone at its window's next paint.
void RequestPaintAlone(Pane& pane);
// Takes (and clears) the request for `window`; null when there is none.
Pane* TakePaintAloneRequest(PaneWindow window);
