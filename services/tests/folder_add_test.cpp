// A folder given to add is its media files: those directly inside it, in name order, until
// the genre is full; never an entry of its own.
#include <gtest/gtest.h>

#include "core/stock_names.h"
#include "services/add_files.h"
#include "services/app_state.h"
#include "services/registry.h"
#include "services/stock_store.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

class FolderAdd : public driver::AppTest {};

TEST_F(FolderAdd, AFolderAddsItsMediaFilesByNameUntilTheGenreIsFull) {
    const std::wstring folder = driver::InTestFolder(L"folder add", L"");
    driver::DeleteFilesIn(folder.c_str());
    for (const wchar_t *name : {L"g.wav", L"B.wav", L"a.wav", L"f.wav", L"c.wav", L"e.wav"})
        ASSERT_TRUE(driver::WriteWav(folder + name, 200));
    ASSERT_TRUE(driver::WriteBytes(folder + L"notes.txt", "not media"));
    CreateDirectoryW((folder + L"sub.wav").c_str(), nullptr);  // a subfolder, whatever its name
    const std::wstring empty = driver::InTestFolder(L"folder add empty", L"");
    driver::DeleteFilesIn(empty.c_str());
    OpenRegistryKeys(g_app.keys);

    EXPECT_FALSE(AddFiles({ChosenFile{empty, L""}})) << "a folder without media is said";
    EXPECT_EQ(EntryCount(0), 0);
    EXPECT_TRUE(AddFiles({ChosenFile{folder, L"folder add"}}));
    ASSERT_EQ(EntryCount(0), kStockEntryLimit);
    const wchar_t *stored[] = {L"a.wav", L"B.wav", L"c.wav", L"e.wav", L"f.wav"};
    for (int i = 0; i < kStockEntryLimit; ++i) {
        EXPECT_EQ(ReadStockField(0, i, FieldTitle), stored[i]) << i;
        EXPECT_EQ(ReadStockField(0, i, FieldPath), folder + stored[i]) << i;
    }
}

}  // namespace
