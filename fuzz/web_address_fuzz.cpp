// Whatever the home-page address holds: only a plain http or https address is ever opened.
#include "core/web_address.h"
#include "fuzz/fuzz_input.h"

#include <cwchar>
#include <cwctype>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FuzzInput in(data, size);
    std::wstring text = in.Units();
    if (!IsWebAddress(text.c_str())) return 0;
    text.resize(wcslen(text.c_str()));  // the program reads the address up to its terminator
    const bool https = text.size() > 8 && towlower(text[4]) == L's';
    if (text.size() < (https ? 9u : 8u)) __builtin_trap();
    for (wchar_t c : text)
        if (c < 0x21 || c == 0x7f || c == L'"' || c == 0x3000) __builtin_trap();
    return 0;
}
