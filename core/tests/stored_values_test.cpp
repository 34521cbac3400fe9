#include <gtest/gtest.h>

#include "core/reg_value.h"
#include "core/settings_table.h"

namespace {

// Values of every wrong size, type and length are loaded from the real registry by the
// settings tests, and the fuzz corpus runs these readers under the sanitizers; here what
// those cannot show.
TEST(StoredValues, ASignedDwordAndAnEmptyTextAreBelieved) {
    const uint8_t four[] = {0x07, 0x01, 0x00, 0x80};
    EXPECT_EQ(DecodeDword(kRegDword, four, 4), int32_t(0x80000107));
    EXPECT_FALSE(DecodeDword(kRegDword, nullptr, 4));
    const auto empty = DecodeText(kRegSz, nullptr, 0, 260);
    ASSERT_TRUE(empty);
    EXPECT_EQ(*empty, L"");
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
