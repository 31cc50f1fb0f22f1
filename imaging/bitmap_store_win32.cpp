// ImageBitmap pixels on Windows: a 24-bit top-down DIB section, so the same
// picture can be blitted by GDI and read or written by the portable code.
#include "imaging/bitmap_store_win32.h"

#include <windows.h>

#include <unordered_set>

#include "imaging/bitmap_store.h"
#include "imaging/image_bitmap.h"
#include "imaging/keyed_pictures_win32.h"

// The sections made here and not yet released.
static std::unordered_set<HGDIOBJ>& Sections() {
    static std::unordered_set<HGDIOBJ> sections;
    return sections;
}

bool IsImageBitmapSection(HGDIOBJ bitmap) {
    return bitmap && Sections().count(bitmap) != 0;
}

int ImageBitmapAllocate(ImageBitmap* bitmap, int width, int height) {
    *bitmap = ImageBitmap{};
    if (!ImageSizeAllowed(width, height)) return 0;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // negative: top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!handle || !bits) {
        if (handle) DeleteObject(handle);
        return 0;
    }
    Sections().insert(handle);
    bitmap->handle = handle;
    bitmap->width = width;
    bitmap->height = height;
    bitmap->pixels = Pixels24Wrap(static_cast<uint8_t*>(bits), width, height, true);
    return 1;
}

void ImageBitmapRelease(ImageBitmap* bitmap) {
    // A handle can be given out again: what was kept for this picture goes.
    if (bitmap->handle) ForgetKeyedPicture(bitmap->handle);
    if (bitmap->handle) {
        Sections().erase(static_cast<HGDIOBJ>(bitmap->handle));
        DeleteObject(static_cast<HBITMAP>(bitmap->handle));
    }
    *bitmap = ImageBitmap{};
}
