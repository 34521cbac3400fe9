#include "core/stock_names.h"

#include "resources/resource.h"

const wchar_t kThumbnailFolder[] = L"C:\\Program Files\\Oakhollow\\MireloFreeEdition\\Cap";

const StockNamePattern kStockNamePatterns[kGenreCount] = {
    {L"Stock%d", L"No[%d].bmp"},     {L"2Stock%d", L"2No[%d].bmp"},
    {L"3Stock%d", L"3No[%d].bmp"},   {L"4Stock%d", L"4No[%d].bmp"},
    {L"5Stock%d", L"5No[%d].bmp"},   {L"6Stock%d", L"6No[%d].bmp"},
    {L"7Stock%d", L"7No[%d].bmp"},   {L"8Stock%d", L"8No[%d].bmp"},
    {L"9Stock%d", L"9No[%d].bmp"},   {L"10Stock%d", L"10No[%d].bmp"},
    {L"11Stock%d", L"11No[%d].bmp"}, {L"12Stock%d", L"12No[%d].bmp"},
    {L"13Stock%d", L"13No[%d].bmp"}, {L"14Stock%d", L"14No[%d].bmp"},
    {L"15Stock%d", L"15No[%d].bmp"}, {L"16Stock%d", L"16No[%d].bmp"},
    {L"17Stock%d", L"17No[%d].bmp"}, {L"18Stock%d", L"18No[%d].bmp"},
    {L"19Stock%d", L"19No[%d].bmp"}, {L"20Stock%d", L"20No[%d].bmp"},
    {L"21Stock%d", L"21No[%d].bmp"}, {L"22Stock%d", L"22No[%d].bmp"},
};

namespace {

const wchar_t kIndexMark[] = L"%d";

// The pattern with its "%d" replaced by the index, as printf would write it.
std::wstring Expand(const wchar_t *pattern, int index) {
    std::wstring text = pattern;
    const size_t mark = text.find(kIndexMark);
    text.replace(mark, 2, std::to_wstring(index));
    return text;
}

wchar_t FoldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? wchar_t(c - L'A' + L'a') : c;
}

bool EqualFolded(const std::wstring &a, size_t from, const std::wstring &b) {
    if (a.size() - from < b.size()) return false;
    for (size_t i = 0; i < b.size(); ++i)
        if (FoldAscii(a[from + i]) != FoldAscii(b[i])) return false;
    return true;
}

// An index exactly as "%d" writes one below the limit: digits, no sign, no leading zero.
bool IsSweptIndex(const std::wstring &digits) {
    if (digits.empty() || digits.size() > 5) return false;
    if (digits.size() > 1 && digits[0] == L'0') return false;
    int value = 0;
    for (wchar_t c : digits) {
        if (c < L'0' || c > L'9') return false;
        value = value * 10 + (c - L'0');
    }
    return value < kThumbnailIndexLimit;
}

} // namespace

bool IsStockGenre(int genre) {
    return genre >= 0 && genre < kGenreCount;
}

std::wstring StockValueName(int genre, int index) {
    if (!IsStockGenre(genre) || index < 0) return std::wstring();
    return Expand(kStockNamePatterns[genre].value, index);
}

std::wstring ThumbnailFileName(int genre, int index) {
    if (!IsStockGenre(genre) || index < 0) return std::wstring();
    return Expand(kStockNamePatterns[genre].thumbnail, index);
}

std::wstring ThumbnailPath(int genre, int index) {
    const std::wstring name = ThumbnailFileName(genre, index);
    if (name.empty()) return name;
    return std::wstring(kThumbnailFolder) + L"\\" + name;
}

bool IsSweptThumbnailName(const std::wstring &fileName) {
    for (const StockNamePattern &p : kStockNamePatterns) {
        const std::wstring pattern = p.thumbnail;
        const size_t mark = pattern.find(kIndexMark);
        const std::wstring head = pattern.substr(0, mark), tail = pattern.substr(mark + 2);
        if (fileName.size() <= head.size() + tail.size()) continue;
        if (!EqualFolded(fileName, 0, head)) continue;
        if (!EqualFolded(fileName, fileName.size() - tail.size(), tail)) continue;
        if (IsSweptIndex(fileName.substr(head.size(), fileName.size() - head.size() - tail.size())))
            return true;
    }
    return false;
}

int StockMenuCommand(int genre) {
    if (!IsStockGenre(genre)) return -1;
    if (genre < 10) return ID_STOCK_GENRE_0 + genre;
    if (genre == 10) return ID_STOCK_GENRE_10;
    return ID_STOCK_GENRE_11 + genre - 11;
}

int GenreOfStockMenuCommand(int command) {
    for (int genre = 0; genre < kGenreCount; ++genre)
        if (StockMenuCommand(genre) == command) return genre;
    return -1;
}
