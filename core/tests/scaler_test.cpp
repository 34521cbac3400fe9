#include <gtest/gtest.h>

#include <vector>

#include "core/scaler.h"

namespace {

uint32_t Blue(uint32_t pixel) { return pixel & 0xFF; }
uint32_t Alpha(uint32_t pixel) { return pixel >> 24; }

TEST(Scaler, SameSizeReproducesEveryPixelExactly) {
    std::vector<uint32_t> source(60 * 40);
    for (size_t i = 0; i < source.size(); ++i) source[i] = uint32_t(i * 2654435761u);
    std::vector<uint32_t> target(60 * 40, 0);
    ASSERT_TRUE(ScaleBilinear(source.data(), 60, 40, true, target.data(), 60, 40));
    EXPECT_EQ(target, source);
}

TEST(Scaler, WideningBlendsNeighboursInFixedPoint) {
    const uint32_t source[] = {0xFF000000u, 0x000000FFu}; // blue 0, blue 255
    struct Case { bool alpha; std::vector<uint32_t> blue, alphas; };
    const Case cases[] = {
        // Without a source alpha channel every alpha is 255.
        {false, {0, 127, 255, 255}, {255, 255, 255, 255}},
        {true, {0, 127, 255, 255}, {255, 127, 0, 0}},
    };
    for (const Case &c : cases) {
        uint32_t target[4] = {};
        ASSERT_TRUE(ScaleBilinear(source, 2, 1, c.alpha, target, 4, 1));
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(Blue(target[x]), c.blue[x]) << "x " << x;
            EXPECT_EQ(Alpha(target[x]), c.alphas[x]) << "x " << x;
        }
    }
}

TEST(Scaler, ShrinkingSamplesWithinTheSource) {
    // 3 x 3 to 2 x 2: steps of 384, so the second sample sits halfway between pixels 1 and 2.
    std::vector<uint32_t> source(9);
    for (int i = 0; i < 9; ++i) source[size_t(i)] = uint32_t(i * 20);
    uint32_t target[4] = {};
    ASSERT_TRUE(ScaleBilinear(source.data(), 3, 3, false, target, 2, 2));
    EXPECT_EQ(Blue(target[0]), 0u);
    EXPECT_EQ(Blue(target[1]), 30u);  // between 20 and 40
    EXPECT_EQ(Blue(target[2]), 90u);  // between rows 1 and 2 of column 0: 60 and 120
    EXPECT_EQ(Blue(target[3]), 120u); // the middle of 80, 100, 140 and 160
}

TEST(Scaler, RefusesSizesThatAreNotPositiveOrTooLarge) {
    const uint32_t pixel = 0x12345678;
    uint32_t target[4] = {7, 7, 7, 7};
    const int bad[][4] = {{0, 1, 2, 2}, {1, -1, 2, 2}, {1, 1, 0, 2}, {1, 1, 2, -4},
                          {kMaxScaledSide + 1, 1, 2, 2}, {1, 1, 2, kMaxScaledSide + 1}};
    for (const auto &b : bad)
        EXPECT_FALSE(ScaleBilinear(&pixel, b[0], b[1], false, target, b[2], b[3]));
    EXPECT_FALSE(ScaleBilinear(nullptr, 1, 1, false, target, 2, 2));
    EXPECT_EQ(target[0], 7u);
}

} // namespace
