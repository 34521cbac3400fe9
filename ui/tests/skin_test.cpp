// Drawing of the buttons, the main window and the side windows, read back pixel by pixel.

#include <algorithm>

#include "services/transport.h"
#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "services/registry.h"
#include "services/settings.h"
#include "ui/shell/main_window.h"
#include "services/skin.h"
#include "ui/shell/skinned_button.h"
#include "tests/driver/app_fixture.h"

namespace {

using driver::AppTest;

const std::wstring kSkinDir = std::wstring(driver::kSkinFolder) + L"\\";

std::vector<COLORREF> Pixels(const AppTest::Canvas &c) {
    std::vector<COLORREF> out;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x) out.push_back(c.At(x, y));
    return out;
}

std::vector<COLORREF> DrawnButton(int slot, int skin, int face) {
    g_app.settings.Skin = skin;
    g_ui.buttonFace[slot] = face;
    AppTest::Canvas c;
    AppTest::MakeCanvas(c, 72, 72);
    DrawButton(c.dc, slot);
    return Pixels(c);
}

class SkinTest : public AppTest {};

TEST_F(SkinTest, BothSkinsShowTheSameButtonsMasksKeepCornersClearAndAUserFileReplacesOnlyItsFace) {
    for (int slot = 0; slot < kButtonCount; ++slot) {
        for (int face = 0; face < 2; ++face)
            EXPECT_EQ(DrawnButton(slot, SkinCute, face), DrawnButton(slot, SkinCool, face))
                << "slot " << slot << " face " << face;
        if (!kButtonArt[slot].mask) continue;
        const std::vector<COLORREF> px = DrawnButton(slot, SkinCute, 0);
        EXPECT_EQ(px[0], RGB(255, 255, 255)) << "corner of slot " << slot;
        EXPECT_GT(std::count_if(px.begin(), px.end(), [](COLORREF c) { return c != RGB(255, 255, 255); }),
                  100)
            << "slot " << slot << " drew nothing";
    }

    // A user skin file replaces only its own face, inside the program's own mask. The bitmaps
    // stay loaded between paints: a file changed on disk shows from the next choice of a skin,
    // and the bitmaps of the skin left are deleted.
    const std::wstring face = kSkinDir + L"Stop_Nomal.bmp";
    ASSERT_TRUE(driver::WriteSolidBmp(face, 64, 64, RGB(250, 0, 250)));
    OpenRegistryKeys(g_app.keys);
    WriteSkin(SkinUser);
    const std::vector<COLORREF> stop = DrawnButton(SlotStop, SkinUser, 0);
    EXPECT_EQ(stop[35 * 72 + 32], RGB(250, 0, 250)) << "the file's face inside the outline";
    EXPECT_EQ(stop[1 * 72 + 1], RGB(255, 255, 255)) << "the mask keeps the corner transparent";
    ASSERT_TRUE(driver::WriteSolidBmp(face, 64, 64, RGB(0, 200, 0)));
    EXPECT_EQ(DrawnButton(SlotStop, SkinUser, 0), stop) << "kept";
    WriteSkin(SkinUser);
    EXPECT_EQ(DrawnButton(SlotStop, SkinUser, 0)[35 * 72 + 32], RGB(0, 200, 0)) << "chosen again";

    const HBITMAP mask = ResourceBitmap(L"Shadow"), background = MainBackground();
    for (int i = 0; i < 20; ++i) DrawnButton(SlotStop, SkinUser, i % 2);
    EXPECT_EQ(ResourceBitmap(L"Shadow"), mask);
    EXPECT_EQ(MainBackground(), background);
    WriteSkin(SkinCool);
    EXPECT_EQ(GetObjectType(mask), 0u);
    EXPECT_EQ(GetObjectType(background), 0u);

    // The pushed face has no file: it falls back to the program's own, independently.
    EXPECT_EQ(DrawnButton(SlotStop, SkinUser, 1), DrawnButton(SlotStop, SkinCute, 1));
    EXPECT_EQ(DrawnButton(SlotPlay, SkinUser, 0), DrawnButton(SlotPlay, SkinCute, 0));
    EXPECT_NE(DrawnButton(SlotStop, SkinCute, 0), stop) << "the file outside the user skin";
}

COLORREF MainPixel(int skin, int x, int y) {
    g_app.settings.Skin = skin;
    AppTest::Canvas c;
    AppTest::MakeCanvas(c, 400, 371);
    PaintMainWindow(c.dc);
    return c.At(x, y);
}

// Counts the pixels of exactly `colour` inside and outside a box.
std::pair<int, int> CountColour(const AppTest::Canvas &c, COLORREF colour, RECT box) {
    int inside = 0, outside = 0;
    for (int y = 0; y < c.height; ++y)
        for (int x = 0; x < c.width; ++x)
            if (c.At(x, y) == colour) {
                const POINT p = {x, y};
                (PtInRect(&box, p) ? inside : outside)++;
            }
    return {inside, outside};
}

TEST_F(SkinTest, TheBackgroundFollowsTheSkinTextsTheirColoursAndPlacesAndTheTimeLosesItsBlanks) {
    const int x = 200, y = 200;
    EXPECT_NE(MainPixel(SkinCute, x, y), MainPixel(SkinCool, x, y));
    EXPECT_EQ(MainPixel(SkinUser, x, y), MainPixel(SkinCute, x, y)) << "no file";
    EXPECT_EQ(MainPixel(7, x, y), MainPixel(SkinCute, x, y)) << "stored skin out of range";
    ASSERT_TRUE(driver::WriteSolidBmp(kSkinDir + L"MainWindow.bmp", 398, 371, RGB(9, 99, 199)));
    EXPECT_EQ(MainPixel(SkinUser, x, y), RGB(9, 99, 199));

    // Text 9 in its colour at its place and nowhere else; text 1 is the position time.
    const COLORREF colour = RGB(7, 201, 13);
    auto paint = [](int n) {
        g_app.settings.rgb[n][0] = 7;
        g_app.settings.rgb[n][1] = 201;
        g_app.settings.rgb[n][2] = 13;
    };
    paint(8);
    g_app.settings.nMWText_X[8] = 60;
    g_app.settings.nMWText_Y[8] = 120;
    auto draw = [&](const wchar_t *time, Canvas &canvas) {
        lstrcpyW(Display().positionText, time);
        MakeCanvas(canvas, 400, 371);
        PaintMainWindow(canvas.dc);
    };
    Canvas canvas;
    draw(L" 1 分 23 秒", canvas);
    const auto counts = CountColour(canvas, colour, RECT{60, 120, 150, 144});
    EXPECT_GT(counts.first, 5) << "text 9 is not at its position";
    EXPECT_EQ(counts.second, 0) << "text 9 drawn elsewhere";

    // The position time is drawn without its blanks.
    paint(0);
    auto right = [&](const wchar_t *time) {
        Canvas c;
        draw(time, c);
        int found = 0;
        for (int y = 56; y < 80; ++y)
            for (int x = 160; x < 400; ++x)
                if (c.At(x, y) == colour) found = std::max(found, x);
        return found;
    };
    EXPECT_EQ(right(L" 1 分 23 秒"), right(L"1分23秒"));
}

}  // namespace
