#include "services/bitmap_region.h"

#include <cstdint>
#include <vector>

#include "core/clock_texts.h"

namespace {

// Large enough for any mask a window is cut from.
const int kMaxMaskSide = 4096;

// The bitmap's pixels as top-down rows of 32-bit values; false when it cannot be read.
bool ReadPixels(HBITMAP bitmap, std::vector<uint32_t> *pixels, int *width, int *height) {
    BITMAP bm = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return false;
    const int w = bm.bmWidth, h = bm.bmHeight < 0 ? -bm.bmHeight : bm.bmHeight;
    if (w <= 0 || h <= 0 || w > kMaxMaskSide || h > kMaxMaskSide) return false;
    pixels->assign(size_t(w) * size_t(h), 0);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, UINT(h), pixels->data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    *width = w;
    *height = h;
    return rows == h;
}

} // namespace

HRGN RegionFromBitmapHandle(HBITMAP bitmap) {
    std::vector<uint32_t> pixels;
    int width = 0, height = 0;
    if (!ReadPixels(bitmap, &pixels, &width, &height)) return nullptr;
    const std::vector<PixelRun> runs = BlackRuns(pixels.data(), width, height);
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    RGNDATA *region = reinterpret_cast<RGNDATA *>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = DWORD(runs.size());
    region->rdh.nRgnSize = DWORD(runs.size() * sizeof(RECT));
    region->rdh.rcBound = RECT{0, 0, width, height};
    RECT *rects = reinterpret_cast<RECT *>(region->Buffer);
    for (size_t i = 0; i < runs.size(); ++i)
        rects[i] = RECT{runs[i].left, runs[i].y, runs[i].right, runs[i].y + 1};
    return ExtCreateRegion(nullptr, DWORD(data.size()), region);
}

HRGN RegionFromBitmap(HINSTANCE module, const wchar_t *name) {
    HBITMAP bitmap = LoadBitmapW(module, name);
    if (!bitmap) return nullptr;
    HRGN region = RegionFromBitmapHandle(bitmap);
    DeleteObject(bitmap);
    return region;
}
