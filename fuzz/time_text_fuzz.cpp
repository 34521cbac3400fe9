// Position and length texts for any millisecond count and digit count.
#include "core/time_text.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const uint32_t ms = in.Number<uint32_t>();
    const int digits = in.Number<int8_t>();
    if (TimeIntervalText(ms, digits).size() > 64) __builtin_trap();
    return 0;
}
