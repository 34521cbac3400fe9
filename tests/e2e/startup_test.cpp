// Starts the real program as a person would and checks what it does and what it stores.
#include <gtest/gtest.h>

#include "tests/driver/driver.h"

namespace {

const wchar_t kKidou[] = L"Software\\Mirelo\\Setting\\Kidou";
const wchar_t kGenre[] = L"Software\\Mirelo\\Setting\\Genre";
const wchar_t kCap[] = L"Software\\Mirelo\\Setting\\Cap";
const wchar_t kDate[] = L"Software\\Mirelo\\Setting\\date";

TEST(Startup, FirstRunAsksAndWritesDefaultsLaterRunsTakeWhatIsStoredAndEndQuits) {
    // The first start asks twice (the driver fails without both boxes) and quits with 0.
    driver::CompleteFirstRun();
    size_t bytes = 0;
    EXPECT_EQ(driver::ReadRegistryText(kKidou, L"初回書き込み", &bytes), L"YES");
    EXPECT_EQ(bytes, 8u);
    EXPECT_EQ(driver::ReadRegistryText(kGenre, L"Genre21", &bytes), L"イベント");
    EXPECT_EQ(bytes, 520u);
    EXPECT_EQ(driver::ReadRegistryDword(kCap, L"CapWidth", 0), 60u);
    EXPECT_EQ(driver::ReadRegistryDword(kDate, L"Skin", 9), 0u);

    // The second start loads the settings, corrupt ones included, asks nothing and shows its
    // windows; the End button quits with exit code 0.
    driver::WriteRegistryValue(kGenre, L"Genre2", REG_SZ, L"私の動画", 10);
    const DWORD seven = 7;
    driver::WriteRegistryValue(kDate, L"Skin", REG_DWORD, &seven, 4);
    driver::WriteRegistryValue(kCap, L"CapWidth", REG_SZ, L"60", 6);
    driver::WriteRegistryValue(kCap, L"CapHight", REG_DWORD, &seven, 3);
    std::vector<wchar_t> huge(32768, L'長');
    driver::WriteRegistryValue(kGenre, L"Genre0", REG_SZ, huge.data(), 65536);
    std::vector<wchar_t> noTerminator(260, L'名');
    driver::WriteRegistryValue(kGenre, L"Genre1", REG_SZ, noTerminator.data(), 520);
    driver::WriteRegistryValue(kDate, L"URL", REG_SZ, noTerminator.data(), 517);
    driver::WriteRegistryValue(kDate, L"B_Play0", REG_BINARY, &seven, 4);
    driver::Process p = driver::Launch(driver::MireloExePath());
    HWND main = driver::WaitForMainWindow(p, 20000);
    ASSERT_TRUE(main);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(driver::WindowsOf(p.id, L"#32770").empty());
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 366);
    EXPECT_EQ(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    EXPECT_TRUE(driver::WaitForWindow(p.id, L"PWClassName", 5000));
    HWND end = GetDlgItem(main, 7);  // buttons carry their slot as control id
    ASSERT_TRUE(end);
    PostMessageW(end, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(driver::WaitForExit(p, 20000), 0u);
    EXPECT_EQ(driver::ReadRegistryText(kGenre, L"Genre2", &bytes), L"私の動画");
    EXPECT_EQ(bytes, 10u) << "rewritten by the second start";
}

}  // namespace
