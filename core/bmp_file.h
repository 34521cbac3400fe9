// The BMP files the program writes (thumbnails and captured frames): a 14-byte file header,
// the picture's 40-byte header and its bottom-up pixel rows, no colour table. Builds natively.
#pragma once

#include <cstddef>
#include <cstdint>

enum : uint32_t {
    kBmpFileHeaderBytes = 14,
    kPictureHeaderBytes = 40,
    kBmpPixelOffset = kBmpFileHeaderBytes + kPictureHeaderBytes,
    // A picture side beyond this, or more pixel bytes than this, is no frame of a video.
    kMaxPictureSide = 16384,
    kMaxPictureBytes = 256u << 20,
};

// The 40-byte header at the front of a packed picture, as it is stored (little-endian).
struct PictureHeader {
    uint32_t size;
    int32_t width, height;
    uint16_t planes, bitCount;
    uint32_t compression, imageSize;
};

// False when fewer than 40 bytes are given.
bool ReadPictureHeader(const uint8_t *picture, size_t bytes, PictureHeader *header);

// The pixel bytes a picture's file carries: the header's image size, or, when that field is 0,
// what the width, height and bit count need. 0 for a header the writer refuses: not a 40-byte
// header, not one plane, not uncompressed 24 or 32 bits, a width or height that is not
// positive or is larger than kMaxPictureSide, an image size smaller than the rows need or
// larger than kMaxPictureBytes.
uint32_t PicturePixelBytes(const PictureHeader &header);

// The 14-byte file header for a file with `pixelBytes` pixel bytes.
void BuildBmpFileHeader(uint32_t pixelBytes, uint8_t out[kBmpFileHeaderBytes]);

// The 54 bytes that go in front of the pixels of a packed picture of `bytes` bytes (header
// followed by pixels), and how many pixel bytes follow them in the file. False, with nothing
// to write, when the header is refused or the picture holds fewer pixel bytes than it claims.
bool BuildBmpHeaders(const uint8_t *picture, size_t bytes, uint8_t out[kBmpPixelOffset],
                     uint32_t *pixelBytes);
