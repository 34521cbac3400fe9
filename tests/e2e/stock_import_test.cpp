// Files named on the command line, imported by the real program at start.
#include <gtest/gtest.h>

#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

const wchar_t kFolder[] = L"C:\\mirelo-test\\取り込み テスト";
const wchar_t kCap[] = L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\Cap";

std::wstring Stored(const wchar_t *key, const wchar_t *name) {
    return driver::ReadRegistryText((std::wstring(L"Software\\Mirelo\\Setting\\") + key).c_str(), name);
}

using driver::Exists;

TEST(StartupImport, QuotedPathsAreAddedInOrderFromTheSecondStartOn) {
    CreateDirectoryW(L"C:\\mirelo-test", nullptr);
    CreateDirectoryW(kFolder, nullptr);
    const std::wstring avi = std::wstring(kFolder) + L"\\映像.avi";
    const std::wstring wav = std::wstring(kFolder) + L"\\voice.wav";
    ASSERT_TRUE(driver::WriteAvi(avi, 3, 64, 48));
    ASSERT_TRUE(driver::WriteWav(wav, 700));
    const std::wstring tooLong = L"C:\\" + std::wstring(300, L'x') + L".wav";
    const std::wstring arguments = L"\"" + avi + L"\" \"" + wav + L"\" \"" + tooLong + L"\"";
    const std::wstring firstThumbnail = std::wstring(kCap) + L"\\No[0].bmp";
    DeleteFileW(firstThumbnail.c_str());

    // The first start sets up and imports nothing.
    driver::CompleteFirstRun(driver::MireloExePath(), arguments);
    EXPECT_EQ(Stored(L"FileTitle", L"Stock0"), L"-");

    // The second start adds both, in order, and refuses the path no buffer can hold.
    driver::Process p = driver::Launch(driver::MireloExePath(), arguments);
    HWND main = driver::WaitForMainWindow(p, 30000);
    ASSERT_TRUE(main);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(driver::WaitForExit(p, 20000), 0u);
    EXPECT_EQ(Stored(L"FileTitle", L"Stock0"), L"映像.avi");
    EXPECT_EQ(Stored(L"FilePath", L"Stock0"), avi);
    EXPECT_EQ(Stored(L"FileTitle", L"Stock1"), L"voice.wav");
    EXPECT_EQ(Stored(L"FilePath", L"Stock1"), wav);
    EXPECT_EQ(Stored(L"FileTitle", L"Stock2"), L"-");
    EXPECT_TRUE(Exists(firstThumbnail));
    EXPECT_FALSE(Exists(std::wstring(kCap) + L"\\No[1].bmp"));
}

} // namespace
