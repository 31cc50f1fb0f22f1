// Making and rescaling ImageBitmaps from portable pixels.
#include "imaging/image_bitmap.h"

#include "imaging/composite.h"
#include "imaging/picture_cache.h"
#include "imaging/pixel_draw.h"
#include "imaging/png_decode.h"
#include "imaging/resample.h"

int ImageBitmapFromRgba(const RgbaImage& image, int32_t background, int32_t fileBackground,
                        ImageBitmap* bitmap) {
    ImageBitmapRelease(bitmap);
    if (RgbaImageIsEmpty(image) || !ImageSizeAllowed(image.width, image.height)) return 0;
    if (!ImageBitmapAllocate(bitmap, image.width, image.height)) return 0;
    CompositeRgbaOnColour(image, background, fileBackground, bitmap->pixels);
    return 1;
}

int ImageBitmapFromPngFile(const char* path, int32_t background, ImageBitmap* bitmap) {
    ImageBitmapRelease(bitmap);
    const Pixels24 picture = ComposedPicture(path, background);
    if (Pixels24IsEmpty(picture)) return 0;
    return ImageBitmapFromPixels(picture, bitmap);
}

int ImageBitmapFromPixels(const Pixels24& pixels, ImageBitmap* bitmap) {
    ImageBitmapRelease(bitmap);
    if (Pixels24IsEmpty(pixels) || !ImageSizeAllowed(pixels.width, pixels.height)) return 0;
    if (!ImageBitmapAllocate(bitmap, pixels.width, pixels.height)) return 0;
    Pixels24CopyPart(bitmap->pixels, 0, 0, pixels.width, pixels.height, pixels, 0, 0);
    return 1;
}

ResampleResult ImageBitmapResample(ImageBitmap* bitmap, int newWidth, int newHeight) {
    if (ImageBitmapIsEmpty(*bitmap) || Pixels24IsEmpty(bitmap->pixels))
        return ResampleResult::kFailed;
    if (newWidth == bitmap->width && newHeight == bitmap->height) return ResampleResult::kUnchanged;
    if (!ImageSizeAllowed(newWidth, newHeight)) return ResampleResult::kFailed;
    // The new picture is built beside the old one and swapped in only when
    // complete, so a failure leaves the caller's picture as it was.
    ImageBitmap scaled;
    if (!ImageBitmapAllocate(&scaled, newWidth, newHeight)) return ResampleResult::kFailed;
    if (!ResampleBilinear(bitmap->pixels, scaled.pixels)) {
        ImageBitmapRelease(&scaled);
        return ResampleResult::kFailed;
    }
    ImageBitmapRelease(bitmap);
    *bitmap = scaled;
    return ResampleResult::kResampled;
}
