// A restore the program did not finish is put back at the next start.
#include <gtest/gtest.h>

#include "core/backup_file.h"
#include "core/stock_names.h"
#include "services/app_state.h"
#include "services/backup.h"
#include "services/registry.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"

namespace {

const std::wstring kSetting = L"Software\\Mirelo\\Setting\\";

void Title(const std::wstring &keyPath, const wchar_t *name, const std::wstring &text) {
    std::vector<wchar_t> buffer(500, L'\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    driver::WriteRegistryValue(keyPath.c_str(), name, REG_SZ, buffer.data(), 1000);
}

std::wstring StoredTitle(const wchar_t *name) {
    DWORD type = 0;
    std::vector<BYTE> data;
    if (!driver::ReadRegistryValue((kSetting + L"FileTitle").c_str(), name, &type, &data))
        return L"-";
    data.resize(data.size() + 2, 0);
    return reinterpret_cast<const wchar_t *>(data.data());
}

void PutFile(const std::wstring &folder, const char *content) {
    CreateDirectoryW(folder.c_str(), nullptr);
    HANDLE f = CreateFileW((folder + L"\\No[0].bmp").c_str(), GENERIC_WRITE, 0, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(f, content, DWORD(strlen(content)), &written, nullptr);
    CloseHandle(f);
}

std::string FileIn(const std::wstring &folder) {
    char text[16] = "";
    DWORD got = 0;
    HANDLE f = CreateFileW((folder + L"\\No[0].bmp").c_str(), GENERIC_READ, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "-";
    ReadFile(f, text, 15, &got, nullptr);
    CloseHandle(f);
    return text;
}

TEST(RestoreRecovery, AStopAfterTheSwapPutsTheOldListsColoursAndThumbnailsBack) {
    driver::DeleteProgramRegistry();
    driver::DeleteFilesIn(kThumbnailFolder);
    const std::wstring keep = kRestoreKeepKey;
    const DWORD oldColour = 5, newColour = 9, complete = 1;
    // What the restore was replacing, kept complete; then the new values and bitmaps in place.
    Title(keep + L"\\FileTitle", L"Stock0", L"古い");
    driver::WriteRegistryValue((keep + L"\\date").c_str(), L"RGB1_0", REG_DWORD, &oldColour, 4);
    driver::WriteRegistryValue(keep.c_str(), L"Complete", REG_DWORD, &complete, 4);
    Title(kSetting + L"FileTitle", L"Stock0", L"新しい");
    Title(kSetting + L"FileTitle", L"Stock1", L"新しい2");
    driver::WriteRegistryValue((kSetting + L"date").c_str(), L"RGB1_0", REG_DWORD, &newColour, 4);
    driver::WriteRegistryValue((kSetting + L"date").c_str(), L"RGB2_0", REG_DWORD, &newColour, 4);
    PutFile(RestoreOldFolder(), "old");
    PutFile(kThumbnailFolder, "new");
    PutFile(RestoreStagingFolder(), "staged");

    RecoverInterruptedRestore();
    EXPECT_EQ(StoredTitle(L"Stock0"), L"古い");
    EXPECT_EQ(StoredTitle(L"Stock1"), L"-");
    const wchar_t *date = L"Software\\Mirelo\\Setting\\date";
    EXPECT_EQ(driver::ReadRegistryDword(date, L"RGB1_0", 0), oldColour);
    EXPECT_EQ(driver::ReadRegistryDword(date, L"RGB2_0", 0), 0u) << "a value the restore added";
    EXPECT_EQ(FileIn(kThumbnailFolder), "old");
    EXPECT_EQ(FileIn(RestoreOldFolder()), "-");
    EXPECT_EQ(FileIn(RestoreStagingFolder()), "-");
    EXPECT_EQ(driver::ReadRegistryDword(keep.c_str(), L"Complete", 0), 0u);

    // A copy that was never completed means nothing was replaced yet: the lists stay.
    Title(keep + L"\\FileTitle", L"Stock0", L"途中");
    RecoverInterruptedRestore();
    EXPECT_EQ(StoredTitle(L"Stock0"), L"古い");
    HKEY gone = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, keep.c_str(), 0, KEY_READ, &gone), ERROR_SUCCESS);
    driver::DeleteProgramRegistry();
    driver::DeleteFilesIn(kThumbnailFolder);
}

class BackupThumbnails : public driver::AppTest {};

TEST_F(BackupThumbnails, ARestoreTakesOnlyThePicturesOfTheEntriesItBrings) {
    driver::StoreStockEntry(0, 0, L"残る", driver::MadeMedia(L"clip.mpg"));
    driver::WriteBytes(ThumbnailPath(0, 0), "kept");
    OpenRegistryKeys(g_app.keys);
    const std::wstring parent = driver::InTestFolder(L"backup-pictures", L"");
    std::wstring where;
    ASSERT_EQ(SaveBackup(parent, &where), SaveOutcome::Saved);
    // Left in the folder by a bigger list saved there before.
    const std::wstring saved = parent + kBackupFolderName + L"\\";
    driver::WriteBytes(saved + ThumbnailFileName(0, 1), "stale");
    driver::WriteBytes(saved + ThumbnailFileName(1, 0), "stale");
    driver::WriteBytes(saved + L"memo.txt", "user's");

    BackupCheck check;
    ASSERT_EQ(RestoreBackup(parent + kBackupFolderName, &check), RestoreOutcome::Restored);
    EXPECT_EQ(driver::ReadBytes(ThumbnailPath(0, 0)), "kept");
    EXPECT_FALSE(driver::Exists(ThumbnailPath(0, 1)));
    EXPECT_FALSE(driver::Exists(ThumbnailPath(1, 0)));
    EXPECT_TRUE(driver::Exists(std::wstring(kThumbnailFolder) + L"\\memo.txt"));
    EXPECT_EQ(driver::ReadBytes(saved + ThumbnailFileName(0, 1)), "stale") << "the backup is not touched";
}

}  // namespace
