// Row geometry and the selection rules of the list panes.
#include "views/list_rows.h"

#include <cstring>

#include "views/view_platform.h"

int ListRowCapacity(const Pane& pane) {
    // Row i is drawn while y + 2 + 13 i < y + h - 11, that is 13 i < h - 13.
    int room = pane.rect.height - 13;
    if (room <= 0) return 0;
    return (room + kPaneRowHeight - 1) / kPaneRowHeight;
}

int ListRowsShown(const Pane& pane, int total) {
    int left = total - pane.vertical.position;
    int capacity = ListRowCapacity(pane);
    if (left < 0) return 0;
    return left < capacity ? left : capacity;
}

int ListRowAt(const Pane& pane, int x, int y) {
    const PaneRect& r = pane.rect;
    if (x < r.x || x > r.x + r.width - 1) return -1;
    if (y < r.y + kPaneRowInset || y > r.y + r.height - 3) return -1;
    return (y - r.y - kPaneRowInset) / kPaneRowHeight + pane.vertical.position;
}

int ListRowTop(const Pane& pane, int shown) {
    return pane.rect.y + kPaneRowInset + shown * kPaneRowHeight;
}

int ScrollRowIntoView(int top, int visible, int total, int row) {
    if (row < top) return row;
    if (row >= top + visible) {
        top = row;
        if (row + visible >= total) top = total - visible;
        if (top < 0) top = 0;
    }
    return top;
}

int ScrollListToRow(Pane& pane, int row, int total) {
    int capacity = ListRowCapacity(pane);
    int top = ScrollRowIntoView(pane.vertical.position, capacity, total, row);
    if (top != pane.vertical.position) {
        pane.vertical.position = top;
        InvalidatePane(pane);
    }
    return top;
}

int FirstSelected(const unsigned char* flags, int count) {
    for (int i = 0; i < count; i++) {
        if (flags[i]) return i;
    }
    return -1;
}

void PressSelect(unsigned char* flags, int count, int index, int keyFlags) {
    if (index < 0 || index >= count || (keyFlags & kKeyFlagControl)) return;
    if (keyFlags & kKeyFlagShift) {
        int first = FirstSelected(flags, count);
        if (first < 0) first = index;
        int from = first < index ? first : index;
        int to = first < index ? index : first;
        for (int i = from; i <= to; i++) flags[i] = 1;
        return;
    }
    // A selected item keeps the whole selection so that it can be dragged.
    if (!flags[index]) {
        std::memset(flags, 0, static_cast<size_t>(count));
        flags[index] = 1;
    }
}

void ReleaseSelect(unsigned char* flags, int count, int index, int keyFlags) {
    if (index < 0 || index >= count) return;
    if (keyFlags & kKeyFlagControl) {
        flags[index] = flags[index] ? 0 : 1;
    } else if (!(keyFlags & kKeyFlagShift)) {
        std::memset(flags, 0, static_cast<size_t>(count));
        flags[index] = 1;
    }
}
