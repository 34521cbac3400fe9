// Any sequence of calculator keys, valid ids or not: the texts stay terminated and within
// their buffers, and the display always shows something.
#include "core/calculator.h"
#include "fuzz/fuzz_input.h"

#include <cwchar>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    CalculatorState calc;
    ResetCalculator(calc);
    while (in.Left() > 0) {
        const uint8_t byte = in.Number<uint8_t>();
        PressCalculatorKey(calc, byte < 240 ? KeyDigitFirst + byte % 17 : byte);
        if (wcsnlen(calc.display, kCalculatorTextChars) == kCalculatorTextChars ||
            strnlen(calc.text[0], kCalculatorTextChars) == kCalculatorTextChars ||
            strnlen(calc.text[1], kCalculatorTextChars) == kCalculatorTextChars)
            __builtin_trap();  // a text ran to the end of its buffer unterminated
    }
    return 0;
}
