// The kept masks of colour-keyed pictures (see keyed_pictures_win32.h).
#include "imaging/keyed_pictures_win32.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

struct KeyedPicture {
    void* handle;  // of the picture the pair was made from
    COLORREF key;
    ImageBitmap mask;   // white where the key is, black elsewhere
    ImageBitmap image;  // the picture with the key made black
};

std::vector<KeyedPicture>& Kept() {
    static std::vector<KeyedPicture> kept;
    return kept;
}

bool MakePair(const ImageBitmap& bitmap, COLORREF key, KeyedPicture* pair) {
    pair->handle = bitmap.handle;
    pair->key = key;
    if (!ImageBitmapAllocate(&pair->mask, bitmap.width, bitmap.height)) return false;
    if (!ImageBitmapAllocate(&pair->image, bitmap.width, bitmap.height)) {
        ImageBitmapRelease(&pair->mask);
        return false;
    }
    const uint8_t blue = GetBValue(key), green = GetGValue(key), red = GetRValue(key);
    for (int y = 0; y < bitmap.height; y++) {
        const uint8_t* from = Pixels24Row(bitmap.pixels, y);
        uint8_t* mask = Pixels24Row(pair->mask.pixels, y);
        uint8_t* image = Pixels24Row(pair->image.pixels, y);
        for (int x = 0; x < bitmap.width; x++, from += 3, mask += 3, image += 3) {
            bool keyed = from[0] == blue && from[1] == green && from[2] == red;
            memset(mask, keyed ? 0xFF : 0, 3);
            if (keyed) {
                memset(image, 0, 3);
            } else {
                memcpy(image, from, 3);
            }
        }
    }
    return true;
}

const KeyedPicture* PairFor(const ImageBitmap& bitmap, COLORREF key) {
    std::vector<KeyedPicture>& kept = Kept();
    for (const KeyedPicture& pair : kept) {
        if (pair.handle == bitmap.handle && pair.key == key) return &pair;
    }
    KeyedPicture pair = {};
    if (Pixels24IsEmpty(bitmap.pixels) || !MakePair(bitmap, key, &pair)) return nullptr;
    kept.push_back(pair);
    return &kept.back();
}

class MemoryDc {
  public:
    MemoryDc(HDC like, const ImageBitmap& bitmap) : dc_(CreateCompatibleDC(like)) {
        if (dc_) old_ = SelectObject(dc_, static_cast<HBITMAP>(bitmap.handle));
    }
    ~MemoryDc() {
        if (!dc_) return;
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    HDC get() const { return dc_; }

  private:
    HDC dc_;
    HGDIOBJ old_ = nullptr;
};

}  // namespace

void DrawKeyedPart(HDC dc, const ImageBitmap& bitmap, int x, int y, int w, int h, int srcX,
                   int srcY, COLORREF key) {
    const KeyedPicture* pair = PairFor(bitmap, key);
    if (!pair) {
        // No memory for the pair: the slow way still draws the right picture.
        MemoryDc source(dc, bitmap);
        if (source.get()) TransparentBlt(dc, x, y, w, h, source.get(), srcX, srcY, w, h, key);
        return;
    }
    MemoryDc mask(dc, pair->mask);
    MemoryDc image(dc, pair->image);
    if (!mask.get() || !image.get()) return;
    BitBlt(dc, x, y, w, h, mask.get(), srcX, srcY, SRCAND);
    BitBlt(dc, x, y, w, h, image.get(), srcX, srcY, SRCPAINT);
}

void ForgetKeyedPicture(void* handle) {
    std::vector<KeyedPicture>& kept = Kept();
    for (size_t i = kept.size(); i-- > 0;) {
        if (kept[i].handle != handle) continue;
        ImageBitmapRelease(&kept[i].mask);
        ImageBitmapRelease(&kept[i].image);
        kept.erase(kept.begin() + static_cast<std::ptrdiff_t>(i));
    }
}
