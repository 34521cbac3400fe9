#include "core/time_text.h"

namespace {

const wchar_t *const kUnitHours = L"時間";
const wchar_t *const kUnitMinutes = L"分";
const wchar_t *const kUnitSeconds = L"秒";

// Appends " <number> <unit>" with at most *digitsLeft significant digits.
void AppendUnit(std::wstring &text, uint64_t number, const wchar_t *unit, int *digitsLeft) {
    std::wstring digits = std::to_wstring(number);
    if (*digitsLeft >= 0) {
        if (digits.size() > size_t(*digitsLeft)) {
            for (size_t i = size_t(*digitsLeft); i < digits.size(); ++i)
                digits[i] = L'0';
            *digitsLeft = 0;
        } else {
            *digitsLeft -= int(digits.size());
        }
    }
    text += L" " + digits + L" " + unit;
}

} // namespace

std::wstring TimeIntervalText(uint32_t milliseconds, int digits) {
    std::wstring text;
    if (digits == 0) return text;
    // Counted in 64 bits, so the longest lengths round up instead of wrapping to zero.
    const uint64_t seconds = (uint64_t(milliseconds) + 500) / 1000;
    const uint64_t hours = seconds / 3600, minutes = seconds / 60 % 60;
    int left = digits < 0 ? -1 : digits;
    if (hours) AppendUnit(text, hours, kUnitHours, &left);
    if (minutes && left != 0) AppendUnit(text, minutes, kUnitMinutes, &left);
    if (left != 0) AppendUnit(text, seconds % 60, kUnitSeconds, &left);
    return text;
}
