// Show-command rules and screen fitting for placements read from Settings.cfg.
#include "shell/settings_placement.h"

#include <algorithm>
#include <cstdint>

namespace {

// WPF_SETMINPOSITION would place the minimised icon at a stored spot that may be
// off every screen; only "restore to maximised" is worth keeping.
constexpr uint32_t kKeptPlacementFlags = 0x2;

int64_t Width(const PlacementRect& r) {
    return int64_t{r.right} - r.left;
}
int64_t Height(const PlacementRect& r) {
    return int64_t{r.bottom} - r.top;
}

int RectUsable(const PlacementRect& r) {
    return Width(r) > 0 && Height(r) > 0 && Width(r) <= kPlacementMaxExtent &&
           Height(r) <= kPlacementMaxExtent;
}

int64_t Clamp(int64_t v, int64_t lo, int64_t hi) {
    return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

PlacementToApply PlacementFromFile(SettingsWindow which, const WindowPlacementRecord& stored) {
    PlacementToApply out;
    out.record = stored;
    uint32_t show = stored.showCmd;
    if (which == SettingsWindow::kMain) {
        // The main window opens normal unless it was maximised; hidden makes no
        // sense for it and minimised would hide the program at start.
        out.record.showCmd = show == kShowMaximised ? kShowMaximised : kShowNormal;
        out.shown = 1;
        return out;
    }
    if (show == kShowHidden) {
        out.shown = 0;
    } else {
        out.shown = 1;
        if (show != kShowMaximised) show = kShowNormal;
    }
    out.record.showCmd = show;
    return out;
}

int PlacementRectReachable(const PlacementRect& r, const PlacementRect& area) {
    int64_t stripTop = r.top;
    int64_t stripBottom = int64_t{r.top} + std::min<int64_t>(kPlacementCaptionStrip, Height(r));
    int64_t w = std::min<int64_t>(r.right, area.right) - std::max<int64_t>(r.left, area.left);
    int64_t h = std::min<int64_t>(stripBottom, area.bottom) - std::max<int64_t>(stripTop, area.top);
    int64_t needH = std::min<int64_t>(kPlacementMinVisibleHeight, Height(r));
    int64_t needW = std::min<int64_t>(kPlacementMinVisibleWidth, Width(r));
    return w >= needW && h >= needH && w > 0 && h > 0;
}

void FitPlacementToScreens(WindowPlacementRecord* record, const PlacementRect& fallback,
                           const PlacementRect* workAreas, int workAreaCount) {
    record->length = kWindowPlacementSize;
    record->flags &= kKeptPlacementFlags;
    if (!RectUsable(record->normal)) record->normal = fallback;
    if (workAreas == nullptr || workAreaCount <= 0) return;

    const PlacementRect& primary = workAreas[0];
    // Workspace to screen coordinates, in 64 bits so that damaged values cannot
    // overflow.
    int64_t left = int64_t{record->normal.left} + primary.left;
    int64_t top = int64_t{record->normal.top} + primary.top;
    int64_t w = Width(record->normal);
    int64_t h = Height(record->normal);
    // Coordinates this far out are on no screen, and would overflow below.
    int sane =
        left > INT32_MIN / 2 && left < INT32_MAX / 2 && top > INT32_MIN / 2 && top < INT32_MAX / 2;
    if (sane) {
        PlacementRect screen = {static_cast<int32_t>(left), static_cast<int32_t>(top),
                                static_cast<int32_t>(left + w), static_cast<int32_t>(top + h)};
        for (int i = 0; i < workAreaCount; i++) {
            if (PlacementRectReachable(screen, workAreas[i])) return;
        }
    }

    int64_t areaW = Width(primary);
    int64_t areaH = Height(primary);
    if (areaW <= 0 || areaH <= 0) return;
    w = std::min(w, areaW);
    h = std::min(h, areaH);
    left = Clamp(left, primary.left, primary.right - w);
    top = Clamp(top, primary.top, primary.bottom - h);
    record->normal.left = static_cast<int32_t>(left - primary.left);
    record->normal.top = static_cast<int32_t>(top - primary.top);
    record->normal.right = static_cast<int32_t>(left - primary.left + w);
    record->normal.bottom = static_cast<int32_t>(top - primary.top + h);
}
