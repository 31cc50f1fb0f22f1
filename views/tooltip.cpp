// Tooltip tracking and placement (the states are listed in tooltip.h).
#include "views/tooltip.h"

#include "base/messages.h"
#include "base/platform.h"
#include "views/view_platform.h"
#include "views/view_state.h"

TooltipState gTooltip;

namespace {

constexpr int kPaddingWidth = 6;
constexpr int kPaddingHeight = 4;
constexpr int kLeftOfPointer = 4;
constexpr int kBelowPointer = 20;

void DropWindow() {
    if (gTooltip.shown >= 0) HideTooltipWindow();
    gTooltip.shown = -1;
}

void Show(const Panel& panel, int item, int px, int py) {
    int textWidth = 0;
    int textHeight = 0;
    MeasureTooltipText(gTooltip.text, &textWidth, &textHeight);
    int clientWidth = 0;
    int clientHeight = 0;
    WindowClientSize(panel.window, &clientWidth, &clientHeight);
    const PanelItem* display = FindPanelItem(panel, kItemStatusDisplay);
    PaneRect r = TooltipPlacement(px, py, textWidth, textHeight, panel.items[item],
                                  display != nullptr ? display->x : -1, clientWidth, clientHeight);
    ShowTooltipWindow(panel.window, r, gTooltip.text);
    gTooltip.shown = item;
    gTooltip.pending = -1;
}

// Arms the tooltip of `item` when it has a text.
void Arm(const Panel& panel, int item) {
    int tooltip = panel.items[item].tooltip;
    if (tooltip < 0) return;
    if (LoadStringById(kFirstTooltipString + tooltip, gTooltip.text, sizeof gTooltip.text) <= 0) {
        return;  // a tooltip without its string is never armed
    }
    gTooltip.remembered = item;
    gTooltip.pending = item;
    gTooltip.due = MilliClock() + kTooltipDelayMs;
}

}  // namespace

void ResetTooltip() {
    DropWindow();
    gTooltip = TooltipState();
}

void TooltipHide() {
    DropWindow();
    gTooltip.pending = -1;
}

void TooltipTrack(const Panel& panel, int x, int y) {
    if (gMenuOpen || panel.itemCount == 0) return;
    if (gTooltip.panel != &panel) {
        // The pointer came from another window's panel: its tooltip goes.
        TooltipHide();
        gTooltip.remembered = -1;
        gTooltip.panel = &panel;
    }
    int item = HitTestPanel(panel, x, y);
    if (item < 0) {
        DropWindow();
        gTooltip.pending = -1;
        gTooltip.remembered = -1;
        return;
    }
    if (gTooltip.pending == item) {
        // Unsigned difference: the clock wraps.
        if (MilliClock() - gTooltip.due < 0x80000000u) Show(panel, item, x, y);
        return;
    }
    gTooltip.pending = -1;
    if (gTooltip.shown >= 0 && gTooltip.shown != item) DropWindow();
    if (gTooltip.shown < 0 && item != gTooltip.remembered && !LeftButtonHeld()) Arm(panel, item);
}

void TooltipTick() {
    if (gMainPanel.window == nullptr) return;
    // Another window's tooltip is tracked by that window's mouse moves.
    if (gTooltip.panel != nullptr && gTooltip.panel != &gMainPanel) return;
    int x = 0;
    int y = 0;
    PointerPosition(gMainPanel.window, &x, &y);
    TooltipTrack(gMainPanel, x, y);
}

void TooltipTickPanel(const Panel& panel) {
    if (&panel == &gMainPanel) {
        TooltipTick();
        return;
    }
    if (gTooltip.panel != &panel || panel.window == nullptr) return;
    int x = 0;
    int y = 0;
    PointerPosition(panel.window, &x, &y);
    TooltipTrack(panel, x, y);
}

PaneRect TooltipPlacement(int px, int py, int textWidth, int textHeight, const PanelItem& item,
                          int statusLeft, int clientWidth, int clientHeight) {
    int w = textWidth + kPaddingWidth;
    int h = textHeight + kPaddingHeight;
    int left = px - kLeftOfPointer;
    int top = py + kBelowPointer;
    if (statusLeft >= 0 && left < statusLeft && left + w > statusLeft) left = statusLeft - w;
    if (left + w > clientWidth) left = clientWidth - w;
    if (left < 0) left = 0;
    if (top + h > clientHeight) top = clientHeight - h;
    if (top + h < py) top = py - h;
    // Pushed up against the bottom, it would cover the item it explains.
    if (top < item.y + item.height && top + h > item.y) top = item.y - h;
    if (top < 0) top = 0;
    return {left, top, w, h};
}
