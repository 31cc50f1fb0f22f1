// The kept pictures (see picture_cache.h). Used from the user-interface
// thread only, as every builder of device pictures is.
#include "imaging/picture_cache.h"

#include <memory>
#include <string>
#include <unordered_map>

#include "base/file_stamp.h"
#include "imaging/composite.h"
#include "imaging/png_decode.h"

namespace {

struct KeptPicture {
    FileStamp stamp;         // of the file when it was decoded
    int32_t background = 0;  // the argument it was composited for
    PixelBuffer24 pixels;    // no bits when the file could not be decoded
};

struct PictureCache {
    std::unordered_map<std::string, std::unique_ptr<KeptPicture>> pictures;
    size_t bytes = 0;  // pixel bytes held by all of them
};

PictureCache& Cache() {
    static PictureCache cache;
    return cache;
}

Pixels24 ViewOf(PixelBuffer24& buffer) {
    if (buffer.bits.empty()) return Pixels24();
    return Pixels24Wrap(buffer.bits.data(), buffer.width, buffer.height, buffer.topDown);
}

// Decodes and composites; an empty buffer for a picture that cannot be made.
void Compose(const char* path, int32_t background, PixelBuffer24* out) {
    RgbaImage image;
    int32_t fileBackground = -1;
    if (!DecodePngFile(path, &image, &fileBackground)) return;
    if (RgbaImageIsEmpty(image) || !ImageSizeAllowed(image.width, image.height)) return;
    out->width = image.width;
    out->height = image.height;
    out->topDown = true;
    out->bits.assign(Pixels24RowBytes(image.width) * image.height, 0);
    if (!CompositeRgbaOnColour(image, background, fileBackground, ViewOf(*out))) {
        out->bits.clear();
    }
}

}  // namespace

Pixels24 ComposedPicture(const char* path, int32_t background) {
    if (!path) return Pixels24();
    PictureCache& cache = Cache();
    const FileStamp stamp = StampOfFile(path);
    auto found = cache.pictures.find(path);
    if (found != cache.pictures.end()) {
        KeptPicture& kept = *found->second;
        if (StampStillHolds(kept.stamp, stamp) && kept.background == background) {
            return ViewOf(kept.pixels);
        }
        cache.bytes -= kept.pixels.bits.size();
        cache.pictures.erase(found);
    }
    std::unique_ptr<KeptPicture> kept(new KeptPicture);
    kept->stamp = stamp;
    kept->background = background;
    Compose(path, background, &kept->pixels);
    const size_t bytes = kept->pixels.bits.size();
    if (cache.bytes + bytes > kPictureCacheBytes) ClearComposedPictures();
    cache.bytes += bytes;
    KeptPicture* picture = kept.get();
    cache.pictures[path] = std::move(kept);
    return ViewOf(picture->pixels);
}

void ClearComposedPictures() {
    Cache().pictures.clear();
    Cache().bytes = 0;
}
