#include "core/video_layout.h"

namespace {
int NotNegative(int n) { return n > 0 ? n : 0; }
}  // namespace

VideoRect VideoPlacement(int clientWidth, int clientHeight, int stockBandHeight, bool fullSize) {
    if (fullSize) return VideoRect{0, 0, NotNegative(clientWidth), NotNegative(clientHeight)};
    enum { kInset = 8 };
    return VideoRect{kInset, kInset, NotNegative(clientWidth - 2 * kInset),
                     NotNegative(clientHeight - stockBandHeight - 2 * kInset)};
}
