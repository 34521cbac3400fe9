// Puts the real program on screen in a chosen state for a screenshot:
//   showcase.exe <skin 0|1|2> <panels 0|1> <seconds> [media files...]
// It marks the first run as done, sets the skin, starts Mirelo.exe (with the media files, if
// any, on its command line, so they are imported into an emptied stock list), optionally
// slides both side windows out, waits, then closes the program.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "resources/resource.h"
#include "tests/driver/driver.h"

int wmain(int argc, wchar_t **argv) {
    const DWORD skin = argc > 1 ? DWORD(_wtoi(argv[1])) : 0;
    // 1: both side windows out; 2: the calculator and the desk clock open instead; 3 to 6:
    // the settings dialog open on its first to fourth tab.
    const int panels = argc > 2 ? _wtoi(argv[2]) : 0, seconds = argc > 3 ? _wtoi(argv[3]) : 5;
    const wchar_t yes[] = L"YES";
    driver::WriteRegistryValue(L"Software\\Mirelo\\Setting\\Kidou", L"初回書き込み", REG_SZ, yes,
                               sizeof yes);
    driver::WriteRegistryValue(L"Software\\Mirelo\\Setting\\date", L"Skin", REG_DWORD, &skin, 4);
    std::wstring files;
    for (const wchar_t *key : {L"FileTitle", L"FileTime", L"FileTipe", L"FilePath"})
        if (argc > 4) RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\Mirelo\\Setting\\") + key).c_str());
    for (int i = 4; i < argc; ++i) files += std::wstring(L"\"") + argv[i] + L"\" ";
    driver::Process p = driver::Launch(driver::MireloExePath(), files);
    // Importing files (each opened, measured and given a thumbnail) comes before the window.
    HWND main = driver::WaitForMainWindow(p, 90000);
    if (!main) {
        std::printf("main window did not appear\n");
        driver::Kill(p);
        return 1;
    }
    if (panels == 1) {
        PostMessageW(main, WM_COMMAND, ID_LEFT_WINDOW, 0);
        PostMessageW(main, WM_COMMAND, ID_RIGHT_WINDOW, 0);
    } else if (panels == 2) {
        // The buttons' control ids are their slots: Den 18, Toke 17. Both windows open at the
        // screen's corner; the calculator is moved beside the clock.
        driver::Send(GetDlgItem(main, 18), WM_LBUTTONDOWN);
        if (HWND calculator = driver::WaitForWindow(p.id, L"DWClassName", 5000))
            SetWindowPos(calculator, nullptr, 300, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        driver::Send(GetDlgItem(main, 17), WM_LBUTTONDOWN);
    } else if (panels >= 3 && panels <= 6) {
        driver::Send(GetDlgItem(main, 21), WM_LBUTTONDOWN);  // Setting
        Sleep(500);
        for (HWND dialog : driver::WindowsOf(p.id, L"#32770")) {
            if (driver::WindowText(dialog) != L"セッティング") continue;
            SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            driver::Send(GetDlgItem(dialog, 1003), TCM_SETCURFOCUS, WPARAM(panels - 3));
        }
    }
    std::printf("ready\n");
    std::fflush(stdout);
    Sleep(DWORD(seconds) * 1000);
    PostMessageW(main, WM_CLOSE, 0, 0);
    return int(driver::WaitForExit(p, 10000));
}
