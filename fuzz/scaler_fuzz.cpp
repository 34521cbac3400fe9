// Thumbnail scaling with any source and target sizes the settings can ask for.
#include "core/scaler.h"
#include "fuzz/fuzz_input.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const int w = in.Number<uint8_t>() % 70 - 2, h = in.Number<uint8_t>() % 70 - 2;
    const int W = ListImageSide(in.Number<int32_t>() % 200, 60);
    const int H = ListImageSide(in.Number<int32_t>() % 200, 40);
    const bool alpha = in.Number<uint8_t>() & 1;
    std::vector<uint32_t> source(w > 0 && h > 0 ? size_t(w) * h : 0);
    for (uint32_t &pixel : source) pixel = in.Number<uint32_t>();
    std::vector<uint32_t> target(size_t(W) * H);
    ScaleBilinear(source.empty() ? nullptr : source.data(), w, h, alpha, target.data(), W, H);
    return 0;
}
