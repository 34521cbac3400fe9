#include "ui/settings/page_text.h"

#include <shlwapi.h>

#include <cwchar>

#include "core/settings_record.h"

void ShowNumber(HWND page, int id, int value) {
    wchar_t text[kTextChars];
    std::swprintf(text, kTextChars, L"%d", value);
    SetDlgItemTextW(page, id, text);
}

int ReadNumber(HWND page, int id) {
    wchar_t text[kTextChars] = L"";
    GetDlgItemTextW(page, id, text, kTextChars);
    return StrToIntW(text);
}
