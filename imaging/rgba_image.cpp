// RgbaImage housekeeping.
#include "imaging/rgba_image.h"

void RgbaImageClear(RgbaImage* image) {
    image->width = 0;
    image->height = 0;
    // swap, not clear(): a cleared vector keeps its capacity, and a device
    // picture's worth of memory should go back when its picture goes.
    std::vector<uint8_t>().swap(image->pixels);
}
