// Checks on raw registry data before the program believes it.
// A stored value can have been written by anything (another program, a restore, a hand
// edit), so its type, its size and its terminator are all checked here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Registry type codes, as the platform numbers them.
enum : uint32_t { kRegSz = 1, kRegExpandSz = 2, kRegDword = 4 };

// A REG_DWORD of exactly four bytes, little-endian; anything else is refused.
std::optional<int32_t> DecodeDword(uint32_t type, const uint8_t *data, size_t size);

// A string value of `size` bytes. Accepted when it is REG_SZ, has a whole number of UTF-16
// units, and its text (up to the first NUL, or all of it when there is none) fits in
// `capacity` units with a terminator. The text is returned without the terminator.
std::optional<std::wstring> DecodeText(uint32_t type, const uint8_t *data, size_t size,
                                       size_t capacity);

// Copies text into a fixed buffer of `capacity` units, cut to capacity - 1 and terminated.
void CopyTerminated(wchar_t *dest, size_t capacity, const std::wstring &text);
