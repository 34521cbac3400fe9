#include "core/web_address.h"

#include <cwctype>

namespace {

// Length of the scheme prefix text starts with ("http://" or "https://", any case), or 0.
int SchemeLength(const wchar_t *text) {
    static const wchar_t *const kSchemes[] = {L"http://", L"https://"};
    for (const wchar_t *scheme : kSchemes) {
        int i = 0;
        while (scheme[i] && wchar_t(std::towlower(text[i])) == scheme[i])
            ++i;
        if (!scheme[i]) return i;
    }
    return 0;
}

bool Unsafe(wchar_t c) {
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == L' ' || c == L'"' ||
           c == 0x3000; // the ideographic space a Japanese keyboard types
}

} // namespace

bool IsWebAddress(const wchar_t *text) {
    if (!text) return false;
    const int scheme = SchemeLength(text);
    if (scheme == 0 || !text[scheme]) return false;
    for (const wchar_t *p = text; *p; ++p)
        if (Unsafe(*p)) return false;
    return true;
}
