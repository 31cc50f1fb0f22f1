// Headless ImageBitmap store: the pixels live in a plain heap block that the
// handle points to.
#include "headless/bitmap_store_headless.h"

#include <atomic>
#include <new>

#include "imaging/bitmap_store.h"
#include "imaging/image_bitmap.h"

namespace {
std::atomic<int> gLiveBitmaps{0};
std::atomic<int> gFailAllocations{0};
}  // namespace

int HeadlessLiveBitmapCount() {
    return gLiveBitmaps.load();
}

void HeadlessFailBitmapAllocations(int count) {
    gFailAllocations.store(count);
}

int ImageBitmapAllocate(ImageBitmap* bitmap, int width, int height) {
    *bitmap = ImageBitmap{};
    if (!ImageSizeAllowed(width, height)) return 0;
    if (gFailAllocations.load() > 0) {
        gFailAllocations--;
        return 0;
    }
    size_t size = Pixels24RowBytes(width) * static_cast<size_t>(height);
    uint8_t* block = new (std::nothrow) uint8_t[size]();
    if (!block) return 0;
    bitmap->handle = block;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->pixels = Pixels24Wrap(block, width, height, true);
    gLiveBitmaps++;
    return 1;
}

void ImageBitmapRelease(ImageBitmap* bitmap) {
    if (bitmap->handle) {
        delete[] static_cast<uint8_t*>(bitmap->handle);
        gLiveBitmaps--;
    }
    *bitmap = ImageBitmap{};
}
