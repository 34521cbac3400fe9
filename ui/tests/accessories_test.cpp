// The calculator and the desk clock on the real windows: their buttons, keys, shapes and texts.


#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/bitmap_region.h"
#include "ui/accessories/calculator_window.h"
#include "ui/accessories/clock_window.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/app_fixture.h"
#include "tests/driver/pixel_region.h"

namespace {

int CALLBACK CountFontRecords(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM count) {
    *reinterpret_cast<int *>(count) += record->iType == EMR_EXTCREATEFONTINDIRECTW;
    return 1;
}

class Accessories : public driver::AppTest {};

std::wstring DisplayText() {
    wchar_t text[64] = L"";
    GetDlgItemTextW(g_ui.hCalculator, IDC_CALCULATOR_DISPLAY, text, 64);
    return text;
}

void Click(int key) {
    SendMessageW(GetDlgItem(g_ui.hCalculator, key), BM_CLICK, 0, 0);
}

HRGN WindowShape(HWND window) {
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(window, shape) == ERROR) {
        DeleteObject(shape);
        return nullptr;
    }
    return shape;
}

TEST_F(Accessories, DenAndTokeOpenAShapedCalculatorAndClockThatWorkAndCloseAgain) {
    StartApp();
    PressButton(SlotCalculator);
    HWND calculator = g_ui.hCalculator;
    ASSERT_TRUE(calculator && IsWindowVisible(calculator));
    EXPECT_EQ(g_ui.buttonFace[SlotCalculator], 1);
    // The keys reach the display (the arithmetic is tested platform-free).
    for (int key : {int(KeyDigitFirst), KeyDigitFirst + 1, int(KeyPoint), KeyDigitFirst + 4, int(KeyMultiply),
                    KeyDigitFirst + 3, int(KeyEquals)})
        Click(key);
    EXPECT_EQ(DisplayText(), L"50.000");

    // Shaped: the top-left corner is cut.
    HRGN shape = WindowShape(calculator);
    ASSERT_TRUE(shape);
    EXPECT_FALSE(PtInRegion(shape, 2, 2));

    PressButton(SlotCalculator);
    EXPECT_FALSE(IsWindow(calculator) || g_ui.hCalculator || g_ui.buttonFace[SlotCalculator]);

    PressButton(SlotClock);
    HWND clock = g_ui.hClock;
    ASSERT_TRUE(clock && IsWindowVisible(clock));

    // The region made from the mask's runs is the one a pixel-by-pixel cut gives (the runs
    // themselves are tested platform-free).
    DeleteObject(shape);
    shape = WindowShape(clock);
    ASSERT_TRUE(shape) << "the clock has its mask's shape";
    HBITMAP mask = LoadBitmapW(g_app.hInst, L"TOKEIRGN");
    HRGN slow = RegionFromBitmapPixelByPixel(mask);
    EXPECT_TRUE(EqualRgn(shape, slow));
    DeleteObject(slow);
    DeleteObject(mask);
    DeleteObject(shape);

    // The first tick fills the texts (their forms are tested platform-free).
    EXPECT_TRUE(driver::PumpUntil([] { return g_ui.clockTexts.date[0] != 0; }, 1000));

    // The texts are drawn in their colour over the face, in a Japanese font that exists here
    // and has digits: "00" and "88" do not come out as the same boxes.
    auto colouredPixels = [](const wchar_t *time) {
        lstrcpyW(g_ui.clockTexts.time, time);
        Canvas canvas;
        MakeCanvas(canvas, 296, 296);
        DrawClock(canvas.dc);
        int coloured = 0;
        for (int y = 182; y < 255; ++y)
            for (int x = 30; x < 230; ++x)
                if (canvas.At(x, y) == RGB(0xE3, 0x00, 0x7B)) ++coloured;
        return coloured;
    };
    const int zeros = colouredPixels(L"00時00分00秒");
    EXPECT_GT(zeros, 200) << "the texts are drawn";
    EXPECT_NE(zeros, colouredPixels(L"88時88分88秒")) << "the digits are drawn";

    // Two paints recorded in a metafile: a font is recorded once however often it is
    // selected, so fonts made for each text or each paint show as more than the two sizes.
    HDC record = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
    DrawClock(record);
    DrawClock(record);
    HENHMETAFILE recorded = CloseEnhMetaFile(record);
    int fonts = 0;
    EnumEnhMetaFile(nullptr, recorded, CountFontRecords, &fonts, nullptr);
    DeleteEnhMetaFile(recorded);
    EXPECT_EQ(fonts, 2) << "the clock's two fonts are made once";

    PressButton(SlotClock);
    EXPECT_FALSE(IsWindow(clock) || g_ui.hClock);
}

} // namespace
