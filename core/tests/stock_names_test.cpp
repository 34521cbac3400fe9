#include <gtest/gtest.h>

#include "stock/stock_names.h"

namespace {

TEST(StockNames, EachGenreHasItsValueAndThumbnailName) {
    struct Case {
        int genre, index;
        const wchar_t *value, *thumbnail;
    };
    const Case cases[] = {
        {0, 3, L"Stock3", L"No[3].bmp"},        {21, 0, L"22Stock0", L"22No[0].bmp"},
        {4, 2, L"5Stock2", L"5No[2].bmp"},      {1, 19999, L"2Stock19999", L"2No[19999].bmp"},
        {9, 10, L"10Stock10", L"10No[10].bmp"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(StockValueName(c.genre, c.index), c.value);
        EXPECT_EQ(ThumbnailFileName(c.genre, c.index), c.thumbnail);
    }
    EXPECT_EQ(ThumbnailPath(4, 2),
              L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\Cap\\5No[2].bmp");
    // Every genre g from 1 on puts g + 1 in front of both patterns.
    for (int g = 1; g < kGenreCount; ++g) {
        const std::wstring n = std::to_wstring(g + 1);
        EXPECT_EQ(StockValueName(g, 7), n + L"Stock7");
        EXPECT_EQ(ThumbnailFileName(g, 7), n + L"No[7].bmp");
    }
}

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
    const Case cases[] = {
        {L"No[0].bmp", true},       {L"No[19999].bmp", true},
        {L"22No[4].bmp", true},     {L"2No[3].bmp", true},
        {L"no[1].BMP", true},       {L"NO[2].Bmp", true},
        {L"No[20000].bmp", false},  {L"No[01].bmp", false},
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

namespace {

TEST(StockNames, EachGenreHasItsMenuCommandAndNoOtherCommandHasAGenre) {
    const struct {
        int genre, command;
    } cases[] = {{0, 32867}, {9, 32876}, {10, 32891}, {11, 32893}, {21, 32903}};
    for (const auto &c : cases) {
        EXPECT_EQ(StockMenuCommand(c.genre), c.command);
        EXPECT_EQ(GenreOfStockMenuCommand(c.command), c.genre);
    }
    for (int command : {32866, 32877, 32890, 32892, 32904, 40119, 0})
        EXPECT_EQ(GenreOfStockMenuCommand(command), -1) << command;
    EXPECT_EQ(StockMenuCommand(22), -1);
    EXPECT_EQ(StockMenuCommand(-1), -1);
}

} // namespace
