// Opening the desk clock, from the Toke press to the shaped window shown, with its shape cut
// by runs of black pixels and, for comparison, one region operation per pixel; and a frame
// capture of a 640 x 480 video, from the capture timer's tick to the file written.
//   accessories_bench.exe [media folder]    (default: the "media" folder beside the program)
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "bench/in_process.h"
#include "services/bitmap_region.h"
#include "services/media_device.h"
#include "services/registry.h"
#include "ui/accessories/photo_capture.h"
#include "ui/shell/main_window.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/pixel_region.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

const wchar_t kFolder[] = L"C:\\mirelo-bench";

double NowMs() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

template <class Work> double MedianMs(int runs, Work work) {
    double times[15];
    runs = std::min(runs, 15);
    for (int i = 0; i < runs; ++i) {
        const double start = NowMs();
        work();
        times[i] = NowMs() - start;
    }
    std::sort(times, times + runs);
    return times[runs / 2];
}

// A press of Toke until the clock is on screen, and the press that closes it again.
double OpenClockOnce() {
    const double start = NowMs();
    PressButton(SlotClock);
    UpdateWindow(g_ui.hClock);
    const double shown = NowMs();
    PressButton(SlotClock);
    return shown - start;
}

double RegionMs(HRGN (*build)(HBITMAP)) {
    HBITMAP mask = LoadBitmapW(g_app.hInst, L"TOKEIRGN");
    const double ms = MedianMs(5, [&] { DeleteObject(build(mask)); });
    DeleteObject(mask);
    return ms;
}

void BenchClock() {
    const double open = MedianMs(9, OpenClockOnce);
    const double byRuns = RegionMs(RegionFromBitmapHandle);
    const double byPixel = RegionMs(RegionFromBitmapPixelByPixel);
    std::printf("clock shape by runs of black pixels   %8.1f ms\n", byRuns);
    std::printf("clock shape pixel by pixel            %8.1f ms\n", byPixel);
    std::printf("clock opening, shape by runs          %8.1f ms  (measured)\n", open);
    std::printf("clock opening, shape pixel by pixel   %8.1f ms  (measured opening - runs + per pixel)\n",
                open - byRuns + byPixel);
}

// Ticks of the capture timer in series mode, each writing one file; playback goes on.
void BenchCapture(const wchar_t *label, const std::wstring &media) {
    OpenMedia(media.c_str());
    DevicePlay();
    driver::PumpMessages(500);
    const std::wstring folder = std::wstring(kFolder) + L"\\shots";
    CreateDirectoryW(folder.c_str(), nullptr);
    lstrcpynW(g_ui.capture.shotFolder, folder.c_str(), ARRAYSIZE(g_ui.capture.shotFolder));
    g_ui.nShotCount = 1000;
    g_ui.capture.shotCounter = 1;
    HWND button = g_ui.buttons[SlotPhoto];
    const double ms = MedianMs(5, [&] { OnShotTimer(button); });
    const std::wstring last = folder + L"\\Syasin" + std::to_wstring(g_ui.capture.shotCounter) + L".bmp";
    const bool written = GetFileAttributesW(last.c_str()) != INVALID_FILE_ATTRIBUTES;
    std::printf("capture of a %-20ls %8.1f ms  (tick to file written, median of 5%s)\n", label, ms,
                written ? "" : ", NO FILE");
    KillTimer(button, TIMER_SHOT);
}

} // namespace

int main(int argc, char **argv) {
    CoInitialize(nullptr);
    const std::wstring media = bench::MediaFolderArgument(argc, argv, 1);
    CreateDirectoryW(kFolder, nullptr);
    const std::wstring avi = std::wstring(kFolder) + L"\\vga.avi";
    driver::WriteAvi(avi, 50, 640, 480);
    bench::StartProgramInProcess();

    BenchClock();
    BenchCapture(L"640x480 AVI", avi);
    BenchCapture(L"640x480 MPG", media + L"\\vga.mpg");

    CloseMedia();
    DestroyWindow(g_ui.hMain);
    DestroyWindow(g_ui.hPlay);
    CloseRegistryKeys(g_app.keys);
    CoUninitialize();
    return 0;
}
