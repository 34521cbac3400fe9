// Names of the stock values and thumbnail files. Builds natively.
#pragma once

#include <string>

#include "core/settings_record.h"

// The fixed folder that holds every entry's thumbnail bitmap.
extern const wchar_t kThumbnailFolder[];

// The entries a genre holds: Append entry takes no more, and a backup carries no more.
enum { kStockEntryLimit = 5 };

// Clear all lists removes the thumbnails of indices 0 .. 19999 of every genre.
enum { kThumbnailIndexLimit = 20000 };

// The two name patterns of one genre; "%d" stands for the entry index in decimal.
struct StockNamePattern {
    const wchar_t *value;     // in the four list keys
    const wchar_t *thumbnail; // in the thumbnail folder
};
extern const StockNamePattern kStockNamePatterns[kGenreCount];

bool IsStockGenre(int genre);

// "Stock%d" for genre 0, "2Stock%d" .. "22Stock%d" for genres 1 to 21. Empty for a genre
// outside 0..21 or a negative index, so no caller can name a value of no genre.
std::wstring StockValueName(int genre, int index);

// "No[%d].bmp" for genre 0, "2No[%d].bmp" .. "22No[%d].bmp" for genres 1 to 21 (empty as above).
std::wstring ThumbnailFileName(int genre, int index);
// The same name inside the thumbnail folder.
std::wstring ThumbnailPath(int genre, int index);

// True when a file name (no folder) is one of the names Clear all lists deletes: a genre's
// thumbnail name with an index below kThumbnailIndexLimit. Letters compare without regard to
// case, as the file system compares them.
bool IsSweptThumbnailName(const std::wstring &fileName);

// The stock list menu's command of each genre (32867..32876, 32891, 32893..32903), and back:
// the genre of a command, or -1 for any other command.
int StockMenuCommand(int genre);
int GenreOfStockMenuCommand(int command);
