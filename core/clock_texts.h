// The desk clock's three texts for a moment of local time, and the shape of a window cut
// from a mask picture. Builds natively.
#pragma once

#include <cstdint>
#include <vector>

struct ClockTime {
    int year, month, dayOfWeek, day;  // dayOfWeek 0 = Sunday
    int hour, minute, second;
};

enum { kClockTextChars = 32 };

struct ClockTexts {
    wchar_t time[kClockTextChars];     // "09時05分03秒"
    wchar_t date[kClockTextChars];     // "2010年12月05日"
    wchar_t weekday[kClockTextChars];  // "日曜日"
};

// Formats the time and date texts; the weekday text is left as it was for a day of the week
// outside 0..6.
void FormatClockTexts(const ClockTime &now, ClockTexts &texts);

// One horizontal run of black pixels: row y, columns [left, right).
struct PixelRun {
    int y, left, right;
};

// The runs of pure black pixels of a picture given as top-down rows of 32-bit pixels
// (blue, green, red, unused), row after row. Each run becomes one rectangle of the shape.
std::vector<PixelRun> BlackRuns(const uint32_t *pixels, int width, int height);
