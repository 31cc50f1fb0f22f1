// The bilinear resampler.
#include "imaging/resample.h"

#include <new>
#include <vector>

namespace {

// One target coordinate's two source neighbours and the weight of the second.
struct SampleAxis {
    int first;      // trunc(position)
    int second;     // trunc(position + 0.5), kept inside the picture
    double weight;  // position - trunc(position)
};

// Columns and rows are worked out once, not once per pixel; the samples are
// the same for every row.
void FillAxis(std::vector<SampleAxis>* axis, int sourceSize, int targetSize) {
    double step = static_cast<double>(sourceSize) / targetSize;
    for (int i = 0; i < targetSize; i++) {
        double position = i * step;
        SampleAxis& a = (*axis)[i];
        a.first = static_cast<int>(position);
        a.second = static_cast<int>(position + 0.5);
        if (a.first > sourceSize - 1) a.first = sourceSize - 1;
        // The rounded neighbour of the last source pixel's second half would
        // be one past the edge; reading it would run off the row.
        if (a.second > sourceSize - 1) a.second = sourceSize - 1;
        a.weight = position - static_cast<int>(position);
    }
}

uint8_t Clamp255(double v) {
    if (v <= 0.0) return 0;
    if (v >= 255.0) return 255;
    return static_cast<uint8_t>(v);
}

}  // namespace

int ResampleBilinear(const Pixels24& src, const Pixels24& dst) {
    if (Pixels24IsEmpty(src) || Pixels24IsEmpty(dst)) return 0;
    std::vector<SampleAxis> columns, rows;
    try {
        columns.resize(dst.width);
        rows.resize(dst.height);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    FillAxis(&columns, src.width, dst.width);
    FillAxis(&rows, src.height, dst.height);

    for (int j = 0; j < dst.height; j++) {
        const SampleAxis& r = rows[j];
        const uint8_t* row0 = Pixels24Row(src, r.first);
        const uint8_t* row1 = Pixels24Row(src, r.second);
        double fy = r.weight;
        uint8_t* out = Pixels24Row(dst, j);
        for (int i = 0; i < dst.width; i++, out += 3) {
            const SampleAxis& c = columns[i];
            double fx = c.weight;
            double w00 = (1.0 - fx) * (1.0 - fy), w10 = fx * (1.0 - fy);
            double w01 = (1.0 - fx) * fy, w11 = fx * fy;
            const uint8_t* p00 = row0 + c.first * 3;
            const uint8_t* p10 = row0 + c.second * 3;
            const uint8_t* p01 = row1 + c.first * 3;
            const uint8_t* p11 = row1 + c.second * 3;
            for (int k = 0; k < 3; k++)
                out[k] = Clamp255(p00[k] * w00 + p10[k] * w10 + p01[k] * w01 + p11[k] * w11 + 0.5);
        }
    }
    return 1;
}

int ResampleToBuffer(const Pixels24& src, int newWidth, int newHeight, PixelBuffer24* out) {
    if (Pixels24IsEmpty(src) || !PixelBuffer24Create(out, newWidth, newHeight, true)) {
        PixelBuffer24Create(out, 0, 0, true);
        return 0;
    }
    return ResampleBilinear(src, PixelBuffer24View(out));
}
