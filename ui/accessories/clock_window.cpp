#include "ui/accessories/clock_window.h"

#include <string>
#include <vector>

#include "resources/resource.h"
#include "services/app_state.h"
#include "ui/window_state.h"
#include "ui/shell/draw_bitmap.h"
#include "services/bitmap_region.h"
#include "ui/accessories/accessory_window.h"

const wchar_t kClockClass[] = L"TWClassName";

namespace {

enum { kSide = 296, kFaceWidth = 290 };

const wchar_t kBrushFont[] = L"HG行書体";
const COLORREF kTextColour = RGB(0xE3, 0x00, 0x7B);

// The face the texts are drawn in: the brush-style font when it is installed, otherwise the
// first Japanese font that has every character the texts use (some have no digits).
wchar_t g_faceName[LF_FACESIZE];

const wchar_t kClockCharacters[] = L"0123456789年月日時分秒曜火水木金土";

int CALLBACK NoteFont(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM faces) {
    // Faces for vertical writing ("@...") do not read across.
    if (font->lfFaceName[0] != L'@')
        reinterpret_cast<std::vector<std::wstring> *>(faces)->push_back(font->lfFaceName);
    return 1;
}

HFONT CreateClockFont(int height, const wchar_t *face) {
    return CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY,
                       FIXED_PITCH | FF_MODERN, face);
}

bool HasClockCharacters(HDC dc, const std::wstring &face) {
    HFONT font = CreateClockFont(20, face.c_str());
    HGDIOBJ old = SelectObject(dc, font);
    WORD glyphs[ARRAYSIZE(kClockCharacters)] = {};
    const int count = ARRAYSIZE(kClockCharacters) - 1;
    bool all = GetGlyphIndicesW(dc, kClockCharacters, count, glyphs,
                                GGI_MARK_NONEXISTING_GLYPHS) == DWORD(count);
    for (int i = 0; all && i < count; ++i) all = glyphs[i] != 0xFFFF;
    SelectObject(dc, old);
    DeleteObject(font);
    return all;
}

void ChooseFace() {
    HDC screen = GetDC(nullptr);
    std::vector<std::wstring> faces;
    LOGFONTW wanted = {};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(wanted.lfFaceName, kBrushFont, LF_FACESIZE);
    EnumFontFamiliesExW(screen, &wanted, NoteFont, reinterpret_cast<LPARAM>(&faces), 0);
    if (faces.empty()) {
        wanted.lfFaceName[0] = L'\0';
        EnumFontFamiliesExW(screen, &wanted, NoteFont, reinterpret_cast<LPARAM>(&faces), 0);
    }
    std::wstring chosen = kBrushFont;
    for (const std::wstring &face : faces)
        if (HasClockCharacters(screen, face)) {
            chosen = face;
            break;
        }
    ReleaseDC(nullptr, screen);
    lstrcpynW(g_faceName, chosen.c_str(), LF_FACESIZE);
}

// The texts' two sizes, each made at its first paint and kept while the program runs.
HFONT g_clockFonts[2];
const int kClockFontHeights[2] = {25, 20};

HFONT ClockFont(int height) {
    const int i = height == kClockFontHeights[0] ? 0 : 1;
    if (!g_clockFonts[i]) g_clockFonts[i] = CreateClockFont(kClockFontHeights[i], g_faceName);
    return g_clockFonts[i];
}

void DrawClockText(HDC dc, int x, int y, int height, const wchar_t *text) {
    HGDIOBJ old = SelectObject(dc, ClockFont(height));
    SetTextColor(dc, kTextColour);
    TextOutW(dc, x, y, text, lstrlenW(text));
    SelectObject(dc, old);
}

void OnCreate(HWND hwnd) {
    if (!g_faceName[0]) ChooseFace();
    // Without its mask the clock keeps its rectangle.
    if (HRGN shape = RegionFromBitmap(g_app.hInst, L"TOKEIRGN")) SetWindowRgn(hwnd, shape, FALSE);
    SetTimer(hwnd, TIMER_CLOCK, 500, nullptr);
}

void OnTimer(HWND hwnd) {
    UpdateClockTexts();
    InvalidateRect(hwnd, nullptr, TRUE);
}

} // namespace

void UpdateClockTexts() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    FormatClockTexts(ClockTime{now.wYear, now.wMonth, now.wDayOfWeek, now.wDay, now.wHour,
                               now.wMinute, now.wSecond},
                     g_ui.clockTexts);
}

void DrawClock(HDC dc) {
    if (HBITMAP face = LoadBitmapW(g_app.hInst, L"Tokei")) {
        DrawBitmap(dc, face, kFaceWidth, kSide);
        DeleteObject(face);
    }
    if (!g_faceName[0]) ChooseFace();
    SetBkMode(dc, TRANSPARENT);
    const ClockTexts &t = g_ui.clockTexts;
    DrawClockText(dc, 38, 202, kClockFontHeights[0], t.time);
    DrawClockText(dc, 48, 182, kClockFontHeights[1], t.date);
    DrawClockText(dc, 88, 227, kClockFontHeights[0], t.weekday);
}

HWND OpenClock() { return OpenAccessory(kClockClass, ClockProc, L"時計", kSide, kSide); }

void CloseClock() { CloseAccessory(&g_ui.hClock); }

LRESULT CALLBACK ClockProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_TIMER:
        OnTimer(hwnd);
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd, TIMER_CLOCK);
        break;
    }
    return AccessoryProc(Accessory{&g_ui.hClock, OnCreate, DrawClock}, hwnd, msg, wParam, lParam);
}
