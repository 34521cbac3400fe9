#include <gtest/gtest.h>

#include "core/stock_names.h"

namespace {

TEST(StockNames, NoGenreOutsideTheTwentyTwoHasAName) {
    for (int genre : {-1, 22, 1000}) {
        EXPECT_EQ(StockValueName(genre, 0), L"") << genre;
        EXPECT_EQ(ThumbnailPath(genre, 0), L"") << genre;
    }
    EXPECT_EQ(StockValueName(0, -1), L"");
}

TEST(StockNames, ClearingSweepsExactlyTheNamesThePatternsProduce) {
    struct Case {
        const wchar_t *name;
        bool swept;
    };
    // The names the program makes are tried below, and the clearing tests keep "No[20000]",
    // "No[01]" and "23No[1]" on the real disk.
    const Case cases[] = {
        {L"22No[4].bmp", true},     {L"2No[3].bmp", true},
        {L"no[1].BMP", true},       {L"NO[2].Bmp", true},
        {L"No[-1].bmp", false},     {L"No[].bmp", false},
        {L"No[1a].bmp", false},     {L"23No[1].bmp", false},
        {L"1No[1].bmp", false},     {L"02No[1].bmp", false},
        {L"No[1].bmp.txt", false},  {L"xNo[1].bmp", false},
        {L"No[1]bmp", false},       {L"No[1].bm", false},
        {L"Stock1", false},         {L"", false},
        {L"No[123456].bmp", false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(IsSweptThumbnailName(c.name), c.swept) << c.name;
    for (int g = 0; g < kGenreCount; ++g)
        for (int i : {0, 4, 9999, 19999})
            EXPECT_TRUE(IsSweptThumbnailName(ThumbnailFileName(g, i)));
}

} // namespace
