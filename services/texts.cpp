#include "services/texts.h"

#include "services/app_state.h"

void SetNumberText(wchar_t *text, int number) { wsprintfW(text, L"[%d]", number); }

void SetNumberTexts(int current, int total) {
    SetNumberText(g_app.currentNumberText, current);
    SetNumberText(g_app.totalNumberText, total);
}

std::wstring LoadProgramText(UINT id) {
    wchar_t text[kTextChars] = L"";
    LoadStringW(g_app.hInst, id, text, kTextChars);
    return text;
}
