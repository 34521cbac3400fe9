#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/calculator.h"
#include "core/clock_texts.h"

namespace {

// Keys as they are written on the face.
int KeyOf(char c) {
    const std::string face = "0+-x/.C=";
    const int keys[] = {KeyZero, KeyAdd, KeySubtract, KeyMultiply, KeyDivide, KeyPoint, KeyClear, KeyEquals};
    return face.find(c) == std::string::npos ? KeyDigitFirst + (c - '1') : keys[face.find(c)];
}

std::wstring Display(CalculatorState &calc, const std::string &keys) {
    for (char c : keys) PressCalculatorKey(calc, KeyOf(c));
    return calc.display;
}

TEST(Calculator, KeySequencesShowTheirDisplays) {
    struct Case { const char *keys; const wchar_t *display; };
    const std::string big = std::string(31, '9') + "x" + std::string(31, '9') + "=";
    const Case cases[] = {
        {"12+3=", L"15.000"}, {"12.5x4=", L"50.000"}, {"7/2=", L"3.500"}, {"1.5x2=", L"3.000"},
        {"5+=", L"5.000"},           // an empty second operand counts as 0
        {"2+3x4=", L"68.000"},       // the later operator replaces the earlier
        {"2+3=x4=", L"0.000"},       // the result is not carried on
        {"10000+1=2+2=", L"4.000"},  // a new calculation starts from nothing
        {"1.5=.5", L".5"},           // after "=", a point is accepted again
        {"1..5", L"1.5"}, {"3-8=", L"-5.000"}, {"12+3C", L"0"},
        {"12+3C4=", L"4.000"},       // "C" empties both operands, the operator stays
        {"5/0=", L"エラー"}, {"5/=", L"エラー"}, {"0/0=", L"エラー"},  // division by zero
        {"5/0=7", L"7"},             // the next key starts afresh
        {big.c_str(), L"エラー"},     // "%.3f" of 1e62 does not fit in 31 characters
    };
    for (const Case &c : cases) {
        CalculatorState calc;
        ResetCalculator(calc);
        EXPECT_EQ(Display(calc, c.keys), c.display) << c.keys;
    }
}

TEST(Calculator, KeysBeyondThirtyOneCharactersAreIgnored) {
    CalculatorState calc;
    ResetCalculator(calc);
    EXPECT_EQ(Display(calc, std::string(31, '1')), std::wstring(31, L'1'));
    EXPECT_FALSE(PressCalculatorKey(calc, KeyOf('2')));
    EXPECT_FALSE(PressCalculatorKey(calc, KeyPoint));
    EXPECT_EQ(std::wstring(calc.display), std::wstring(31, L'1'));
    // The point that did not fit was not counted: the second operand takes one.
    EXPECT_EQ(Display(calc, "+1.5"), L"1.5");
    EXPECT_EQ(Display(calc, "C99.4999+0="), L"99.500");
}

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
    const std::vector<uint32_t> mask = {B, B, W, B, /**/ W, W, W, W, /**/ R, B, B, B};
    std::vector<std::array<int, 3>> runs;  // y, left, right
    for (const PixelRun &r : BlackRuns(mask.data(), 4, 3)) runs.push_back({r.y, r.left, r.right});
    EXPECT_EQ(runs, (std::vector<std::array<int, 3>>{{0, 0, 2}, {0, 3, 4}, {2, 1, 4}}));
}

}  // namespace
