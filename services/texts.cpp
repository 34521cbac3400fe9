#include "services/texts.h"

#include "services/transport.h"
#include "services/app_state.h"

void SetNumberText(wchar_t *text, int number) { wsprintfW(text, L"[%d]", number); }

void SetNumberTexts(int current, int total) {
    SetNumberText(Display().currentNumberText, current);
    SetNumberText(Display().totalNumberText, total);
}

std::wstring LoadProgramText(UINT id) {
    wchar_t text[kTextChars] = L"";
    LoadStringW(g_app.hInst, id, text, kTextChars);
    return text;
}
