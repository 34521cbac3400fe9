// The media keys act while another window has the focus: play, pause and the next entry.
#include <gtest/gtest.h>

#include <windows.h>

#include "services/app_state.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/driver.h"
#include "tests/driver/media_files.h"

namespace {

class MediaKeys : public driver::AppTest {};

void Press(WORD key) {
    INPUT input[2] = {};
    for (INPUT &i : input) {
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = key;
    }
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

TEST_F(MediaKeys, TheTransportKeysActWhileAnotherWindowHasTheFocus) {
    const std::wstring one = driver::InTestFolder(L"keys", L"one.wav"),
                       two = driver::InTestFolder(L"keys", L"two.wav");
    ASSERT_TRUE(driver::WriteWav(one, 3000) && driver::WriteWav(two, 3000));
    driver::StoreStockEntry(0, 0, L"one.wav", one);
    driver::StoreStockEntry(0, 1, L"two.wav", two);
    StartApp();
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, nullptr, nullptr);
    SetForegroundWindow(other);
    SetFocus(other);

    Press(VK_MEDIA_PLAY_PAUSE);
    EXPECT_TRUE(driver::PumpUntil([] { return driver::MediaPlaying(); }, 2000)) << "play";
    Press(VK_MEDIA_PLAY_PAUSE);
    EXPECT_TRUE(driver::PumpUntil([] { return g_app.paused != 0; }, 2000)) << "pause";
    Press(VK_MEDIA_PLAY_PAUSE);
    EXPECT_TRUE(driver::PumpUntil([] { return !g_app.paused && driver::MediaPlaying(); }, 2000))
        << "on again";
    Press(VK_MEDIA_NEXT_TRACK);
    EXPECT_TRUE(driver::PumpUntil([] { return g_app.currentItem == 1; }, 2000)) << "next";
    DestroyWindow(other);
}

}  // namespace
