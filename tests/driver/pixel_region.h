// The reference the program's window shapes are checked and measured against.
#pragma once

#include <windows.h>

// The region of the bitmap's pure black pixels built the slow way, one region operation per
// pixel that is not black. The caller owns the region; null when the bitmap cannot be read.
HRGN RegionFromBitmapPixelByPixel(HBITMAP bitmap);
