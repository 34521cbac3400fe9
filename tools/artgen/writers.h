// File writers for the Windows resource formats used by the player:
// 24-bit BMP, and ICO/CUR containers holding 32-bit BMP-style images.
#pragma once

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "raster.h"

namespace art {

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& b, uint32_t v) { b.push_back(v & 255); b.push_back((v >> 8) & 255); }
inline void put32(Bytes& b, uint32_t v) { put16(b, v & 0xFFFF); put16(b, v >> 16); }

inline uint8_t to8(float v) { return uint8_t(std::clamp(int(std::lround(v * 255.0f)), 0, 255)); }

// 24-bit pixels, already flattened to opaque colours.
struct Image24 {
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;  // top-down, 3 bytes a pixel
    Image24(int w_, int h_) : w(w_), h(h_), rgb(size_t(w_) * h_ * 3, 0) {}
    void set(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
        uint8_t* p = &rgb[(size_t(y) * w + x) * 3];
        p[0] = r; p[1] = g; p[2] = b;
    }
    void set(int x, int y, RGBA c) { set(x, y, to8(c.r), to8(c.g), to8(c.b)); }
    const uint8_t* get(int x, int y) const { return &rgb[(size_t(y) * w + x) * 3]; }
};

inline Image24 flatten(const Canvas& c, RGBA back = hex(0x000000)) {
    Image24 img(c.width(), c.height());
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) img.set(x, y, c.over(x, y, back));
    return img;
}

inline void writeFile(const std::string& path, const Bytes& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) throw std::runtime_error("short write on " + path);
}

// BITMAPFILEHEADER + BITMAPINFOHEADER, BI_RGB, bottom-up, rows padded to 4.
inline Bytes encodeBmp(const Image24& img) {
    uint32_t stride = (uint32_t(img.w) * 3 + 3) & ~3u;
    uint32_t pixelBytes = stride * uint32_t(img.h);
    Bytes b;
    b.push_back('B'); b.push_back('M');
    put32(b, 54 + pixelBytes);
    put32(b, 0);
    put32(b, 54);
    put32(b, 40);
    put32(b, img.w);
    put32(b, img.h);
    put16(b, 1);
    put16(b, 24);
    put32(b, 0);  // BI_RGB
    put32(b, pixelBytes);
    put32(b, 2835); put32(b, 2835);  // 72 dpi
    put32(b, 0); put32(b, 0);
    for (int y = img.h - 1; y >= 0; --y) {
        for (int x = 0; x < img.w; ++x) {
            const uint8_t* p = img.get(x, y);
            b.push_back(p[2]); b.push_back(p[1]); b.push_back(p[0]);
        }
        for (uint32_t i = uint32_t(img.w) * 3; i < stride; ++i) b.push_back(0);
    }
    return b;
}

// One 32-bit image of an icon or cursor, in the "DIB with double height"
// layout: BITMAPINFOHEADER, BGRA rows bottom-up, then the 1-bit AND mask.
inline Bytes encodeIconImage(const Canvas& c) {
    int w = c.width(), h = c.height();
    uint32_t maskStride = ((uint32_t(w) + 31) / 32) * 4;
    Bytes b;
    put32(b, 40);
    put32(b, w);
    put32(b, h * 2);
    put16(b, 1);
    put16(b, 32);
    put32(b, 0);
    put32(b, uint32_t(w * h * 4) + maskStride * h);
    put32(b, 0); put32(b, 0); put32(b, 0); put32(b, 0);
    std::vector<bool> transparent(size_t(w) * h);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            RGBA s = c.straight(x, y);
            uint8_t a = to8(s.a);
            if (a == 0) s = {};
            transparent[size_t(y) * w + x] = (a == 0);
            b.push_back(to8(s.b)); b.push_back(to8(s.g)); b.push_back(to8(s.r)); b.push_back(a);
        }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < w; ++x)
            if (transparent[size_t(y) * w + x]) row[x / 8] |= uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

struct HotSpot { int x = 0, y = 0; };

// ICO (type 1) or, when hotspots are given, CUR (type 2).
inline Bytes encodeIconFile(const std::vector<Canvas>& images, const std::vector<HotSpot>* hot = nullptr) {
    Bytes b;
    put16(b, 0);
    put16(b, hot ? 2 : 1);
    put16(b, uint32_t(images.size()));
    std::vector<Bytes> blobs;
    for (const Canvas& c : images) blobs.push_back(encodeIconImage(c));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        b.push_back(uint8_t(images[i].width() & 255));
        b.push_back(uint8_t(images[i].height() & 255));
        b.push_back(0);  // no palette
        b.push_back(0);
        if (hot) { put16(b, (*hot)[i].x); put16(b, (*hot)[i].y); }
        else { put16(b, 1); put16(b, 32); }
        put32(b, uint32_t(blobs[i].size()));
        put32(b, offset);
        offset += uint32_t(blobs[i].size());
    }
    for (const Bytes& blob : blobs) b.insert(b.end(), blob.begin(), blob.end());
    return b;
}

}  // namespace art
