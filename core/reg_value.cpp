#include "core/reg_value.h"

std::optional<int32_t> DecodeDword(uint32_t type, const uint8_t *data, size_t size) {
    if (type != kRegDword || size != 4 || data == nullptr) return std::nullopt;
    const uint32_t v = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                       uint32_t(data[3]) << 24;
    return int32_t(v);
}

std::optional<std::wstring> DecodeText(uint32_t type, const uint8_t *data, size_t size,
                                       size_t capacity) {
    if (type != kRegSz || size % 2 != 0 || (size > 0 && data == nullptr) || capacity == 0)
        return std::nullopt;
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) {
        const wchar_t unit = wchar_t(data[i] | data[i + 1] << 8);
        if (unit == 0) break;
        text.push_back(unit);
    }
    if (text.size() > capacity - 1) return std::nullopt;
    return text;
}

void CopyTerminated(wchar_t *dest, size_t capacity, const std::wstring &text) {
    if (capacity == 0) return;
    const size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    for (size_t i = 0; i < n; ++i) dest[i] = text[i];
    dest[n] = 0;
}
