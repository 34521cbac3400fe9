#include "core/scaler.h"

namespace {

bool SideFits(int side) {
    return side > 0 && side <= kMaxScaledSide;
}

uint32_t Channel(uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

// One channel from the four neighbours: across each row first, then between the two rows.
uint32_t Blend(uint32_t p00, uint32_t p10, uint32_t p01, uint32_t p11, uint32_t wx, uint32_t wy,
               int shift) {
    const uint32_t top = (Channel(p00, shift) * (256 - wx) + Channel(p10, shift) * wx) >> 8;
    const uint32_t bottom = (Channel(p01, shift) * (256 - wx) + Channel(p11, shift) * wx) >> 8;
    return (bottom * wy + top * (256 - wy)) >> 8;
}

} // namespace

int ListImageSide(int32_t stored, int fallback) {
    return stored >= 1 && stored <= kMaxListImageSide ? int(stored) : fallback;
}

bool ScaleBilinear(const uint32_t *source, int w, int h, bool sourceHasAlpha, uint32_t *target,
                   int W, int H) {
    if (!source || !target || !SideFits(w) || !SideFits(h) || !SideFits(W) || !SideFits(H))
        return false;
    const uint32_t xs = uint32_t(w) * 256 / uint32_t(W);
    const uint32_t ys = uint32_t(h) * 256 / uint32_t(H);
    for (int y = 0; y < H; ++y) {
        const uint32_t fy = uint32_t(y) * ys;
        const uint32_t y0 = fy >> 8;
        const uint32_t y1 = y0 + 1 < uint32_t(h) ? y0 + 1 : uint32_t(h) - 1;
        const uint32_t wy = fy & 255;
        const uint32_t *row0 = source + size_t(y0) * size_t(w);
        const uint32_t *row1 = source + size_t(y1) * size_t(w);
        uint32_t *out = target + size_t(y) * size_t(W);
        for (int x = 0; x < W; ++x) {
            const uint32_t fx = uint32_t(x) * xs;
            const uint32_t x0 = fx >> 8;
            const uint32_t x1 = x0 + 1 < uint32_t(w) ? x0 + 1 : uint32_t(w) - 1;
            const uint32_t wx = fx & 255;
            const uint32_t p00 = row0[x0], p10 = row0[x1], p01 = row1[x0], p11 = row1[x1];
            const uint32_t blue = Blend(p00, p10, p01, p11, wx, wy, 0);
            const uint32_t green = Blend(p00, p10, p01, p11, wx, wy, 8);
            const uint32_t red = Blend(p00, p10, p01, p11, wx, wy, 16);
            const uint32_t alpha = sourceHasAlpha ? Blend(p00, p10, p01, p11, wx, wy, 24) : 255;
            out[x] = alpha << 24 | red << 16 | green << 8 | blue;
        }
    }
    return true;
}
