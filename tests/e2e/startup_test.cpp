// Starts the real program as a person would and checks what it does and what it stores.
#include <gtest/gtest.h>

#include "tests/driver/driver.h"

namespace {

const wchar_t kKidou[] = L"Software\\Mirelo\\Setting\\Kidou";
const wchar_t kGenre[] = L"Software\\Mirelo\\Setting\\Genre";
const wchar_t kCap[] = L"Software\\Mirelo\\Setting\\Cap";
const wchar_t kDate[] = L"Software\\Mirelo\\Setting\\date";

TEST(Startup, FirstRunAsksAndWritesDefaultsLaterRunsTakeWhatIsStoredAndEndQuits) {
    driver::DeleteProgramRegistry();
    driver::Process p = driver::Launch(driver::MireloExePath());
    ASSERT_TRUE(p.handle);

    const auto first = driver::AnswerBox(p.id);
    EXPECT_EQ(first.text, L"初期設定を行いますOKボタンを押してください");
    EXPECT_EQ(first.caption, L"初期設定(初回起動のみ");
    // The marker is written as soon as the first box is answered.
    const auto second = driver::AnswerBox(p.id);
    EXPECT_EQ(second.text, L"Mireloの初回ファイル設定が終了致しました");
    EXPECT_EQ(second.caption, L"初期設定終了");

    HWND main = driver::WaitForMainWindow(p, 20000);
    ASSERT_TRUE(main);
    EXPECT_EQ(driver::WindowText(main), L"Mirelo");
    RECT r;
    GetWindowRect(main, &r);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(r.bottom - r.top, 366);
    EXPECT_EQ(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
    EXPECT_TRUE(driver::WaitForWindow(p.id, L"PWClassName", 5000));

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(driver::WaitForExit(p, 20000), 0u);

    DWORD type = 0;
    std::vector<BYTE> data;
    ASSERT_TRUE(driver::ReadRegistryValue(kKidou, L"初回書き込み", &type, &data));
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(data.size(), 8u);
    ASSERT_TRUE(driver::ReadRegistryValue(kGenre, L"Genre21", &type, &data));
    EXPECT_EQ(data.size(), 520u);
    EXPECT_STREQ(reinterpret_cast<wchar_t *>(data.data()), L"イベント");
    EXPECT_EQ(driver::ReadRegistryDword(kCap, L"CapWidth", 0), 60u);
    EXPECT_EQ(driver::ReadRegistryDword(kDate, L"Skin", 9), 0u);

    // The second start loads the settings, corrupt ones included, and asks nothing; the End
    // button quits with exit code 0.
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
    p = driver::Launch(driver::MireloExePath());
    main = driver::WaitForMainWindow(p, 20000);
    ASSERT_TRUE(main);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(driver::WindowsOf(p.id, L"#32770").empty());
    HWND end = GetDlgItem(main, 7);  // buttons carry their slot as control id
    ASSERT_TRUE(end);
    PostMessageW(end, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(driver::WaitForExit(p, 20000), 0u);
    // Nothing was rewritten by the second start.
    ASSERT_TRUE(driver::ReadRegistryValue(kGenre, L"Genre2", &type, &data));
    EXPECT_EQ(data.size(), 10u);
}

}  // namespace
