// The scroll bars of the panes: created after a paint when the content is
// larger than the page, and the scroll requests that move a pane.
#pragma once

#include "views/pane.h"

// Scroll requests, as the Windows scroll-bar notifications number them.
constexpr int kScrollLineUp = 0;
constexpr int kScrollLineDown = 1;
constexpr int kScrollPageUp = 2;
constexpr int kScrollPageDown = 3;
constexpr int kScrollThumbPosition = 4;
constexpr int kScrollThumbTrack = 5;
constexpr int kScrollTop = 6;
constexpr int kScrollBottom = 7;

// Moves the pane's horizontal (vertical = 0) or vertical (1) position by a
// request; `thumb` is the thumb position for the two thumb requests. The
// result is clamped to 0 .. total - page; on a change the pane's bar follows
// and the pane repaints alone. Returns the distance moved.
int ScrollPane(Pane& pane, int vertical, int request, int thumb);

// After a paint: the pane sets its total and page, and the bar is created,
// updated or (when everything fits) destroyed with the position back to 0.
void UpdatePaneScrollBar(Pane& pane, int vertical, int total, int page);

// Width of a vertical bar and height of a horizontal one, from the system.
int ScrollBarWidth();
int ScrollBarHeight();
