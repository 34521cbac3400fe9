// The playlist: 22 genres of at most five entries, kept in the registry, with a thumbnail
// bitmap per entry in the fixed thumbnail folder.
#pragma once

#include <string>

enum StockField { FieldTitle, FieldTime, FieldType, FieldPath, kStockFieldCount };

// The number of consecutive entries from index 0 whose title is present and not empty.
// Counts without a cap: a restored registry may hold more than five.
int CountGenreEntries(int genre);

// The stored text of one field, or the empty text when it is missing or does not fit.
std::wstring ReadStockField(int genre, int index, StockField field);
