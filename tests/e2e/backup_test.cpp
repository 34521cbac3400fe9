// Backup and restore on the real program, through its real folder browser.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "resources/resource.h"
#include "tests/driver/driver.h"

namespace {

const wchar_t kSetting[] = L"Software\\Mirelo\\Setting\\";
const wchar_t kCap[] = L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\Cap";
const wchar_t kListKeys[4][10] = {L"FileTitle", L"FileTime", L"FileTipe", L"FilePath"};
const wchar_t *const kButtonStems[] = {
    L"B_Play", L"B_Stop", L"B_Pause", L"B_TryOp", L"B_TryCl", L"B_FOpen", L"B_Mute", L"B_End",
    L"B_TrSu", L"B_TrMo", L"B_Roc",   L"B_LWin",  L"B_LiEl",  L"B_Brow",  L"B_RWin", L"B_Toke",
    L"B_Den",  L"B_Sya",  L"B_Sett", L"B_Full", L"B_Retu", L"B_Ren", L"B_Rand"};

using Snapshot = std::map<std::wstring, std::string>;

std::wstring KeyPath(const wchar_t *name) { return std::wstring(kSetting) + name; }

void WriteText(const wchar_t *key, const std::wstring &name, const std::wstring &text,
               size_t bytes) {
    std::vector<wchar_t> buffer(bytes / 2, L'\0');
    std::copy(text.begin(), text.end(), buffer.begin());
    driver::WriteRegistryValue(KeyPath(key).c_str(), name.c_str(), REG_SZ, buffer.data(),
                               DWORD(bytes));
}

void WriteDword(const std::wstring &name, DWORD v) {
    driver::WriteRegistryValue(KeyPath(L"date").c_str(), name.c_str(), REG_DWORD, &v, 4);
}

// The files of a folder (no subfolders) by name, with their bytes.
Snapshot Files(const std::wstring &folder) {
    Snapshot files;
    for (const std::wstring &name : driver::FilesIn(folder))
        files[name] = driver::ReadBytes(folder + L"\\" + name);
    return files;
}

// Every value under the program's key, by key path and name, with its type and bytes.
Snapshot Registry(const std::wstring &path = L"Software\\Mirelo", Snapshot &&out = {}) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::move(out);
    wchar_t name[16384];
    for (DWORD i = 0, chars = 16384;
         RegEnumValueW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, chars = 16384) {
        DWORD type = 0;
        std::vector<BYTE> data;
        driver::ReadRegistryValue(path.c_str(), name, &type, &data);
        out[path + L"|" + name] = std::string(data.begin(), data.end()) + char(type);
    }
    for (DWORD i = 0, chars = 16384;
         RegEnumKeyExW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, chars = 16384)
        out = Registry(path + L"\\" + name, std::move(out));
    RegCloseKey(key);
    return std::move(out);
}

// A whole stored state: entries of three genres with their thumbnails, every colour, every
// button position and the address. `variant` makes a different state of the same kind.
void StoreState(int variant) {
    for (const wchar_t *key : kListKeys) RegDeleteTreeW(HKEY_CURRENT_USER, KeyPath(key).c_str());
    driver::DeleteFilesIn(kCap);
    struct Entry { int variant; const wchar_t *valueName, *thumbnail, *title; };
    const Entry entries[] = {
        {0, L"Stock0", L"No[0].bmp", L"夏の思い出 (最終版).avi"}, {0, L"Stock1", L"No[1].bmp", L"音楽 — ライブ.mp3"},
        {0, L"5Stock0", L"5No[0].bmp", L"Ελληνικά ünïcödé.wav"}, {0, L"22Stock0", L"22No[0].bmp", L"イベント1.mpg"},
        {0, L"22Stock1", L"22No[1].bmp", L"イベント2.mpg"}, {0, L"22Stock2", L"22No[2].bmp", L"イベント3.mpg"},
        {1, L"Stock0", L"No[0].bmp", L"別のファイル.wav"}, {1, L"3Stock0", L"3No[0].bmp", L"other.avi"}};
    for (const Entry &e : entries) {
        if (e.variant != variant) continue;
        const std::wstring texts[4] = {e.title, L" 1 分 2 秒", L"MPEGVideo", L"C:\\メディア\\" + std::wstring(e.title)};
        for (int k = 0; k < 4; ++k) WriteText(kListKeys[k], e.valueName, texts[k], 1000);
        driver::WriteBytes(std::wstring(kCap) + L"\\" + e.thumbnail, "BM " + std::to_string(&e - entries));
    }
    for (int c = 0; c < 3; ++c)
        for (int n = 1; n <= 9; ++n)
            WriteDword(L"RGB" + std::to_wstring(n) + L"_" + std::to_wstring(c), 10 * n + c + variant);
    for (int suffix = 0; suffix < 2; ++suffix)
        for (int b = 0; b < 23; ++b)
            WriteDword(kButtonStems[b] + std::to_wstring(suffix), 3 * b + 7 * suffix + 5 * variant);
    WriteText(L"date", L"URL", variant == 0 ? L"https://例え.jp/ホーム" : L"http://x/", 2048);
}

// Ends the program when a test stops early, so no dialog of it waits for the next test.
struct Program : driver::Process {
    ~Program() { driver::Kill(*this); }
};

HWND Launch(driver::Process &p) {
    p = driver::Launch(driver::MireloExePath());
    return driver::WaitForMainWindow(p, 30000);
}

void Close(driver::Process &p, HWND main) {
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(driver::WaitForExit(p, 20000), 0u);
}

// Chooses the command, answers the browser and waits until the command has finished.
void RunWithFolder(driver::Process &p, HWND main, int command, const std::wstring &folder) {
    PostMessageW(main, WM_COMMAND, command, 0);
    ASSERT_TRUE(driver::AnswerFolderBrowser(p, folder));
}

int ListRows(driver::Process &p) {
    HWND play = driver::WaitForWindow(p.id, L"PWClassName", 5000);
    HWND stock = FindWindowExW(play, nullptr, L"LWClassName", nullptr);
    HWND list = FindWindowExW(stock, nullptr, L"SysListView32", nullptr);
    EXPECT_TRUE(list);
    return int(driver::Send(list, LVM_GETITEMCOUNT));
}

std::wstring Fresh(const std::wstring &folder) {
    CreateDirectoryW(L"C:\\mirelo-test", nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    driver::DeleteFilesIn((folder + L"\\MireloSave").c_str());
    RemoveDirectoryW((folder + L"\\MireloSave").c_str());
    return folder;
}

// A backup of one state restored over another brings back every list, thumbnail, colour,
// position and address; a folder without save.ini is refused, says why and changes nothing.
TEST(Backup, ARefusalChangesNothingAndARestoreBringsBackEverything) {
    driver::CompleteFirstRun();
    StoreState(0);
    const Snapshot registry = Registry(), thumbnails = Files(kCap);
    const std::wstring parent = Fresh(L"C:\\mirelo-test\\控え 往復");
    const std::wstring backup = parent + L"\\MireloSave";

    Program p;
    HWND main = Launch(p);
    ASSERT_TRUE(main);
    RunWithFolder(p, main, ID_BACKUP_SAVE, parent);
    driver::Send(main, WM_NULL);
    EXPECT_TRUE(driver::WindowsOf(p.id, L"#32770").empty()) << "a message after a backup";
    Close(p, main);
    EXPECT_EQ(driver::ReadBytes(backup + L"\\save.ini").substr(0, 2), "\xFF\xFE") << "UTF-16";
    for (const auto &file : thumbnails)
        EXPECT_EQ(driver::ReadBytes(backup + L"\\" + file.first), file.second) << file.first.size();

    StoreState(1);
    main = Launch(p);
    ASSERT_TRUE(main);
    EXPECT_EQ(ListRows(p), 1);
    const Snapshot registry1 = Registry(), thumbnails1 = Files(kCap);
    const std::wstring refused = Fresh(L"C:\\mirelo-test\\refusal") + L"\\MireloSave";
    driver::DeleteFilesIn(refused.c_str());
    driver::WriteBytes(refused + L"\\No[0].bmp", "BM new");
    RunWithFolder(p, main, ID_BACKUP_RESTORE, refused);
    EXPECT_NE(driver::AnswerBox(p.id).text.find(L"がありません"), std::wstring::npos);
    driver::Send(main, WM_NULL);
    EXPECT_TRUE(Registry() == registry1);
    EXPECT_TRUE(Files(kCap) == thumbnails1);
    EXPECT_EQ(ListRows(p), 1);

    RunWithFolder(p, main, ID_BACKUP_RESTORE, backup);
    driver::Send(main, WM_NULL);
    EXPECT_TRUE(driver::WindowsOf(p.id, L"#32770").empty()) << "a message after a restore";
    // At once: the list shows genre 0's restored entries, the buttons stand where they were.
    EXPECT_EQ(ListRows(p), 2);
    RECT file;  // the File button, slot 5
    GetWindowRect(GetDlgItem(main, 5), &file);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT *>(&file), 1);
    EXPECT_EQ(file.left, 15);
    EXPECT_EQ(file.top, 22);
    Close(p, main);

    EXPECT_TRUE(Registry() == registry) << "registry differs after the restore";
    EXPECT_TRUE(Files(kCap) == thumbnails) << "thumbnail folder differs after the restore";
}

}  // namespace
