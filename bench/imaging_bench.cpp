// Cost of the imaging work behind a device picture of 1600 x 500 pixels:
// decoding, compositing onto the view's white, resampling to the graphic
// view's scales, and per-pixel alpha drawing.
#include <benchmark/benchmark.h>
#include <png.h>

#include <cstdint>
#include <vector>

#include "imaging/composite.h"
#include "imaging/pixel_draw.h"
#include "imaging/png_decode.h"
#include "imaging/resample.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 500;

// A picture with soft shapes and a transparent border, like a device
// photograph cut out of its background.
RgbaImage DevicePicture() {
    RgbaImage image;
    image.width = kWidth;
    image.height = kHeight;
    image.pixels.resize(size_t(kWidth) * kHeight * 4);
    for (int y = 0; y < kHeight; y++)
        for (int x = 0; x < kWidth; x++) {
            uint8_t* p = image.pixels.data() + (size_t(y) * kWidth + x) * 4;
            p[0] = uint8_t(x * 7 + y);
            p[1] = uint8_t(y * 3);
            p[2] = uint8_t((x ^ y) & 0xFF);
            bool border = x < 40 || x >= kWidth - 40 || y < 20 || y >= kHeight - 20;
            p[3] = border ? 0 : uint8_t(x % 97 == 0 ? 128 : 255);
        }
    return image;
}

// The picture as a PNG file, through libpng's simplified writer.
std::vector<uint8_t> PngFile(const RgbaImage& image) {
    png_image info = {};
    info.version = PNG_IMAGE_VERSION;
    info.width = image.width;
    info.height = image.height;
    info.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&info, nullptr, &size, 0, image.pixels.data(), 0, nullptr);
    std::vector<uint8_t> file(size);
    if (!png_image_write_to_memory(&info, file.data(), &size, 0, image.pixels.data(), 0, nullptr))
        file.clear();
    file.resize(size);
    return file;
}

PixelBuffer24 Composited(const RgbaImage& image) {
    PixelBuffer24 buffer;
    PixelBuffer24Create(&buffer, image.width, image.height, true);
    CompositeRgbaOnColour(image, kWhite, -1, PixelBuffer24View(&buffer));
    return buffer;
}

void BM_DecodePng(benchmark::State& state) {
    std::vector<uint8_t> file = PngFile(DevicePicture());
    for (auto _ : state) {
        RgbaImage image;
        benchmark::DoNotOptimize(DecodePng(file.data(), file.size(), &image, nullptr));
    }
    state.counters["file_bytes"] = double(file.size());
}
BENCHMARK(BM_DecodePng)->Unit(benchmark::kMillisecond);

void BM_Composite(benchmark::State& state) {
    RgbaImage image = DevicePicture();
    PixelBuffer24 out;
    PixelBuffer24Create(&out, kWidth, kHeight, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(CompositeRgbaOnColour(image, kWhite, -1, PixelBuffer24View(&out)));
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_Composite)->Unit(benchmark::kMillisecond);

// Target sizes: the fitted picture in the 586 x 409 view (scale 0.36), the
// height-based scroll-mode picture (scale 0.77), and an enlargement.
void BM_Resample(benchmark::State& state) {
    PixelBuffer24 source = Composited(DevicePicture());
    int width = int(state.range(0)), height = int(state.range(1));
    PixelBuffer24 out;
    PixelBuffer24Create(&out, width, height, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ResampleBilinear(PixelBuffer24View(&source), PixelBuffer24View(&out)));
    state.SetItemsProcessed(state.iterations() * width * height);
}
BENCHMARK(BM_Resample)
    ->Args({578, 181})
    ->Args({1229, 384})
    ->Args({3200, 1000})
    ->Unit(benchmark::kMillisecond);

void BM_BlendRgba(benchmark::State& state) {
    RgbaImage image = DevicePicture();
    PixelBuffer24 target;
    PixelBuffer24Create(&target, kWidth, kHeight, true);
    int alpha = int(state.range(0));
    for (auto _ : state) {
        Pixels24BlendRgba(PixelBuffer24View(&target), 0, 0, kWidth, kHeight, image, 0, 0, alpha);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_BlendRgba)->Arg(255)->Arg(128)->Unit(benchmark::kMillisecond);

// What one device load costs for its background picture: decode, composite
// onto white, resample to the view.
void BM_DevicePictureLoad(benchmark::State& state) {
    std::vector<uint8_t> file = PngFile(DevicePicture());
    for (auto _ : state) {
        RgbaImage image;
        int32_t background;
        DecodePng(file.data(), file.size(), &image, &background);
        PixelBuffer24 flat;
        PixelBuffer24Create(&flat, image.width, image.height, true);
        CompositeRgbaOnColour(image, kWhite, background, PixelBuffer24View(&flat));
        PixelBuffer24 scaled;
        benchmark::DoNotOptimize(ResampleToBuffer(PixelBuffer24View(&flat), 578, 181, &scaled));
    }
}
BENCHMARK(BM_DevicePictureLoad)->Unit(benchmark::kMillisecond);

// The per-repaint drawing of a full view: tiles, the keyed picture and 40
// translucent label boxes.
void BM_ViewRepaintPrimitives(benchmark::State& state) {
    PixelBuffer24 screen, texture;
    PixelBuffer24Create(&screen, 792, 526, false);
    PixelBuffer24Create(&texture, 512, 64, false);
    PixelBuffer24 picture = Composited(DevicePicture());
    PixelBuffer24 scaled;
    ResampleToBuffer(PixelBuffer24View(&picture), 578, 181, &scaled);
    Pixels24 view = PixelBuffer24View(&screen);
    ColourFill label = ColourFillFromRgb(RgbColour(188, 204, 220));
    for (auto _ : state) {
        Pixels24Tile(view, 0, 0, 792, 526, PixelBuffer24View(&texture), 0);
        Pixels24FillSolid(view, 199, 70, 586, 409, ColourFill{255, 255, 255});
        Pixels24CopyKeyed(view, 203, 74, 578, 181, PixelBuffer24View(&scaled), 0, 0, kWhite);
        for (int i = 0; i < 40; i++) {
            int x = 210 + (i % 10) * 55, y = 90 + (i / 10) * 40;
            Pixels24FillTranslucent(view, x, y, 30, 12, label, 170);
            Pixels24FrameTranslucent(view, x, y, 30, 12, 1, label, 128);
        }
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ViewRepaintPrimitives)->Unit(benchmark::kMicrosecond);

}  // namespace
