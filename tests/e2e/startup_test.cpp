// Starts the real program as a person would and checks what it does and what it stores.
#include <gtest/gtest.h>

#include "tests/driver/driver.h"

namespace {

const wchar_t kKidou[] = L"Software\\Mirelo\\Setting\\Kidou";
const wchar_t kGenre[] = L"Software\\Mirelo\\Setting\\Genre";
const wchar_t kCap[] = L"Software\\Mirelo\\Setting\\Cap";
const wchar_t kDate[] = L"Software\\Mirelo\\Setting\\date";

// Answers one message box and returns its text and caption.
std::pair<std::wstring, std::wstring> AnswerBox(driver::Process &p) {
    HWND box = driver::WaitForWindow(p.id, L"#32770", 20000);
    if (!box) return {};
    auto seen = std::make_pair(driver::MessageBoxText(box), driver::WindowText(box));
    driver::PressDialogButton(box, IDOK);
    for (int i = 0; i < 250 && IsWindow(box); ++i) Sleep(20);
    return seen;
}

TEST(Startup, FirstRunAsksThenWritesDefaultsAndLaterRunsDoNot) {
    driver::DeleteProgramRegistry();
    driver::Process p = driver::Launch(driver::MireloExePath());
    ASSERT_TRUE(p.handle);

    const auto first = AnswerBox(p);
    EXPECT_EQ(first.first, L"初期設定を行いますOKボタンを押してください");
    EXPECT_EQ(first.second, L"初期設定(初回起動のみ");
    // The marker is written as soon as the first box is answered.
    const auto second = AnswerBox(p);
    EXPECT_EQ(second.first, L"Mireloの初回ファイル設定が終了致しました");
    EXPECT_EQ(second.second, L"初期設定終了");

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

    // The second start loads the settings and asks nothing.
    driver::WriteRegistryValue(kGenre, L"Genre0", REG_SZ, L"私の動画", 10);
    p = driver::Launch(driver::MireloExePath());
    main = driver::WaitForMainWindow(p, 20000);
    ASSERT_TRUE(main);
    EXPECT_TRUE(driver::WindowsOf(p.id, L"#32770").empty());
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(driver::WaitForExit(p, 20000), 0u);
    // Nothing was rewritten by the second start.
    ASSERT_TRUE(driver::ReadRegistryValue(kGenre, L"Genre0", &type, &data));
    EXPECT_EQ(data.size(), 10u);
}

TEST(Startup, CorruptStoredValuesDoNotStopTheProgram) {
    driver::CompleteFirstRun();
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
    // It paints with the stored skin out of range and keeps running.
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    EXPECT_TRUE(driver::WindowsOf(p.id, L"#32770").empty());
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(driver::WaitForExit(p, 20000), 0u);
}

}  // namespace

namespace {

TEST(Shutdown, TheEndButtonQuitsWithExitCodeZero) {
    driver::CompleteFirstRun();
    driver::Process p = driver::Launch(driver::MireloExePath());
    HWND main = driver::WaitForMainWindow(p, 20000);
    ASSERT_TRUE(main);
    HWND end = GetDlgItem(main, 7);  // buttons carry their slot as control id
    ASSERT_TRUE(end);
    PostMessageW(end, WM_LBUTTONDOWN, 0, 0);
    EXPECT_EQ(driver::WaitForExit(p, 20000), 0u);
}

TEST(Shutdown, ShiftXQuitsWithExitCodeZero) {
    driver::CompleteFirstRun();
    driver::Process p = driver::Launch(driver::MireloExePath());
    HWND main = driver::WaitForMainWindow(p, 20000);
    ASSERT_TRUE(main);
    PostMessageW(main, WM_COMMAND, 40011, 0);
    EXPECT_EQ(driver::WaitForExit(p, 20000), 0u);
}

}  // namespace
