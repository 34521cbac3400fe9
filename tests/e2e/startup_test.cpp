// Starts the real program as a person would and checks what it does and what it stores.
#include <gtest/gtest.h>

#include "tests/driver/driver.h"

namespace {

const wchar_t kKidou[] = L"Software\\Mirelo\\Setting\\Kidou";
const wchar_t kGenre[] = L"Software\\Mirelo\\Setting\\Genre";
const wchar_t kDate[] = L"Software\\Mirelo\\Setting\\date";

// Which stored values of a wrong shape are refused is tested in-process against the same
// registry; here the first start, a second start that asks nothing, and the End button.
TEST(Startup, FirstRunAsksAndWritesDefaultsLaterRunsKeepWhatIsStoredAndEndQuits) {
    // The first start asks twice (the driver fails without both boxes) and quits with 0.
    driver::CompleteFirstRun();
    size_t bytes = 0;
    EXPECT_EQ(driver::ReadRegistryText(kKidou, L"初回書き込み"), L"YES");
    EXPECT_EQ(driver::ReadRegistryText(kGenre, L"Genre21", &bytes), L"イベント");
    EXPECT_EQ(bytes, 520u);
    EXPECT_EQ(driver::ReadRegistryDword(kDate, L"Skin", 9), 0u);

    // The second start asks nothing and shows its windows; the End button quits with 0.
    driver::WriteRegistryValue(kGenre, L"Genre2", REG_SZ, L"私の動画", 10);
    driver::Process p = driver::Launch(driver::MireloExePath());
    HWND main = driver::WaitForMainWindow(p, 20000);
    ASSERT_TRUE(main);
    EXPECT_TRUE(driver::WindowsOf(p.id, L"#32770").empty());
    EXPECT_EQ(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST) << "kept on top";
    EXPECT_TRUE(driver::WaitForWindow(p.id, L"PWClassName", 5000));
    HWND end = GetDlgItem(main, 7);  // buttons carry their slot as control id
    ASSERT_TRUE(end);
    PostMessageW(end, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(driver::WaitForExit(p, 20000), 0u);
    EXPECT_EQ(driver::ReadRegistryText(kGenre, L"Genre2", &bytes), L"私の動画");
    EXPECT_EQ(bytes, 10u) << "rewritten by the second start";
}

}  // namespace
