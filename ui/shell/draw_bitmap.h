// Draws a bitmap at the top left of a device context; nothing for a null bitmap.
#pragma once

#include <windows.h>

// The bitmap's first width x height pixels, combined with what is there by rop.
void DrawBitmap(HDC dc, HBITMAP bitmap, int width, int height, DWORD rop = SRCCOPY);

// The whole bitmap, at its own size.
void DrawBitmap(HDC dc, HBITMAP bitmap, DWORD rop = SRCCOPY);
