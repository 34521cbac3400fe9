// The playlist: 22 genres of at most five entries, kept in the registry, with a thumbnail
// bitmap per entry in the fixed thumbnail folder.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/stock_names.h"

enum StockField { FieldTitle, FieldTime, FieldType, FieldPath, kStockFieldCount };

enum {
    kStockValueBytes = 1000, // every stock value is written with this data length
};

// The number of consecutive entries from index 0 whose title is present and not empty.
// Counts without a cap: a restored registry may hold more than five.
int CountGenreEntries(int genre);

// The store's count of a genre's entries, kept as entries are added and deleted; 0 for a
// genre never counted (or no genre). RecountGenre counts it again from the registry.
int EntryCount(int genre);
int RecountGenre(int genre);
void ForgetEntryCounts();

// The stored text of one field, or the empty text when it is missing or does not fit.
std::wstring ReadStockField(int genre, int index, StockField field);

// Where the user left an entry, in milliseconds (key FilePos, the entry's value name): 0 when
// nothing is stored or the stored value is not a 4-byte number.
uint32_t ReadStockPosition(int genre, int index);
// Stores where an entry was left; 0 forgets it. An index that holds no entry stores nothing,
// so the positions stay dense with the lists (they move and go with their entries too).
void WriteStockPosition(int genre, int index, uint32_t ms);

// Makes the genre current and counts it; the current item goes back to 0, the number texts
// become "[1]" (or "[0]" for an empty genre) and "[count]". The caller refills the list
// window and repaints.
void LoadGenre(int genre);

// Stores a new last entry of the current genre (each text cut to 499 characters) and grabs
// its thumbnail. A genre holding five or more entries, or an empty title (a path ending in a
// backslash names no file), leaves the store as it is: returns false.
bool AppendStockEntry(const std::wstring &title, const std::wstring &lengthText,
                      const std::wstring &typeText, const std::wstring &path);

// Removes the given entries of the current genre and closes the gaps: the kept entries keep
// their order and their thumbnails. Indices outside the genre and repeats are ignored.
void DeleteStockEntries(const std::vector<int> &indices);

// Empties every genre: the four list keys and the positions are deleted and created again,
// every genre's thumbnails are deleted, the current genre's count, the current item, the
// current path and the number texts are reset. The caller empties the list window, rewinds
// the media and repaints.
void ClearAllLists();

// The two halves of Clear all lists (the first takes the positions' key with the lists).
void RecreateListKeys();
// Lists the thumbnail folder once and deletes exactly the files Clear all lists names (every
// genre's thumbnail name, indices 0 to 19999).
void DeleteAllThumbnails();
// The same for any folder, sparing the names `keep` answers true for.
void DeleteThumbnailFiles(const std::wstring &folder,
                          const std::function<bool(const std::wstring &)> &keep = nullptr);

// Creates the thumbnail folder (and the folders above it) when it is missing.
bool EnsureThumbnailFolder();

// Writes the thumbnail of a media file as a bitmap file: the thumbnail service's grab unless
// a test puts another in (null: entries are stored without thumbnails and the list shows its
// "no image" bitmap).
using ThumbnailGrabber = void (*)(const wchar_t *mediaPath, const wchar_t *bitmapPath);
void SetThumbnailGrabber(ThumbnailGrabber grabber);
