// Start-up time: from process creation until the main window is shown and the program idles
// in its message loop, for Mirelo.exe and for a program that opens one bare window.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "tests/driver/driver.h"

static double MeasureOnce(const std::wstring &exe, const wchar_t *windowClass) {
    LARGE_INTEGER freq, start, end;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&start);
    driver::Process p = driver::Launch(exe);
    HWND window = driver::WaitForWindow(p.id, windowClass, 30000);
    if (window) WaitForInputIdle(p.handle, 30000);
    QueryPerformanceCounter(&end);
    if (window) PostMessageW(window, WM_CLOSE, 0, 0);
    driver::WaitForExit(p, 10000);
    return window ? double(end.QuadPart - start.QuadPart) * 1000.0 / double(freq.QuadPart) : -1;
}

static void Report(const char *name, const std::wstring &exe, const wchar_t *windowClass) {
    std::vector<double> ms;
    for (int i = 0; i < 7; ++i) ms.push_back(MeasureOnce(exe, windowClass));
    std::sort(ms.begin(), ms.end());
    std::printf("%-16s median %7.1f ms   min %7.1f ms   max %7.1f ms   (%zu runs)\n", name,
                ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
}

int main() {
    const wchar_t yes[] = L"YES";
    driver::WriteRegistryValue(L"Software\\Mirelo\\Setting\\Kidou", L"初回書き込み", REG_SZ, yes,
                               sizeof yes);
    Report("minimal window", driver::ProgramFolder() + L"minimal_window.exe", L"MinimalWindow");
    Report("Mirelo.exe", driver::MireloExePath(), L"MWClassName");
    return 0;
}
