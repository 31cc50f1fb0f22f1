// Scrolling a pane: the requests of its scroll bars, the keyboard and the
// drags, all clamped to the content the pane reported after its last paint.
#include "views/pane_scroll.h"

#include "views/device_view.h"
#include "views/in_place_edit.h"
#include "views/view_platform.h"

namespace {

constexpr int kPageStep = 10;

int Clamp(int value, int low, int high) {
    if (value > high) value = high;
    if (value < low) value = low;
    return value;
}

}  // namespace

int ScrollPane(Pane& pane, int vertical, int request, int thumb) {
    PaneScroll& s = vertical ? pane.vertical : pane.horizontal;
    int position = s.position;
    switch (request) {
        case kScrollLineUp: position -= 1; break;
        case kScrollLineDown: position += 1; break;
        case kScrollPageUp: position -= kPageStep; break;
        case kScrollPageDown: position += kPageStep; break;
        case kScrollThumbPosition: position = thumb; break;
        case kScrollThumbTrack:
            // The device picture is costly to redraw: it follows the thumb
            // only when the thumb is let go.
            if (&pane == &gDeviceView && !pane.listMode) return 0;
            position = thumb;
            break;
        case kScrollTop: position = 0; break;
        case kScrollBottom: position = s.total - s.page; break;
        default: return 0;
    }
    position = Clamp(position, 0, s.total > s.page ? s.total - s.page : 0);
    int moved = position - s.position;
    if (moved == 0) return 0;
    // An editor stands over its row: the rows moving under it end it, with
    // what was typed taken for the row it was opened on.
    CommitInPlaceEditors();
    s.position = position;
    SyncPaneScrollBar(pane, vertical);
    InvalidatePaneAlone(pane);
    return moved;
}

void UpdatePaneScrollBar(Pane& pane, int vertical, int total, int page) {
    PaneScroll& s = vertical ? pane.vertical : pane.horizontal;
    s.total = total;
    s.page = page;
    if (total <= page) {
        s.position = 0;
    } else {
        s.position = Clamp(s.position, 0, total - page);
    }
    SyncPaneScrollBar(pane, vertical);
}

int ScrollBarWidth() { return SystemScrollBarWidth(); }
int ScrollBarHeight() { return SystemScrollBarHeight(); }
