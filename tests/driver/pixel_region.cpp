#include "tests/driver/pixel_region.h"

HRGN RegionFromBitmapPixelByPixel(HBITMAP bitmap) {
    BITMAP bm = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return nullptr;
    HRGN region = CreateRectRgn(0, 0, bm.bmWidth, bm.bmHeight);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(mem, bitmap);
    HRGN pixel = CreateRectRgn(0, 0, 0, 0);
    for (int y = 0; y < bm.bmHeight; ++y)
        for (int x = 0; x < bm.bmWidth; ++x) {
            if ((GetPixel(mem, x, y) & 0x00FFFFFF) == 0) continue;
            SetRectRgn(pixel, x, y, x + 1, y + 1);
            CombineRgn(region, region, pixel, RGN_DIFF);
        }
    DeleteObject(pixel);
    SelectObject(mem, old);
    DeleteDC(mem);
    return region;
}
