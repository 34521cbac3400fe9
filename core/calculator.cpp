#include "core/calculator.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

const wchar_t kCalculatorErrorText[] = L"エラー";

namespace {

// The texts hold only ASCII digits, points, signs and letters of the C formatter.
void Widen(const char *text, wchar_t *out) {
    int i = 0;
    for (; text[i] && i < kCalculatorTextChars - 1; ++i) out[i] = wchar_t(text[i]);
    out[i] = L'\0';
}

void SetDisplay(CalculatorState &calc, const wchar_t *text) {
    std::wcsncpy(calc.display, text, kCalculatorTextChars - 1);
    calc.display[kCalculatorTextChars - 1] = L'\0';
}

bool Append(CalculatorState &calc, char c) {
    char *text = calc.text[calc.operand];
    const size_t length = std::strlen(text);
    if (length >= kCalculatorTextChars - 1) return false;  // full: the key is ignored
    text[length] = c;
    text[length + 1] = '\0';
    Widen(text, calc.display);
    return true;
}

void EmptyOperands(CalculatorState &calc) {
    calc.text[0][0] = calc.text[1][0] = '\0';
    calc.operand = 0;
    calc.point = 0;
}

double Compute(int op, double a, double b) {
    switch (op) {
    case OpSubtract: return a - b;
    case OpMultiply: return a * b;
    case OpDivide: return a / b;
    default: return a + b;
    }
}

void Equals(CalculatorState &calc) {
    const double a = std::strtod(calc.text[0], nullptr);
    const double b = std::strtod(calc.text[1], nullptr);
    calc.result = (calc.op == OpDivide && b == 0) ? NAN : Compute(calc.op, a, b);
    const int written = std::isfinite(calc.result)
                            ? std::snprintf(calc.resultText, kCalculatorTextChars, "%.3f",
                                            calc.result)
                            : -1;
    if (written < 0 || written >= kCalculatorTextChars) {
        calc.resultText[0] = '\0';
        SetDisplay(calc, kCalculatorErrorText);
    } else {
        Widen(calc.resultText, calc.display);
    }
    EmptyOperands(calc);
}

} // namespace

void ResetCalculator(CalculatorState &calc) {
    calc = CalculatorState();
    SetDisplay(calc, L"0");
}

bool PressCalculatorKey(CalculatorState &calc, int key) {
    if (key >= KeyDigitFirst && key <= KeyZero)
        return Append(calc, key == KeyZero ? '0' : char('1' + key - KeyDigitFirst));
    switch (key) {
    case KeyPoint:
        if (calc.point || !Append(calc, '.')) return false;
        calc.point = 1;
        return true;
    case KeyAdd:
    case KeySubtract:
    case KeyMultiply:
    case KeyDivide:
        calc.operand = 1;
        calc.op = key - KeyAdd;
        calc.point = 0;
        return false;
    case KeyClear:
        EmptyOperands(calc);
        calc.resultText[0] = '\0';
        SetDisplay(calc, L"0");
        return true;
    case KeyEquals:
        Equals(calc);
        return true;
    default:
        return false;
    }
}
