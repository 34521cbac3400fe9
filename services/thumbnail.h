// Thumbnails: the picture grabbed from a media file when its entry is appended, the BMP file
// it is written to, and the scaling of a thumbnail to the list's image size.
#pragma once

#include <windows.h>

#include <cstddef>

// Writes a packed picture (40-byte header followed by its pixels, `bytes` in all) as a BMP
// file. A picture whose header the writer refuses writes nothing; a file that cannot be
// created is reported in a message box. 1 on success, 0 on failure.
int WriteBmpFile(const wchar_t *path, const void *picture, size_t bytes);

// Writes the thumbnail of a media file to bitmapPath, when capture is on: frame `Capture` of
// an AVI file (frame 0, with `Capture` reset to 0 for good, when the file has no such frame),
// or the first frame of any other media that has a picture. Otherwise nothing is written.
void GrabThumbnail(const wchar_t *mediaPath, const wchar_t *bitmapPath);

// A new 32-bit bottom-up bitmap of width x height, scaled from `bitmap` bilinearly; null when
// the bitmap cannot be read or a size is out of range.
HBITMAP ScaleBitmap(HBITMAP bitmap, int width, int height);
