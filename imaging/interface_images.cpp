// The interface picture tables and the string-table runs that name them.
#include "imaging/interface_images.h"

#include "base/string_table.h"

ImageBitmap gBitmaps[kBitmapNameCount];
RgbaImage gButtonImages[kMaxButtonImages];
int gButtonImageCount = 0;
RgbaImage gLogoImages[kMaxLogoImages];
int gLogoImageCount = 0;
RgbaImage gFileIcons[kMaxFileIcons];
int gFileIconCount = 0;

int ReadResourceNameRun(int firstId, const char** names, int capacity) {
    int count = 0;
    for (int id = firstId; id < firstId + kMaxRunSpan; ++id) {
        const char* name = FindString(id);
        if (name == nullptr) continue;
        if (name[0] == '!') break;
        if (count < capacity) names[count++] = name;
    }
    return count;
}

void FreeInterfaceImages() {
    for (RgbaImage& image : gButtonImages) RgbaImageClear(&image);
    for (RgbaImage& image : gLogoImages) RgbaImageClear(&image);
    for (RgbaImage& image : gFileIcons) RgbaImageClear(&image);
    gButtonImageCount = gLogoImageCount = gFileIconCount = 0;
}

void FreeInterfaceBitmaps() {
    for (ImageBitmap& bitmap : gBitmaps) ImageBitmapRelease(&bitmap);
}
