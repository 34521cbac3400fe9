// The smallest program that plays a file through the same MCI device as the player, with its
// picture in a window of its own: the yardstick for the player's CPU use.
//   minimal_player.exe <file>
#include <windows.h>
#include <mmsystem.h>

#include <string>

int wmain(int argc, wchar_t **argv) {
    if (argc < 2) return 2;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"MinimalPlayer";
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"Minimal player", WS_POPUP | WS_VISIBLE,
                                  100, 100, 535, 400, nullptr, nullptr, wc.hInstance, nullptr);
    const std::wstring open = L"open \"" + std::wstring(argv[1]) +
                              L"\" type mpegvideo alias music style child parent " +
                              std::to_wstring(reinterpret_cast<UINT_PTR>(window));
    if (mciSendStringW(open.c_str(), nullptr, 0, nullptr) != 0) return 1;
    mciSendStringW(L"play music", nullptr, 0, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    mciSendStringW(L"close music", nullptr, 0, nullptr);
    return 0;
}
