#include "ui/shell/draw_bitmap.h"

void DrawBitmap(HDC dc, HBITMAP bitmap, int width, int height, DWORD rop) {
    if (!bitmap) return;
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(dc, 0, 0, width, height, mem, 0, 0, rop);
    SelectObject(mem, old);
    DeleteDC(mem);
}

void DrawBitmap(HDC dc, HBITMAP bitmap, DWORD rop) {
    BITMAP bm = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm)) return;
    DrawBitmap(dc, bitmap, bm.bmWidth, bm.bmHeight, rop);
}
