// Pane: a list or view region of one of the program's windows (the device
// and preset lists, the device view, the keyboard, the library lists, the
// control editor). A pane paints itself on its window's off-screen bitmap and
// takes the window's mouse messages in turn until one handles them.
//
// The pane objects are portable: their geometry, hit tests and selection
// rules are tested natively. Their paint operations live in the Win32 files
// (the native build links no-op paints from headless/), which is why the
// device context and window are the opaque handle types of the Windows
// headers, declared here without them.
#pragma once

struct HDC__;
struct HWND__;
using PaneDc = HDC__*;       // HDC in the Windows build
using PaneWindow = HWND__*;  // HWND in the Windows build

// Mouse messages the panes take (their Win32 numbers), and the key flags
// that come with them.
constexpr int kMouseMove = 512;
constexpr int kLeftDown = 513;
constexpr int kLeftUp = 514;
constexpr int kLeftDoubleClick = 515;
constexpr int kRightDown = 516;
constexpr int kRightUp = 517;
constexpr int kRightDoubleClick = 518;
constexpr int kKeyFlagLeft = 0x0001;
constexpr int kKeyFlagRight = 0x0002;
constexpr int kKeyFlagShift = 0x0004;
constexpr int kKeyFlagControl = 0x0008;

// The results of Pane::Mouse.
constexpr int kMouseHandled = 0;
constexpr int kMouseNotHandled = -1;

struct PaneRect {
    int x;
    int y;
    int width;
    int height;
};

// One scroll direction of a pane: the range and page the pane set after its
// last paint, its position, the bar's control id and the bar window while it
// exists (null when total <= page).
struct PaneScroll {
    int total = 0;
    int page = 0;
    int position = 0;
    int controlId = 0;
    PaneWindow bar = nullptr;
};

class Pane {
public:
    virtual ~Pane() = default;

    // Paints title strip, frame and body on the window's off-screen device
    // context (already clipped to the update rectangle).
    virtual void Paint(PaneDc dc) = 0;

    // A mouse message at client point (x, y); kMouseHandled when the pane
    // took it, kMouseNotHandled to let the next pane look at it.
    virtual int Mouse(PaneWindow window, int x, int y, int message, int keyFlags) = 0;

    const char* title = "";         // drawn centred in the title strip; "" none
    PaneWindow window = nullptr;    // the window the pane belongs to
    int spare = 0;                  // unused
    int listMode = 0;               // DeviceView: 1 in list view. Other list panes: draw no rows
    int shownTab = 0;               // EditorPane: the shown tab (0, 1, 2)
    int current = 0;                // the current row or control
    int currentField = 1;           // EditorPane: the current field
    int currentVariable = 0;        // EditorPane: the current extra variable
    int currentZoneField = 0;       // EditorPane: the current zone field
    int scrollIntoView = 0;         // 1: the next paint scrolls the current row into view
    PaneScroll horizontal;          // bar id 0 when the pane has none
    PaneScroll vertical;
    PaneRect rect = {0, 0, 0, 0};   // window client pixels, as laid out now
};

// A pane's static description: the design layout the re-layout starts from.
struct PaneDescriptor {
    const char* title;
    int horizontalBarId;  // 0: none
    int verticalBarId;
    PaneRect rect;        // in the design layout
};
