// Stored values and the names they are stored under.
#include <gtest/gtest.h>

#include "core/reg_value.h"
#include "core/settings_table.h"
#include "core/stock_names.h"

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

TEST(StockNames, NoGenreOutsideTheTwentyTwoHasAName) {
    for (int genre : {-1, 22, 1000}) {
        EXPECT_EQ(StockValueName(genre, 0), L"") << genre;
        EXPECT_EQ(ThumbnailPath(genre, 0), L"") << genre;
    }
    EXPECT_EQ(StockValueName(0, -1), L"");
}

TEST(StockNames, ClearingSweepsExactlyTheNamesThePatternsProduce) {
    struct Case { const wchar_t *name; bool swept; };
    // The clearing test sweeps the names the program makes, in every genre up to index 19999,
    // and keeps "No[20000]", "No[01]" and "23No[1]" on the real disk.
    const Case cases[] = {
        {L"22No[4].bmp", true}, {L"2No[3].bmp", true}, {L"no[1].BMP", true}, {L"NO[2].Bmp", true},
        {L"No[-1].bmp", false}, {L"No[].bmp", false}, {L"No[1a].bmp", false}, {L"23No[1].bmp", false},
        {L"1No[1].bmp", false}, {L"02No[1].bmp", false}, {L"No[1].bmp.txt", false}, {L"xNo[1].bmp", false},
        {L"No[1]bmp", false}, {L"No[1].bm", false}, {L"Stock1", false}, {L"", false},
        {L"No[123456].bmp", false},
    };
    for (const Case &c : cases) EXPECT_EQ(IsSweptThumbnailName(c.name), c.swept) << c.name;
}

}  // namespace
