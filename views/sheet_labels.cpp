#include "views/sheet_labels.h"

#include <algorithm>
#include <cstdlib>

namespace {

// How far the candidates reach: rings of growing distance from the control,
// each tried straight and shifted sideways.
constexpr int kRings = 8;
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
                    if (FreeInField(candidate)) {
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
            int best = -1;
            for (int x : xs) {
                PixelRect candidate = Box(x, top, w, h);
                bool free = std::none_of(boxes.begin(), boxes.end(), [&](const PixelRect& b) {
                    return SheetRectsMeet(candidate, b, gap_);
                });
                if (free && (best < 0 || std::abs(x - desired) < std::abs(best - desired))) {
                    best = x;
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
    bool FreeInField(const PixelRect& box) const {
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
