// Compositing an RgbaImage onto a colour.
#include "imaging/composite.h"

int CompositeRgbaOnColour(const RgbaImage& image, int32_t background, int32_t fileBackground,
                          const Pixels24& dst) {
    if (RgbaImageIsEmpty(image) || Pixels24IsEmpty(dst)) return 0;
    if (dst.width != image.width || dst.height != image.height) return 0;
    int32_t colour = background;
    if (colour < 0) colour = fileBackground >= 0 ? fileBackground : kDefaultCompositeBackground;
    int bgRed = RgbRed(colour), bgGreen = RgbGreen(colour), bgBlue = RgbBlue(colour);

    for (int y = 0; y < image.height; y++) {
        const uint8_t* in = RgbaImagePixel(image, 0, y);
        uint8_t* out = Pixels24Row(dst, y);
        for (int x = 0; x < image.width; x++, in += 4, out += 3) {
            int alpha = in[3];
            if (alpha == 255) {
                out[0] = in[2];
                out[1] = in[1];
                out[2] = in[0];
            } else if (alpha == 0) {
                out[0] = static_cast<uint8_t>(bgBlue);
                out[1] = static_cast<uint8_t>(bgGreen);
                out[2] = static_cast<uint8_t>(bgRed);
            } else {
                out[0] = MixChannel(in[2], bgBlue, alpha);
                out[1] = MixChannel(in[1], bgGreen, alpha);
                out[2] = MixChannel(in[0], bgRed, alpha);
            }
        }
    }
    return 1;
}
