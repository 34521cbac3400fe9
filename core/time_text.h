// The time text of lengths and positions: a millisecond count spelled in hours, minutes and
// seconds with Japanese units, " 1 時間 2 分 3 秒". Builds natively.
#pragma once

#include <cstdint>
#include <string>

// The program shows times with five significant digits.
enum { kTimeTextDigits = 5 };

// Rounds to the nearest second, then writes each non-zero unit among hours and minutes and
// always the seconds, each as " <number> <unit>", until `digits` significant digits are used:
// a number that needs more keeps its leading digits and zeros for the rest, and the units
// after it are left out. Zero milliseconds is " 0 秒"; `digits` 0 gives the empty text and a
// negative `digits` sets no limit, as the platform's time-interval formatter does.
std::wstring TimeIntervalText(uint32_t milliseconds, int digits = kTimeTextDigits);
