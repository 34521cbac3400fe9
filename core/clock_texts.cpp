#include "core/clock_texts.h"

#include <cwchar>

namespace {

const wchar_t *const kWeekdays[7] = {L"日曜日", L"月曜日", L"火曜日", L"水曜日",
                                     L"木曜日", L"金曜日", L"土曜日"};

bool Black(uint32_t pixel) {
    return (pixel & 0x00FFFFFFu) == 0;
}

} // namespace

void FormatClockTexts(const ClockTime &now, ClockTexts &texts) {
    std::swprintf(texts.time, kClockTextChars, L"%02d時%02d分%02d秒", now.hour, now.minute,
                  now.second);
    std::swprintf(texts.date, kClockTextChars, L"%02d年%02d月%02d日", now.year, now.month,
                  now.day);
    if (now.dayOfWeek >= 0 && now.dayOfWeek < 7) {
        std::wcsncpy(texts.weekday, kWeekdays[now.dayOfWeek], kClockTextChars - 1);
        texts.weekday[kClockTextChars - 1] = L'\0';
    }
}

std::vector<PixelRun> BlackRuns(const uint32_t *pixels, int width, int height) {
    std::vector<PixelRun> runs;
    if (!pixels || width <= 0 || height <= 0) return runs;
    for (int y = 0; y < height; ++y) {
        const uint32_t *row = pixels + size_t(y) * size_t(width);
        for (int x = 0; x < width;) {
            if (!Black(row[x])) {
                ++x;
                continue;
            }
            const int left = x;
            while (x < width && Black(row[x])) ++x;
            runs.push_back(PixelRun{y, left, x});
        }
    }
    return runs;
}
