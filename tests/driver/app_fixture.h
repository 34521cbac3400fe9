// In-process fixture: the program's real windows, created in the test process against the
// test prefix's registry, as at a normal (not first) start.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/driver/driver.h"

namespace driver {

// The fixed folders of the installation.
extern const wchar_t kCapFolder[];
extern const wchar_t kSkinFolder[];

// Starts from an empty program registry with the first run already done and an empty
// thumbnail folder; StartApp builds the main window and everything it creates. Every window
// is destroyed again at the end of the test.
class AppTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Creates the main window as the program does; call after storing what the test needs.
    HWND StartApp();

  public:
    // A white memory bitmap of the given size selected into a memory DC.
    struct Canvas {
        HDC dc = nullptr;
        HBITMAP bitmap = nullptr;
        HGDIOBJ old = nullptr;
        int width = 0, height = 0;
        ~Canvas();
        COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    };
    static void MakeCanvas(Canvas &canvas, int width, int height);
};

// A path in C:\mirelo-test\<folder>, the folder made when missing.
std::wstring InTestFolder(const wchar_t *folder, const std::wstring &name);

// A file tests/make_media.sh made before the tests (an MP3 and MPEG videos).
std::wstring MadeMedia(const std::wstring &name);

// Stores a stock entry directly in the registry, as the program writes one (four values of
// 1000 bytes), with a length text and a device type of its own.
void StoreStockEntry(int genre, int index, const std::wstring &title, const std::wstring &path);

// True while the program's media device reports that it is playing.
bool MediaPlaying();

// Writes a 24-bit BMP file of one colour.
bool WriteSolidBmp(const std::wstring &path, int width, int height, COLORREF colour);

}  // namespace driver
