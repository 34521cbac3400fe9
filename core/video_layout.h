// Where the video display window goes inside the playback window. Builds natively.
#pragma once

struct VideoRect {
    int x, y, width, height;  // width and height are never negative
};

// The video area above the stock band, inset by 8 pixels, or the whole client area in full
// size. A minimised or tiny window gives an empty rectangle, never a negative size.
VideoRect VideoPlacement(int clientWidth, int clientHeight, int stockBandHeight, bool fullSize);
