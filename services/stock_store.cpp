#include "services/stock_store.h"

#include "services/app_state.h"
#include "services/texts.h"
#include "services/thumbnail.h"
#include "services/registry.h"
#include "core/stock_names.h"

namespace {

enum { kStockReaderChars = 8192 / 2 };

ThumbnailGrabber g_grabber = GrabThumbnail;
int g_counts[kGenreCount];

HKEY ReadKey(int field) {
    return g_app.keys.read[kListKeyFirst + field];
}
HKEY WriteKey(int field) {
    return g_app.keys.write[kListKeyFirst + field];
}

// A position of 0 is no value at all: a missing value reads as 0.
void StorePosition(const std::wstring &name, uint32_t ms) {
    HKEY key = g_app.keys.write[KeyFilePos];
    if (!key) return;
    if (ms == 0 || ms > uint32_t(INT32_MAX))
        RegDeleteValueW(key, name.c_str());
    else
        WriteDwordValue(key, name.c_str(), int32_t(ms));
}

// Copies the four values of entry `from` to entry `to`, each with the fixed length, and where
// it was left.
void CopyEntryValues(int genre, int from, int to) {
    const std::wstring name = StockValueName(genre, to);
    for (int f = 0; f < kStockFieldCount; ++f) {
        const std::wstring text = ReadStockField(genre, from, StockField(f));
        WriteFixedTextValue(WriteKey(f), name.c_str(), text.c_str(), kStockValueBytes);
    }
    StorePosition(name, ReadStockPosition(genre, from));
}

void DeleteEntryValues(int genre, int index) {
    const std::wstring name = StockValueName(genre, index);
    for (int f = 0; f < kStockFieldCount; ++f)
        if (g_app.keys.full[f]) RegDeleteValueW(g_app.keys.full[f], name.c_str());
    StorePosition(name, 0);
}

// The thumbnail follows its entry. Whatever sits under the new name belongs to no kept entry
// (its entry was deleted or has moved down already), so it is removed first: a stale file
// there would otherwise stop the move or show under the wrong entry.
void MoveThumbnail(int genre, int from, int to) {
    const std::wstring target = ThumbnailPath(genre, to);
    DeleteFileW(target.c_str());
    MoveFileW(ThumbnailPath(genre, from).c_str(), target.c_str());
}

} // namespace

std::wstring ReadStockField(int genre, int index, StockField field) {
    const std::wstring name = StockValueName(genre, index);
    if (name.empty() || field < 0 || field >= kStockFieldCount) return std::wstring();
    std::wstring text(kStockReaderChars, L'\0');
    if (!ReadTextValue(ReadKey(field), name.c_str(), &text[0], text.size())) return std::wstring();
    text.resize(wcslen(text.c_str()));
    return text;
}

uint32_t ReadStockPosition(int genre, int index) {
    const std::wstring name = StockValueName(genre, index);
    int32_t ms = 0;
    if (name.empty() || !ReadDwordValue(g_app.keys.read[KeyFilePos], name.c_str(), &ms) || ms < 0)
        return 0;
    return uint32_t(ms);
}

void WriteStockPosition(int genre, int index, uint32_t ms) {
    if (ReadStockField(genre, index, FieldTitle).empty()) return;
    StorePosition(StockValueName(genre, index), ms);
}

int CountGenreEntries(int genre) {
    if (!IsStockGenre(genre)) return 0;
    int count = 0;
    while (!ReadStockField(genre, count, FieldTitle).empty())
        ++count;
    return count;
}

int EntryCount(int genre) {
    return IsStockGenre(genre) ? g_counts[genre] : 0;
}

int RecountGenre(int genre) {
    if (!IsStockGenre(genre)) return 0;
    return g_counts[genre] = CountGenreEntries(genre);
}

void ForgetEntryCounts() {
    for (int &count : g_counts) count = 0;
}

void LoadGenre(int genre) {
    if (!IsStockGenre(genre)) return;
    g_app.currentGenre = genre;
    const int count = RecountGenre(genre);
    g_app.currentItem = 0;
    SetNumberTexts(count > 0 ? 1 : 0, count);
}

bool AppendStockEntry(const std::wstring &title, const std::wstring &lengthText,
                      const std::wstring &typeText, const std::wstring &path) {
    const int genre = g_app.currentGenre;
    if (!IsStockGenre(genre)) return false;
    const int n = g_counts[genre];
    if (n < 0 || n >= kStockEntryLimit) return false;
    // An empty title ends the count: the entry would hide every later one, and the next
    // append would overwrite them.
    if (title.empty()) return false;

    const std::wstring name = StockValueName(genre, n);
    const std::wstring *texts[kStockFieldCount] = {&title, &lengthText, &typeText, &path};
    for (int f = 0; f < kStockFieldCount; ++f)
        WriteFixedTextValue(WriteKey(f), name.c_str(), texts[f]->c_str(), kStockValueBytes);
    StorePosition(name, 0);  // left by an entry no longer counted: the new one starts at 0

    // A file left under this name by an entry that is no longer counted must not pass for
    // the new entry's picture when no thumbnail is grabbed.
    const std::wstring thumbnail = ThumbnailPath(genre, n);
    DeleteFileW(thumbnail.c_str());
    if (EnsureThumbnailFolder() && g_grabber) g_grabber(path.c_str(), thumbnail.c_str());

    // Taking the picture waits on the media device, and the lists may change meanwhile (a
    // clear or a delete handled during the wait). An entry that is no longer there keeps no
    // picture and is not counted.
    if (ReadStockField(genre, n, FieldPath) != path.substr(0, kStockValueBytes / 2 - 1)) {
        if (ReadStockField(genre, n, FieldTitle).empty()) DeleteFileW(thumbnail.c_str());
        return false;
    }
    g_counts[genre] = n + 1;
    return true;
}

void DeleteStockEntries(const std::vector<int> &indices) {
    const int genre = g_app.currentGenre;
    if (!IsStockGenre(genre)) return;
    const int n = g_counts[genre];
    std::vector<bool> doomed(n > 0 ? n : 0, false);
    int removed = 0;
    for (int i : indices) {
        if (i < 0 || i >= n || doomed[i]) continue;
        doomed[i] = true;
        ++removed;
    }
    if (removed == 0) return;

    int k = 0; // deleted entries below index i
    for (int i = 0; i < n; ++i) {
        if (doomed[i]) {
            DeleteFileW(ThumbnailPath(genre, i).c_str());
            ++k;
        } else if (k > 0) {
            CopyEntryValues(genre, i, i - k);
            MoveThumbnail(genre, i, i - k);
        }
    }
    const int count = n - removed;
    g_counts[genre] = count;
    // The old tail, and the value just past it, go.
    for (int j = count; j <= n; ++j) {
        DeleteEntryValues(genre, j);
        DeleteFileW(ThumbnailPath(genre, j).c_str());
    }
}

void RecreateListKeys() {
    // The positions go first: a stop half way leaves no position of an entry that is gone.
    static const int kDeleteOrder[] = {KeyFilePos, KeyFileTitle, KeyFilePath, KeyFileTime,
                                       KeyFileTipe};
    for (int k : kDeleteOrder) {
        CloseRegistryKey(g_app.keys, k);
        RegDeleteTreeW(HKEY_CURRENT_USER, kRegKeyPaths[k]);
    }
    for (int k : kDeleteOrder) OpenRegistryKey(g_app.keys, k);
}

void DeleteAllThumbnails() {
    DeleteThumbnailFiles(kThumbnailFolder);
}

void DeleteThumbnailFiles(const std::wstring &in,
                          const std::function<bool(const std::wstring &)> &keep) {
    const std::wstring folder = in + L"\\";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    // Collected first, so the folder does not change under the listing.
    std::vector<std::wstring> names;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        found.cFileName[MAX_PATH - 1] = L'\0';
        if (IsSweptThumbnailName(found.cFileName) && !(keep && keep(found.cFileName)))
            names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    for (const std::wstring &name : names)
        DeleteFileW((folder + name).c_str());
}

void ClearAllLists() {
    RecreateListKeys();
    DeleteAllThumbnails();
    if (IsStockGenre(g_app.currentGenre)) g_counts[g_app.currentGenre] = 0;
    g_app.currentPath[0] = L'\0';
    g_app.currentItem = 0;
    SetNumberTexts(0, 0);
}

bool EnsureThumbnailFolder() {
    const std::wstring folder = kThumbnailFolder;
    // Every folder on the way, from the one below the drive down to the thumbnail folder.
    for (size_t end = folder.find(L'\\', 3);; end = folder.find(L'\\', end + 1)) {
        CreateDirectoryW(folder.substr(0, end).c_str(), nullptr);
        if (end == std::wstring::npos) break;
    }
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void SetThumbnailGrabber(ThumbnailGrabber grabber) {
    g_grabber = grabber;
}
