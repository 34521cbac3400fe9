// A restore the program did not finish is put back at the next start.

#include "core/backup_file.h"
#include "core/stock_names.h"
#include "services/app_state.h"
#include "services/backup.h"
#include "services/registry.h"
#include "services/stock_store.h"
#include "tests/driver/app_fixture.h"

namespace {

const std::wstring kSetting = L"Software\\Mirelo\\Setting\\";

void Title(const std::wstring &keyPath, const wchar_t *name, const std::wstring &text) {
    std::vector<wchar_t> buffer(500, L'\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    driver::WriteRegistryValue(keyPath.c_str(), name, REG_SZ, buffer.data(), 1000);
}

// What a stop must never break: the four lists, the positions, a colour and the thumbnails,
// as one text.
std::wstring State() {
    std::wstring state;
    for (const wchar_t *key : {L"FileTitle", L"FileTime", L"FileTipe", L"FilePath"})
        for (int i = 0; i < 3; ++i)
            state += driver::ReadRegistryText((kSetting + key).c_str(),
                                              StockValueName(0, i).c_str()) + L"|";
    for (int i = 0; i < 3; ++i)
        state += std::to_wstring(driver::ReadRegistryDword((kSetting + L"FilePos").c_str(),
                                                           StockValueName(0, i).c_str(), 0)) + L"|";
    state += std::to_wstring(driver::ReadRegistryDword((kSetting + L"date").c_str(), L"RGB1_0", 0));
    for (const std::wstring &name : driver::FilesIn(kThumbnailFolder)) {
        const std::string bytes = driver::ReadBytes(std::wstring(kThumbnailFolder) + L"\\" + name);
        state += L"|" + name + L"=" + std::wstring(bytes.begin(), bytes.end());
    }
    return state;
}

void PutLists(const std::vector<std::wstring> &titles, DWORD colour) {
    driver::DeleteProgramRegistry();
    driver::DeleteFilesIn(kThumbnailFolder);
    for (size_t i = 0; i < titles.size(); ++i) {
        driver::StoreStockEntry(0, int(i), titles[i], L"C:\\m\\" + titles[i] + L".mp3");
        driver::WriteBytes(ThumbnailPath(0, int(i)), std::string("BM ") + char('0' + i + titles.size()));
        const DWORD position = DWORD(1000 * (i + titles.size()));
        driver::WriteRegistryValue((kSetting + L"FilePos").c_str(),
                                   StockValueName(0, int(i)).c_str(), REG_DWORD, &position, 4);
    }
    driver::WriteRegistryValue((kSetting + L"date").c_str(), L"RGB1_0", REG_DWORD, &colour, 4);
    CloseRegistryKeys(g_app.keys);
    OpenRegistryKeys(g_app.keys);
}

struct Stopped {};
int g_stepsLeft;
void StopWhenDue() {
    if (g_stepsLeft-- == 0) throw Stopped();
}

// Runs `what` and stops it, as a crash would, after `steps` steps; false when it finished.
template <typename F> bool StopsAfter(int steps, F what) {
    g_stepsLeft = steps;
    SetRestoreStepHook(StopWhenDue);
    bool stopped = false;
    try {
        what();
    } catch (const Stopped &) {
        stopped = true;
    }
    SetRestoreStepHook(nullptr);
    return stopped;
}

class RestoreRecovery : public driver::AppTest {};

TEST_F(RestoreRecovery, AStopAtAnyStepLeavesTheOldOrTheNewListsWhole) {
    PutLists({L"新1", L"新2"}, 9);
    const std::wstring parent = driver::InTestFolder(L"backup-stops", L""), folder = parent + kBackupFolderName;
    std::wstring where;
    ASSERT_EQ(SaveBackup(parent, &where), SaveOutcome::Saved);
    BackupCheck check;
    PutLists({L"古い"}, 5);
    const std::wstring before = State();
    ASSERT_EQ(RestoreBackup(folder, &check), RestoreOutcome::Restored);
    const std::wstring after = State();
    ASSERT_NE(after.find(L"新2"), std::wstring::npos);
    ASSERT_NE(after.find(L"|3000|"), std::wstring::npos) << "where 新2 was left";

    for (int stop = 0;; ++stop) {
        SCOPED_TRACE(stop);
        PutLists({L"古い"}, 5);
        if (!StopsAfter(stop, [&] { RestoreBackup(folder, &check); })) {
            EXPECT_EQ(State(), after);
            break;
        }
        // The next start's put-back may stop too, at any of its steps, start after start.
        for (int again = 0; StopsAfter(again, RecoverInterruptedRestore); ++again) {}
        RecoverInterruptedRestore();
        const std::wstring now = State();
        EXPECT_TRUE(now == before || now == after) << now;
        EXPECT_FALSE(driver::Exists(RestoreStagingFolder()));
        EXPECT_EQ(driver::ReadRegistryDword(kRestoreKeepKey, L"Complete", 0), 0u);
    }

    // A copy kept by a program that stored no positions is put back all the same.
    const std::wstring keep = kRestoreKeepKey;
    PutLists({L"古い"}, 5);
    for (int stop = 0; driver::ReadRegistryDword(keep.c_str(), L"Complete", 0) == 0; ++stop)
        ASSERT_TRUE(StopsAfter(stop, [&] { RestoreBackup(folder, &check); }));
    RegDeleteTreeW(HKEY_CURRENT_USER, (keep + L"\\FilePos").c_str());
    RecoverInterruptedRestore();
    EXPECT_EQ(driver::ReadRegistryDword(keep.c_str(), L"Complete", 0), 0u);
    EXPECT_EQ(driver::ReadRegistryText((kSetting + L"FileTitle").c_str(), L"Stock0"), L"古い");

    // A kept copy that cannot be put back whole stays for the next start.
    const DWORD complete = 1;
    Title(keep + L"\\FileTitle", L"Stock0", L"古い");
    driver::WriteRegistryValue(keep.c_str(), L"Complete", REG_DWORD, &complete, 4);
    RecoverInterruptedRestore();
    EXPECT_EQ(driver::ReadRegistryText((kSetting + L"FileTitle").c_str(), L"Stock0"), L"古い");
    EXPECT_EQ(driver::ReadRegistryDword(keep.c_str(), L"Complete", 0), 1u);
    EXPECT_EQ(driver::ReadRegistryText((keep + L"\\FileTitle").c_str(), L"Stock0"), L"古い");
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

    // Valid, but larger than any backup the program writes: refused before it is read.
    const std::wstring ini = saved + kBackupIniName;
    driver::WriteBytes(ini, driver::ReadBytes(ini) + std::string(kBackupFileByteLimit, ';'));
    EXPECT_EQ(RestoreBackup(parent + kBackupFolderName, &check), RestoreOutcome::Damaged);
    EXPECT_EQ(int(check.problem), int(BackupProblem::TooLarge));
}

TEST_F(BackupThumbnails, ARestoreBringsBackWhereEachEntryWasLeftAndAnOlderBackupStartsAt0) {
    driver::StoreStockEntry(0, 0, L"一", L"C:\\m\\a.mpg");
    driver::StoreStockEntry(3, 0, L"二", L"C:\\m\\b.mpg");
    OpenRegistryKeys(g_app.keys);
    WriteStockPosition(0, 0, 8000);
    WriteStockPosition(3, 0, 123456);
    const std::wstring parent = driver::InTestFolder(L"backup-positions", L"");
    const std::wstring folder = parent + kBackupFolderName;
    std::wstring where;
    ASSERT_EQ(SaveBackup(parent, &where), SaveOutcome::Saved);
    WriteStockPosition(0, 0, 1000);
    WriteStockPosition(3, 0, 0);
    BackupCheck check;
    ASSERT_EQ(RestoreBackup(folder, &check), RestoreOutcome::Restored);
    EXPECT_EQ(ReadStockPosition(0, 0), 8000u);
    EXPECT_EQ(ReadStockPosition(3, 0), 123456u);

    // Every backup written before the positions has no such section.
    WritePrivateProfileStringW(L"FailePos", nullptr, nullptr, (folder + L"\\save.ini").c_str());
    ASSERT_EQ(RestoreBackup(folder, &check), RestoreOutcome::Restored);
    EXPECT_EQ(ReadStockPosition(0, 0), 0u);
    EXPECT_EQ(ReadStockPosition(3, 0), 0u);
    EXPECT_EQ(driver::ReadRegistryText((kSetting + L"FileTitle").c_str(), L"4Stock0"), L"二");
}

}  // namespace
