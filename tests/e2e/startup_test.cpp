// Starts the real program as a person would and checks what it does and what it stores.
#include <gtest/gtest.h>

#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

const wchar_t kCap[] = L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\Cap";

std::wstring Stored(const wchar_t *key, const wchar_t *name, size_t *bytes = nullptr) {
    return driver::ReadRegistryText((std::wstring(L"Software\\Mirelo\\Setting\\") + key).c_str(),
                                    name, bytes);
}

// Which stored values of a wrong shape are refused is tested in-process against the same
// registry; here the first start, a second start that asks nothing and imports the files
// named on its command line, and the End button.
TEST(Startup, FirstRunAsksAndWritesDefaultsLaterRunsImportKeepWhatIsStoredAndEndQuits) {
    const std::wstring folder = L"C:\\mirelo-test\\取り込み テスト";
    CreateDirectoryW(L"C:\\mirelo-test", nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring avi = folder + L"\\映像.avi", wav = folder + L"\\voice.wav";
    ASSERT_TRUE(driver::WriteAvi(avi, 3, 64, 48));
    ASSERT_TRUE(driver::WriteWav(wav, 700));
    const std::wstring arguments = L"\"" + avi + L"\" \"" + wav + L"\"";
    const std::wstring firstThumbnail = std::wstring(kCap) + L"\\No[0].bmp";
    DeleteFileW(firstThumbnail.c_str());

    // The first start asks twice (the driver fails without both boxes), quits with 0 and
    // imports nothing.
    driver::CompleteFirstRun(driver::MireloExePath(), arguments);
    size_t bytes = 0;
    EXPECT_EQ(Stored(L"Kidou", L"初回書き込み"), L"YES");
    EXPECT_EQ(Stored(L"Genre", L"Genre21", &bytes), L"イベント");
    EXPECT_EQ(bytes, 520u);
    EXPECT_EQ(driver::ReadRegistryDword(L"Software\\Mirelo\\Setting\\date", L"Skin", 9), 0u);
    EXPECT_EQ(Stored(L"FileTitle", L"Stock0"), L"-");

    // The second start asks nothing and shows its windows; the End button quits with 0.
    driver::WriteRegistryValue(L"Software\\Mirelo\\Setting\\Genre", L"Genre2", REG_SZ, L"私の動画", 10);
    driver::Process p = driver::Launch(driver::MireloExePath(), arguments);
    HWND main = driver::WaitForMainWindow(p, 30000);
    ASSERT_TRUE(main);
    EXPECT_TRUE(driver::WindowsOf(p.id, L"#32770").empty());
    EXPECT_EQ(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST) << "kept on top";
    EXPECT_TRUE(driver::WaitForWindow(p.id, L"PWClassName", 5000));
    HWND end = GetDlgItem(main, 7);  // buttons carry their slot as control id
    ASSERT_TRUE(end);
    PostMessageW(end, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(driver::WaitForExit(p, 20000), 0u);
    EXPECT_EQ(Stored(L"Genre", L"Genre2", &bytes), L"私の動画");
    EXPECT_EQ(bytes, 10u) << "rewritten by the second start";
    // Both files in order (what an added entry stores is checked in-process).
    EXPECT_EQ(Stored(L"FileTitle", L"Stock0"), L"映像.avi");
    EXPECT_EQ(Stored(L"FileTitle", L"Stock1"), L"voice.wav");
    EXPECT_TRUE(driver::Exists(firstThumbnail));
    EXPECT_FALSE(driver::Exists(std::wstring(kCap) + L"\\No[1].bmp"));
}

}  // namespace
