// What the views ask of the window system: repainting, mouse capture and
// confinement, cursors, the key state, the pointer and the views' timers.
// Implemented by views/view_platform_win32.cpp in the program and by a
// recording double (headless/view_platform_headless.*) in the native tests.
#pragma once

#include "views/pane.h"

// Repaints the pane: its title strip, frame and body (the scroll-bar strips
// are left alone, except for the device view, whose picture runs under them).
void InvalidatePane(Pane& pane);
// Repaints the pane on its own at the next paint (scrolling, keyboard zone
// drags): the window's other items and panes are not drawn again.
void InvalidatePaneAlone(Pane& pane);
// Repaints a rectangle of a window's client area (the whole area when rect
// is null).
void InvalidateWindowRect(PaneWindow window, const PaneRect* rect);

// Mouse capture, and confinement of the pointer to a rectangle of the
// window's client area (the whole client area when rect is null).
void CaptureMouse(PaneWindow window);
void ReleaseMouse();
void ConfinePointer(PaneWindow window, const PaneRect* rect);
void ReleasePointer();

// kHidden: no cursor at all (the value spinner while it repeats).
enum class ViewCursor { kArrow, kDragSingle, kDragMultiple, kZoneSize, kZoneMove, kHidden };
// Sets the cursor of `window` (its class cursor is restored with kArrow).
void SetViewCursor(PaneWindow window, ViewCursor cursor);

// 1 while the key is held now (virtual-key codes of the Windows API).
constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkRightButton = 0x02;  // the right mouse button's state, as a key
int KeyHeld(int virtualKey);
// 1 while the left mouse button is held now.
int LeftButtonHeld();

// The pointer in `window`'s client coordinates.
void PointerPosition(PaneWindow window, int* x, int* y);

// The views' timers on the main window: 101 drives drag edge-scrolling and
// the rubber band, 102 the value spinner.
constexpr int kDragTimer = 101;
constexpr int kSpinnerTimer = 102;
void StartViewTimer(int id, int periodMs);
void StopViewTimer(int id);

// Draws (or, drawn a second time, erases) the dotted focus rectangle of the
// rubber band straight on the window: an XOR drawing.
void DrawFocusBand(PaneWindow window, const PaneRect& band);

// Makes the pane's bar window match its scroll state: created (with the
// pane as its user data) or updated when total > page, destroyed otherwise.
void SyncPaneScrollBar(Pane& pane, int vertical);
// Destroys every bar window of the pane (view switches, shutdown).
void DestroyPaneScrollBars(Pane& pane);
// The system's scroll-bar sizes: a vertical bar's width, a horizontal bar's
// height.
int SystemScrollBarWidth();
int SystemScrollBarHeight();

// Repaints the window's invalid parts at once (a toolbar button shown
// pressed while its transfer runs without handling messages).
void PaintWindowNow(PaneWindow window);

// The size of the window's client area.
void WindowClientSize(PaneWindow window, int* width, int* height);

// The tooltip window: the size of `text` in the panel font; the window shown
// at `rect` (client pixels of `parent`) with the text, replacing any shown
// one; and its removal (nothing when none is shown).
void MeasureTooltipText(const char* text, int* width, int* height);
void ShowTooltipWindow(PaneWindow parent, const PaneRect& rect, const char* text);
void HideTooltipWindow();

// Runs a command of the command table for `window`, as a toolbar button
// does (the headless double records it).
void RunPanelCommand(PaneWindow window, int command);
