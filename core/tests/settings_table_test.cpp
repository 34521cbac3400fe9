#include <gtest/gtest.h>

#include "core/reg_value.h"
#include "core/settings_table.h"

namespace {

std::vector<uint8_t> Utf16(const std::wstring &text, bool terminator) {
    std::vector<uint8_t> bytes;
    for (wchar_t c : text) {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t((c >> 8) & 0xFF));
    }
    if (terminator) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

TEST(StoredValues, OnlyAFourByteDwordIsBelieved) {
    const uint8_t four[] = {0x07, 0x01, 0x00, 0x80};
    const uint8_t eight[] = {1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(DecodeDword(kRegDword, four, 4), int32_t(0x80000107));
    EXPECT_FALSE(DecodeDword(kRegDword, eight, 8));
    EXPECT_FALSE(DecodeDword(kRegDword, four, 3));
    EXPECT_FALSE(DecodeDword(kRegSz, four, 4));
    EXPECT_FALSE(DecodeDword(kRegDword, nullptr, 4));
}

TEST(StoredValues, TextIsTerminatedByTheProgramNotTrustedFromTheStore) {
    struct Case {
        const char *what;
        uint32_t type;
        std::vector<uint8_t> bytes;
        size_t capacity;
        bool accepted;
        std::wstring text;
    };
    std::vector<uint8_t> odd = Utf16(L"ab", true);
    odd.push_back(0x41);
    std::vector<uint8_t> padded = Utf16(L"アニメ", true);
    padded.resize(520, 0);
    const Case cases[] = {
        {"with terminator", kRegSz, Utf16(L"ドラマ", true), 260, true, L"ドラマ"},
        {"without terminator", kRegSz, Utf16(L"ドラマ", false), 260, true, L"ドラマ"},
        {"zero padded slot", kRegSz, padded, 260, true, L"アニメ"},
        {"empty", kRegSz, {}, 260, true, L""},
        {"odd size", kRegSz, odd, 260, false, L""},
        {"wrong type", kRegDword, Utf16(L"x", true), 260, false, L""},
        {"exactly fills the buffer", kRegSz, Utf16(std::wstring(259, L'a'), false), 260, true,
         std::wstring(259, L'a')},
        {"one too long for the buffer", kRegSz, Utf16(std::wstring(260, L'a'), false), 260, false,
         L""},
    };
    for (const Case &c : cases) {
        const auto text = DecodeText(c.type, c.bytes.data(), c.bytes.size(), c.capacity);
        EXPECT_EQ(bool(text), c.accepted) << c.what;
        if (text && c.accepted) {
            EXPECT_EQ(*text, c.text) << c.what;
        }
    }
}

TEST(StoredValues, CopyIntoAFixedBufferCutsAndTerminates) {
    wchar_t buffer[4] = {L'x', L'x', L'x', L'x'};
    CopyTerminated(buffer, 4, L"abcdef");
    EXPECT_EQ(std::wstring(buffer), L"abc");
}

TEST(SettingsTable, SkinOutsideTheThreeIsDrawnAsTheFirst) {
    const int32_t stored[] = {-1, 0, 1, 2, 3, 7, INT32_MIN, INT32_MAX};
    const int expected[] = {0, 0, 1, 2, 0, 0, 0, 0};
    for (size_t i = 0; i < sizeof stored / sizeof stored[0]; ++i)
        EXPECT_EQ(EffectiveSkin(stored[i]), expected[i]) << stored[i];
}

}  // namespace
