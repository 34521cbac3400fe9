#include <gtest/gtest.h>

#include "core/time_text.h"

namespace {

// The digit and rounding rules are checked against the platform's own formatter under Wine
// (win_time_text_test.cpp); these are the texts a user reads.
TEST(TimeText, LengthsReadInJapaneseUnits) {
    struct Case {
        uint32_t ms;
        const wchar_t *text;
    };
    const Case cases[] = {
        {0, L" 0 秒"},
        {499, L" 0 秒"},
        {500, L" 1 秒"},
        {83000, L" 1 分 23 秒"},
        {59500, L" 1 分 0 秒"},
        {3600000, L" 1 時間 0 秒"},
        {3723000, L" 1 時間 2 分 3 秒"},
        {123456789, L" 34 時間 17 分 30 秒"}, // five digits: 34, 17, then 3 of 37
        {360000000, L" 100 時間 0 秒"},
        // The longest count rounds up without wrapping to zero.
        {4294967295u, L" 1193 時間 2 分"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(TimeIntervalText(c.ms), c.text) << c.ms;
}

} // namespace
