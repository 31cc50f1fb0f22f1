// Word wrap and geometry of the status display and popup (status_layout.h).
#include "views/status_layout.h"

#include <cstring>

StatusRect gStatusDisplayRect = kStatusDisplayDesignRect;
PopupGeometry gPopupGeometry = {0, 0, 0, 0};

TextBox StatusTextBox(StatusRect item) {
    return TextBox{item.x + 5, item.y + 6, item.x + item.width - 5, item.y + item.height - 2};
}

int WrapStatusText(const char* text, int boxWidth, MeasureTextFn measure, void* context,
                   TextLine* lines, int maxLines) {
    if (text == nullptr || lines == nullptr || measure == nullptr) return 0;
    const int total = static_cast<int>(std::strlen(text));
    int count = 0;
    int pos = 0;
    // Every line takes at least one character, so the loop ends.
    while (pos < total && count < maxLines) {
        int length = total - pos;
        while (measure(text + pos, length, context) > boxWidth) {
            // Last blank before the line's current end; a blank at the line's
            // very start would give an empty line, so it does not count.
            int blank = -1;
            for (int i = pos + length - 1; i > pos; --i) {
                if (text[i] == ' ') {
                    blank = i;
                    break;
                }
            }
            if (blank < 0) break;  // one word too wide: it stays, clipped
            length = blank - pos;
        }
        lines[count++] = TextLine{pos, length};
        pos += length;
        if (pos < total && text[pos] == ' ') ++pos;
    }
    return count;
}

int DisplayPanelPieces(int itemWidth, ImagePiece* pieces, int maxPieces) {
    int count = 0;
    auto add = [&](int sourceX, int width, int destX) {
        if (width > 0 && count < maxPieces) pieces[count++] = ImagePiece{sourceX, width, destX};
    };
    if (itemWidth <= 0 || pieces == nullptr) return 0;
    if (itemWidth == kDisplayPanelWidth) {
        add(0, kDisplayPanelWidth, 0);
        return count;
    }
    if (itemWidth < 2 * kDisplayPanelEdge) {
        // Too narrow for both edges: the left half of the width from the
        // image's left edge, the rest from its right edge.
        int left = itemWidth - itemWidth / 2;
        add(0, left, 0);
        add(kDisplayPanelWidth - itemWidth / 2, itemWidth / 2, left);
        return count;
    }
    const int middleSource = kDisplayPanelEdge;
    const int middleWidth = kDisplayPanelWidth - 2 * kDisplayPanelEdge;  // 398
    add(0, kDisplayPanelEdge, 0);
    int destX = kDisplayPanelEdge;
    int remaining = itemWidth - 2 * kDisplayPanelEdge;
    while (remaining > 0 && count < maxPieces - 1) {
        int width = remaining < middleWidth ? remaining : middleWidth;
        add(middleSource, width, destX);
        destX += width;
        remaining -= width;
    }
    add(kDisplayPanelWidth - kDisplayPanelEdge, kDisplayPanelEdge, itemWidth - kDisplayPanelEdge);
    return count;
}

int StatusPopupWidth(int textWidth) {
    int width = textWidth < 300 ? 300 : textWidth;
    return width + width / 10;
}

int StatusPopupLeft(int mainLeft, int mainWidth, int popupWidth, int workRight) {
    int left = mainLeft + mainWidth / 2 - popupWidth / 2;
    if (left + popupWidth > workRight) left = workRight - popupWidth;
    if (left < 0) left = 0;
    return left;
}

PopupGeometry StatusPopupStartGeometry(int averageCharWidth, int charHeight, int frameWidth,
                                       int frameHeight, int workWidth, int workHeight) {
    PopupGeometry g;
    g.width = 50 * averageCharWidth + 2 * frameWidth;
    g.height = charHeight + 2 * frameHeight;
    g.x = (workWidth - g.width) / 2;
    g.y = (workHeight - g.height) / 2;
    return g;
}
