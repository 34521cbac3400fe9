#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/bmp_file.h"

namespace {

struct Fields {
    uint32_t size = 40;
    int32_t width = 3, height = 2;
    uint16_t planes = 1, bitCount = 24;
    uint32_t compression = 0, imageSize = 24; // three 24-bit pixels: rows of 9 bytes padded to 12
};

// Little-endian, `bytes` long.
void Put(std::vector<uint8_t> &b, size_t at, uint32_t v, int bytes = 4) {
    for (int i = 0; i < bytes; ++i) b[at + size_t(i)] = uint8_t(v >> (8 * i));
}

// A packed picture: the 40-byte header (resolution fields set, so their copy shows), then
// `pixelBytes` bytes counting up.
std::vector<uint8_t> Picture(const Fields &f, size_t pixelBytes) {
    std::vector<uint8_t> b(40 + pixelBytes, 0);
    const uint32_t header[] = {f.size, uint32_t(f.width), uint32_t(f.height),
                               f.planes | uint32_t(f.bitCount) << 16, f.compression, f.imageSize, 2835, 2835};
    for (size_t k = 0; k < 8; ++k) Put(b, 4 * k, header[k]);
    for (size_t i = 0; i < pixelBytes; ++i) b[40 + i] = uint8_t(i + 1);
    return b;
}

TEST(BmpFile, PixelByteCountIsTheImageSizeOrComputedWhenZero) {
    struct Case { const char *what; void (*change)(Fields &); uint32_t pixels; };
    const Case cases[] = {
        {"image size given", [](Fields &) {}, 24},
        {"a larger image size is kept", [](Fields &f) { f.imageSize = 100; }, 100},
        {"0: 24-bit rows padded to 4 bytes", [](Fields &f) { f.imageSize = 0; }, 24},
        {"0: 32-bit rows", [](Fields &f) { f.imageSize = 0, f.bitCount = 32; }, 24},
        {"0: one pixel", [](Fields &f) { f.imageSize = 0, f.width = f.height = 1; }, 4},
        {"0: 640 x 480", [](Fields &f) { f.imageSize = 0, f.width = 640, f.height = 480; }, 921600},
    };
    for (const Case &c : cases) {
        Fields f;
        c.change(f);
        const std::vector<uint8_t> picture = Picture(f, 0);
        PictureHeader h;
        ASSERT_TRUE(ReadPictureHeader(picture.data(), picture.size(), &h));
        EXPECT_EQ(PicturePixelBytes(h), c.pixels) << c.what;
    }
}

TEST(BmpFile, NonsensicalPicturesAreRefused) {
    // pixelBytes: what the picture actually holds after its header
    struct Case { const char *what; void (*change)(Fields &); size_t pixelBytes; };
    const Case cases[] = {
        {"negative width", [](Fields &f) { f.width = -3; }, 24},
        {"negative height (top-down)", [](Fields &f) { f.height = -2; }, 24},
        {"zero width", [](Fields &f) { f.width = 0, f.imageSize = 0; }, 24},
        {"huge width", [](Fields &f) { f.width = 1 << 20, f.imageSize = 0; }, 24},
        {"huge sides within the limit, too many bytes",
         [](Fields &f) { f.width = f.height = 16384, f.bitCount = 32, f.imageSize = 0; }, 24},
        {"image size beyond the limit", [](Fields &f) { f.imageSize = 0xFFFFFFF0u; }, 24},
        {"image size smaller than the rows", [](Fields &f) { f.imageSize = 23; }, 24},
        {"more pixels claimed than given", [](Fields &f) { f.imageSize = 24; }, 23},
        {"computed size more than given", [](Fields &f) { f.imageSize = 0; }, 20},
        {"two planes", [](Fields &f) { f.planes = 2; }, 24},
        {"8 bits with a palette", [](Fields &f) { f.bitCount = 8; }, 24},
        {"16 bits", [](Fields &f) { f.bitCount = 16; }, 24},
        {"compressed", [](Fields &f) { f.compression = 1; }, 24},
        {"bit fields", [](Fields &f) { f.compression = 3, f.bitCount = 32; }, 24},
        {"a larger header", [](Fields &f) { f.size = 124; }, 24},
        {"a core header", [](Fields &f) { f.size = 12; }, 24},
    };
    for (const Case &c : cases) {
        Fields f;
        c.change(f);
        const std::vector<uint8_t> picture = Picture(f, c.pixelBytes);
        uint8_t out[kBmpPixelOffset];
        uint32_t pixels = 99;
        EXPECT_FALSE(BuildBmpHeaders(picture.data(), picture.size(), out, &pixels)) << c.what;
        EXPECT_EQ(pixels, 99u) << c.what;
    }
    // Fewer bytes than a header.
    uint8_t out[kBmpPixelOffset];
    uint32_t pixels = 0;
    EXPECT_FALSE(BuildBmpHeaders(Picture(Fields(), 0).data(), 39, out, &pixels));
    EXPECT_FALSE(BuildBmpHeaders(nullptr, 100, out, &pixels));
}

} // namespace
