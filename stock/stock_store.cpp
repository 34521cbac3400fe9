#include "stock/stock_store.h"

#include "shell/app_state.h"
#include "shell/registry.h"
#include "stock/stock_names.h"

enum { kStockReaderChars = 8192 / 2 };

std::wstring ReadStockField(int genre, int index, StockField field) {
    std::wstring text(kStockReaderChars, L'\0');
    HKEY key = g_app.keys.read[kListKeyFirst + field];
    if (!ReadTextValue(key, StockValueName(genre, index).c_str(), &text[0], text.size()))
        return std::wstring();
    text.resize(wcslen(text.c_str()));
    return text;
}

int CountGenreEntries(int genre) {
    int count = 0;
    while (!ReadStockField(genre, count, FieldTitle).empty()) ++count;
    return count;
}
