#include "ui/shell/program_font.h"

#include <vector>

namespace {

// Japanese Windows has the first; Western Windows with its Japanese fonts has the first three;
// the IPA faces are what Wine finds on a Linux desktop. IPAGothic before IPAPGothic: Wine already
// draws the system's Japanese text in it, so no second large face is loaded (about 35 ms at
// start-up).
const wchar_t *const kFaces[] = {L"MS UI Gothic", L"Meiryo UI", L"Yu Gothic UI", L"MS PGothic",
                                 L"IPAGothic",    L"IPAPGothic"};

wchar_t g_face[LF_FACESIZE];

int CALLBACK TakeFace(const LOGFONTW *font, const TEXTMETRICW *, DWORD, LPARAM to) {
    // Faces for vertical writing ("@...") do not read across.
    if (font->lfFaceName[0] == L'@') return 1;
    lstrcpynW(reinterpret_cast<wchar_t *>(to), font->lfFaceName, LF_FACESIZE);
    return 0;
}

// The face of the first listed family that is installed with Japanese characters; else the
// first Japanese family of any name; else the first name, for the font mapper to match.
void FindFace() {
    HDC screen = GetDC(nullptr);
    LOGFONTW wanted = {};
    wanted.lfCharSet = SHIFTJIS_CHARSET;
    for (const wchar_t *face : kFaces) {
        lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
        EnumFontFamiliesExW(screen, &wanted, TakeFace, reinterpret_cast<LPARAM>(g_face), 0);
        if (g_face[0]) break;
    }
    if (!g_face[0]) {
        wanted.lfFaceName[0] = L'\0';
        EnumFontFamiliesExW(screen, &wanted, TakeFace, reinterpret_cast<LPARAM>(g_face), 0);
    }
    ReleaseDC(nullptr, screen);
    if (!g_face[0]) lstrcpynW(g_face, kFaces[0], LF_FACESIZE);
}

// Dialogs themselves are left alone: one deletes the font it holds when it is destroyed.
BOOL CALLBACK SetControlFont(HWND window, LPARAM font) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, L"#32770") != 0) SendMessageW(window, WM_SETFONT, WPARAM(font), FALSE);
    return TRUE;
}

struct MadeFont {
    int height, weight;
    HFONT font;
};
std::vector<MadeFont> g_fonts;

} // namespace

const wchar_t *JapaneseFace() {
    if (!g_face[0]) FindFace();
    return g_face;
}

HFONT JapaneseFont(int height, int weight) {
    for (const MadeFont &made : g_fonts)
        if (made.height == height && made.weight == weight) return made.font;
    HFONT font = CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, JapaneseFace());
    if (font) g_fonts.push_back(MadeFont{height, weight, font});
    return font;
}

HFONT ControlFont() {
    static int height = 0;
    if (!height) {
        HDC screen = GetDC(nullptr);
        height = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, screen);
    }
    return JapaneseFont(height, FW_NORMAL);
}

HFONT InterfaceSizedFont() {
    static LOGFONTW gui = {};
    if (!gui.lfHeight) GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    return JapaneseFont(gui.lfHeight ? gui.lfHeight : -11, FW_NORMAL);
}

void UseControlFont(HWND window) {
    EnumChildWindows(window, SetControlFont, reinterpret_cast<LPARAM>(ControlFont()));
}
