#include "core/bmp_file.h"

#include <cstring>

namespace {

enum : uint32_t { kUncompressed = 0 };

uint32_t Read32(const uint8_t *p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint16_t Read16(const uint8_t *p) {
    return uint16_t(p[0] | p[1] << 8);
}
void Write32(uint8_t *p, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}
void Write16(uint8_t *p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

bool SideFits(int32_t side) {
    return side > 0 && side <= int32_t(kMaxPictureSide);
}

} // namespace

bool ReadPictureHeader(const uint8_t *picture, size_t bytes, PictureHeader *header) {
    if (!picture || bytes < kPictureHeaderBytes) return false;
    header->size = Read32(picture);
    header->width = int32_t(Read32(picture + 4));
    header->height = int32_t(Read32(picture + 8));
    header->planes = Read16(picture + 12);
    header->bitCount = Read16(picture + 14);
    header->compression = Read32(picture + 16);
    header->imageSize = Read32(picture + 20);
    return true;
}

uint32_t PicturePixelBytes(const PictureHeader &header) {
    if (header.size != kPictureHeaderBytes || header.planes != 1) return 0;
    if (header.bitCount != 24 && header.bitCount != 32) return 0;
    if (header.compression != kUncompressed) return 0;
    if (!SideFits(header.width) || !SideFits(header.height)) return 0;
    // Rows are padded to whole 4-byte words.
    const uint64_t rowBytes = (uint64_t(header.width) * header.bitCount + 31) / 32 * 4;
    const uint64_t needed = rowBytes * uint64_t(header.height);
    const uint64_t pixelBytes = header.imageSize ? header.imageSize : needed;
    if (pixelBytes < needed || pixelBytes > kMaxPictureBytes) return 0;
    return uint32_t(pixelBytes);
}

void BuildBmpFileHeader(uint32_t pixelBytes, uint8_t out[kBmpFileHeaderBytes]) {
    Write16(out, 0x4D42); // "BM"
    Write32(out + 2, pixelBytes + kBmpPixelOffset);
    Write16(out + 6, 0);
    Write16(out + 8, 0);
    Write32(out + 10, kBmpPixelOffset);
}

bool BuildBmpHeaders(const uint8_t *picture, size_t bytes, uint8_t out[kBmpPixelOffset],
                     uint32_t *pixelBytes) {
    PictureHeader header;
    if (!ReadPictureHeader(picture, bytes, &header)) return false;
    const uint32_t pixels = PicturePixelBytes(header);
    if (pixels == 0 || pixels > bytes - kPictureHeaderBytes) return false;
    BuildBmpFileHeader(pixels, out);
    std::memcpy(out + kBmpFileHeaderBytes, picture, kPictureHeaderBytes);
    *pixelBytes = pixels;
    return true;
}
