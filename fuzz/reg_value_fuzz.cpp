// Values read back from the registry: any type, any size, any bytes.
#include "core/reg_value.h"
#include "fuzz/fuzz_input.h"

#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    const uint32_t type = in.Number<uint8_t>() % 8;
    const size_t capacity = 1 + in.Number<uint16_t>() % 1100;
    size_t bytes = 0;
    const uint8_t *rest = in.Rest(&bytes);
    std::vector<uint8_t> value(rest, rest + bytes);  // exactly sized
    DecodeDword(type, value.data(), value.size());
    if (auto text = DecodeText(type, value.data(), value.size(), capacity)) {
        if (text->size() >= capacity) __builtin_trap();
        std::vector<wchar_t> dest(capacity);
        CopyTerminated(dest.data(), dest.size(), *text);
    }
    return 0;
}
