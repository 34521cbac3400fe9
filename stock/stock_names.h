// Names of the stock values and thumbnail files. Builds natively.
#pragma once

#include <string>

// "Stock%d" for genre 0, "2Stock%d" .. "22Stock%d" for genres 1 to 21.
std::wstring StockValueName(int genre, int index);
