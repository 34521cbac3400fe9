// The setup program as an administrator deploys it: silent install, first start, install
// over an existing install, silent uninstall. Runs in a Wine prefix of its own
// (tests/installer/run.sh), so nothing of the other tests' prefix is touched.
#include <gtest/gtest.h>
#include <shlobj.h>

#include "resources/version.h"
#include "tests/driver/driver.h"

namespace {

const std::wstring kFolder = L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\";
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Mirelo";
const wchar_t kTitles[] = L"Software\\Mirelo\\Setting\\FileTitle";

bool Exists(const std::wstring &path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring CommonFolder(int csidl) {
    wchar_t path[MAX_PATH] = L"";
    SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::wstring UninstallText(const wchar_t *name) {
    wchar_t text[512] = L"";
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, text, &size))
        return L"";
    return text;
}

void RunSetup(const std::wstring &exe, const wchar_t *arguments) {
    driver::Process p = driver::Launch(exe, arguments);
    ASSERT_TRUE(p.handle) << "cannot start " << std::string(exe.begin(), exe.end());
    ASSERT_EQ(driver::WaitForExit(p, 120000), 0u);
}

TEST(Installer, SilentInstallStartsReinstallsAndUninstallsKeepingTheUsersData) {
    const std::wstring setup = driver::ProgramFolder() + L"Mirelo-setup.exe";
    const std::wstring programs = CommonFolder(CSIDL_COMMON_PROGRAMS) + L"\\Mirelo\\";

    RunSetup(setup, L"/S");
    EXPECT_TRUE(Exists(kFolder + L"Mirelo.exe"));
    EXPECT_TRUE(Exists(kFolder + L"uninstall.exe"));
    EXPECT_TRUE(Exists(kFolder + L"Cap"));
    EXPECT_TRUE(Exists(kFolder + L"Bmp"));
    EXPECT_TRUE(Exists(programs + L"Mirelo.lnk"));
    EXPECT_FALSE(Exists(CommonFolder(CSIDL_COMMON_DESKTOPDIRECTORY) + L"\\Mirelo.lnk"))
        << "the desktop shortcut is only made when chosen";
    EXPECT_EQ(UninstallText(L"DisplayName"), L"Mirelo Free Edition");
    EXPECT_EQ(UninstallText(L"DisplayVersion"), L"" MIRELO_VERSION_TEXT);
    EXPECT_EQ(UninstallText(L"Publisher"), L"Oakhollow");
    EXPECT_EQ(UninstallText(L"DisplayIcon"), kFolder + L"Mirelo.exe,0");
    EXPECT_EQ(UninstallText(L"QuietUninstallString"), L"\"" + kFolder + L"uninstall.exe\" /S");
    DWORD size = 0, bytes = sizeof size;
    RegGetValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"EstimatedSize", RRF_RT_REG_DWORD, nullptr,
                 &size, &bytes);
    EXPECT_GT(size, 100u) << "KB";

    // The installed program starts, asks its first-run questions and writes its settings.
    driver::CompleteFirstRun(kFolder + L"Mirelo.exe");
    EXPECT_EQ(driver::ReadRegistryDword(L"Software\\Mirelo\\Setting\\Cap", L"CapWidth", 0), 60u);

    // A playlist entry and its thumbnail survive an install over the existing one...
    wchar_t title[500] = L"残す曲";
    driver::WriteRegistryValue(kTitles, L"Stock0", REG_SZ, title, sizeof title);
    const std::wstring thumbnail = kFolder + L"Cap\\No[0].bmp";
    HANDLE f = CreateFileW(thumbnail.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    CloseHandle(f);
    RunSetup(setup, L"/S");
    DWORD type = 0;
    std::vector<BYTE> data;
    EXPECT_TRUE(driver::ReadRegistryValue(kTitles, L"Stock0", &type, &data));
    EXPECT_TRUE(Exists(thumbnail));
    EXPECT_TRUE(Exists(kFolder + L"Mirelo.exe"));

    // ...and a silent uninstall, which removes the program, its shortcuts and its entry.
    // The uninstaller copies itself away and returns at once; its last step removes the entry.
    RunSetup(kFolder + L"uninstall.exe", L"/S");
    for (int i = 0; i < 300 && !UninstallText(L"DisplayName").empty(); ++i) Sleep(100);
    EXPECT_FALSE(Exists(kFolder + L"Mirelo.exe"));
    EXPECT_FALSE(Exists(kFolder + L"uninstall.exe"));
    EXPECT_FALSE(Exists(programs + L"Mirelo.lnk"));
    EXPECT_EQ(UninstallText(L"DisplayName"), L"");
    EXPECT_TRUE(driver::ReadRegistryValue(kTitles, L"Stock0", &type, &data));
    EXPECT_TRUE(Exists(thumbnail));
}

}  // namespace
