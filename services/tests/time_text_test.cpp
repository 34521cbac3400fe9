// The time text against the platform's own time-interval formatter, which answers in English
// here: the same digits and rounding must come out with the Japanese unit words a user reads.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "core/time_text.h"

namespace {

std::wstring PlatformTextInJapanese(DWORD ms, int digits) {
    wchar_t buffer[128] = L"";
    StrFromTimeIntervalW(buffer, 128, ms, digits);
    std::wstring text = buffer;
    const std::pair<const wchar_t *, const wchar_t *> units[] = {
        {L" hr", L" 時間"}, {L" min", L" 分"}, {L" sec", L" 秒"}};
    for (const auto &u : units)
        for (size_t at = text.find(u.first); at != std::wstring::npos; at = text.find(u.first, at))
            text.replace(at, wcslen(u.first), u.second);
    return text;
}

TEST(TimeText, DigitsAndRoundingMatchThePlatformFormatter) {
    std::vector<DWORD> values = {
        0,         1,         499,         500,       999,         1000,     1499,
        1500,      9499,      9500,        59499,     59500,       60000,    61000,
        83000,     599499,    599500,      600000,    3599499,     3599500,  3600000,
        3601000,   3660000,   3723000,     35999499,  35999500,    36000000, 359999499,
        359999500, 360000000, 3600000000u, 123456789, 4294966795u,
    };
    // And a spread of lengths from seconds to days.
    uint32_t seed = 12345;
    for (int i = 0; i < 3000; ++i) {
        seed = seed * 1103515245u + 12345u;
        values.push_back(seed % (i % 2 ? 4000000u : 400000000u));
    }
    for (DWORD ms : values)
        for (int digits : {int(kTimeTextDigits), 1, 3, 7, 0})
            ASSERT_EQ(TimeIntervalText(ms, digits), PlatformTextInJapanese(ms, digits))
                << ms << " ms, " << digits << " digits";
    // The longest count rounds up without wrapping to zero.
    EXPECT_EQ(TimeIntervalText(4294967295u), L" 1193 時間 2 分");
}

} // namespace
