// Window shapes cut from a bitmap: its pure black pixels are inside.
#pragma once

#include <windows.h>

// The region of the black pixels of the bitmap resource `name` of `module`, built from one
// rectangle per run of black pixels in a single region call; null when the bitmap is missing
// or cannot be read. The caller owns the region.
HRGN RegionFromBitmap(HINSTANCE module, const wchar_t *name);

// The same region for a bitmap the caller holds.
HRGN RegionFromBitmapHandle(HBITMAP bitmap);
