// Making ImageBitmaps and RgbaImages from the program's resources.
#include <windows.h>

#include <cstdint>

#include "imaging/gdi_draw_win32.h"
#include "imaging/packed_dib.h"
#include "imaging/png_decode.h"

namespace {

// A resource's bytes, or nullptr. Resources live as long as the module, so
// nothing needs freeing.
const uint8_t* ResourceBytes(HINSTANCE instance, const char* name, const char* type, DWORD* size) {
    *size = 0;
    if (!name) return nullptr;
    HRSRC found = FindResourceA(instance, name, type);
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(instance, found);
    if (!loaded) return nullptr;
    *size = SizeofResource(instance, found);
    return static_cast<const uint8_t*>(LockResource(loaded));
}

}  // namespace

int ImageBitmapFromBitmapResource(HINSTANCE instance, const char* name, ImageBitmap* bitmap) {
    ImageBitmapRelease(bitmap);
    DWORD size = 0;
    const uint8_t* data = ResourceBytes(instance, name, MAKEINTRESOURCEA(2) /* RT_BITMAP */, &size);
    if (!data) return 0;
    // The header is checked before GDI reads it: a malformed resource must
    // not make GDI read past the resource's bytes.
    PackedDibLayout layout;
    if (!PackedDibParse(data, size, &layout)) return 0;
    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(data);
    int width = layout.width;
    int height = layout.height;
    if (!ImageBitmapAllocate(bitmap, width, height)) return 0;

    // GDI converts any depth to the section's 24 bits and honours either
    // row order of the source.
    int drawn = 0;
    {
        ScopedMemoryDc mem(nullptr);
        if (mem.get()) {
            ScopedSelectObject select(mem.get(), static_cast<HBITMAP>(bitmap->handle));
            drawn = StretchDIBits(mem.get(), 0, 0, width, height, 0, 0, width, height,
                                  data + layout.bitsOffset, info, DIB_RGB_COLORS, SRCCOPY);
        }
    }
    GdiFlush();
    if (drawn <= 0) {
        ImageBitmapRelease(bitmap);
        return 0;
    }
    return 1;
}

int RgbaImageFromPngResource(HINSTANCE instance, const char* name, RgbaImage* image) {
    RgbaImageClear(image);
    DWORD size = 0;
    const uint8_t* data = ResourceBytes(instance, name, "PNG", &size);
    if (!data) return 0;
    return DecodePng(data, size, image, nullptr);
}
