#include <gtest/gtest.h>

#include "core/web_address.h"

namespace {

TEST(WebAddress, OnlyHttpAndHttpsAddressesWithoutControlsOrBlanksAreOpened) {
    const wchar_t *opened[] = {
        L"https://www.example.jp/mirelo/",
        L"http://example.com",
        L"HTTPS://EXAMPLE.COM/a?b=c&d=%20e",
        L"hTtP://例え.jp/ページ",
        L"http://x",
    };
    for (const wchar_t *a : opened)
        EXPECT_TRUE(IsWebAddress(a)) << a;

    const wchar_t *refused[] = {
        L"",
        L"C:\\Windows\\System32\\calc.exe",
        L"calc.exe",
        L"file:///C:/Windows/System32/calc.exe",
        L"\\\\server\\share\\run.exe",
        L"javascript:alert(1)",
        L"ftp://example.com/",
        L"http:/example.com",
        L"http://",
        L"https://",
        L"http",
        L" http://example.com", // the scheme must come first
        L"http://example.com\r\nrun.exe",
        L"http://example.com\tx",
        L"http://example.com\x7F",
        L"http://example.com\x85",
        L"http://example.com --new-window file:///C:/x",
        L"http://example.com\"-arg",
        L"http://example.com\x3000x",
        L"httpx://example.com",
    };
    for (const wchar_t *a : refused)
        EXPECT_FALSE(IsWebAddress(a)) << a;
    EXPECT_FALSE(IsWebAddress(nullptr));
}

} // namespace
