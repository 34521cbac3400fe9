#include "stock/stock_names.h"

std::wstring StockValueName(int genre, int index) {
    const std::wstring prefix = genre == 0 ? std::wstring() : std::to_wstring(genre + 1);
    return prefix + L"Stock" + std::to_wstring(index);
}
