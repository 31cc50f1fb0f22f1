#include "views/sheet_labels.h"

#include <algorithm>
#include <cstdlib>

namespace {

// How far the candidates reach: rings of growing distance from the control,
// each tried straight and shifted sideways.
constexpr int kRings = 16;
constexpr int kShifts[] = {0, -1, 1, -2, 2};

PixelRect Box(int x, int y, int w, int h) {
    PixelRect r;
    r.left = x;
    r.top = y;
    r.right = x + w;
    r.bottom = y + h;
    return r;
}

// The x that keeps a box of width w inside the field (its left edge when it
// is wider than the field).
// Whether the segment from (x0, y0) to (x1, y1) passes through r (Liang and
// Barsky's clipping: the segment's parameter range inside each pair of edges).
bool SegmentMeetsRect(int x0, int y0, int x1, int y1, const PixelRect& r) {
    if (PixelRectIsEmpty(r)) return false;
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {static_cast<double>(x0 - r.left), static_cast<double>(r.right - 1 - x0),
                         static_cast<double>(y0 - r.top), static_cast<double>(r.bottom - 1 - y0)};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;  // parallel to this edge and outside it
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    return true;
}

int ClampX(const PixelRect& field, int x, int w) {
    if (x + w > field.right) x = field.right - w;
    if (x < field.left) x = field.left;
    return x;
}

class Placer {
  public:
    Placer(const PixelRect& field, int gap, const std::vector<SheetLabelRequest>& requests)
        : field_(field), gap_(gap), requests_(requests) {}

    int InField(const SheetLabelRequest& request, PixelRect* box) const {
        const PixelRect& a = request.anchor;
        int w = request.width;
        int h = request.height;
        int cx = (a.left + a.right) / 2;
        int cy = (a.top + a.bottom) / 2;
        for (int ring = 0; ring < kRings; ++ring) {
            int dy = gap_ + ring * (h / 2 + gap_);
            int dx = gap_ + ring * (w / 4 + gap_);
            for (int shift : kShifts) {
                int sideways = ClampX(field_, cx - w / 2 + shift * (w / 3), w);
                int upDown = cy - h / 2 + shift * (h / 2);
                const PixelRect candidates[] = {
                    Box(sideways, a.bottom + dy, w, h),
                    Box(sideways, a.top - dy - h, w, h),
                    Box(a.right + dx, upDown, w, h),
                    Box(a.left - dx - w, upDown, w, h),
                };
                for (const PixelRect& candidate : candidates) {
                    if (FreeInField(candidate, a)) {
                        *box = candidate;
                        return 1;
                    }
                }
            }
        }
        return 0;
    }

    PixelRect InOverflow(const SheetLabelRequest& request) {
        int w = request.width;
        int h = request.height;
        int desired = ClampX(field_, (request.anchor.left + request.anchor.right) / 2 - w / 2, w);
        for (size_t row = 0;; ++row) {
            if (row == rows_.size()) rows_.emplace_back();
            std::vector<PixelRect>& boxes = rows_[row];
            int top = field_.bottom + gap_ + static_cast<int>(row) * (RowHeight() + gap_);
            std::vector<int> xs = {desired};
            for (const PixelRect& b : boxes) {
                xs.push_back(ClampX(field_, b.right + gap_, w));
                xs.push_back(ClampX(field_, b.left - gap_ - w, w));
            }
            // The nearest free place, one whose leader is clear first.
            int best = -1;
            bool bestClear = false;
            for (int x : xs) {
                PixelRect candidate = Box(x, top, w, h);
                bool free = std::none_of(boxes.begin(), boxes.end(), [&](const PixelRect& b) {
                    return SheetRectsMeet(candidate, b, gap_);
                });
                if (!free) continue;
                bool clear = LeaderIsClear(candidate, request.anchor);
                if (best < 0 || (clear && !bestClear) ||
                    (clear == bestClear && std::abs(x - desired) < std::abs(best - desired))) {
                    best = x;
                    bestClear = clear;
                }
            }
            if (best >= 0) {
                PixelRect box = Box(best, top, w, h);
                boxes.push_back(box);
                return box;
            }
        }
    }

    void Take(const PixelRect& box) { placed_.push_back(box); }

  private:
    bool FreeInField(const PixelRect& box, const PixelRect& anchor) const {
        if (box.left < field_.left || box.right > field_.right || box.top < field_.top ||
            box.bottom > field_.bottom) {
            return false;
        }
        for (const PixelRect& other : placed_) {
            if (SheetRectsMeet(box, other, gap_)) return false;
        }
        for (const SheetLabelRequest& r : requests_) {
            if (SheetRectsMeet(box, r.anchor, gap_)) return false;
        }
        return SheetRectsMeet(box, anchor, gap_ + 1) || LeaderIsClear(box, anchor);
    }

    // A leader must not run through the middle of another control, where it
    // would seem to end there instead.
    bool LeaderIsClear(const PixelRect& box, const PixelRect& anchor) const {
        int x1 = (anchor.left + anchor.right) / 2;
        int y1 = (anchor.top + anchor.bottom) / 2;
        int x0 = std::min(std::max(x1, box.left), box.right - 1);
        int y0 = std::min(std::max(y1, box.top), box.bottom - 1);
        for (const SheetLabelRequest& r : requests_) {
            const PixelRect& a = r.anchor;
            if (a.left == anchor.left && a.top == anchor.top && a.right == anchor.right &&
                a.bottom == anchor.bottom) {
                continue;  // its own control, or one in the very same place
            }
            PixelRect middle;
            middle.left = a.left + (a.right - a.left) / 4;
            middle.right = a.right - (a.right - a.left) / 4;
            middle.top = a.top + (a.bottom - a.top) / 4;
            middle.bottom = a.bottom - (a.bottom - a.top) / 4;
            if (SegmentMeetsRect(x0, y0, x1, y1, middle)) return false;
        }
        return true;
    }

    int RowHeight() const {
        int height = 0;
        for (const SheetLabelRequest& r : requests_) height = std::max(height, r.height);
        return height;
    }

    PixelRect field_;
    int gap_;
    const std::vector<SheetLabelRequest>& requests_;
    std::vector<PixelRect> placed_;
    std::vector<std::vector<PixelRect>> rows_;
};

}  // namespace

bool SheetRectsMeet(const PixelRect& a, const PixelRect& b, int margin) {
    return a.left - margin < b.right && b.left < a.right + margin && a.top - margin < b.bottom &&
           b.top < a.bottom + margin;
}

int PlaceSheetLabels(const PixelRect& field, int gap,
                     const std::vector<SheetLabelRequest>& requests,
                     std::vector<SheetLabelPlace>* places) {
    places->assign(requests.size(), SheetLabelPlace{});
    std::vector<size_t> order(requests.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t x, size_t y) {
        const PixelRect& a = requests[x].anchor;
        const PixelRect& b = requests[y].anchor;
        return a.top != b.top ? a.top < b.top : a.left < b.left;
    });
    Placer placer(field, gap, requests);
    int bottom = field.bottom;
    for (size_t i : order) {
        SheetLabelPlace& place = (*places)[i];
        if (!placer.InField(requests[i], &place.box)) {
            place.box = placer.InOverflow(requests[i]);
            place.overflow = 1;
            bottom = std::max(bottom, place.box.bottom);
        }
        placer.Take(place.box);
        // A box `gap` pixels from its control touches it; one further off needs a line.
        place.leader = SheetRectsMeet(place.box, requests[i].anchor, gap + 1) ? 0 : 1;
    }
    return bottom;
}
