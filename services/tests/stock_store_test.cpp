// The stock store against the real registry and the thumbnail folder.

#include <algorithm>

#include "services/transport.h"
#include "services/registry.h"
#include "core/stock_names.h"
#include "services/stock_store.h"
#include "services/thumbnail.h"
#include "tests/driver/app_fixture.h"

namespace {

using driver::Exists;

// A thumbnail's content, or "-" when there is none.
std::string Thumbnail(int genre, int index) {
    const std::wstring path = ThumbnailPath(genre, index);
    return Exists(path) ? driver::ReadBytes(path) : "-";
}

bool ValueExists(int field, const std::wstring &name) {
    DWORD type;
    std::vector<BYTE> data;
    return driver::ReadRegistryValue(kRegKeyPaths[kListKeyFirst + field], name.c_str(), &type, &data);
}

std::vector<std::wstring> g_grabs;
void RecordingGrabber(const wchar_t *media, const wchar_t *bitmap) {
    g_grabs.push_back(std::wstring(media) + L" -> " + bitmap);
    driver::WriteBytes(bitmap, "grabbed");
}

class StockStore : public testing::Test {
  protected:
    void SetUp() override {
        driver::DeleteProgramRegistry();
        ResetAppState();
        OpenRegistryKeys(g_app.keys);
        driver::DeleteFilesIn(kThumbnailFolder);
        g_grabs.clear();
        SetThumbnailGrabber(RecordingGrabber);
    }
    void TearDown() override {
        SetThumbnailGrabber(GrabThumbnail);
        driver::DeleteFilesIn(kThumbnailFolder);
        CloseRegistryKeys(g_app.keys);
    }
    // A stored entry with a thumbnail holding its title.
    void PutEntry(int genre, int index, const std::wstring &title, bool thumbnail = true) {
        driver::StoreStockEntry(genre, index, title, L"C:\\m\\" + title);
        if (thumbnail) driver::WriteBytes(ThumbnailPath(genre, index), std::string(title.begin(), title.end()));
    }
};

TEST_F(StockStore, CountingStopsAtTheFirstMissingOrEmptyTitleWithoutACap) {
    // present: indices holding an entry; emptyTitleAt: an entry whose title is empty, or -1
    struct Case { std::vector<int> present; int emptyTitleAt, count; const wchar_t *numbers; };
    const Case cases[] = {{{}, -1, 0, L"[0][0]"}, {{0, 1, 2}, -1, 3, L"[1][3]"},
                          {{1, 2, 3}, -1, 0, L"[0][0]"}, // a gap at 0 hides everything after it
                          {{0, 1, 3, 4}, -1, 2, L"[1][2]"}, {{0, 1, 2, 3}, 2, 2, L"[1][2]"}};
    for (const Case &c : cases) {
        RecreateListKeys();
        for (int i : c.present) PutEntry(6, i, L"t" + std::to_wstring(i), false);
        if (c.emptyTitleAt >= 0)
            WriteFixedTextValue(g_app.keys.write[KeyFileTitle], StockValueName(6, c.emptyTitleAt).c_str(), L"",
                                kStockValueBytes);
        g_app.currentItem = 3;
        LoadGenre(6);
        EXPECT_TRUE(g_app.currentGenre == 6 && g_app.currentItem == 0 && EntryCount(6) == c.count) << c.present.size();
        EXPECT_EQ(std::wstring(Display().currentNumberText) + Display().totalNumberText, c.numbers);
    }
    // Hidden values stay untouched.
    EXPECT_TRUE(ValueExists(FieldTitle, L"7Stock3"));
}

TEST_F(StockStore, StoredValuesOfAnyShapeAreReadSafely) {
    struct Case { const wchar_t *name; std::vector<wchar_t> text; std::wstring read; };
    const std::vector<wchar_t> full(4096, L'長'), fits(4095, L'長');
    // Terminators, odd sizes and wrong types are tested platform-free; here the sizes the
    // store reads and where a stored text ends.
    // 8192 bytes do not fit, 8190 fill it exactly; a text ends at the NUL.
    const Case cases[] = {{L"Stock0", full, L""}, {L"Stock1", fits, std::wstring(4095, L'長')},
                          {L"Stock2", {L'x', 0, L'y', L'z'}, L"x"}};
    for (int i = 0; i < 3; ++i) {
        const Case &c = cases[i];
        driver::WriteRegistryValue(kRegKeyPaths[KeyFilePath], c.name, REG_SZ, c.text.data(), DWORD(c.text.size() * 2));
        EXPECT_EQ(ReadStockField(0, i, FieldPath), c.read) << i;
    }
    const wchar_t notANumber[] = L"8000";
    driver::WriteRegistryValue(kRegKeyPaths[KeyFilePos], L"Stock0", REG_SZ, notANumber, sizeof notANumber);
    EXPECT_EQ(ReadStockPosition(0, 0), 0u);
    // Missing, and genres out of range.
    for (int genre : {0, -1, 22}) EXPECT_EQ(ReadStockField(genre, genre ? 0 : 9, FieldPath), L"") << genre;
}

TEST_F(StockStore, AppendWritesFixedLengthValuesAndRefusesASixthEntry) {
    // A fresh installation has no thumbnail folder: it is made before the first grab.
    RemoveDirectoryW(kThumbnailFolder);
    ASSERT_FALSE(Exists(kThumbnailFolder));
    LoadGenre(3);
    // A dropped drive root has no title: stored, it would end the count and hide what follows.
    EXPECT_FALSE(AppendStockEntry(L"", L" 2 秒", L"Non", L"D:\\") || EntryCount(3));
    const std::wstring longTitle(600, L'題');
    ASSERT_TRUE(AppendStockEntry(longTitle, L" 2 秒", L"WaveAudio", L"C:\\m\\a.wav"));
    EXPECT_TRUE(Exists(kThumbnailFolder));
    for (int i = 1; i < 5; ++i)
        EXPECT_TRUE(AppendStockEntry(L"曲" + std::to_wstring(i), L" 3 秒", L"MPEGVideo",
                                     L"C:\\m\\" + std::to_wstring(i) + L".mp3"));
    EXPECT_EQ(EntryCount(3), 5);

    // Each value is exactly 1000 bytes: at most 499 characters, then only zeros.
    const std::wstring expected[] = {longTitle.substr(0, 499), L" 2 秒", L"WaveAudio", L"C:\\m\\a.wav"};
    for (int f = 0; f < kStockFieldCount; ++f) {
        DWORD type = 0;
        std::vector<BYTE> data;
        ASSERT_TRUE(driver::ReadRegistryValue(kRegKeyPaths[kListKeyFirst + f], L"4Stock0", &type, &data));
        ASSERT_TRUE(type == REG_SZ && data.size() == 1000u);
        const std::wstring units(reinterpret_cast<const wchar_t *>(data.data()), 500);
        EXPECT_EQ(units, expected[f] + std::wstring(500 - expected[f].size(), L'\0'));
    }
    ASSERT_EQ(g_grabs.size(), 5u);
    EXPECT_EQ(g_grabs[4], L"C:\\m\\4.mp3 -> " + ThumbnailPath(3, 4));

    // The sixth is refused without a trace.
    EXPECT_FALSE(AppendStockEntry(L"六", L" 1 秒", L"Non", L"C:\\m\\6.mp3"));
    for (int f = 0; f < kStockFieldCount; ++f) EXPECT_FALSE(ValueExists(f, L"4Stock5"));
    EXPECT_FALSE(Exists(ThumbnailPath(3, 5)));
    EXPECT_TRUE(EntryCount(3) == 5 && CountGenreEntries(3) == 5 && g_grabs.size() == 5u);
}

TEST_F(StockStore, AnAppendedEntryShowsOnlyAPictureTakenForIt) {
    // A file left under index 0 by an entry no longer counted: with no grab the new entry
    // has no thumbnail rather than that one.
    driver::WriteBytes(ThumbnailPath(0, 0), "old");
    SetThumbnailGrabber(nullptr);
    LoadGenre(0);
    AppendStockEntry(L"a", L" 1 秒", L"MPEGVideo", L"C:\\m\\a.mpg");
    EXPECT_FALSE(Exists(ThumbnailPath(0, 0))) << "an older entry's picture";

    // The lists cleared while the picture is being taken (the wait on the media device lets
    // other commands in): the picture of an entry that is gone is not kept, nor the entry.
    SetThumbnailGrabber([](const wchar_t *, const wchar_t *bitmap) {
        ClearAllLists();
        driver::WriteBytes(bitmap, "late");
    });
    LoadGenre(21);
    EXPECT_FALSE(AppendStockEntry(L"a", L" 1 秒", L"MPEGVideo", L"C:\\m\\a.mpg"));
    EXPECT_FALSE(Exists(ThumbnailPath(21, 0)) || EntryCount(21)) << "an entry cleared meanwhile";
}

TEST_F(StockStore, DeletedEntriesCloseTheGapAndThumbnailsFollowTheirEntries) {
    // kept: the titles left, in order
    struct Case { int n; std::vector<int> noThumbnail, remove; std::vector<std::wstring> kept; };
    // Any order, repeats and indices outside the genre ignored.
    const Case cases[] = {{5, {}, {1, 3}, {L"e0", L"e2", L"e4"}}, {5, {}, {0, 1, 2, 3, 4}, {}},
                          {5, {2}, {0}, {L"e1", L"e2", L"e3", L"e4"}}, {5, {}, {4}, {L"e0", L"e1", L"e2", L"e3"}},
                          {3, {}, {2, 0, 2}, {L"e1"}}, {3, {}, {1, 7, -1}, {L"e0", L"e2"}},
                          {4, {1}, {0, 2}, {L"e1", L"e3"}}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "removing " << c.remove.size() << " of " << c.n);
        RecreateListKeys();
        driver::DeleteFilesIn(kThumbnailFolder);
        auto thumb = [&c](int i) {
            return std::find(c.noThumbnail.begin(), c.noThumbnail.end(), i) == c.noThumbnail.end();
        };
        for (int i = 0; i < c.n; ++i) {
            PutEntry(9, i, L"e" + std::to_wstring(i), thumb(i));
            WriteStockPosition(9, i, 1000u * (i + 1));
        }
        PutEntry(0, 0, L"other genre");
        LoadGenre(9);
        DeleteStockEntries(c.remove);

        EXPECT_TRUE(EntryCount(9) == int(c.kept.size()) && CountGenreEntries(9) == int(c.kept.size()));
        for (int j = 0; j < int(c.kept.size()); ++j) {
            const std::string title(c.kept[j].begin(), c.kept[j].end());
            const int was = std::stoi(title.substr(1));
            EXPECT_EQ(Thumbnail(9, j), thumb(was) ? title : "-") << j;
            EXPECT_EQ(ReadStockField(9, j, FieldTitle), c.kept[j]);
            EXPECT_EQ(ReadStockField(9, j, FieldPath), L"C:\\m\\" + c.kept[j]);
            EXPECT_EQ(ReadStockPosition(9, j), 1000u * (was + 1)) << "it was left there";
        }
        for (int j = int(c.kept.size()); j <= c.n; ++j) {
            for (int f = 0; f < kStockFieldCount; ++f) EXPECT_FALSE(ValueExists(f, StockValueName(9, j))) << j;
            EXPECT_FALSE(ReadStockPosition(9, j) || Exists(ThumbnailPath(9, j))) << j;
        }
        EXPECT_TRUE(ReadStockField(0, 0, FieldTitle) == L"other genre" && Thumbnail(0, 0) == "other genre");
    }
}

TEST_F(StockStore, ClearAllListsEmptiesEveryGenreAndEveryThumbnailButNothingElse) {
    for (int g = 0; g < kGenreCount; ++g)
        for (int i = 0; i < 3; ++i) {
            PutEntry(g, i, L"g" + std::to_wstring(g) + L"e" + std::to_wstring(i));
            WriteStockPosition(g, i, 7000);
        }
    PutEntry(5, 4, L"hidden behind a gap");
    driver::WriteBytes(ThumbnailPath(21, 19999), "last index swept");
    driver::WriteBytes(ThumbnailPath(2, 4000), "far index");
    const wchar_t *const keep[] = {L"23No[1].bmp", L"No[01].bmp", L"No[1].bmp.bak", L"No[20000].bmp", L"notes.txt"};
    for (const wchar_t *name : keep) driver::WriteBytes(std::wstring(kThumbnailFolder) + L"\\" + name, "keep");
    const std::wstring folderLikeAThumbnail = std::wstring(kThumbnailFolder) + L"\\No[3].bmp";
    CreateDirectoryW(folderLikeAThumbnail.c_str(), nullptr);

    LoadGenre(4);
    lstrcpyW(g_app.currentPath, L"C:\\m\\playing.mpg");
    g_app.currentItem = 2;
    ClearAllLists();

    for (int f = 0; f < kStockFieldCount; ++f) EXPECT_EQ(driver::ValueCount(kRegKeyPaths[kListKeyFirst + f]), 0u) << f;
    EXPECT_EQ(driver::ValueCount(kRegKeyPaths[KeyFilePos]), 0u);
    std::vector<std::wstring> left = driver::FilesIn(kThumbnailFolder);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, std::vector<std::wstring>(std::begin(keep), std::end(keep)));
    EXPECT_TRUE(RemoveDirectoryW(folderLikeAThumbnail.c_str())) << "the folder named like a thumbnail stays";
    EXPECT_EQ(std::to_wstring(g_app.currentItem) + g_app.currentPath + Display().currentNumberText, L"0[0]");

    // The store works on the new keys afterwards.
    EXPECT_TRUE(AppendStockEntry(L"after", L" 1 秒", L"MPEGVideo", L"C:\\m\\after.mpg"));
    EXPECT_EQ(ReadStockField(4, 0, FieldTitle), L"after");
    EXPECT_TRUE(ValueExists(FieldTitle, L"5Stock0"));
}

} // namespace
