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
void DumpKey(HKEY parent, const std::wstring &path, Snapshot &out) {
    HKEY key;
    if (RegOpenKeyExW(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    wchar_t name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD chars = 16384, type = 0, size = 0;
        if (RegEnumValueW(key, i, name, &chars, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
            break;
        std::string data(size + 1, '\0');
        chars = 16384;
        RegEnumValueW(key, i, name, &chars, nullptr, &type, reinterpret_cast<BYTE *>(&data[0]), &size);
        data.resize(size);
        data.push_back(char(type));
        out[path + L"|" + name] = data;
    }
    for (DWORD i = 0;; ++i) {
        DWORD chars = 16384;
        if (RegEnumKeyExW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        DumpKey(parent, path + L"\\" + name, out);
    }
    RegCloseKey(key);
}

Snapshot Registry() {
    Snapshot all;
    DumpKey(HKEY_CURRENT_USER, L"Software\\Mirelo", all);
    return all;
}

// A whole stored state: entries of three genres with their thumbnails, every colour, every
// button position and the address. `variant` makes a different state of the same kind.
void StoreState(int variant) {
    for (const wchar_t *key : kListKeys) RegDeleteTreeW(HKEY_CURRENT_USER, KeyPath(key).c_str());
    driver::DeleteFilesIn(kCap);
    struct Entry {
        const wchar_t *valueName, *thumbnail, *title;
    };
    const Entry first[] = {{L"Stock0", L"No[0].bmp", L"夏の思い出 (最終版).avi"},
                           {L"Stock1", L"No[1].bmp", L"音楽 — ライブ.mp3"},
                           {L"5Stock0", L"5No[0].bmp", L"Ελληνικά ünïcödé.wav"},
                           {L"22Stock0", L"22No[0].bmp", L"イベント1.mpg"},
                           {L"22Stock1", L"22No[1].bmp", L"イベント2.mpg"},
                           {L"22Stock2", L"22No[2].bmp", L"イベント3.mpg"}};
    const Entry second[] = {{L"Stock0", L"No[0].bmp", L"別のファイル.wav"},
                            {L"3Stock0", L"3No[0].bmp", L"other.avi"}};
    const Entry *entries = variant == 0 ? first : second;
    const size_t count = variant == 0 ? 6 : 2;
    for (size_t i = 0; i < count; ++i) {
        const Entry &e = entries[i];
        const std::wstring path = L"C:\\メディア\\" + std::wstring(e.title);
        const std::wstring texts[4] = {e.title, L" 1 分 2 秒", L"MPEGVideo", path};
        for (int k = 0; k < 4; ++k) WriteText(kListKeys[k], e.valueName, texts[k], 1000);
        driver::WriteBytes(std::wstring(kCap) + L"\\" + e.thumbnail,
                           "BM thumbnail " + std::to_string(variant * 100 + int(i)));
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

POINT PlaceInParent(HWND button) {
    RECT r;
    GetWindowRect(button, &r);
    POINT p = {r.left, r.top};
    ScreenToClient(GetParent(button), &p);
    return p;
}

std::wstring Fresh(const std::wstring &folder) {
    CreateDirectoryW(L"C:\\mirelo-test", nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    driver::DeleteFilesIn((folder + L"\\MireloSave").c_str());
    RemoveDirectoryW((folder + L"\\MireloSave").c_str());
    return folder;
}

std::wstring ValidIni() {
    std::wstring ini = L"[FaileTitle]\r\nStock0=\"新しい.avi\"\r\n[FaileTime]\r\nStock0=\"1 秒\"\r\n"
                       L"[FaileTipe]\r\nStock0=\"AVIVideo\"\r\n[FailePath]\r\nStock0=\"C:\\新しい.avi\"\r\n"
                       L"[FaileCount]\r\n";
    for (int g = 0; g < 22; ++g) ini += L"ジャンル" + std::to_wstring(g) + (g ? L"=0\r\n" : L"=1\r\n");
    ini += L"[TextColor]\r\n";
    for (int c = 0; c < 3; ++c)
        for (int n = 1; n <= 9; ++n) ini += L"RGB" + std::to_wstring(n) + L"_" + std::to_wstring(c) + L"=1\r\n";
    ini += L"[Button]\r\n";
    for (int suffix = 0; suffix < 2; ++suffix)
        for (const wchar_t *stem : kButtonStems) ini += stem + std::to_wstring(suffix) + L"=1\r\n";
    return ini + L"[HomePage]\r\nURL=\"http://new/\"\r\n";
}

std::wstring Replaced(std::wstring text, const std::wstring &from, const std::wstring &to) {
    return text.replace(text.find(from), from.size(), to);
}

// Refusals first, each of which must change nothing, then the round trip: a backup of one
// state restored over another brings back every list, thumbnail, colour, position and address.
TEST(Backup, RefusalsChangeNothingAndSayWhyARestoreBringsBackEverything) {
    driver::CompleteFirstRun();
    StoreState(0);
    const Snapshot registry = Registry(), thumbnails = Files(kCap);
    const std::wstring parent = Fresh(L"C:\\mirelo-test\\控え 往復");
    const std::wstring backup = parent + L"\\MireloSave";

    Program p;
    HWND main = Launch(p);
    ASSERT_TRUE(main);
    // Backup: a cancelled browser says so; a "MireloSave" that cannot be a folder says so.
    RunWithFolder(p, main, ID_BACKUP_SAVE, L"");
    EXPECT_EQ(driver::AnswerBox(p.id).text, L"キャンセルされました");
    EXPECT_TRUE(Files(parent).empty());
    driver::WriteBytes(backup, "x");
    RunWithFolder(p, main, ID_BACKUP_SAVE, parent);
    EXPECT_NE(driver::AnswerBox(p.id).text.find(L"作成できませんでした"), std::wstring::npos);
    EXPECT_EQ(Files(parent).size(), 1u);
    DeleteFileW(backup.c_str());

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
    const std::wstring valid = ValidIni();
    struct Case {
        const wchar_t *folder;
        const wchar_t *ini;  // null: no save.ini
        std::wstring content;
        const wchar_t *message;  // a part of the message shown
    };
    // Which content the checks refuse is tested platform-free; here a refusal of each kind
    // the browser and the file bring, and one the platform's reader makes of the file.
    const Case cases[] = {
        {L"", nullptr, L"", L"MireloSaveフォルダを選択して下さい"},  // browser cancelled
        {L"名前違い", L"save.ini", valid, L"MireloSaveフォルダを選択して下さい"},
        {L"MireloSave", nullptr, L"", L"がありません"},
        {L"MireloSave", L"save.ini", L"", L"途中で切れているか壊れています"},
        // Valid, but larger than any backup the program writes: refused before it is read.
        {L"MireloSave", L"save.ini", valid + L";" + std::wstring(240000, L'x') + L"\r\n",
         L"大きすぎます"},
        // The platform's reader ends a line at a lone CR; a tab is a control character it keeps.
        {L"MireloSave", L"save.ini", Replaced(valid, L"\"1 秒\"", L"1\t秒"), L"制御文字"},
    };
    int n = 0;
    for (const Case &k : cases) {
        SCOPED_TRACE(testing::Message() << "case " << n);
        std::wstring folder;
        if (k.folder[0]) {
            folder = Fresh(L"C:\\mirelo-test\\refusal" + std::to_wstring(n)) + L"\\" + k.folder;
            driver::DeleteFilesIn(folder.c_str());
            driver::WriteBytes(folder + L"\\No[0].bmp", "BM new");
            const std::wstring text = L"\xFEFF" + k.content;
            if (k.ini)
                driver::WriteBytes(folder + L"\\" + k.ini,
                                   std::string(reinterpret_cast<const char *>(text.data()),
                                               k.content.empty() ? 0 : text.size() * 2));
        }
        ++n;
        RunWithFolder(p, main, ID_BACKUP_RESTORE, folder);
        const driver::BoxSeen box = driver::AnswerBox(p.id);
        EXPECT_NE(box.text.find(k.message), std::wstring::npos) << box.text.size();
        driver::Send(main, WM_NULL);
        EXPECT_TRUE(Registry() == registry1);
        EXPECT_TRUE(Files(kCap) == thumbnails1);
        EXPECT_EQ(ListRows(p), 1);
    }

    RunWithFolder(p, main, ID_BACKUP_RESTORE, backup);
    driver::Send(main, WM_NULL);
    EXPECT_TRUE(driver::WindowsOf(p.id, L"#32770").empty()) << "a message after a restore";
    // At once: the list shows genre 0's restored entries, the buttons stand where they were.
    EXPECT_EQ(ListRows(p), 2);
    const POINT file = PlaceInParent(GetDlgItem(main, 5));  // the File button, slot 5
    EXPECT_EQ(file.x, 15);
    EXPECT_EQ(file.y, 22);
    Close(p, main);

    EXPECT_TRUE(Registry() == registry) << "registry differs after the restore";
    EXPECT_TRUE(Files(kCap) == thumbnails) << "thumbnail folder differs after the restore";
}

}  // namespace
