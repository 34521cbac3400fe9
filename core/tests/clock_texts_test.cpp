#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/clock_texts.h"

namespace {

TEST(ClockTexts, ASundayMorningReadsInJapanese) {
    ClockTexts texts = {};
    FormatClockTexts(ClockTime{2010, 12, 0, 5, 9, 5, 3}, texts);
    EXPECT_EQ(std::wstring(texts.date), L"2010年12月05日");
    EXPECT_EQ(std::wstring(texts.time), L"09時05分03秒");
    EXPECT_EQ(std::wstring(texts.weekday), L"日曜日");
    FormatClockTexts(ClockTime{2026, 12, 6, 31, 23, 59, 59}, texts);
    EXPECT_EQ(std::wstring(texts.time), L"23時59分59秒");
    EXPECT_EQ(std::wstring(texts.weekday), L"土曜日");
    // A day of the week outside the table leaves the weekday as it was.
    FormatClockTexts(ClockTime{2026, 1, 7, 1, 0, 0, 0}, texts);
    EXPECT_EQ(std::wstring(texts.weekday), L"土曜日");
    EXPECT_EQ(std::wstring(texts.date), L"2026年01月01日");
}

TEST(ClockTexts, BlackPixelsMakeOneRunPerStretch) {
    const uint32_t B = 0xFF000000u, W = 0x00FFFFFFu, R = 0x00000001u;  // R: nearly black
    const std::vector<uint32_t> mask = {
        B, B, W, B,  // two runs
        W, W, W, W,  // none
        R, B, B, B,  // one run, from the first pure black
    };
    const std::vector<PixelRun> runs = BlackRuns(mask.data(), 4, 3);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].y, 0);
    EXPECT_EQ(runs[0].left, 0);
    EXPECT_EQ(runs[0].right, 2);
    EXPECT_EQ(runs[1].left, 3);
    EXPECT_EQ(runs[1].right, 4);
    EXPECT_EQ(runs[2].y, 2);
    EXPECT_EQ(runs[2].left, 1);
    EXPECT_EQ(runs[2].right, 4);

    const std::vector<uint32_t> allBlack(6, 0u), noBlack(6, W);
    ASSERT_EQ(BlackRuns(allBlack.data(), 3, 2).size(), 2u);
    EXPECT_EQ(BlackRuns(allBlack.data(), 3, 2)[1].right, 3);
    EXPECT_TRUE(BlackRuns(noBlack.data(), 3, 2).empty());
}

} // namespace
