// The calculator's keys and display: one two-operand operation at a time, in double
// precision, the result shown with three decimals. Builds natively.
#pragma once

// Control ids of the keys: the digits 1 to 9, then 0, the four operators, the point, C and =.
enum CalculatorKey : int {
    KeyDigitFirst = 400,  // "1"; 400..408 are "1".."9"
    KeyZero = 409,
    KeyAdd = 410,
    KeySubtract = 411,
    KeyMultiply = 412,
    KeyDivide = 413,
    KeyPoint = 414,
    KeyClear = 415,
    KeyEquals = 416,
};

enum CalculatorOperator : int { OpAdd = 0, OpSubtract = 1, OpMultiply = 2, OpDivide = 3 };

// Room for 31 characters and a terminator, in every text.
enum { kCalculatorTextChars = 32 };

struct CalculatorState {
    int operand;  // which operand the digits go into: 0 or 1
    char text[2][kCalculatorTextChars];
    int op;      // CalculatorOperator; stays across "=" and "C"
    int point;   // the current operand holds a point
    double result;
    char resultText[kCalculatorTextChars];
    wchar_t display[kCalculatorTextChars];  // what the display shows
};

// Everything empty, operand 0, operator add, the display "0".
void ResetCalculator(CalculatorState &calc);

// Applies one key. Returns true when the display text changed (read it from calc.display).
// A digit or point that would not fit is ignored; a result that is not a finite number or
// whose "%.3f" text would not fit shows the error text, and both operands start afresh.
bool PressCalculatorKey(CalculatorState &calc, int key);

// What the display shows for a result it cannot show.
extern const wchar_t kCalculatorErrorText[];
